#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>

#include "host/runtime/URL.h"
#include "tests/support/LoopbackHttpServer.h"

using host::IOException;
using host::MalformedURLException;
using host::URL;

namespace {

namespace fs = std::filesystem;

fs::path makeTempDir() {
    std::string tmpl = (fs::temp_directory_path() / "urltest-XXXXXX").string();
    return fs::path(mkdtemp(tmpl.data()));
}

void writeFile(const fs::path& p, const std::string& text) {
    std::ofstream(p, std::ios::binary) << text;
}

std::string messageOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const IOException& e) {
        return e.what();
    }
    return "(no exception)";
}

}  // namespace

TEST(URL, ParsesAllParts) {
    URL u("http://Example.org:8080/dir/data.txt?x=1&y=2#part");
    EXPECT_EQ(u.getProtocol(), "http");
    EXPECT_EQ(u.getHost(), "Example.org");
    EXPECT_EQ(u.getPort(), 8080);
    EXPECT_EQ(u.getPath(), "/dir/data.txt");
    EXPECT_EQ(u.getQuery(), "x=1&y=2");
    EXPECT_EQ(u.getFile(), "/dir/data.txt?x=1&y=2");
    EXPECT_EQ(u.getRef(), "part");
    EXPECT_EQ(u.toString(), "http://Example.org:8080/dir/data.txt?x=1&y=2#part");

    URL s("HTTPS://host");
    EXPECT_EQ(s.getProtocol(), "https");
    EXPECT_EQ(s.getPort(), -1);
    EXPECT_EQ(s.getDefaultPort(), 443);
    EXPECT_EQ(s.getFile(), "");

    EXPECT_EQ(URL("http", "h", 81, "a.txt").toString(), "http://h:81/a.txt");
}

TEST(URL, FileFormsAreEqualAndRoundTrip) {
    URL a("file:/abs/path/x.txt"), b("file:///abs/path/x.txt");
    EXPECT_EQ(a, b);
    EXPECT_EQ(a.getPath(), "/abs/path/x.txt");
    EXPECT_EQ(a.getHost(), "");
    // A path starting with "//" (left by resolving "/./") keeps an empty authority in
    // its text, so it does not read back as a host name.
    URL slashes("file:/.//inner/x");
    EXPECT_EQ(slashes.getPath(), "//inner/x");
    EXPECT_EQ(slashes.toString(), "file:////inner/x");
    for (const URL& u : {a, b, URL("http://h/a?b#c"), URL("http://h:1/"), slashes})
        EXPECT_EQ(URL(u.toString()), u) << u.toString();
    EXPECT_EQ(URL("http://h/"), URL("http://H:80/"));
    EXPECT_NE(URL("http://h/a#x"), URL("http://h/a"));
}

TEST(URL, MalformedSpecsThrow) {
    for (const char* bad : {"", "   ", "no/scheme.txt", "://x", "http://", "http:///path", "http://h:99999/",
                            "http://h:8a/", "http://[::1/", "http://h/a\x01" "b", "p:// :", "http://a b/"}) {
        EXPECT_THROW(URL{bad}, MalformedURLException) << bad;
    }
    EXPECT_EQ(messageOf([] { URL("data.txt"); }), "no protocol: data.txt");
    // Malformed URLs are I/O errors too.
    EXPECT_THROW(URL("nothing"), IOException);
}

TEST(URL, ResolvesReferencesAgainstBase) {
    // The reference resolution examples of RFC 3986, normal and abnormal.
    URL base("http://a/b/c/d;p?q");
    const std::pair<const char*, const char*> table[] = {
        {"g:h", "g:h"},
        {"g", "http://a/b/c/g"},
        {"./g", "http://a/b/c/g"},
        {"g/", "http://a/b/c/g/"},
        {"/g", "http://a/g"},
        {"//g", "http://g"},
        {"?y", "http://a/b/c/d;p?y"},
        {"g?y", "http://a/b/c/g?y"},
        {"#s", "http://a/b/c/d;p?q#s"},
        {"g#s", "http://a/b/c/g#s"},
        {";x", "http://a/b/c/;x"},
        {"", "http://a/b/c/d;p?q"},
        {".", "http://a/b/c/"},
        {"./", "http://a/b/c/"},
        {"..", "http://a/b/"},
        {"../g", "http://a/b/g"},
        {"../..", "http://a/"},
        {"../../g", "http://a/g"},
        {"../../../g", "http://a/g"},
        {"/./g", "http://a/g"},
        {"/../g", "http://a/g"},
        {"g.", "http://a/b/c/g."},
        {"..g", "http://a/b/c/..g"},
        {"./../g", "http://a/b/g"},
        {"./g/.", "http://a/b/c/g/"},
        {"g/./h", "http://a/b/c/g/h"},
        {"g/../h", "http://a/b/c/h"},
        {"g;x=1/../y", "http://a/b/c/y"},
        {"http://other:81/z", "http://other:81/z"},
    };
    for (const auto& [ref, want] : table) EXPECT_EQ(URL(base, ref).toString(), want) << ref;

    URL page("file:/home/u/pages/index.html");
    EXPECT_EQ(URL(page, "data/x.txt").toString(), "file:/home/u/pages/data/x.txt");
    EXPECT_EQ(URL(page, "../img/a.gif").toString(), "file:/home/u/img/a.gif");
    EXPECT_EQ(URL(URL("http://h"), "a.txt").toString(), "http://h/a.txt");
}

