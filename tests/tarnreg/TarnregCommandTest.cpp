// The registration tool as a program: options, messages, the registry it writes and the
// registration files.
#include <gtest/gtest.h>

#include <future>

#include "host/runtime/Registry.h"
#include "tests/tarnreg/TarnregRun.h"

using host::RegistryValue;
using tarnregtest::fixture;
using tarnregtest::Scratch;

namespace {

const std::string kRoot = host::kClassesKey;
const std::string kUsageLine = "Usage: tarnreg [ options ] file1.dll file2.dll ...\n";
const std::string kSample = fixture("tarnreg_sample").string();
const std::string kSampleTwo = fixture("tarnreg_sampletwo").string();
const std::string kOnePackage = fixture("tarnreg_onepackage").string();
const std::string kLongPackage = "sample/" + std::string(320, 'p');

host::RegistryDocument registryOf(const Scratch& s) { return host::Registry(s.registry().string()).read(); }

std::vector<std::string> modules(const Scratch& s, const std::string& package) {
    auto doc = registryOf(s);
    const RegistryValue* v = doc.value(package.empty() ? kRoot : kRoot + "\\" + package, "Modules");
    return v ? v->strings : std::vector<std::string>{"<none>"};
}

TEST(TarnregCommandLine, UsageForNoArgumentsUnknownOptionsAndRegWithoutFile) {
    Scratch s;
    for (auto args : std::vector<std::vector<std::string>>{{}, {"-bogus", kSample}, {"-reg"}, {"-reg", "-class", kSample},
                                                          {"-reg", "/CLASS", kSample}}) {
        auto r = s.run(args);
        EXPECT_NE(r.out.find(kUsageLine), std::string::npos) << r.out;
        EXPECT_NE(r.out.find("-reg file.reg    to have a registration file created.\n"), std::string::npos);
        EXPECT_EQ(r.status, 2);
    }
    EXPECT_FALSE(std::filesystem::exists(s.registry())) << "an unknown option registers nothing";
    auto r = s.run({"-nowarn", "-verbose"});
    EXPECT_EQ(r.out, "") << "options without libraries do nothing";
    EXPECT_EQ(r.status, 0);
}

TEST(TarnregCommandLine, OptionNamesIgnoreCaseAndSlashStartsOnlyKnownOptions) {
    Scratch s;
    auto r = s.run({"-CLASS", "/Verbose", kSample});
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("Registering libtarnreg_sample.so to class sample/one/Alpha.\n"), std::string::npos) << r.out;
    EXPECT_EQ(*registryOf(s).value(kRoot, "sample/one/Alpha"), RegistryValue::multiString({"libtarnreg_sample.so"}));
    // An absolute path is a library, loaded from it and stored without its folder.
    ASSERT_EQ(kSample.front(), '/');
    EXPECT_EQ(registryOf(s).valueNames(kRoot).size(), 5u);
}

TEST(TarnregPackages, OneEntryPerPackageTheDefaultPackageOnTheRootAndLongNamesWhole) {
    Scratch s;
    auto r = s.run({"-verbose", kSample});
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out,
              "Registering libtarnreg_sample.so to package sample/one.\n"
              "Registering libtarnreg_sample.so to package sample/two.\n"
              "Registering libtarnreg_sample.so to package .\n"
              "Registering libtarnreg_sample.so to package " + kLongPackage + ".\n");
    auto doc = registryOf(s);
    EXPECT_EQ(doc.keys(), (std::vector<std::string>{kRoot, kRoot + "\\sample/one", kRoot + "\\sample/two", kRoot + "\\" + kLongPackage}))
        << "ignored descriptors and array types register nothing";
    EXPECT_EQ(modules(s, ""), std::vector<std::string>{"libtarnreg_sample.so"});
    EXPECT_EQ(modules(s, kLongPackage), std::vector<std::string>{"libtarnreg_sample.so"});

    Scratch one;
    EXPECT_EQ(one.run({kOnePackage}).status, 0);
    EXPECT_EQ(registryOf(one).keys(), (std::vector<std::string>{kRoot, kRoot + "\\one/pkg"}));
}

