#include "host/graphics/Rasterizer.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace host::raster {

namespace {

// x * a / 255, rounded, for bytes.
inline uint32_t mul255(uint32_t x, uint32_t a) {
    uint32_t t = x * a + 128;
    return (t + (t >> 8)) >> 8;
}

inline void write(uint32_t& dst, const Paint& p, bool opaque) {
    switch (p.mode) {
        case Paint::Copy:
            dst = p.value;
            break;
        case Paint::Over: {
            const uint32_t d = opaque ? (dst | 0xFF000000u) : dst;
            const uint32_t ia = 255 - (p.value >> 24);
            uint32_t out = 0;
            for (int s = 0; s < 32; s += 8)
                out |= std::min<uint32_t>(255, ((p.value >> s) & 0xFF) + mul255((d >> s) & 0xFF, ia)) << s;
            dst = out;
            break;
        }
        case Paint::Xor: {
            const uint32_t d = opaque ? (dst | 0xFF000000u) : dst;
            if ((d >> 24) == 255) {
                dst = d ^ (p.value & 0x00FFFFFFu);
            } else {
                // Flip the colour bits of the straight colour and premultiply again.
                dst = premultiply(unpremultiply(d) ^ (p.value & 0x00FFFFFFu));
            }
            break;
        }
    }
}

using i128 = __int128;

// floor(a / b) for b > 0.
inline i128 floorDiv(i128 a, i128 b) {
    i128 q = a / b;
    if ((a % b != 0) && (a < 0)) --q;
    return q;
}
inline i128 ceilDiv(i128 a, i128 b) { return -floorDiv(-a, b); }

}  // namespace

uint32_t premultiply(uint32_t argb) {
    const uint32_t a = argb >> 24;
    if (a == 255) return argb;
    if (a == 0) return 0;
    return (a << 24) | (mul255((argb >> 16) & 0xFF, a) << 16) | (mul255((argb >> 8) & 0xFF, a) << 8) |
           mul255(argb & 0xFF, a);
}

uint32_t unpremultiply(uint32_t p) {
    const uint32_t a = p >> 24;
    if (a == 255) return p;
    if (a == 0) return 0;
    auto un = [a](uint32_t c) { return std::min<uint32_t>(255, (c * 255 + a / 2) / a); };
    return (a << 24) | (un((p >> 16) & 0xFF) << 16) | (un((p >> 8) & 0xFF) << 8) | un(p & 0xFF);
}

Paint Paint::color(uint32_t argb) {
    Paint p;
    p.value = premultiply(argb);
    p.mode = (argb >> 24) == 255 ? Copy : Over;
    return p;
}

Paint Paint::xorWith(uint32_t argb, uint32_t xorArgb) {
    Paint p;
    p.mode = Xor;
    p.value = (argb ^ xorArgb) & 0x00FFFFFFu;
    return p;
}

void plot(const Target& t, const Box& clip, int64_t x, int64_t y, const Paint& p) {
    if (x < clip.x0 || x >= clip.x1 || y < clip.y0 || y >= clip.y1) return;
    write(t.row(int(y))[x], p, t.opaque);
}

void span(const Target& t, const Box& clip, int64_t y, int64_t x0, int64_t x1, const Paint& p) {
    if (y < clip.y0 || y >= clip.y1) return;
    x0 = std::max<int64_t>(x0, clip.x0);
    x1 = std::min<int64_t>(x1, clip.x1);
    if (x0 >= x1) return;
    uint32_t* r = t.row(int(y));
    if (p.mode == Paint::Copy) {
        std::fill(r + x0, r + x1, p.value);
        return;
    }
    for (int64_t x = x0; x < x1; ++x) write(r[x], p, t.opaque);
}

Box fillRect(const Target& t, const Box& clip, int64_t x, int64_t y, int64_t w, int64_t h, const Paint& p) {
    Box b;
    if (w <= 0 || h <= 0) return b;
    const int64_t x0 = std::max<int64_t>(x, clip.x0), x1 = std::min<int64_t>(x + w, clip.x1);
    const int64_t y0 = std::max<int64_t>(y, clip.y0), y1 = std::min<int64_t>(y + h, clip.y1);
    if (x0 >= x1 || y0 >= y1) return b;
    for (int64_t j = y0; j < y1; ++j) span(t, clip, j, x0, x1, p);
    return {int(x0), int(y0), int(x1), int(y1)};
}

