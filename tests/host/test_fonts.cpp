// Font resolution and metrics: the measured numbers of the installed metric-compatible
// fonts, additivity of widths, non-negative leading and the fallbacks.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "host/graphics/FontEngine.h"

using namespace host;

namespace {

bool endsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

TEST(Fonts, LogicalNamesResolveToTheMetricCompatibleFamilies) {
    struct Case {
        const char* name;
        int style;
        const char* file;
    } cases[] = {
        {"Helvetica", Font::PLAIN, "LiberationSans-Regular.ttf"},
        {"SansSerif", Font::BOLD, "LiberationSans-Bold.ttf"},
        {"dialog", Font::ITALIC, "LiberationSans-Italic.ttf"},
        {"ARIAL", Font::BOLD | Font::ITALIC, "LiberationSans-BoldItalic.ttf"},
        {"TimesRoman", Font::PLAIN, "LiberationSerif-Regular.ttf"},
        {"Serif", Font::BOLD, "LiberationSerif-Bold.ttf"},
        {"Courier", Font::PLAIN, "LiberationMono-Regular.ttf"},
        {"Monospaced", Font::ITALIC, "LiberationMono-Italic.ttf"},
        {"DialogInput", Font::BOLD, "LiberationMono-Bold.ttf"},
        {"No Such Family", Font::PLAIN, "DejaVuSans.ttf"},
        {"", Font::BOLD, "DejaVuSans-Bold.ttf"},
        {"DejaVu Serif", Font::PLAIN, "DejaVuSerif.ttf"},  // a real family name is used as such
    };
    for (const auto& c : cases) {
        auto face = FontFace::get(Font(c.name, c.style, 12));
        ASSERT_TRUE(face);
        EXPECT_TRUE(endsWith(face->file, c.file)) << c.name << " -> " << face->file;
        EXPECT_FALSE(face->syntheticBold || face->syntheticItalic) << c.name;
        EXPECT_TRUE(face->mono && face->antialiased);
    }
}

TEST(Fonts, MeasuredMetrics) {
    // ascent, descent, height, w("Hello"), w("MMMM"). Helvetica 10 is 13 high: the
    // design-unit rule gives ascent 10 + descent 3 with no leading.
    struct Case {
        const char* name;
        int style, size, ascent, descent, height, hello, mmmm;
    } cases[] = {
        {"Helvetica", Font::PLAIN, 10, 10, 3, 13, 25, 36},
        {"Helvetica", Font::PLAIN, 12, 11, 3, 14, 29, 36},
        {"Helvetica", Font::PLAIN, 14, 13, 3, 16, 31, 44},
        {"Helvetica", Font::BOLD, 12, 11, 3, 14, 28, 40},
        {"TimesRoman", Font::PLAIN, 12, 11, 3, 14, 26, 48},
        {"Courier", Font::PLAIN, 12, 10, 4, 14, 35, 28},
    };
    for (const auto& c : cases) {
        const auto fm = FontMetrics::get(Font(c.name, c.style, c.size));
        SCOPED_TRACE(std::string(c.name) + " " + std::to_string(c.size));
        EXPECT_EQ(fm.getAscent(), c.ascent);
        EXPECT_EQ(fm.getDescent(), c.descent);
        EXPECT_EQ(fm.getHeight(), c.height);
        EXPECT_EQ(fm.stringWidth("Hello"), c.hello);
        EXPECT_EQ(fm.stringWidth("MMMM"), c.mmmm);
    }
    EXPECT_EQ(FontMetrics::get(Font("Courier", 0, 12)).charWidth('i'), 7);  // one cell
}

TEST(Fonts, WidthsAddUpAndAreStable) {
    const auto fm = FontMetrics::get(Font("Helvetica", Font::PLAIN, 12));
    EXPECT_EQ(fm.stringWidth("HelloHello"), 2 * fm.stringWidth("Hello"));
    int sum = 0;
    for (char c : std::string("Typography, 123!")) sum += fm.charWidth(c);
    EXPECT_EQ(fm.stringWidth("Typography, 123!"), sum);
    EXPECT_EQ(fm.stringWidth(""), 0);
    // UTF-8 and Latin-1 range agree: U+00E9 as UTF-8 is one character.
    EXPECT_EQ(fm.stringWidth("caf\xC3\xA9"), fm.stringWidth("caf") + fm.charWidth(char32_t(0xE9)));
    // The same answers from another thread (shared cache).
    int other = 0;
    std::thread t([&] { other = FontMetrics::get(Font("Helvetica", Font::PLAIN, 12)).stringWidth("Hello"); });
    t.join();
    EXPECT_EQ(other, fm.stringWidth("Hello"));
}

TEST(Fonts, LeadingIsNeverNegative) {
    for (const char* name : {"Helvetica", "TimesRoman", "Courier", "Unknown"})
        for (int style = 0; style < 4; ++style)
            for (int px = 6; px <= 48; ++px) {
                const auto fm = FontMetrics::get(Font(name, style, px));
                ASSERT_GE(fm.getLeading(), 0) << name << " " << style << " " << px;
                ASSERT_GT(fm.getAscent(), 0);
                ASSERT_EQ(fm.getHeight(), fm.getAscent() + fm.getDescent() + fm.getLeading());
            }
}

TEST(Fonts, DegenerateSizesAndText) {
    const auto tiny = FontMetrics::get(Font("Helvetica", 0, 0));
    const auto one = FontMetrics::get(Font("Helvetica", 0, 1));
    EXPECT_EQ(tiny.getAscent(), one.getAscent());
    EXPECT_EQ(tiny.stringWidth("abc"), one.stringWidth("abc"));
    EXPECT_EQ(FontMetrics::get(Font("Helvetica", 0, -5)).getHeight(), one.getHeight());
    EXPECT_EQ(FontMetrics::get(Font("Helvetica", 0, 1 << 30)).getAscent(),
              FontMetrics::get(Font("Helvetica", 0, kMaxFontSize)).getAscent());

    // Invalid bytes count as U+FFFD, one per broken sequence.
    const auto fm = FontMetrics::get(Font("Helvetica", 0, 12));
    const int repl = fm.charWidth(char32_t(0xFFFD));
    EXPECT_EQ(fm.stringWidth("a\xFF" "b"), fm.stringWidth("ab") + repl);
    EXPECT_EQ(fm.stringWidth("a\xE2\x82"), fm.stringWidth("a") + repl);  // truncated sequence
    EXPECT_EQ(fm.charWidth(char32_t(0xD800)), repl);
    EXPECT_EQ(fm.charWidth(char32_t(0x110000)), repl);
}

TEST(Fonts, Utf8Decoding) {
    EXPECT_EQ(decodeUtf8("A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"), (std::u32string{U'A', 0xE9, 0x20AC, 0x1F600}));
    EXPECT_EQ(decodeUtf8("\xC0\x80"), std::u32string{0xFFFD});          // overlong
    EXPECT_EQ(decodeUtf8("\xED\xA0\x80"), std::u32string{0xFFFD});      // surrogate
    EXPECT_EQ(decodeUtf8("\xF4\x90\x80\x80"), std::u32string{0xFFFD});  // above U+10FFFF
    EXPECT_EQ(decodeUtf8("\xE2\x82" "A"), (std::u32string{0xFFFD, U'A'}));
    EXPECT_EQ(decodeUtf8("\x80\x80"), (std::u32string{0xFFFD, 0xFFFD}));
    EXPECT_EQ(sanitizeUtf8("ok\xFF"), "ok\xEF\xBF\xBD");
}
