#include "host/graphics/RasterGraphics.h"

#include <cairo.h>

#include <algorithm>
#include <atomic>
#include <cassert>
#include <climits>
#include <cmath>
#include <cstring>
#include <iostream>
#include <mutex>
#include <vector>

#include "host/graphics/CairoPaths.h"
#include "host/graphics/FontEngine.h"

namespace host {

using raster::Box;
using raster::Paint;

using cairopath::kPi;

namespace {

// Cairo keeps device coordinates in 24.8 fixed point; shapes reaching beyond this are
// not drawn through Cairo (rectangles, lines and polygons are clipped in integers first).
constexpr int64_t kCairoLimit = int64_t(1) << 22;

int clampInt(int64_t v) { return int(std::clamp<int64_t>(v, INT_MIN, INT_MAX)); }

// [x, x+w) x [y, y+h) in device space, clamped to int.
Box boxOf(int64_t x, int64_t y, int64_t w, int64_t h) {
    if (w < 0) w = 0;
    if (h < 0) h = 0;
    return {clampInt(x), clampInt(y), clampInt(x + w), clampInt(y + h)};
}

Box intersect(const Box& a, const Box& b) {
    Box r{std::max(a.x0, b.x0), std::max(a.y0, b.y0), std::min(a.x1, b.x1), std::min(a.y1, b.y1)};
    if (r.x1 < r.x0) r.x1 = r.x0;
    if (r.y1 < r.y0) r.y1 = r.y0;
    return r;
}

bool withinCairo(const Box& b) {
    return b.x0 > -kCairoLimit && b.y0 > -kCairoLimit && b.x1 < kCairoLimit && b.y1 < kCairoLimit;
}

std::atomic<bool> reportedCairoError{false};

// Every context on one surface shares one lock, taken for each drawing operation, so
// components of one window can paint from several threads at once.
std::recursive_mutex* lockOfSurface(cairo_surface_t* s) {
    static cairo_user_data_key_t key;
    static std::mutex guard;
    if (!s) return nullptr;
    std::lock_guard lock(guard);
    auto* m = static_cast<std::recursive_mutex*>(cairo_surface_get_user_data(s, &key));
    if (!m) {
        m = new std::recursive_mutex;
        if (cairo_surface_set_user_data(s, &key, m, [](void* p) { delete static_cast<std::recursive_mutex*>(p); }) !=
            CAIRO_STATUS_SUCCESS) {
            delete m;
            return nullptr;
        }
    }
    return m;
}

struct SurfaceGuard {
    explicit SurfaceGuard(std::recursive_mutex* m) : m_(m) {
        if (m_) m_->lock();
    }
    ~SurfaceGuard() {
        if (m_) m_->unlock();
    }
    SurfaceGuard(const SurfaceGuard&) = delete;
    SurfaceGuard& operator=(const SurfaceGuard&) = delete;
    std::recursive_mutex* m_;
};

}  // namespace

struct RasterGraphics::Device {
    std::shared_ptr<Image> image;
    cairo_surface_t* surface = nullptr;
    int width = 0, height = 0;
    bool opaque = false;
    std::recursive_mutex* lock = nullptr;  // owned by the surface
    ~Device() {
        if (surface) cairo_surface_destroy(surface);
    }
};

// ---- construction ------------------------------------------------------------------------

RasterGraphics::RasterGraphics(std::shared_ptr<Image> image) {
    auto d = std::make_shared<Device>();
    cairo_surface_t* s = image && image->isComplete() ? image->surface() : nullptr;
    if (s && cairo_surface_status(s) == CAIRO_STATUS_SUCCESS && cairo_surface_get_type(s) == CAIRO_SURFACE_TYPE_IMAGE) {
        d->surface = cairo_surface_reference(s);
        d->width = cairo_image_surface_get_width(s);
        d->height = cairo_image_surface_get_height(s);
        d->opaque = cairo_image_surface_get_format(s) == CAIRO_FORMAT_RGB24;
    }
    d->lock = lockOfSurface(d->surface);
    d->image = std::move(image);
    device_ = std::move(d);
    bound_ = {0, 0, device_->width, device_->height};
}

RasterGraphics::RasterGraphics(cairo_surface_t* s) {
    auto d = std::make_shared<Device>();
    if (s && cairo_surface_status(s) == CAIRO_STATUS_SUCCESS && cairo_surface_get_type(s) == CAIRO_SURFACE_TYPE_IMAGE) {
        const cairo_format_t f = cairo_image_surface_get_format(s);
        if (f == CAIRO_FORMAT_ARGB32 || f == CAIRO_FORMAT_RGB24) {
            d->surface = cairo_surface_reference(s);
            d->width = cairo_image_surface_get_width(s);
            d->height = cairo_image_surface_get_height(s);
            d->opaque = f == CAIRO_FORMAT_RGB24;
        }
    }
    d->lock = lockOfSurface(d->surface);
    device_ = std::move(d);
    bound_ = {0, 0, device_->width, device_->height};
}

RasterGraphics::RasterGraphics(std::shared_ptr<Device> device, const RasterGraphics& from)
    : device_(std::move(device)),
      tx_(from.tx_),
      ty_(from.ty_),
      bound_(from.bound_),
      clip_(from.clip_),
      color_(from.color_),
      background_(from.background_),
      xor_(from.xor_),
      font_(from.font_),
      antialias_(from.antialias_) {}

std::recursive_mutex* RasterGraphics::surfaceLock(cairo_surface_t* surface) { return lockOfSurface(surface); }

RasterGraphics::~RasterGraphics() {
    if (cr_) cairo_destroy(cr_);
}

std::unique_ptr<Graphics> RasterGraphics::create() {
    auto g = std::unique_ptr<RasterGraphics>(new RasterGraphics(disposed_ ? nullptr : device_, *this));
    g->disposed_ = disposed_;
    return g;
}

void RasterGraphics::dispose() {
    disposed_ = true;
    if (cr_) cairo_destroy(cr_);
    cr_ = nullptr;
    device_.reset();
}

// ---- state ----------------------------------------------------------------------------------

bool RasterGraphics::ready() { return !disposed_ && device_ && device_->surface; }

Box RasterGraphics::clipBox() const { return clip_ ? *clip_ : bound_; }

void RasterGraphics::translate(int x, int y) {
    if (disposed_) return;
    tx_ += x;
    ty_ += y;
    crStale_ = true;
}

std::optional<Rectangle> RasterGraphics::getClipBounds() const {
    if (!clip_) return std::nullopt;
    const Box& b = *clip_;
    return Rectangle{clampInt(b.x0 - tx_), clampInt(b.y0 - ty_), b.x1 - b.x0, b.y1 - b.y0};
}

void RasterGraphics::clipRect(int x, int y, int w, int h) {
    if (disposed_) return;
    clip_ = intersect(boxOf(x + tx_, y + ty_, w, h), clipBox());
    crStale_ = true;
}

void RasterGraphics::setClip(int x, int y, int w, int h) {
    if (disposed_) return;
    clip_ = intersect(boxOf(x + tx_, y + ty_, w, h), bound_);
    crStale_ = true;
}

void RasterGraphics::limitClipToCurrent() {
    if (disposed_) return;
    bound_ = clipBox();
    clip_ = bound_;
    crStale_ = true;
}

cairo_t* RasterGraphics::cr() {
    if (!cr_) {
        cr_ = cairo_create(device_->surface);
        crStale_ = true;
    }
    if (crStale_) {
        const Box b = clipBox();
        cairo_identity_matrix(cr_);
        cairo_reset_clip(cr_);
        cairo_rectangle(cr_, b.x0, b.y0, b.x1 - b.x0, b.y1 - b.y0);
        cairo_clip(cr_);
        // Cairo only ever sees translations small enough for its fixed-point coordinates;
        // every primitive checks its device extent before it gets here.
        cairo_translate(cr_, double(tx_), double(ty_));
        crStale_ = false;
    }
    cairo_set_antialias(cr_, antialias_ && !xor_ ? CAIRO_ANTIALIAS_DEFAULT : CAIRO_ANTIALIAS_NONE);
    cairo_set_operator(cr_, CAIRO_OPERATOR_OVER);
    return cr_;
}

void RasterGraphics::setSource(cairo_t* c) {
    cairo_set_source_rgba(c, color_.getRed() / 255.0, color_.getGreen() / 255.0, color_.getBlue() / 255.0,
                          color_.getAlpha() / 255.0);
}

void RasterGraphics::checkStatus() {
    if (!cr_) return;
    const cairo_status_t st = cairo_status(cr_);
    if (st == CAIRO_STATUS_SUCCESS) return;
    if (!reportedCairoError.exchange(true))
        std::cerr << "host: drawing error " << cairo_status_to_string(st) << "; context reset" << std::endl;
    assert(!"cairo context entered an error state");
    // Errors are sticky: start a fresh context so later drawing is not lost.
    cairo_destroy(cr_);
    cr_ = nullptr;
    crStale_ = true;
}

raster::Target RasterGraphics::target() {
    cairo_surface_t* s = device_->surface;
    cairo_surface_flush(s);
    raster::Target t;
    t.data = cairo_image_surface_get_data(s);
    t.width = device_->width;
    t.height = device_->height;
    t.stride = cairo_image_surface_get_stride(s);
    t.opaque = device_->opaque;
    return t;
}

void RasterGraphics::markDirty(const Box& b) {
    if (b.empty()) return;
    cairo_surface_mark_dirty_rectangle(device_->surface, b.x0, b.y0, b.x1 - b.x0, b.y1 - b.y0);
}

// ---- shapes through Cairo (and the XOR mask) -------------------------------------------------

Paint RasterGraphics::paint() const {
    return xor_ ? Paint::xorWith(color_.argb(), xor_->argb()) : Paint::color(color_.argb());
}

// 'build' makes a path in this context's coordinates (Fill, Stroke) or paints by itself
// (Custom). 'extent' is the device rectangle the shape can touch. In XOR mode the shape is
// rendered without antialiasing into an A8 mask over extent and the covered pixels flipped.
template <class F>
void RasterGraphics::drawPath(Shape shape, const Box& extent, F&& build) {
    if (!ready() || !withinCairo(extent)) return;
    const Box clip = clipBox();
    const Box area = intersect(extent, clip);
    if (area.empty()) return;
    auto finish = [shape](cairo_t* c) {
        if (shape == Shape::Fill) {
            cairo_set_fill_rule(c, CAIRO_FILL_RULE_WINDING);
            cairo_fill(c);
        } else if (shape == Shape::Stroke) {
            cairo_set_line_width(c, 1.0);
            cairo_stroke(c);
        }
        cairo_new_path(c);
    };
    if (!xor_) {
        cairo_t* c = cr();
        setSource(c);
        build(c);
        finish(c);
        checkStatus();
        return;
    }
    const int w = area.x1 - area.x0, h = area.y1 - area.y0;
    cairo_surface_t* mask = cairo_image_surface_create(CAIRO_FORMAT_A8, w, h);
    if (cairo_surface_status(mask) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(mask);
        return;
    }
    cairo_t* m = cairo_create(mask);
    cairo_translate(m, double(tx_ - area.x0), double(ty_ - area.y0));
    cairo_set_antialias(m, CAIRO_ANTIALIAS_NONE);
    cairo_set_source_rgba(m, 0, 0, 0, 1);
    build(m);
    finish(m);
    cairo_destroy(m);
    cairo_surface_flush(mask);
    const uint8_t* bits = cairo_image_surface_get_data(mask);
    const int stride = cairo_image_surface_get_stride(mask);
    const Paint p = paint();
    const raster::Target t = target();
    Box touched;
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i)
            if (bits[std::ptrdiff_t(j) * stride + i] >= 128) {
                raster::plot(t, clip, area.x0 + i, area.y0 + j, p);
                touched.add(area.x0 + i, area.y0 + j);
            }
    cairo_surface_destroy(mask);
    markDirty(touched);
}

