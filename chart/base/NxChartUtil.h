// Shared numeric helpers of the chart: decimal precision and rounding of axis
// values, number-to-label text, angle units, picking distances and the shading
// colours of 3-D faces. The rounding and text rules decide every axis label.
#pragma once

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "chart/base/DoubleCoord.h"
#include "host/base/Color.h"
#include "host/base/Geometry.h"

namespace norvex::chart {

class NxChartUtil {
public:
    // M_PI and M_SQRT2 are macros of the C library, so the constants drop the prefix.
    static constexpr double PI = 3.141592653589793;
    static constexpr double PI_2 = 1.5707963267948966;
    static constexpr double TWO_PI = 6.283185307179586;
    static constexpr double SQRT2 = 1.4142135623730951;

    static constexpr int DEGREES = 1;
    static constexpr int RADIANS = 2;
    static constexpr int GRADS = 3;

    static constexpr int MAX_PRECISION = 6;
    static constexpr double DEFAULT_FLOAT = std::numeric_limits<double>::max();
    static constexpr double LOG_TEN_BASE_E = 2.302585092994;
    static constexpr double FACTOR = 0.5;

    static constexpr int XINSIDE = 1;
    static constexpr int XBYX1 = 2;
    static constexpr int XBYX2 = 3;
    static constexpr int YINSIDE = 10;
    static constexpr int YBYTOP = 11;
    static constexpr int YBYORIGIN = 12;

    // Focus values of picking (the same numbers as the data view's pick focus).
    static constexpr int PICK_FOCUS_X = 1;
    static constexpr int PICK_FOCUS_Y = 2;

    static const host::Color WHITE_BRIGHTER;
    static const host::Color WHITE_DARKER;
    static const host::Color BLACK_BRIGHTER;
    static const host::Color BLACK_DARKER;

    // 10^n for n = -12..12, index n + 12.
    static const double* tensVal();

    // Angles.
    static double degToRad(double d) { return d * 0.017453292519943295; }
    static double radToDeg(double r) { return r * 57.29577951308232; }
    static bool validUnit(int unit) { return unit >= DEGREES && unit <= GRADS; }
    static double convertAngle(int oldUnit, int newUnit, double angle);
    static double boundAngle(int unit, double angle);

    // Logarithms and powers.
    static double log10(double a);
    static int intLog10(double a);
    static double pow10(int x);
    static double calcError(int base);

    // Precision and rounding.
    static int nicePrecision(double range);
    static double precCorrect(int prec, double value);
    static double precFloor(int prec, double value);
    static double precCeil(int prec, double value);
    static DoubleCoord calcTik(double value, int prec);

    // Text.
    static std::string format(double value, int ndigit);
    static std::string internalFormat(double value, int ndigit);
    static std::string convertFromSN(const std::string& s);
    static int findDecimal(const std::string& str);
    static std::string logFormat(int exponent);
    static char getDecimalPointChar();

    // Small helpers.
    static int clamp(int x, int lo, int hi) { return x < lo ? lo : (x > hi ? hi : x); }
    static int64_t clamp(int64_t x, int64_t lo, int64_t hi) { return x < lo ? lo : (x > hi ? hi : x); }
    static double clamp(double x, double lo, double hi) { return x < lo ? lo : (x > hi ? hi : x); }
    static double max(double a, double b);
    static double min(double a, double b);
    static int abs(int a) { return a < 0 ? -a : a; }
    static double abs(double a) { return a < 0 ? -a : a; }
    static int iceil(double val);
    static int ifloor(double val);

    // Picking distances, in pixels.
    static int distance(int x1, int y1, int x2, int y2);
    static int distance(int p, int start, int width);
    static int distance(int x, int y, const host::Rectangle& rect);
    static int distanceToFrontRect(int x, int y, int left, int top, int width, int height, bool invert,
                                   int focus);
    // pts holds the corners of the bar's faces (see distanceTo3dPolygon in the source);
    // null gives the largest int.
    static int distanceTo3dPolygon(int x, int y, const std::vector<host::Point>* pts, bool invert, int focus);
    static int distanceToMainSide(int x, int y, int left, int top, int height, int delta_x, int delta_y,
                                  bool invert, int focus);
    static int distanceTo2ndSide(int x, int y, int left, int top, int height, int delta_x, int delta_y,
                                 bool invert, int focus);
    static int distanceToMainTop(int x, int y, int left, int top, int width, int delta_x, int delta_y,
                                 bool invert, int focus);
    static int distanceTo2ndTop(int x, int y, int left, int bottom, int width, int delta_x, int delta_y,
                                bool invert, int focus);
    static int distTrap(int pix_x, int pix_y, int yorigin, int x1, int x2, int y1, int y2);
    static int locateX(int x, int lx, int ux) { return (x > ux ? 2 : 0) | (x < lx ? 1 : 0); }
    static int locateY(int y, int ly, int uy) { return (y > uy ? 8 : 0) | (y < ly ? 4 : 0); }
    static int locateXY(int x, int y, int lx, int ly, int ux, int uy) {
        return locateX(x, lx, ux) | locateY(y, ly, uy);
    }
    static host::Polygon pointsToPolygon(const std::vector<host::Point>& points);

    // Lit and shaded faces; white and black still get visible shading.
    static host::Color brighter(const host::Color& c);
    static host::Color darker(const host::Color& c);

    // Parses label text back into a number (the text forms written above).
    static double parseDouble(const std::string& s);
};

}  // namespace norvex::chart
