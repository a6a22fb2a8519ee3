#include "host/graphics/RecordingGraphics.h"

#include <algorithm>
#include <climits>

#include "host/graphics/FontEngine.h"
#include "host/graphics/Image.h"

namespace host {

namespace {

std::string join(std::initializer_list<int64_t> v) {
    std::string s;
    for (int64_t x : v) {
        if (!s.empty()) s += ',';
        s += std::to_string(x);
    }
    return s;
}

std::string call(const char* name, std::initializer_list<int64_t> v) { return std::string(name) + "(" + join(v) + ")"; }

std::string rgb(const Color& c) { return join({c.getRed(), c.getGreen(), c.getBlue()}); }

std::string points(const int* v, int n) {
    std::string s = "[";
    for (int i = 0; v && i < n; ++i) {
        if (i) s += ',';
        s += std::to_string(v[i]);
    }
    return s + "]";
}

std::string quoted(std::string_view utf8) {
    static const char* hex = "0123456789abcdef";
    std::string s = "\"";
    for (char c : sanitizeUtf8(utf8)) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            s += '\\';
            s += c;
        } else if (c == '\n') {
            s += "\\n";
        } else if (c == '\t') {
            s += "\\t";
        } else if (u < 0x20 || u == 0x7F) {
            s += "\\x";
            s += hex[u >> 4];
            s += hex[u & 15];
        } else {
            s += c;
        }
    }
    return s + "\"";
}

std::string imageSize(const Image* img) {
    if (!img) return "null";
    if (!img->isComplete()) return "error";
    return std::to_string(img->getWidth()) + "x" + std::to_string(img->getHeight());
}

}  // namespace

RecordingGraphics::RecordingGraphics() : log_(std::make_shared<Log>()) {}

RecordingGraphics::RecordingGraphics(int w, int h) : log_(std::make_shared<Log>()) {
    bound_ = Box{0, 0, std::max(0, w), std::max(0, h)};
}

RecordingGraphics::RecordingGraphics(std::shared_ptr<Log> log) : log_(log ? std::move(log) : std::make_shared<Log>()) {}

std::string RecordingGraphics::logText() const {
    std::string s;
    for (const auto& line : *log_) {
        if (!s.empty()) s += '\n';
        s += line;
    }
    return s;
}

void RecordingGraphics::add(std::string line) {
    if (!disposed_) log_->push_back(std::move(line));
}

std::unique_ptr<Graphics> RecordingGraphics::create() {
    add("create()");
    auto g = std::make_unique<RecordingGraphics>(log_);
    g->disposed_ = disposed_;
    g->tx_ = tx_;
    g->ty_ = ty_;
    g->bound_ = bound_;
    g->clip_ = clip_;
    g->color_ = color_;
    g->background_ = background_;
    g->xor_ = xor_;
    g->font_ = font_;
    g->antialias_ = antialias_;
    return g;
}

void RecordingGraphics::dispose() {
    add("dispose()");
    disposed_ = true;
}

void RecordingGraphics::translate(int x, int y) {
    if (disposed_) return;
    add(call("translate", {x, y}));
    tx_ = int(std::clamp<int64_t>(int64_t(tx_) + x, INT_MIN, INT_MAX));
    ty_ = int(std::clamp<int64_t>(int64_t(ty_) + y, INT_MIN, INT_MAX));
}

void RecordingGraphics::setColor(const Color& c) {
    if (disposed_) return;
    add(c.getAlpha() == 255 ? "setColor(" + rgb(c) + ")" : "setColor(" + rgb(c) + "," + std::to_string(c.getAlpha()) + ")");
    color_ = c;
}

void RecordingGraphics::setPaintMode() {
    if (disposed_) return;
    add("setPaintMode()");
    xor_.reset();
}

void RecordingGraphics::setXORMode(const Color& c) {
    if (disposed_) return;
    add("setXORMode(" + rgb(c) + ")");
    xor_ = c;
}

void RecordingGraphics::setBackground(const Color& c) {
    if (disposed_) return;
    add("setBackground(" + rgb(c) + ")");
    background_ = c;
}

void RecordingGraphics::setFont(const Font& f) {
    if (disposed_) return;
    add("setFont(" + f.getName() + "," + std::to_string(f.getStyle()) + "," + std::to_string(f.getSize()) + ")");
    font_ = f;
}

RecordingGraphics::Box RecordingGraphics::intersect(const Box& a, const Box& b) {
    Box r{std::max(a.x0, b.x0), std::max(a.y0, b.y0), std::min(a.x1, b.x1), std::min(a.y1, b.y1)};
    r.x1 = std::max(r.x1, r.x0);
    r.y1 = std::max(r.y1, r.y0);
    return r;
}

RecordingGraphics::Box RecordingGraphics::deviceBox(int x, int y, int w, int h) const {
    const int64_t X = int64_t(x) + tx_, Y = int64_t(y) + ty_;
    return {X, Y, X + std::max(0, w), Y + std::max(0, h)};
}

