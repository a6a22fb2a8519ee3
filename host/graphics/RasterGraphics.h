// Graphics on a Cairo image surface (an off-screen Image, or a window's back buffer),
// following the classic pixel rules.
//
// Mono mode (the default): rectangles and horizontal/vertical lines are Cairo
// rectangles; sloped lines, polylines and polygon outlines use our Bresenham and
// fillPolygon our even-odd scanline (host/Rasterizer.h), writing straight into the
// buffer; ovals, arcs and round rectangles are Cairo paths without antialiasing.
// Antialiased mode (setAntialias(true)): Cairo draws everything, antialiased.
//
// State per context: an integer translation and an integer clip in device space.
// clipRect intersects; setClip replaces, but never beyond the device nor beyond the
// area of create(x, y, w, h). getClipBounds is nullopt until a clip is set.
//
// XOR mode flips the colour bits (colour ^ XOR colour) of every pixel a primitive
// covers, alpha kept. It covers all shapes and text (shapes drawn through Cairo are
// rendered without antialiasing into a mask first); images, clearRect and copyArea
// ignore it. XOR always draws without antialiasing.
#pragma once

#include <memory>
#include <mutex>
#include <optional>

#include "host/graphics/Graphics.h"
#include "host/graphics/Image.h"
#include "host/graphics/Rasterizer.h"

typedef struct _cairo cairo_t;

namespace host {

class RasterGraphics : public Graphics {
public:
    // Draws on the image (kept alive by this context). An image that is not complete
    // gives a context on which drawing does nothing.
    explicit RasterGraphics(std::shared_ptr<Image> image);
    // Draws on an ARGB32 or RGB24 image surface (referenced while the context lives).
    explicit RasterGraphics(cairo_surface_t* surface);
    ~RasterGraphics() override;

    // The lock every context on this surface takes for each drawing operation; readers
    // of the pixels (a screen blit) hold it to see whole operations. Null for null.
    static std::recursive_mutex* surfaceLock(cairo_surface_t* surface);

    std::unique_ptr<Graphics> create() override;
    using Graphics::create;
    void dispose() override;
    bool isDisposed() const { return disposed_; }

    void translate(int x, int y) override;
    // The translation from this context's coordinates to the device's.
    Point getTranslation() const { return {int(tx_), int(ty_)}; }

    Color getColor() const override { return color_; }
    void setColor(const Color& c) override { color_ = c; }
    void setPaintMode() override { xor_.reset(); }
    void setXORMode(const Color& c) override { xor_ = c; }

    // The colour clearRect fills with (white unless set).
    void setBackground(const Color& c) override { background_ = c; }
    Color getBackground() const { return background_; }

    Font getFont() const override { return font_; }
    void setFont(const Font& f) override { font_ = f; }

    std::optional<Rectangle> getClipBounds() const override;
    void clipRect(int x, int y, int w, int h) override;
    void setClip(int x, int y, int w, int h) override;

    void copyArea(int x, int y, int w, int h, int dx, int dy) override;

    void drawLine(int x1, int y1, int x2, int y2) override;
    void fillRect(int x, int y, int w, int h) override;
    void drawRect(int x, int y, int w, int h) override;
    void clearRect(int x, int y, int w, int h) override;
    void drawRoundRect(int x, int y, int w, int h, int arcW, int arcH) override;
    void fillRoundRect(int x, int y, int w, int h, int arcW, int arcH) override;
    void draw3DRect(int x, int y, int w, int h, bool raised) override;
    void fill3DRect(int x, int y, int w, int h, bool raised) override;
    void drawOval(int x, int y, int w, int h) override;
    void fillOval(int x, int y, int w, int h) override;
    void drawArc(int x, int y, int w, int h, int startAngle, int arcAngle) override;
    void fillArc(int x, int y, int w, int h, int startAngle, int arcAngle) override;
    void drawPolyline(const int* xs, const int* ys, int n) override;
    void drawPolygon(const int* xs, const int* ys, int n) override;
    void fillPolygon(const int* xs, const int* ys, int n) override;
    using Graphics::drawPolygon;
    using Graphics::fillPolygon;

    void drawString(std::string_view utf8, int x, int y) override;

    bool drawImage(const Image* img, int x, int y) override;
    bool drawImage(const Image* img, int x, int y, const Color& bg) override;
    bool drawImage(const Image* img, int x, int y, int w, int h) override;
    bool drawImage(const Image* img, int dx1, int dy1, int dx2, int dy2, int sx1, int sy1, int sx2,
                   int sy2) override;
    using Graphics::drawImage;

    void setAntialias(bool on) override { antialias_ = on; }
    bool getAntialias() const override { return antialias_; }

protected:
    void limitClipToCurrent() override;

private:
    struct Device;
    RasterGraphics(std::shared_ptr<Device> device, const RasterGraphics& from);

    enum class Shape { Fill, Stroke, Custom };
    bool ready();                      // false when disposed or without a surface
    cairo_t* cr();                     // the context with clip and translation applied
    raster::Box clipBox() const;       // the effective clip in device space
    raster::Target target();           // flushed pixel access
    void markDirty(const raster::Box& b);
    void setSource(cairo_t* c);
    void checkStatus();
    raster::Paint paint() const;       // the current colour or XOR paint for our pixel loops
    void fillDevice(int64_t x, int64_t y, int64_t w, int64_t h);
    // Draws the path built by 'build' (in this context's coordinates): through Cairo in
    // paint mode, through a mask and our XOR loop in XOR mode.
    template <class F>
    void drawPath(Shape shape, const raster::Box& extent, F&& build);
    void polyline(const int* xs, const int* ys, int n, bool close);
    bool hugeEllipse(const raster::Box& extent, double cx, double cy, double rx, double ry, bool outline, int start,
                     int ext, double sx = 0, double sy = 0);
    void strokeSegments(const int* xs, const int* ys, int n, bool close, const raster::Box& extent);
    bool paintImage(const Image* img, int dx1, int dy1, int dx2, int dy2, int sx1, int sy1, int sx2, int sy2);

    std::shared_ptr<Device> device_;
    cairo_t* cr_ = nullptr;
    bool crStale_ = true;
    bool disposed_ = false;

    int64_t tx_ = 0, ty_ = 0;
    raster::Box bound_;                 // device rectangle setClip may not leave
    std::optional<raster::Box> clip_;   // device space, inside bound_
    Color color_ = Color::black;
    Color background_ = Color::white;
    std::optional<Color> xor_;
    Font font_;
    bool antialias_ = false;
};

}  // namespace host
