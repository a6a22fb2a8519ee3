#include "host/graphics/VectorGraphics.h"

#include <cairo-pdf.h>
#include <cairo-svg.h>
#include <cairo.h>

#include <algorithm>
#include <climits>
#include <cmath>

#include "host/graphics/CairoPaths.h"
#include "host/graphics/FontEngine.h"
#include "host/graphics/Image.h"

namespace host {

namespace {

// Cairo keeps coordinates in 24.8 fixed point; shapes reaching beyond are not drawn
// (rectangles are cut to the clip in integers first, so they always are).
constexpr int64_t kCairoLimit = int64_t(1) << 22;

int clampInt(int64_t v) { return int(std::clamp<int64_t>(v, INT_MIN, INT_MAX)); }

cairo_status_t appendBytes(void* closure, const unsigned char* data, unsigned int length) {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

void setSource(cairo_t* c, const Color& col) {
    cairo_set_source_rgba(c, col.getRed() / 255.0, col.getGreen() / 255.0, col.getBlue() / 255.0,
                          col.getAlpha() / 255.0);
}

void appendXmlEscaped(std::string& out, std::string_view s) {
    for (char ch : s) {
        switch (ch) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default:
                // XML 1.0 allows no control characters but tab, newline and return.
                if (static_cast<unsigned char>(ch) >= 0x20 || ch == '\t') out += ch;
        }
    }
}

}  // namespace

// One drawn string, kept for the SVG's text layer.
struct TextRun {
    std::string text;  // valid UTF-8
    double x, y;       // baseline origin in device space
    std::string family;
    int pixelSize;
    bool bold, italic;
    int quarterTurns;
};

struct VectorDocument::Device {
    std::recursive_mutex mutex;
    cairo_surface_t* surface = nullptr;
    cairo_t* cr = nullptr;
    std::string bytes;
    int width = 0, height = 0;
    bool finished = false;
    std::vector<TextRun> texts;
    ~Device() {
        if (cr) cairo_destroy(cr);
        if (surface) cairo_surface_destroy(surface);
    }
};

// ---- the document -------------------------------------------------------------------------

VectorDocument::VectorDocument(Format format, int w, int h)
    : format_(format), width_(std::max(1, w)), height_(std::max(1, h)), device_(std::make_shared<Device>()) {
    Device& d = *device_;
    d.width = width_;
    d.height = height_;
    if (format == Format::SVG) {
        d.surface = cairo_svg_surface_create_for_stream(appendBytes, &d.bytes, width_, height_);
        cairo_svg_surface_restrict_to_version(d.surface, CAIRO_SVG_VERSION_1_1);
        cairo_svg_surface_set_document_unit(d.surface, CAIRO_SVG_UNIT_PX);  // one unit per pixel
    } else {
        d.surface = cairo_pdf_surface_create_for_stream(appendBytes, &d.bytes, width_, height_);
    }
    d.cr = cairo_create(d.surface);
}

VectorDocument::~VectorDocument() {
    std::string ignored;
    finish(ignored);
}

std::optional<VectorDocument::Format> VectorDocument::formatNamed(std::string_view name) {
    std::string lower(name);
    for (auto& c : lower) c = char(std::tolower(static_cast<unsigned char>(c)));
    if (lower == "svg") return Format::SVG;
    if (lower == "pdf") return Format::PDF;
    return std::nullopt;
}

GraphicsPtr VectorDocument::graphics() {
    if (finished_) return nullptr;
    return GraphicsPtr(new VectorGraphics(device_));
}

bool VectorDocument::finish(std::string& bytes, std::string* error) {
    if (!finished_) {
        finished_ = true;
        Device& d = *device_;
        std::lock_guard lock(d.mutex);
        cairo_status_t st = cairo_status(d.cr);
        cairo_destroy(d.cr);
        d.cr = nullptr;
        cairo_surface_finish(d.surface);
        if (st == CAIRO_STATUS_SUCCESS) st = cairo_surface_status(d.surface);
        d.finished = true;
        ok_ = st == CAIRO_STATUS_SUCCESS;
        if (!ok_) error_ = std::string("drawing failed: ") + cairo_status_to_string(st);
        bytes_ = std::move(d.bytes);
        if (ok_ && format_ == Format::SVG && !d.texts.empty()) {
            // The text layer: every string as real, transparent text over its glyphs.
            std::string layer = "<g id=\"text\" style=\"fill-opacity:0;stroke:none\">\n";
            for (const TextRun& t : d.texts) {
                layer += "<text x=\"" + std::to_string(t.x) + "\" y=\"" + std::to_string(t.y) +
                         "\" font-size=\"" + std::to_string(t.pixelSize) + "px\" font-family=\"";
                appendXmlEscaped(layer, t.family);
                layer += "\"";
                if (t.bold) layer += " font-weight=\"bold\"";
                if (t.italic) layer += " font-style=\"italic\"";
                if (t.quarterTurns)
                    layer += " transform=\"rotate(" + std::to_string(-90 * t.quarterTurns) + " " +
                             std::to_string(t.x) + " " + std::to_string(t.y) + ")\"";
                layer += " xml:space=\"preserve\">";
                appendXmlEscaped(layer, t.text);
                layer += "</text>\n";
            }
            layer += "</g>\n";
            const auto end = bytes_.rfind("</svg>");
            if (end != std::string::npos) bytes_.insert(end, layer);
        }
        d.texts.clear();
    }
    if (!ok_ && error) *error = error_;
    if (ok_) bytes = bytes_;
    return ok_;
}

// ---- contexts ---------------------------------------------------------------------------------

VectorGraphics::VectorGraphics(std::shared_ptr<VectorDocument::Device> device) : device_(std::move(device)) {
    bound_ = {0, 0, device_->width, device_->height};
}

std::unique_ptr<Graphics> VectorGraphics::create() {
    auto g = std::unique_ptr<VectorGraphics>(new VectorGraphics(*this));
    return g;
}

void VectorGraphics::dispose() { device_.reset(); }

void VectorGraphics::translate(int x, int y) {
    tx_ += x;
    ty_ += y;
}

std::optional<Rectangle> VectorGraphics::getClipBounds() const {
    if (!clip_) return std::nullopt;
    return Rectangle{clampInt(clip_->x0 - tx_), clampInt(clip_->y0 - ty_), clampInt(clip_->x1 - clip_->x0),
                     clampInt(clip_->y1 - clip_->y0)};
}

namespace {
template <class B>
B intersectBox(const B& a, const B& b) {
    B r{std::max(a.x0, b.x0), std::max(a.y0, b.y0), std::min(a.x1, b.x1), std::min(a.y1, b.y1)};
    if (r.x1 < r.x0) r.x1 = r.x0;
    if (r.y1 < r.y0) r.y1 = r.y0;
    return r;
}
}  // namespace

void VectorGraphics::clipRect(int x, int y, int w, int h) {
    clip_ = intersectBox(Box{x + tx_, y + ty_, x + tx_ + std::max(0, w), y + ty_ + std::max(0, h)}, clipBox());
}

void VectorGraphics::setClip(int x, int y, int w, int h) {
    clip_ = intersectBox(Box{x + tx_, y + ty_, x + tx_ + std::max(0, w), y + ty_ + std::max(0, h)}, bound_);
}

void VectorGraphics::limitClipToCurrent() {
    bound_ = clipBox();
    clip_ = bound_;
}

Color VectorGraphics::drawColor() const {
    if (!xor_) return color_;
    const uint32_t rgb = (color_.getRGB() ^ xor_->getRGB()) & 0xFFFFFF;
    return Color(int(rgb >> 16), int((rgb >> 8) & 0xFF), int(rgb & 0xFF), color_.getAlpha());
}

template <class F>
void VectorGraphics::paint(int64_t x0, int64_t y0, int64_t x1, int64_t y1, F&& draw) {
    if (!device_) return;
    std::lock_guard lock(device_->mutex);
    if (device_->finished || !device_->cr) return;
    const Box clip = clipBox();
    const Box area = intersectBox(Box{x0 + tx_, y0 + ty_, x1 + tx_, y1 + ty_}, clip);
    if (area.empty()) return;
    if (x0 + tx_ <= -kCairoLimit || y0 + ty_ <= -kCairoLimit || x1 + tx_ >= kCairoLimit || y1 + ty_ >= kCairoLimit)
        return;
    cairo_t* c = device_->cr;
    cairo_save(c);
    cairo_rectangle(c, double(clip.x0), double(clip.y0), double(clip.x1 - clip.x0), double(clip.y1 - clip.y0));
    cairo_clip(c);
    cairo_translate(c, double(tx_), double(ty_));
    setSource(c, drawColor());
    draw(c);
    cairo_new_path(c);
    cairo_restore(c);
}

void VectorGraphics::stroke(cairo_t* c) {
    cairo_set_line_width(c, 1.0);
    cairo_stroke(c);
}

// ---- rectangles and lines ------------------------------------------------------------------

// Rectangles are cut to the clip in integers, so any size can be drawn.
void VectorGraphics::fillBox(int64_t x, int64_t y, int64_t w, int64_t h, const Color& col) {
    if (!device_ || w <= 0 || h <= 0) return;
    const Box b = intersectBox(Box{x + tx_, y + ty_, x + tx_ + w, y + ty_ + h}, clipBox());
    if (b.empty()) return;
    paint(b.x0 - tx_, b.y0 - ty_, b.x1 - tx_, b.y1 - ty_, [&](cairo_t* c) {
        setSource(c, col);
        cairo_rectangle(c, double(b.x0 - tx_), double(b.y0 - ty_), double(b.x1 - b.x0), double(b.y1 - b.y0));
        cairo_fill(c);
    });
}

void VectorGraphics::fillRect(int x, int y, int w, int h) { fillBox(x, y, w, h, drawColor()); }

void VectorGraphics::clearRect(int x, int y, int w, int h) { fillBox(x, y, w, h, background_); }

void VectorGraphics::drawRect(int x, int y, int w, int h) {
    if (w < 0 || h < 0) return;
    const int64_t X = x, Y = y, W = w, H = h;
    const Color col = drawColor();
    // The same four pieces a raster outline covers: (w+1) x (h+1) pixels.
    fillBox(X, Y, W + 1, 1, col);
    if (H > 0) fillBox(X, Y + H, W + 1, 1, col);
    if (H > 1) {
        fillBox(X, Y + 1, 1, H - 1, col);
        if (W > 0) fillBox(X + W, Y + 1, 1, H - 1, col);
    }
}

void VectorGraphics::drawLine(int x1, int y1, int x2, int y2) {
    const int64_t X1 = x1, Y1 = y1, X2 = x2, Y2 = y2;
    if (X1 == X2 || Y1 == Y2) {
        fillBox(std::min(X1, X2), std::min(Y1, Y2), std::abs(X2 - X1) + 1, std::abs(Y2 - Y1) + 1, drawColor());
        return;
    }
    // Through the pixel centres with round caps, as the antialiased raster draws it.
    paint(std::min(X1, X2) - 1, std::min(Y1, Y2) - 1, std::max(X1, X2) + 2, std::max(Y1, Y2) + 2, [&](cairo_t* c) {
        cairo_set_line_cap(c, CAIRO_LINE_CAP_ROUND);
        cairo_move_to(c, x1 + 0.5, y1 + 0.5);
        cairo_line_to(c, x2 + 0.5, y2 + 0.5);
        stroke(c);
    });
}

void VectorGraphics::strokePoints(const int* xs, const int* ys, int n, bool close) {
    if (!xs || !ys || n <= 0) return;
    if (n == 1) {
        fillBox(xs[0], ys[0], 1, 1, drawColor());
        return;
    }
    if (n == 2) close = false;  // the closing segment would retrace the only one
    int64_t x0 = INT64_MAX, y0 = INT64_MAX, x1 = INT64_MIN, y1 = INT64_MIN;
    for (int i = 0; i < n; ++i) {
        x0 = std::min<int64_t>(x0, xs[i]), x1 = std::max<int64_t>(x1, xs[i]);
        y0 = std::min<int64_t>(y0, ys[i]), y1 = std::max<int64_t>(y1, ys[i]);
    }
    paint(x0 - 1, y0 - 1, x1 + 2, y1 + 2, [&](cairo_t* c) {
        cairo_set_line_cap(c, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_join(c, CAIRO_LINE_JOIN_ROUND);
        cairo_move_to(c, xs[0] + 0.5, ys[0] + 0.5);
        for (int i = 1; i < n; ++i) cairo_line_to(c, xs[i] + 0.5, ys[i] + 0.5);
        if (close) cairo_close_path(c);
        stroke(c);
    });
}

void VectorGraphics::drawPolyline(const int* xs, const int* ys, int n) { strokePoints(xs, ys, n, false); }

void VectorGraphics::drawPolygon(const int* xs, const int* ys, int n) { strokePoints(xs, ys, n, true); }

void VectorGraphics::fillPolygon(const int* xs, const int* ys, int n) {
    if (!xs || !ys || n < 3) return;
    int64_t x0 = INT64_MAX, y0 = INT64_MAX, x1 = INT64_MIN, y1 = INT64_MIN;
    for (int i = 0; i < n; ++i) {
        x0 = std::min<int64_t>(x0, xs[i]), x1 = std::max<int64_t>(x1, xs[i]);
        y0 = std::min<int64_t>(y0, ys[i]), y1 = std::max<int64_t>(y1, ys[i]);
    }
    paint(x0, y0, x1 + 1, y1 + 1, [&](cairo_t* c) {
        cairo_move_to(c, xs[0], ys[0]);
        for (int i = 1; i < n; ++i) cairo_line_to(c, xs[i], ys[i]);
        cairo_close_path(c);
        cairo_set_fill_rule(c, CAIRO_FILL_RULE_EVEN_ODD);
        cairo_fill(c);
    });
}

// ---- ovals, arcs, round rectangles ------------------------------------------------------------

void VectorGraphics::drawOval(int x, int y, int w, int h) { drawArc(x, y, w, h, 0, 360); }

void VectorGraphics::fillOval(int x, int y, int w, int h) { fillArc(x, y, w, h, 0, 360); }

void VectorGraphics::drawArc(int x, int y, int w, int h, int startAngle, int arcAngle) {
    if (w < 0 || h < 0 || arcAngle == 0) return;
    if (w == 0 || h == 0) {
        fillBox(x, y, int64_t(w) + 1, int64_t(h) + 1, drawColor());
        return;
    }
    paint(int64_t(x) - 1, int64_t(y) - 1, int64_t(x) + w + 2, int64_t(y) + h + 2, [&](cairo_t* c) {
        cairo_set_line_cap(c, CAIRO_LINE_CAP_BUTT);
        cairopath::arc(c, x + w / 2.0 + 0.5, y + h / 2.0 + 0.5, w / 2.0, h / 2.0, startAngle, arcAngle, false);
        stroke(c);
    });
}

void VectorGraphics::fillArc(int x, int y, int w, int h, int startAngle, int arcAngle) {
    if (w <= 0 || h <= 0 || arcAngle == 0) return;
    paint(x, y, int64_t(x) + w, int64_t(y) + h, [&](cairo_t* c) {
        cairopath::arc(c, x + w / 2.0, y + h / 2.0, w / 2.0, h / 2.0, startAngle, arcAngle, true);
        cairo_fill(c);
    });
}

void VectorGraphics::drawRoundRect(int x, int y, int w, int h, int arcW, int arcH) {
    if (w < 0 || h < 0) return;
    if (arcW <= 0 || arcH <= 0 || w == 0 || h == 0) {
        drawRect(x, y, w, h);
        return;
    }
    const double rx = std::min(arcW, w) / 2.0, ry = std::min(arcH, h) / 2.0;
    paint(int64_t(x) - 1, int64_t(y) - 1, int64_t(x) + w + 2, int64_t(y) + h + 2, [&](cairo_t* c) {
        cairopath::roundRect(c, x + 0.5, y + 0.5, w, h, rx, ry);
        stroke(c);
    });
}

void VectorGraphics::fillRoundRect(int x, int y, int w, int h, int arcW, int arcH) {
    if (w <= 0 || h <= 0) return;
    if (arcW <= 0 || arcH <= 0) {
        fillRect(x, y, w, h);
        return;
    }
    const double rx = std::min(arcW, w) / 2.0, ry = std::min(arcH, h) / 2.0;
    paint(x, y, int64_t(x) + w, int64_t(y) + h, [&](cairo_t* c) {
        cairopath::roundRect(c, x, y, w, h, rx, ry);
        cairo_fill(c);
    });
}

// ---- text ----------------------------------------------------------------------------------------

void VectorGraphics::drawString(std::string_view utf8, int x, int y) { text(utf8, x, y, 0); }

bool VectorGraphics::drawRotatedString(std::string_view utf8, int x, int y, int quarterTurns) {
    text(utf8, x, y, quarterTurns & 3);
    return true;
}

void VectorGraphics::text(std::string_view utf8, int x, int y, int turns) {
    if (!device_ || utf8.empty()) return;
    const std::shared_ptr<const FontFace> face = FontFace::get(font_);
    if (!face || !face->antialiased) return;
    const std::u32string decoded = decodeUtf8(utf8);
    std::string valid;  // invalid bytes become replacement characters, as they are drawn
    std::vector<cairo_glyph_t> glyphs;
    glyphs.reserve(decoded.size());
    int64_t pen = 0;
    for (char32_t ch : decoded) {
        appendUtf8(valid, ch);
        const FontFace::Glyph g = face->glyph(ch);
        glyphs.push_back({g.index, double(pen), 0.0});
        pen += g.advance;
    }
    // The extent the turned run can touch, around its origin.
    const int64_t margin = 2 * int64_t(face->pixelSize) + 4, reach = pen + margin;
    bool drawn = false;
    paint(int64_t(x) - reach, int64_t(y) - reach, int64_t(x) + reach, int64_t(y) + reach, [&](cairo_t* c) {
        cairo_translate(c, x, y);
        if (turns) cairo_rotate(c, -turns * cairopath::kPi / 2);
        cairo_set_scaled_font(c, face->antialiased);
        // One cluster for the whole string: a PDF keeps the text with its glyphs.
        cairo_text_cluster_t cluster{int(valid.size()), int(glyphs.size())};
        cairo_show_text_glyphs(c, valid.data(), int(valid.size()), glyphs.data(), int(glyphs.size()), &cluster, 1,
                               cairo_text_cluster_flags_t(0));
        drawn = true;
    });
    if (drawn)
        device_->texts.push_back({std::move(valid), double(x + tx_), double(y + ty_), face->family, face->pixelSize,
                                  font_.isBold(), font_.isItalic(), turns});
}

// ---- images ------------------------------------------------------------------------------------

bool VectorGraphics::drawImage(const Image* img, int dx1, int dy1, int dx2, int dy2, int sx1, int sy1, int sx2,
                               int sy2) {
    if (!img || !img->isComplete()) return false;
    if (dx1 == dx2 || dy1 == dy2 || sx1 == sx2 || sy1 == sy2) return true;
    const int64_t X0 = std::min(dx1, dx2), Y0 = std::min(dy1, dy2), X1 = std::max(dx1, dx2),
                  Y1 = std::max(dy1, dy2);
    paint(X0, Y0, X1, Y1, [&](cairo_t* c) {
        cairo_pattern_t* pat = cairo_pattern_create_for_surface(img->surface());
        const double scaleX = double(int64_t(sx2) - sx1) / double(int64_t(dx2) - dx1);
        const double scaleY = double(int64_t(sy2) - sy1) / double(int64_t(dy2) - dy1);
        cairo_matrix_t m;
        cairo_matrix_init(&m, scaleX, 0, 0, scaleY, sx1 - dx1 * scaleX, sy1 - dy1 * scaleY);
        cairo_pattern_set_matrix(pat, &m);
        cairo_pattern_set_filter(pat, CAIRO_FILTER_NEAREST);
        cairo_pattern_set_extend(pat, CAIRO_EXTEND_NONE);
        cairo_rectangle(c, double(X0), double(Y0), double(X1 - X0), double(Y1 - Y0));
        cairo_set_source(c, pat);
        cairo_fill(c);
        cairo_pattern_destroy(pat);
    });
    return true;
}

bool VectorGraphics::drawImage(const Image* img, int x, int y) {
    if (!img || !img->isComplete()) return false;
    const int w = img->getWidth(), h = img->getHeight();
    return drawImage(img, x, y, clampInt(int64_t(x) + w), clampInt(int64_t(y) + h), 0, 0, w, h);
}

bool VectorGraphics::drawImage(const Image* img, int x, int y, const Color& bg) {
    if (!img || !img->isComplete()) return false;
    fillBox(x, y, img->getWidth(), img->getHeight(), bg);
    return drawImage(img, x, y);
}

bool VectorGraphics::drawImage(const Image* img, int x, int y, int w, int h) {
    if (!img || !img->isComplete()) return false;
    if (w <= 0 || h <= 0) return true;
    return drawImage(img, x, y, clampInt(int64_t(x) + w), clampInt(int64_t(y) + h), 0, 0, img->getWidth(),
                     img->getHeight());
}

void VectorGraphics::copyArea(int, int, int, int, int, int) {}

}  // namespace host
