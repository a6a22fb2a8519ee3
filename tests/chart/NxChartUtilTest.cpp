#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

#include "chart/base/NxChartUtil.h"

using norvex::chart::DoubleCoord;
using U = norvex::chart::NxChartUtil;

TEST(NxChartUtil, TensTableAndPowers) {
    EXPECT_EQ(U::pow10(0), 1.0);
    EXPECT_EQ(U::pow10(12), 1e12);
    EXPECT_EQ(U::pow10(-7), 1.0000000000000002e-07);
    EXPECT_EQ(U::pow10(-6), 1.0000000000000002e-06);
    EXPECT_EQ(U::pow10(-1), 0.1);
    EXPECT_EQ(U::pow10(13), 1e13);  // beyond the table
    EXPECT_EQ(U::pow10(-13), 1e-13);
    EXPECT_EQ(U::calcError(1), 0.5 * U::pow10(-2));
    EXPECT_EQ(U::intLog10(999.99), 3);
    EXPECT_EQ(U::intLog10(1e-3), -3);
}

TEST(NxChartUtil, NicePrecision) {
    EXPECT_EQ(U::nicePrecision(0), 0);
    EXPECT_EQ(U::nicePrecision(-5), 0);
    EXPECT_EQ(U::nicePrecision(2.999), 1);
    EXPECT_EQ(U::nicePrecision(3), 0);
    EXPECT_EQ(U::nicePrecision(10), 0);
    EXPECT_EQ(U::nicePrecision(2), 1);
    EXPECT_EQ(U::nicePrecision(0.5), 1);
    EXPECT_EQ(U::nicePrecision(0.25), 2);
    EXPECT_EQ(U::nicePrecision(100), -1);
}

TEST(NxChartUtil, FormatRoundsThenCuts) {
    EXPECT_EQ(U::format(2.5, 0), "3");
    EXPECT_EQ(U::format(-2.5, 0), "-2");
    EXPECT_EQ(U::format(1234.5678, 2), "1234.57");
    EXPECT_EQ(U::format(7, 3), "7.000");
    EXPECT_EQ(U::format(12345, -2), "12300");
    EXPECT_EQ(U::format(12, -3), "0");
    EXPECT_EQ(U::format(0.125, 1), "0.1");
    // Exponent forms are left alone by format and expanded by internalFormat.
    EXPECT_EQ(U::format(1.5e8, 0), "1.5E8");
    EXPECT_EQ(U::internalFormat(1.5e8, 0), "150000000");
    EXPECT_EQ(U::internalFormat(0.0001, 4), "0.0001");
}

TEST(NxChartUtil, ConvertFromScientific) {
    EXPECT_EQ(U::convertFromSN("1.5E-4"), "0.00015");
    EXPECT_EQ(U::convertFromSN("-2.5E3"), "-2500");
    EXPECT_EQ(U::convertFromSN("1.2345E7"), "12345000");
    EXPECT_EQ(U::convertFromSN("1.23456789E7"), "12345678.9");
    EXPECT_EQ(U::convertFromSN("+3.5e+2"), "350");
    EXPECT_EQ(U::convertFromSN("4.5E"), "4.5");
    EXPECT_EQ(U::convertFromSN("42"), "42");
    EXPECT_EQ(U::logFormat(-2), "0.01");
    EXPECT_EQ(U::logFormat(3), "1000");
    EXPECT_EQ(U::findDecimal("12.5"), 2);
    EXPECT_EQ(U::findDecimal("125"), -1);
    EXPECT_EQ(U::getDecimalPointChar(), '.');
}

TEST(NxChartUtil, FloorAndCeilToPrecision) {
    EXPECT_DOUBLE_EQ(U::precFloor(1, 2.999), 2.9);
    EXPECT_DOUBLE_EQ(U::precCeil(1, 2.37), 2.4);
    EXPECT_DOUBLE_EQ(U::precCeil(1, 9.95), 10.0);
    EXPECT_DOUBLE_EQ(U::precCeil(0, 5), 5.0);
    EXPECT_DOUBLE_EQ(U::precFloor(0, 5), 5.0);
    EXPECT_DOUBLE_EQ(U::precFloor(-1, 47), 40.0);
    EXPECT_DOUBLE_EQ(U::precCeil(-1, 41), 50.0);
    EXPECT_DOUBLE_EQ(U::precFloor(1, -2.37), -2.4);
    EXPECT_DOUBLE_EQ(U::precCeil(1, -2.999), -2.9);
    EXPECT_DOUBLE_EQ(U::precCorrect(2, 1.005), 1.0);  // 1.005 is a little below the half
    EXPECT_DOUBLE_EQ(U::precCorrect(-2, 150), 200.0);
}

