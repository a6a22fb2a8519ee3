// The registry file: reading tolerantly, writing the registration-file syntax, and
// changes from many writers at once.
#include <gtest/gtest.h>

#include <cstdlib>
#include <thread>

#include "host/runtime/Registry.h"
#include "tests/tarnreg/TarnregRun.h"

using host::Registry;
using host::RegistryDocument;
using host::RegistryValue;

namespace {

const std::string kPkg = std::string(host::kClassesKey) + "\\norvex/chart";

TEST(RegistryDocument, ReadsCrlfContinuationsCommentsAndSkipsUnknownLines) {
    std::string text =
        "REGEDIT4\r\n\r\n"
        "; a comment\r\n"
        "this line means nothing\r\n"
        "\"orphan\"=\"value before any key\"\r\n"
        "[HKEY_CLASSES_ROOT\\TARNCLASSES\\norvex/chart]\r\n"
        "\"Modules\"=hex(7):6c,69,62,61,2e,73,6f,00,\\\r\n"
        "  6c,69,62,62,2e,73,6f,00,00\r\n"
        "\"Plain\"=\"a \\\"quoted\\\" \\\\ text\"\r\n"
        "\"Count\"=dword:00000010\r\n"
        "\"Broken\"=hex(7):zz,00\r\n"
        "[unterminated key\r\n"
        "\"Lost\"=\"belongs to no key\"\r\n";
    RegistryDocument doc = RegistryDocument::parse(text);
    EXPECT_EQ(doc.keys(), (std::vector<std::string>{kPkg}));
    ASSERT_NE(doc.value(kPkg, "Modules"), nullptr);
    EXPECT_EQ(*doc.value(kPkg, "modules"), RegistryValue::multiString({"liba.so", "libb.so"})) << "names ignore case";
    EXPECT_EQ(*doc.value(kPkg, "Plain"), RegistryValue::string("a \"quoted\" \\ text"));
    EXPECT_EQ(doc.value(kPkg, "Count")->raw, "dword:00000010") << "types we do not use are kept as they are";
    EXPECT_EQ(doc.value(kPkg, "Broken"), nullptr);
    EXPECT_EQ(doc.valueNames(kPkg), (std::vector<std::string>{"Modules", "Plain", "Count"}));
}

TEST(RegistryDocument, FormatParsesBackToTheSameValues) {
    RegistryDocument doc;
    doc.setValue(kPkg, "Modules", RegistryValue::multiString({"libtarnchart11.so", std::string(70, 'x') + ".so"}));
    doc.setValue(host::kClassesKey, "norvex/chart/NxAxis", RegistryValue::string("lib\"odd\"\\name.so"));
    doc.setValue(host::kClassesKey, "", RegistryValue::string("default value"));
    doc.setValue(host::kClassesKey, "Lines", RegistryValue::string("one\ntwo"));
    doc.setValue(host::kClassesKey, "Count", RegistryValue{RegistryValue::Kind::Raw, {}, "dword:00000001"});
    std::string text = doc.format();
    EXPECT_EQ(text.rfind("REGEDIT4\n\n", 0), 0u);
    EXPECT_NE(text.find("; Modules: libtarnchart11.so xxxx"), std::string::npos) << "multi-strings are readable in a comment";
    EXPECT_NE(text.find("@=\"default value\""), std::string::npos);
    RegistryDocument back = RegistryDocument::parse(text);
    EXPECT_EQ(back.format(), text);
    EXPECT_EQ(*back.value(kPkg, "Modules"), *doc.value(kPkg, "Modules"));
    EXPECT_EQ(*back.value(host::kClassesKey, "norvex/chart/NxAxis"), RegistryValue::string("lib\"odd\"\\name.so"));
    EXPECT_EQ(*back.value(host::kClassesKey, "Lines"), RegistryValue::string("one\ntwo"));
    EXPECT_EQ(back.value(host::kClassesKey, "Count")->raw, "dword:00000001");
}

TEST(RegistryDocument, MultiStringLinesBreakOnceTheColumnPasses79) {
    // "Modules" starts the counter at 18; each byte adds 3: the 21st byte brings it to 81.
    std::string twenty(20, 'a');
    std::string line = host::formatRegistryValue("Modules", RegistryValue::multiString({twenty}));
    std::string expected20 = "\"Modules\"=hex(7):";
    for (int i = 0; i < 20; ++i) expected20 += "61,";
    expected20 += "00,\\\n  00";
    EXPECT_EQ(line, expected20) << "the string's terminator passes 79 and breaks before the list's";
    std::string line21 = host::formatRegistryValue("Modules", RegistryValue::multiString({twenty + "a"}));
    EXPECT_EQ(line21.find("\\\n  "), 17u + 21 * 3) << "the break comes right after the byte that passes 79";
}

TEST(RegistryDocument, RemovalLinesAndKeyEdits) {
    RegistryDocument doc = RegistryDocument::parse(
        "REGEDIT4\n[A\\B]\n\"x\"=\"1\"\n\"y\"=\"2\"\n[A\\B\\C]\n\"z\"=\"3\"\n[A\\BC]\n"
        "[A\\B]\n\"x\"=-\n[-A\\B]\n");
    EXPECT_EQ(doc.keys(), (std::vector<std::string>{"A\\BC"})) << "a removed key takes its subkeys, not its neighbours";
    EXPECT_TRUE(doc.createKey("A\\B\\"));
    EXPECT_FALSE(doc.createKey("a\\b")) << "a trailing backslash and case name the same key";
    EXPECT_TRUE(doc.hasKey("A\\B"));
}

TEST(Registry, LocationFollowsTheEnvironment) {
    const char* saved = std::getenv("NORVEX_REGISTRY");
    std::string keep = saved ? saved : "";
    setenv("NORVEX_REGISTRY", "/somewhere/reg.reg", 1);
    EXPECT_EQ(Registry::defaultPath(), "/somewhere/reg.reg");
    unsetenv("NORVEX_REGISTRY");
    setenv("XDG_CONFIG_HOME", "/cfg", 1);
    EXPECT_EQ(Registry::defaultPath(), "/cfg/norvex/registry.reg");
    unsetenv("XDG_CONFIG_HOME");
    setenv("HOME", "/home/someone", 1);
    EXPECT_EQ(Registry::defaultPath(), "/home/someone/.config/norvex/registry.reg");
    if (saved) setenv("NORVEX_REGISTRY", keep.c_str(), 1);
}

TEST(Registry, UpdateCreatesTheFolderAndLeavesNoTemporaryFiles) {
    tarnregtest::Scratch s;
    Registry reg(s.registry().string());
    EXPECT_TRUE(reg.read().keys().empty()) << "a missing file is an empty registry";
    std::string error;
    ASSERT_TRUE(reg.update([](RegistryDocument& d) { d.setValue(kPkg, "Modules", RegistryValue::multiString({"a.so"})); return true; }, &error))
        << error;
    EXPECT_TRUE(reg.update([](RegistryDocument&) { return false; }, &error)) << "no change, no write";
    EXPECT_EQ(*reg.read().value(kPkg, "Modules"), RegistryValue::multiString({"a.so"}));
    std::vector<std::string> names;
    for (auto& e : std::filesystem::directory_iterator(s.registry().parent_path())) names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"registry.reg", "registry.reg.lock"}));
}

TEST(Registry, UpdateFailsWhenTheFolderCannotBeMade) {
    tarnregtest::Scratch s;
    std::ofstream(s.dir() / "file") << "x";
    Registry reg((s.dir() / "file" / "registry.reg").string());
    std::string error;
    EXPECT_FALSE(reg.update([](RegistryDocument& d) { return d.createKey("K"); }, &error));
    EXPECT_NE(error.find("registry.reg"), std::string::npos) << error;
}

TEST(Registry, ConcurrentWritersLoseNothing) {
    tarnregtest::Scratch s;
    const int threads = 4, each = 25;
    std::vector<std::thread> pool;
    for (int t = 0; t < threads; ++t)
        pool.emplace_back([&, t] {
            Registry reg(s.registry().string());  // each its own lock descriptor, as separate runs
            for (int i = 0; i < each; ++i)
                reg.update([&](RegistryDocument& d) {
                    d.setValue(host::kClassesKey, "t" + std::to_string(t) + "." + std::to_string(i), RegistryValue::string("x"));
                    return true;
                }, nullptr);
        });
    for (auto& th : pool) th.join();
    EXPECT_EQ(Registry(s.registry().string()).read().valueNames(host::kClassesKey).size(), size_t(threads * each));
}

}  // namespace
