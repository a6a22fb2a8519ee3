#include "host/base/Color.h"

#include <algorithm>

namespace host {

const Color Color::white(255, 255, 255), Color::lightGray(192, 192, 192), Color::gray(128, 128, 128),
    Color::darkGray(64, 64, 64), Color::black(0, 0, 0), Color::red(255, 0, 0),
    Color::pink(255, 175, 175), Color::orange(255, 200, 0), Color::yellow(255, 255, 0),
    Color::green(0, 255, 0), Color::magenta(255, 0, 255), Color::cyan(0, 255, 255),
    Color::blue(0, 0, 255);

namespace {
constexpr double kFactor = 0.7;
}

Color Color::brighter() const {
    int r = getRed(), g = getGreen(), b = getBlue();
    // A black colour would stay black under division: start it from a small grey.
    int i = int(1.0 / (1.0 - kFactor));
    if (r == 0 && g == 0 && b == 0) return Color(i, i, i, getAlpha());
    if (r > 0 && r < i) r = i;
    if (g > 0 && g < i) g = i;
    if (b > 0 && b < i) b = i;
    return Color(std::min(int(r / kFactor), 255), std::min(int(g / kFactor), 255),
                 std::min(int(b / kFactor), 255), getAlpha());
}

Color Color::darker() const {
    return Color(std::max(int(getRed() * kFactor), 0), std::max(int(getGreen() * kFactor), 0),
                 std::max(int(getBlue() * kFactor), 0), getAlpha());
}

std::string Color::toString() const {
    return "Color[r=" + std::to_string(getRed()) + ",g=" + std::to_string(getGreen()) +
           ",b=" + std::to_string(getBlue()) + "]";
}

// A neutral grey desktop look, fixed so that pictures are the same on every machine.
const Color SystemColor::desktop(0, 92, 92), SystemColor::activeCaption(0, 0, 128),
    SystemColor::activeCaptionText(255, 255, 255), SystemColor::inactiveCaption(128, 128, 128),
    SystemColor::window(255, 255, 255), SystemColor::windowBorder(0, 0, 0),
    SystemColor::windowText(0, 0, 0), SystemColor::menu(192, 192, 192),
    SystemColor::menuText(0, 0, 0), SystemColor::text(255, 255, 255),
    SystemColor::textText(0, 0, 0), SystemColor::textHighlight(0, 0, 128),
    SystemColor::textHighlightText(255, 255, 255), SystemColor::textInactiveText(128, 128, 128),
    SystemColor::control(192, 192, 192), SystemColor::controlText(0, 0, 0),
    SystemColor::controlHighlight(224, 224, 224), SystemColor::controlLtHighlight(255, 255, 255),
    SystemColor::controlShadow(128, 128, 128), SystemColor::controlDkShadow(0, 0, 0),
    SystemColor::scrollbar(224, 224, 224), SystemColor::info(224, 224, 0),
    SystemColor::infoText(0, 0, 0);

}  // namespace host