// ---- rectangles -------------------------------------------------------------------------------

void RasterGraphics::fillRect(int x, int y, int w, int h) {
    SurfaceGuard guard(device_ ? device_->lock : nullptr);
    fillDevice(x + tx_, y + ty_, w, h);
}

void RasterGraphics::fillDevice(int64_t x, int64_t y, int64_t w, int64_t h) {
    if (!ready() || w <= 0 || h <= 0) return;
    const Box b = intersect(boxOf(x, y, w, h), clipBox());
    if (b.empty()) return;
    if (xor_) {
        const Paint p = Paint::xorWith(color_.argb(), xor_->argb());
        markDirty(raster::fillRect(target(), clipBox(), b.x0, b.y0, b.x1 - b.x0, b.y1 - b.y0, p));
        return;
    }
    cairo_t* c = cr();
    setSource(c);
    cairo_rectangle(c, double(b.x0 - tx_), double(b.y0 - ty_), b.x1 - b.x0, b.y1 - b.y0);
    cairo_fill(c);
    checkStatus();
}

void RasterGraphics::clearRect(int x, int y, int w, int h) {
    SurfaceGuard guard(device_ ? device_->lock : nullptr);
    if (!ready() || w <= 0 || h <= 0) return;
    const Box b = intersect(boxOf(x + tx_, y + ty_, w, h), clipBox());
    if (b.empty()) return;
    cairo_t* c = cr();
    cairo_set_operator(c, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_rgba(c, background_.getRed() / 255.0, background_.getGreen() / 255.0,
                          background_.getBlue() / 255.0, background_.getAlpha() / 255.0);
    cairo_rectangle(c, double(b.x0 - tx_), double(b.y0 - ty_), b.x1 - b.x0, b.y1 - b.y0);
    cairo_fill(c);
    cairo_set_operator(c, CAIRO_OPERATOR_OVER);
    checkStatus();
}

void RasterGraphics::drawRect(int x, int y, int w, int h) {
    SurfaceGuard guard(device_ ? device_->lock : nullptr);
    if (!ready() || w < 0 || h < 0) return;
    const int64_t X = x + tx_, Y = y + ty_, W = w, H = h;
    const Box clip = clipBox();
    if (xor_) {
        // Disjoint pieces, so no pixel is flipped twice.
        const Paint p = Paint::xorWith(color_.argb(), xor_->argb());
        const raster::Target t = target();
        Box d = raster::fillRect(t, clip, X, Y, W + 1, 1, p);
        if (H > 0) d.add(raster::fillRect(t, clip, X, Y + H, W + 1, 1, p));
        if (H > 1) {
            d.add(raster::fillRect(t, clip, X, Y + 1, 1, H - 1, p));
            if (W > 0) d.add(raster::fillRect(t, clip, X + W, Y + 1, 1, H - 1, p));
        }
        markDirty(d);
        return;
    }
    const Box pieces[4] = {boxOf(X, Y, W + 1, 1), boxOf(X, Y + H, W + 1, 1), boxOf(X, Y, 1, H + 1),
                           boxOf(X + W, Y, 1, H + 1)};
    cairo_t* c = cr();
    setSource(c);
    bool any = false;
    for (const Box& piece : pieces) {
        const Box b = intersect(piece, clip);
        if (b.empty()) continue;
        cairo_rectangle(c, double(b.x0 - tx_), double(b.y0 - ty_), b.x1 - b.x0, b.y1 - b.y0);
        any = true;
    }
    if (!any) return;
    cairo_set_fill_rule(c, CAIRO_FILL_RULE_WINDING);  // overlapping corners are covered once
    cairo_fill(c);
    checkStatus();
}

// The bevels are several fills: one lock for the whole rectangle.
void RasterGraphics::draw3DRect(int x, int y, int w, int h, bool raised) {
    SurfaceGuard guard(device_ ? device_->lock : nullptr);
    Graphics::draw3DRect(x, y, w, h, raised);
}

void RasterGraphics::fill3DRect(int x, int y, int w, int h, bool raised) {
    SurfaceGuard guard(device_ ? device_->lock : nullptr);
    Graphics::fill3DRect(x, y, w, h, raised);
}

// ---- lines and polygons ---------------------------------------------------------------------

void RasterGraphics::drawLine(int x1, int y1, int x2, int y2) {
    SurfaceGuard guard(device_ ? device_->lock : nullptr);
    if (!ready()) return;
    const int64_t X1 = x1 + tx_, Y1 = y1 + ty_, X2 = x2 + tx_, Y2 = y2 + ty_;
    if (X1 == X2 || Y1 == Y2) {
        fillDevice(std::min(X1, X2), std::min(Y1, Y2), std::abs(X2 - X1) + 1, std::abs(Y2 - Y1) + 1);
        return;
    }
    const Box extent = boxOf(std::min(X1, X2) - 1, std::min(Y1, Y2) - 1, std::abs(X2 - X1) + 3,
                             std::abs(Y2 - Y1) + 3);
    if (antialias_ && !xor_ && withinCairo(extent)) {
        drawPath(Shape::Stroke, extent, [&](cairo_t* c) {
            cairo_set_line_cap(c, CAIRO_LINE_CAP_ROUND);
            cairo_move_to(c, x1 + 0.5, y1 + 0.5);
            cairo_line_to(c, x2 + 0.5, y2 + 0.5);
        });
        return;
    }
    markDirty(raster::drawLine(target(), clipBox(), X1, Y1, X2, Y2, paint()));
}

void RasterGraphics::polyline(const int* xs, const int* ys, int n, bool close) {
    SurfaceGuard guard(device_ ? device_->lock : nullptr);
    if (!ready() || !xs || !ys || n <= 0) return;
    if (n == 1) {
        fillDevice(xs[0] + tx_, ys[0] + ty_, 1, 1);
        return;
    }
    if (n == 2) close = false;  // the closing segment would retrace the only one
    if (antialias_ && !xor_) {
        int64_t x0 = INT64_MAX, y0 = INT64_MAX, x1 = INT64_MIN, y1 = INT64_MIN;
        for (int i = 0; i < n; ++i) {
            x0 = std::min<int64_t>(x0, xs[i]), x1 = std::max<int64_t>(x1, xs[i]);
            y0 = std::min<int64_t>(y0, ys[i]), y1 = std::max<int64_t>(y1, ys[i]);
        }
        const Box extent = boxOf(x0 + tx_ - 1, y0 + ty_ - 1, x1 - x0 + 3, y1 - y0 + 3);
        if (withinCairo(extent)) {
            strokeSegments(xs, ys, n, close, extent);
            return;
        }
    }
    const raster::Target t = target();
    const Box clip = clipBox();
    const Paint p = paint();
    Box touched;
    for (int i = 0; i + 1 < n; ++i)
        touched.add(raster::drawLine(t, clip, xs[i] + tx_, ys[i] + ty_, xs[i + 1] + tx_, ys[i + 1] + ty_, p, i > 0));
    if (close)
        touched.add(raster::drawLine(t, clip, xs[n - 1] + tx_, ys[n - 1] + ty_, xs[0] + tx_, ys[0] + ty_, p, true,
                                     true));
    markDirty(touched);
}

// Antialiased polylines: stroked in chunks, since Cairo's stroker slows down badly on long
// self-crossing paths.
void RasterGraphics::strokeSegments(const int* xs, const int* ys, int n, bool close, const Box& extent) {
    constexpr int kChunk = 64;
    const int segments = close ? n : n - 1;
    for (int first = 0; first < segments; first += kChunk) {
        const int last = std::min(segments, first + kChunk);
        drawPath(Shape::Stroke, extent, [&](cairo_t* c) {
            cairo_set_line_cap(c, CAIRO_LINE_CAP_ROUND);
            cairo_set_line_join(c, CAIRO_LINE_JOIN_ROUND);
            cairo_move_to(c, xs[first] + 0.5, ys[first] + 0.5);
            for (int i = first + 1; i <= last; ++i) {
                const int k = i == n ? 0 : i;
                cairo_line_to(c, xs[k] + 0.5, ys[k] + 0.5);
            }
        });
    }
}

void RasterGraphics::drawPolyline(const int* xs, const int* ys, int n) { polyline(xs, ys, n, false); }

void RasterGraphics::drawPolygon(const int* xs, const int* ys, int n) { polyline(xs, ys, n, true); }

void RasterGraphics::fillPolygon(const int* xs, const int* ys, int n) {
    SurfaceGuard guard(device_ ? device_->lock : nullptr);
    if (!ready() || !xs || !ys || n < 3) return;
    if (antialias_ && !xor_) {
        int64_t x0 = INT64_MAX, y0 = INT64_MAX, x1 = INT64_MIN, y1 = INT64_MIN;
        for (int i = 0; i < n; ++i) {
            x0 = std::min<int64_t>(x0, xs[i]), x1 = std::max<int64_t>(x1, xs[i]);
            y0 = std::min<int64_t>(y0, ys[i]), y1 = std::max<int64_t>(y1, ys[i]);
        }
        const Box extent = boxOf(x0 + tx_ - 1, y0 + ty_ - 1, x1 - x0 + 2, y1 - y0 + 2);
        if (withinCairo(extent)) {
            drawPath(Shape::Custom, extent, [&](cairo_t* c) {
                cairo_move_to(c, xs[0], ys[0]);
                for (int i = 1; i < n; ++i) cairo_line_to(c, xs[i], ys[i]);
                cairo_close_path(c);
                cairo_set_fill_rule(c, CAIRO_FILL_RULE_EVEN_ODD);
                cairo_fill(c);
            });
            return;
        }
    }
    markDirty(raster::fillPolygon(target(), clipBox(), xs, ys, n, tx_, ty_, paint()));
}

// ---- ovals, arcs, round rectangles ------------------------------------------------------------

// Ellipses (and round rectangles) reaching beyond Cairo's coordinate range are sampled by
// our own routine over the visible part; true when it drew (or had nothing to draw),
// false for Cairo to draw.
bool RasterGraphics::hugeEllipse(const Box& extent, double cx, double cy, double rx, double ry, bool outline,
                                 int start, int ext, double sx, double sy) {
    if (withinCairo(extent)) return false;
    const Box area = intersect(extent, clipBox());
    if (area.empty()) return true;
    markDirty(raster::ellipse(target(), area, cx + double(tx_), cy + double(ty_), rx, ry, outline, start, ext,
                              paint(), sx, sy));
    return true;
}

void RasterGraphics::drawOval(int x, int y, int w, int h) {
    SurfaceGuard guard(device_ ? device_->lock : nullptr);
    if (!ready() || w < 0 || h < 0) return;
    if (w == 0 || h == 0) {
        fillDevice(x + tx_, y + ty_, int64_t(w) + 1, int64_t(h) + 1);
        return;
    }
    const Box extent = boxOf(x + tx_ - 1, y + ty_ - 1, int64_t(w) + 3, int64_t(h) + 3);
    if (hugeEllipse(extent, x + w / 2.0 + 0.5, y + h / 2.0 + 0.5, w / 2.0, h / 2.0, true, 0, 360)) return;
    drawPath(Shape::Stroke, extent, [&](cairo_t* c) {
        cairopath::arc(c, x + w / 2.0 + 0.5, y + h / 2.0 + 0.5, w / 2.0, h / 2.0, 0, 360, false);
    });
}

void RasterGraphics::fillOval(int x, int y, int w, int h) {
    SurfaceGuard guard(device_ ? device_->lock : nullptr);
    if (!ready() || w <= 0 || h <= 0) return;
    const Box extent = boxOf(x + tx_ - 1, y + ty_ - 1, int64_t(w) + 2, int64_t(h) + 2);
    if (hugeEllipse(extent, x + w / 2.0, y + h / 2.0, w / 2.0, h / 2.0, false, 0, 360)) return;
    drawPath(Shape::Fill, extent,
             [&](cairo_t* c) { cairopath::arc(c, x + w / 2.0, y + h / 2.0, w / 2.0, h / 2.0, 0, 360, false); });
}

void RasterGraphics::drawArc(int x, int y, int w, int h, int startAngle, int arcAngle) {
    SurfaceGuard guard(device_ ? device_->lock : nullptr);
    if (!ready() || w < 0 || h < 0 || arcAngle == 0) return;
    if (w == 0 || h == 0) {
        fillDevice(x + tx_, y + ty_, int64_t(w) + 1, int64_t(h) + 1);
        return;
    }
    const Box extent = boxOf(x + tx_ - 1, y + ty_ - 1, int64_t(w) + 3, int64_t(h) + 3);
    if (hugeEllipse(extent, x + w / 2.0 + 0.5, y + h / 2.0 + 0.5, w / 2.0, h / 2.0, true, startAngle, arcAngle))
        return;
    drawPath(Shape::Stroke, extent, [&](cairo_t* c) {
        cairo_set_line_cap(c, CAIRO_LINE_CAP_BUTT);
        cairopath::arc(c, x + w / 2.0 + 0.5, y + h / 2.0 + 0.5, w / 2.0, h / 2.0, startAngle, arcAngle, false);
    });
}

void RasterGraphics::fillArc(int x, int y, int w, int h, int startAngle, int arcAngle) {
    SurfaceGuard guard(device_ ? device_->lock : nullptr);
    if (!ready() || w <= 0 || h <= 0 || arcAngle == 0) return;
    const Box extent = boxOf(x + tx_ - 1, y + ty_ - 1, int64_t(w) + 2, int64_t(h) + 2);
    if (hugeEllipse(extent, x + w / 2.0, y + h / 2.0, w / 2.0, h / 2.0, false, startAngle, arcAngle)) return;
    drawPath(Shape::Fill, extent, [&](cairo_t* c) {
        cairopath::arc(c, x + w / 2.0, y + h / 2.0, w / 2.0, h / 2.0, startAngle, arcAngle, true);
    });
}

void RasterGraphics::drawRoundRect(int x, int y, int w, int h, int arcW, int arcH) {
    SurfaceGuard guard(device_ ? device_->lock : nullptr);
    if (!ready() || w < 0 || h < 0) return;
    if (arcW <= 0 || arcH <= 0 || w == 0 || h == 0) {
        drawRect(x, y, w, h);
        return;
    }
    const double rx = std::min(arcW, w) / 2.0, ry = std::min(arcH, h) / 2.0;
    const Box extent = boxOf(x + tx_ - 1, y + ty_ - 1, int64_t(w) + 3, int64_t(h) + 3);
    if (hugeEllipse(extent, x + w / 2.0 + 0.5, y + h / 2.0 + 0.5, rx, ry, true, 0, 360, w / 2.0 - rx, h / 2.0 - ry))
        return;
    drawPath(Shape::Stroke, extent, [&](cairo_t* c) { cairopath::roundRect(c, x + 0.5, y + 0.5, w, h, rx, ry); });
}

void RasterGraphics::fillRoundRect(int x, int y, int w, int h, int arcW, int arcH) {
    SurfaceGuard guard(device_ ? device_->lock : nullptr);
    if (!ready() || w <= 0 || h <= 0) return;
    if (arcW <= 0 || arcH <= 0) {
        fillRect(x, y, w, h);
        return;
    }
    const double rx = std::min(arcW, w) / 2.0, ry = std::min(arcH, h) / 2.0;
    const Box extent = boxOf(x + tx_ - 1, y + ty_ - 1, int64_t(w) + 2, int64_t(h) + 2);
    if (hugeEllipse(extent, x + w / 2.0, y + h / 2.0, rx, ry, false, 0, 360, w / 2.0 - rx, h / 2.0 - ry)) return;
    drawPath(Shape::Fill, extent, [&](cairo_t* c) { cairopath::roundRect(c, x, y, w, h, rx, ry); });
}

// ---- text ----------------------------------------------------------------------------------

void RasterGraphics::drawString(std::string_view utf8, int x, int y) {
    SurfaceGuard guard(device_ ? device_->lock : nullptr);
    if (!ready() || utf8.empty()) return;
    const std::shared_ptr<const FontFace> face = FontFace::get(font_);
    if (!face || !face->mono) return;
    const Box clip = clipBox();
    if (clip.empty()) return;
    const int64_t X = x + tx_, Y = y + ty_;
    const int64_t margin = 2 * int64_t(face->pixelSize) + 4;  // generous ink bounds around a pen position
    if (Y + margin < clip.y0 || Y - margin >= clip.y1) return;
    const std::u32string text = decodeUtf8(utf8);
    std::vector<cairo_glyph_t> glyphs;
    glyphs.reserve(text.size());
    int64_t pen = X;
    for (char32_t ch : text) {
        if (pen - margin >= clip.x1) break;
        const FontFace::Glyph g = face->glyph(ch);
        if (pen + margin >= clip.x0) glyphs.push_back({g.index, double(pen - tx_), double(y)});
        pen += g.advance;
    }
    if (glyphs.empty()) return;
    const Box extent = intersect(boxOf(X - margin, Y - margin, pen - X + 2 * margin, 2 * margin), clip);
    cairo_scaled_font_t* sf = antialias_ && !xor_ ? face->antialiased : face->mono;
    drawPath(Shape::Custom, extent, [&](cairo_t* c) {
        cairo_set_scaled_font(c, sf);
        cairo_show_glyphs(c, glyphs.data(), int(glyphs.size()));
    });
}

// ---- images ------------------------------------------------------------------------------------

bool RasterGraphics::paintImage(const Image* img, int dx1, int dy1, int dx2, int dy2, int sx1, int sy1, int sx2,
                                int sy2) {
    SurfaceGuard guard(device_ ? device_->lock : nullptr);
    if (!img || !img->isComplete()) return false;
    if (!ready()) return true;
    if (dx1 == dx2 || dy1 == dy2 || sx1 == sx2 || sy1 == sy2) return true;
    const int64_t X0 = std::min(dx1, dx2) + tx_, Y0 = std::min(dy1, dy2) + ty_;
    const Box dest = intersect(
        boxOf(X0, Y0, std::abs(int64_t(dx2) - dx1), std::abs(int64_t(dy2) - dy1)), clipBox());
    if (dest.empty()) return true;

    cairo_surface_t* src = img->surface();
    cairo_surface_t* copy = nullptr;
    if (src == device_->surface) {
        // Never read a surface while drawing on it: go through a copy.
        cairo_surface_flush(src);
        copy = cairo_surface_create_similar_image(src, CAIRO_FORMAT_ARGB32, cairo_image_surface_get_width(src),
                                                  cairo_image_surface_get_height(src));
        cairo_t* c = cairo_create(copy);
        cairo_set_source_surface(c, src, 0, 0);
        cairo_set_operator(c, CAIRO_OPERATOR_SOURCE);
        cairo_paint(c);
        cairo_destroy(c);
        src = copy;
    }
    cairo_t* c = cr();
    cairo_save(c);
    cairo_rectangle(c, double(dest.x0 - tx_), double(dest.y0 - ty_), dest.x1 - dest.x0, dest.y1 - dest.y0);
    cairo_clip(c);
    cairo_pattern_t* pat = cairo_pattern_create_for_surface(src);
    // Pattern space is the source image; map user space onto it.
    const double scaleX = double(int64_t(sx2) - sx1) / double(int64_t(dx2) - dx1);
    const double scaleY = double(int64_t(sy2) - sy1) / double(int64_t(dy2) - dy1);
    cairo_matrix_t m;
    cairo_matrix_init(&m, scaleX, 0, 0, scaleY, sx1 - dx1 * scaleX, sy1 - dy1 * scaleY);
    cairo_pattern_set_matrix(pat, &m);
    cairo_pattern_set_filter(pat, CAIRO_FILTER_NEAREST);
    cairo_pattern_set_extend(pat, CAIRO_EXTEND_NONE);
    // Only the source rectangle is drawn.
    cairo_rectangle(c, std::min(dx1, dx2), std::min(dy1, dy2), std::abs(int64_t(dx2) - dx1),
                    std::abs(int64_t(dy2) - dy1));
    cairo_set_source(c, pat);
    cairo_set_operator(c, CAIRO_OPERATOR_OVER);
    cairo_fill(c);
    cairo_pattern_destroy(pat);
    cairo_restore(c);
    if (copy) cairo_surface_destroy(copy);
    checkStatus();
    return true;
}

bool RasterGraphics::drawImage(const Image* img, int x, int y) {
    if (!img || !img->isComplete()) return false;
    const int w = img->getWidth(), h = img->getHeight();
    return paintImage(img, x, y, clampInt(int64_t(x) + w), clampInt(int64_t(y) + h), 0, 0, w, h);
}

bool RasterGraphics::drawImage(const Image* img, int x, int y, const Color& bg) {
    if (!img || !img->isComplete()) return false;
    const Color saved = color_;
    const std::optional<Color> savedXor = xor_;
    color_ = bg;
    xor_.reset();
    fillRect(x, y, img->getWidth(), img->getHeight());
    color_ = saved;
    xor_ = savedXor;
    return drawImage(img, x, y);
}

bool RasterGraphics::drawImage(const Image* img, int x, int y, int w, int h) {
    if (!img || !img->isComplete()) return false;
    if (w <= 0 || h <= 0) return true;
    return paintImage(img, x, y, clampInt(int64_t(x) + w), clampInt(int64_t(y) + h), 0, 0, img->getWidth(),
                      img->getHeight());
}

bool RasterGraphics::drawImage(const Image* img, int dx1, int dy1, int dx2, int dy2, int sx1, int sy1, int sx2,
                               int sy2) {
    return paintImage(img, dx1, dy1, dx2, dy2, sx1, sy1, sx2, sy2);
}

// ---- copyArea --------------------------------------------------------------------------------

void RasterGraphics::copyArea(int x, int y, int w, int h, int dx, int dy) {
    SurfaceGuard guard(device_ ? device_->lock : nullptr);
    if (!ready() || w <= 0 || h <= 0) return;
    const Box surfaceBox{0, 0, device_->width, device_->height};
    const Box src = intersect(boxOf(x + tx_, y + ty_, w, h), surfaceBox);
    if (src.empty()) return;
    const Box dst = intersect(boxOf(int64_t(src.x0) + dx, int64_t(src.y0) + dy, src.x1 - src.x0, src.y1 - src.y0),
                              clipBox());
    if (dst.empty()) return;
    const raster::Target t = target();
    const std::size_t bytes = std::size_t(dst.x1 - dst.x0) * 4;
    auto copyRow = [&](int j) {
        std::memmove(t.row(j) + dst.x0, t.row(int(j - int64_t(dy))) + (dst.x0 - int64_t(dx)), bytes);
    };
    // Rows are moved in the order that never overwrites a row still to be read.
    if (dy > 0)
        for (int j = dst.y1 - 1; j >= dst.y0; --j) copyRow(j);
    else
        for (int j = dst.y0; j < dst.y1; ++j) copyRow(j);
    markDirty(dst);
}

}  // namespace host