Box drawLine(const Target& t, const Box& clip, int64_t x1, int64_t y1, int64_t x2, int64_t y2, const Paint& p,
             bool skipFirst, bool skipLast) {
    Box touched;
    if (clip.empty()) return touched;
    const int64_t dx = x2 > x1 ? x2 - x1 : x1 - x2;
    const int64_t dy = y2 > y1 ? y2 - y1 : y1 - y2;
    const int64_t sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1;
    // Quick reject: the line's bounding box misses the clip.
    if (std::max(x1, x2) < clip.x0 || std::min(x1, x2) >= clip.x1 || std::max(y1, y2) < clip.y0 ||
        std::min(y1, y2) >= clip.y1)
        return touched;

    // The state after k steps, in closed form. For an x-major line (dx >= dy) every step
    // moves x, and y has moved m = floor((2k*dy + dx - 1) / (2dx)) times; for a y-major
    // line every step moves y, and x has moved floor((2k*dx + dy - 1) / (2dy)) times.
    // Both follow from err = dx - dy - (x steps)*dy + (y steps)*dx.
    const bool xMajor = dx >= dy;
    const int64_t steps = xMajor ? dx : dy;
    int64_t kFirst = skipFirst ? 1 : 0, kLast = skipLast ? steps - 1 : steps;
    // Restrict k to the clip's range on the major axis.
    auto range = [&](int64_t start, int64_t s, int64_t lo, int64_t hi) {  // start + s*k in [lo, hi)
        int64_t a, b;
        if (s > 0) {
            a = lo - start;
            b = hi - 1 - start;
        } else {
            a = start - (hi - 1);
            b = start - lo;
        }
        kFirst = std::max(kFirst, a);
        kLast = std::min(kLast, b);
    };
    if (xMajor)
        range(x1, sx, clip.x0, clip.x1);
    else
        range(y1, sy, clip.y0, clip.y1);
    if (kFirst > kLast) return touched;

    int64_t x, y, err;
    {
        const i128 k = kFirst;
        if (xMajor) {
            i128 m = dx == 0 ? 0 : floorDiv(2 * k * dy + dx - 1, 2 * i128(dx));
            x = x1 + sx * int64_t(k);
            y = y1 + sy * int64_t(m);
            err = int64_t(i128(dx) - dy - k * dy + m * dx);
        } else {
            i128 m = floorDiv(2 * k * dx + dy - 1, 2 * i128(dy));
            x = x1 + sx * int64_t(m);
            y = y1 + sy * int64_t(k);
            err = int64_t(i128(dx) - dy - m * dy + k * dx);
        }
    }
    for (int64_t k = kFirst;; ++k) {
        if (x >= clip.x0 && x < clip.x1 && y >= clip.y0 && y < clip.y1) {
            write(t.row(int(y))[x], p, t.opaque);
            touched.add(int(x), int(y));
        }
        if (k >= kLast) break;
        const int64_t e2 = 2 * err;
        if (e2 > -dy) {
            err -= dy;
            x += sx;
        }
        if (e2 < dx) {
            err += dx;
            y += sy;
        }
    }
    return touched;
}

