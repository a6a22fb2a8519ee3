#include "ombu/Shadow.h"

#include "ombu/OmbuEnum.h"
#include "ombu/OmbuUtil.h"

namespace norvex::ombu {

using host::Color;
using host::Graphics;

void Shadow::drawTopLines(Graphics& g, int size, int x, int y, int w, int h, const Color& color) {
    g.setColor(color);
    for (int i = 0; i < size; ++i) {
        g.drawLine(x + i, y + i, x + w - i - 1, y + i);
        g.drawLine(x + i, y + i + 1, x + i, y + h - i - 1);
    }
}

void Shadow::drawBottomLines(Graphics& g, int size, int x, int y, int w, int h, const Color& color) {
    g.setColor(color);
    for (int i = 1; i <= size; ++i) {
        g.drawLine(x + i - 1, y + h - i, x + w - i, y + h - i);
        g.drawLine(x + w - i, y + i - 1, x + w - i, y + h - i);
    }
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
    switch (type) {
        case OmbuEnum::SHADOW_ETCHED_IN:
        case OmbuEnum::SHADOW_ETCHED_OUT: {
            // Two bands: the outer one half the thickness (rounded up), the inner one the rest.
            int s1 = (size + 1) / 2;
            int r = size % 2;
            bool in = type == OmbuEnum::SHADOW_ETCHED_IN;
            drawNormal(g, s1, x, y, w, h, in ? dark : bright, in ? bright : dark);
            drawNormal(g, size - s1, x + s1, y + s1, w - size - r, h - size - r, in ? bright : dark,
                       in ? dark : bright);
            break;
        }
        case OmbuEnum::SHADOW_IN: drawNormal(g, size, x, y, w, h, dark, bright); break;
        case OmbuEnum::SHADOW_OUT: drawNormal(g, size, x, y, w, h, bright, dark); break;
        case OmbuEnum::SHADOW_PLAIN: drawNormal(g, size, x, y, w, h, plain, plain); break;
        case OmbuEnum::SHADOW_FRAME_IN:
            drawNormal(g, size, x, y, w, h, dark, bright);
            drawNormal(g, size - 1, x, y, w, h, plain, plain);
            break;
        case OmbuEnum::SHADOW_FRAME_OUT:
            drawNormal(g, size, x, y, w, h, bright, dark);
            drawNormal(g, size - 1, x, y, w, h, plain, plain);
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
