// Turns a picture by a quarter, half or three-quarter turn (rotated chart text).
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace host {
class Image;
}

namespace norvex::chart {

class RotateFilter {
public:
    // ChartText rotations: DEG_0 (0), DEG_90 (1, counter-clockwise: text reads upward),
    // DEG_180 (2), DEG_270 (3, clockwise).
    explicit RotateFilter(int rotation) : rotation(rotation & 3) {}
    // Rotates w x h row-major ARGB pixels; w and h become the new size.
    std::vector<uint32_t> filter(const std::vector<uint32_t>& pixels, int& w, int& h) const;
    std::shared_ptr<host::Image> filter(const host::Image& image) const;

private:
    int rotation;
};

}  // namespace norvex::chart
