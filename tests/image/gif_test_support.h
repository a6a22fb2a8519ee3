// Helpers of the GIF encoder tests: an image producer that delivers on its own
// thread, encoding to bytes, a reader of the code stream and giflib decoding.
#pragma once

#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "host/graphics/ImageProducer.h"

namespace giftest {

// Delivers a fixed ARGB image (or 8-bit indices with a palette) row by row on a
// thread of its own, like the toolkit's memory image source.
class ThreadedSource : public host::ImageProducer {
public:
    ThreadedSource(int w, int h, std::vector<uint32_t> argb) : w_(w), h_(h), argb_(std::move(argb)) {}
    ThreadedSource(int w, int h, std::vector<uint8_t> indices, std::vector<uint32_t> palette)
        : w_(w), h_(h), bytes_(std::move(indices)), palette_(std::move(palette)) {}
    ~ThreadedSource() override;

    void addConsumer(host::ImageConsumer*) override {}
    bool isConsumer(host::ImageConsumer*) const override { return false; }
    void removeConsumer(host::ImageConsumer*) override { ++removed; }
    void startProduction(host::ImageConsumer* c) override;
    void requestTopDownLeftRightResend(host::ImageConsumer*) override {}

    std::thread::id deliveringThread;
    int removed = 0;

private:
    int w_, h_;
    std::vector<uint32_t> argb_;
    std::vector<uint8_t> bytes_;
    std::vector<uint32_t> palette_;
    std::vector<std::thread> threads_;
};

// Encodes through GifConverter::writeGif; an empty string when it fails.
std::string encode(int w, int h, const std::vector<uint32_t>& argb, std::string* error = nullptr);

struct Decoded {
    bool ok = false;
    int width = 0, height = 0;
    std::vector<uint32_t> palette;  // 0xRRGGBB
    std::vector<uint8_t> indices;
};
// Decodes with giflib's DGifSlurp.
Decoded decodeWithGiflib(const std::string& gif);

// The parts of an encoded GIF around its image data.
struct Layout {
    int codeSize = 0;
    std::vector<int> blockLengths;   // the data sub-blocks, terminator excluded
    std::string data;                // the sub-blocks' bytes joined
    std::string tail;                // everything after the terminator
};
Layout parseLayout(const std::string& gif);

// The LZW codes of the data, read with the widths a decoder uses, up to and
// including the end-of-information code; bitsRead counts the bits taken.
struct Codes {
    std::vector<int> codes;
    std::vector<int> widths;
    size_t bitsRead = 0;
};
Codes readCodes(const Layout& layout);

}  // namespace giftest
