#include "chart/base/ChartText.h"

#include <stdexcept>

#include "chart/base/RotateFilter.h"
#include "host/graphics/Graphics.h"
#include "host/graphics/Image.h"
#include "util/NxString.h"

namespace norvex::chart {

ChartText::ChartText(const std::string& s, bool richText) {
    text = s;
    nxstring = richText;
    if (richText) realContents = util::NxString::parse(nullptr, s);
}

void ChartText::setText(const std::string& s, bool richText) {
    host::Lock lock(mutex());
    if (s == text && richText == nxstring) return;
    text = s;
    nxstring = richText;
    realContents = richText ? util::NxString::parse(nullptr, s) : nullptr;
    isShowing = true;
    setChanged(true);
}

void ChartText::setRichContents(std::shared_ptr<util::NxString> contents) {
    host::Lock lock(mutex());
    if (!contents) return setText("", false);
    text = contents->toString2();
    nxstring = true;
    realContents = std::move(contents);
    isShowing = true;
    setChanged(true);
}

void ChartText::setRotation(int r) {
    if (r < DEG_0 || r > DEG_270)
        throw std::invalid_argument(
            "Invalid value for Rotation in ChartText.  Must be one of DEG_90, DEG_180, DEG_270 or DEG_0");
    host::Lock lock(mutex());
    if (r == rotation) return;
    rotation = r;
    setChanged(true);
}

void ChartText::setAdjust(int a) {
    if (a < LEFT || a > RIGHT)
        throw std::invalid_argument("Invalid Adjust in ChartText.  Must be one of LEFT, CENTER or RIGHT");
    host::Lock lock(mutex());
    if (a == adjust) return;
    adjust = a;
    setChanged(true);
}

host::Dimension ChartText::calcSize() const {
    host::Font f = font.value_or(host::Font());
    if (realContents) return realContents->getSize(nullptr, f);
    host::FontMetrics fm = host::FontMetrics::get(f);
    if (text.empty()) return {0, fm.getHeight()};
    return {fm.stringWidth(text), fm.getHeight()};
}

void ChartText::draw(host::Graphics& g) {
    if (!isShowing) return;
    ChartRegion::draw(g);
    host::Font f = font.value_or(g.getFont());
    g.setFont(f);
    if (foreground) g.setColor(*foreground);
    host::Rectangle r{left.value, top.value, width.value, height.value};
    if (rotation != DEG_0) return drawRotated(g, f, foreground.value_or(g.getColor()), r);
    if (realContents) {
        realContents->draw(nullptr, g, r, adjust == CENTER ? 1 : (adjust == RIGHT ? 2 : 0));
        return;
    }
    host::FontMetrics fm = g.getFontMetrics(f);
    int w = fm.stringWidth(text);
    int x = adjust == CENTER ? r.x + (r.width - w) / 2 : (adjust == RIGHT ? r.x + r.width - w : r.x);
    g.drawString(text, x, r.y + (r.height - fm.getHeight()) / 2 + fm.getAscent());
}

void ChartText::drawRotated(host::Graphics& g, const host::Font& f, const host::Color& fg, const host::Rectangle& r) {
    if (!realContents && g.isVector()) {
        // A document turns the text itself, placed where the turned image would be.
        host::FontMetrics fm = host::FontMetrics::get(f);
        const int w = fm.stringWidth(text), h = fm.getHeight(), asc = fm.getAscent();
        const bool upright = rotation == DEG_90 || rotation == DEG_270;
        const int bw = upright ? h : w, bh = upright ? w : h;
        const int bx = r.x + (r.width - bw) / 2, by = r.y + (r.height - bh) / 2;
        g.setColor(fg);
        int x = bx, y = by + asc;
        if (rotation == DEG_90) x = bx + asc, y = by + w;
        else if (rotation == DEG_180) x = bx + w, y = by + h - asc;
        else if (rotation == DEG_270) x = bx + h - asc, y = by;
        if (g.drawRotatedString(text, x, y, rotation)) return;
    }
    std::string key = text + '\x1f' + std::to_string(rotation) + '\x1f' + f.getName() + '\x1f' +
                      std::to_string(f.getStyle()) + '\x1f' + std::to_string(f.getSize()) + '\x1f' +
                      std::to_string(fg.getRGB()) + (g.getAntialias() ? "a" : "m");
    if (!buffer || key != bufferKey) {
        host::FontMetrics fm = host::FontMetrics::get(f);
        host::Dimension d = realContents ? realContents->getSize(nullptr, f) : host::Dimension{fm.stringWidth(text), fm.getHeight()};
        buffer.reset();
        if (d.width <= 0 || d.height <= 0) return;
        // Unrotated on a transparent image, then turned: what lies below shows around the glyphs.
        auto img = host::Image::createTransparent(d.width, d.height);
        if (img->hasError()) return;
        auto ig = img->getGraphics();
        ig->setAntialias(g.getAntialias());
        ig->setFont(f);
        ig->setColor(fg);
        if (realContents)
            realContents->draw(nullptr, *ig, host::Rectangle{0, 0, d.width, d.height}, 0);
        else
            ig->drawString(text, 0, fm.getAscent());
        ig->dispose();
        buffer = RotateFilter(rotation).filter(*img);
        bufferKey = key;
    }
    if (!buffer || buffer->hasError()) return;
    int x = r.x + (r.width - buffer->getWidth()) / 2, y = r.y + (r.height - buffer->getHeight()) / 2;
    g.drawImage(buffer.get(), x, y);
}

}  // namespace norvex::chart
