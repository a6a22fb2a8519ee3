// Loading component libraries at run time: the class runtime's side of the
// library contract (each library registers its classes when it is loaded).
#pragma once

#include <string>
#include <vector>

namespace host {

class Loader {
public:
    // Loads a shared library; null and a message in error when it cannot be loaded.
    static void* load(const std::string& path, std::string* error);
    static void* symbol(void* handle, const std::string& name);
    // The symbol only when the library itself defines it: a plain look-up also searches the
    // library's dependencies and would find their export of the same name.
    static void* ownSymbol(void* handle, const std::string& name, std::string* error = nullptr);
    // Loads a library by file name: a name with a '/' as it is; a bare name from the folder
    // of the host library, then the program's library folder, then the system's search path.
    static void* loadByName(const std::string& name, std::string* error);
    // The folder of the running program's libraries: the host library's own folder, or
    // <program dir>/../lib when the host library is linked into the program.
    static std::string libraryDir();
    // Loads every component library found in dir (tarnombu11, tarnchart11, tarntable11);
    // returns the names of the libraries loaded.
    static std::vector<std::string> loadComponentLibraries(const std::string& dir, std::vector<std::string>* errors);
};

}  // namespace host
