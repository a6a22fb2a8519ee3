// The document context's life: contexts after the end, repeated ends, text escaping.
#include <gtest/gtest.h>

#include "host/graphics/VectorGraphics.h"

using host::VectorDocument;

TEST(VectorGraphics, EndsOnceAndIgnoresLateDrawing) {
    VectorDocument doc(VectorDocument::Format::SVG, 0, -5);  // sizes clamp to 1 x 1
    EXPECT_EQ(doc.width(), 1);
    EXPECT_EQ(doc.height(), 1);
    auto g = doc.graphics();
    ASSERT_TRUE(g);
    EXPECT_TRUE(g->isVector());
    EXPECT_TRUE(g->getAntialias());
    g->drawString("a<b & \"c\"\x01", 0, 0);
    std::string first, second;
    ASSERT_TRUE(doc.finish(first));
    EXPECT_NE(first.find(">a&lt;b &amp; &quot;c&quot;</text>"), std::string::npos) << first;
    EXPECT_FALSE(doc.graphics());
    g->fillRect(0, 0, 10, 10);  // after the end: nothing, no crash
    g->drawString("late", 0, 0);
    ASSERT_TRUE(doc.finish(second));
    EXPECT_EQ(first, second);
}

TEST(VectorGraphics, ClipsLikeTheRasterContext) {
    VectorDocument doc(VectorDocument::Format::PDF, 100, 50);
    auto g = doc.graphics();
    auto sub = g->create(10, 10, 20, 20);
    EXPECT_EQ(sub->getClipBounds(), (host::Rectangle{0, 0, 20, 20}));
    sub->setClip(-100, -100, 1000, 1000);  // never beyond the sub-area
    EXPECT_EQ(sub->getClipBounds(), (host::Rectangle{0, 0, 20, 20}));
    sub->clipRect(5, 5, 100, 100);
    EXPECT_EQ(sub->getClipBounds(), (host::Rectangle{5, 5, 15, 15}));
    EXPECT_FALSE(g->getClipBounds());
    EXPECT_TRUE(g->drawRotatedString("x", 0, 0, 1));
    EXPECT_TRUE(VectorDocument::formatNamed("SVG") == VectorDocument::Format::SVG);
    EXPECT_FALSE(VectorDocument::formatNamed("eps"));
    std::string bytes;
    ASSERT_TRUE(doc.finish(bytes));
    EXPECT_EQ(bytes.rfind("%PDF-", 0), 0u);
}
