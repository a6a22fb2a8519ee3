#include <gtest/gtest.h>

#include <sstream>

#include "chart/model/ChartDataView.h"
#include "chart/source/FileDataSource.h"
#include "chart/source/InputStreamDataSource.h"
#include "host/base/IOException.h"
#include "host/runtime/StreamTokenizer.h"

using namespace norvex::chart;
using host::StreamTokenizer;

namespace {

const std::string kData = std::string(NORVEX_SOURCE_DIR) + "/examples/data/";
constexpr double kHole = InputStreamDataSource::HOLE;

std::vector<double> row(const InputStreamDataSource& s, int r) {
    std::vector<double> out;
    auto v = s.getRow(r);
    for (int i = 0; i < v->size(); ++i) out.push_back(v->elementAt(i).asDouble());
    return out;
}

std::vector<double> values(const std::string& body) {
    InputStreamDataSource s("ARRAY 0 " + body);
    return row(s, 0);
}

struct Failure {
    std::string message;  // of the I/O error
    std::string stderrLine;
};

Failure failureOf(const std::string& text) {
    testing::internal::CaptureStderr();
    Failure f;
    try {
        InputStreamDataSource s(text);
        f.message = "(parsed)";
    } catch (const host::IOException& e) {
        f.message = e.what();
    }
    f.stderrLine = testing::internal::GetCapturedStderr();
    return f;
}

}  // namespace

TEST(StreamTokenizer, ClassicTokenKindsAndDescriptions) {
    StreamTokenizer st("word 12.5 -.5 - x 'it''s' \"dq\"\n1.2.3 ;");
    st.lowerCaseMode(true);
    EXPECT_EQ(st.nextToken(), StreamTokenizer::TT_WORD);
    EXPECT_EQ(st.toString(), "Token[word], line 1");
    EXPECT_EQ(st.nextToken(), StreamTokenizer::TT_NUMBER);
    EXPECT_EQ(st.nval, 12.5);
    EXPECT_EQ(st.toString(), "Token[n=12.5], line 1");
    st.nextToken();
    EXPECT_EQ(st.nval, -0.5);
    EXPECT_EQ(st.nextToken(), '-');  // a lone minus is a character of its own
    EXPECT_EQ(st.toString(), "Token['-'], line 1");
    st.nextToken();
    EXPECT_EQ(st.nextToken(), '\'');
    EXPECT_EQ(st.sval, "it");
    st.nextToken();
    EXPECT_EQ(st.sval, "s");
    EXPECT_EQ(st.nextToken(), '"');
    EXPECT_EQ(st.toString(), "Token[\"dq\"], line 1");
    st.nextToken();  // at most one decimal point: 1.2 then .3
    EXPECT_EQ(st.nval, 1.2);
    EXPECT_EQ(st.lineno(), 2);
    st.nextToken();
    EXPECT_EQ(st.nval, 0.3);
    EXPECT_EQ(st.nextToken(), ';');
    EXPECT_EQ(st.nextToken(), StreamTokenizer::TT_EOF);
    EXPECT_EQ(st.toString(), "Token[EOF], line 2");
}

TEST(StreamTokenizer, QuotesEndAtLineEndAndHonourEscapes) {
    StreamTokenizer st("'a\\tb\\101\\'c\nnext");
    st.nextToken();
    EXPECT_EQ(st.sval, "a\tbA'c");
    st.nextToken();
    EXPECT_EQ(st.sval, "next");
    EXPECT_EQ(st.lineno(), 2);
    st.pushBack();
    EXPECT_EQ(st.nextToken(), StreamTokenizer::TT_WORD);
    EXPECT_EQ(st.sval, "next");
}

TEST(InputStreamDataSource, NumbersWithSeparateExponentWords) {
    EXPECT_EQ(values("7 1.5 e 3 2e5 1.5E+3 2e-4 2 E 3 +5 1e3"),
              (std::vector<double>{1.5e3, 2e5, 1.5e3, 2e-4, 2e3, 5, 1e3}));
    // "1e" followed by a word: the word is consumed and the value stays 1.
    EXPECT_EQ(values("2 1 e x 7"), (std::vector<double>{1, 7}));
    EXPECT_EQ(values("2 -3 .25"), (std::vector<double>{-3, 0.25}));
}

TEST(InputStreamDataSource, CommentsAndKeywordCase) {
    for (const char* kw : {"array", "Array", "ARRAY"}) {
        InputStreamDataSource s(std::string(kw) + " 0 2 # a comment 9 9\n 1 / another 8\n 2");
        EXPECT_EQ(s.getDataInterpretation(), Chartable::ARRAY);
        EXPECT_EQ(row(s, 0), (std::vector<double>{1, 2}));
    }
    // Inside a quoted string "#" and "/" are text.
    InputStreamDataSource q("ARRAY 'a/b#c' 0 1 7");
    EXPECT_EQ(q.getName(), "a/b#c");
}

