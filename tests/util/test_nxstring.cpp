#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "host/page/Applet.h"
#include "host/ui/Component.h"
#include "host/graphics/Image.h"
#include "host/graphics/RecordingGraphics.h"
#include "host/runtime/URL.h"
#include "util/NxString.h"
#include "util/Nxqsort.h"

using host::Color;
using host::Font;
using host::FontMetrics;
using host::Value;
using norvex::util::NxImage;
using norvex::util::NxString;
using norvex::util::NxStringPtr;
using norvex::util::Nxqsort;

namespace {

// One readable word per segment: texts quoted, markers and values as numbers.
std::string seg(const Value& v) {
    if (v.isString()) return "'" + v.asString() + "'";
    if (v.isInt()) return std::to_string(v.asInt());
    if (v.isFont()) {
        Font f = v.asFont();
        return "font(" + f.getName() + "," + std::to_string(f.getStyle()) + "," + std::to_string(f.getSize()) + ")";
    }
    if (v.isColor()) {
        Color c = v.asColor();
        return "color(" + std::to_string(c.getRed()) + "," + std::to_string(c.getGreen()) + "," +
               std::to_string(c.getBlue()) + ")";
    }
    if (auto nx = v.as<NxImage>()) return "img(" + nx->getFile() + ")";
    if (auto im = v.as<host::Image>()) return "image(" + std::to_string(im->getWidth()) + "x" + std::to_string(im->getHeight()) + ")";
    return "?" + v.toString();
}

std::string segs(const NxStringPtr& s) {
    std::string out;
    for (const Value& v : s->elements()) out += (out.empty() ? "" : " ") + seg(v);
    return out;
}

std::string parsed(const std::string& markup) { return segs(NxString::parse(nullptr, markup)); }

std::shared_ptr<host::Image> block(int w, int h) {
    std::vector<uint32_t> px(std::size_t(w * h), 0xff336699u);
    return host::Image::fromARGB(w, h, px.data(), 0, w);
}

const std::string kExamples = std::string(NORVEX_SOURCE_DIR) + "/examples/";

// A page with its context, and a canvas inside it, for images and links.
struct Page {
    std::shared_ptr<host::Applet> applet = host::create<host::Applet>();
    std::shared_ptr<host::PageContext> context = std::make_shared<host::PageContext>();
    std::shared_ptr<host::Canvas> canvas = host::create<host::Canvas>();
    Page() {
        context->setQuiet(true);
        applet->setDocumentBase(host::URL::fromFile(kExamples));
        applet->setAppletContext(context);
        applet->add(canvas);
    }
};

const Font kHelv("Helvetica", Font::PLAIN, 12);

}  // namespace

TEST(NxStringParse, KeywordsIgnoreCase) {
    EXPECT_EQ(parsed("[ul]Hi[/ul]"), "-2 'Hi' -4");
    EXPECT_EQ(parsed("[Underline]a[/UNDERLINE][st]b[/Strikethrough]"), "-2 'a' -4 -3 'b' -5");
    EXPECT_EQ(parsed("[align=top]a[ALIGN=Middle]b[Align=BOTTOM]c[ALIGN=left]d"), "-17 'a' -18 'b' -19 'cd'");
    EXPECT_EQ(parsed("[reset][newline][default_font][Default_Color][/href]"), "-9 -8 -10 -11 -22");
    EXPECT_EQ(parsed("[color=Default][font=DEFAULT]"), "-11 -10");
}

TEST(NxStringParse, EscapesAndNewlines) {
    EXPECT_EQ(parsed("a\\[b"), "'a[b'");
    EXPECT_EQ(parsed("a\\nb"), "'a' -8 'b'");
    EXPECT_EQ(parsed("one\ntwo"), "'one' -8 'two'");
    EXPECT_EQ(parsed("x\\\\y"), "'x\\y'");
    EXPECT_EQ(parsed("[FONT=a\\]b-BOLD-9]"), "font(a]b,1,9)");
}

