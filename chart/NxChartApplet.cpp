#include "chart/NxChartApplet.h"

#include "host/ui/Container.h"

namespace norvex::chart {

NxChartApplet::NxChartApplet(host::Applet* applet, const std::string& name) : NxContainer(applet, name) {
    setLayout(std::make_shared<host::GridLayout>(1, 1));
}

void NxChartApplet::initialize() {
    NxContainer::initialize();
    // The chart reads the page's parameters itself (under its name "chart" first).
    chart = host::create<NxChart>(getApplet(), "chart");
    add(chart);
}

}  // namespace norvex::chart
