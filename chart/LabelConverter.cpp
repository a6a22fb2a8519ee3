#include "chart/LabelConverter.h"

#include <functional>
#include <iostream>
#include <string>
#include <vector>

#include "chart/NxChart.h"
#include "chart/NxChartLabel.h"
#include "chart/area/NxMarker.h"

namespace norvex::chart {

namespace {
using Strings = std::vector<std::string>;
using Ints = std::vector<int>;

const Strings labelAnchor_strings{"NORTHEAST", "NORTH", "NORTHWEST", "EAST", "WEST",
                                  "SOUTHEAST", "SOUTH", "SOUTHWEST", "CENTER", "AUTO"};
const Ints labelAnchor_values{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
const Strings attach_strings{"NONE", "COORD", "DATACOORD", "DATAINDEX"};
const Ints attach_values{0, 1, 2, 3};
const Strings border_strings{"NONE", "ETCHED_IN", "ETCHED_OUT", "IN", "OUT", "PLAIN", "FRAME_IN", "FRAME_OUT"};
const Ints border_values{0, 1, 2, 3, 4, 5, 6, 7};
const Strings axis_strings{"X", "Y"};
const Ints axis_values{0, 1};
const Strings linePattern_strings{"NONE", "SOLID", "LONG_DASH", "SHORT_DASH", "LSL_DASH", "DASH_DOT"};
const Ints linePattern_values{0, 1, 2, 3, 4, 5};

// Reads the parameters under one prefix; a value the property refuses is one line
// on the error output.
class Params {
public:
    Params(NxChart& c, std::string p) : chart(c), conv(*ombu::NxContainer::getConverter()), prefix(std::move(p)) {}

    util::OptString get(const std::string& suffix) { return chart.getParam(prefix + suffix); }
    void apply(const std::string& suffix, const std::function<void(const std::string&)>& set) {
        util::OptString v = get(suffix);
        if (!v) return;
        try {
            set(*v);
        } catch (const std::exception& e) {
            std::cerr << "Parameter " << prefix << suffix << " = \"" << *v << "\": " << e.what() << "\n";
        }
    }
    void integer(const std::string& suffix, int current, const std::function<void(int)>& set) {
        apply(suffix, [&](const std::string& s) { set(conv.toInt(s, current)); });
    }
    void number(const std::string& suffix, double current, const std::function<void(double)>& set) {
        apply(suffix, [&](const std::string& s) { set(conv.toDouble(s, current)); });
    }
    void boolean(const std::string& suffix, bool current, const std::function<void(bool)>& set) {
        apply(suffix, [&](const std::string& s) { set(conv.toBoolean(s, current)); });
    }
    void color(const std::string& suffix, const host::OptColor& current,
               const std::function<void(const host::Color&)>& set) {
        apply(suffix, [&](const std::string& s) {
            if (auto c = conv.toColor(s, current)) set(*c);
        });
    }
    void enumeration(const std::string& suffix, const std::string& label, const Strings& strings, const Ints& values,
                     int current, const std::function<void(int)>& set) {
        apply(suffix, [&](const std::string& s) { set(conv.toEnum(s, label, strings, values, current)); });
    }

    NxChart& chart;
    util::NxConverter& conv;
    std::string prefix;
};

// Series numbers count from 1, as in "data.seriesN"; 0 means none given.
int seriesNumber(Params& r, const std::shared_ptr<ChartDataView>& view) {
    int n = r.conv.toInt(r.get(".series"), 0);
    if (!r.get(".series")) return 0;
    if (n < 1 || !view || n > view->getNumSeries()) {
        std::cerr << "Parameter " << r.prefix << ".series = \"" << *r.get(".series") << "\": no such series\n";
        return -1;
    }
    return n;
}

void readLabel(Params& r, const std::shared_ptr<ChartDataView>& view) {
    auto label = host::create<NxChartLabel>(*r.get(".text"), true);
    NxChartLabel& l = *label;
    l.setDataView(view);
    r.chart.addChartLabel(label);
    r.enumeration(".anchor", r.prefix + " anchor", labelAnchor_strings, labelAnchor_values, l.getAnchor(),
                  [&](int v) { l.setAnchor(v); });
    r.enumeration(".attachMethod", r.prefix + " attach method", attach_strings, attach_values, l.getAttachMethod(),
                  [&](int v) { l.setAttachMethod(v); });
    host::Point c = l.getCoord();
    r.integer(".x", c.x, [&](int v) { c.x = v; });
    r.integer(".y", c.y, [&](int v) { c.y = v; });
    l.setCoord(c);
    NxDataCoord dc = l.getDataCoord();
    r.number(".dataX", dc.x, [&](double v) { dc.x = v; });
    r.number(".dataY", dc.y, [&](double v) { dc.y = v; });
    l.setDataCoord(dc);
    int s = seriesNumber(r, view);
    if (s > 0) {
        int point = 0;
        r.integer(".point", 0, [&](int v) { point = v; });
        if (point < 0)
            std::cerr << "Parameter " << r.prefix << ".point = " << point << ": no such point\n";
        else
            l.setDataIndex(s - 1, point);
    }
    host::Point o = l.getOffset();
    r.integer(".offsetX", o.x, [&](int v) { o.x = v; });
    r.integer(".offsetY", o.y, [&](int v) { o.y = v; });
    l.setOffset(o);
    r.boolean(".isConnected", l.getIsConnected(), [&](bool b) { l.setIsConnected(b); });
    r.integer(".dwellDelay", l.getDwellDelay(), [&](int v) { l.setDwellDelay(v); });
    r.boolean(".isDwellLabel", l.getIsDwellLabel(), [&](bool b) { l.setIsDwellLabel(b); });
    r.apply(".font", [&](const std::string& s2) {
        if (auto f = r.conv.toFont(s2, std::nullopt)) l.setFont(*f);
    });
    r.color(".background", l.getBackground(), [&](const host::Color& v) { l.setBackground(v); });
    r.color(".foreground", l.getForeground(), [&](const host::Color& v) { l.setForeground(v); });
    r.enumeration(".borderType", r.prefix + " border type", border_strings, border_values, l.getBorderType(),
                  [&](int v) { l.setBorderType(v); });
    r.integer(".borderWidth", l.getBorderWidth(), [&](int v) { l.setBorderWidth(v); });
}

void readMarker(Params& r, const std::shared_ptr<ChartDataView>& view) {
    auto m = host::create<NxMarker>();
    int s = seriesNumber(r, view);
    if (s < 0) return;
    if (s > 0) m->setSeries(view->getSeries(s - 1));
    r.number(".value", m->getValue(), [&](double v) { m->setValue(v); });
    r.integer(".point", m->getPoint(), [&](int v) { m->setPoint(v); });
    // A value marks the Y axis unless told otherwise; a point marks its X value.
    int axis = s > 0 ? -1 : 1;
    r.enumeration(".axis", r.prefix + " axis", axis_strings, axis_values, axis, [&](int v) { axis = v; });
    if (axis >= 0 && view) m->setAxis(axis == 0 ? view->getXAxis() : view->getYAxis());
    NxChartStyle& st = *m->getStyle();
    r.color(".color", st.getLineColor(), [&](const host::Color& c) { st.setLineColor(c); });
    r.integer(".width", st.getLineWidth(), [&](int v) { st.setLineWidth(v); });
    r.enumeration(".pattern", r.prefix + " pattern", linePattern_strings, linePattern_values, st.getLinePattern(),
                  [&](int v) { st.setLinePattern(v); });
    r.chart.getChartAreaRegion().addMarker(m);
}
}  // namespace

void LabelConverter::getLabelParams(NxChart& chart) {
    auto view = chart.getDataView(0);
    for (int i = 1; i <= MAX_COUNT; ++i) {
        Params r(chart, "chartLabel" + std::to_string(i));
        if (!r.get(".text")) break;
        readLabel(r, view);
    }
    for (int i = 1; i <= MAX_COUNT; ++i) {
        Params r(chart, "marker" + std::to_string(i));
        if (!r.get(".value") && !r.get(".series")) break;
        readMarker(r, view);
    }
}

}  // namespace norvex::chart
