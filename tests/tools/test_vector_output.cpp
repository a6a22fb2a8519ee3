// Pages written as SVG and PDF: well-formed documents of the page's size, text kept as
// text, and pictures that a standard renderer draws close to the antialiased PNG.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "host/graphics/Image.h"

namespace fs = std::filesystem;

namespace {

std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

int run(const std::string& cmd) {
    int rc = std::system(("bash -c '" + cmd + "' >/dev/null 2>&1").c_str());
    return WIFEXITED(rc) ? WEXITSTATUS(rc) : 128;
}

bool have(const char* program) { return run(std::string("command -v ") + program) == 0; }

// Start and end tags balance (comments, declarations and self-closing tags aside).
bool tagsBalance(const std::string& xml) {
    std::vector<std::string> open;
    for (size_t i = xml.find('<'); i != std::string::npos; i = xml.find('<', i + 1)) {
        const size_t end = xml.find('>', i);
        if (end == std::string::npos) return false;
        const std::string tag = xml.substr(i + 1, end - i - 1);
        if (tag.empty() || tag[0] == '?' || tag[0] == '!' || tag.back() == '/') continue;
        const std::string name = tag.substr(tag[0] == '/', tag.find_first_of(" \t\n/", 1) - (tag[0] == '/'));
        if (tag[0] == '/') {
            if (open.empty() || open.back() != name) return false;
            open.pop_back();
        } else {
            open.push_back(name);
        }
    }
    return open.empty();
}

// Share of pixels whose channels all lie within 'tolerance' of the other picture's.
double closeShare(const host::Image& a, const host::Image& b, int tolerance) {
    if (a.getWidth() != b.getWidth() || a.getHeight() != b.getHeight()) return 0;
    const auto pa = a.getARGB(), pb = b.getARGB();
    size_t close = 0;
    for (size_t i = 0; i < pa.size(); ++i) {
        bool ok = true;
        for (int shift = 0; shift < 24; shift += 8)
            ok = ok && std::abs(int((pa[i] >> shift) & 0xFF) - int((pb[i] >> shift) & 0xFF)) <= tolerance;
        close += ok;
    }
    return double(close) / double(pa.size());
}

class VectorOutput : public testing::Test {
protected:
    void SetUp() override {
        char tmpl[] = "/tmp/tarnview-vector-XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        dir = tmpl;
    }
    void TearDown() override { fs::remove_all(dir); }
    int render(const std::string& page, const std::string& args) {
        return run(std::string(TARNVIEW_PATH) + " -q " + NORVEX_SOURCE_DIR + "/examples/" + page + " " + args);
    }
    fs::path dir;
};

TEST_F(VectorOutput, SvgIsWellFormedOfThePageSizeWithItsText) {
    const fs::path svg = dir / "chart.svg";
    ASSERT_EQ(render("chart-line.html", "-o " + svg.string()), 0);
    const std::string text = slurp(svg);
    EXPECT_EQ(text.rfind("<?xml", 0), 0u);
    EXPECT_NE(text.find("width=\"600px\" height=\"400px\""), std::string::npos) << text.substr(0, 300);
    EXPECT_TRUE(tagsBalance(text));
    // Title, axis title and axis labels are there as text.
    for (const char* s : {">Quarterly sales</text>", ">Quarter</text>", ">90</text>", ">East and West regions"})
        EXPECT_NE(text.find(s), std::string::npos) << s;
}

TEST_F(VectorOutput, StandardOutputTakesTheFormatAndPdfKeepsText) {
    ASSERT_EQ(render("chart-line.html", "-o - --format pdf > " + (dir / "c.pdf").string()), 0);
    EXPECT_EQ(slurp(dir / "c.pdf").rfind("%PDF-", 0), 0u);
    ASSERT_EQ(render("chart-line.html", "-o - --format svg > " + (dir / "c.svg").string()), 0);
    EXPECT_NE(slurp(dir / "c.svg").find("</svg>"), std::string::npos);
    EXPECT_NE(render("chart-line.html", "-o - --format eps"), 0);
    if (!have("pdftotext")) GTEST_SKIP() << "pdftotext not installed";
    ASSERT_EQ(run("pdftotext " + (dir / "c.pdf").string() + " " + (dir / "c.txt").string()), 0);
    EXPECT_NE(slurp(dir / "c.txt").find("Quarterly sales"), std::string::npos);
}

// Every example page in both formats, drawn by standard renderers, against the
// antialiased PNG: nearly every pixel within a small tolerance.
TEST_F(VectorOutput, DocumentsLookLikeTheAntialiasedPicture) {
    if (!have("rsvg-convert") || !have("pdftoppm")) GTEST_SKIP() << "rsvg-convert or pdftoppm not installed";
    for (const char* page : {"chart-line.html", "widgets.html"}) {
        SCOPED_TRACE(page);
        const std::string base = (dir / "p").string();
        ASSERT_EQ(render(page, "--antialias -o " + base + ".png"), 0);
        ASSERT_EQ(render(page, "-o " + base + ".svg"), 0);
        ASSERT_EQ(render(page, "-o " + base + ".pdf"), 0);
        ASSERT_EQ(run("rsvg-convert " + base + ".svg -o " + base + "-svg.png"), 0);
        ASSERT_EQ(run("pdftoppm -png -r 72 -singlefile " + base + ".pdf " + base + "-pdf"), 0);
        auto png = host::Image::load(base + ".png");
        auto fromSvg = host::Image::load(base + "-svg.png");
        auto fromPdf = host::Image::load(base + "-pdf.png");
        ASSERT_TRUE(png->isComplete() && fromSvg->isComplete() && fromPdf->isComplete());
        EXPECT_GT(closeShare(*png, *fromSvg, 48), 0.97);
        EXPECT_GT(closeShare(*png, *fromPdf, 48), 0.97);
    }
}

}  // namespace

namespace {

// Every example page gives a complete SVG and PDF, whatever it holds.
TEST_F(VectorOutput, EveryExamplePageRendersToBothFormats) {
    for (const auto& e : fs::directory_iterator(fs::path(NORVEX_SOURCE_DIR) / "examples")) {
        if (e.path().extension() != ".html") continue;
        const std::string name = e.path().filename().string();
        SCOPED_TRACE(name);
        const fs::path svg = dir / "p.svg", pdf = dir / "p.pdf";
        EXPECT_LE(render(name, "-o " + svg.string()), 1);
        EXPECT_LE(render(name, "-o " + pdf.string()), 1);
        const std::string text = slurp(svg);
        EXPECT_TRUE(tagsBalance(text));
        EXPECT_NE(text.find("</svg>"), std::string::npos);
        const std::string doc = slurp(pdf);
        EXPECT_EQ(doc.rfind("%PDF-", 0), 0u);
        EXPECT_NE(doc.find("%%EOF"), std::string::npos);
        fs::remove(svg);
        fs::remove(pdf);
    }
}

}  // namespace
