// The header or footer of a chart: a region holding one piece of chart text.
#pragma once

#include <string>

#include "chart/area/ChartCanvas.h"
#include "chart/base/ChartText.h"

namespace norvex::chart {

class NxTitle : public ChartCanvas {
    HOST_OBJECT(NxTitle, "norvex.chart.NxTitle", ChartCanvas)
public:
    // A new title is hidden until it is shown or given text.
    NxTitle();

    ChartText& getLabel() { return *label; }
    const std::string& getText() const { return label->getText(); }
    // Rich text unless richText is false; showing the text shows the title.
    void setText(const std::string& s, bool richText = true);
    int getAdjust() const { return label->getAdjust(); }
    void setAdjust(int a) { label->setAdjust(a); }
    void setIsShowing(bool b) override;

    // The size of the text with the insets and the border.
    void recalc() override;
    host::Dimension preferredSize() override;
    void paintComponent(host::Graphics& g) override;

private:
    host::Font labelFont() const;
    ChartTextPtr label;
};

using NxTitlePtr = std::shared_ptr<NxTitle>;

}  // namespace norvex::chart
