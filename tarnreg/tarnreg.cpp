// tarnreg: records which component library holds which package or class, in the class
// runtime's registry or in a registration file.
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "host/runtime/ClassArray.h"
#include "host/runtime/Loader.h"
#include "host/runtime/Registry.h"

namespace {

enum Flag : unsigned { NoWarn = 1, ClassMode = 2, NoPrompt = 4, Verbose = 8, FileMode = 16 };
constexpr int kConflictPrompt = 5;
constexpr int kConflictNoPrompt = 6;

void printUsage() {
    std::fputs(
        "tarnreg - component class registration\n"
        "Records the packages and classes of component libraries for the class runtime.\n"
        "Usage: tarnreg [ options ] file1.dll file2.dll ...\n"
        "By default each dll is registered to each package in that dll.  Warnings are\n"
        "issued if multiple dlls are registered to a package.  Use\n"
        "-class           to have the dlls registered to classes instead of packages.\n"
        "                 Existing entries will be overwritten.\n"
        "-noprompt        to disable prompt before changing existing entries.\n"
        "-nowarn          to turn off warnings.\n"
        "-verbose         to have all registrations reported.\n"
        "-reg file.reg    to have a registration file created.\n",
        stdout);
}

bool equalsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = char(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = char(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

bool isOptionName(std::string_view name) {
    for (const char* o : {"class", "noprompt", "nowarn", "verbose", "reg"})
        if (equalsNoCase(name, o)) return true;
    return false;
}

// "-" always starts an option; "/" only when an option name follows, so that an absolute
// path such as /usr/lib/libx.so is a library.
bool isOption(std::string_view arg) {
    if (arg.empty()) return false;
    return arg[0] == '-' || (arg[0] == '/' && isOptionName(arg.substr(1)));
}

// The file name stored in the registry: the name without its directory.
std::string strippedName(const std::string& name) {
    auto cut = name.find_last_of("/\\");
    return cut == std::string::npos ? name : name.substr(cut + 1);
}

struct Tool {
    unsigned flags = 0;
    int conflictMode = kConflictPrompt;
    std::FILE* file = nullptr;
    std::string filePath;
    bool fileFailed = false;
    host::Registry registry;
    // File mode: the libraries registered to each package in this run, in order. A package's
    // section lists them all, since importing a file replaces a value.
    std::vector<std::pair<std::string, std::vector<std::string>>> runModules;

    ~Tool() {
        if (file) std::fclose(file);
    }

    bool has(Flag f) const { return (flags & f) != 0; }
    bool openFile(const std::string& path);
    bool finishFile();
    bool registerLibrary(const std::string& name);

private:
    void write(const std::string& text);
    bool packagesToRegistry(const std::string& lib, const std::vector<std::string>& packages);
    bool classesToRegistry(const std::string& lib, const std::vector<std::string>& classes);
    void packagesToFile(const std::string& lib, const std::vector<std::string>& packages);
    void classesToFile(const std::string& lib, const std::vector<std::string>& classes);
    std::vector<std::string>& runModulesOf(const std::string& package);
};

std::string keyLine(const std::string& package) {
    return std::string("[") + host::kClassesKey + (package.empty() ? "" : "\\" + package) + "]\n";
}

bool Tool::openFile(const std::string& path) {
    if (file) finishFile();
    file = std::fopen(path.c_str(), "wb");
    filePath = path;
    if (!file) {
        std::fprintf(stderr, "tarnreg: cannot open the registration file %s: %s\n", path.c_str(), std::strerror(errno));
        return false;
    }
    runModules.clear();
    write("REGEDIT4\n\n" + keyLine(""));
    write("\n");
    flags |= FileMode;
    return true;
}

void Tool::write(const std::string& text) {
    if (file && std::fwrite(text.data(), 1, text.size(), file) != text.size()) fileFailed = true;
}

bool Tool::finishFile() {
    if (!file) return true;
    bool ok = !fileFailed && std::fflush(file) == 0 && !std::ferror(file);
    if (std::fclose(file) != 0) ok = false;
    file = nullptr;
    if (!ok) std::fprintf(stderr, "tarnreg: cannot write the registration file %s\n", filePath.c_str());
    return ok;
}

// Loads a library by the name given; a bare name is looked for in the current folder first.
void* loadLibrary(const std::string& name, std::string* error) {
    struct stat st;
    if (name.find('/') == std::string::npos && ::stat(name.c_str(), &st) == 0) return host::Loader::load("./" + name, error);
    return host::Loader::loadByName(name, error);
}

bool Tool::registerLibrary(const std::string& name) {
    std::string lib = strippedName(name);
    std::string error;
    void* handle = loadLibrary(name, &error);
    if (!handle) {
        std::printf("Unable to load %s.\n", lib.c_str());
        std::printf("Error was:  %s\n", error.c_str());
        return false;
    }
    auto getArray = reinterpret_cast<TARNGetClassArrayFn>(host::Loader::ownSymbol(handle, "TARNGetClassArray", &error));
    if (!getArray) {
        std::printf("Module %s not initialized.\n", lib.c_str());
        std::printf("Error was:  %s\n", error.c_str());
        return false;
    }
    std::vector<std::string> classes, packages;
    if (const TARNClassDescriptor* const* array = getArray()) {
        for (auto p = array; *p; ++p) {
            const char* cls = (*p)->name;
            if (((*p)->flags & 1) || !cls || !*cls || cls[0] == '[') continue;
            classes.emplace_back(cls);
            // The package is the name up to its last '/'; without one, the default package "".
            auto slash = classes.back().rfind('/');
            std::string package = slash == std::string::npos ? std::string() : classes.back().substr(0, slash);
            if (std::find(packages.begin(), packages.end(), package) == packages.end()) packages.push_back(package);
        }
    }
    if (classes.empty()) {
        std::printf("No classes found in module.\n");
        return false;
    }
    if (has(FileMode)) {
        if (has(ClassMode))
            classesToFile(lib, classes);
        else
            packagesToFile(lib, packages);
        return !fileFailed;
    }
    return has(ClassMode) ? classesToRegistry(lib, classes) : packagesToRegistry(lib, packages);
}

bool Tool::packagesToRegistry(const std::string& lib, const std::vector<std::string>& packages) {
    std::vector<std::string> warnings;
    std::string error;
    bool ok = registry.update(
        [&](host::RegistryDocument& doc) {
            warnings.clear();
            doc.createKey(host::kClassesKey);
            for (auto& package : packages) {
                if (has(Verbose)) std::printf("Registering %s to package %s.\n", lib.c_str(), package.c_str());
                std::string key = std::string(host::kClassesKey) + (package.empty() ? "" : "\\" + package);
                bool created = !package.empty() && doc.createKey(key);
                const host::RegistryValue* modules = created ? nullptr : doc.value(key, "Modules");
                if (modules && modules->kind != host::RegistryValue::Kind::Raw && !modules->strings.empty()) {
                    std::vector<std::string> list = modules->strings;
                    if (std::find(list.begin(), list.end(), lib) != list.end()) continue;
                    std::string shown = "[ ";
                    for (size_t i = 0; i < list.size() && i < 2; ++i) shown += list[i] + ", ";
                    shown += " ... ]";
                    list.push_back(lib);
                    doc.setValue(key, "Modules", host::RegistryValue::multiString(std::move(list)));
                    if (!has(NoWarn))
                        warnings.push_back("Warning: There are already dlls registered to package " + package + ". " + shown + ".\n");
                } else {
                    doc.setValue(key, "Modules", host::RegistryValue::multiString({lib}));
                }
            }
            return true;
        },
        &error);
    if (!ok) {
        std::fprintf(stderr, "tarnreg: %s\n", error.c_str());
        return false;
    }
    for (auto& w : warnings) std::fputs(w.c_str(), stdout);
    return true;
}

bool Tool::classesToRegistry(const std::string& lib, const std::vector<std::string>& classes) {
    std::string error;
    bool ok = registry.update(
        [&](host::RegistryDocument& doc) {
            for (auto& cls : classes) {
                if (has(Verbose)) std::printf("Registering %s to class %s.\n", lib.c_str(), cls.c_str());
                doc.createKey(host::kClassesKey);
                bool askless = conflictMode == kConflictNoPrompt && has(NoWarn);
                if (!askless) {
                    if (const host::RegistryValue* current = doc.value(host::kClassesKey, cls)) {
                        std::string old = current->strings.empty() ? current->raw : current->strings.front();
                        std::printf("Warning: Replacing %s with %s as registered dll for class %s.\n", old.c_str(), lib.c_str(),
                                    cls.c_str());
                    }
                }
                doc.setValue(host::kClassesKey, cls, host::RegistryValue::multiString({lib}));
            }
            return true;
        },
        &error);
    if (!ok) std::fprintf(stderr, "tarnreg: %s\n", error.c_str());
    return ok;
}

std::vector<std::string>& Tool::runModulesOf(const std::string& package) {
    for (auto& [p, libs] : runModules)
        if (p == package) return libs;
    return runModules.emplace_back(package, std::vector<std::string>{}).second;
}

void Tool::packagesToFile(const std::string& lib, const std::vector<std::string>& packages) {
    for (auto& package : packages) {
        if (has(Verbose)) std::printf("Registering %s to package %s.\n", lib.c_str(), package.c_str());
        auto& libs = runModulesOf(package);
        if (std::find(libs.begin(), libs.end(), lib) == libs.end()) libs.push_back(lib);
        write(keyLine(package) + host::formatRegistryValue("Modules", host::RegistryValue::multiString(libs)) + "\n\n");
    }
}

void Tool::classesToFile(const std::string& lib, const std::vector<std::string>& classes) {
    write(keyLine(""));
    for (auto& cls : classes) {
        if (has(Verbose)) std::printf("Registering %s to class %s.\n", lib.c_str(), cls.c_str());
        write(host::formatRegistryValue(cls, host::RegistryValue::string(lib)) + "\n");
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        printUsage();
        return 2;
    }
    Tool tool;
    std::vector<std::string> libraries;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (!isOption(arg)) {
            libraries.push_back(arg);
            continue;
        }
        std::string_view name = std::string_view(arg).substr(1);
        if (equalsNoCase(name, "class")) {
            tool.flags |= ClassMode;
        } else if (equalsNoCase(name, "noprompt")) {
            tool.flags |= NoPrompt;
            tool.conflictMode = kConflictNoPrompt;
        } else if (equalsNoCase(name, "nowarn")) {
            tool.flags |= NoWarn;
        } else if (equalsNoCase(name, "verbose")) {
            tool.flags |= Verbose;
        } else if (equalsNoCase(name, "reg")) {
            if (i + 1 >= argc || isOption(argv[i + 1])) {
                printUsage();
                return 2;
            }
            if (!tool.openFile(argv[++i])) return 1;
        } else {
            printUsage();
            return 2;
        }
    }
    bool all = true;
    for (auto& lib : libraries) all = tool.registerLibrary(lib) && all;
    all = tool.finishFile() && all;
    std::fflush(stdout);
    return all ? 0 : 1;
}
