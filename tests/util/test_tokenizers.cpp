#include <gtest/gtest.h>

#include "util/NxCSVTokenizer.h"
#include "util/NxStringTokenizer.h"

using norvex::util::NxCSVTokenizer;
using norvex::util::NxStringTokenizer;
using norvex::util::OptString;

TEST(NxStringTokenizer, SplitsAtDelimiterWithEscapesAndEmptyTokens) {
    NxStringTokenizer t("  a\\,b,,c\\nd  ");
    EXPECT_EQ(t.countTokens(','), 3);
    EXPECT_EQ(t.getPosition(), 0);  // counting restores the position
    EXPECT_EQ(t.nextToken(','), OptString("a,b"));
    EXPECT_EQ(t.nextToken(','), std::nullopt);  // empty token
    EXPECT_TRUE(t.hasMoreTokens());
    EXPECT_EQ(t.nextToken(','), OptString("c\nd"));
    EXPECT_FALSE(t.hasMoreTokens());
    EXPECT_EQ(t.nextToken(','), std::nullopt);
}

TEST(NxStringTokenizer, KeepsEscapesWhenStrippingIsOff) {
    NxStringTokenizer t("a\\,b,c");
    t.strip_esc = false;
    EXPECT_EQ(t.nextToken(','), OptString("a\\,b"));
    EXPECT_EQ(t.nextToken(','), OptString("c"));
}

TEST(NxStringTokenizer, TrailingBackslashAndNullText) {
    NxStringTokenizer t("ab\\");
    EXPECT_EQ(t.nextToken(','), OptString("ab\\"));
    NxStringTokenizer n(OptString{});
    EXPECT_EQ(n.countTokens(','), 0);
    EXPECT_EQ(n.nextToken(','), std::nullopt);
    EXPECT_EQ(n.nextToken(), std::nullopt);
}

TEST(NxStringTokenizer, WhiteSpaceTokensAndParse) {
    NxStringTokenizer t(" one \t two\nthree ");
    EXPECT_EQ(t.nextToken(), OptString("one"));
    EXPECT_EQ(t.nextToken(), OptString("two"));
    EXPECT_EQ(t.nextToken(), OptString("three"));
    EXPECT_EQ(t.nextToken(), std::nullopt);

    auto parts = NxStringTokenizer::parse("x,,y,", ',');
    ASSERT_EQ(parts.size(), 3u);  // the trailing delimiter ends the text
    EXPECT_EQ(parts[0], OptString("x"));
    EXPECT_EQ(parts[1], std::nullopt);
    EXPECT_EQ(parts[2], OptString("y"));
}

TEST(NxCSVTokenizer, QuotedCommasAndDoubledQuotes) {
    NxCSVTokenizer t("x,\"a,b\",q\"\"r");
    EXPECT_EQ(t.countTokens(), 3);
    EXPECT_EQ(t.nextToken(), OptString("x"));
    EXPECT_EQ(t.nextToken(), OptString("a,b"));
    EXPECT_EQ(t.nextToken(), OptString("q\"r"));
    EXPECT_FALSE(t.hasMoreTokens());
}

TEST(NxCSVTokenizer, EmptyTokensLoneQuotesAndUnclosedQuote) {
    NxCSVTokenizer t(",\"\",\"\"\"a\",b\"c,\"open, end");
    EXPECT_EQ(t.countTokens(), 5);
    EXPECT_EQ(t.nextToken(), std::nullopt);          // empty
    EXPECT_EQ(t.nextToken(), std::nullopt);          // "" opens and closes
    EXPECT_EQ(t.nextToken(), OptString("\"a"));      // quote, escaped quote, a, close
    EXPECT_EQ(t.nextToken(), OptString("b\"c"));     // lone quote inside a token stays
    EXPECT_EQ(t.nextToken(), OptString("open, end"));  // unclosed quote runs to the end
    EXPECT_EQ(t.nextToken(), std::nullopt);
}
