#include "HostDemo.h"

#include <cmath>

#include "host/page/Applet.h"
#include "host/graphics/Image.h"

namespace tools {

using namespace host;

namespace {

class ShapesCanvas : public Canvas {
public:
    void paint(Graphics& g) override {
        g.setColor(Color::black);
        g.drawString("Lines, rectangles, polygons", 6, 14);
        for (int i = 0; i < 8; ++i) {
            g.setColor(Color(30 * i, 0, 255 - 30 * i));
            g.drawLine(10, 24, 10 + i * 18, 90);
        }
        g.setColor(Color::red);
        g.drawRect(160, 24, 40, 30);
        g.setColor(Color::blue);
        g.fillRect(210, 24, 40, 30);
        g.setColor(Color::lightGray);
        g.fill3DRect(160, 62, 40, 28, true);
        g.fill3DRect(210, 62, 40, 28, false);
        int xs[] = {20, 70, 120, 95, 45};
        int ys[] = {140, 100, 140, 180, 180};
        g.setColor(Color(0, 160, 0));
        g.fillPolygon(xs, ys, 5);
        g.setColor(Color::black);
        g.drawPolygon(xs, ys, 5);
        int sx[] = {140, 160, 180, 200, 220, 240};
        int sy[] = {170, 110, 150, 120, 175, 105};
        g.setColor(Color::magenta);
        g.drawPolyline(sx, sy, 6);
    }
};

class TextCanvas : public Canvas {
public:
    void paint(Graphics& g) override {
        int y = 16;
        const char* names[] = {"Helvetica", "TimesRoman", "Courier", "Dialog"};
        for (const char* n : names) {
            for (int style : {Font::PLAIN, Font::BOLD, Font::ITALIC}) {
                Font f(n, style, 12);
                g.setFont(f);
                g.setColor(style == Font::BOLD ? Color(0, 0, 128) : Color::black);
                std::string s = std::string(n) + (style == Font::BOLD ? " bold" : style == Font::ITALIC ? " italic" : "") +
                                " 12: The quick brown fox";
                g.drawString(s, 6, y);
                y += g.getFontMetrics().getHeight();
            }
        }
        g.setFont(Font("Helvetica", Font::BOLD, 18));
        g.setColor(Color(160, 0, 0));
        g.drawString("Helvetica bold 18", 6, y + 8);
    }
};

class ArcsCanvas : public Canvas {
public:
    void paint(Graphics& g) override {
        g.setColor(Color::black);
        g.drawString("Ovals and arcs", 6, 14);
        const Color colours[] = {Color::red, Color::orange, Color::yellow, Color::green, Color::cyan, Color::blue};
        for (int i = 0; i < 6; ++i) {
            g.setColor(colours[i]);
            g.fillArc(10, 24, 120, 120, i * 60, 60);
        }
        g.setColor(Color::black);
        g.drawOval(10, 24, 120, 120);
        g.setColor(Color(0, 100, 200));
        g.fillOval(150, 30, 90, 50);
        g.setColor(Color::black);
        g.drawOval(150, 90, 90, 50);
        g.setColor(Color::red);
        g.drawArc(150, 90, 90, 50, 0, 90);
        g.setColor(Color::darkGray);
        g.drawRoundRect(150, 150, 90, 30, 16, 16);
    }
};

class ImageCanvas : public Canvas {
public:
    explicit ImageCanvas(std::shared_ptr<Image> loaded) : loaded_(std::move(loaded)) {
        std::vector<uint32_t> px(64 * 64);
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x) {
                double d = std::hypot(x - 32, y - 32) / 32.0;
                uint32_t a = d >= 1 ? 0 : uint32_t(255 * (1 - d * d));
                px[y * 64 + x] = (a << 24) | (uint32_t(x * 4) << 16) | (uint32_t(y * 4) << 8) | 200u;
            }
        made_ = Image::fromARGB(64, 64, px.data(), 0, 64);
    }
    void paint(Graphics& g) override {
        g.setColor(Color::black);
        g.drawString("Images", 6, 14);
        g.drawImage(made_.get(), 10, 24);
        g.drawImage(made_.get(), 80, 24, 32, 32);
        if (loaded_ && !loaded_->hasError()) {
            g.drawImage(loaded_.get(), 130, 24);
        } else if (loaded_) {
            g.setColor(Color::red);
            g.drawString("image failed to load", 130, 40);
        }
    }

private:
    std::shared_ptr<Image> loaded_, made_;
};

}  // namespace

HostDemo::HostDemo(Applet* applet, const std::string& name) : applet_(applet) {
    setName(name);
    setLayout(std::make_shared<GridLayout>(2, 2, 4, 4));
    setBackground(Color(230, 230, 230));
}

void HostDemo::initialize() {
    std::shared_ptr<Image> img;
    if (applet_)
        if (auto name = applet_->getParameter("image")) img = applet_->getImage(applet_->getDocumentBase(), *name);
    std::shared_ptr<Component> parts[] = {std::make_shared<ShapesCanvas>(), std::make_shared<TextCanvas>(),
                                          std::make_shared<ArcsCanvas>(), std::make_shared<ImageCanvas>(img)};
    for (auto& c : parts) {
        c->setBackground(Color::white);
        add(c);
    }
}

}  // namespace tools