Box fillPolygon(const Target& t, const Box& clip, const int* xs, const int* ys, int n, int64_t dx, int64_t dy,
                const Paint& p) {
    Box touched;
    if (n < 3 || !xs || !ys || clip.empty()) return touched;
    int64_t ymin = INT64_MAX, ymax = INT64_MIN;
    for (int i = 0; i < n; ++i) {
        ymin = std::min<int64_t>(ymin, ys[i] + dy);
        ymax = std::max<int64_t>(ymax, ys[i] + dy);
    }
    const int64_t j0 = std::max<int64_t>(ymin, clip.y0), j1 = std::min<int64_t>(ymax, clip.y1);
    if (j0 >= j1) return touched;

    struct Edge {
        int64_t xa, ya, xb, yb;
    };
    std::vector<Edge> edges;
    edges.reserve(std::size_t(n));
    for (int i = 0; i < n; ++i) {
        const int k = i + 1 == n ? 0 : i + 1;
        Edge e{xs[i] + dx, ys[i] + dy, xs[k] + dx, ys[k] + dy};
        if (e.ya == e.yb) continue;  // horizontal edges never cross a pixel-centre row
        if (std::max(e.ya, e.yb) <= j0 || std::min(e.ya, e.yb) > j1) continue;
        edges.push_back(e);
    }
    std::vector<int64_t> cuts;
    for (int64_t j = j0; j < j1; ++j) {
        cuts.clear();
        for (const Edge& e : edges) {
            if ((e.ya <= j) == (e.yb <= j)) continue;
            // Centre row j + 0.5 crosses at x = xa + (2(j-ya)+1)(xb-xa) / (2(yb-ya)); the first
            // covered pixel from there is ceil(x - 0.5) = xa + ceil((2num - den) / (2den)).
            i128 num = i128(2 * (j - e.ya) + 1) * (e.xb - e.xa);
            i128 den = i128(2) * (e.yb - e.ya);
            if (den < 0) {
                num = -num;
                den = -den;
            }
            i128 c = i128(e.xa) + ceilDiv(2 * num - den, 2 * den);
            cuts.push_back(int64_t(std::clamp<i128>(c, INT64_MIN / 4, INT64_MAX / 4)));
        }
        std::sort(cuts.begin(), cuts.end());
        for (std::size_t i = 0; i + 1 < cuts.size(); i += 2) {
            const int64_t a = std::max<int64_t>(cuts[i], clip.x0), b = std::min<int64_t>(cuts[i + 1], clip.x1);
            if (a >= b) continue;
            span(t, clip, j, a, b, p);
            touched.add(Box{int(a), int(j), int(b), int(j + 1)});
        }
    }
    return touched;
}

Box ellipse(const Target& t, const Box& clip, double cx, double cy, double rx, double ry, bool outline,
            double start, double ext, const Paint& p, double sx, double sy) {
    Box touched;
    if (clip.empty() || !(rx > 0) || !(ry > 0)) return touched;
    const bool whole = ext == 0 || std::abs(ext) >= 360 || sx > 0 || sy > 0;
    // Offsets from the straight middle part: zero inside it, so it is swept by the ellipse.
    auto beyond = [](double d, double half) { return d > half ? d - half : d < -half ? d + half : 0.0; };
    const double s = std::fmod(start, 360.0);
    constexpr double kDeg = 180 / 3.14159265358979323846;
    // The angle of (u, v) on the unit circle, counted from start in the arc's direction.
    auto inWedge = [&](double u, double v) {
        if (whole) return true;
        double a = std::atan2(-v, u) * kDeg - s;  // y points down
        if (ext < 0) a = -a;
        a = std::fmod(a, 360.0);
        if (a < 0) a += 360;
        return a <= std::abs(ext);
    };
    for (int y = clip.y0; y < clip.y1; ++y) {
        const double v = beyond(y + 0.5 - cy, sy) / ry;
        if (!outline && std::abs(v) > 1) continue;
        uint32_t* r = t.row(y);
        for (int x = clip.x0; x < clip.x1; ++x) {
            const double u = beyond(x + 0.5 - cx, sx) / rx;
            const double f = u * u + v * v - 1;
            bool in;
            if (outline) {
                // Distance to the curve, to first order: |f| / |grad f| in pixels.
                const double g = 2 * std::sqrt(u * u / (rx * rx) + v * v / (ry * ry));
                in = std::abs(f) <= 0.5 * g;
            } else {
                in = f <= 0;
            }
            if (!in || !inWedge(u, v)) continue;
            write(r[x], p, t.opaque);
            touched.add(x, y);
        }
    }
    return touched;
}

}  // namespace host::raster
