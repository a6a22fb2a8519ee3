// Median-cut palette reduction: exact below the limit, bounded and close above it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "image/GifConverter.h"
#include "image/PaletteReducer.h"

using norvex::image::countColors;
using norvex::image::reducePalette;

namespace {

std::vector<uint32_t> distinct(int n) {
    std::vector<uint32_t> px;
    for (int i = 0; i < n; ++i) px.push_back(0xff000000u | (uint32_t(i) * 0x010203u & 0xffffffu));
    return px;
}

int channelDiff(uint32_t a, uint32_t b) {
    int worst = 0;
    for (int s = 0; s < 24; s += 8) worst = std::max(worst, std::abs(int((a >> s) & 0xff) - int((b >> s) & 0xff)));
    return worst;
}

}  // namespace

TEST(PaletteReducer, KeepsPicturesWithinTheLimitExact) {
    for (int n : {1, 254, 255}) {
        auto px = distinct(n);
        EXPECT_EQ(reducePalette(px, 255), px) << n;
    }
    EXPECT_TRUE(reducePalette(std::vector<uint32_t>{}, 255).empty());
}

TEST(PaletteReducer, ReducesJustOverTheLimitAndFarOverIt) {
    for (int n : {256, 5000}) {
        auto px = distinct(n);
        auto out = reducePalette(px, 255);
        ASSERT_EQ(out.size(), px.size());
        EXPECT_EQ(countColors(out), 255u) << n;
    }
    // A limit of one gives the pixel-weighted mean everywhere.
    std::vector<uint32_t> two{0xff000000u, 0xff000000u, 0xff000000u, 0xff0000ffu};
    auto one = reducePalette(two, 1);
    EXPECT_EQ(countColors(one), 1u);
    EXPECT_EQ(one[3], 0xff000040u);
}

TEST(PaletteReducer, ReducedGradientStaysCloseAndKeepsAlpha) {
    // A smooth 64x64 RGB gradient of 4096 colours, half of it with another alpha.
    std::vector<uint32_t> px;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            px.push_back((y < 32 ? 0xff000000u : 0x80000000u) | uint32_t(x * 4) << 16 | uint32_t(y * 4) << 8 |
                         uint32_t((x + y) * 2));
    auto out = reducePalette(px, 255);
    ASSERT_LE(countColors(out), 255u);
    int worst = 0;
    for (size_t i = 0; i < px.size(); ++i) {
        EXPECT_EQ(out[i] >> 24, px[i] >> 24);
        worst = std::max(worst, channelDiff(out[i], px[i]));
    }
    EXPECT_LE(worst, 24);
}

TEST(PaletteReducer, ReducedImageEncodesWhileTheEncoderStillRefusesTheOriginal) {
    auto px = distinct(300);
    auto image = host::Image::fromARGB(30, 10, px.data(), 0, 30);
    std::ostringstream out;
    std::string error;
    EXPECT_FALSE(norvex::image::GifConverter::writeGif(*image, out, &error));
    EXPECT_EQ(error, "Too many colors in GIF!");
    size_t before = 0;
    auto reduced = reducePalette(*image, 255, &before);
    ASSERT_TRUE(reduced);
    EXPECT_EQ(before, 300u);
    EXPECT_TRUE(norvex::image::GifConverter::writeGif(*reduced, out, &error)) << error;
    auto decoded = host::Image::decode(out.str(), "reduced.gif");
    ASSERT_TRUE(decoded->isComplete());
    EXPECT_EQ(decoded->getARGB(), reduced->getARGB());
}