// Beyond the plain range of the text conversion (below 0.001, from 10 million up) the
// text is an exponent form; the rounding must still work on the right decimal.
TEST(NxChartUtil, RoundingBeyondThePlainTextRange) {
    EXPECT_EQ(U::internalFormat(1.2e-4, 6), "0.000120");
    EXPECT_EQ(U::internalFormat(1.2e-4, 0), "0");
    EXPECT_EQ(U::internalFormat(12345678.94, 1), "12345678.9");
    EXPECT_EQ(U::internalFormat(12345678.94, 3), "12345678.940");
    EXPECT_EQ(U::internalFormat(123456789, -3), "123457000");
    EXPECT_EQ(U::internalFormat(0.00012000000000000002, 5), "0.00012");  // no rounding noise
    EXPECT_DOUBLE_EQ(U::precFloor(0, 16059235.96), 16059235.0);
    EXPECT_DOUBLE_EQ(U::precCeil(0, 16059235.96), 16059236.0);
    EXPECT_DOUBLE_EQ(U::precFloor(1, 12345678.94), 12345678.9);
    EXPECT_DOUBLE_EQ(U::precCeil(1, 12345678.94), 12345679.0);
    EXPECT_DOUBLE_EQ(U::precCeil(6, 0.0001234), 0.000124);
    EXPECT_DOUBLE_EQ(U::precFloor(6, 0.0001234), 0.000123);
    EXPECT_EQ(U::calcTik(0.00003, 5), DoubleCoord(0.00005, 0.0001));
    EXPECT_EQ(U::logFormat(-7), "0.0000001");
    EXPECT_EQ(U::logFormat(8), "100000000");

    // Over the whole range, floor and ceiling land on the grid of the precision next
    // to the value.
    int bad = 0;
    for (int p = -2; p <= 6; ++p) {
        double q = std::pow(10.0, -p);
        for (double v = 1.234567e-6; v < 1e12; v *= 1.37) {
            double tol = std::max(q * 1e-6, v * 1e-14);
            double f = U::precFloor(p, v), c = U::precCeil(p, v);
            if (!(f <= v + tol && f > v - q - tol && c >= v - tol && c < v + q + tol)) ++bad;
        }
    }
    EXPECT_EQ(bad, 0);
}

TEST(NxChartUtil, UnboundedArgumentsStayInRange) {
    EXPECT_EQ(U::nicePrecision(std::numeric_limits<double>::infinity()), -307);  // as the largest double
    EXPECT_EQ(U::nicePrecision(std::nan("")), 0);
    EXPECT_EQ(U::intLog10(0), INT_MIN);
    EXPECT_EQ(U::intLog10(std::numeric_limits<double>::infinity()), INT_MAX);
    EXPECT_EQ(U::intLog10(std::nan("")), 0);

    // At the largest doubles the scaling of rounding overflows and a carry can pass the
    // largest double: no text is unparsable and ceilings never fall below the value.
    const double big = std::numeric_limits<double>::max();
    for (double v : {big, -big, 0.9999 * big}) {
        for (int p : {-300, -20, -7, -6, -3, 0, 1, 6, 20}) {
            EXPECT_NO_THROW(U::calcTik(v, p)) << v << " " << p;
            EXPECT_GE(U::precCeil(p, v), v) << p;
            EXPECT_LE(U::precFloor(p, v), v) << p;
        }
    }
    EXPECT_EQ(U::precCorrect(2, big), big);
}

TEST(NxChartUtil, TickSpacingEndsInFiveOrZero) {
    EXPECT_EQ(U::calcTik(0.37, 1), DoubleCoord(0.5, 1.0));
    EXPECT_EQ(U::calcTik(0.77, 1), DoubleCoord(1.0, 2.0));
    EXPECT_EQ(U::calcTik(0.01, 1), DoubleCoord(0.05, 0.1));
    EXPECT_EQ(U::calcTik(0.2, 0), DoubleCoord(0.5, 1.0));
    EXPECT_EQ(U::calcTik(3.2, 0), DoubleCoord(3.0, 6.0));
    EXPECT_EQ(U::calcTik(3, -1), DoubleCoord(5.0, 10.0));
}

