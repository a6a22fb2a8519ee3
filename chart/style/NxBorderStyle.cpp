#include "chart/style/NxBorderStyle.h"

#include <algorithm>
#include <stdexcept>

#include "ombu/Shadow.h"

namespace norvex::chart {

void NxBorderStyle::setType(int t) {
    if (t < NONE || t > FRAME_OUT) throw std::invalid_argument("Invalid Type in NxBorderStyle");
    host::Lock lock(mutex());
    if (t == type) return;
    type = t;
    if (parent) parent->setChanged(true);
}

void NxBorderStyle::setWidth(int w) {
    w = std::max(w, 0);
    host::Lock lock(mutex());
    if (w == width) return;
    width = w;
    if (parent) parent->setChanged(true);
}

void NxBorderStyle::draw(host::Graphics& g, int x, int y, int w, int h, const host::Color& highlight,
                         const host::Color& shadow) const {
    if (type == NONE || width <= 0 || w <= 0 || h <= 0) return;
    ombu::Shadow::draw(g, type, width, x, y, w, h, highlight, shadow, shadow);
}

}  // namespace norvex::chart
