// The check-box indicators drawn from small character pixel maps: the sunken
// 13 x 13 box, the 7 x 7 check and cross (and their stippled "mixed" forms), the
// 13-wide circle with its dot, and the 13 x 13 diamond. Characters stand for
// colours: 'g' grey, 'b' black, 'l' light grey, '.' white, ' ' transparent; 'm'
// is the fill colour of the state, and in the diamond 't' (upper half) and 'b'
// (lower half) its shadow colours. Images are made once per pixel map and colour
// set and shared by every check box.
#pragma once

#include <memory>

#include "host/base/Color.h"
#include "host/graphics/Graphics.h"

namespace norvex::ombu {

class CheckboxIndicators {
public:
    CheckboxIndicators() = delete;

    static constexpr int SIZE = 13;   // box, circle and diamond
    static constexpr int MARK = 7;    // check and cross

    // A sunken box filled with `fill`, at (x, y).
    static void drawBox(host::Graphics& g, int x, int y, const host::Color& fill);
    // The check (or cross) inside a box at (x, y); mixed draws the stippled form.
    static void drawCheck(host::Graphics& g, int x, int y, bool mixed);
    static void drawCross(host::Graphics& g, int x, int y, bool mixed);
    // A sunken circle filled with `fill`; a dot of `dot` when on, a stippled dot when mixed.
    static void drawCircle(host::Graphics& g, int x, int y, const host::Color& fill, bool on, bool mixed,
                           const host::Color& dot);
    // A diamond with top and bottom edge colours and a fill.
    static void drawDiamond(host::Graphics& g, int x, int y, const host::Color& top, const host::Color& fill,
                            const host::Color& bottom);
    // Number of distinct images made so far (they are shared).
    static int cachedImages();
};

}  // namespace norvex::ombu
