#include "host/runtime/Loader.h"

#include <dlfcn.h>
#include <unistd.h>

#include <climits>
#include <filesystem>

namespace host {

void* Loader::load(const std::string& path, std::string* error) {
    void* h = dlopen(path.c_str(), RTLD_NOW | RTLD_GLOBAL);
    if (!h && error) {
        const char* msg = dlerror();
        *error = msg ? msg : ("cannot load " + path);
    }
    return h;
}

void* Loader::symbol(void* handle, const std::string& name) { return handle ? dlsym(handle, name.c_str()) : nullptr; }

std::string Loader::libraryDir() {
    char buf[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return "lib";
    buf[n] = 0;
    return (std::filesystem::path(buf).parent_path().parent_path() / "lib").string();
}

std::vector<std::string> Loader::loadComponentLibraries(const std::string& dir, std::vector<std::string>* errors) {
    std::vector<std::string> loaded;
    for (const char* name : {"libtarnombu11.so", "libtarnchart11.so", "libtarntable11.so"}) {
        auto path = std::filesystem::path(dir) / name;
        if (!std::filesystem::exists(path)) continue;
        std::string err;
        if (load(path.string(), &err))
            loaded.push_back(name);
        else if (errors)
            errors->push_back(err);
    }
    return loaded;
}

}  // namespace host
