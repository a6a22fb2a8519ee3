#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "host/page/Applet.h"
#include "host/ui/Component.h"
#include "host/graphics/Image.h"
#include "util/ConvertUtil.h"
#include "util/NxEnvironment.h"
#include "util/NxFile.h"
#include "util/NxImageCreator.h"
#include "util/NxURLDirectory.h"
#include "util/NxUtilConverter.h"

namespace fs = std::filesystem;
using namespace norvex::util;

namespace {

struct FileFixture : testing::Test {
    fs::path dir;
    std::shared_ptr<host::Applet> app = host::create<host::Applet>();

    void SetUp() override {
        char tmpl[] = "/tmp/nxfileXXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        dir = tmpl;
        app->setDocumentBase(host::URL::fromFile((dir / "page.html").string()));
    }
    void TearDown() override { fs::remove_all(dir); }
    void write(const std::string& name, const std::string& content) {
        std::ofstream(dir / name, std::ios::binary) << content;
    }
};

}  // namespace

TEST_F(FileFixture, CreateURLResolvesAgainstThePage) {
    EXPECT_EQ(NxFile::createURL(app.get(), "data/x.txt").toString(), "file:" + (dir / "data/x.txt").string());
    EXPECT_EQ(NxFile::createURL(app.get(), "http://example.org/a.txt").toString(), "http://example.org/a.txt");
    EXPECT_THROW(NxFile::createURL(app.get(), ":nothing"), host::MalformedURLException);
}

TEST_F(FileFixture, ReadJoinsLinesWithoutSeparators) {
    write("ab.txt", "a\nb\n");
    EXPECT_EQ(NxFile::read(app.get(), "ab.txt"), OptString("ab"));
    write("lines.txt", "l0\r\nl1\nl2\nl3");
    auto all = NxFile::readLines(app.get(), "lines.txt");
    ASSERT_TRUE(all);
    EXPECT_EQ(all->size(), 4);
    auto some = NxFile::readLines(app.get(), "lines.txt", 1, 2);
    ASSERT_EQ(some->size(), 2);
    EXPECT_EQ(some->elementAt(0).asString(), "l1");
    EXPECT_EQ(some->elementAt(1).asString(), "l2");
}

TEST_F(FileFixture, MissingFileIsReportedAndYieldsNothing) {
    testing::internal::CaptureStderr();
    OptString text = NxFile::read(app.get(), "missing.txt");
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(text, std::nullopt);
    EXPECT_EQ(err.rfind("Error opening file 'missing.txt'", 0), 0u) << err;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1);
    testing::internal::CaptureStderr();
    EXPECT_EQ(NxFile::readLines(app.get(), "missing.txt"), nullptr);
    EXPECT_EQ(NxFile::readCSV(app.get(), "missing.txt"), nullptr);
    testing::internal::GetCapturedStderr();
}

TEST_F(FileFixture, RowsOfCells) {
    write("rows.txt", "a;b\\;c;;d\n\nx");
    auto rows = NxFile::read(app.get(), "rows.txt", ';', false);
    ASSERT_TRUE(rows);
    ASSERT_EQ(rows->size(), 3);
    auto first = rows->elementAt(0).as<NxVector>();
    ASSERT_EQ(first->size(), 4);
    EXPECT_EQ(first->elementAt(1).asString(), "b\\;c");  // escapes are kept for the cells
    EXPECT_TRUE(first->elementAt(2).isNull());
    EXPECT_EQ(rows->elementAt(1).as<NxVector>()->size(), 0);

    write("rows.csv", "x,\"a,b\",q\"\"r");
    auto csv = NxFile::readCSV(app.get(), "rows.csv");
    ASSERT_EQ(csv->size(), 1);
    auto row = csv->elementAt(0).as<NxVector>();
    ASSERT_EQ(row->size(), 3);
    EXPECT_EQ(row->elementAt(1).asString(), "a,b");
    EXPECT_EQ(row->elementAt(2).asString(), "q\"r");
}

TEST_F(FileFixture, DirectoryListingKeepsEntriesOfTheDirectory) {
    write("list.html",
          "<a href=\"one.txt\">1</a> <A HREF='sub/two.gif'>2</A> <a href=../up.txt>u</a>"
          " <a href=\"?C=N\">sort</a> <a href=\"/elsewhere/x\">x</a> <a data-href=\"no\">n</a>");
    auto entries = NxURLDirectory::getFileList(app.get(), "list.html");
    EXPECT_EQ(entries, (std::vector<std::string>{"one.txt", "sub/two.gif"}));
    testing::internal::CaptureStderr();
    EXPECT_TRUE(NxURLDirectory::getFileList(app.get(), "none.html").empty());
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(NxURLDirectory::parseRef(" = \"a b\" x"), "a b");
    EXPECT_EQ(NxURLDirectory::parseRef("=c>rest"), "c");
    // The page's text alone; a name with an empty segment in front is no entry.
    EXPECT_EQ(NxURLDirectory::listEntries(host::URL("file:/"), "<a href=////a>x</a> <a href=b>b</a>"),
              (std::vector<std::string>{"b"}));
}