TEST(TarnregPackages, SameLibraryTwiceStaysOneEntryAndOthersAreAppendedWithAWarning) {
    Scratch s;
    EXPECT_EQ(s.run({kSample, kSample}).out, "");
    auto again = s.run({kSample});
    EXPECT_EQ(again.out, "") << "no warning for a library already registered";
    EXPECT_EQ(modules(s, "sample/one"), std::vector<std::string>{"libtarnreg_sample.so"});

    auto second = s.run({kSampleTwo});
    EXPECT_EQ(second.status, 0);
    EXPECT_NE(second.out.find("Warning: There are already dlls registered to package sample/one. [ libtarnreg_sample.so,  ... ].\n"),
              std::string::npos)
        << second.out;
    EXPECT_NE(second.out.find("registered to package . [ libtarnreg_sample.so,  ... ]"), std::string::npos) << "the default package";

    auto third = s.run({s.copyOf("tarnreg_sample", "libthird.so").string()});
    EXPECT_NE(third.out.find("package sample/two. [ libtarnreg_sample.so, libtarnreg_sampletwo.so,  ... ].\n"), std::string::npos)
        << third.out;
    EXPECT_EQ(modules(s, "sample/two"), (std::vector<std::string>{"libtarnreg_sample.so", "libtarnreg_sampletwo.so", "libthird.so"}));

    auto quiet = s.run({"-nowarn", s.copyOf("tarnreg_sample", "libfourth.so").string()});
    EXPECT_EQ(quiet.out, "");
    EXPECT_EQ(modules(s, "sample/two").size(), 4u);
}

TEST(TarnregClasses, ReplacingWarnsEvenWithNowarnUnlessNopromptToo) {
    Scratch s;
    EXPECT_EQ(s.run({"-class", kOnePackage}).out, "") << "nothing to replace the first time";
    const std::string warnA = "Warning: Replacing libtarnreg_onepackage.so with libtarnreg_onepackage.so as registered dll for class one/pkg/A.\n";
    auto plain = s.run({"-class", kOnePackage});
    EXPECT_NE(plain.out.find(warnA), std::string::npos) << plain.out;
    auto nowarn = s.run({"-class", "-nowarn", kOnePackage});
    EXPECT_NE(nowarn.out.find(warnA), std::string::npos) << "-nowarn alone does not silence the replacing warning";
    auto noprompt = s.run({"-class", "-noprompt", kOnePackage});
    EXPECT_NE(noprompt.out.find(warnA), std::string::npos) << "-noprompt alone still warns";
    auto both = s.run({"-class", "-noprompt", "-nowarn", s.copyOf("tarnreg_onepackage", "libother.so").string()});
    EXPECT_EQ(both.out, "");
    EXPECT_EQ(both.status, 0);
    EXPECT_EQ(*registryOf(s).value(kRoot, "one/pkg/E"), RegistryValue::multiString({"libother.so"})) << "the value is replaced";
}

TEST(TarnregLibraries, BareNamesInTheCurrentFolderAndBackslashesInNames) {
    Scratch s;
    s.copyOf("tarnreg_onepackage", "libhere.so");
    EXPECT_EQ(s.run({"libhere.so"}).status, 0);
    s.copyOf("tarnreg_onepackage", "dir\\libodd.so");  // a backslash is an ordinary character here
    auto r = s.run({"-verbose", "-nowarn", "dir\\libodd.so"});
    EXPECT_EQ(r.out, "Registering libodd.so to package one/pkg.\n") << "the name is cut at the last backslash too";
    EXPECT_EQ(modules(s, "one/pkg"), (std::vector<std::string>{"libhere.so", "libodd.so"}));
}

TEST(TarnregLibraries, FailuresAreReportedTheRunGoesOnAndTheStatusTells) {
    Scratch s;
    auto r = s.run({"/no/such/libmissing.so", fixture("tarnreg_noexport").string(), fixture("tarnreg_noclasses").string(), kOnePackage});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("Unable to load libmissing.so.\nError was:  "), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Module libtarnreg_noexport.so not initialized.\nError was:  TARNGetClassArray is not defined by the library itself"),
              std::string::npos)
        << "the widget library's export, found through the dependency, is not taken: " << r.out;
    EXPECT_NE(r.out.find("No classes found in module.\n"), std::string::npos);
    EXPECT_EQ(modules(s, "one/pkg"), std::vector<std::string>{"libtarnreg_onepackage.so"}) << "the last library still registered";
    EXPECT_EQ(modules(s, "norvex/ombu"), std::vector<std::string>{"<none>"});
    EXPECT_EQ(s.run({kOnePackage}).status, 0);
}

TEST(TarnregLibraries, ARegistryThatCannotBeWrittenIsReportedInTheStatus) {
    Scratch s;
    std::ofstream(s.dir() / "config") << "a file where the registry's folder should be";
    for (auto mode : {"-nowarn", "-class"}) {
        auto r = s.run({mode, kOnePackage});
        EXPECT_EQ(r.status, 1) << mode;
        EXPECT_NE(r.out.find("tarnreg: cannot open " + s.registry().string() + ".lock"), std::string::npos) << r.out;
    }
}

