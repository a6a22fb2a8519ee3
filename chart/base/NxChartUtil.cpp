#include "chart/base/NxChartUtil.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <climits>
#include <cctype>
#include <cmath>
#include <limits>
#include <stdexcept>

#include "host/runtime/Value.h"

namespace norvex::chart {

const host::Color NxChartUtil::WHITE_BRIGHTER(200, 200, 200);
const host::Color NxChartUtil::WHITE_DARKER(140, 140, 140);
const host::Color NxChartUtil::BLACK_BRIGHTER(125, 125, 125);
const host::Color NxChartUtil::BLACK_DARKER(75, 75, 75);

namespace {

// 10^n built by repeated multiplication (and division) from 1, so that the small
// entries carry the same rounding as the rest of the numeric code expects.
std::array<double, 25> buildTens() {
    std::array<double, 25> t{};
    t[12] = 1.0;
    for (int i = 13; i < 25; ++i) t[i] = t[i - 1] * 10.0;
    for (int i = 11; i >= 0; --i) t[i] = t[i + 1] / 10.0;
    return t;
}

const std::array<double, 25>& tens() {
    static const std::array<double, 25> t = buildTens();
    return t;
}

// Adds one to the digit at pos, moving left over the decimal point; a '9' becomes
// '0' and carries on; a carry past the first digit puts a '1' in front.
void carryInto(std::string& s, int pos, char point) {
    for (int i = pos; i >= 0; --i) {
        char c = s[size_t(i)];
        if (c == point) continue;
        if (c == '-' || c == '+') {
            s.insert(size_t(i) + 1, 1, '1');
            return;
        }
        if (c == '9') {
            s[size_t(i)] = '0';
            continue;
        }
        s[size_t(i)] = char(c + 1);
        return;
    }
    s.insert(0, 1, '1');
}

}  // namespace

const double* NxChartUtil::tensVal() { return tens().data(); }

double NxChartUtil::convertAngle(int oldUnit, int newUnit, double angle) {
    if (oldUnit == newUnit || !validUnit(oldUnit) || !validUnit(newUnit)) return angle;
    switch (oldUnit) {
        case RADIANS: return angle * (newUnit == DEGREES ? 57.29577951308232 : 63.66197723675814);
        case GRADS: return angle * (newUnit == DEGREES ? 0.9 : 0.015707963267948967);
        default: return angle * (newUnit == GRADS ? 1.1111111111111112 : 0.017453292519943295);
    }
}

double NxChartUtil::boundAngle(int unit, double angle) {
    double c = unit == DEGREES ? 360.0 : (unit == GRADS ? 400.0 : TWO_PI);
    double r = std::remainder(std::fabs(angle), c);
    if (angle < 0 && r != 0) return c - r;
    return r;
}

double NxChartUtil::log10(double a) { return std::log(a) * 0.4342944819032604; }

// Kept inside int: 0 has the logarithm minus infinity, and NaN has none (0).
int NxChartUtil::intLog10(double a) {
    double r = precCorrect(1, log10(a));
    if (std::isnan(r)) return 0;
    return int(std::clamp(r, double(INT_MIN), double(INT_MAX)));
}

double NxChartUtil::pow10(int x) {
    if (x >= -12 && x <= 12) return tens()[size_t(x + 12)];
    return std::pow(10.0, double(x));
}

double NxChartUtil::calcError(int base) { return 0.5 * pow10(-base - 1); }

int NxChartUtil::nicePrecision(double range) {
    if (!(range > 0)) return 0;
    // A spread wider than any double (the data reach both ends of the number line)
    // is treated as the widest one.
    if (std::isinf(range)) range = DEFAULT_FLOAT;
    double lg = std::floor(log10(range));
    int e = int(lg);
    double f = range / pow10(e);
    int extra = f < 3.0 ? 1 : 0;
    return extra - e;
}

double NxChartUtil::precCorrect(int prec, double value) {
    double t = pow10(-prec);
    double r = t * std::floor(value / t + 0.5);
    // Near the largest double the scaling overflows; such values have no digits at this
    // precision to round, so they stay as they are.
    return std::isfinite(r) || !std::isfinite(value) ? r : value;
}

double NxChartUtil::parseDouble(const std::string& s) {
    double r = 0.0;
    const char* b = s.data();
    const char* e = b + s.size();
    if (b != e && *b == '+') ++b;
    auto res = std::from_chars(b, e, r);
    if (res.ec == std::errc::result_out_of_range && res.ptr == e) {
        // A carry past the largest double ("18...0" from "17...9") is infinite; a text
        // below the smallest one is zero.
        const char* digits = b != e && *b == '-' ? b + 1 : b;
        bool tiny = digits != e && *digits == '0';
        return tiny ? (*b == '-' ? -0.0 : 0.0) : (*b == '-' ? -HUGE_VAL : HUGE_VAL);
    }
    if (res.ec != std::errc() || res.ptr != e) throw std::invalid_argument("For input string: \"" + s + "\"");
    return r;
}

// True when the spacing of doubles around the value is at least the precision's step:
// the value is then already on that grid as far as doubles can tell.
static bool coarserThanStep(int prec, double value) {
    return std::abs(value) * std::numeric_limits<double>::epsilon() >= NxChartUtil::pow10(-prec);
}

// Values that have no decimal text (NaN, infinities) are returned unchanged.
double NxChartUtil::precFloor(int prec, double value) {
    if (!std::isfinite(value) || coarserThanStep(prec, value)) return value;
    if (value < 0) return -precCeil(prec, -value);
    if (prec < 0) {
        double t = pow10(-prec);
        double r = t * std::floor(value / t);
        return std::isfinite(r) ? std::min(r, value) : value;
    }
    std::string s = internalFormat(value, prec + 1);
    s.back() = '0';
    double r = parseDouble(s);
    return value < r ? r - pow10(-prec) : r;
}

double NxChartUtil::precCeil(int prec, double value) {
    if (!std::isfinite(value) || coarserThanStep(prec, value)) return value;
    if (value < 0) return -precFloor(prec, -value);
    if (prec < 0) {
        double t = pow10(-prec);
        double r = t * std::ceil(value / t);
        return std::isfinite(r) ? std::max(r, value) : value;
    }
    std::string s = internalFormat(value, prec + 1);
    if (s.back() != '0') {
        s.back() = '0';
        carryInto(s, int(s.size()) - 2, getDecimalPointChar());
    }
    double r = parseDouble(s);
    return r < value ? r + pow10(-prec) : r;
}

DoubleCoord NxChartUtil::calcTik(double value, int prec) {
    if (!std::isfinite(value)) return {value, 2 * value};
    std::string c = internalFormat(value, prec);
    if (prec >= 1 && !c.empty()) {
        char last = c.back();
        if (last >= '1' && last <= '4') {
            c.back() = '5';
        } else if (last >= '6' && last <= '9') {
            c.back() = '0';
            carryInto(c, int(c.size()) - 2, getDecimalPointChar());
        }
    }
    double v = parseDouble(c);
    if (v != 0) return {v, 2 * v};
    double o = 1.0;
    if (prec >= 0) {
        for (int i = 0; i < prec; ++i) o *= 0.1;
    } else {
        for (int i = 0; i < -prec; ++i) o *= 10.0;
    }
    return {0.5 * o, o};
}

char NxChartUtil::getDecimalPointChar() {
    static const char point = host::doubleToString(5.5)[1];
    return point;
}

int NxChartUtil::findDecimal(const std::string& str) {
    auto p = str.find(getDecimalPointChar());
    return p == std::string::npos ? -1 : int(p);
}

namespace {

// Fits plain decimal text s to ndigit decimals: cut at the point for 0, whole tens,
// hundreds... for negative ndigit, padded with zeros or cut for positive ndigit.
std::string fitDecimals(const std::string& s, int ndigit, char point) {
    auto p = s.find(point);
    int d = p == std::string::npos ? -1 : int(p);
    if (ndigit == 0) return d < 0 ? s : s.substr(0, size_t(d));
    if (ndigit < 0) {
        if (d < 0) d = int(s.size());
        int c = d + ndigit;
        if (c < 0) return "0";
        return s.substr(0, size_t(c)) + std::string(size_t(-ndigit), '0');
    }
    if (d < 0) return s + point + std::string(size_t(ndigit), '0');
    int excess = int(s.size()) - d - 1 - ndigit;
    if (excess < 0) return s + std::string(size_t(-excess), '0');
    if (excess > 0) return s.substr(0, s.size() - size_t(excess));
    return s;
}

}  // namespace

std::string NxChartUtil::format(double value, int ndigit) {
    std::string s = host::doubleToString(precCorrect(ndigit, value));
    if (s.find_first_of("eE") != std::string::npos) return s;
    return fitDecimals(s, ndigit, getDecimalPointChar());
}

// The exponent form is expanded and then fitted to ndigit decimals like plain text,
// so that the last character is always the decimal the rounding functions work on
// (1.2E-4 at 6 decimals is 0.000120, not 0.00012) and no digits of the binary
// rounding error (1.2000000000000002E-4) reach a label.
std::string NxChartUtil::internalFormat(double value, int ndigit) {
    std::string s = format(value, ndigit);
    if (s.find_first_of("eE") == std::string::npos) return s;
    s = convertFromSN(s);
    if (s.empty() || !(std::isdigit((unsigned char)s.back()) || s.back() == getDecimalPointChar())) return s;
    return fitDecimals(s, ndigit, getDecimalPointChar());
}

std::string NxChartUtil::convertFromSN(const std::string& s) {
    auto i = s.find('e');
    if (i == std::string::npos) i = s.find('E');
    if (i == std::string::npos) return s;

    std::string exp = s.substr(i + 1);
    if (!exp.empty() && exp[0] == '+') exp.erase(0, 1);
    int n = 0;
    if (!exp.empty()) {
        auto res = std::from_chars(exp.data(), exp.data() + exp.size(), n);
        if (res.ec != std::errc() || res.ptr != exp.data() + exp.size())
            throw std::invalid_argument("For input string: \"" + exp + "\"");
    }
    std::string m = s.substr(0, i);
    if (n == 0) return m;

    std::string out;
    if (!m.empty() && m[0] == '-') {
        out += '-';
        m.erase(0, 1);
    } else if (!m.empty() && m[0] == '+') {
        m.erase(0, 1);
    }
    if (m.empty()) return out + "0";
    char point = getDecimalPointChar();
    auto dp = m.find(point);
    std::string first = m.substr(0, 1);
    std::string frac = dp == std::string::npos ? std::string() : m.substr(dp + 1);

    if (n < 0) {
        out += '0';
        out += point;
        out.append(size_t(-(int64_t(n)) - 1), '0');
        out += first;
        out += frac;
        return out;
    }
    out += first;
    for (int k = 0; k < n; ++k) out += size_t(k) < frac.size() ? frac[size_t(k)] : '0';
    if (frac.size() > size_t(n)) {
        out += point;
        out += frac.substr(size_t(n));
    }
    return out;
}

// Through internalFormat, so that decades beyond the plain range of the text
// conversion read as plain decimals too (0.0000001, not 1.0000000000000002E-7).
std::string NxChartUtil::logFormat(int exponent) { return internalFormat(pow10(exponent), -exponent); }

double NxChartUtil::max(double a, double b) {
    if (std::isnan(a) || std::isnan(b)) return a;
    return a >= b ? a : b;
}

double NxChartUtil::min(double a, double b) { return a > b ? b : a; }

int NxChartUtil::iceil(double val) {
    if (val < 0) return -ifloor(-val);
    return int(std::ceil(val));
}

int NxChartUtil::ifloor(double val) {
    if (val < 0) return -iceil(-val);
    return int(std::floor(val));
}

int NxChartUtil::distance(int x1, int y1, int x2, int y2) {
    double dx = double(x2) - x1, dy = double(y2) - y1;
    return int(std::sqrt(dx * dx + dy * dy));
}

int NxChartUtil::distance(int p, int start, int width) {
    int64_t end = int64_t(start) + width;
    if (p < start) return int(int64_t(start) - p);
    if (p > end) return int(p - end);
    return 0;
}

int NxChartUtil::distance(int x, int y, const host::Rectangle& rect) {
    double dx = distance(x, rect.x, rect.width);
    double dy = distance(y, rect.y, rect.height);
    return int(std::sqrt(dx * dx + dy * dy));
}

namespace {

// The focus rule of every bar face: one direction, the other when inverted, or both.
int byFocus(int xdist, int ydist, bool invert, int focus) {
    if (focus == NxChartUtil::PICK_FOCUS_X) return invert ? ydist : xdist;
    if (focus == NxChartUtil::PICK_FOCUS_Y) return invert ? xdist : ydist;
    return xdist + ydist;
}

bool insidePolygon(int x, int y, const std::vector<host::Point>& pts) {
    bool in = false;
    size_t n = pts.size();
    for (size_t i = 0, j = n - 1; i < n; j = i++) {
        const auto& a = pts[i];
        const auto& b = pts[j];
        if ((a.y > y) != (b.y > y)) {
            double xi = a.x + double(y - a.y) * (b.x - a.x) / double(b.y - a.y);
            if (x < xi) in = !in;
        }
    }
    return in;
}

double segmentDistance(double px, double py, const host::Point& a, const host::Point& b) {
    double dx = double(b.x) - a.x, dy = double(b.y) - a.y;
    double len2 = dx * dx + dy * dy;
    double t = len2 == 0 ? 0 : ((px - a.x) * dx + (py - a.y) * dy) / len2;
    t = std::clamp(t, 0.0, 1.0);
    double ex = a.x + t * dx - px, ey = a.y + t * dy - py;
    return std::sqrt(ex * ex + ey * ey);
}

}  // namespace

int NxChartUtil::distanceToFrontRect(int x, int y, int left, int top, int width, int height, bool invert,
                                     int focus) {
    return byFocus(distance(x, left, width), distance(y, top, height), invert, focus);
}

// A face is a polygon (a parallelogram for the depth faces). Distances along each
// direction are taken to the face's bounding box, as for the front rectangle; a point
// inside the box but outside the face (a corner of the parallelogram) measures its
// distance to the nearest edge, at least one pixel.
int NxChartUtil::distanceTo3dPolygon(int x, int y, const std::vector<host::Point>* pts, bool invert,
                                     int focus) {
    if (!pts || pts->empty()) return INT_MAX;
    if (pts->size() >= 3 && insidePolygon(x, y, *pts)) return 0;
    host::Polygon poly = pointsToPolygon(*pts);
    host::Rectangle b = poly.getBounds();
    int xdist = distance(x, b.x, b.width);
    int ydist = distance(y, b.y, b.height);
    if (xdist == 0 && ydist == 0) {
        double best = 1e300;
        for (size_t i = 0; i < pts->size(); ++i)
            best = std::min(best, segmentDistance(x, y, (*pts)[i], (*pts)[(i + 1) % pts->size()]));
        return std::max(1, int(best));
    }
    return byFocus(xdist, ydist, invert, focus);
}

int NxChartUtil::distanceToMainSide(int x, int y, int left, int top, int height, int delta_x, int delta_y,
                                    bool invert, int focus) {
    // The side face right of the front rectangle: its near edge is x = left.
    std::vector<host::Point> pts{{left, top},
                                 {left + delta_x, top - delta_y},
                                 {left + delta_x, top - delta_y + height},
                                 {left, top + height}};
    return distanceTo3dPolygon(x, y, &pts, invert, focus);
}

int NxChartUtil::distanceTo2ndSide(int x, int y, int left, int top, int height, int delta_x, int delta_y,
                                   bool invert, int focus) {
    // The side face left of the front rectangle (depth drawn to the other side).
    std::vector<host::Point> pts{{left, top},
                                 {left - delta_x, top - delta_y},
                                 {left - delta_x, top - delta_y + height},
                                 {left, top + height}};
    return distanceTo3dPolygon(x, y, &pts, invert, focus);
}

int NxChartUtil::distanceToMainTop(int x, int y, int left, int top, int width, int delta_x, int delta_y,
                                   bool invert, int focus) {
    // The top face above the front rectangle.
    std::vector<host::Point> pts{{left, top},
                                 {left + width, top},
                                 {left + width + delta_x, top - delta_y},
                                 {left + delta_x, top - delta_y}};
    return distanceTo3dPolygon(x, y, &pts, invert, focus);
}

int NxChartUtil::distanceTo2ndTop(int x, int y, int left, int bottom, int width, int delta_x, int delta_y,
                                  bool invert, int focus) {
    // The face under the front rectangle (seen when the bar grows downward).
    std::vector<host::Point> pts{{left, bottom},
                                 {left + width, bottom},
                                 {left + width + delta_x, bottom - delta_y},
                                 {left + delta_x, bottom - delta_y}};
    return distanceTo3dPolygon(x, y, &pts, invert, focus);
}

int NxChartUtil::distTrap(int pix_x, int pix_y, int yorigin, int x1, int x2, int y1, int y2) {
    double yprime = x1 == x2 ? 32000.0
                             : y1 + (double(y2) - y1) * (double(pix_x) - x1) / (double(x2) - x1);
    int lox = std::min(x1, x2), hix = std::max(x1, x2);
    int xclass = pix_x < lox ? XBYX1 : (pix_x > hix ? XBYX2 : XINSIDE);
    // Beyond the left end the nearer end is the one with the smaller x.
    bool firstIsLeft = x1 <= x2;

    auto yClass = [&](double top) {
        double lo = std::min(top, double(yorigin)), hi = std::max(top, double(yorigin));
        if (pix_y >= lo && pix_y <= hi) return YINSIDE;
        // Beyond the segment means on the segment's side of the origin line.
        bool segmentAbove = top <= yorigin;
        bool above = pix_y < lo;
        return above == segmentAbove ? YBYTOP : YBYORIGIN;
    };

    double d;
    if (xclass == XINSIDE) {
        int yc = yClass(yprime);
        if (yc == YINSIDE) return 0;
        d = yc == YBYTOP ? std::fabs(pix_y - yprime) : std::fabs(double(pix_y) - yorigin);
    } else {
        bool nearFirst = (xclass == XBYX1) == firstIsLeft;
        int ex = nearFirst ? x1 : x2;
        int ey = nearFirst ? y1 : y2;
        int yc = yClass(ey);
        if (yc == YINSIDE) {
            d = std::fabs(double(pix_x) - ex);
        } else {
            int cy = yc == YBYTOP ? ey : yorigin;
            double dx = double(pix_x) - ex, dy = double(pix_y) - cy;
            d = std::sqrt(dx * dx + dy * dy);
        }
    }
    return int(std::floor(d + 0.5));
}

host::Polygon NxChartUtil::pointsToPolygon(const std::vector<host::Point>& points) {
    host::Polygon p;
    for (const auto& pt : points) p.addPoint(pt.x, pt.y);
    return p;
}

host::Color NxChartUtil::brighter(const host::Color& c) {
    if (c.getRed() == 255 && c.getGreen() == 255 && c.getBlue() == 255) return WHITE_BRIGHTER;
    if (c.getRed() == 0 && c.getGreen() == 0 && c.getBlue() == 0) return BLACK_BRIGHTER;
    auto up = [](int x) { return std::min(255, x + int((255 - x) * FACTOR)); };
    return host::Color(up(c.getRed()), up(c.getGreen()), up(c.getBlue()), c.getAlpha());
}

host::Color NxChartUtil::darker(const host::Color& c) {
    if (c.getRed() == 255 && c.getGreen() == 255 && c.getBlue() == 255) return WHITE_DARKER;
    if (c.getRed() == 0 && c.getGreen() == 0 && c.getBlue() == 0) return BLACK_DARKER;
    return c.darker();
}

}  // namespace norvex::chart
