#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <unordered_map>

#include "image/ByteString.h"
#include "image/GifConverter.h"
#include "image/NewLZWHashtable.h"
#include "tests/image/gif_test_support.h"

using norvex::image::ByteString;
using norvex::image::GifConverter;
using norvex::image::NewLZWHashtable;

namespace {

// The code stream of the plain string-table algorithm: each pixel extends the
// prefix string, which is looked up from scratch in NewLZWHashtable.
std::vector<int> referenceCodes(const std::vector<uint8_t>& indices, int codeSize) {
    NewLZWHashtable table(codeSize, 12);
    std::vector<int> codes{table.getClearCode()};
    ByteString prefix;
    for (uint8_t p : indices) {
        ByteString current(prefix);
        current.append(p);
        int code = table.getCodeForString(current);
        if (table.isFull()) {
            if (code != -1) {
                codes.push_back(code);
                prefix.clear();
            } else {
                codes.push_back(table.getCodeForString(prefix));
                prefix = ByteString(p);
            }
            codes.push_back(table.getClearCode());
            table.clear();
        } else if (code == -1) {
            table.addString(current);
            codes.push_back(table.getCodeForString(prefix));
            prefix = ByteString(p);
        } else {
            prefix = current;
        }
    }
    if (!prefix.isEmpty()) codes.push_back(table.getCodeForString(prefix));
    codes.push_back(table.getEndOfInformationCode());
    return codes;
}

// Noise over `colors` colours with runs of 1 .. maxRun pixels; indices in first-seen order.
void makeImage(size_t n, int colors, int maxRun, uint32_t seed, std::vector<uint32_t>& argb,
               std::vector<uint8_t>& indices) {
    std::mt19937 rng(seed);
    std::unordered_map<uint32_t, int> seen;
    while (argb.size() < n) {
        uint32_t c = 0xff000000u | uint32_t(rng() % unsigned(colors)) * 0x010305u;
        int index = seen.try_emplace(c, int(seen.size())).first->second;
        for (int k = int(rng() % unsigned(maxRun)) + 1; k > 0 && argb.size() < n; --k) {
            argb.push_back(c);
            indices.push_back(uint8_t(index));
        }
    }
}

}  // namespace

// The encoder's code-keyed tables (dense for minimum code sizes 2 to 4, hashed
// above) must give the same codes as the string table, across several restarts.
TEST(GifCodes, SameCodesAsTheStringTable) {
    struct Case {
        int colors, maxRun, codeSize;
    };
    for (Case c : {Case{2, 1, 2}, Case{4, 3, 2}, Case{7, 2, 4}, Case{16, 1, 4}, Case{16, 12, 4},
                   Case{30, 1, 5}, Case{60, 4, 6}, Case{200, 1, 8}, Case{255, 9, 8}}) {
        std::vector<uint32_t> argb;
        std::vector<uint8_t> indices;
        makeImage(60000, c.colors, c.maxRun, uint32_t(c.colors * 7 + c.maxRun), argb, indices);
        std::string gif = giftest::encode(300, 200, argb);
        ASSERT_FALSE(gif.empty());
        auto layout = giftest::parseLayout(gif);
        ASSERT_EQ(layout.codeSize, c.codeSize) << c.colors << " colours";
        auto codes = giftest::readCodes(layout);
        std::vector<int> expected = referenceCodes(indices, c.codeSize);
        ASSERT_EQ(codes.codes, expected) << c.colors << " colours, runs up to " << c.maxRun;
        int clears = int(std::count(expected.begin() + 1, expected.end(), 1 << c.codeSize));
        EXPECT_GE(clears, 1) << c.colors << " colours";
    }
}

namespace {

// A direct model whose values are not ARGB: red and blue swapped.
class SwappedModel : public host::DirectColorModel {
public:
    uint32_t getRGB(uint32_t v) const override {
        return (v & 0xff00ff00u) | ((v >> 16) & 0xff) | ((v & 0xff) << 16);
    }
};

}  // namespace

// Pixels are mapped through the model they come with, also a subclass of the
// direct model; bytes through their index model, in first-seen order.
TEST(GifCodes, PixelsGoThroughTheirModel) {
    std::ostringstream out;
    {
        GifConverter c(std::shared_ptr<host::ImageProducer>(), out);
        c.setDimensions(3, 2);
        const uint32_t ints[] = {0xff112233, 0xff445566, 0xff112233};
        c.setPixels(0, 0, 3, 1, std::make_shared<SwappedModel>(), ints, 0, 3);
        const uint8_t bytes[] = {9, 9, 4};
        auto indexed = std::make_shared<host::IndexColorModel>(std::vector<uint32_t>(10, 0xff000000u));
        c.setPixels(0, 1, 3, 1, indexed, bytes, 0, 3);
        c.imageComplete(host::ImageConsumer::STATICIMAGEDONE);
        EXPECT_EQ(c.getError(), "");
    }
    auto d = giftest::decodeWithGiflib(out.str());
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.indices, (std::vector<uint8_t>{0, 1, 0, 2, 2, 2}));
    EXPECT_EQ(d.palette.at(0), 0x332211u);
    EXPECT_EQ(d.palette.at(1), 0x665544u);
    EXPECT_EQ(d.palette.at(2), 0x000000u);
}