TEST(TarnregFile, PackageFileLayoutWithLinesContinuedPastColumn79) {
    Scratch s;
    std::string longName = "libtarnreg_one_package_with_a_long_name.so";  // 42 bytes pass column 79
    auto lib = s.copyOf("tarnreg_onepackage", longName);
    auto r = s.run({"-reg", "out.reg", lib.string()});
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(tarnregtest::readFile(s.dir() / "out.reg"),
              "REGEDIT4\n\n[HKEY_CLASSES_ROOT\\TARNCLASSES]\n\n"
              "[HKEY_CLASSES_ROOT\\TARNCLASSES\\one/pkg]\n"
              "\"Modules\"=hex(7):6c,69,62,74,61,72,6e,72,65,67,5f,6f,6e,65,5f,70,61,63,6b,61,67,\\\n"
              "  65,5f,77,69,74,68,5f,61,5f,6c,6f,6e,67,5f,6e,61,6d,65,2e,73,6f,00,00\n\n");
    EXPECT_FALSE(std::filesystem::exists(s.registry())) << "file mode leaves the registry alone";
}

TEST(TarnregFile, ModulesListEveryLibraryOfThisRunAndTheDefaultPackageIsTheRoot) {
    Scratch s;
    auto r = s.run({"-reg", "out.reg", kSample, kSampleTwo});
    EXPECT_EQ(r.status, 0) << r.out;
    // Importing applies the sections in order, each replacing "Modules": the last must hold both.
    auto doc = host::RegistryDocument::parse(tarnregtest::readFile(s.dir() / "out.reg"));
    EXPECT_EQ(*doc.value(kRoot + "\\sample/one", "Modules"),
              RegistryValue::multiString({"libtarnreg_sample.so", "libtarnreg_sampletwo.so"}));
    EXPECT_EQ(*doc.value(kRoot, "Modules"), RegistryValue::multiString({"libtarnreg_sample.so", "libtarnreg_sampletwo.so"}));
    EXPECT_EQ(tarnregtest::readFile(s.dir() / "out.reg").find("TARNCLASSES\\]"), std::string::npos);
}

TEST(TarnregFile, ClassFileHoldsPlainStrings) {
    Scratch s;
    EXPECT_EQ(s.run({"-class", "-reg", "c.reg", kOnePackage}).status, 0);
    std::string text = tarnregtest::readFile(s.dir() / "c.reg");
    EXPECT_EQ(text,
              "REGEDIT4\n\n[HKEY_CLASSES_ROOT\\TARNCLASSES]\n\n[HKEY_CLASSES_ROOT\\TARNCLASSES]\n"
              "\"one/pkg/A\"=\"libtarnreg_onepackage.so\"\n\"one/pkg/B\"=\"libtarnreg_onepackage.so\"\n"
              "\"one/pkg/C\"=\"libtarnreg_onepackage.so\"\n\"one/pkg/D\"=\"libtarnreg_onepackage.so\"\n"
              "\"one/pkg/E\"=\"libtarnreg_onepackage.so\"\n");
}

TEST(TarnregFile, AFileThatCannotBeOpenedIsReported) {
    Scratch s;
    auto r = s.run({"-reg", (s.dir() / "no" / "such" / "x.reg").string(), kOnePackage});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("tarnreg: cannot open the registration file"), std::string::npos) << r.out;
    EXPECT_FALSE(std::filesystem::exists(s.registry()));
}

TEST(TarnregConcurrency, TwoRunsAtOnceBothLandTheirEntries) {
    Scratch s;
    std::vector<std::string> a, b;
    for (int i = 0; i < 8; ++i) {
        a.push_back(s.copyOf("tarnreg_onepackage", "liba" + std::to_string(i) + ".so").string());
        b.push_back(s.copyOf("tarnreg_onepackage", "libb" + std::to_string(i) + ".so").string());
    }
    a.insert(a.begin(), "-nowarn");
    b.insert(b.begin(), "-nowarn");
    auto first = std::async(std::launch::async, [&] { return s.run(a); });
    auto second = std::async(std::launch::async, [&] { return s.run(b); });
    EXPECT_EQ(first.get().status, 0);
    EXPECT_EQ(second.get().status, 0);
    auto list = modules(s, "one/pkg");
    EXPECT_EQ(list.size(), 16u);
    for (int i = 0; i < 8; ++i) {
        EXPECT_NE(std::find(list.begin(), list.end(), "liba" + std::to_string(i) + ".so"), list.end());
        EXPECT_NE(std::find(list.begin(), list.end(), "libb" + std::to_string(i) + ".so"), list.end());
    }
}

}  // namespace
