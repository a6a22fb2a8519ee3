#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "host/graphics/Image.h"
#include "tests/host/jpeg_samples.h"

using host::Image;
using host::ImagePtr;

namespace {

// ---- A PNG writer with stored (uncompressed) deflate blocks -------------------------------

uint32_t crc32(const std::string& s) {
    uint32_t c = 0xffffffffu;
    for (unsigned char b : s) {
        c ^= b;
        for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xedb88320u & (0u - (c & 1)));
    }
    return ~c;
}

void put32(std::string& s, uint32_t v) {
    for (int sh = 24; sh >= 0; sh -= 8) s += char((v >> sh) & 0xff);
}

void chunk(std::string& out, const char* type, const std::string& data) {
    put32(out, uint32_t(data.size()));
    std::string body = std::string(type, 4) + data;
    out += body;
    put32(out, crc32(body));
}

std::string zlibStored(const std::string& raw) {
    std::string z = "\x78\x01";
    size_t pos = 0;
    do {
        size_t n = std::min<size_t>(65535, raw.size() - pos);
        bool last = pos + n == raw.size();
        z += char(last ? 1 : 0);
        z += char(n & 0xff);
        z += char(n >> 8);
        z += char(~n & 0xff);
        z += char((~n >> 8) & 0xff);
        z.append(raw, pos, n);
        pos += n;
    } while (pos < raw.size());
    uint32_t a = 1, b = 0;
    for (unsigned char c : raw) {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    put32(z, b << 16 | a);
    return z;
}

struct PngSpec {
    PngSpec(int w_, int h_, int colorType_, int depth_, std::vector<uint16_t> samples_ = {}, bool interlace_ = false,
            std::string palette_ = "", std::string trns_ = "")
        : w(w_), h(h_), colorType(colorType_), depth(depth_), samples(std::move(samples_)), interlace(interlace_),
          palette(std::move(palette_)), trns(std::move(trns_)) {}
    int w, h, colorType, depth;
    std::vector<uint16_t> samples;  // channels per pixel, row-major
    bool interlace;
    std::string palette, trns;      // PLTE and tRNS chunk bodies
};

int channels(int colorType) {
    switch (colorType) {
        case 0: case 3: return 1;
        case 2: return 3;
        case 4: return 2;
        default: return 4;
    }
}

// One filtered row (filter type 0) of the pixels at x = x0, x0 + dx, ... in row y.
std::string packRow(const PngSpec& s, int y, int x0, int dx) {
    int ch = channels(s.colorType);
    std::string row(1, '\0');
    uint32_t acc = 0;
    int bits = 0;
    for (int x = x0; x < s.w; x += dx) {
        for (int c = 0; c < ch; ++c) {
            uint16_t v = s.samples[(size_t(y) * s.w + x) * ch + c];
            if (s.depth == 16) {
                row += char(v >> 8);
                row += char(v & 0xff);
            } else {
                acc = acc << s.depth | v;
                bits += s.depth;
                if (bits == 8) row += char(acc), acc = 0, bits = 0;
            }
        }
    }
    if (bits) row += char(acc << (8 - bits));
    return row;
}

std::string makePng(const PngSpec& s) {
    std::string out = "\x89PNG\r\n\x1a\n", ihdr;
    put32(ihdr, uint32_t(s.w));
    put32(ihdr, uint32_t(s.h));
    ihdr += char(s.depth);
    ihdr += char(s.colorType);
    ihdr += std::string("\0\0", 2);
    ihdr += char(s.interlace ? 1 : 0);
    chunk(out, "IHDR", ihdr);
    if (!s.palette.empty()) chunk(out, "PLTE", s.palette);
    if (!s.trns.empty()) chunk(out, "tRNS", s.trns);
    std::string raw;
    if (s.samples.empty()) {
        // Header-only files for the size checks: the decoder must refuse them before the pixels.
    } else if (!s.interlace) {
        for (int y = 0; y < s.h; ++y) raw += packRow(s, y, 0, 1);
    } else {
        const int passes[7][4] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                                  {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
        for (const auto& p : passes) {
            if (p[0] >= s.w || p[1] >= s.h) continue;
            for (int y = p[1]; y < s.h; y += p[3]) raw += packRow(s, y, p[0], p[2]);
        }
    }
    chunk(out, "IDAT", zlibStored(raw));
    chunk(out, "IEND", "");
    return out;
}

// ---- A GIF writer whose LZW codes never grow (a clear code before the table fills) --------

struct GifFrame {
    int left = 0, top = 0, w = 0, h = 0;
    std::vector<uint8_t> index;  // display order, row-major
    std::vector<uint32_t> localColors;
    bool interlace = false;
    int transparent = -1;
};

std::string colorTable(const std::vector<uint32_t>& colors, int& sizeBits) {
    sizeBits = 1;
    while ((1u << sizeBits) < colors.size()) ++sizeBits;
    std::string t;
    for (size_t i = 0; i < (1u << sizeBits); ++i) {
        uint32_t c = i < colors.size() ? colors[i] : 0;
        t += char(c >> 16);
        t += char(c >> 8);
        t += char(c);
    }
    return t;
}

std::string makeGif(int sw, int sh, const std::vector<uint32_t>& global, const GifFrame& f) {
    std::string out = "GIF89a";
    auto put16 = [&out](int v) {
        out += char(v & 0xff);
        out += char(v >> 8);
    };
    put16(sw);
    put16(sh);
    int gbits = 0;
    std::string gtable = global.empty() ? "" : colorTable(global, gbits);
    out += char(global.empty() ? 0 : 0x80 | 0x70 | (gbits - 1));
    out += std::string("\0\0", 2);
    out += gtable;
    if (f.transparent >= 0) {
        out += "\x21\xf9\x04\x01";
        out += std::string("\0\0", 2);
        out += char(f.transparent);
        out += '\0';
    }
    out += ',';
    put16(f.left);
    put16(f.top);
    put16(f.w);
    put16(f.h);
    int lbits = 0;
    std::string ltable = f.localColors.empty() ? "" : colorTable(f.localColors, lbits);
    out += char((ltable.empty() ? 0 : 0x80 | (lbits - 1)) | (f.interlace ? 0x40 : 0));
    out += ltable;

    std::vector<uint8_t> order;
    std::vector<int> rows;
    if (f.interlace) {
        const int start[] = {0, 4, 2, 1}, step[] = {8, 8, 4, 2};
        for (int p = 0; p < 4; ++p)
            for (int y = start[p]; y < f.h; y += step[p]) rows.push_back(y);
    } else {
        for (int y = 0; y < f.h; ++y) rows.push_back(y);
    }
    for (int y : rows) order.insert(order.end(), f.index.begin() + y * f.w, f.index.begin() + (y + 1) * f.w);

    int m = std::max(2, std::max(gbits, lbits));
    int clear = 1 << m, width = m + 1, perClear = (1 << m) - 2;
    std::string data;
    uint32_t acc = 0;
    int bits = 0;
    auto emit = [&](int code) {
        acc |= uint32_t(code) << bits;
        bits += width;
        while (bits >= 8) data += char(acc & 0xff), acc >>= 8, bits -= 8;
    };
    for (size_t i = 0; i < order.size(); ++i) {
        if (i % size_t(perClear) == 0) emit(clear);
        emit(order[i]);
    }
    emit(clear + 1);
    if (bits) data += char(acc & 0xff);
    out += char(m);
    for (size_t i = 0; i < data.size(); i += 255) {
        size_t n = std::min<size_t>(255, data.size() - i);
        out += char(n);
        out.append(data, i, n);
    }
    out += '\0';
    out += ';';
    return out;
}

std::string bytesOf(const unsigned char* p, size_t n) { return std::string(reinterpret_cast<const char*>(p), n); }

void expectFailed(const ImagePtr& img, const std::string& name, const std::string& reasonPart = "") {
    ASSERT_TRUE(img);
    EXPECT_TRUE(img->hasError());
    EXPECT_EQ(img->errorMessage().rfind("Error loading image " + name + ": ", 0), 0u) << img->errorMessage();
    if (!reasonPart.empty()) {
        EXPECT_NE(img->errorMessage().find(reasonPart), std::string::npos) << img->errorMessage();
    }
}

// Channel-wise comparison with a tolerance for lossy JPEG.
void expectNear(uint32_t got, uint32_t want, int tol) {
    for (int sh = 0; sh < 32; sh += 8)
        EXPECT_NEAR(int((got >> sh) & 0xff), int((want >> sh) & 0xff), tol) << std::hex << got << " vs " << want;
}

}  // namespace

TEST(ImageDecode, PngColourTypesAndDepths) {
    // RGBA 8-bit.
    ImagePtr rgba = Image::decode(makePng({2, 1, 6, 8, {255, 0, 0, 255, 0, 0, 255, 0}}), "rgba.png");
    ASSERT_FALSE(rgba->hasError()) << rgba->errorMessage();
    EXPECT_EQ(rgba->getWidth(), 2);
    EXPECT_EQ(rgba->getHeight(), 1);
    EXPECT_EQ(rgba->getPixel(0, 0), 0xffff0000u);
    EXPECT_EQ(rgba->getPixel(1, 0) >> 24, 0u);

    // RGB 16-bit is reduced to 8 bits.
    ImagePtr rgb16 = Image::decode(makePng({1, 1, 2, 16, {0xffff, 0x8080, 0x0000}}), "rgb16.png");
    ASSERT_FALSE(rgb16->hasError()) << rgb16->errorMessage();
    EXPECT_EQ(rgb16->getPixel(0, 0), 0xffff8000u);

    // 2-bit palette with a transparent entry.
    std::string plte("\xff\x00\x00\x00\xff\x00\x00\x00\xff", 9);
    ImagePtr pal = Image::decode(makePng({3, 1, 3, 2, {0, 1, 2}, false, plte, std::string("\xff\x00", 2)}), "p.png");
    ASSERT_FALSE(pal->hasError()) << pal->errorMessage();
    EXPECT_EQ(pal->getPixel(0, 0), 0xffff0000u);
    EXPECT_EQ(pal->getPixel(1, 0) >> 24, 0u);
    EXPECT_EQ(pal->getPixel(2, 0), 0xff0000ffu);

    // 1-bit grey, and grey with alpha.
    ImagePtr grey = Image::decode(makePng({9, 1, 0, 1, {1, 0, 1, 0, 1, 0, 1, 0, 1}}), "g.png");
    ASSERT_FALSE(grey->hasError()) << grey->errorMessage();
    EXPECT_EQ(grey->getPixel(0, 0), 0xffffffffu);
    EXPECT_EQ(grey->getPixel(7, 0), 0xff000000u);
    EXPECT_EQ(grey->getPixel(8, 0), 0xffffffffu);
    ImagePtr ga = Image::decode(makePng({1, 1, 4, 8, {0x40, 0xff}}), "ga.png");
    EXPECT_EQ(ga->getPixel(0, 0), 0xff404040u);
}

TEST(ImageDecode, InterlacedPngMatchesPlainOne) {
    PngSpec s(11, 9, 2, 8);
    for (int i = 0; i < s.w * s.h; ++i) s.samples.insert(s.samples.end(), {uint16_t(i), uint16_t(255 - i), 7});
    ImagePtr plain = Image::decode(makePng(s), "plain.png");
    s.interlace = true;
    ImagePtr inter = Image::decode(makePng(s), "inter.png");
    ASSERT_FALSE(inter->hasError()) << inter->errorMessage();
    EXPECT_EQ(inter->getARGB(), plain->getARGB());
    EXPECT_EQ(inter->getPixel(10, 8), 0xff000000u | uint32_t(98) << 16 | uint32_t(157) << 8 | 7);
}

TEST(ImageDecode, DamagedPngFails) {
    std::string good = makePng({4, 4, 2, 8, std::vector<uint16_t>(48, 9)});
    ASSERT_FALSE(Image::decode(good, "ok.png")->hasError());
    for (size_t n : {size_t(8), size_t(20), good.size() / 2, good.size() - 13})
        expectFailed(Image::decode(good.substr(0, n), "cut.png"), "cut.png");
    std::string badCrc = good;
    badCrc[20] ^= 1;  // inside IHDR
    expectFailed(Image::decode(badCrc, "crc.png"), "crc.png");
    expectFailed(Image::decode(makePng({20000, 1, 0, 8, {}}), "wide.png"), "wide.png");
    expectFailed(Image::decode(makePng({9000, 9000, 0, 1, {}}), "big.png"), "big.png", "too large");
}

TEST(ImageDecode, GifWithTransparencyAndPalette) {
    GifFrame f;
    f.w = 3;
    f.h = 2;
    f.index = {0, 1, 2, 2, 1, 0};
    f.transparent = 1;
    ImagePtr img = Image::decode(makeGif(3, 2, {0xff0000, 0x00ff00, 0x0000ff}, f), "t.gif");
    ASSERT_FALSE(img->hasError()) << img->errorMessage();
    EXPECT_EQ(img->getPixel(0, 0), 0xffff0000u);
    EXPECT_EQ(img->getPixel(1, 0) >> 24, 0u);
    EXPECT_EQ(img->getPixel(2, 0), 0xff0000ffu);
    EXPECT_EQ(img->getPixel(0, 1), 0xff0000ffu);
    EXPECT_EQ(img->getPixel(1, 1) >> 24, 0u);
}

TEST(ImageDecode, GifFramePlacedOnScreenWithLocalColours) {
    GifFrame f;
    f.left = 1;
    f.top = 2;
    f.w = 2;
    f.h = 1;
    f.index = {1, 0};
    f.localColors = {0x102030, 0xa0b0c0};
    ImagePtr img = Image::decode(makeGif(4, 4, {0xffffff}, f), "placed.gif");
    ASSERT_FALSE(img->hasError()) << img->errorMessage();
    EXPECT_EQ(img->getWidth(), 4);
    EXPECT_EQ(img->getHeight(), 4);
    EXPECT_EQ(img->getPixel(1, 2), 0xffa0b0c0u);
    EXPECT_EQ(img->getPixel(2, 2), 0xff102030u);
    EXPECT_EQ(img->getPixel(0, 0) >> 24, 0u);
    EXPECT_EQ(img->getPixel(3, 2) >> 24, 0u);
}

TEST(ImageDecode, InterlacedGifRowsInDisplayOrder) {
    GifFrame f;
    f.w = 2;
    f.h = 10;
    for (int y = 0; y < 10; ++y) f.index.insert(f.index.end(), {uint8_t(y % 8), uint8_t(7 - y % 8)});
    f.interlace = true;
    std::vector<uint32_t> colors;
    for (uint32_t i = 0; i < 8; ++i) colors.push_back(i * 0x111111u);
    ImagePtr img = Image::decode(makeGif(2, 10, colors, f), "i.gif");
    ASSERT_FALSE(img->hasError()) << img->errorMessage();
    for (int y = 0; y < 10; ++y) {
        EXPECT_EQ(img->getPixel(0, y), 0xff000000u | uint32_t(y % 8) * 0x111111u) << y;
        EXPECT_EQ(img->getPixel(1, y), 0xff000000u | uint32_t(7 - y % 8) * 0x111111u) << y;
    }
}

TEST(ImageDecode, DamagedGifFails) {
    GifFrame f;
    f.w = 20;
    f.h = 20;
    f.index.assign(400, 1);
    std::string good = makeGif(20, 20, {0, 0xffffff}, f);
    ASSERT_FALSE(Image::decode(good, "ok.gif")->hasError());
    for (size_t n : {size_t(6), size_t(12), good.size() / 2, good.size() - 3})
        expectFailed(Image::decode(good.substr(0, n), "cut.gif"), "cut.gif");
    expectFailed(Image::decode(std::string("GIF89a\x02\x00\x02\x00\x00\x00\x00;", 14), "empty.gif"), "empty.gif",
                 "no image");
    GifFrame none = f;
    expectFailed(Image::decode(makeGif(20, 20, {}, none), "nomap.gif"), "nomap.gif", "colour map");
    GifFrame huge;
    huge.w = 1;
    huge.h = 1;
    huge.index = {0};
    expectFailed(Image::decode(makeGif(30000, 30000, {0}, huge), "huge.gif"), "huge.gif", "too large");
}

TEST(ImageDecode, JpegRgbGreyAndCmyk) {
    ImagePtr rb = Image::decode(bytesOf(kJpegRedBlue, sizeof kJpegRedBlue), "rb.jpg");
    ASSERT_FALSE(rb->hasError()) << rb->errorMessage();
    EXPECT_EQ(rb->getWidth(), 16);
    EXPECT_EQ(rb->getHeight(), 16);
    expectNear(rb->getPixel(2, 8), 0xffff0000u, 12);
    expectNear(rb->getPixel(13, 8), 0xff0000ffu, 12);
    ImagePtr grey = Image::decode(bytesOf(kJpegGrey, sizeof kJpegGrey), "g.jpg");
    ASSERT_FALSE(grey->hasError()) << grey->errorMessage();
    expectNear(grey->getPixel(5, 5), 0xff808080u, 3);
    ImagePtr cmyk = Image::decode(bytesOf(kJpegCmykRed, sizeof kJpegCmykRed), "c.jpg");
    ASSERT_FALSE(cmyk->hasError()) << cmyk->errorMessage();
    expectNear(cmyk->getPixel(8, 8), 0xffff0000u, 6);
}

TEST(ImageDecode, DamagedJpegFails) {
    std::string good = bytesOf(kJpegRedBlue, sizeof kJpegRedBlue);
    for (size_t n : {size_t(2), size_t(40), good.size() / 2, good.size() - 40})
        expectFailed(Image::decode(good.substr(0, n), "cut.jpg"), "cut.jpg");
    expectFailed(Image::decode(std::string("\xff\xd8garbage garbage garbage"), "junk.jpg"), "junk.jpg");
}

TEST(ImageDecode, UnknownDataAndFiles) {
    expectFailed(Image::decode("hello", "x.png"), "x.png", "not a PNG, GIF or JPEG");
    expectFailed(Image::decode("", "e.gif"), "e.gif", "empty");
    // The content decides, not the name.
    EXPECT_FALSE(Image::decode(makePng({1, 1, 0, 8, {3}}), "really.gif")->hasError());

    namespace fs = std::filesystem;
    std::string tmpl = (fs::temp_directory_path() / "imgtest-XXXXXX").string();
    fs::path dir(mkdtemp(tmpl.data()));
    std::ofstream(dir / "a.gif", std::ios::binary) << makeGif(1, 1, {0x123456}, GifFrame{0, 0, 1, 1, {0}, {}, false, -1});
    ImagePtr loaded = Image::load((dir / "a.gif").string());
    ASSERT_FALSE(loaded->hasError()) << loaded->errorMessage();
    EXPECT_EQ(loaded->getPixel(0, 0), 0xff123456u);
    std::string missing = (dir / "missing.png").string();
    expectFailed(Image::load(missing), missing, "No such file or directory");
    fs::remove_all(dir);
}