TEST(NxStringParse, ColoursFontsAndSpaces) {
    EXPECT_EQ(parsed("[COLOR=#ff0000]x"), "color(255,0,0) 'x'");
    EXPECT_EQ(parsed("[FONT=Helvetica-BOLD-14]x"), "font(Helvetica,1,14) 'x'");
    EXPECT_EQ(parsed("[COLOR=purple]x[FONT=Helvetica-12]y"), "'xy'");  // unreadable: nothing added
    EXPECT_EQ(parsed("a[HORIZ_SPACE]b[HORIZ_SPACE=4]c"), "'a' -6 'b' -6 4 'c'");
    EXPECT_EQ(parsed("[VERT_SPACE = 7 ][vert_space]"), "-7 7 -7");
    // A negative size would be read as a marker (-5 is END_STRIKETHROUGH): the gap stays default.
    EXPECT_EQ(parsed("[HORIZ_SPACE=-5]"), "-6");
    // Font values are split again at '-' with escapes resolved.
    EXPECT_EQ(parsed("[FONT=a\\\\\\\\b-BOLD-3][FONT=c\\\\-d-ITALIC-5]"), "font(a\\b,1,3) font(c-d,2,5)");
}

TEST(NxStringParse, IgnoredTags) {
    EXPECT_EQ(parsed("[FOO]x"), "'x'");
    EXPECT_EQ(parsed("[]x[HREF]y[HREF=]z"), "'xyz'");
    EXPECT_EQ(parsed("unterminated[UL"), "'unterminated' -2");
    EXPECT_EQ(parsed("trailing["), "'trailing'");
    EXPECT_EQ(NxString::parse(nullptr, std::nullopt), nullptr);
    EXPECT_EQ(parsed(""), "");
}

TEST(NxStringParse, LinksKeepTheWholeUrlText) {
    EXPECT_EQ(parsed("[HREF=page.html TARGET=_top]go[/HREF]"), "-21 'page.html TARGET=_top' 'go' -22");
    // The URL is its own segment; text after it is not merged into it.
    EXPECT_EQ(parsed("[HREF=a][X]b"), "-21 'a' 'b'");
}

TEST(NxStringParse, ImagesLoadRelativeToThePage) {
    Page page;
    auto s = NxString::parse(page.canvas.get(), "[IMG=images/badge.png]ok");
    ASSERT_EQ(s->size(), 2);
    auto nx = s->elementAt(0).as<NxImage>();
    ASSERT_NE(nx, nullptr);
    EXPECT_EQ(nx->getFile(), "images/badge.png");
    EXPECT_GT(nx->getImage()->getWidth(), 0);
    EXPECT_EQ(s->getImage(), nx->getImage());

    testing::internal::CaptureStderr();
    auto missing = NxString::parse(page.canvas.get(), "[IMAGE=images/missing.png]x");
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(segs(missing), "'x'");
    EXPECT_NE(err.find("Error loading image "), std::string::npos);
    EXPECT_EQ(missing->getImage(), nullptr);
}

TEST(NxStringMarkup, WritesTagsBack) {
    auto s = NxString::parse(nullptr,
                             "[font=Helvetica-bold-14][color=red]a\\[b[reset][ul]u[/ul][st]s[/st][href=x.html]l[/href]"
                             "[align=middle][horiz_space][vert_space=3][newline]\\\\[default_font][default_color]");
    EXPECT_EQ(s->toString2(),
              "[FONT=Helvetica-BOLD-14][COLOR=red]a\\[b[RESET][UL]u[/UL][ST]s[/ST][HREF=x.html]l[/HREF]"
              "[ALIGN=MIDDLE][HORIZ_SPACE][VERT_SPACE=3][NEWLINE]\\\\[DEFAULT_FONT][DEFAULT_COLOR]");
    // A bare image has no name to write.
    NxString bare(std::string("t"), block(4, 4), NxString::STRING_RIGHT);
    EXPECT_EQ(bare.toString2(), "[ALIGN=MIDDLE][HORIZ_SPACE]t");
}

