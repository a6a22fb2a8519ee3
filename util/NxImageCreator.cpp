#include "util/NxImageCreator.h"

#include "host/graphics/Image.h"
#include "util/NxUtilConverter.h"

namespace norvex::util {

NxImageCreator::NxImageCreator(host::Component* c) : comp(c) {}

NxImageCreator::NxImageCreator(host::Component* c, int w, int h) : comp(c) { setSize(w, h); }

void NxImageCreator::setColor(char ch, int32_t rgb) {
    host::Lock g(mutex());
    map[static_cast<unsigned char>(ch)] = uint32_t(rgb);
}

void NxImageCreator::setColor(char ch, const host::Color& c) { setColor(ch, c.getRGB()); }

void NxImageCreator::setSize(int w, int h) {
    host::Lock g(mutex());
    if (w < 0) w = 0;
    if (h < 0) h = 0;
    if (w == width && h == height) return;
    width = w;
    height = h;
    pixels.assign(std::size_t(w) * std::size_t(h), 0u);
    if (pixels.empty()) pixels.shrink_to_fit();
}

void NxImageCreator::clear() {
    host::Lock g(mutex());
    pixels.assign(std::size_t(width) * std::size_t(height), 0u);
    row = 0;
}

void NxImageCreator::setPixels(int r, const std::string& s) {
    host::Lock g(mutex());
    if (int64_t(s.size()) != width || r < 0 || r >= height) return;
    uint32_t* line = pixels.data() + std::size_t(r) * std::size_t(width);
    for (int i = 0; i < width; ++i) line[i] = map[static_cast<unsigned char>(s[std::size_t(i)])];
}

void NxImageCreator::setPixels(const std::string& s) {
    host::Lock g(mutex());
    setPixels(row++, s);
}

void NxImageCreator::setPixels(const std::vector<std::string>& rows) {
    host::Lock g(mutex());
    for (std::size_t i = 0; i < rows.size() && int64_t(i) < height; ++i) setPixels(int(i), rows[i]);
}

std::shared_ptr<host::Image> NxImageCreator::create() {
    host::Lock g(mutex());
    if (pixels.empty()) return nullptr;
    auto image = host::Image::fromARGB(width, height, pixels.data(), 0, width);
    if (!NxUtilConverter::waitForImage(comp, image)) return nullptr;
    return image;
}

std::shared_ptr<host::Image> NxImageCreator::create(const std::vector<std::string>& rows) {
    host::Lock g(mutex());
    clear();
    setPixels(rows);
    return create();
}

uint32_t NxImageCreator::getPixel(int x, int y) const {
    host::Lock g(mutex());
    if (x < 0 || y < 0 || x >= width || y >= height) return 0;
    return pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)];
}

}  // namespace norvex::util