std::optional<Rectangle> RecordingGraphics::getClipBounds() const {
    if (!clip_) return std::nullopt;
    auto c = [](int64_t v) { return int(std::clamp<int64_t>(v, INT_MIN, INT_MAX)); };
    return Rectangle{c(clip_->x0 - tx_), c(clip_->y0 - ty_), c(clip_->x1 - clip_->x0), c(clip_->y1 - clip_->y0)};
}

void RecordingGraphics::clipRect(int x, int y, int w, int h) {
    if (disposed_) return;
    add(call("clipRect", {x, y, w, h}));
    Box b = deviceBox(x, y, w, h);
    if (clip_)
        b = intersect(b, *clip_);
    else if (bound_)
        b = intersect(b, *bound_);
    clip_ = b;
}

void RecordingGraphics::setClip(int x, int y, int w, int h) {
    if (disposed_) return;
    add(call("setClip", {x, y, w, h}));
    Box b = deviceBox(x, y, w, h);
    if (bound_) b = intersect(b, *bound_);
    clip_ = b;
}

void RecordingGraphics::limitClipToCurrent() {
    if (disposed_) return;
    if (clip_) bound_ = clip_;
}

void RecordingGraphics::copyArea(int x, int y, int w, int h, int dx, int dy) {
    add(call("copyArea", {x, y, w, h, dx, dy}));
}
void RecordingGraphics::drawLine(int x1, int y1, int x2, int y2) { add(call("drawLine", {x1, y1, x2, y2})); }
void RecordingGraphics::fillRect(int x, int y, int w, int h) { add(call("fillRect", {x, y, w, h})); }
void RecordingGraphics::drawRect(int x, int y, int w, int h) { add(call("drawRect", {x, y, w, h})); }
void RecordingGraphics::clearRect(int x, int y, int w, int h) { add(call("clearRect", {x, y, w, h})); }
void RecordingGraphics::drawRoundRect(int x, int y, int w, int h, int aw, int ah) {
    add(call("drawRoundRect", {x, y, w, h, aw, ah}));
}
void RecordingGraphics::fillRoundRect(int x, int y, int w, int h, int aw, int ah) {
    add(call("fillRoundRect", {x, y, w, h, aw, ah}));
}
void RecordingGraphics::draw3DRect(int x, int y, int w, int h, bool raised) {
    add("draw3DRect(" + join({x, y, w, h}) + (raised ? ",true)" : ",false)"));
}
void RecordingGraphics::fill3DRect(int x, int y, int w, int h, bool raised) {
    add("fill3DRect(" + join({x, y, w, h}) + (raised ? ",true)" : ",false)"));
}
void RecordingGraphics::drawOval(int x, int y, int w, int h) { add(call("drawOval", {x, y, w, h})); }
void RecordingGraphics::fillOval(int x, int y, int w, int h) { add(call("fillOval", {x, y, w, h})); }
void RecordingGraphics::drawArc(int x, int y, int w, int h, int s, int e) { add(call("drawArc", {x, y, w, h, s, e})); }
void RecordingGraphics::fillArc(int x, int y, int w, int h, int s, int e) { add(call("fillArc", {x, y, w, h, s, e})); }

void RecordingGraphics::drawPolyline(const int* xs, const int* ys, int n) {
    add("drawPolyline(" + points(xs, n) + "," + points(ys, n) + ")");
}
void RecordingGraphics::drawPolygon(const int* xs, const int* ys, int n) {
    add("drawPolygon(" + points(xs, n) + "," + points(ys, n) + ")");
}
void RecordingGraphics::fillPolygon(const int* xs, const int* ys, int n) {
    add("fillPolygon(" + points(xs, n) + "," + points(ys, n) + ")");
}

void RecordingGraphics::drawString(std::string_view utf8, int x, int y) {
    add("drawString(" + quoted(utf8) + "," + join({x, y}) + ")");
}

bool RecordingGraphics::drawImage(const Image* img, int x, int y) {
    add("drawImage(" + imageSize(img) + "," + join({x, y}) + ")");
    return img && img->isComplete();
}
bool RecordingGraphics::drawImage(const Image* img, int x, int y, const Color& bg) {
    add("drawImage(" + imageSize(img) + "," + join({x, y}) + ",bg(" + rgb(bg) + "))");
    return img && img->isComplete();
}
bool RecordingGraphics::drawImage(const Image* img, int x, int y, int w, int h) {
    add("drawImage(" + imageSize(img) + "," + join({x, y, w, h}) + ")");
    return img && img->isComplete();
}
bool RecordingGraphics::drawImage(const Image* img, int dx1, int dy1, int dx2, int dy2, int sx1, int sy1, int sx2,
                                  int sy2) {
    add("drawImage(" + imageSize(img) + "," + join({dx1, dy1, dx2, dy2, sx1, sy1, sx2, sy2}) + ")");
    return img && img->isComplete();
}

void RecordingGraphics::setAntialias(bool on) {
    if (disposed_) return;
    add(on ? "setAntialias(true)" : "setAntialias(false)");
    antialias_ = on;
}

}  // namespace host
