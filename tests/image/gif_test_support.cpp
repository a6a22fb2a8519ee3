#include "tests/image/gif_test_support.h"

#include <gif_lib.h>

#include <cstring>
#include <sstream>

#include "image/GifConverter.h"

namespace giftest {

ThreadedSource::~ThreadedSource() {
    for (auto& t : threads_) t.join();
}

void ThreadedSource::startProduction(host::ImageConsumer* c) {
    threads_.emplace_back([this, c] {
        deliveringThread = std::this_thread::get_id();
        c->setDimensions(w_, h_);
        c->setHints(host::ImageConsumer::TOPDOWNLEFTRIGHT);
        if (!bytes_.empty()) {
            auto model = std::make_shared<host::IndexColorModel>(palette_);
            c->setColorModel(model);
            for (int y = 0; y < h_; ++y) c->setPixels(0, y, w_, 1, model, bytes_.data(), y * w_, w_);
        } else {
            for (int y = 0; y < h_; ++y) c->setPixels(0, y, w_, 1, nullptr, argb_.data(), y * w_, w_);
        }
        c->imageComplete(host::ImageConsumer::STATICIMAGEDONE);
    });
}

std::string encode(int w, int h, const std::vector<uint32_t>& argb, std::string* error) {
    auto src = std::make_shared<ThreadedSource>(w, h, argb);
    std::ostringstream out;
    std::string err;
    if (!norvex::image::GifConverter::writeGif(src, out, &err)) {
        if (error) *error = err;
        return "";
    }
    return out.str();
}

namespace {

struct Reader {
    const std::string* bytes;
    size_t pos = 0;
};

int readFromString(GifFileType* gif, GifByteType* buf, int n) {
    auto* r = static_cast<Reader*>(gif->UserData);
    size_t k = std::min(size_t(n), r->bytes->size() - r->pos);
    std::memcpy(buf, r->bytes->data() + r->pos, k);
    r->pos += k;
    return int(k);
}

}  // namespace

Decoded decodeWithGiflib(const std::string& bytes) {
    Decoded d;
    Reader r{&bytes};
    int err = 0;
    GifFileType* gif = DGifOpen(&r, readFromString, &err);
    if (!gif) return d;
    if (DGifSlurp(gif) == GIF_OK && gif->ImageCount >= 1) {
        const SavedImage& img = gif->SavedImages[0];
        const ColorMapObject* map = img.ImageDesc.ColorMap ? img.ImageDesc.ColorMap : gif->SColorMap;
        d.width = img.ImageDesc.Width;
        d.height = img.ImageDesc.Height;
        if (map)
            for (int i = 0; i < map->ColorCount; ++i)
                d.palette.push_back(uint32_t(map->Colors[i].Red) << 16 | uint32_t(map->Colors[i].Green) << 8 |
                                    map->Colors[i].Blue);
        d.indices.assign(img.RasterBits, img.RasterBits + size_t(d.width) * size_t(d.height));
        d.ok = true;
    }
    DGifCloseFile(gif, &err);
    return d;
}

Layout parseLayout(const std::string& gif) {
    Layout l;
    size_t paletteEntries = size_t(1) << ((uint8_t(gif.at(10)) & 7) + 1);
    size_t pos = 13 + 3 * paletteEntries + 10;  // header, palette, image descriptor
    l.codeSize = uint8_t(gif.at(pos++));
    for (;;) {
        int n = uint8_t(gif.at(pos++));
        if (n == 0) break;
        l.blockLengths.push_back(n);
        l.data += gif.substr(pos, size_t(n));
        pos += size_t(n);
    }
    l.tail = gif.substr(pos);
    return l;
}

Codes readCodes(const Layout& l) {
    Codes c;
    const int clear = 1 << l.codeSize, eoi = clear + 1;
    int width = l.codeSize + 1, next = eoi + 1;
    bool first = true;
    size_t bit = 0;
    while (bit + size_t(width) <= l.data.size() * 8) {
        int code = 0;
        for (int k = 0; k < width; ++k, ++bit)
            if ((uint8_t(l.data[bit / 8]) >> (bit % 8)) & 1) code |= 1 << k;
        c.codes.push_back(code);
        c.widths.push_back(width);
        if (code == eoi) break;
        if (code == clear) {
            width = l.codeSize + 1;
            next = eoi + 1;
            first = true;
            continue;
        }
        if (!first && next < 4096) ++next;
        first = false;
        if (next == (1 << width) && width < 12) ++width;
    }
    c.bitsRead = bit;
    return c;
}

}  // namespace giftest
