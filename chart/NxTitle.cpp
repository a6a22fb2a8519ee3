#include "chart/NxTitle.h"

#include "host/graphics/Graphics.h"
#include "util/NxString.h"

namespace norvex::chart {

NxTitle::NxTitle() : label(std::make_shared<ChartText>()) {
    label->setParent(static_cast<ChartCanvas*>(this));
    label->setAdjust(ChartText::CENTER);
    isShowing_ = false;
    setVisible(false);
}

void NxTitle::setText(const std::string& s, bool richText) {
    label->setText(s, richText);
    setIsShowing(true);
    setChanged(true);
}

void NxTitle::setIsShowing(bool b) {
    if (b != isVisible()) setVisible(b);
    ChartCanvas::setIsShowing(b);
}

host::Font NxTitle::labelFont() const { return label->getFont().value_or(getFont()); }

void NxTitle::recalc() {
    if (!changed) return;
    if (!isShowing_) {
        changed = false;
        return;
    }
    int t = shadow + highlight;
    host::Insets in = insets();
    host::Font f = labelFont();
    host::Dimension d;
    if (auto rich = label->getRealContents()) {
        d = rich->getSize(nullptr, f);
    } else {
        host::FontMetrics fm = host::FontMetrics::get(f);
        d = {label->getText().empty() ? 0 : fm.stringWidth(label->getText()), fm.getHeight()};
    }
    if (label->getRotation() == ChartText::DEG_90 || label->getRotation() == ChartText::DEG_270)
        std::swap(d.width, d.height);
    prefSize.width = cc_width.isDefault ? d.width + in.left + in.right + 2 * t : cc_width.value;
    prefSize.height = cc_height.isDefault ? d.height + in.top + in.bottom + 2 * t : cc_height.value;
    label->reshape(0, 0, std::max(0, prefSize.width - 2 * t - in.left - in.right), d.height);
    label->setChanged(false);
    changed = false;
    needsRepaint = true;
}

host::Dimension NxTitle::preferredSize() {
    if (!isShowing_) return {0, 0};
    if (changed) recalc();
    return prefSize;
}

void NxTitle::paintComponent(host::Graphics& g) {
    if (!isShowing_) return;
    host::Rectangle r = getDrawingArea();
    auto inner = g.create();
    inner->translate(r.x, r.y);
    inner->setFont(labelFont());
    inner->setColor(getForeground().value_or(host::Color::black));
    label->draw(*inner);
    inner->dispose();
}

}  // namespace norvex::chart
