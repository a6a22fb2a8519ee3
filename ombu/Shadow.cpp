#include "ombu/Shadow.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "ombu/OmbuEnum.h"
#include "ombu/OmbuUtil.h"

namespace norvex::ombu {

using host::Color;
using host::Graphics;

namespace {

// Coordinates are worked out in 64 bits (a thickness from a page may be anything)
// and handed to the graphics clamped.
int clampInt(int64_t v) { return int(std::clamp<int64_t>(v, INT_MIN, INT_MAX)); }

void line(Graphics& g, int64_t x1, int64_t y1, int64_t x2, int64_t y2) {
    g.drawLine(clampInt(x1), clampInt(y1), clampInt(x2), clampInt(y2));
}

}  // namespace

namespace {

// Calls draw(i) for the lines i in [first, last) that can reach the clip: line i lies on
// one row and one column, visible when the row is in [rowLo, rowHi) or the column in
// [colLo, colHi) (both as line numbers). A thickness far beyond the clip, or a component
// far outside it, costs only the lines that can show instead of billions of invisible ones.
template <class Draw>
void visibleLines(int64_t first, int64_t last, int64_t rowLo, int64_t rowHi, int64_t colLo, int64_t colHi,
                  Draw draw) {
    rowLo = std::max(rowLo, first), rowHi = std::min(rowHi, last);
    colLo = std::max(colLo, first), colHi = std::min(colHi, last);
    for (int64_t i = rowLo; i < rowHi; ++i) draw(i);
    for (int64_t i = colLo; i < colHi; ++i)
        if (i < rowLo || i >= rowHi) draw(i);
}

}  // namespace

void Shadow::drawTopLines(Graphics& g, int size, int x, int y, int w, int h, const Color& color) {
    g.setColor(color);
    auto draw = [&](int64_t i) {
        line(g, int64_t(x) + i, int64_t(y) + i, int64_t(x) + w - i - 1, int64_t(y) + i);
        line(g, int64_t(x) + i, int64_t(y) + i + 1, int64_t(x) + i, int64_t(y) + h - i - 1);
    };
    // Line i lies on row y + i and column x + i.
    if (auto clip = g.getClipBounds())
        visibleLines(0, size, int64_t(clip->y) - y, int64_t(clip->y) + clip->height - y, int64_t(clip->x) - x,
                     int64_t(clip->x) + clip->width - x, draw);
    else
        for (int64_t i = 0; i < size; ++i) draw(i);
}

void Shadow::drawBottomLines(Graphics& g, int size, int x, int y, int w, int h, const Color& color) {
    g.setColor(color);
    auto draw = [&](int64_t i) {
        line(g, int64_t(x) + i - 1, int64_t(y) + h - i, int64_t(x) + w - i, int64_t(y) + h - i);
        line(g, int64_t(x) + w - i, int64_t(y) + i - 1, int64_t(x) + w - i, int64_t(y) + h - i);
    };
    // Line i lies on row y + h - i and column x + w - i.
    if (auto clip = g.getClipBounds())
        visibleLines(1, int64_t(size) + 1, int64_t(y) + h - clip->y - clip->height + 1, int64_t(y) + h - clip->y + 1,
                     int64_t(x) + w - clip->x - clip->width + 1, int64_t(x) + w - clip->x + 1, draw);
    else
        for (int64_t i = 1; i <= size; ++i) draw(i);
}

void Shadow::drawNormal(Graphics& g, int size, int x, int y, int w, int h, const Color& top, const Color& bottom) {
    drawTopLines(g, size, x, y, w, h, top);
    drawBottomLines(g, size, x, y, w, h, bottom);
}

void Shadow::draw(Graphics& g, int type, int size, int x, int y, int w, int h, const Color& bg, const Color& plain) {
    draw(g, type, size, x, y, w, h, OmbuUtil::brighter(bg), OmbuUtil::darker(bg), plain);
}

void Shadow::draw(Graphics& g, int type, int size, int x, int y, int w, int h, const Color& bright,
                  const Color& dark, const Color& plain) {
    Color saved = g.getColor();
    const int inner = size > INT_MIN ? size - 1 : size;  // the plain band of the frame styles
    switch (type) {
        case OmbuEnum::SHADOW_ETCHED_IN:
        case OmbuEnum::SHADOW_ETCHED_OUT: {
            // Two bands: the outer one half the thickness (rounded up), the inner one the rest.
            int s1 = int((int64_t(size) + 1) / 2);
            int r = size % 2;
            bool in = type == OmbuEnum::SHADOW_ETCHED_IN;
            drawNormal(g, s1, x, y, w, h, in ? dark : bright, in ? bright : dark);
            drawNormal(g, size - s1, clampInt(int64_t(x) + s1), clampInt(int64_t(y) + s1),
                       clampInt(int64_t(w) - size - r), clampInt(int64_t(h) - size - r), in ? bright : dark,
                       in ? dark : bright);
            break;
        }
        case OmbuEnum::SHADOW_IN: drawNormal(g, size, x, y, w, h, dark, bright); break;
        case OmbuEnum::SHADOW_OUT: drawNormal(g, size, x, y, w, h, bright, dark); break;
        case OmbuEnum::SHADOW_PLAIN: drawNormal(g, size, x, y, w, h, plain, plain); break;
        case OmbuEnum::SHADOW_FRAME_IN:
            drawNormal(g, size, x, y, w, h, dark, bright);
            drawNormal(g, inner, x, y, w, h, plain, plain);
            break;
        case OmbuEnum::SHADOW_FRAME_OUT:
            drawNormal(g, size, x, y, w, h, bright, dark);
            drawNormal(g, inner, x, y, w, h, plain, plain);
            break;
        case OmbuEnum::CONTROL_SHADOW_IN:
            if (size == 2) {
                drawNormal(g, 1, x + 1, y + 1, w - 2, h - 2, Color::black, bright);
                drawTopLines(g, 1, x, y, w, h, dark);
            } else {
                drawNormal(g, size, x, y, w, h, dark, bright);
            }
            break;
        case OmbuEnum::CONTROL_SHADOW_OUT:
            if (size == 2) {
                drawNormal(g, 1, x, y, w, h, Color::white, Color::black);
                drawBottomLines(g, 1, x + 1, y + 1, w - 2, h - 2, dark);
            } else {
                drawNormal(g, size, x, y, w, h, bright, dark);
            }
            break;
        default: break;  // SHADOW_NONE and unknown styles draw nothing
    }
    g.setColor(saved);
}

}  // namespace norvex::ombu
