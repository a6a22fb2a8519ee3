#include <gtest/gtest.h>

#include <sstream>

#include "image/ByteString.h"
#include "image/GifConverter.h"
#include "image/NewLZWHashtable.h"
#include "tests/image/gif_test_support.h"

using giftest::encode;
using giftest::parseLayout;
using giftest::readCodes;
using norvex::image::ByteString;
using norvex::image::GifConverter;
using norvex::image::NewLZWHashtable;

namespace {

// n distinct colours, one per pixel, in a row.
std::vector<uint32_t> distinctColors(int n) {
    std::vector<uint32_t> px;
    for (int i = 0; i < n; ++i) px.push_back(0xff000000u | uint32_t(i * 0x010305));
    return px;
}

int byteAt(const std::string& s, size_t i) { return uint8_t(s.at(i)); }

}  // namespace

TEST(GifLayout, TwoColourHeaderAndFirstCodes) {
    // 3 x 2: red, blue, red / blue, blue, red (alpha is dropped).
    std::vector<uint32_t> px{0xffff0000, 0x800000ff, 0xffff0000, 0xff0000ff, 0xff0000ff, 0xffff0000};
    std::string gif = encode(3, 2, px);
    ASSERT_FALSE(gif.empty());
    EXPECT_EQ(gif.substr(0, 6), "GIF87a");
    EXPECT_EQ(byteAt(gif, 6), 3);
    EXPECT_EQ(byteAt(gif, 7), 0);
    EXPECT_EQ(byteAt(gif, 8), 2);
    EXPECT_EQ(byteAt(gif, 10), 0xF0);  // 2-entry palette
    EXPECT_EQ(byteAt(gif, 11), 0);
    EXPECT_EQ(byteAt(gif, 12), 0);
    EXPECT_EQ(gif.substr(13, 6), std::string("\xff\x00\x00\x00\x00\xff", 6));  // first seen first
    EXPECT_EQ(byteAt(gif, 19), 0x2C);
    EXPECT_EQ(gif.substr(20, 9), std::string("\0\0\0\0\x03\0\x02\0\0", 9));
    EXPECT_EQ(byteAt(gif, 29), 2);  // minimum code size

    auto layout = parseLayout(gif);
    auto codes = readCodes(layout);
    ASSERT_GE(codes.codes.size(), 2u);
    EXPECT_EQ(codes.codes.front(), 4);  // clear code
    EXPECT_EQ(codes.widths.front(), 3);
    EXPECT_EQ(codes.codes.back(), 5);  // end of information
    EXPECT_EQ(layout.tail, std::string("\x3b\0\0\0\0\0\0\0\0\0", 10));
    EXPECT_EQ(gif.substr(gif.size() - 11), std::string("\0\x3b\0\0\0\0\0\0\0\0\0", 11));
}

TEST(GifLayout, PaletteSizeFollowsColourCount) {
    struct Case {
        int colors, packed, paletteEntries, codeSize;
    };
    for (Case c : {Case{1, 0xF0, 2, 2}, Case{3, 0xF1, 4, 2}, Case{5, 0xF3, 16, 4}, Case{17, 0xF4, 32, 5},
                   Case{33, 0xF5, 64, 6}, Case{65, 0xF7, 256, 8}, Case{255, 0xF7, 256, 8}}) {
        std::string gif = encode(c.colors, 1, distinctColors(c.colors));
        ASSERT_FALSE(gif.empty()) << c.colors;
        EXPECT_EQ(byteAt(gif, 10), c.packed) << c.colors;
        size_t afterPalette = 13 + 3 * size_t(c.paletteEntries);
        EXPECT_EQ(byteAt(gif, afterPalette), 0x2C) << c.colors;
        EXPECT_EQ(byteAt(gif, afterPalette + 10), c.codeSize) << c.colors;
        // Entries beyond the colours are black.
        if (c.paletteEntries > c.colors) {
            EXPECT_EQ(gif.substr(afterPalette - 3, 3), std::string(3, '\0')) << c.colors;
        }
    }
}