TEST(NxStringMarkup, RoundTripGivesTheSameSegments) {
    Page page;
    const char* cases[] = {
        "[COLOR=#102030]dark[COLOR=DEFAULT] [FONT=TimesRoman-ITALIC-20]big[RESET] done",
        "a\\[b\\\\c] [HREF=http://h/x?a=b TARGET=_blank]link\\]text[/HREF]",
        "[IMG=images/badge.png][ALIGN=TOP]top[HORIZ_SPACE=0][VERT_SPACE]x\\ny",
        "merge[FOO]d[IMG=images/none.png]texts",
        "[FONT=a\\]b-PLAIN-9]odd [COLOR=1-2-3]names[NEWLINE][NEWLINE]",
        // White space at the ends, and font names holding a backslash or a dash.
        "[X]  spaced  [X]",
        "[FONT=a\\\\\\\\b-BOLD-3]x[FONT=c\\\\-d-ITALIC-5]y",
    };
    testing::internal::CaptureStderr();
    for (const char* c : cases) {
        auto first = NxString::parse(page.canvas.get(), c);
        auto again = NxString::parse(page.canvas.get(), first->toString2());
        EXPECT_EQ(segs(again), segs(first)) << c << " -> " << first->toString2();
    }
    testing::internal::GetCapturedStderr();
}

TEST(NxStringBuild, CaptionLayouts) {
    auto im = block(8, 6);
    auto make = [&](int layout) { return segs(host::create<NxString>(std::string("cap"), im, layout)); };
    EXPECT_EQ(make(NxString::STRING_LEFT), "'cap' -18 -6 image(8x6)");
    EXPECT_EQ(make(NxString::STRING_TOP), "'cap' -8 -7 5 image(8x6)");
    EXPECT_EQ(make(NxString::STRING_BOTTOM), "image(8x6) -8 -7 5 'cap'");
    EXPECT_EQ(make(NxString::STRING_RIGHT), "image(8x6) -18 -6 'cap'");
    EXPECT_EQ(make(99), "image(8x6) -18 -6 'cap'");
    EXPECT_EQ(segs(host::create<NxString>(std::nullopt, im, 0)), "image(8x6)");
    EXPECT_EQ(segs(host::create<NxString>(std::string("a\nb\n"), nullptr, 0)), "'a' -8 'b' -8");

    NxString s;
    s.add(Value());
    s.add("x\ny");
    s.add(NxString::HORIZ_SPACE, 3);
    s.add(Color::blue);
    EXPECT_EQ(s.size(), 6);
    EXPECT_TRUE(NxString::isValue(Value(0)));
    EXPECT_FALSE(NxString::isValue(Value(-1)));
    EXPECT_FALSE(NxString::isValue(Value("3")));
}

TEST(NxStringExtract, PlainTextSkipsUrlsAndValues) {
    auto s = NxString::parse(nullptr, "[B]a[HREF=u.html]b[/HREF][HORIZ_SPACE=4]c[NEWLINE]d");
    EXPECT_EQ(s->getString(), "abc\nd");
    EXPECT_EQ(s->getImage(), nullptr);
}

TEST(NxStringExtract, SortComparesRichStringsByText) {
    // By markup "[COLOR=red]z" would sort before "y"; by text it sorts after.
    Value z = NxString::parse(nullptr, "[COLOR=red]z"), y = NxString::parse(nullptr, "y");
    EXPECT_TRUE(Nxqsort::gt(z, y, nullptr));
    EXPECT_TRUE(Nxqsort::lt(y, z, nullptr));
}

