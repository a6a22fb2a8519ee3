// Our own pixel routines for the mono raster mode: they write straight into a
// premultiplied ARGB32 (or RGB24) buffer inside an integer clip rectangle, with
// the exact classic pixel sets that Cairo's rasteriser cannot give.
//
// - Lines: Bresenham, err = dx - dy; e2 = 2*err; if (e2 > -dy) step x; if (e2 < dx) step y.
//   Both end points are covered. Clipping jumps straight to the first column (or row)
//   inside the clip, so huge coordinates cost nothing and give the same pixels.
// - Polygons: even-odd scanline at pixel centres (row j samples j + 0.5), edges taken
//   half-open ((ya <= j) != (yb <= j)), intercepts exact in integers, pixels
//   ceil(x0 - 0.5) .. ceil(x1 - 0.5) - 1 for each pair of sorted intercepts.
#pragma once

#include <cstdint>

namespace host::raster {

// A pixel buffer; stride in bytes.
struct Target {
    uint8_t* data = nullptr;
    int width = 0, height = 0, stride = 0;
    bool opaque = false;  // RGB24: the alpha byte is ignored and every pixel counts as opaque
    uint32_t* row(int y) const { return reinterpret_cast<uint32_t*>(data + std::ptrdiff_t(y) * stride); }
};

// Half-open device rectangle [x0, x1) x [y0, y1).
struct Box {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    bool empty() const { return x0 >= x1 || y0 >= y1; }
    void add(int x, int y) {
        if (empty()) {
            *this = {x, y, x + 1, y + 1};
            return;
        }
        if (x < x0) x0 = x;
        if (y < y0) y0 = y;
        if (x >= x1) x1 = x + 1;
        if (y >= y1) y1 = y + 1;
    }
    void add(const Box& b) {
        if (b.empty()) return;
        if (empty()) {
            *this = b;
            return;
        }
        if (b.x0 < x0) x0 = b.x0;
        if (b.y0 < y0) y0 = b.y0;
        if (b.x1 > x1) x1 = b.x1;
        if (b.y1 > y1) y1 = b.y1;
    }
};

// How a pixel is written.
struct Paint {
    enum Mode { Copy, Over, Xor };
    Mode mode = Copy;
    // Copy/Over: the premultiplied source pixel. Xor: the RGB bits to flip.
    uint32_t value = 0;

    // Paint for a non-premultiplied 0xAARRGGBB colour (Copy when opaque, else Over).
    static Paint color(uint32_t argb);
    // XOR paint: RGB of colour ^ xorColour; alpha is kept.
    static Paint xorWith(uint32_t argb, uint32_t xorArgb);
};

uint32_t premultiply(uint32_t argb);
uint32_t unpremultiply(uint32_t pixel);

// One pixel; ignored outside the clip.
void plot(const Target& t, const Box& clip, int64_t x, int64_t y, const Paint& p);
// Pixels [x0, x1) of row y, clipped.
void span(const Target& t, const Box& clip, int64_t y, int64_t x0, int64_t x1, const Paint& p);
// Rectangle [x, x+w) x [y, y+h), clipped; returns the pixels touched.
Box fillRect(const Target& t, const Box& clip, int64_t x, int64_t y, int64_t w, int64_t h, const Paint& p);

// A 1-pixel line covering both end points. skipFirst/skipLast leave an end point out
// (polylines use them so shared vertices are written once, which matters for XOR and
// translucent colours). Returns the pixels touched.
Box drawLine(const Target& t, const Box& clip, int64_t x1, int64_t y1, int64_t x2, int64_t y2, const Paint& p,
             bool skipFirst = false, bool skipLast = false);

// Even-odd fill of the closed polygon (xs[i] + dx, ys[i] + dy). Returns the pixels touched.
Box fillPolygon(const Target& t, const Box& clip, const int* xs, const int* ys, int n, int64_t dx, int64_t dy,
                const Paint& p);

// An ellipse with centre (cx, cy) and radii rx, ry > 0 in device pixels, sampled at pixel
// centres inside the clip: filled (inside the ellipse) or outlined (within half a pixel
// of it). With ext != 0 and |ext| < 360 only the part from start to start + ext degrees
// (counter-clockwise from 3 o'clock, relative to the box as for arcs) is drawn, as a pie
// when filled. With sx or sy > 0 the ellipse is swept over [cx - sx, cx + sx] x
// [cy - sy, cy + sy], which gives a rectangle with elliptic corners (and no wedge).
// For shapes too large for Cairo's coordinates: the cost is the clip's area.
Box ellipse(const Target& t, const Box& clip, double cx, double cy, double rx, double ry, bool outline,
            double start, double ext, const Paint& p, double sx = 0, double sy = 0);

}  // namespace host::raster
