#include "chart/base/RotateFilter.h"

#include "host/graphics/Image.h"

namespace norvex::chart {

std::vector<uint32_t> RotateFilter::filter(const std::vector<uint32_t>& in, int& w, int& h) const {
    if (w <= 0 || h <= 0 || in.size() < size_t(w) * size_t(h)) return {};
    std::vector<uint32_t> out(size_t(w) * size_t(h));
    int W = w, H = h;
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            uint32_t p = in[size_t(y) * size_t(W) + size_t(x)];
            switch (rotation) {
                case 1: out[size_t(W - 1 - x) * size_t(H) + size_t(y)] = p; break;
                case 2: out[size_t(H - 1 - y) * size_t(W) + size_t(W - 1 - x)] = p; break;
                case 3: out[size_t(x) * size_t(H) + size_t(H - 1 - y)] = p; break;
                default: out[size_t(y) * size_t(W) + size_t(x)] = p; break;
            }
        }
    if (rotation == 1 || rotation == 3) std::swap(w, h);
    return out;
}

std::shared_ptr<host::Image> RotateFilter::filter(const host::Image& image) const {
    int w = image.getWidth(), h = image.getHeight();
    if (w <= 0 || h <= 0) return host::Image::failed("no pixels to rotate");
    auto px = filter(image.getARGB(), w, h);
    return host::Image::fromARGB(w, h, px.data(), 0, w);
}

}  // namespace norvex::chart
