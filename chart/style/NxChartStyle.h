// How a series is drawn: a line style (colour, width, pattern), a fill style
// (colour, pattern, image) and a symbol style (shape, colour, size or a polygon
// shape), with the default sequence that gives successive series distinct looks.
#pragma once

#include <memory>
#include <vector>

#include "chart/base/Changeable.h"
#include "chart/style/NxBorderStyle.h"
#include "host/base/Color.h"
#include "host/base/Geometry.h"
#include "host/runtime/Object.h"

namespace host {
class Graphics;
class Image;
}  // namespace host

namespace norvex::chart {

class NxChartStyle;

class NxStyle : public host::Object {
    HOST_OBJECT(NxStyle, "norvex.chart.NxStyle", host::Object)
public:
    // black, cyan, orange, blue, pink, green, magenta, yellow, red.
    static const std::vector<host::Color>& defaultColors();

    NxChartStyle* getParent() const { return parent; }
    void setParent(NxChartStyle* p) { parent = p; }
    // Tells the owning chart style's owner.
    void setChanged(bool changed);

protected:
    // The next colour of a counter, stepping past avoid once (line and symbol rule).
    static host::Color nextColor(int& counter, const host::OptColor& avoid);
    NxChartStyle* parent = nullptr;  // not owned
};

class NxLineStyle : public NxStyle {
    HOST_OBJECT(NxLineStyle, "norvex.chart.NxLineStyle", NxStyle)
public:
    static constexpr int NONE = 0, SOLID = 1, LONG_DASH = 2, SHORT_DASH = 3, LSL_DASH = 4, DASH_DOT = 5;

    NxLineStyle() = default;
    NxLineStyle(int w, host::Color c, int p) : pattern(p), width(w), color(c) {}
    // The next default line style; avoid is the plot background (skipped once).
    static std::shared_ptr<NxLineStyle> makeDefault(const host::OptColor& avoid = std::nullopt);
    static host::Color getDefaultColor(const host::OptColor& avoid = std::nullopt);
    static int getDefaultPattern();

    void draw(host::Graphics& g, int x1, int y1, int x2, int y2) const;
    int getPattern() const { return pattern; }
    void setPattern(int p);
    int getWidth() const { return width; }
    void setWidth(int w);
    host::Color getColor() const { return color; }
    void setColor(const host::Color& c);

private:
    friend class NxChartStyle;
    int pattern = SOLID;
    int width = 1;
    host::Color color = host::Color::black;
};

class NxFillStyle : public NxStyle {
    HOST_OBJECT(NxFillStyle, "norvex.chart.NxFillStyle", NxStyle)
public:
    static constexpr int NONE = 0, SOLID = 1, PER_25 = 2, PER_50 = 3, PER_75 = 4, HORIZ_STRIPE = 5,
                         VERT_STRIPE = 6, STRIPE_45 = 7, STRIPE_135 = 8, DIAG_HATCHED = 9, CROSS_HATCHED = 10;

    NxFillStyle() = default;
    NxFillStyle(host::Color c, int p) : color(c), pattern(p) {}
    // avoid: the plot background (or a pie's "other" slice colour); every colour of
    // the table is tried at most once.
    static std::shared_ptr<NxFillStyle> makeDefault(const host::OptColor& avoid = std::nullopt);
    static host::Color getDefaultColor(const host::OptColor& avoid = std::nullopt);
    static int getDefaultPattern();

    host::Color getColor() const { return color; }
    void setColor(const host::Color& c);
    int getPattern() const { return pattern; }
    void setPattern(int p);
    const std::shared_ptr<host::Image>& getImage() const { return image; }
    void setImage(std::shared_ptr<host::Image> img);

    void fillRect(host::Graphics& g, int x, int y, int w, int h) const;
    void fillOutlineRect(host::Graphics& g, int x, int y, int w, int h,
                         const host::OptColor& outline = std::nullopt) const;
    void fillPolygon(host::Graphics& g, const host::Polygon& p) const;
    void fillOutlinePolygon(host::Graphics& g, const host::Polygon& p, const host::OptColor& outline) const;
    void fillArc(host::Graphics& g, int x, int y, int w, int h, int start, int extent) const;
    // The darker shade, or the brighter one where darker gives the same colour.
    host::Color calcOutlineColor() const;
    // Tiles the fill image inside the rectangle (nothing without a loaded image).
    void fillImageRect(host::Graphics& g, int x, int y, int w, int h, bool positive, bool inverted) const;

private:
    void useColor(host::Graphics& g) const;
    host::Color color = host::Color::black;
    int pattern = SOLID;
    std::shared_ptr<host::Image> image;
};

// A polygon symbol: offsets of its points from the symbol centre.
class NxShape : public host::Object {
    HOST_OBJECT(NxShape, "norvex.chart.NxShape", host::Object)
public:
    NxShape() = default;
    NxShape(std::vector<int> xs, std::vector<int> ys) : x(std::move(xs)), y(std::move(ys)) {}
    int getSize() const { return size; }
    // Rebuilds the offsets for a new size (fixed polygons keep theirs).
    virtual void resize(int sz) { size = sz; }
    // A filled polygon centred on (cx, cy); nothing without points.
    void draw(host::Graphics& g, int cx, int cy) const;

protected:
    int size = 0;
    std::vector<int> x, y;
};

class Triangle : public NxShape {
public:
    void resize(int sz) override;
};

class Diamond : public NxShape {
public:
    void resize(int sz) override;
};

class NxSymbolStyle : public NxStyle {
    HOST_OBJECT(NxSymbolStyle, "norvex.chart.NxSymbolStyle", NxStyle)
public:
    static constexpr int NONE = 0, DOT = 1, BOX = 2, TRIANGLE = 3, DIAMOND = 4, STAR = 5, VERT_LINE = 6,
                         HORIZ_LINE = 7, CROSS = 8, CIRCLE = 9, SQUARE = 10, OTHER = 11, LAST = 10;

