// The chart for embedding pages: a one-cell grid holding one chart named "chart",
// built from the page's parameters.
#pragma once

#include <memory>
#include <string>

#include "chart/NxChart.h"
#include "ombu/NxContainer.h"

namespace norvex::chart {

class NxChartApplet : public ombu::NxContainer {
    HOST_CREATABLE(NxChartApplet, "norvex.chart.NxChartApplet", ombu::NxContainer)
public:
    NxChartApplet() : NxChartApplet(nullptr, "") {}
    NxChartApplet(host::Applet* applet, const std::string& name);
    void initialize() override;
    NxChart& getChart() { return *chart; }

private:
    std::shared_ptr<NxChart> chart;
};

}  // namespace norvex::chart
