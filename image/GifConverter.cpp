#include "image/GifConverter.h"

#include <algorithm>
#include <iostream>
#include <sstream>
#include <stdexcept>

#include "host/IOException.h"
#include "image/NewLZWHashtable.h"

namespace norvex::image {

namespace {

constexpr int kSubBlockBits = 255 * 8;  // bits in one full data sub-block
constexpr int kMaxDimension = 65535;    // the 16-bit size fields of the format

const std::shared_ptr<host::ColorModel>& defaultModel() {
    static const std::shared_ptr<host::ColorModel> m = std::make_shared<host::DirectColorModel>();
    return m;
}

}  // namespace

GifConverter::GifConverter(std::shared_ptr<host::ImageProducer> src, std::ostream& dest)
    : source(std::move(src)), buffer(256), bitBuffer(255) {
    setDestination(dest);
}

GifConverter::GifConverter(const host::Image& image, std::ostream& dest)
    : GifConverter(image.getSource(), dest) {}

GifConverter::~GifConverter() {
    // A production still running would call back into this object: wait for it.
    std::unique_lock lock(stateMutex);
    doneChanged.wait(lock, [this] { return done || !started; });
    lock.unlock();
    if (source) source->removeConsumer(this);
}

void GifConverter::setSource(const host::Image& image) { setSource(image.getSource()); }

void GifConverter::setSource(std::shared_ptr<host::ImageProducer> producer) { source = std::move(producer); }

void GifConverter::setDestination(std::ostream& dest) { destination = &dest; }

std::optional<std::thread::id> GifConverter::getThread() const {
    std::lock_guard lock(stateMutex);
    return myThread;
}

std::string GifConverter::getError() const {
    std::lock_guard lock(stateMutex);
    return error;
}

void GifConverter::convert() {
    host::Lock lock(mutex());
    {
        std::lock_guard state(stateMutex);
        done = false;
        started = true;
        error.clear();
    }
    if (!source) {
        finish("No image source");
        return;
    }
    source->startProduction(this);
}

void GifConverter::convertSynchronous() {
    host::Lock lock(mutex());
    convert();
    {
        std::unique_lock state(stateMutex);
        doneChanged.wait(state, [this] { return done; });
    }
    if (source) source->removeConsumer(this);
}

bool GifConverter::writeGif(const host::Image& image, std::ostream& out, std::string* err) {
    if (image.hasError()) {
        if (err) *err = "Image not loaded: " + image.errorMessage();
        return false;
    }
    return writeGif(image.getSource(), out, err);
}

bool GifConverter::writeGif(const std::shared_ptr<host::ImageProducer>& producer, std::ostream& out,
                            std::string* err) {
    std::ostringstream gif;
    std::string failure;
    {
        GifConverter c(producer, gif);
        c.reportErrors = false;
        c.convertSynchronous();
        failure = c.getError();
    }
    if (failure.empty()) {
        const std::string bytes = gif.str();
        out.write(bytes.data(), std::streamsize(bytes.size()));
        out.flush();
        if (!out) failure = "Write error";
    }
    if (!failure.empty() && err) *err = failure;
    return failure.empty();
}

void GifConverter::recordThread() {
    std::lock_guard lock(stateMutex);
    myThread = std::this_thread::get_id();
}

void GifConverter::finish(std::string why) {
    std::lock_guard lock(stateMutex);
    error = std::move(why);
    done = true;
    doneChanged.notify_all();
}

void GifConverter::setDimensions(int width, int height) {
    recordThread();
    imageWidth = width < 0 ? 0 : width;
    imageHeight = height < 0 ? 0 : height;
    imagePixels.clear();
    // Sizes the format cannot hold are refused in produceGIF; do not allocate for them.
    if (imageWidth <= kMaxDimension && imageHeight <= kMaxDimension)
        imagePixels.assign(size_t(imageWidth) * size_t(imageHeight), 0);
}

void GifConverter::setProperties() { recordThread(); }

void GifConverter::setColorModel(const std::shared_ptr<host::ColorModel>&) { recordThread(); }

void GifConverter::setHints(int) { recordThread(); }

int GifConverter::colorIndex(uint32_t rgb) {
    // A small direct-mapped cache in front of the map: pictures repeat few colours.
    ColorSlot& slot = colorCache[(rgb * 2654435761u) >> (32 - kColorCacheBits)];
    if (slot.index >= 0 && slot.rgb == rgb) return slot.index;
    auto [it, added] = colorIndexOf.try_emplace(rgb, int(colors.size()));
    if (added) colors.push_back(host::Color::fromRGB(rgb));
    slot = {rgb, it->second};
    return it->second;
}

template <class Pixel>
void GifConverter::takePixels(int x, int y, int w, int h, const std::shared_ptr<host::ColorModel>& m,
                              const Pixel* pixels, int offset, int scansize) {
    if (!pixels) return;
    const host::ColorModel& model = m ? *m : *defaultModel();
    bool stored = !imagePixels.empty();
    const bool direct = dynamic_cast<const host::DirectColorModel*>(&model) != nullptr;  // pixels are ARGB
    for (int i = 0; i < h; ++i) {
        int64_t row = int64_t(y) + i;
        for (int j = 0; j < w; ++j) {
            int64_t col = int64_t(x) + j;
            uint32_t value = uint32_t(pixels[int64_t(offset) + int64_t(i) * scansize + j]);
            uint32_t argb = direct ? value : model.getRGB(value);
            int index = colorIndex(argb & 0xffffffu);
            // Pixels outside the announced size are counted for the palette but not stored.
            if (stored && row >= 0 && row < imageHeight && col >= 0 && col < imageWidth)
                imagePixels[size_t(row) * size_t(imageWidth) + size_t(col)] = index;
        }
    }
}

void GifConverter::setPixels(int x, int y, int w, int h, const std::shared_ptr<host::ColorModel>& model,
                             const uint8_t* pixels, int offset, int scansize) {
    recordThread();
    takePixels(x, y, w, h, model, pixels, offset, scansize);
}

void GifConverter::setPixels(int x, int y, int w, int h, const std::shared_ptr<host::ColorModel>& model,
                             const uint32_t* pixels, int offset, int scansize) {
    recordThread();
    takePixels(x, y, w, h, model, pixels, offset, scansize);
}

void GifConverter::imageComplete(int status) {
    recordThread();
    if (status == STATICIMAGEDONE) {
        std::string why;
        try {
            produceGIF();
        } catch (const std::exception& e) {
            why = e.what();
            if (reportErrors) std::cerr << "GifConverter: " << why << std::endl;
        }
        finish(why);
    } else if (status == IMAGEERROR || status == IMAGEABORTED) {
        finish(status == IMAGEERROR ? "Image production failed" : "Image production aborted");
    }
}

void GifConverter::progress(const std::string& line) const {
    if (verbose) std::cerr << line << std::endl;
}

void GifConverter::putByte(int b) { destination->put(char(uint8_t(b))); }

void GifConverter::putWord(int w) {
    putByte(w & 0xff);
    putByte((w >> 8) & 0xff);
}

void GifConverter::produceGIF() {
    if (!destination) throw host::IOException("No destination stream");
    int n = int(colors.size());
    if (n > 255) throw std::out_of_range("Too many colors in GIF!");
    if (imageWidth > kMaxDimension || imageHeight > kMaxDimension)
        throw std::out_of_range("Image too large for GIF!");

    int b = n <= 2 ? 1 : n <= 4 ? 2 : n <= 16 ? 4 : n <= 32 ? 5 : n <= 64 ? 6 : 8;

    for (char ch : std::string("GIF87a")) putByte(ch);
    putWord(imageWidth);
    putWord(imageHeight);
    putByte(0xf0 | (b - 1));  // global colour table, colour resolution 7
    putByte(0);               // background index
    putByte(0);               // aspect
    for (int k = 0; k < (1 << b); ++k) {
        host::Color c = k < n ? colors[size_t(k)] : host::Color(0, 0, 0);
        putByte(c.getRed());
        putByte(c.getGreen());
        putByte(c.getBlue());
    }

    putByte(0x2c);  // image descriptor
    putWord(0);
    putWord(0);
    putWord(imageWidth);
    putWord(imageHeight);
    putByte(0);  // no local table, not interlaced

    int codeSize = b < 2 ? 2 : b;
    putByte(codeSize);
    compressData(codeSize);

    putByte(0);     // block terminator
    putByte(0x3b);  // trailer
    for (int i = 0; i < 9; ++i) putByte(0);
    destination->flush();
    if (!*destination) throw host::IOException("Write error");
    progress("Done produceGIF");
}

// LZW over the palette indices. The longest known prefix is followed from the
// current one, one child lookup per pixel, instead of looking each longer string
// up again from the root.
void GifConverter::compressData(int codeSize) {
    progress("starting compressData with " + std::to_string(imagePixels.size()) + " pixels");
    NewLZWHashtable table(codeSize, 12);
    currentBit = 0;
    std::fill(bitBuffer.begin(), bitBuffer.end(), 0);
    auto emit = [&](int code) { putBits(code, table.getCurrentCodeSize()); };

    emit(table.getClearCode());
    int prefix = -1;  // the code of the current prefix; -1 while it is empty
    for (int32_t index : imagePixels) {
        uint8_t p = uint8_t(index & 0xff);
        if (p >= table.getClearCode()) throw std::logic_error("pixel index outside the code table");
        int code = prefix < 0 ? int(p) : table.findChildCode(prefix, p);
        if (table.isFull()) {
            bool restartWithP = code == -1;
            emit(restartWithP ? prefix : code);
            emit(table.getClearCode());
            table.clear();
            prefix = restartWithP ? int(p) : -1;
        } else if (code == -1) {
            table.addChild(table.nodeForCode(prefix), p);
            emit(prefix);
            prefix = p;
        } else {
            prefix = code;
        }
    }
    if (prefix >= 0) {
        table.countCodeWithoutString();
        emit(prefix);
    }
    table.countCodeWithoutString();
    emit(table.getEndOfInformationCode());
    flushBits();
    progress("done compressData");
}

void GifConverter::putBits(int data, int size) {
    // The size low bits of data, least significant first, a byte-sized piece at a
    // time; a piece never crosses the end of the sub-block.
    uint64_t v = uint64_t(uint32_t(data)) & ((uint64_t(1) << size) - 1);
    while (size > 0) {
        int take = std::min(size, kSubBlockBits - currentBit);
        int pos = currentBit >> 3;
        uint64_t bits = (v & ((uint64_t(1) << take) - 1)) << (currentBit & 7);
        for (; bits; bits >>= 8) bitBuffer[size_t(pos++)] |= uint8_t(bits);
        currentBit += take;
        v >>= take;
        size -= take;
        if (currentBit == kSubBlockBits) {
            currentBit = kSubBlockBits - 1;  // the last bit written: currentBit / 8 + 1 = 255 bytes
            flushBits();
        }
    }
}

void GifConverter::flushBits() {
    int n = currentBit / 8 + 1;
    putByte(n);
    destination->write(reinterpret_cast<const char*>(bitBuffer.data()), n);
    std::fill(bitBuffer.begin(), bitBuffer.begin() + n, 0);
    currentBit = 0;
}

}  // namespace norvex::image
