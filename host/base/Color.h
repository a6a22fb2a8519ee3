// Colours: an sRGB value with alpha, the classic brighter/darker rule and the
// desktop's system colours.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace host {

class Color {
public:
    constexpr Color() = default;
    constexpr Color(int r, int g, int b, int a = 255)
        : argb_((uint32_t(clamp(a)) << 24) | (uint32_t(clamp(r)) << 16) | (uint32_t(clamp(g)) << 8) |
                uint32_t(clamp(b))) {}
    // 0xRRGGBB, opaque.
    static constexpr Color fromRGB(uint32_t rgb) { return Color(0xff000000u | rgb, RawTag{}); }
    static constexpr Color fromARGB(uint32_t argb) { return Color(argb, RawTag{}); }

    constexpr int getRed() const { return int((argb_ >> 16) & 0xff); }
    constexpr int getGreen() const { return int((argb_ >> 8) & 0xff); }
    constexpr int getBlue() const { return int(argb_ & 0xff); }
    constexpr int getAlpha() const { return int(argb_ >> 24); }
    // The 32-bit ARGB value, as a signed int in the classic way.
    constexpr int32_t getRGB() const { return int32_t(argb_); }
    constexpr uint32_t argb() const { return argb_; }

    // The host's own rule: each channel divided (brighter) or multiplied (darker) by 0.7.
    Color brighter() const;
    Color darker() const;

    constexpr bool operator==(const Color&) const = default;
    std::string toString() const;  // "Color[r=..,g=..,b=..]"

    static const Color white, lightGray, gray, darkGray, black, red, pink, orange, yellow, green,
        magenta, cyan, blue;

private:
    struct RawTag {};
    constexpr Color(uint32_t argb, RawTag) : argb_(argb) {}
    static constexpr int clamp(int v) { return v < 0 ? 0 : (v > 255 ? 255 : v); }
    uint32_t argb_ = 0xff000000u;
};

using OptColor = std::optional<Color>;

// Colours of the desktop's look, for components that follow the system colours.
struct SystemColor {
    static const Color desktop, activeCaption, activeCaptionText, inactiveCaption, window,
        windowBorder, windowText, menu, menuText, text, textText, textHighlight,
        textHighlightText, textInactiveText, control, controlText, controlHighlight,
        controlLtHighlight, controlShadow, controlDkShadow, scrollbar, info, infoText;
};

}  // namespace host
