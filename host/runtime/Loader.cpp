#include "host/runtime/Loader.h"

#include <dlfcn.h>
#include <link.h>
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

void* Loader::ownSymbol(void* handle, const std::string& name, std::string* error) {
    void* sym = symbol(handle, name);
    if (!sym) {
        if (error) *error = name + " is not defined";
        return nullptr;
    }
    Dl_info where{};
    link_map* symbolMap = nullptr;
    link_map* ownMap = nullptr;
    if (!dladdr1(sym, &where, reinterpret_cast<void**>(&symbolMap), RTLD_DL_LINKMAP) ||
        dlinfo(handle, RTLD_DI_LINKMAP, &ownMap) != 0 || symbolMap != ownMap) {
        if (error) *error = name + " is not defined by the library itself" + (where.dli_fname ? std::string(" (found in ") + where.dli_fname + ")" : std::string());
        return nullptr;
    }
    return sym;
}

void* Loader::loadByName(const std::string& name, std::string* error) {
    if (name.find('/') != std::string::npos) return load(name, error);
    std::vector<std::string> dirs;
    Dl_info self{};
    if (dladdr(reinterpret_cast<void*>(&Loader::libraryDir), &self) && self.dli_fname)
        dirs.push_back(std::filesystem::path(self.dli_fname).parent_path().string());
    dirs.push_back(libraryDir());
    for (auto& dir : dirs) {
        auto path = std::filesystem::path(dir) / name;
        if (!dir.empty() && std::filesystem::exists(path)) return load(path.string(), error);
    }
    return load(name, error);
}

std::string Loader::libraryDir() {
    // The component libraries are installed beside the host library, wherever the
    // distribution puts libraries (lib, lib64, lib/x86_64-linux-gnu).
    Dl_info self{};
    if (dladdr(reinterpret_cast<void*>(&Loader::libraryDir), &self) && self.dli_fname) {
        auto dir = std::filesystem::path(self.dli_fname).parent_path();
        if (std::filesystem::exists(dir / "libtarnhost.so")) return dir.string();
    }
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