TEST(NxStringMeasure, LinesWidthsAndHeights) {
    FontMetrics fm = FontMetrics::get(kHelv);
    auto two = NxString::parse(nullptr, "Hello[NEWLINE]World wide");
    host::Dimension d = two->getSize(nullptr, kHelv);
    EXPECT_EQ(d.width, std::max(fm.stringWidth("Hello"), fm.stringWidth("World wide")));
    EXPECT_EQ(d.height, 2 * fm.getHeight());

    host::Dimension line;
    EXPECT_EQ(two->getLineSize(nullptr, kHelv, 0, line), 2);
    EXPECT_EQ(line.width, fm.stringWidth("Hello"));
    EXPECT_EQ(two->getLineSize(nullptr, kHelv, 2, line), 3);
    EXPECT_EQ(two->getLineSize(nullptr, kHelv, 3, line), -1);

    // Italic text gets size/3 + 1 extra pixels; the default gap is 10.
    Font it("Helvetica", Font::ITALIC, 12);
    auto italic = NxString::parse(nullptr, "[FONT=Helvetica-ITALIC-12]abc");
    EXPECT_EQ(italic->getWidth(nullptr, kHelv), FontMetrics::get(it).stringWidth("abc") + 5);
    EXPECT_EQ(NxString::parse(nullptr, "a[HORIZ_SPACE]b")->getWidth(nullptr, kHelv),
              fm.stringWidth("a") + 10 + fm.stringWidth("b"));
    EXPECT_EQ(NxString::parse(nullptr, "a[HORIZ_SPACE=4]b")->getWidth(nullptr, kHelv),
              fm.stringWidth("a") + 4 + fm.stringWidth("b"));

    // A link's URL is not drawn, so it takes no width.
    EXPECT_EQ(NxString::parse(nullptr, "[HREF=a-long-address.html]x[/HREF]")->getWidth(nullptr, kHelv),
              fm.stringWidth("x"));

    // The component's font is the default.
    auto comp = host::create<host::Canvas>();
    comp->setFont(Font("Helvetica", Font::BOLD, 20));
    EXPECT_EQ(two->getHeight(comp.get(), std::nullopt), 2 * FontMetrics::get(comp->getFont()).getHeight());
}

TEST(NxStringMeasure, FontInForceAndVerticalSpace) {
    FontMetrics fm = FontMetrics::get(kHelv);
    Font big("Helvetica", Font::BOLD, 24);
    FontMetrics bm = FontMetrics::get(big);
    // The second line starts in the font set on the first one.
    auto s = NxString::parse(nullptr, "[FONT=Helvetica-BOLD-24]A[NEWLINE]B");
    host::Dimension line;
    s->getLineSize(nullptr, kHelv, 3, line);
    EXPECT_EQ(line.width, bm.stringWidth("B"));
    // After RESET the text is measured in the default font, as it is drawn.
    auto r = NxString::parse(nullptr, "[FONT=Helvetica-BOLD-24]A[RESET]small");
    EXPECT_EQ(r->getWidth(nullptr, kHelv), bm.stringWidth("A") + fm.stringWidth("small"));

    auto v = NxString::parse(nullptr, "a[NEWLINE][VERT_SPACE=6]b[VERT_SPACE=99][NEWLINE][VERT_SPACE]c");
    EXPECT_EQ(v->getVertSpace(0, 2), 0);
    EXPECT_EQ(v->getVertSpace(2, 7), 6);  // the first one of the line counts
    EXPECT_EQ(v->getVertSpace(8, 10), NxString::DEFAULT_SPACE);
    EXPECT_EQ(v->getHeight(nullptr, kHelv), 3 * fm.getHeight() + 6 + 10);

    // Text above an image with a 5-pixel gap.
    NxString cap(std::string("cap"), block(30, 40), NxString::STRING_TOP);
    host::Dimension size = cap.getSize(nullptr, kHelv);
    EXPECT_EQ(size.height, fm.getHeight() + 5 + 40);
    EXPECT_EQ(size.width, std::max(30, fm.stringWidth("cap")));
}

TEST(NxStringDraw, BaselinesUnderlineAndStrikeThrough) {
    FontMetrics fm = FontMetrics::get(kHelv);
    const int h = fm.getHeight(), a = fm.getAscent(), d = h - a;
    host::RecordingGraphics g;
    g.setFont(kHelv);
    g.setColor(Color::black);
    g.clearLog();

    auto s = NxString::parse(nullptr, "[UL]Hi[/UL] [ST]x[/ST]");
    s->draw(nullptr, g, {10, 20, 200, 50}, 0);
    const int base = 20 + h - d;  // one line as tall as the font
    const int wHi = fm.stringWidth("Hi"), wSp = fm.stringWidth(" "), wX = fm.stringWidth("x");
    std::vector<std::string> want = {
        "drawString(\"Hi\",10," + std::to_string(base) + ")",
        "drawLine(10," + std::to_string(base + 1) + "," + std::to_string(10 + wHi) + "," + std::to_string(base + 1) + ")",
        "drawString(\" \"," + std::to_string(10 + wHi) + "," + std::to_string(base) + ")",
        "drawString(\"x\"," + std::to_string(10 + wHi + wSp) + "," + std::to_string(base) + ")",
        "drawLine(" + std::to_string(10 + wHi + wSp) + "," + std::to_string(base - h / 2 + 3) + "," +
            std::to_string(10 + wHi + wSp + wX) + "," + std::to_string(base - h / 2 + 3) + ")",
    };
    EXPECT_EQ(g.log(), want);
}

