// One axis label: a value on the axis and the chart text shown there.
#pragma once

#include <memory>
#include <string>

#include "chart/base/ChartText.h"
#include "host/runtime/Object.h"

namespace norvex::chart {

class NxAxis;

class NxValueLabel : public host::Object {
    HOST_OBJECT(NxValueLabel, "norvex.chart.NxValueLabel", host::Object)
public:
    NxValueLabel();
    NxValueLabel(double value, const std::string& text, bool richText = false);
    // A generated number label: the axis' label generator or its number format.
    NxValueLabel(NxAxis& axis, double value, int prec);
    // A generated decade label of a logarithmic axis, at 10^exponent.
    static std::shared_ptr<NxValueLabel> decade(NxAxis& axis, int exponent, int prec);

    ChartText& getChartText() const { return *label; }
    const ChartTextPtr& getChartTextPtr() const { return label; }
    double getValue() const { return value; }
    void setValue(double v);
    const std::string& getText() const { return label->getText(); }
    void setText(const std::string& s);
    void setParent(NxAxis* axis) { parent = axis; }
    NxAxis* getParent() const { return parent; }
    // The text for value from the axis' generator (lg: value is a decade exponent)
    // or, without one, from the axis' number format; it takes the annotation rotation.
    void setGeneratedLabel(NxAxis& axis, double v, int prec, bool lg);

    // Whether the annotation pass keeps the label on the axis.
    bool getIsVisible() const { return visible; }
    void setIsVisible(bool b) { visible = b; }

    std::string toString() const override;

private:
    double value = 0.0;
    ChartTextPtr label;
    NxAxis* parent = nullptr;  // not owned
    bool visible = true;
};

using NxValueLabelPtr = std::shared_ptr<NxValueLabel>;

}  // namespace norvex::chart