TEST(NxChartUtil, Angles) {
    EXPECT_DOUBLE_EQ(U::boundAngle(U::DEGREES, -90), 270);
    EXPECT_DOUBLE_EQ(U::boundAngle(U::DEGREES, 300), -60);
    EXPECT_DOUBLE_EQ(U::boundAngle(U::GRADS, -100), 300);
    EXPECT_DOUBLE_EQ(U::boundAngle(U::DEGREES, -360), 0);
    EXPECT_DOUBLE_EQ(U::convertAngle(U::DEGREES, U::GRADS, 90), 100);
    EXPECT_DOUBLE_EQ(U::convertAngle(U::GRADS, U::DEGREES, 100), 90);
    EXPECT_DOUBLE_EQ(U::convertAngle(U::RADIANS, U::DEGREES, U::PI), 180);
    EXPECT_DOUBLE_EQ(U::convertAngle(7, U::DEGREES, 1.5), 1.5);
    EXPECT_DOUBLE_EQ(U::degToRad(180), U::PI);
}

TEST(NxChartUtil, SmallHelpers) {
    EXPECT_EQ(U::iceil(-1.5), -1);
    EXPECT_EQ(U::ifloor(-1.5), -2);
    EXPECT_EQ(U::iceil(1.2), 2);
    EXPECT_EQ(U::clamp(5, 0, 3), 3);
    EXPECT_TRUE(std::isnan(U::max(std::nan(""), 1.0)));
    EXPECT_EQ(U::min(2.0, 1.0), 1.0);
}

TEST(NxChartUtil, PickingDistances) {
    EXPECT_EQ(U::distance(0, 0, 3, 4), 5);
    EXPECT_EQ(U::distance(5, 10, 20), 5);
    EXPECT_EQ(U::distance(35, 10, 20), 5);
    EXPECT_EQ(U::distance(15, 10, 20), 0);
    EXPECT_EQ(U::distance(13, 14, host::Rectangle{0, 0, 10, 10}), 5);
    EXPECT_EQ(U::distanceToFrontRect(0, 30, 10, 10, 10, 10, false, U::PICK_FOCUS_X), 10);
    EXPECT_EQ(U::distanceToFrontRect(0, 30, 10, 10, 10, 10, true, U::PICK_FOCUS_X), 10);
    EXPECT_EQ(U::distanceToFrontRect(0, 25, 10, 10, 10, 10, true, U::PICK_FOCUS_X), 5);
    EXPECT_EQ(U::distanceToFrontRect(0, 25, 10, 10, 10, 10, false, 0), 15);
    EXPECT_EQ(U::distanceTo3dPolygon(0, 0, nullptr, false, 0), INT_MAX);
    // Top face of a bar at (10,20) 10 wide with depth (4,4): inside, and 10 px above it.
    EXPECT_EQ(U::distanceToMainTop(14, 18, 10, 20, 10, 4, 4, false, 0), 0);
    EXPECT_EQ(U::distanceToMainTop(14, 6, 10, 20, 10, 4, 4, false, U::PICK_FOCUS_Y), 10);
    EXPECT_EQ(U::locateXY(5, 5, 0, 0, 10, 10), 0);
    EXPECT_EQ(U::locateXY(-1, 11, 0, 0, 10, 10), 1 | 8);
    EXPECT_EQ(U::locateX(11, 0, 10), 2);
    EXPECT_EQ(U::locateY(-1, 0, 10), 4);
    auto poly = U::pointsToPolygon({{1, 2}, {3, 4}});
    EXPECT_EQ(poly.npoints(), 2);
    EXPECT_EQ(poly.ypoints[1], 4);
}

TEST(NxChartUtil, TrapezoidDistance) {
    // Segment (10,20)-(30,20), origin line y = 50.
    EXPECT_EQ(U::distTrap(20, 30, 50, 10, 30, 20, 20), 0);
    EXPECT_EQ(U::distTrap(20, 15, 50, 10, 30, 20, 20), 5);   // above the segment
    EXPECT_EQ(U::distTrap(20, 60, 50, 10, 30, 20, 20), 10);  // below the origin line
    EXPECT_EQ(U::distTrap(5, 30, 50, 10, 30, 20, 20), 5);    // left of x1, inside in Y
    EXPECT_EQ(U::distTrap(34, 17, 50, 10, 30, 20, 20), 5);   // beyond x2 and above: the corner
}

TEST(NxChartUtil, ShadingColours) {
    EXPECT_EQ(U::brighter(host::Color(255, 255, 255)), U::WHITE_BRIGHTER);
    EXPECT_EQ(U::brighter(host::Color(0, 0, 0)), U::BLACK_BRIGHTER);
    EXPECT_EQ(U::brighter(host::Color(100, 0, 255)), host::Color(177, 127, 255));
    EXPECT_EQ(U::darker(host::Color(255, 255, 255)), U::WHITE_DARKER);
    EXPECT_EQ(U::darker(host::Color(0, 0, 0)), U::BLACK_DARKER);
    EXPECT_EQ(U::darker(host::Color(100, 50, 10)), host::Color(100, 50, 10).darker());
}