TEST(NxStringDraw, VerticalAlignmentAgainstATallImage) {
    FontMetrics fm = FontMetrics::get(kHelv);
    const int h = fm.getHeight(), d = h - fm.getAscent();
    auto s = host::create<NxString>();
    s->addElement(block(10, 40));
    for (const Value& v : NxString::parse(nullptr, "[ALIGN=TOP]t[ALIGN=MIDDLE]m[ALIGN=BOTTOM]b")->elements())
        s->addElement(v);
    host::RecordingGraphics g;
    g.setFont(kHelv);
    g.clearLog();
    s->draw(nullptr, g, {0, 100, 300, 100}, 0);
    const int x1 = 10, x2 = x1 + fm.stringWidth("t"), x3 = x2 + fm.stringWidth("m");
    std::vector<std::string> want = {
        "drawImage(10x40,0,100)",
        "drawString(\"t\"," + std::to_string(x1) + "," + std::to_string(100 + h - d) + ")",
        "drawString(\"m\"," + std::to_string(x2) + "," + std::to_string(100 + (40 - h) / 2 + h - d) + ")",
        "drawString(\"b\"," + std::to_string(x3) + "," + std::to_string(100 + 40 - d) + ")",
    };
    EXPECT_EQ(g.log(), want);
}

TEST(NxStringDraw, LinesAlignAndAdvance) {
    FontMetrics fm = FontMetrics::get(kHelv);
    const int h = fm.getHeight(), a = fm.getAscent();
    auto s = NxString::parse(nullptr, "wide line[NEWLINE][VERT_SPACE=4]ab");
    for (int align : {0, 1, 2}) {
        host::RecordingGraphics g;
        g.setFont(kHelv);
        g.clearLog();
        s->draw(nullptr, g, {5, 0, 101, 80}, align);
        auto xFor = [&](int w) { return align == 0 ? 5 : align == 1 ? 5 + (101 - w) / 2 : 5 + 101 - w; };
        std::vector<std::string> want = {
            "drawString(\"wide line\"," + std::to_string(xFor(fm.stringWidth("wide line"))) + "," + std::to_string(a) + ")",
            "drawString(\"ab\"," + std::to_string(xFor(fm.stringWidth("ab"))) + "," + std::to_string(h + 4 + a) + ")",
        };
        EXPECT_EQ(g.log(), want) << "align " << align;
    }
}

TEST(NxStringDraw, ResetAndDefaultsUseTheComponent) {
    auto comp = host::create<host::Canvas>();
    comp->setForeground(Color(1, 2, 3));
    host::RecordingGraphics g;
    g.setFont(kHelv);
    g.clearLog();
    auto s = NxString::parse(nullptr, "[COLOR=red][FONT=Courier-BOLD-10][UL]a[RESET]b[COLOR=blue][DEFAULT_COLOR]c");
    s->draw(comp.get(), g, {0, 0, 100, 40}, 0);
    const auto& log = g.log();
    ASSERT_EQ(log.size(), 10u);
    EXPECT_EQ(log[0], "setColor(255,0,0)");
    EXPECT_EQ(log[1], "setFont(Courier,1,10)");
    EXPECT_EQ(log[4], "setColor(1,2,3)");
    EXPECT_EQ(log[5], "setFont(Helvetica,0,12)");
    // No underline under "b" after the reset.
    EXPECT_EQ(log[6].rfind("drawString(\"b\"", 0), 0u);
    EXPECT_EQ(log[7], "setColor(0,0,255)");
    EXPECT_EQ(log[8], "setColor(1,2,3)");
}

