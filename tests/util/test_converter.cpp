#include <gtest/gtest.h>

#include <stdexcept>

#include "host/base/Color.h"
#include "util/NxConverter.h"
#include "util/NxUtilConverter.h"

using host::Color;
using norvex::util::NxConverter;
using norvex::util::NxUtilConverter;
using norvex::util::OptString;
using C = NxUtilConverter;

namespace {
std::string stderrOf(const std::function<void()>& f) {
    testing::internal::CaptureStderr();
    f();
    return testing::internal::GetCapturedStderr();
}
}  // namespace

TEST(Converter, IntegersWithKeywordsAndErrors) {
    EXPECT_EQ(C::toInt("MaxInt", 0), 2147483647);
    EXPECT_EQ(C::toInt("NOVALUE", 0), -999);
    EXPECT_EQ(C::toInt("default", 0), -999);
    EXPECT_EQ(C::toInt("Variable", 0), -998);
    EXPECT_EQ(C::toInt(" -42 ", 0), -42);
    EXPECT_EQ(C::toInt(std::nullopt, 7), 7);
    int v = 0;
    EXPECT_EQ(stderrOf([&] { v = C::toInt("12x", 5); }), "12x\n");
    EXPECT_EQ(v, 5);
    EXPECT_EQ(stderrOf([&] { v = C::toInt("2147483648", 3); }), "2147483648\n");  // out of range
    EXPECT_EQ(v, 3);
}

TEST(Converter, DoublesAndBooleans) {
    EXPECT_DOUBLE_EQ(C::toDouble("2.5e3", 0), 2500.0);
    EXPECT_DOUBLE_EQ(C::toDouble("-.5", 0), -0.5);
    double d = 0;
    EXPECT_EQ(stderrOf([&] { d = C::toDouble("inf", 1.5); }), "inf\n");
    EXPECT_DOUBLE_EQ(d, 1.5);
    EXPECT_TRUE(C::toBoolean("TRUE", false));
    EXPECT_FALSE(C::toBoolean("yes", true));
    EXPECT_TRUE(C::toBoolean(std::nullopt, true));
}

TEST(Converter, ColourNamesAndForms) {
    EXPECT_EQ(C::toColor("LightGrey"), Color(192, 192, 192));
    EXPECT_EQ(C::toColor("lightblue"), Color(173, 216, 230));
    EXPECT_EQ(C::toColor("#00ff00"), Color(0, 255, 0));
    EXPECT_EQ(C::toColor("#ff"), Color(0, 0, 255));  // packed 0xRRGGBB
    EXPECT_EQ(C::toColor("#123456789abc"), Color(0x12, 0x56, 0x9a));  // 12 chars: still #rrggbb
    EXPECT_EQ(C::toColor("#ffff80000000"), Color(0xff, 0x80, 0x00));
    EXPECT_EQ(C::toColor("#1234abcd5678f"), Color(0x12, 0xab, 0x56));  // 16-bit channels
    EXPECT_EQ(C::toColor("10-20-30"), Color(10, 20, 30));
    EXPECT_EQ(C::toColor(" 10 - 20 - 300"), Color(10, 20, 255));  // clamped by the colour
    EXPECT_EQ(C::toColor("purple"), std::nullopt);
    EXPECT_EQ(C::toColor("10-20"), std::nullopt);
    EXPECT_EQ(C::toColor("#"), std::nullopt);
    EXPECT_EQ(C::toColor("#zz0000"), std::nullopt);
    EXPECT_EQ(C::toColor(std::nullopt, Color::red), Color::red);
    EXPECT_EQ(C::toColor("bad", Color::red), std::nullopt);  // def only for null
}

TEST(Converter, ColourListsReportBadEntries) {
    std::optional<std::vector<host::OptColor>> list;
    std::string err = stderrOf([&] { list = C::toColorList("red, nope ,#ff"); });
    EXPECT_EQ(err, "Error parsing 'nope' in red, nope ,#ff\n");
    ASSERT_TRUE(list);
    ASSERT_EQ(list->size(), 3u);
    EXPECT_EQ((*list)[0], Color::red);
    EXPECT_EQ((*list)[1], std::nullopt);
    EXPECT_EQ((*list)[2], Color::blue);
    EXPECT_EQ(C::fromColorList(list), "red,,blue");
    EXPECT_EQ(C::fromColorList(std::nullopt), "");
    EXPECT_EQ(C::fromColor(Color(64, 64, 64)), OptString("darkGray"));
    EXPECT_EQ(C::fromColor(Color(1, 2, 3)), OptString("1-2-3"));
}