TEST(Environment, AnswersForThisHost) {
    EXPECT_EQ(NxEnvironment::getOS(), 0);
    EXPECT_EQ(NxEnvironment::getRuntimeVersion(), 110);
    EXPECT_FALSE(NxEnvironment::isEmbeddedOS());

    auto app = host::create<host::Applet>();
    auto panel = std::make_shared<host::Panel>();
    auto canvas = std::make_shared<host::Canvas>();
    app->add(panel);
    panel->add(canvas);
    EXPECT_EQ(NxEnvironment::getApplet(canvas.get()), app.get());
    EXPECT_EQ(NxEnvironment::getApplet(nullptr), nullptr);
    EXPECT_FALSE(NxEnvironment::inBrowser(canvas.get()));
    app->setAppletContext(std::make_shared<host::PageContext>());
    EXPECT_TRUE(NxEnvironment::inBrowser(canvas.get()));
    app->addNotify();
    EXPECT_EQ(NxEnvironment::getBrowser(canvas.get()), 1);
    EXPECT_EQ(NxEnvironment::getBrowser(std::make_shared<host::Canvas>().get()), 1);  // the cached answer
}

TEST(ImageCreator, PixelMapsWithTransparentCharacters) {
    NxImageCreator ic(nullptr, 3, 2);
    ic.setColor('r', host::Color::red);
    ic.setColor('b', int32_t(0x800000ff));
    ic.setPixels(0, "rb");  // one character short: ignored
    EXPECT_EQ(ic.getPixel(0, 0), 0u);
    ic.setPixels(std::string("r.b"));
    ic.setPixels(std::string(".r."));
    ic.setPixels(std::string("rrr"));  // past the last row: ignored
    EXPECT_EQ(ic.getPixel(0, 0), 0xffff0000u);
    EXPECT_EQ(ic.getPixel(1, 0), 0u);  // '.' has no colour
    EXPECT_EQ(ic.getPixel(2, 0), 0x800000ffu);
    EXPECT_EQ(ic.getPixel(1, 1), 0xffff0000u);

    auto image = ic.create();
    ASSERT_TRUE(image);
    EXPECT_EQ(image->getWidth(), 3);
    EXPECT_EQ(image->getPixel(0, 0), 0xffff0000u);
    EXPECT_EQ(image->getPixel(1, 0) >> 24, 0u);

    auto again = ic.create({"...", "..r"});
    ASSERT_TRUE(again);
    EXPECT_EQ(again->getPixel(0, 0) >> 24, 0u);
    EXPECT_EQ(again->getPixel(2, 1), 0xffff0000u);

    NxImageCreator empty(nullptr);
    EXPECT_EQ(empty.create(), nullptr);
}

TEST_F(FileFixture, ImagesFromThePageAndMissingImages) {
    auto img = host::Image::createOffscreen(2, 2);
    ASSERT_TRUE(img->writePNG((dir / "dot.png").string()));
    auto canvas = std::make_shared<host::Canvas>();
    app->add(canvas);
    auto loaded = NxUtilConverter::toImage(canvas.get(), std::string("dot.png"));
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->getWidth(), 2);
    EXPECT_TRUE(NxUtilConverter::toImage(nullptr, (dir / "dot.png").string()));

    testing::internal::CaptureStderr();
    EXPECT_EQ(NxUtilConverter::toImage(canvas.get(), std::string("none.png")), nullptr);
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(err, "Error loading image none.png\n");

    testing::internal::CaptureStderr();
    auto list = NxUtilConverter::toImageList(canvas.get(), std::string("dot.png, none.png"), {nullptr, loaded});
    testing::internal::GetCapturedStderr();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_TRUE(list[0]);
    EXPECT_EQ(list[1], loaded);  // the default of a failed entry
}

TEST(CellValues, RichTextOnlyForAnUnescapedBracket) {
    EXPECT_TRUE(ConvertUtil::needsRichText("[b]"));
    EXPECT_TRUE(ConvertUtil::needsRichText("a\\[b[c"));
    EXPECT_FALSE(ConvertUtil::needsRichText("a\\[b"));
    EXPECT_TRUE(ConvertUtil::toCellValue(nullptr, std::string("[UL]x"), true).instanceOf("NxString"));
    EXPECT_TRUE(ConvertUtil::toCellValue(nullptr, std::string("[UL]x"), false).isString());
    EXPECT_TRUE(ConvertUtil::toCellValue(nullptr, std::nullopt, true).isNull());
}
