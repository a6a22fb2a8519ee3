// The class runtime's side: each library's own class array, and classes found through
// the registry when their library was registered but not loaded.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <regex>
#include <set>

#include "host/page/Page.h"
#include "host/page/PageHost.h"
#include "host/runtime/ClassArray.h"
#include "host/runtime/Loader.h"
#include "host/runtime/Registry.h"
#include "tests/tarnreg/TarnregRun.h"

namespace fs = std::filesystem;
using tarnregtest::Scratch;

namespace {

struct Library {
    const char* file;
    std::vector<const char*> folders;  // the source folders it is built from
};

// The component libraries of this tree; the chart library counts once its class array exists.
std::vector<Library> componentLibraries() {
    std::vector<Library> libs = {{"libtarnombu11.so", {"util", "ombu", "image"}}, {"libtarntable11.so", {"table"}}};
    if (fs::exists(fs::path(NORVEX_SOURCE_DIR) / "chart" / "ChartClasses.cpp")) libs.push_back({"libtarnchart11.so", {"chart"}});
    return libs;
}

std::string libPath(const char* file) { return (fs::path(NORVEX_LIB_DIR) / file).string(); }

// Every class the sources of a library declare with HOST_OBJECT or HOST_CREATABLE.
std::set<std::string> declaredClasses(const std::vector<const char*>& folders) {
    static const std::regex decl(R"(HOST_(OBJECT|CREATABLE)\(\s*\w+\s*,\s*"([^"]+)\")");
    std::set<std::string> names;
    for (auto* folder : folders)
        for (auto& e : fs::recursive_directory_iterator(fs::path(NORVEX_SOURCE_DIR) / folder)) {
            if (e.path().extension() != ".h" && e.path().extension() != ".cpp") continue;
            std::string text = tarnregtest::readFile(e.path());
            for (std::sregex_iterator it(text.begin(), text.end(), decl), end; it != end; ++it) {
                std::string n = (*it)[2];
                std::replace(n.begin(), n.end(), '.', '/');
                names.insert(n);
            }
        }
    return names;
}

TEST(ClassArrays, EachLibraryExportsItsOwnArrayListingEveryClassItDeclares) {
    for (auto& lib : componentLibraries()) {
        SCOPED_TRACE(lib.file);
        std::string error;
        void* handle = host::Loader::load(libPath(lib.file), &error);
        ASSERT_NE(handle, nullptr) << error;
        auto fn = reinterpret_cast<TARNGetClassArrayFn>(host::Loader::ownSymbol(handle, "TARNGetClassArray", &error));
        ASSERT_NE(fn, nullptr) << error;
        std::set<std::string> listed;
        for (auto p = fn(); *p; ++p) listed.insert((*p)->name);
        EXPECT_EQ(listed, declaredClasses(lib.folders));
    }
}

TEST(ClassArrays, ALookUpInALibraryWithoutItsOwnExportDoesNotTakeADependency) {
    std::string error;
    void* handle = host::Loader::load(tarnregtest::fixture("tarnreg_noexport").string(), &error);
    ASSERT_NE(handle, nullptr) << error;
    EXPECT_NE(dlsym(handle, "TARNGetClassArray"), nullptr) << "a plain look-up finds the widget library's export";
    EXPECT_EQ(host::Loader::ownSymbol(handle, "TARNGetClassArray", &error), nullptr);
    EXPECT_NE(error.find("libtarnombu11.so"), std::string::npos) << error;
}

TEST(RegisteredLibraries, PackageFirstThenClass) {
    host::RegistryDocument doc;
    doc.setValue(std::string(host::kClassesKey) + "\\norvex/chart", "Modules",
                 host::RegistryValue::multiString({"libtarnchart11.so", "libextra.so"}));
    doc.setValue(host::kClassesKey, "norvex/chart/NxChart", host::RegistryValue::multiString({"libown.so"}));
    doc.setValue(host::kClassesKey, "Modules", host::RegistryValue::multiString({"libdefault.so"}));
    EXPECT_EQ(host::registeredLibraries(doc, "norvex.chart.NxChart"),
              (std::vector<std::string>{"libtarnchart11.so", "libextra.so", "libown.so"}));
    EXPECT_EQ(host::registeredLibraries(doc, "Toplevel"), std::vector<std::string>{"libdefault.so"});
    EXPECT_TRUE(host::registeredLibraries(doc, "norvex.table.NxTable").empty());
}

// Registers the component libraries with tarnreg, then, in a fresh process of this test
// program where no component library is loaded, creates the page's class by name.
void createThroughRegistry(const std::string& className, const char* libraryFile) {
    Scratch s;
    std::vector<std::string> libs;
    for (auto& lib : componentLibraries()) libs.push_back(libPath(lib.file));
    auto r = s.run(libs);
    ASSERT_EQ(r.status, 0) << r.out;
    fs::path page = s.dir() / "page.html";
    std::ofstream(page) << "<html><body><applet code=\"" << className << "\" width=\"240\" height=\"120\"></applet></body></html>\n";

    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            setenv("NORVEX_REGISTRY", s.registry().c_str(), 1);
            if (dlopen(libraryFile, RTLD_NOW | RTLD_NOLOAD)) std::_Exit(3);  // already loaded: the test would prove nothing
            host::PageHost view(host::Page::read(page.string()));
            if (!view.component() || view.component()->getClassName() != className) std::_Exit(4);
            std::_Exit(dlopen(libraryFile, RTLD_NOW | RTLD_NOLOAD) ? 0 : 5);
        },
        testing::ExitedWithCode(0), "");
}

TEST(RegisteredLibraries, APageCreatesATableWhoseLibraryWasOnlyRegistered) {
    createThroughRegistry("norvex.table.NxTable", "libtarntable11.so");
}

TEST(RegisteredLibraries, APageCreatesAWidgetWhoseLibraryWasOnlyRegistered) {
    createThroughRegistry("norvex.ombu.NxButton", "libtarnombu11.so");
}

TEST(RegisteredLibraries, APageCreatesAChartWhoseLibraryWasOnlyRegistered) {
    if (componentLibraries().size() < 3) GTEST_SKIP() << "the chart library has no class array in this tree yet";
    createThroughRegistry("norvex.chart.NxChart", "libtarnchart11.so");
}

TEST(RegisteredLibraries, AnUnregisteredClassStaysUnknown) {
    Scratch s;
    setenv("NORVEX_REGISTRY", s.registry().c_str(), 1);
    EXPECT_EQ(host::ClassRegistry::instance().find("norvex.nowhere.Missing"), nullptr);
    unsetenv("NORVEX_REGISTRY");
}

}  // namespace
