// A rectangle in inclusive corner form: x2 = x + width - 1, y2 = y + height - 1.
#pragma once

#include <cstdint>

#include "host/base/Geometry.h"

namespace norvex::util {

struct NxPointRect {
    int64_t x1 = 0, y1 = 0, x2 = -1, y2 = -1;

    NxPointRect() = default;
    NxPointRect(int64_t ax1, int64_t ay1, int64_t ax2, int64_t ay2) : x1(ax1), y1(ay1), x2(ax2), y2(ay2) {}
    explicit NxPointRect(const host::Rectangle& r)
        : x1(r.x), y1(r.y), x2(int64_t(r.x) + r.width - 1), y2(int64_t(r.y) + r.height - 1) {}

    host::Rectangle toRectangle() const { return {int(x1), int(y1), int(x2 - x1 + 1), int(y2 - y1 + 1)}; }
    // (x2 - x1) * (y2 - y1): the size measure of the largest-rectangle search.
    double metric() const { return double(x2 - x1) * double(y2 - y1); }
    bool operator==(const NxPointRect&) const = default;
};

}  // namespace norvex::util