TEST(InputStreamDataSource, HolesAndHoleValue) {
    EXPECT_EQ(values("3 1 hole HoLe"), (std::vector<double>{1, kHole, kHole}));
    InputStreamDataSource h("ARRAY 0 4 HOLE -1  -1 0 5 -1");
    EXPECT_EQ(h.getHoleValue(), -1);
    EXPECT_EQ(row(h, 0), (std::vector<double>{kHole, 0, 5, kHole}));
    InputStreamDataSource z("ARRAY 0 2 HOLE 0  0 5");
    EXPECT_EQ(row(z, 0), (std::vector<double>{0, 5}));
}

TEST(InputStreamDataSource, ArrayWithLabelsNamesAndRows) {
    FileDataSource s(kData + "quarterly-sales.dat");
    EXPECT_EQ(s.getName(), "Sales");
    EXPECT_EQ(s.getPointLabels(), (std::vector<std::string>{"Q1", "Q2", "Q3", "Q4"}));
    EXPECT_EQ(s.getNumRows(), 3);
    EXPECT_EQ(row(s, 0), (std::vector<double>{1, 2, 3, 4}));
    EXPECT_EQ(row(s, 1), (std::vector<double>{20, 27, 90, 20}));
    EXPECT_EQ(row(s, 2), (std::vector<double>{30, 38, 35, 31}));
    EXPECT_EQ(s.getSeriesName(0), "East");
    EXPECT_EQ(s.getSeriesLabel(1), "West");
    EXPECT_EQ(s.getSeriesName(2), "");
    EXPECT_EQ(s.getDataItem(1, 2).asDouble(), 90);
    EXPECT_THROW(s.getDataItem(3, 0), std::out_of_range);

    // Without labels and names; counts are truncated (3.9 -> 3).
    InputStreamDataSource plain("ARRAY 1 3.9  1 2 3  4 5 6");
    EXPECT_FALSE(plain.getPointLabels());
    EXPECT_FALSE(plain.hasName());
    EXPECT_EQ(row(plain, 1), (std::vector<double>{4, 5, 6}));
    EXPECT_EQ(plain.getSeriesName(0), "");
}

TEST(InputStreamDataSource, TransposedArrayStoresColumnsAsRows) {
    FileDataSource s(kData + "growth-exponents.dat");
    EXPECT_EQ(s.getPointLabels(), (std::vector<std::string>{"start", "early", "middle", "late"}));
    EXPECT_EQ(row(s, 0), (std::vector<double>{0, 6, 12, 18}));
    EXPECT_EQ(row(s, 1), (std::vector<double>{1.5e3, 4.2e4, 1.1e6, 2.5e7}));
    EXPECT_EQ(row(s, 2), (std::vector<double>{2e3, 3.1e4, 9e5, 1.2e8}));
    EXPECT_EQ(s.getSeriesName(0), "colony A");
    EXPECT_EQ(s.getSeriesName(1), "colony B");

    InputStreamDataSource bare("ARRAY 1 2 T  1 10  2 20");
    EXPECT_FALSE(bare.getPointLabels());
    EXPECT_EQ(row(bare, 1), (std::vector<double>{10, 20}));
}

