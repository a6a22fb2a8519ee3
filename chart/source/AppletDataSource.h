// Chart data text given in the "DATA" parameter of the embedding page.
#pragma once

#include "chart/source/InputStreamDataSource.h"

namespace host {
class Applet;
}

namespace norvex::chart {

class AppletDataSource : public InputStreamDataSource {
    HOST_OBJECT(AppletDataSource, "norvex.chart.AppletDataSource", InputStreamDataSource)
public:
    // host::IOException "No DATA tag" when the page has no such parameter (or there is
    // no applet). Writes "Parsing data from:" and the text through ChartDiagnostics.
    explicit AppletDataSource(const host::Applet* applet);
};

}  // namespace norvex::chart
