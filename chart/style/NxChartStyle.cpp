#include "chart/style/NxChartStyle.h"

#include <cmath>
#include <mutex>
#include <stdexcept>

#include "chart/base/NxChartUtil.h"
#include "host/graphics/Graphics.h"
#include "host/graphics/Image.h"

namespace norvex::chart {

namespace {
// The default sequences are class-wide; charts may be built on several threads.
std::mutex sequenceLock;
int lineColorIndex = 0, fillColorIndex = 0, symbolColorIndex = 0;
int linePattern = 1, fillPattern = 1, symbolShape = 1;

int nextInCycle(int& counter, int last) {
    int v = counter;
    counter = v >= last ? 1 : v + 1;
    return v;
}

void useColor(host::Graphics& g, const host::Color& c) {
    if (g.getColor() != c) g.setColor(c);
}
}  // namespace

// ---- NxStyle ----

const std::vector<host::Color>& NxStyle::defaultColors() {
    using C = host::Color;
    static const std::vector<C> colors{C::black, C::cyan, C::orange, C::blue, C::pink,
                                       C::green, C::magenta, C::yellow, C::red};
    return colors;
}

void NxStyle::setChanged(bool b) {
    if (parent) parent->setChanged(b);
}

host::Color NxStyle::nextColor(int& counter, const host::OptColor& avoid) {
    const auto& colors = defaultColors();
    int n = int(colors.size());
    host::Color c = colors[size_t(counter)];
    counter = (counter + 1) % n;
    if (avoid && c == *avoid) {
        c = colors[size_t(counter)];
        counter = (counter + 1) % n;
    }
    return c;
}

// ---- NxLineStyle ----

host::Color NxLineStyle::getDefaultColor(const host::OptColor& avoid) {
    std::lock_guard<std::mutex> g(sequenceLock);
    return nextColor(lineColorIndex, avoid);
}

int NxLineStyle::getDefaultPattern() {
    std::lock_guard<std::mutex> g(sequenceLock);
    return nextInCycle(linePattern, DASH_DOT);
}

std::shared_ptr<NxLineStyle> NxLineStyle::makeDefault(const host::OptColor& avoid) {
    host::Color c = getDefaultColor(avoid);
    return std::make_shared<NxLineStyle>(1, c, getDefaultPattern());
}

void NxLineStyle::draw(host::Graphics& g, int x1, int y1, int x2, int y2) const {
    if (pattern == NONE || width <= 0) return;
    useColor(g, color);
    g.drawLine(x1, y1, x2, y2);
}

void NxLineStyle::setPattern(int p) {
    if (p < NONE || p > DASH_DOT)
        throw std::invalid_argument(
            "Invalid value for Patter in NxLineStyle.  Should be one of NONE, SOLID, LONG_DASH, SHORT_DASH, "
            "LSL_DASH or DASH_DOT");
    host::Lock lock(mutex());
    if (p == pattern) return;
    pattern = p;
    setChanged(true);
}

void NxLineStyle::setWidth(int w) {
    host::Lock lock(mutex());
    if (w == width) return;
    width = w;
    setChanged(true);
}

void NxLineStyle::setColor(const host::Color& c) {
    host::Lock lock(mutex());
    if (c == color) return;
    color = c;
    setChanged(true);
}

// ---- NxFillStyle ----

host::Color NxFillStyle::getDefaultColor(const host::OptColor& avoid) {
    std::lock_guard<std::mutex> g(sequenceLock);
    const auto& colors = defaultColors();
    int n = int(colors.size());
    host::Color c = colors[size_t(fillColorIndex)];
    for (int tries = 0; tries < n; ++tries) {
        c = colors[size_t(fillColorIndex)];
        fillColorIndex = (fillColorIndex + 1) % n;
        if (!avoid || c != *avoid) break;
    }
    return c;
}

int NxFillStyle::getDefaultPattern() {
    std::lock_guard<std::mutex> g(sequenceLock);
    return nextInCycle(fillPattern, CROSS_HATCHED);
}

std::shared_ptr<NxFillStyle> NxFillStyle::makeDefault(const host::OptColor& avoid) {
    host::Color c = getDefaultColor(avoid);
    return std::make_shared<NxFillStyle>(c, getDefaultPattern());
}

void NxFillStyle::setColor(const host::Color& c) {
    host::Lock lock(mutex());
    if (c == color) return;
    color = c;
    setChanged(true);
}

void NxFillStyle::setPattern(int p) {
    if (p < NONE || p > CROSS_HATCHED)
        throw std::invalid_argument(
            "Invalid value for Pattern in NxFillStyle.  Must be one of NONE, SOLID, PER_25, PER_50, PER_75, "
            "HORIZ_STRIPE, VERT_STRIPE, STRIPE_45, STRIPE_135, DIAG_HATCHED or CROSS_HATCHED");
    host::Lock lock(mutex());
    if (p == pattern) return;
    pattern = p;
    setChanged(true);
}

void NxFillStyle::setImage(std::shared_ptr<host::Image> img) {
    host::Lock lock(mutex());
    if (img == image) return;
    image = std::move(img);
    setChanged(true);
}

void NxFillStyle::useColor(host::Graphics& g) const { chart::useColor(g, color); }

void NxFillStyle::fillRect(host::Graphics& g, int x, int y, int w, int h) const {
    useColor(g);
    g.fillRect(x, y, w, h);
}

host::Color NxFillStyle::calcOutlineColor() const {
    host::Color d = NxChartUtil::darker(color);
    return d == color ? NxChartUtil::brighter(color) : d;
}

void NxFillStyle::fillOutlineRect(host::Graphics& g, int x, int y, int w, int h,
                                  const host::OptColor& outline) const {
    fillRect(g, x, y, w, h);
    g.setColor(outline.value_or(calcOutlineColor()));
    g.drawRect(x, y, w, h);
}

void NxFillStyle::fillPolygon(host::Graphics& g, const host::Polygon& p) const {
    useColor(g);
    g.fillPolygon(p);
}

void NxFillStyle::fillOutlinePolygon(host::Graphics& g, const host::Polygon& p, const host::OptColor& outline) const {
    fillPolygon(g, p);
    g.setColor(outline.value_or(calcOutlineColor()));
    g.drawPolygon(p);
}

void NxFillStyle::fillArc(host::Graphics& g, int x, int y, int w, int h, int start, int extent) const {
    useColor(g);
    g.fillArc(x, y, w, h, start, extent);
}

void NxFillStyle::fillImageRect(host::Graphics& g, int x, int y, int w, int h, bool positive, bool inverted) const {
    // A failed image has no size (-1): tiling it would never advance.
    if (!image || w <= 0 || h <= 0) return;
    int iw = image->getWidth(), ih = image->getHeight();
    if (iw <= 0 || ih <= 0) return;
    auto clip = g.create();
    clip->clipRect(x, y, w, h);
    if (inverted) {
        int top = y + (h - ih) / 2;
        if (positive) {
            int pos = x + 1;
            for (; pos < x + w; pos += iw) clip->drawImage(image.get(), pos, top);
        } else {
            int pos = x + w - iw;
            for (; pos > x; pos -= iw) clip->drawImage(image.get(), pos, top);
            clip->drawImage(image.get(), pos, top);
        }
    } else {
        int left = x + (w - iw) / 2;
        if (!positive) {
            int pos = y + 1;
            for (; pos < y + h; pos += ih) clip->drawImage(image.get(), left, pos);
        } else {
            int pos = y + h - ih;
            for (; pos > y; pos -= ih) clip->drawImage(image.get(), left, pos);
            clip->drawImage(image.get(), left, pos);
        }
    }
    clip->dispose();
}

// ---- shapes ----

void NxShape::draw(host::Graphics& g, int cx, int cy) const {
    if (x.empty()) return;
    std::vector<int> xs(x.size()), ys(y.size());
    for (size_t i = 0; i < x.size(); ++i) {
        xs[i] = x[i] + cx;
        ys[i] = y[i] + cy;
    }
    g.fillPolygon(xs.data(), ys.data(), int(xs.size()));
}

void Triangle::resize(int sz) {
    if (sz == size && !x.empty()) return;
    size = sz;
    int h = sz / 2;
    x = {-h, 0, h};
    y = {h, -h, h};
}

void Diamond::resize(int sz) {
    if (sz == size && !x.empty()) return;
    size = sz;
    int h = sz / 2;
    x = {-h, 0, h, 0};
    y = {0, -h, 0, h};
}

// ---- NxSymbolStyle ----

NxSymbolStyle::NxSymbolStyle(int s, host::Color c, int sz) : color(c), size(sz) {
    if (s < NONE || s > OTHER) throw std::invalid_argument("Invalid value for Shape in NxSymbolStyle.");
    installShape(s);
}

host::Color NxSymbolStyle::getDefaultColor(const host::OptColor& avoid) {
    std::lock_guard<std::mutex> g(sequenceLock);
    return nextColor(symbolColorIndex, avoid);
}

int NxSymbolStyle::getDefaultShape() {
    std::lock_guard<std::mutex> g(sequenceLock);
    return nextInCycle(symbolShape, LAST);
}

std::shared_ptr<NxSymbolStyle> NxSymbolStyle::makeDefault(const host::OptColor& avoid) {
    int s = getDefaultShape();
    return std::make_shared<NxSymbolStyle>(s, getDefaultColor(avoid), 6);
}

void NxSymbolStyle::installShape(int s) {
    shape = s;
    if (s == TRIANGLE)
        customShape = std::make_shared<Triangle>();
    else if (s == DIAMOND)
        customShape = std::make_shared<Diamond>();
    else
        customShape.reset();
}

void NxSymbolStyle::setShape(int s) {
    if (s < NONE || s > OTHER) throw std::invalid_argument("Invalid value for Shape in NxSymbolStyle.");
    host::Lock lock(mutex());
    if (s == shape) return;
    installShape(s);
    setChanged(true);
}

void NxSymbolStyle::setColor(const host::Color& c) {
    host::Lock lock(mutex());
    if (c == color) return;
    color = c;
    setChanged(true);
}

void NxSymbolStyle::setSize(int s) {
    host::Lock lock(mutex());
    if (s == size) return;
    size = s;
    setChanged(true);
}

void NxSymbolStyle::setCustomShape(std::shared_ptr<NxShape> s) {
    host::Lock lock(mutex());
    if (s == customShape) return;
    shape = s ? OTHER : NONE;
    customShape = std::move(s);
    setChanged(true);
}

void NxSymbolStyle::draw(host::Graphics& g, int x, int y, int sz) const {
    useColor(g, color);
    if (customShape) {
        customShape->resize(sz);
        customShape->draw(g, x, y);
        return;
    }
    int h = sz / 2;
    int q = int(std::nearbyint(sz * 0.35355339059327373));
    switch (shape) {
        case DOT: g.fillOval(x - h, y - h, sz, sz); break;
        case BOX: g.fillRect(x - h, y - h, sz, sz); break;
        case STAR:
            g.drawLine(x - h, y, x + h, y);
            g.drawLine(x, y - h, x, y + h);
            g.drawLine(x - q, y - q, x + q, y + q);
            g.drawLine(x - q, y + q, x + q, y - q);
            break;
        case VERT_LINE: g.drawLine(x, y - h, x, y + h); break;
        case HORIZ_LINE: g.drawLine(x - h, y, x + h, y); break;
        case CROSS:
            g.drawLine(x, y - h, x, y + h);
            g.drawLine(x - h, y, x + h, y);
            break;
        case CIRCLE: g.drawArc(x - h, y - h, sz - 1, sz - 1, 0, 360); break;
        case SQUARE: g.drawRect(x - h, y - h, sz - 1, sz - 1); break;
        default: break;
    }
}

// ---- NxChartStyle ----

NxChartStyle::NxChartStyle() {
    // Line, fill, symbol: the order the default sequences are drawn in.
    setLineStyle(NxLineStyle::makeDefault());
    setFillStyle(NxFillStyle::makeDefault());
    setSymbolStyle(NxSymbolStyle::makeDefault());
}

NxChartStyle::NxChartStyle(std::shared_ptr<NxLineStyle> l, std::shared_ptr<NxFillStyle> f,
                           std::shared_ptr<NxSymbolStyle> s)
    : lineStyle(std::move(l)), fillStyle(std::move(f)), symbolStyle(std::move(s)) {
    if (lineStyle) lineStyle->setParent(this);
    if (fillStyle) fillStyle->setParent(this);
    if (symbolStyle) symbolStyle->setParent(this);
}

NxChartStyle::~NxChartStyle() {
    if (lineStyle && lineStyle->getParent() == this) lineStyle->setParent(nullptr);
    if (fillStyle && fillStyle->getParent() == this) fillStyle->setParent(nullptr);
    if (symbolStyle && symbolStyle->getParent() == this) symbolStyle->setParent(nullptr);
}

std::shared_ptr<NxChartStyle> NxChartStyle::makeDefault(const host::OptColor& avoidLine,
                                                        const host::OptColor& avoidFill) {
    auto l = NxLineStyle::makeDefault(avoidLine);
    auto f = NxFillStyle::makeDefault(avoidFill);
    auto s = NxSymbolStyle::makeDefault(avoidLine);
    return std::make_shared<NxChartStyle>(l, f, s);
}

void NxChartStyle::resetDefaults() {
    std::lock_guard<std::mutex> g(sequenceLock);
    lineColorIndex = fillColorIndex = symbolColorIndex = 0;
}

void NxChartStyle::setLineStyle(std::shared_ptr<NxLineStyle> s) {
    host::Lock lock(mutex());
    if (s == lineStyle) return;
    lineStyle = std::move(s);
    if (lineStyle) lineStyle->setParent(this);
    setChanged(true);
}

void NxChartStyle::setFillStyle(std::shared_ptr<NxFillStyle> s) {
    host::Lock lock(mutex());
    if (s == fillStyle) return;
    fillStyle = std::move(s);
    if (fillStyle) fillStyle->setParent(this);
    setChanged(true);
}

void NxChartStyle::setSymbolStyle(std::shared_ptr<NxSymbolStyle> s) {
    host::Lock lock(mutex());
    if (s == symbolStyle) return;
    symbolStyle = std::move(s);
    if (symbolStyle) symbolStyle->setParent(this);
    setChanged(true);
}

NxLineStyle& NxChartStyle::line() {
    if (!lineStyle) setLineStyle(NxLineStyle::makeDefault());
    return *lineStyle;
}

NxFillStyle& NxChartStyle::fill() {
    if (!fillStyle) setFillStyle(NxFillStyle::makeDefault());
    return *fillStyle;
}

NxSymbolStyle& NxChartStyle::symbol() {
    if (!symbolStyle) setSymbolStyle(NxSymbolStyle::makeDefault());
    return *symbolStyle;
}

}  // namespace norvex::chart