TEST(GifLayout, TooManyColoursWritesNothing) {
    std::string error;
    EXPECT_EQ(encode(256, 1, distinctColors(256), &error), "");
    EXPECT_EQ(error, "Too many colors in GIF!");

    // Directly on a stream: the error is reported and the converter finishes.
    auto src = std::make_shared<giftest::ThreadedSource>(16, 16, distinctColors(256));
    std::ostringstream out;
    GifConverter c(src, out);
    testing::internal::CaptureStderr();
    c.convertSynchronous();
    std::string printed = testing::internal::GetCapturedStderr();
    EXPECT_EQ(c.getError(), "Too many colors in GIF!");
    EXPECT_NE(printed.find("Too many colors in GIF!"), std::string::npos);
}

TEST(GifLayout, OneColourCodesGrowByOne) {
    std::string gif = encode(40, 1, std::vector<uint32_t>(40, 0xff123456));
    auto codes = readCodes(parseLayout(gif));
    // Runs of 1, 2, ... 8 pixels (36 in all) are codes 0, 6, 7 ... 12; the last four
    // pixels are the string of code 8; then end of information.
    std::vector<int> expected{4, 0, 6, 7, 8, 9, 10, 11, 12, 8, 5};
    EXPECT_EQ(codes.codes, expected);
}

TEST(GifLayout, SubBlocksAndFinalLength) {
    // Noise makes many codes, so the data spans several sub-blocks.
    std::vector<uint32_t> px(200 * 200);
    uint32_t s = 7;
    for (auto& p : px) {
        s = s * 1103515245u + 12345u;
        p = (s >> 16) & 3 ? 0xffffffff : 0xff000000 | ((s >> 8) & 0x7f);
    }
    std::string gif = encode(200, 200, px);
    auto layout = parseLayout(gif);
    ASSERT_GT(layout.blockLengths.size(), 3u);
    for (size_t i = 0; i + 1 < layout.blockLengths.size(); ++i) EXPECT_EQ(layout.blockLengths[i], 255);
    auto codes = readCodes(layout);
    size_t full = layout.blockLengths.size() - 1;
    size_t lastBits = codes.bitsRead - full * 255 * 8;
    EXPECT_EQ(size_t(layout.blockLengths.back()), lastBits / 8 + 1);
    EXPECT_EQ(layout.tail.size(), 10u);
}

TEST(GifLayout, FullTableClearsAndRestarts) {
    // 16 noisy colours fill the 4096-code table several times.
    std::vector<uint32_t> px(256 * 256);
    uint32_t s = 1;
    for (auto& p : px) {
        s = s * 1664525u + 1013904223u;
        p = 0xff000000u | ((s >> 28) * 0x111111u);
    }
    auto layout = parseLayout(encode(256, 256, px));
    auto codes = readCodes(layout);
    const int clear = 16;
    int clears = 0;
    for (size_t i = 1; i < codes.codes.size(); ++i) {
        if (codes.codes[i] != clear) continue;
        ++clears;
        EXPECT_EQ(codes.widths[i], 12);          // the table was full
        EXPECT_EQ(codes.widths[i - 1], 12);
        ASSERT_LT(i + 1, codes.codes.size());
        EXPECT_EQ(codes.widths[i + 1], 5);       // back to the initial width
        EXPECT_LT(codes.codes[i + 1], clear);    // a one-pixel string
    }
    EXPECT_GE(clears, 3);
    EXPECT_EQ(codes.codes.back(), 17);
}

