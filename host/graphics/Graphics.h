// The drawing context. Three implementations: RasterGraphics (pixels on an image
// surface, host/RasterGraphics.h), VectorGraphics (an SVG or PDF document,
// host/VectorGraphics.h) and RecordingGraphics (a log of every call,
// host/RecordingGraphics.h, for exact drawing tests).
//
// Classic pixel rules: coordinates are integer pixel corners; a line covers both
// end points; drawRect(x, y, w, h) outlines (w+1) x (h+1) pixels; fillRect fills
// w x h; angles are degrees counter-clockwise from 3 o'clock.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "host/base/Color.h"
#include "host/base/Font.h"
#include "host/base/Geometry.h"

namespace host {

class Image;

class Graphics {
public:
    virtual ~Graphics() = default;

    // A new context on the same target with this one's state; the sub-area form
    // translates to (x, y) and intersects the clip with (0, 0, w, h).
    virtual std::unique_ptr<Graphics> create() = 0;
    std::unique_ptr<Graphics> create(int x, int y, int w, int h);
    // Releases the context; further drawing on it does nothing.
    virtual void dispose() = 0;

    virtual void translate(int x, int y) = 0;

    virtual Color getColor() const = 0;
    virtual void setColor(const Color& c) = 0;
    virtual void setPaintMode() = 0;
    // Pixels drawn in the current colour swap with c: each pixel is XORed with color ^ c.
    virtual void setXORMode(const Color& c) = 0;

    virtual Font getFont() const = 0;
    virtual void setFont(const Font& f) = 0;
    FontMetrics getFontMetrics() const { return FontMetrics::get(getFont()); }
    FontMetrics getFontMetrics(const Font& f) const { return FontMetrics::get(f); }

    // Clip in this context's coordinates; nullopt when there is no clip.
    virtual std::optional<Rectangle> getClipBounds() const = 0;
    Rectangle getClipRect() const { return getClipBounds().value_or(Rectangle{}); }
    // Intersects the clip with the rectangle.
    virtual void clipRect(int x, int y, int w, int h) = 0;
    // Replaces the clip (never beyond the device or the area of create(x, y, w, h)).
    virtual void setClip(int x, int y, int w, int h) = 0;
    void setClip(const Rectangle& r) { setClip(r.x, r.y, r.width, r.height); }

    virtual void copyArea(int x, int y, int w, int h, int dx, int dy) = 0;

    virtual void drawLine(int x1, int y1, int x2, int y2) = 0;
    virtual void fillRect(int x, int y, int w, int h) = 0;
    virtual void drawRect(int x, int y, int w, int h) = 0;
    // Fills with the context's background colour (white unless set; a component's
    // context gets the component's background).
    virtual void clearRect(int x, int y, int w, int h) = 0;
    virtual void setBackground(const Color&) {}
    virtual void drawRoundRect(int x, int y, int w, int h, int arcW, int arcH) = 0;
    virtual void fillRoundRect(int x, int y, int w, int h, int arcW, int arcH) = 0;
    // Bevelled rectangles in the brighter and darker shades of the current colour,
    // drawn with the lines and fills above (the colour is restored afterwards).
    virtual void draw3DRect(int x, int y, int w, int h, bool raised);
    virtual void fill3DRect(int x, int y, int w, int h, bool raised);
    virtual void drawOval(int x, int y, int w, int h) = 0;
    virtual void fillOval(int x, int y, int w, int h) = 0;
    virtual void drawArc(int x, int y, int w, int h, int startAngle, int arcAngle) = 0;
    virtual void fillArc(int x, int y, int w, int h, int startAngle, int arcAngle) = 0;
    virtual void drawPolyline(const int* xs, const int* ys, int n) = 0;
    virtual void drawPolygon(const int* xs, const int* ys, int n) = 0;
    virtual void fillPolygon(const int* xs, const int* ys, int n) = 0;
    void drawPolygon(const Polygon& p) { drawPolygon(p.xpoints.data(), p.ypoints.data(), p.npoints()); }
    void fillPolygon(const Polygon& p) { fillPolygon(p.xpoints.data(), p.ypoints.data(), p.npoints()); }

    // UTF-8 text with its baseline at y; invalid bytes are drawn as replacement characters.
    virtual void drawString(std::string_view utf8, int x, int y) = 0;

    // Images; false when the image is not complete (nothing is drawn then).
    virtual bool drawImage(const Image* img, int x, int y) = 0;
    virtual bool drawImage(const Image* img, int x, int y, const Color& bg) = 0;
    virtual bool drawImage(const Image* img, int x, int y, int w, int h) = 0;
    virtual bool drawImage(const Image* img, int dx1, int dy1, int dx2, int dy2, int sx1, int sy1, int sx2,
                           int sy2) = 0;
    bool drawImage(const std::shared_ptr<Image>& img, int x, int y) { return drawImage(img.get(), x, y); }

    // Antialiasing of shapes and text; off by default.
    virtual void setAntialias(bool on) = 0;
    virtual bool getAntialias() const = 0;

    // True when drawing ends up as shapes and text in a document rather than pixels:
    // components then skip their off-screen images and draw straight into the context.
    virtual bool isVector() const { return false; }
    // Text turned by quarter turns counter-clockwise (1: reads upward) with the
    // unturned baseline origin at (x, y); false when the context cannot turn text (the
    // caller then turns an image of it).
    virtual bool drawRotatedString(std::string_view, int, int, int) { return false; }

protected:
    // Called by create(x, y, w, h) on the new context once its clip is that area, so
    // that a later setClip on it stays inside the area.
    virtual void limitClipToCurrent() {}
};

using GraphicsPtr = std::unique_ptr<Graphics>;

inline std::unique_ptr<Graphics> Graphics::create(int x, int y, int w, int h) {
    auto g = create();
    g->translate(x, y);
    g->clipRect(0, 0, w, h);
    g->limitClipToCurrent();
    return g;
}

}  // namespace host