TEST(Converter, FontsWithTwoOrThreeParts) {
    auto f = C::toFont("Helvetica-bold-12");
    ASSERT_TRUE(f);
    EXPECT_EQ(f->getName(), "Helvetica");
    EXPECT_EQ(f->getStyle(), host::Font::BOLD);
    EXPECT_EQ(f->getSize(), 12);
    EXPECT_EQ(C::toFont("Helvetica-12"), std::nullopt);
    EXPECT_EQ(C::toFont("Helvetica-heavy-12")->getStyle(), host::Font::PLAIN);
    EXPECT_EQ(C::toFont(" Courier - BoldItalic - "), std::nullopt);  // a trailing '-' ends the text
    auto spaced = C::toFont(" Courier - BoldItalic - 9 ");
    ASSERT_TRUE(spaced);
    EXPECT_EQ(spaced->getName(), "Courier");
    EXPECT_EQ(spaced->getStyle(), 3);
    EXPECT_EQ(spaced->getSize(), 9);
    EXPECT_EQ(C::toFont("Courier--10")->getStyle(), host::Font::PLAIN);  // empty style
    EXPECT_EQ(C::toFont("Courier-plain-big"), std::nullopt);
    EXPECT_EQ(C::toFont("x-y", host::Font("Dialog", 0, 10))->getSize(), 10);
    EXPECT_EQ(C::fromFont(host::Font("TimesRoman", 3, 14)), "TimesRoman-BOLDITALIC-14");
    // Names with '-' or '\\' and negative sizes are escaped so they read back.
    for (const host::Font& odd : {host::Font("Sans-Serif", 1, 12), host::Font("a\\b", 0, -2)})
        EXPECT_EQ(C::toFont(C::fromFont(odd)), odd) << C::fromFont(odd);
}

