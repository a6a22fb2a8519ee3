#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "host/runtime/Loader.h"
#include "host/runtime/Object.h"

// A program that loads a component library only at run time and then exits: the
// library's classes are unregistered before the class array and registry go away.
TEST(ModuleExit, LibraryLoadedAtRunTimeExitsCleanly) {
    const std::string lib = host::Loader::libraryDir() + "/libtarnombu11.so";
    if (!std::filesystem::exists(lib)) GTEST_SKIP() << "no " << lib;
    EXPECT_EXIT(
        {
            std::string err;
            if (!host::Loader::load(lib, &err)) std::_Exit(3);
            if (!host::ClassRegistry::instance().find("norvex.ombu.NxComponent")) std::_Exit(4);
            std::exit(0);
        },
        testing::ExitedWithCode(0), "");
}