TEST(InputStreamDataSource, GeneralSeriesAndTransposedPairs) {
    InputStreamDataSource s("GENERAL 2 0 'A' 3 1 2 3 10 20 30 'B' 2 1 3 5 6");
    EXPECT_EQ(s.getDataInterpretation(), Chartable::GENERAL);
    EXPECT_EQ(s.getNumRows(), 4);
    EXPECT_EQ(row(s, 0), (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(row(s, 1), (std::vector<double>{10, 20, 30}));
    EXPECT_EQ(row(s, 2), (std::vector<double>{1, 3}));
    EXPECT_EQ(row(s, 3), (std::vector<double>{5, 6}));

    FileDataSource holes(kData + "sensor-holes.dat");
    EXPECT_EQ(holes.getPointLabels()->size(), 5u);
    EXPECT_EQ(row(holes, 1), (std::vector<double>{20.5, 21, kHole, 22, 21.5}));
    EXPECT_EQ(row(holes, 3), (std::vector<double>{3, kHole, 7.25, 6}));

    FileDataSource pairs(kData + "scatter.dat");
    EXPECT_EQ(row(pairs, 0), (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(row(pairs, 1), (std::vector<double>{10, 20, 15}));
    EXPECT_EQ(row(pairs, 3), (std::vector<double>{-4, -6}));

    // Only the second series is named: the name is series 0's.
    InputStreamDataSource one("GENERAL 2 0  1 1 1  'second' 1 2 2");
    EXPECT_EQ(one.getSeriesName(0), "second");
    EXPECT_EQ(one.getSeriesName(1), "");
}

TEST(InputStreamDataSource, LoadsIntoViewsOfBothLayouts) {
    auto view = host::create<ChartDataView>();
    view->setDataSource(std::make_shared<FileDataSource>(kData + "quarterly-sales.dat"));
    ASSERT_EQ(view->getNumSeries(), 2);
    EXPECT_EQ(view->getName(), "Sales");
    EXPECT_EQ(view->getSeries(1)->getName(), "West");
    EXPECT_EQ(view->getPointLabel(3), "Q4");
    EXPECT_FALSE(view->getDataSource());  // not observable: the view keeps the values only

    // An odd number of GENERAL series: every series still brings its X and Y row.
    auto g = host::create<ChartDataView>();
    g->setDataSource(std::make_shared<InputStreamDataSource>("GENERAL 3 0  1 1 5  2 1 2 5 6  1 3 7"));
    ASSERT_EQ(g->getNumSeries(), 3);
    EXPECT_EQ(g->getSeries(2)->getX(0), 3);
    EXPECT_EQ(g->getSeries(1)->getY(1), 6);
    // A series whose Y values fall short of its count is an error, not a short series.
    EXPECT_EQ(failureOf("GENERAL 1 0  3 1 2 3 10 20").message, "Error in data file format - Token[EOF], line 1");
}

TEST(InputStreamDataSource, ErrorsNameTheLineAndToken) {
    Failure kw = failureOf("Data 1 2");
    EXPECT_EQ(kw.message, "Data must start with ARRAY or GENERAL");
    EXPECT_EQ(kw.stderrLine, "Error reading data: line 1: Data must start with ARRAY or GENERAL and not data\n");
    EXPECT_EQ(failureOf("\n5").stderrLine,
              "Error reading data: line 2: Data must start with ARRAY or GENERAL and not 5.0\n");

    Failure num = failureOf("ARRAY 0 3\n1 2\nx");
    EXPECT_EQ(num.message, "Error in data file format - Token[x], line 3");
    EXPECT_EQ(num.stderrLine, "Error reading data: line 3: Expect either a hole or numeric value and not x\n");
    // The end of the text where a number is due.
    EXPECT_EQ(failureOf("ARRAY 0 3 1 2").message, "Error in data file format - Token[EOF], line 1");
    // A double-quoted string is refused where a name is expected.
    Failure dq = failureOf("ARRAY \"Sales\" 0 1 5");
    EXPECT_EQ(dq.message, "Error in data file format - Token[\"Sales\"], line 1");

    // A row name before the first row, without point labels, is taken as the first
    // label and the next number fails as a label.
    Failure lab = failureOf("ARRAY 1 2\n'X' 1 2\n'Y' 3 4");
    EXPECT_EQ(lab.message, "Error in reading point labels - Token[n=1.0], line 2");
    EXPECT_EQ(lab.stderrLine, "Error reading data: line 2: Expect a point label and not 1.0\n");
    EXPECT_EQ(failureOf("GENERAL 1 2 LABELS 'a' b").message, "Error in reading point labels - Token[b], line 1");

    // Exponents that give no finite number, or are not integers, are format errors.
    EXPECT_EQ(failureOf("ARRAY 0 1 1e999").message, "Error in data file format - Token[e999], line 1");
    EXPECT_EQ(failureOf("ARRAY 0 1 1e5x").message, "Error in data file format - Token[e5x], line 1");
    EXPECT_EQ(failureOf("").message, "Data must start with ARRAY or GENERAL");
}

TEST(InputStreamDataSource, HugeCountsStayBoundedByTheText) {
    // Counts beyond anything the text could hold neither hang nor exhaust memory.
    InputStreamDataSource empty("ARRAY 1e300 0");
    EXPECT_LE(empty.getNumRows(), 14);
    EXPECT_EQ(failureOf("ARRAY 1 1e300 1 2").message, "Error in data file format - Token[EOF], line 1");
    InputStreamDataSource neg("GENERAL -5 -5");
    EXPECT_EQ(neg.getNumRows(), 0);
    // A lone "." reads as 0: series with no points still give their X and Y rows.
    InputStreamDataSource emptySets("GENERAL 4 1 . . . .");
    EXPECT_EQ(emptySets.getNumRows(), 8);
    EXPECT_EQ(row(emptySets, 7), std::vector<double>{});

    std::istringstream in("ARRAY 0 2 7 8");
    InputStreamDataSource fromStream(in);
    EXPECT_EQ(row(fromStream, 0), (std::vector<double>{7, 8}));
}

TEST(FileDataSource, MissingFileIsAnIOError) {
    EXPECT_THROW(FileDataSource(kData + "no-such-file.dat"), host::IOException);
}
