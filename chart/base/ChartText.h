// A piece of chart text inside a region: plain or rich text (bracket markup parsed
// into an NxString), with an alignment and a rotation. The region's bounds are set by
// whoever lays the text out (the axis annotation, titles).
#pragma once

#include <memory>
#include <string>

#include "chart/base/ChartRegion.h"
#include "host/base/Geometry.h"

namespace host {
class Image;
}

namespace norvex::util {
class NxString;
}

namespace norvex::chart {

class ChartText : public ChartRegion {
    HOST_OBJECT(ChartText, "norvex.chart.ChartText", ChartRegion)
public:
    static constexpr int LEFT = 0, CENTER = 1, RIGHT = 2;
    static constexpr int DEG_0 = 0, DEG_90 = 1, DEG_180 = 2, DEG_270 = 3;

    ChartText() = default;
    explicit ChartText(const std::string& text, bool richText = false);

    const std::string& getText() const { return text; }
    void setText(const std::string& s) { setText(s, nxstring); }
    // richText: the text is parsed as rich text.
    void setText(const std::string& s, bool richText);
    // Rich text given as parsed contents; the text becomes its markup.
    void setRichContents(std::shared_ptr<util::NxString> contents);
    bool getIsRichText() const { return nxstring; }
    // The parsed rich text, or null for plain text.
    std::shared_ptr<util::NxString> getRealContents() const { return realContents; }

    int getRotation() const { return rotation; }
    void setRotation(int r);
    int getAdjust() const { return adjust; }
    void setAdjust(int a);

    // Unrotated size of the text in the region's font.
    host::Dimension calcSize() const;
    // The text inside the region's rectangle in its font and foreground colour.
    void draw(host::Graphics& g) override;

private:
    int adjust = LEFT;
    int rotation = DEG_0;
    std::string text;
    bool nxstring = false;
    std::shared_ptr<util::NxString> realContents;
    // The rotated text, rendered once and redrawn until its look changes.
    std::shared_ptr<host::Image> buffer;
    std::string bufferKey;

    void drawRotated(host::Graphics& g, const host::Font& f, const host::Color& fg, const host::Rectangle& r);
};

using ChartTextPtr = std::shared_ptr<ChartText>;

}  // namespace norvex::chart
