#include "image/GifConverter.h"

#include <algorithm>
#include <array>
#include <iostream>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <typeinfo>

#include "host/base/IOException.h"

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

// The colour's palette index. Cache hits stay inline; everything else goes to
// colorIndexSlow, which appends colours in first-seen order.
inline int GifConverter::colorIndex(uint32_t rgb) {
    const ColorSlot& slot = colorCache[(rgb * 2654435761u) >> (32 - kColorCacheBits)];
    if (slot.rgb == rgb) [[likely]]
        return slot.index;
    return colorIndexSlow(rgb);
}

int GifConverter::colorIndexSlow(uint32_t rgb) {
    auto [it, added] = colorIndexOf.try_emplace(rgb, int(colors.size()));
    if (added) colors.push_back(host::Color::fromRGB(rgb));
    colorCache[(rgb * 2654435761u) >> (32 - kColorCacheBits)] = {rgb, it->second};
    return it->second;
}

template <class Pixel>
void GifConverter::takePixels(int x, int y, int w, int h, const std::shared_ptr<host::ColorModel>& m,
                              const Pixel* pixels, int offset, int scansize) {
    if (!pixels || w <= 0 || h <= 0) return;
    const host::ColorModel& model = m ? *m : *defaultModel();
    // Only the plain ARGB model may be skipped; a subclass may map values its own way.
    const bool direct = typeid(model) == typeid(host::DirectColorModel);
    // Byte pixels take at most 256 values: each value's index is found once, at its
    // first occurrence, so the colours still enter the palette in first-seen order.
    std::array<int32_t, 256> byteIndex;
    if constexpr (sizeof(Pixel) == 1) byteIndex.fill(-1);
    auto indexOf = [&](uint32_t value) -> int32_t {
        if constexpr (sizeof(Pixel) == 1) {
            int32_t& known = byteIndex[value & 0xff];
            if (known < 0) known = colorIndex((direct ? value : model.getRGB(value)) & 0xffffffu);
            return known;
        } else {
            return colorIndex((direct ? value : model.getRGB(value)) & 0xffffffu);
        }
    };

    const bool stored = !imagePixels.empty();
    const bool columnsInside = int64_t(x) >= 0 && int64_t(x) + w <= imageWidth;
    for (int i = 0; i < h; ++i) {
        const int64_t row = int64_t(y) + i;
        const Pixel* src = pixels + (int64_t(offset) + int64_t(i) * scansize);
        if (stored && columnsInside && row >= 0 && row < imageHeight) {
            int32_t* dst = imagePixels.data() + size_t(row) * size_t(imageWidth) + size_t(x);
            for (int j = 0; j < w; ++j) dst[j] = indexOf(uint32_t(src[j]));
            continue;
        }
        // Pixels outside the announced size are counted for the palette but not stored.
        for (int j = 0; j < w; ++j) {
            const int64_t col = int64_t(x) + j;
            int32_t index = indexOf(uint32_t(src[j]));
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

namespace {

constexpr int kMaxCode = 4095;  // codes are at most 12 bits wide

// The compressor's string table holds only what the inner loop asks: the string
// of a known prefix followed by byte b, and whether it has a code. A code stands
// for its string, so children are keyed by (prefix, byte) and no strings or trie
// nodes are built. The current prefix is kept as a handle of the table's choice:
// handleOf(b) for a one-byte string, find(h, b) for the child (kNone if unknown),
// codeOf(h) for its code, add(h, b, code) for a new string.

// For small palettes (minimum code size up to 4): a dense table with one row of
// children per code, so a lookup is a single load. A handle is the offset of
// the prefix's row (code << Bits), which keeps the lookup chain from pixel to
// pixel short; 4095 << 4 still fits in 16 bits. A row is cleared when its code
// is given out, so a restart clears only the rows of the one-byte strings.
template <int Bits>
class DenseChildren {
public:
    static constexpr uint32_t kNone = 0;  // no child has row 0: codes 0 and 1 are one-byte strings

    DenseChildren() : row(size_t(kMaxCode + 1) << Bits) {}
    void reset() { std::fill(row.begin(), row.begin() + (std::ptrdiff_t(1) << (2 * Bits)), 0); }
    static uint32_t handleOf(uint8_t b) { return uint32_t(b) << Bits; }
    static int codeOf(uint32_t h) { return int(h >> Bits); }
    uint32_t find(uint32_t h, uint8_t b) const { return row[h | b]; }
    void add(uint32_t h, uint8_t b, int code) {
        row[h | b] = uint16_t(code << Bits);
        std::fill_n(row.begin() + (std::ptrdiff_t(code) << Bits), std::ptrdiff_t(1) << Bits, 0);
    }

private:
    std::vector<uint16_t> row;  // row[prefix << Bits | byte]: the child's handle, or kNone
};

// For larger palettes: open addressing with linear probing over twice as many
// slots as there are codes; a handle is the code itself. A slot packs
// key << 12 | child code, with key = prefix code << 8 | byte, so one probe reads
// one word. kFree cannot be a real entry: code 4095 is the last one given out
// and never gets children.
class HashedChildren {
public:
    static constexpr uint32_t kNone = 0xffffffffu;

    void reset() { slots.fill(kFree); }
    static uint32_t handleOf(uint8_t b) { return b; }
    static int codeOf(uint32_t h) { return int(h); }
    uint32_t find(uint32_t prefix, uint8_t b) const {
        const uint32_t key = (prefix << 8) | b;
        for (uint32_t i = slotOf(key);; i = (i + 1) & kMask) {
            const uint32_t s = slots[i];
            if (s == kFree) return kNone;
            if ((s >> 12) == key) return s & 0xfff;
        }
    }
    // Only called for a string that find did not know.
    void add(uint32_t prefix, uint8_t b, int code) {
        const uint32_t key = (prefix << 8) | b;
        uint32_t i = slotOf(key);
        while (slots[i] != kFree) i = (i + 1) & kMask;
        slots[i] = (key << 12) | uint32_t(code);
    }

private:
    static constexpr int kBits = 13;
    static constexpr uint32_t kMask = (1u << kBits) - 1;
    static constexpr uint32_t kFree = 0xffffffffu;
    static uint32_t slotOf(uint32_t key) { return (key * 2654435761u) >> (32 - kBits); }
    std::array<uint32_t, 1 << kBits> slots{};
};

}  // namespace

// Bits go out least significant first. Complete bytes go straight into bitBuffer;
// the bits of an incomplete last byte wait in pendingBits. A full buffer (255
// bytes, 2040 bits) becomes a sub-block at once. size is at most 32.
inline void GifConverter::putBits(int data, int size) {
    const int used = currentBit & 7;
    uint64_t bits = pendingBits | ((uint64_t(uint32_t(data)) & ((uint64_t(1) << size) - 1)) << used);
    int count = used + size;
    int pos = currentBit >> 3;
    currentBit += size;
    while (count >= 8) {
        bitBuffer[size_t(pos++)] = uint8_t(bits);
        bits >>= 8;
        count -= 8;
        if (pos == kSubBlockBits / 8) {
            subBlocks += char(kSubBlockBits / 8);
            subBlocks.append(reinterpret_cast<const char*>(bitBuffer.data()), size_t(kSubBlockBits / 8));
            currentBit -= kSubBlockBits;
            pos = 0;
        }
    }
    pendingBits = bits;
}

// Ends the sub-block being filled: currentBit / 8 + 1 bytes, the last one partly
// filled (or zero when currentBit is a multiple of 8).
void GifConverter::flushBits() {
    const int n = currentBit / 8 + 1;
    bitBuffer[size_t(currentBit >> 3)] = uint8_t(pendingBits);
    subBlocks += char(n);
    subBlocks.append(reinterpret_cast<const char*>(bitBuffer.data()), size_t(n));
    currentBit = 0;
    pendingBits = 0;
}

// LZW over the palette indices. The current prefix is held as its code, and each
// pixel costs one child lookup. A new string's code is counted (and the width
// grown) before the prefix's code goes out, so the width changes where a decoder
// expects it. The sub-blocks are collected and written in one piece.
void GifConverter::compressData(int codeSize) {
    progress("starting compressData with " + std::to_string(imagePixels.size()) + " pixels");
    currentBit = 0;
    pendingBits = 0;
    subBlocks.clear();
    subBlocks.reserve(imagePixels.size() / 4 + 512);
    // The table's row length is a constant of each variant, for the shortest lookup.
    // (produceGIF never passes 3: palettes have 2, 4, 16, 32, 64 or 256 entries.)
    auto run = [&](auto children) { compressPixels(*children, codeSize); };
    switch (codeSize) {
    case 2: run(std::make_unique<DenseChildren<2>>()); break;
    case 4: run(std::make_unique<DenseChildren<4>>()); break;
    default: run(std::make_unique<HashedChildren>()); break;
    }
    destination->write(subBlocks.data(), std::streamsize(subBlocks.size()));
    subBlocks.clear();
    progress("done compressData");
}

template <class Children>
void GifConverter::compressPixels(Children& children, int codeSize) {
    const int clearCode = 1 << codeSize;
    const int endCode = clearCode + 1;
    int width = codeSize + 1;     // the current code width
    int next = clearCode + 2;     // the next code to give out; past kMaxCode the table is full
    // Gives out code `next`, first widening when that code needs one more bit.
    auto takeCode = [&] {
        if ((1 << width) + 1 <= next && width < 12) ++width;
        ++next;
    };

    children.reset();
    putBits(clearCode, width);
    bool empty = true;     // the current prefix is empty (only at the start and after a restart)
    uint32_t prefix = 0;   // the current prefix, as the table's handle
    for (int32_t index : imagePixels) {
        const uint8_t p = uint8_t(index & 0xff);
        if (p >= clearCode) throw std::logic_error("pixel index outside the code table");
        // An empty prefix only follows a restart, when the table is not full.
        if (empty) [[unlikely]] {
            prefix = children.handleOf(p);
            empty = false;
            continue;
        }
        const uint32_t found = children.find(prefix, p);
        if (next <= kMaxCode) [[likely]] {
            if (found != Children::kNone) {
                prefix = found;
                continue;
            }
            children.add(prefix, p, next);
            takeCode();
            putBits(children.codeOf(prefix), width);
            prefix = children.handleOf(p);
        } else {
            // Full: emit what is known, then the clear code, and start over.
            const bool known = found != Children::kNone;
            putBits(children.codeOf(known ? found : prefix), width);
            putBits(clearCode, width);
            width = codeSize + 1;
            next = clearCode + 2;
            children.reset();
            empty = known;
            prefix = children.handleOf(p);
        }
    }
    // A decoder adds a table entry for every code it reads after the first, also
    // for the last data code and the end code, which add no string here: count
    // them too, or an end on a width step gets codes one bit too narrow.
    if (!empty) {
        if (next <= kMaxCode) takeCode();
        putBits(children.codeOf(prefix), width);
    }
    if (next <= kMaxCode) takeCode();
    putBits(endCode, width);
    flushBits();
}

}  // namespace norvex::image
