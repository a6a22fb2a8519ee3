// A Graphics that draws nothing and logs every call as one line of text, for exact
// drawing tests. Contexts made by create() share the log and copy the state.
//
// Log formats (arguments as passed, in the caller's coordinates):
//   create()                         dispose()
//   translate(x,y)
//   setColor(r,g,b)                  setColor(r,g,b,a)          (the second when a != 255)
//   setPaintMode()                   setXORMode(r,g,b)
//   setBackground(r,g,b)             setFont(name,style,size)   e.g. setFont(Helvetica,1,12)
//   clipRect(x,y,w,h)                setClip(x,y,w,h)
//   copyArea(x,y,w,h,dx,dy)
//   drawLine(x1,y1,x2,y2)            fillRect / drawRect / clearRect (x,y,w,h)
//   drawRoundRect(x,y,w,h,aw,ah)     fillRoundRect(x,y,w,h,aw,ah)
//   draw3DRect(x,y,w,h,true)         fill3DRect(x,y,w,h,false)
//   drawOval(x,y,w,h)                fillOval(x,y,w,h)
//   drawArc(x,y,w,h,start,ext)       fillArc(x,y,w,h,start,ext)
//   drawPolyline([x0,x1,..],[y0,y1,..])   drawPolygon(...)   fillPolygon(...)
//   drawString("text",x,y)           text in valid UTF-8 (invalid bytes as U+FFFD),
//                                    with \" \\ \n \t escaped and other control bytes as \xNN
//   drawImage(WxH,x,y)               drawImage(WxH,x,y,bg(r,g,b))
//   drawImage(WxH,x,y,w,h)           drawImage(WxH,dx1,dy1,dx2,dy2,sx1,sy1,sx2,sy2)
//                                    WxH is "null" for no image, "error" for a failed one
//   setAntialias(true)
// After dispose() nothing more is logged and drawing does nothing.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/graphics/Graphics.h"

namespace host {

class RecordingGraphics : public Graphics {
public:
    using Log = std::vector<std::string>;

    // Without a size there is no device bound: setClip is limited only by create(x, y, w, h).
    RecordingGraphics();
    // A device of w x h pixels at the origin bounds every clip, as on a raster target.
    RecordingGraphics(int w, int h);
    // Logs into an existing log.
    explicit RecordingGraphics(std::shared_ptr<Log> log);

    const Log& log() const { return *log_; }
    const std::shared_ptr<Log>& sharedLog() const { return log_; }
    void clearLog() { log_->clear(); }
    // The log as one string, lines joined with '\n'.
    std::string logText() const;

    std::unique_ptr<Graphics> create() override;
    using Graphics::create;
    void dispose() override;
    bool isDisposed() const { return disposed_; }

    void translate(int x, int y) override;
    Point getTranslation() const { return {tx_, ty_}; }

    Color getColor() const override { return color_; }
    void setColor(const Color& c) override;
    void setPaintMode() override;
    void setXORMode(const Color& c) override;
    std::optional<Color> getXORColor() const { return xor_; }
    void setBackground(const Color& c) override;
    Color getBackground() const { return background_; }

    Font getFont() const override { return font_; }
    void setFont(const Font& f) override;

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

    void setAntialias(bool on) override;
    bool getAntialias() const override { return antialias_; }

protected:
    void limitClipToCurrent() override;

private:
    void add(std::string line);
    // Clip rectangles are kept in device space (relative to the first context's origin).
    struct Box {
        int64_t x0, y0, x1, y1;
    };
    static Box intersect(const Box& a, const Box& b);
    Box deviceBox(int x, int y, int w, int h) const;

    std::shared_ptr<Log> log_;
    bool disposed_ = false;
    int tx_ = 0, ty_ = 0;
    std::optional<Box> bound_;  // device or create() area
    std::optional<Box> clip_;
    Color color_ = Color::black;
    Color background_ = Color::white;
    std::optional<Color> xor_;
    Font font_;
    bool antialias_ = false;
};

}  // namespace host
