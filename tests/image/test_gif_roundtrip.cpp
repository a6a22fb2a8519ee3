#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <random>
#include <sstream>
#include <thread>

#include "host/graphics/Image.h"
#include "host/graphics/ImageProducer.h"
#include "image/GifConverter.h"

#include "tests/image/gif_test_support.h"

namespace {

// Encodes, decodes with giflib and checks every pixel's index (first-seen order)
// and colour.
void expectRoundTrip(int w, int h, const std::vector<uint32_t>& argb, const std::string& what) {
    std::string error;
    std::string gif = giftest::encode(w, h, argb, &error);
    ASSERT_FALSE(gif.empty()) << what << ": " << error;
    auto d = giftest::decodeWithGiflib(gif);
    ASSERT_TRUE(d.ok) << what;
    ASSERT_EQ(d.width, w) << what;
    ASSERT_EQ(d.height, h) << what;
    ASSERT_EQ(d.indices.size(), argb.size()) << what;
    std::map<uint32_t, int> firstSeen;
    for (size_t i = 0; i < argb.size(); ++i) {
        uint32_t rgb = argb[i] & 0xffffff;
        int expected = firstSeen.try_emplace(rgb, int(firstSeen.size())).first->second;
        ASSERT_EQ(d.indices[i], expected) << what << " pixel " << i;
        ASSERT_EQ(d.palette.at(d.indices[i]), rgb) << what << " pixel " << i;
    }
}

std::vector<uint32_t> noise(size_t n, int colors, uint32_t seed) {
    std::mt19937 rng(seed);
    std::vector<uint32_t> px(n);
    for (auto& p : px) p = 0xff000000u | uint32_t(rng() % unsigned(colors)) * 0x030507u;
    return px;
}

// White background, grid, axes, three polylines and a filled bar: few colours, long runs.
std::vector<uint32_t> chartLike(int w, int h) {
    std::vector<uint32_t> px(size_t(w) * size_t(h), 0xffffffff);
    auto set = [&](int x, int y, uint32_t c) {
        if (x >= 0 && y >= 0 && x < w && y < h) px[size_t(y) * size_t(w) + size_t(x)] = c;
    };
    for (int y = 40; y < h - 40; y += 40)
        for (int x = 60; x < w - 20; x += 2) set(x, y, 0xffc0c0c0);
    for (int x = 60; x < w - 20; ++x) set(x, h - 40, 0xff000000);
    for (int y = 20; y < h - 40; ++y) set(60, y, 0xff000000);
    const uint32_t lines[] = {0xffff0000, 0xff0000ff, 0xff00a000};
    for (int k = 0; k < 3; ++k)
        for (int x = 61; x < w - 20; ++x) {
            int y = h / 2 + int((k + 1) * 30 * std::sin(x / (20.0 + 10 * k))) - k * 40;
            set(x, y, lines[k]);
            set(x, y + 1, lines[k]);
        }
    for (int y = h - 140; y < h - 40; ++y)
        for (int x = w - 120; x < w - 80; ++x) set(x, y, 0xffffcc00);
    return px;
}

}  // namespace

TEST(GifRoundTrip, Shapes) {
    expectRoundTrip(1, 1, {0xff336699}, "1x1");
    expectRoundTrip(1, 1000, noise(1000, 3, 1), "1x1000");
    expectRoundTrip(1000, 1, noise(1000, 2, 2), "1000x1");
    expectRoundTrip(640, 480, chartLike(640, 480), "chart");
}

TEST(GifRoundTrip, Gradient255) {
    std::vector<uint32_t> px;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 255; ++x) px.push_back(0xff000000u | uint32_t((x + y) % 255) * 0x010101u);
    expectRoundTrip(255, 64, px, "gradient");
}

TEST(GifRoundTrip, NoisyAndTableRefills) {
    expectRoundTrip(1024, 1024, noise(1024 * 1024, 2, 3), "noisy two colours");
    expectRoundTrip(300, 300, noise(300 * 300, 16, 4), "16 colours, many table refills");
    expectRoundTrip(200, 200, noise(200 * 200, 200, 5), "200 colours");
}

// Short images end at every position relative to the code-width steps, where the
// last data code and the end code need the width a decoder expects.
TEST(GifRoundTrip, EveryEndPosition) {
    for (int n = 1; n <= 300; ++n)
        for (int colors : {2, 3, 7}) {
            expectRoundTrip(n, 1, noise(size_t(n), colors, uint32_t(n * 31 + colors)),
                            std::to_string(n) + " pixels, " + std::to_string(colors) + " colours");
            if (HasFatalFailure()) return;
        }
    // And around the first full table (two-colour noise of this seed fills it at
    // pixel 38050): the end falls before, on and after the clear code.
    std::vector<uint32_t> big = noise(40000, 2, 99);
    for (int n = 38050 - 40; n <= 38050 + 40; ++n) {
        expectRoundTrip(n, 1, std::vector<uint32_t>(big.begin(), big.begin() + n), std::to_string(n) + " noisy");
        if (HasFatalFailure()) return;
    }
}

TEST(GifRoundTrip, FromHostImagesAndMemorySource) {
    std::vector<uint32_t> px = noise(64 * 48, 5, 8);
    auto image = host::Image::fromARGB(64, 48, px.data(), 0, 64);
    ASSERT_TRUE(image && image->isComplete());
    std::ostringstream out;
    {
        norvex::image::GifConverter c(*image, out);
        c.convertSynchronous();
        EXPECT_EQ(c.getError(), "");
        EXPECT_TRUE(c.getThread().has_value());
        EXPECT_NE(*c.getThread(), std::this_thread::get_id());  // delivered on the producer's thread
    }
    auto d = giftest::decodeWithGiflib(out.str());
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.palette.at(d.indices[100]), px[100] & 0xffffff);

    // Asynchronous convert: the destructor waits for the production to finish.
    auto source = host::create<host::MemoryImageSource>(64, 48, px);
    std::ostringstream async;
    {
        norvex::image::GifConverter c(source, async);
        c.convert();
    }
    EXPECT_EQ(async.str(), out.str());

    std::string error;
    std::ostringstream none;
    EXPECT_FALSE(norvex::image::GifConverter::writeGif(*host::Image::failed("no such file"), none, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(none.str(), "");
}