    NxSymbolStyle() = default;
    NxSymbolStyle(int shape, host::Color c, int sz);
    static std::shared_ptr<NxSymbolStyle> makeDefault(const host::OptColor& avoid = std::nullopt);
    static int getDefaultShape();
    static host::Color getDefaultColor(const host::OptColor& avoid = std::nullopt);

    void draw(host::Graphics& g, int x, int y) const { draw(g, x, y, size); }
    void draw(host::Graphics& g, int x, int y, int sz) const;
    int getShape() const { return shape; }
    // "Invalid value for Shape in NxSymbolStyle." outside NONE..OTHER.
    void setShape(int s);
    host::Color getColor() const { return color; }
    void setColor(const host::Color& c);
    int getSize() const { return size; }
    void setSize(int s);
    const std::shared_ptr<NxShape>& getCustomShape() const { return customShape; }
    // Null sets the shape to NONE, a shape to OTHER.
    void setCustomShape(std::shared_ptr<NxShape> s);

private:
    void installShape(int s);
    int shape = DOT;
    host::Color color = host::Color::black;
    int size = 6;
    std::shared_ptr<NxShape> customShape;
};

class NxChartStyle : public host::Object {
    HOST_OBJECT(NxChartStyle, "norvex.chart.NxChartStyle", host::Object)
public:
    NxChartStyle();
    NxChartStyle(std::shared_ptr<NxLineStyle> l, std::shared_ptr<NxFillStyle> f, std::shared_ptr<NxSymbolStyle> s);
    ~NxChartStyle() override;

    // The next default style; avoidLine is the plot background (line and symbol
    // colours skip it), avoidFill the colour fills avoid.
    static std::shared_ptr<NxChartStyle> makeDefault(const host::OptColor& avoidLine = std::nullopt,
                                                     const host::OptColor& avoidFill = std::nullopt);
    // Rewinds the three colour counters (patterns and shapes continue).
    static void resetDefaults();

    Changeable* getParent() const { return parent; }
    void setParent(Changeable* owner) { parent = owner; }
    void setChanged(bool b) const {
        if (parent) parent->setChanged(b);
    }

    const std::shared_ptr<NxLineStyle>& getLineStyle() const { return lineStyle; }
    void setLineStyle(std::shared_ptr<NxLineStyle> s);
    const std::shared_ptr<NxFillStyle>& getFillStyle() const { return fillStyle; }
    void setFillStyle(std::shared_ptr<NxFillStyle> s);
    const std::shared_ptr<NxSymbolStyle>& getSymbolStyle() const { return symbolStyle; }
    void setSymbolStyle(std::shared_ptr<NxSymbolStyle> s);
    NxBorderStyle& getBorderStyle() { return borderStyle; }

    int getLinePattern() { return line().getPattern(); }
    void setLinePattern(int p) { line().setPattern(p); }
    int getLineWidth() { return line().getWidth(); }
    void setLineWidth(int w) { line().setWidth(w); }
    host::Color getLineColor() { return line().getColor(); }
    void setLineColor(const host::Color& c) { line().setColor(c); }
    int getSymbolShape() { return symbol().getShape(); }
    void setSymbolShape(int s) { symbol().setShape(s); }
    host::Color getSymbolColor() { return symbol().getColor(); }
    void setSymbolColor(const host::Color& c) { symbol().setColor(c); }
    int getSymbolSize() { return symbol().getSize(); }
    void setSymbolSize(int s) { symbol().setSize(s); }
    std::shared_ptr<NxShape> getSymbolCustomShape() { return symbol().getCustomShape(); }
    void setSymbolCustomShape(std::shared_ptr<NxShape> s) { symbol().setCustomShape(std::move(s)); }
    host::Color getFillColor() { return fill().getColor(); }
    void setFillColor(const host::Color& c) { fill().setColor(c); }
    int getFillPattern() { return fill().getPattern(); }
    void setFillPattern(int p) { fill().setPattern(p); }
    std::shared_ptr<host::Image> getFillImage() { return fill().getImage(); }
    void setFillImage(std::shared_ptr<host::Image> img) { fill().setImage(std::move(img)); }

private:
    NxLineStyle& line();
    NxFillStyle& fill();
    NxSymbolStyle& symbol();

    std::shared_ptr<NxLineStyle> lineStyle;
    std::shared_ptr<NxFillStyle> fillStyle;
    std::shared_ptr<NxSymbolStyle> symbolStyle;
    NxBorderStyle borderStyle{nullptr, NxBorderStyle::PLAIN, 1};
    Changeable* parent = nullptr;  // not owned
};

using NxChartStylePtr = std::shared_ptr<NxChartStyle>;

}  // namespace norvex::chart
