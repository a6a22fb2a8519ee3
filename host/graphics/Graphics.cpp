#include "host/graphics/Graphics.h"

namespace host {

void Graphics::draw3DRect(int x, int y, int w, int h, bool raised) {
    const Color c = getColor(), brighter = c.brighter(), darker = c.darker();
    setColor(raised ? brighter : darker);
    drawLine(x, y, x, y + h);
    drawLine(x + 1, y, x + w - 1, y);
    setColor(raised ? darker : brighter);
    drawLine(x + 1, y + h, x + w, y + h);
    drawLine(x + w, y, x + w, y + h - 1);
    setColor(c);
}

void Graphics::fill3DRect(int x, int y, int w, int h, bool raised) {
    const Color c = getColor(), brighter = c.brighter(), darker = c.darker();
    if (!raised) setColor(darker);
    fillRect(x + 1, y + 1, w - 2, h - 2);
    setColor(raised ? brighter : darker);
    fillRect(x, y, 1, h);
    fillRect(x + 1, y, w - 2, 1);
    setColor(raised ? darker : brighter);
    fillRect(x + 1, y + h - 1, w - 1, 1);
    fillRect(x + w - 1, y, 1, h - 1);
    setColor(c);
}

}  // namespace host