TEST(Converter, ListsTrimAndHonourEscapes) {
    auto l = C::toStringList("a, b ,c");
    ASSERT_TRUE(l);
    EXPECT_EQ(*l, (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(*C::toStringList("a\\,b"), (std::vector<std::string>{"a,b"}));
    EXPECT_EQ(*C::toStringList("a;;b", ';'), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(C::toStringList(std::nullopt), std::nullopt);
    EXPECT_EQ(*C::toIntList("1, maxint,,-3", ','), (std::vector<int>{1, 2147483647, 0, -3}));
    EXPECT_EQ(C::toIntList(std::nullopt, ',', {9}), (std::vector<int>{9}));
    auto dl = C::toDoubleList("1.5,2", ',');
    ASSERT_EQ(dl->size(), 2u);
    EXPECT_TRUE((*dl)[1].isDouble());
    EXPECT_DOUBLE_EQ((*dl)[1].asDouble(), 2.0);
    EXPECT_TRUE((*C::toIntegerList("4", ','))[0].isInt());
}

TEST(Converter, EnumerationsAndTheirMessages) {
    std::vector<std::string> names{"LEFT", "CENTER", "RIGHT"};
    std::vector<int> values{0, 1, 2};
    EXPECT_EQ(C::toEnum(" center ", "Alignment", names, values, 0), 1);
    EXPECT_EQ(C::toEnum("17", "Alignment", names, values, 0), 17);  // any integer
    int v = 0;
    EXPECT_EQ(stderrOf([&] { v = C::toEnum("middle", "Alignment", names, values, 2); }),
              "Error converting 'middle' to Alignment\n");
    EXPECT_EQ(v, 2);
    EXPECT_EQ(stderrOf([&] { v = C::toEnum("middle", names, values, 2); }), "");  // match only
    EXPECT_EQ(C::toEnum("5", names, values, 2), 2);

    std::vector<std::vector<std::string>> table{{"orientation", "HORIZONTAL", "VERTICAL"}, {"state", "OPEN"}};
    std::vector<std::vector<int>> tv{{0, 1}, {5}};
    EXPECT_EQ(C::toEnum("vertical", "int", "Orientation", table, tv, -1), 1);
    EXPECT_EQ(C::toEnum("open", "int", "state", table, tv, -1), 5);
    EXPECT_EQ(stderrOf([&] { v = C::toEnum("open", "int", "nothing", table, tv, -1); }),
              "Error converting 'open' to int\n");
    EXPECT_EQ(v, -1);
    EXPECT_EQ(C::fromEnum(1, "orientation", table, tv), OptString("VERTICAL"));
    EXPECT_EQ(C::fromEnum(9, "orientation", table, tv), OptString("9"));
    EXPECT_EQ(C::fromEnum(1, "nothing", table, tv), std::nullopt);
    EXPECT_EQ(C::fromEnum(2, names, values), OptString("RIGHT"));
    EXPECT_EQ(C::fromEnum(3, names, values), std::nullopt);
    EXPECT_EQ(C::toEnumList("right,left,left", "a", names, values, {1}), (std::vector<int>{2, 0, 0}));
    int64_t l = 1;
    EXPECT_EQ(stderrOf([&] { l = C::toEnum("Big", "l", names, std::vector<int64_t>{1, 2, 1LL << 40}, int64_t(0)); }),
              "Error converting 'Big' to l\n");
    EXPECT_EQ(l, 0);
    EXPECT_EQ(C::toEnum("right", "l", names, std::vector<int64_t>{1, 2, 1LL << 40}, int64_t(0)), 1LL << 40);
}

TEST(Converter, CheckEnumMessage) {
    EXPECT_NO_THROW(C::checkEnum(1, "Alignment", {0, 1, 2}));
    try {
        C::checkEnum(7, "Alignment", {0, 1, 2});
        FAIL() << "no error";
    } catch (const std::invalid_argument& e) {
        EXPECT_STREQ(e.what(), "invalid Alignment: 7");
    }
}

TEST(Converter, GeometryAndDates) {
    host::Insets def{9, 9, 9, 9};
    EXPECT_EQ(C::toInsets("1,2,3", def), def);
    EXPECT_EQ(C::toInsets("1, 2, 3, 4", def), (host::Insets{1, 2, 3, 4}));
    EXPECT_EQ(C::fromInsets({1, 2, 3, 4}), "1,2,3,4");
    EXPECT_EQ(C::toDimension("100x50", {}), (host::Dimension{100, 50}));
    EXPECT_EQ(C::toDimension("100,50", {7, 7}), (host::Dimension{7, 7}));
    EXPECT_EQ(C::toDimension("100X50", {7, 7}), (host::Dimension{7, 7}));
    EXPECT_EQ(C::toPoint("3,-4", {}), (host::Point{3, -4}));
    EXPECT_EQ(C::toPoint("3", {1, 1}), (host::Point{1, 1}));

    EXPECT_EQ(C::toDate("Tue Dec 08 01:06:00 UTC 2026", std::nullopt)->getTime(), 1796691960000LL);
    EXPECT_EQ(C::toDate("1000", std::nullopt)->getTime(), 1000);
    auto d = C::toDate("2024-02-29 13:45", std::nullopt);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->getMonth(), 1);
    EXPECT_EQ(d->getDate(), 29);
    EXPECT_EQ(d->getHours(), 13);
    EXPECT_EQ(C::toDate("12/25/2020", std::nullopt)->getDate(), 25);
    std::optional<host::Date> bad;
    EXPECT_EQ(stderrOf([&] { bad = C::toDate("soon", host::Date(5)); }), "Error converting 'soon' to Date\n");
    EXPECT_EQ(bad->getTime(), 5);
}

TEST(Converter, NewLinesEscapesAndStringForms) {
    EXPECT_EQ(C::toNewLine("a\\nb"), OptString("a\nb"));
    EXPECT_EQ(C::toNewLine("plain\\t"), OptString("plain\\t"));
    EXPECT_EQ(C::fromNewLine("a\nb"), OptString("a\\nb"));
    EXPECT_EQ(C::removeEscape("\\[x\\]\\n"), OptString("[x]\n"));
    EXPECT_EQ(C::removeEscape(""), std::nullopt);

    auto v = std::make_shared<norvex::util::NxVector>();
    v->addElement(host::Value("a\nb"));
    v->addElement(host::Value());
    v->addElement(host::Value(3));
    EXPECT_EQ(C::toString(host::Value(v)), "a\\nb,,3");
    EXPECT_EQ(C::toString(host::Value()), "");
    EXPECT_EQ(C::trim(host::Value(std::string(" ab\0cd ", 7))), OptString("ab"));
    EXPECT_EQ(C::trim(host::Value()), std::nullopt);
}

namespace {
// An application rule: every integer is doubled.
class DoublingConverter : public NxConverter {
public:
    using NxConverter::toInt;
    int toInt(const OptString& s, int def) override { return 2 * NxConverter::toInt(s, def); }
};
}  // namespace

TEST(Converter, InstalledConverterAppliesInsideLists) {
    NxUtilConverter::setConverter(std::make_shared<DoublingConverter>());
    auto list = C::toIntList("1,2", ',');
    NxUtilConverter::setConverter(nullptr);
    EXPECT_EQ(*list, (std::vector<int>{2, 4}));
    EXPECT_EQ(*C::toIntList("1,2", ','), (std::vector<int>{1, 2}));
}
