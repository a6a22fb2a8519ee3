// PNG output keeps every pixel: pictures of few colours (written with a palette), of
// more than 256 colours and with transparency read back exactly.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "host/graphics/Image.h"

using host::Image;

namespace {

std::vector<uint32_t> roundTrip(const std::vector<uint32_t>& argb, int w, int h, std::string* bytes = nullptr) {
    auto img = Image::fromARGB(w, h, argb.data(), 0, w);
    std::string png;
    EXPECT_TRUE(img->encodePNG(png));
    if (bytes) *bytes = png;
    auto back = Image::decode(png, "roundtrip.png");
    EXPECT_FALSE(back->hasError());
    return back->getARGB();
}

// The colour type byte of the header (PNG signature 8, length 4, "IHDR" 4, size 8, depth 1).
int colorType(const std::string& png) { return png.size() > 25 ? uint8_t(png[25]) : -1; }

}  // namespace

TEST(PngRoundTripTest, AFewColoursGoThroughAPaletteAndComeBackExactly) {
    const int w = 37, h = 11;
    std::vector<uint32_t> px(size_t(w * h));
    for (int i = 0; i < w * h; ++i) px[size_t(i)] = 0xFF000000u | uint32_t((i % 7) * 0x252525u) | uint32_t(i % 3);
    std::string png;
    EXPECT_EQ(roundTrip(px, w, h, &png), px);
    EXPECT_EQ(colorType(png), 3);  // palette
}

TEST(PngRoundTripTest, ExactlyTwoHundredFiftySixColoursStillUseAPaletteAndOneMoreDoesNot) {
    const int w = 257, h = 2;
    // Colours 0..255 in the first row; the rest repeat colour 0.
    std::vector<uint32_t> px(size_t(w * h), 0xFF0000FFu);
    for (int i = 0; i < 256; ++i) px[size_t(i)] = 0xFF000000u | uint32_t(i) << 8 | uint32_t(255 - i);
    std::string png;
    EXPECT_EQ(roundTrip(px, w, h, &png), px);
    EXPECT_EQ(colorType(png), 3);
    px[size_t(w * h - 1)] = 0xFF123456u;  // the 257th colour
    EXPECT_EQ(roundTrip(px, w, h, &png), px);
    EXPECT_EQ(colorType(png), 2);  // RGB
}

TEST(PngRoundTripTest, TransparentPixelsKeepTheirAlpha) {
    std::vector<uint32_t> px{0x00000000u, 0xFFFF0000u, 0x80FFFFFFu, 0xFF00FF00u};
    std::string png;
    auto back = roundTrip(px, 2, 2, &png);
    EXPECT_EQ(colorType(png), 6);  // RGBA
    EXPECT_EQ(back[1], px[1]);
    EXPECT_EQ(back[3], px[3]);
    EXPECT_EQ(back[0] >> 24, 0u);
    EXPECT_EQ(back[2] >> 24, 0x80u);
}

// Bars: every column its own colour, each row repeating the one above except where a
// bar ends. Rows written as differences to the row above come back exactly and
// compress to a small file; a late transparent pixel or a late 257th colour in a row
// that otherwise repeats still switches the whole picture to RGBA or RGB.
TEST(PngRoundTripTest, RowsRepeatingTheOneAboveComeBackExactlyAndSmall) {
    const int w = 400, h = 300;
    std::vector<uint32_t> px(size_t(w * h), 0xFFFFFFFFu);
    for (int x = 0; x < w; ++x) {
        const int top = (x * 37) % h;
        for (int y = top; y < h; ++y) px[size_t(y * w + x)] = 0xFF000000u | uint32_t(x % 200) * 0x010203u;
    }
    std::string png;
    EXPECT_EQ(roundTrip(px, w, h, &png), px);
    EXPECT_EQ(colorType(png), 3);
    EXPECT_LT(png.size(), 8000u);  // 120,000 index bytes

    auto late = px;
    late[size_t((h - 1) * w + w / 2)] = 0x40102030u;
    auto back = roundTrip(late, w, h, &png);
    EXPECT_EQ(colorType(png), 6);
    EXPECT_EQ(back[size_t((h - 1) * w + w / 2)] >> 24, 0x40u);
    EXPECT_EQ(back[0], late[0]);

    for (int x = 0; x < 57; ++x) px[size_t((h - 1) * w + x)] = 0xFF000000u | uint32_t(0x800000 + x);
    EXPECT_EQ(roundTrip(px, w, h, &png), px);
    EXPECT_EQ(colorType(png), 2);
}
