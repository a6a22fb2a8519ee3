// Cell painting: the record of one cell's resolved attributes (NxCell), its background
// and border (Border) and its content with alignment and clip arrows (Draw).
#pragma once

#include <mutex>
#include <string>

#include "host/base/Color.h"
#include "host/base/Font.h"
#include "host/base/Geometry.h"
#include "host/runtime/Value.h"

namespace host {
class Graphics;
}

namespace norvex::table {

class Table;
class Clip;

struct NxCell {
    static const host::Color WHITE_BRIGHTER, WHITE_DARKER, BLACK_BRIGHTER, BLACK_DARKER;

    Table* table = nullptr;
    int row = 0, column = 0;
    host::Color foreground, background, top_shadow, bottom_shadow;
    host::Value value;
    host::Font font;
    int width = 0, height = 0;  // content size
    int shadow_thickness = 0;
    bool selected = false;
    int border = 0, sides = 0, alignment = 0;
    host::Rectangle bounds;  // the cell (a span anchor: the whole span) in clip pixels
    bool plain = false;      // a one-line string, drawn directly
    int ascent = 0;

    // Fills the record for (row, col) of clip: colours, value, font, border, content size.
    void setValues(Table& t, const Clip& clip, int row, int col, const host::Rectangle& bounds);
    void setColors(Table& t);
    // Draws the content at r (top-left of the content), each line aligned in r.width.
    void draw(host::Graphics& g, const host::Rectangle& r) const;
};

struct Border {
    static constexpr int POOL_SIZE = 100;
    static void draw(host::Graphics& g, const NxCell& cell, int x, int y, int w, int h);
    static void draw(host::Graphics& g, int type, int size, int sides, int x, int y, int w, int h,
                     const host::Color& top, const host::Color& bottom);
    // Lines of thickness size (at most half the width and height) on the requested sides:
    // top and left in first, bottom and right in second.
    static void drawShadow(host::Graphics& g, int size, int sides, int x, int y, int w, int h,
                           const host::Color& first, const host::Color& second);
    static void drawEtchedShadow(host::Graphics& g, int size, int sides, int x, int y, int w, int h,
                                 const host::Color& first, const host::Color& second);
};

struct Draw {
    static constexpr int ARROW_RIGHT = 0, ARROW_DOWN = 1, ARROW_UP = 2, ARROW_SIZE = 4;
    // Draws one cell of clip (its span anchor for a covered cell).
    static void cell(host::Graphics& g, Clip& clip, int row, int col);
    static void do_background(host::Graphics& g, const NxCell& cell, int x, int y, int w, int h);
    static void arrow(host::Graphics& g, int direction, int x, int y, int size);
    static void drawRect(host::Graphics& g, const host::Rectangle& r, const host::Color& c);
    // The direction mark of the column label a click sorted: up ascending, down descending.
    static void sortMark(host::Graphics& g, const host::Rectangle& b, const host::Color& c, bool ascending);
};

// Repainting after a change: the visible part of a row, a column or a range.
struct DrawRange {
    static void draw(Table& t, int row1, int col1, int row2, int col2);
};
struct DrawRow {
    static void draw(Table& t, int row);
};
struct DrawColumn {
    static void draw(Table& t, int column);
};

}  // namespace norvex::table