TEST(NxStringLinks, RectanglesWithOffsetsAndStatusLine) {
    Page page;
    FontMetrics fm = FontMetrics::get(kHelv);
    const int h = fm.getHeight();
    auto s = NxString::parse(nullptr, "go [HREF=page.html TARGET=_top]there[/HREF] now");
    s->setURLoffset(5, 7);
    host::RecordingGraphics g;
    g.setFont(kHelv);
    s->draw(nullptr, g, {10, 20, 300, 40}, 0);

    const int x0 = 10 + fm.stringWidth("go "), w = fm.stringWidth("there");
    // The link area spans the text's full height, moved by the offset.
    const int left = x0 + 5, top = 20 + 7;
    EXPECT_EQ(s->getURL(left, top), "page.html TARGET=_top");
    EXPECT_EQ(s->getURL(left + w - 1, top + h - 1), "page.html TARGET=_top");
    EXPECT_EQ(s->getURL(left + w, top), std::nullopt);
    EXPECT_EQ(s->getURL(left - 1, top), std::nullopt);
    EXPECT_EQ(s->getURL(left, top + h), std::nullopt);

    // The link text is underlined.
    std::string underline = "drawLine(" + std::to_string(x0) + ",";
    bool found = false;
    for (auto& line : g.log()) found |= line.rfind(underline, 0) == 0;
    EXPECT_TRUE(found);

    // Moving over the link shows it without the target; moving off clears the line.
    Value v = s;
    EXPECT_EQ(NxString::getURL(page.applet.get(), v, left + 1, top + 1), "page.html TARGET=_top");
    EXPECT_EQ(page.context->lastStatus(), "page.html");
    EXPECT_EQ(NxString::getURL(page.applet.get(), v, 0, 0), std::nullopt);
    EXPECT_EQ(page.context->lastStatus(), "");
    EXPECT_EQ(NxString::getURL(page.applet.get(), Value("plain"), 0, 0), std::nullopt);

    // A second draw replaces the recorded areas.
    s->setURLoffset(0, 0);
    s->draw(nullptr, g, {10, 20, 300, 40}, 0);
    EXPECT_EQ(s->getURL(left, top + h), std::nullopt);
    EXPECT_EQ(s->getURL(x0, 20), "page.html TARGET=_top");
}

TEST(NxStringLinks, LinkedImagesAndLinesRecordAreas) {
    auto s = host::create<NxString>();
    s->add(NxString::HREF);
    s->addElement(Value("pic.html"));
    s->addElement(block(20, 30));
    s->add(NxString::NEWLINE);
    s->add("next");
    s->add(NxString::END_HREF);
    host::RecordingGraphics g;
    g.setFont(kHelv);
    s->draw(nullptr, g, {0, 0, 100, 100}, 0);
    EXPECT_EQ(s->getURL(19, 29), "pic.html");
    EXPECT_EQ(s->getURL(20, 10), std::nullopt);
    // The link stays open across the line break.
    EXPECT_EQ(s->getURL(1, 31), "pic.html");
}

TEST(NxStringLinks, ShowUrlAgainstThePage) {
    Page page;
    auto* ctx = page.context.get();
    EXPECT_TRUE(NxString::showURL("sub/page.html TARGET=_top", ctx, page.applet.get()));
    EXPECT_TRUE(NxString::showURL("other.html", ctx, page.applet.get()));
    auto docs = ctx->shownDocuments();
    ASSERT_EQ(docs.size(), 2u);
    EXPECT_EQ(docs[0].first, host::URL(host::URL::fromFile(kExamples), "sub/page.html").toString());
    EXPECT_EQ(docs[0].second, "_top");
    EXPECT_EQ(docs[1].second, "_self");

    EXPECT_FALSE(NxString::showURL("http://host:port/x", ctx, page.applet.get()));
    EXPECT_EQ(ctx->lastStatus(), "Invalid URL");
    EXPECT_FALSE(NxString::showURL(std::nullopt, ctx, page.applet.get()));
    EXPECT_FALSE(NxString::showURL("a.html", nullptr, page.applet.get()));
    EXPECT_EQ(ctx->shownDocuments().size(), 2u);
}
