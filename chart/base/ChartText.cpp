#include "chart/base/ChartText.h"

#include <stdexcept>

#include "host/graphics/Graphics.h"
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
    g.setColor(foreground.value_or(host::Color::black));
    host::Rectangle r{left.value, top.value, width.value, height.value};
    if (realContents) {
        realContents->draw(nullptr, g, r, adjust == CENTER ? 1 : (adjust == RIGHT ? 2 : 0));
        return;
    }
    // Rotated text is drawn unrotated inside its (exchanged) box until the chart's
    // renderer supplies rotated images.
    host::FontMetrics fm = g.getFontMetrics(f);
    int w = fm.stringWidth(text);
    int x = adjust == CENTER ? r.x + (r.width - w) / 2 : (adjust == RIGHT ? r.x + r.width - w : r.x);
    g.drawString(text, x, r.y + (r.height - fm.getHeight()) / 2 + fm.getAscent());
}

}  // namespace norvex::chart
