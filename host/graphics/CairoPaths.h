// Cairo paths shared by the raster and vector contexts, so both draw ovals, arcs and
// round rectangles with one geometry.
#pragma once

#include <cairo.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace host::cairopath {

constexpr double kPi = 3.14159265358979323846;

// An ellipse arc on the unit circle scaled into the box; angles in Cairo's sense.
inline void unitArc(cairo_t* c, double cx, double cy, double rx, double ry, double a0, double a1, bool negative) {
    cairo_save(c);
    cairo_translate(c, cx, cy);
    cairo_scale(c, rx, ry);
    if (negative)
        cairo_arc_negative(c, 0, 0, 1, a0, a1);
    else
        cairo_arc(c, 0, 0, 1, a0, a1);
    cairo_restore(c);
}

inline void roundRect(cairo_t* c, double x, double y, double w, double h, double rx, double ry) {
    cairo_new_sub_path(c);
    unitArc(c, x + w - rx, y + ry, rx, ry, -kPi / 2, 0, false);
    unitArc(c, x + w - rx, y + h - ry, rx, ry, 0, kPi / 2, false);
    unitArc(c, x + rx, y + h - ry, rx, ry, kPi / 2, kPi, false);
    unitArc(c, x + rx, y + ry, rx, ry, kPi, 3 * kPi / 2, false);
    cairo_close_path(c);
}

// Arc angles: degrees counter-clockwise from 3 o'clock on screen, which is Cairo's
// negative direction because y points down. 'pie' closes the arc through the centre.
inline void arc(cairo_t* c, double cx, double cy, double rx, double ry, int start, int ext, bool pie) {
    cairo_save(c);
    cairo_translate(c, cx, cy);
    cairo_scale(c, rx, ry);
    if (std::abs(int64_t(ext)) >= 360) {
        cairo_new_sub_path(c);
        cairo_arc_negative(c, 0, 0, 1, 0, -2 * kPi);
        cairo_close_path(c);
    } else {
        const double s = std::fmod(double(start), 360.0);
        const double a0 = -s * kPi / 180, a1 = -(s + ext) * kPi / 180;
        if (pie)
            cairo_move_to(c, 0, 0);
        else
            cairo_new_sub_path(c);
        if (ext > 0)
            cairo_arc_negative(c, 0, 0, 1, a0, a1);
        else
            cairo_arc(c, 0, 0, 1, a0, a1);
        if (pie) cairo_close_path(c);
    }
    cairo_restore(c);
}

}  // namespace host::cairopath
