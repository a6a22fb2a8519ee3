// The renderer run as a program: what it writes, what it refuses and how it exits.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>

#include "host/graphics/Image.h"

namespace fs = std::filesystem;

namespace {

const char* kPage =
    "<applet code=\"tools.ComponentTree\" width=60 height=40>"
    "<param name=child1 value=tools.FramedBox></applet>";

struct Outcome {
    int status = -1;
    std::string err;
};

std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void spit(const fs::path& p, const std::string& text) { std::ofstream(p, std::ios::binary) << text; }

std::string quote(const std::string& s) {
    std::string out = "'";
    for (char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

class PageView : public testing::Test {
protected:
    void SetUp() override {
        char tmpl[] = "/tmp/tarnview-test-XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        dir = tmpl;
    }
    void TearDown() override { fs::remove_all(dir); }

    // Runs the renderer in dir with the arguments (already quoted), after the shell
    // set-up in prefix.
    Outcome view(const std::string& args, const std::string& prefix = "") {
        std::string cmd = "cd " + quote(dir.string()) + " && " + prefix + "exec " + quote(TARNVIEW_PATH) + " -q " +
                          args + " >/dev/null 2>" + quote((dir / ".err").string());
        int rc = std::system(("bash -c " + quote(cmd)).c_str());
        Outcome r;
        r.status = WIFEXITED(rc) ? WEXITSTATUS(rc) : 128 + WTERMSIG(rc);
        r.err = slurp(dir / ".err");
        fs::remove(dir / ".err");
        return r;
    }
    // The names in dir, sorted.
    std::string listing() {
        std::vector<std::string> names;
        for (auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        std::string out;
        for (auto& n : names) out += n + " ";
        return out;
    }

    fs::path dir;
};

}  // namespace

TEST_F(PageView, WritesThePictureBesideThePage) {
    spit(dir / "tree.html", kPage);
    Outcome r = view("tree.html");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(slurp(dir / "tree.png").substr(1, 3), "PNG");
    EXPECT_EQ(listing(), "tree.html tree.png ");
}

TEST_F(PageView, NeverOverwritesThePage) {
    // A page named like a picture: its default output is the page itself.
    spit(dir / "x.png", kPage);
    Outcome r = view("x.png");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("would overwrite the page x.png"), std::string::npos) << r.err;
    EXPECT_EQ(slurp(dir / "x.png"), kPage);
    // Named explicitly, also through another spelling of the same path.
    spit(dir / "p.html", kPage);
    r = view("p.html -o ./p.html");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(slurp(dir / "p.html"), kPage);
    EXPECT_EQ(listing(), "p.html x.png ");
}

TEST_F(PageView, RefusesEmptyAndDirectoryOutputNames) {
    spit(dir / "p.html", kPage);
    fs::create_directory(dir / "sub");
    Outcome r = view("p.html -o ''");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("-o needs a file name"), std::string::npos) << r.err;
    r = view("p.html -o sub");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("cannot write sub: it is a directory"), std::string::npos) << r.err;
    EXPECT_EQ(listing(), "p.html sub ");
}

TEST_F(PageView, FailedWriteKeepsTheOldFileAndLeavesNoPart) {
    spit(dir / "p.html", kPage);
    spit(dir / "out.png", "old");
    spit(dir / "out.gif", "old");
    // Files are limited to 1 KiB and the signal for a too-large file is ignored, so
    // writing the picture of a wide page fails part-way with an error.
    const std::string limit = "ulimit -f 1; trap '' XFSZ; ";
    for (const char* name : {"out.png", "out.gif"}) {
        spit(dir / "p.html", std::string(kPage).replace(std::string(kPage).find("width=60 height=40"), 18,
                                                         "width=2000 height=1500"));
        Outcome r = view(std::string("p.html -o ") + name, limit);
        EXPECT_EQ(r.status, 1) << name << ": " << r.err;
        EXPECT_NE(r.err.find(std::string("cannot write ") + name), std::string::npos) << r.err;
        EXPECT_EQ(slurp(dir / name), "old") << name;
    }
    EXPECT_EQ(listing(), "out.gif out.png p.html ");
    // Without the limit the picture replaces the old file.
    Outcome r = view("p.html -o out.png");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(slurp(dir / "out.png").substr(1, 3), "PNG");
    EXPECT_EQ(listing(), "out.gif out.png p.html ");
}

TEST_F(PageView, UnreadableParameterFileFailsOnceWithExitOne) {
    spit(dir / "p.html",
         "<applet code=\"tools.ComponentTree\" width=60 height=40>"
         "<param name=paramFile value=missing.txt><param name=child1 value=tools.FramedBox></applet>");
    Outcome r = view("p.html");
    EXPECT_EQ(r.status, 1) << r.err;
    size_t first = r.err.find("Error opening file 'missing.txt'");
    ASSERT_NE(first, std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("Error opening file", first + 1), std::string::npos) << r.err;
    EXPECT_TRUE(fs::exists(dir / "p.png"));
}

// Every example page gives a GIF; a picture of more than 255 colours is reduced (and
// says so), decodes, and stays close to the PNG of the same page.
TEST_F(PageView, EveryExamplePageGivesAGifCloseToItsPng) {
    const fs::path examples = fs::path(NORVEX_SOURCE_DIR) / "examples";
    int pages = 0, reduced = 0;
    for (auto& e : fs::directory_iterator(examples)) {
        if (e.path().extension() != ".html") continue;
        ++pages;
        const std::string page = quote(e.path().string());
        const std::string name = e.path().stem().string();
        Outcome png = view(page + " -o " + name + ".png");
        Outcome gif = view(page + " -o " + name + ".gif");
        ASSERT_EQ(gif.status, png.status) << name << ": " << gif.err;
        auto a = host::Image::decode(slurp(dir / (name + ".png")), name + ".png");
        auto b = host::Image::decode(slurp(dir / (name + ".gif")), name + ".gif");
        ASSERT_TRUE(a->isComplete() && b->isComplete()) << name << ": " << gif.err;
        ASSERT_EQ(a->getWidth(), b->getWidth());
        ASSERT_EQ(a->getHeight(), b->getHeight());
        bool wasReduced = gif.err.find("reduced palette of 255") != std::string::npos;
        reduced += wasReduced;
        auto pa = a->getARGB(), pb = b->getARGB();
        double total = 0;
        size_t exact = 0;
        for (size_t i = 0; i < pa.size(); ++i) {
            exact += (pa[i] & 0xffffff) == (pb[i] & 0xffffff);
            for (int s = 0; s < 24; s += 8) total += std::abs(int((pa[i] >> s) & 0xff) - int((pb[i] >> s) & 0xff));
        }
        if (!wasReduced) {
            EXPECT_EQ(exact, pa.size()) << name << " lost colours without being reduced";
        } else {
            EXPECT_LT(total / double(pa.size() * 3), 4.0) << name;
        }
    }
    EXPECT_GE(pages, 10);
    EXPECT_GE(reduced, 2);  // host-demo and rich-text hold more than 255 colours
}
