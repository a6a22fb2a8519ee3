// The ten shadow styles of widget frames, drawn as nested one-pixel lines
// around a rectangle.
#pragma once

#include "host/base/Color.h"
#include "host/graphics/Graphics.h"

namespace norvex::ombu {

class Shadow {
public:
    Shadow() = delete;

    // Top and left lines of thickness size, in color.
    static void drawTopLines(host::Graphics& g, int size, int x, int y, int w, int h, const host::Color& color);
    // Bottom and right lines of thickness size, in color.
    static void drawBottomLines(host::Graphics& g, int size, int x, int y, int w, int h, const host::Color& color);
    // Top and left lines in top, then bottom and right lines in bottom.
    static void drawNormal(host::Graphics& g, int size, int x, int y, int w, int h, const host::Color& top,
                           const host::Color& bottom);
    // Draws the style with bright and dark derived from bg (OmbuUtil::brighter / darker);
    // plain is the colour of the plain and frame styles.
    static void draw(host::Graphics& g, int type, int size, int x, int y, int w, int h, const host::Color& bg,
                     const host::Color& plain);
    // Draws the style; g's colour is restored afterwards. Unknown types draw nothing.
    static void draw(host::Graphics& g, int type, int size, int x, int y, int w, int h, const host::Color& bright,
                     const host::Color& dark, const host::Color& plain);
};

}  // namespace norvex::ombu
