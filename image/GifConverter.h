// Turns an image into a GIF87a byte stream. The converter is a consumer of the
// image-production protocol: the image's producer pushes the size and pixels in,
// on a thread of its own, and when the image is complete the converter maps each
// pixel to a palette index (at most 255 colours), writes the header and palette,
// compresses the indices with variable-width LZW and writes the result.
//
// Progress lines ("starting compressData with ...", "done compressData",
// "Done produceGIF") go to the error stream, and only when verbose is set, so
// that they never mix with GIF data written to standard output.
#pragma once

#include <array>
#include <condition_variable>
#include <cstdint>
#include <iosfwd>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

#include "host/base/Color.h"
#include "host/graphics/Image.h"
#include "host/graphics/ImageProducer.h"
#include "host/runtime/Object.h"

namespace norvex::image {

class GifConverter : public host::Object, public host::ImageConsumer {
    HOST_OBJECT(GifConverter, "norvex.image.GifConverter", host::Object)
public:
    GifConverter(std::shared_ptr<host::ImageProducer> source, std::ostream& destination);
    GifConverter(const host::Image& image, std::ostream& destination);
    ~GifConverter() override;

    void setSource(const host::Image& image);
    void setSource(std::shared_ptr<host::ImageProducer> producer);
    void setDestination(std::ostream& destination);
    // The thread that delivered the image; empty before delivery starts.
    std::optional<std::thread::id> getThread() const;

    // Asks the producer to deliver the image to this converter; returns at once.
    void convert();
    // convert(), then waits until the producer has reported the image complete
    // (or failed) and the GIF is written.
    void convertSynchronous();

    // Empty after a successful conversion; otherwise what went wrong, e.g.
    // "Too many colors in GIF!".
    std::string getError() const;
    // Prints the progress lines on the error stream.
    void setVerbose(bool v) { verbose = v; }

    // Encodes image to out. The GIF is built in memory first, so out receives either
    // a whole GIF or nothing; on failure returns false and sets *error.
    static bool writeGif(const host::Image& image, std::ostream& out, std::string* error = nullptr);
    // The same from any producer.
    static bool writeGif(const std::shared_ptr<host::ImageProducer>& producer, std::ostream& out,
                         std::string* error = nullptr);

    // Image consumer callbacks, called by the producer.
    void setDimensions(int width, int height) override;
    void setProperties() override;
    void setColorModel(const std::shared_ptr<host::ColorModel>& model) override;
    void setHints(int hints) override;
    void setPixels(int x, int y, int w, int h, const std::shared_ptr<host::ColorModel>& model,
                   const uint8_t* pixels, int offset, int scansize) override;
    void setPixels(int x, int y, int w, int h, const std::shared_ptr<host::ColorModel>& model,
                   const uint32_t* pixels, int offset, int scansize) override;
    void imageComplete(int status) override;

private:
    template <class Pixel>
    void takePixels(int x, int y, int w, int h, const std::shared_ptr<host::ColorModel>& model,
                    const Pixel* pixels, int offset, int scansize);
    int colorIndex(uint32_t rgb);
    int colorIndexSlow(uint32_t rgb);
    void recordThread();
    void finish(std::string error);

    void produceGIF();
    void compressData(int codeSize);
    template <class Children>
    void compressPixels(Children& children, int codeSize);
    void putBits(int data, int size);
    void flushBits();
    void putByte(int b);
    void putWord(int w);
    void progress(const std::string& line) const;

    std::shared_ptr<host::ImageProducer> source;
    std::ostream* destination = nullptr;
    std::vector<host::Color> colors;                  // distinct colours, first seen first
    std::unordered_map<uint32_t, int> colorIndexOf;   // rgb -> position in colors
    // A direct-mapped cache in front of colorIndexOf: pictures repeat few colours.
    // kNoColor never equals a 24-bit colour, so an unused slot never matches.
    static constexpr uint32_t kNoColor = 0xffffffffu;
    struct ColorSlot {
        uint32_t rgb = kNoColor;
        int32_t index = 0;
    };
    static constexpr int kColorCacheBits = 10;
    std::array<ColorSlot, 1 << kColorCacheBits> colorCache{};
    std::vector<int32_t> imagePixels;                 // palette indices, row-major
    int32_t imageWidth = 0;
    int32_t imageHeight = 0;
    std::vector<uint8_t> buffer;                      // 256 bytes, kept for layout; unused
    std::optional<std::thread::id> myThread;
    std::vector<uint8_t> bitBuffer;                   // the data sub-block being filled
    int32_t currentBit = 0;                           // bits in bitBuffer, pendingBits included
    uint64_t pendingBits = 0;                         // the bits of the last, incomplete byte
    std::string subBlocks;                            // finished sub-blocks, written at the end

    bool verbose = false;
    bool reportErrors = true;                          // print failures on the error stream
    mutable std::mutex stateMutex;                    // guards myThread, done and error
    std::condition_variable doneChanged;
    bool started = false;                             // convert() ran
    bool done = false;                                // the last production ended
    std::string error;
};

}  // namespace norvex::image