TEST(GifLayout, ProgressLinesStayOffTheData) {
    auto src = std::make_shared<giftest::ThreadedSource>(4, 1, std::vector<uint32_t>(4, 0xff000000));
    std::ostringstream quiet, loud;
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    {
        GifConverter c(src, quiet);
        c.convertSynchronous();
    }
    {
        GifConverter c(src, loud);
        c.setVerbose(true);
        c.convertSynchronous();
        EXPECT_EQ(c.getThread(), src->deliveringThread);
    }
    std::string out = testing::internal::GetCapturedStdout();
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(out, "");
    EXPECT_NE(err.find("starting compressData with 4 pixels"), std::string::npos);
    EXPECT_NE(err.find("done compressData"), std::string::npos);
    EXPECT_NE(err.find("Done produceGIF"), std::string::npos);
    EXPECT_EQ(quiet.str(), loud.str());
    EXPECT_GE(src->removed, 2);  // the converter leaves the producer's consumers
}

TEST(GifLayout, ByteVariantWithIndexModel) {
    std::vector<uint8_t> idx{0, 1, 2, 1, 0, 2};
    std::vector<uint32_t> pal{0xff102030, 0xff405060, 0xff708090};
    auto src = std::make_shared<giftest::ThreadedSource>(3, 2, idx, pal);
    std::ostringstream out;
    ASSERT_TRUE(GifConverter::writeGif(src, out));
    auto d = giftest::decodeWithGiflib(out.str());
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.indices, idx);
    EXPECT_EQ(d.palette[2], 0x708090u);
}

TEST(ByteString, Basics) {
    ByteString s;
    EXPECT_TRUE(s.isEmpty());
    for (int i = 0; i < 12; ++i) s.append(uint8_t(i * 20));  // grows past the initial 5
    EXPECT_EQ(s.length(), 12);
    EXPECT_EQ(s.suffix(), 220);
    EXPECT_EQ(s.toString().substr(0, 8), "0014283c");
    EXPECT_TRUE(s.equals(s.clone()));
    std::vector<uint8_t> raw{0xab, 0x01};
    ByteString r(raw);
    EXPECT_TRUE(r.equals(raw));
    EXPECT_EQ(r.toString(), "ab01");
    EXPECT_FALSE(r.equals(ByteString(uint8_t(0xab))));
    EXPECT_EQ(ByteString(nullptr, 0).toString(), "(null)");
    try {
        r.byteAt(2);
        FAIL();
    } catch (const std::out_of_range& e) {
        EXPECT_STREQ(e.what(), "index 2 out of bounds");
    }
    r.clear();
    EXPECT_TRUE(r.isEmpty());
}

TEST(NewLZWHashtable, CodesAndWidths) {
    NewLZWHashtable t(2, 12);
    EXPECT_EQ(t.getCodeForString(ByteString(uint8_t(3))), 3);
    EXPECT_EQ(t.getClearCode(), 4);
    EXPECT_EQ(t.getEndOfInformationCode(), 5);
    EXPECT_EQ(t.numEntries(), 6);
    EXPECT_THROW(t.getCodeForString(ByteString()), std::invalid_argument);

    ByteString s(uint8_t(0));
    for (int code = 6; code < 4096; ++code) {
        s.append(uint8_t(code & 1));
        t.addString(s);
        int expectedWidth = code >= 2049 ? 12 : code >= 1025 ? 11 : code >= 513 ? 10 : code >= 257 ? 9
                          : code >= 129 ? 8 : code >= 65 ? 7 : code >= 33 ? 6 : code >= 17 ? 5 : code >= 9 ? 4 : 3;
        ASSERT_EQ(t.getCurrentCodeSize(), expectedWidth) << code;
        ASSERT_EQ(t.isFull(), code == 4095);
    }
    EXPECT_EQ(t.getCodeForString(s), 4095);
    t.addString(s);  // already known: no new code
    EXPECT_EQ(t.numEntries(), 4096);
    t.clear();
    EXPECT_EQ(t.getCodeForString(s), -1);
    EXPECT_EQ(t.getCurrentCodeSize(), 3);
    EXPECT_FALSE(t.isFull());
}
