// Graphics into an SVG or PDF document through Cairo's vector surfaces.
//
// A VectorDocument is one page of the given size; graphics() gives contexts on it and
// finish() returns the document's bytes. Drawing follows RasterGraphics' antialiased
// geometry (lines through pixel centres, 1-pixel strokes, fills on pixel corners), so
// the document and the antialiased PNG of the same drawing look alike.
//
// What a document cannot hold the way pixels do:
// - Text is drawn as the font's glyphs (the font subset is embedded). PDF pages carry
//   the text itself with the glyphs, so it can be searched and copied; SVG files get
//   each string as a transparent <text> element over the glyphs, for the same purpose.
// - XOR mode draws in the colour (colour ^ XOR colour): what XOR gives over pixels of
//   the XOR colour, which is how components use it (over their background).
// - copyArea does nothing: a document cannot read back what it holds.
// - Images are embedded as pictures, drawn without smoothing like on a raster.
// - Antialiasing cannot be switched off: getAntialias() is always true.
#pragma once

#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "host/graphics/Graphics.h"

typedef struct _cairo cairo_t;
typedef struct _cairo_surface cairo_surface_t;

namespace host {

class VectorDocument {
public:
    enum class Format { SVG, PDF };
    // A one-page document of w x h (at least 1 x 1) points, one per pixel.
    VectorDocument(Format format, int w, int h);
    ~VectorDocument();
    VectorDocument(const VectorDocument&) = delete;
    VectorDocument& operator=(const VectorDocument&) = delete;

    Format format() const { return format_; }
    int width() const { return width_; }
    int height() const { return height_; }

    // A context covering the page, or null after finish(). Contexts drawing after
    // finish() draw nothing.
    GraphicsPtr graphics();
    // Ends the document and gives its bytes; false with the reason when Cairo failed.
    // Only the first call ends the document; later calls give the same result.
    bool finish(std::string& bytes, std::string* error = nullptr);

    // "svg" or "pdf" (either case) to a format; nullopt otherwise.
    static std::optional<Format> formatNamed(std::string_view name);

    struct Device;

private:
    Format format_;
    int width_, height_;
    std::shared_ptr<Device> device_;
    bool finished_ = false;
    bool ok_ = false;
    std::string bytes_, error_;
};

class VectorGraphics : public Graphics {
public:
    ~VectorGraphics() override = default;

    std::unique_ptr<Graphics> create() override;
    using Graphics::create;
    void dispose() override;

    void translate(int x, int y) override;

    Color getColor() const override { return color_; }
    void setColor(const Color& c) override { color_ = c; }
    void setPaintMode() override { xor_.reset(); }
    void setXORMode(const Color& c) override { xor_ = c; }
    void setBackground(const Color& c) override { background_ = c; }

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
    bool drawRotatedString(std::string_view utf8, int x, int y, int quarterTurns) override;

    bool drawImage(const Image* img, int x, int y) override;
    bool drawImage(const Image* img, int x, int y, const Color& bg) override;
    bool drawImage(const Image* img, int x, int y, int w, int h) override;
    bool drawImage(const Image* img, int dx1, int dy1, int dx2, int dy2, int sx1, int sy1, int sx2,
                   int sy2) override;
    using Graphics::drawImage;

    void setAntialias(bool) override {}
    bool getAntialias() const override { return true; }
    bool isVector() const override { return true; }

protected:
    void limitClipToCurrent() override;

private:
    friend class VectorDocument;
    explicit VectorGraphics(std::shared_ptr<VectorDocument::Device> device);

    struct Box {
        int64_t x0 = 0, y0 = 0, x1 = 0, y1 = 0;
        bool empty() const { return x1 <= x0 || y1 <= y0; }
    };
    Box clipBox() const { return clip_ ? *clip_ : bound_; }
    // Runs 'draw' on the document's context with this context's clip, translation and
    // colour applied, when the device extent (x0, y0)-(x1, y1) is drawable and visible.
    template <class F>
    void paint(int64_t x0, int64_t y0, int64_t x1, int64_t y1, F&& draw);
    void fillBox(int64_t x, int64_t y, int64_t w, int64_t h, const Color& c);
    void stroke(cairo_t* c);
    void strokePoints(const int* xs, const int* ys, int n, bool close);
    void text(std::string_view utf8, int x, int y, int quarterTurns);
    Color drawColor() const;

    std::shared_ptr<VectorDocument::Device> device_;
    int64_t tx_ = 0, ty_ = 0;
    Box bound_;
    std::optional<Box> clip_;
    Color color_ = Color::black;
    Color background_ = Color::white;
    std::optional<Color> xor_;
    Font font_;
};

}  // namespace host