TEST(URL, FromFileIsAbsoluteAndEscapesSpecialCharacters) {
    URL rel = URL::fromFile("some/dir/../x.txt");
    EXPECT_TRUE(rel.isFile());
    EXPECT_EQ(rel.toLocalPath(), (fs::current_path() / "some/x.txt").string());

    URL odd = URL::fromFile("/tmp/a b#c?d%e.txt");
    EXPECT_EQ(odd.toString(), "file:/tmp/a%20b%23c%3Fd%25e.txt");
    EXPECT_EQ(odd.getRef(), "");
    EXPECT_EQ(odd.toLocalPath(), "/tmp/a b#c?d%e.txt");
    EXPECT_EQ(URL(odd.toString()), odd);

    EXPECT_THROW(URL("http://h/x").toLocalPath(), IOException);
    EXPECT_TRUE(URL::hasScheme("http://x"));
    EXPECT_TRUE(URL::hasScheme("file:/x"));
    EXPECT_FALSE(URL::hasScheme("C:data.txt"));
    EXPECT_FALSE(URL::hasScheme("dir/file.txt"));
}

TEST(URL, ReadsFilesAndLines) {
    fs::path dir = makeTempDir();
    writeFile(dir / "data.txt", std::string("one\r\ntwo\nthree\rfour\n\nsix\0seven", 30));
    URL u = URL::fromFile((dir / "data.txt").string());
    EXPECT_EQ(u.readAll().size(), 30u);
    std::vector<std::string> want = {"one", "two", "three", "four", "", std::string("six\0seven", 9)};
    EXPECT_EQ(u.readLines(), want);
    EXPECT_EQ(URL::splitLines("a\n"), std::vector<std::string>{"a"});
    EXPECT_EQ(URL::splitLines(""), std::vector<std::string>{});

    std::string missing = (dir / "missing.txt").string();
    std::string msg = messageOf([&] { URL::fromFile(missing).readAll(); });
    EXPECT_NE(msg.find(missing), std::string::npos) << msg;
    EXPECT_NE(messageOf([&] { URL::fromFile(dir.string()).readAll(); }).find("directory"), std::string::npos);
    EXPECT_THROW(URL("ftp://h/x").readAll(), IOException);
    fs::remove_all(dir);
}

class URLHttp : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = makeTempDir();
        writeFile(dir_ / "data.txt", "1 2 3\n4 5 6\n");
        fs::create_directory(dir_ / "sub");
        writeFile(dir_ / "sub" / "a b.txt", "spaced");
        server_ = std::make_unique<testsupport::LoopbackHttpServer>(dir_.string());
    }
    static void TearDownTestSuite() {
        server_.reset();
        fs::remove_all(dir_);
    }
    void SetUp() override {
        if (!server_->isUp()) GTEST_SKIP() << "no python3 http.server available";
    }
    static std::string base() { return "http://" + server_->hostPort() + "/"; }

    static inline fs::path dir_;
    static inline std::unique_ptr<testsupport::LoopbackHttpServer> server_;
};

TEST_F(URLHttp, ReadsServedFiles) {
    URL u(base() + "data.txt#ignored");
    EXPECT_EQ(u.readAll(), "1 2 3\n4 5 6\n");
    EXPECT_EQ(u.readLines(), (std::vector<std::string>{"1 2 3", "4 5 6"}));
    // Relative resolution then a name that must be escaped on the wire.
    EXPECT_EQ(URL(URL(base() + "sub/index.html"), "a b.txt").readAll(), "spaced");
    // The server redirects a directory without "/" to the one with it.
    EXPECT_NE(URL(base() + "sub").readAll().find("a b.txt"), std::string::npos);
}

TEST_F(URLHttp, NotFoundIsAnError) {
    std::string msg = messageOf([] { URL(base() + "nope.txt").readAll(); });
    EXPECT_NE(msg.find("404"), std::string::npos) << msg;
    EXPECT_NE(msg.find("nope.txt"), std::string::npos) << msg;
}

TEST(URLHttpClosed, ClosedPortFailsWithTheURL) {
    std::string url = "http://127.0.0.1:" + std::to_string(testsupport::freeLoopbackPort()) + "/x.txt";
    std::string msg = messageOf([&] { URL(url).readAll(); });
    EXPECT_NE(msg.find(url), std::string::npos) << msg;
}
