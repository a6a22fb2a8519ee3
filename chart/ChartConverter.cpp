#include "chart/ChartConverter.h"

#include <cmath>
#include <functional>
#include <limits>
#include <iostream>
#include <stdexcept>

#include "chart/LabelConverter.h"
#include "chart/NxChart.h"
#include "chart/PieChartParams.h"
#include "chart/interact/TriggerParams.h"
#include "chart/model/NxAxisTitle.h"
#include "chart/model/NxBarChartFormat.h"
#include "chart/model/NxValueLabel.h"
#include "chart/source/InputStreamDataSource.h"
#include "chart/source/URLDataSource.h"
#include "host/page/Applet.h"
#include "host/runtime/URL.h"

namespace norvex::chart {

namespace {
using util::OptString;
using Strings = std::vector<std::string>;
using Ints = std::vector<int>;

const Strings border_strings{"NONE", "ETCHED_IN", "ETCHED_OUT", "IN", "OUT", "PLAIN", "FRAME_IN", "FRAME_OUT"};
const Ints border_values{0, 1, 2, 3, 4, 5, 6, 7};
const Strings originPlacement_strings{"AUTOMATIC", "ZERO", "MIN", "MAX"};
const Ints originPlacement_values{0, 3, 1, 2};
const Strings shape_strings{"NONE", "DOT", "BOX", "TRIANGLE", "DIAMOND", "STAR",
                            "VERT_LINE", "HORIZ_LINE", "CROSS", "CIRCLE", "SQUARE"};
const Ints shape_values{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
const Strings adjust_strings{"LEFT", "CENTER", "RIGHT"};
const Ints adjust_values{0, 1, 2};
const Strings chartType_strings{"PLOT", "SCATTER_PLOT", "AREA", "BAR", "STACKING_BAR", "PIE"};
const Ints chartType_values{0, 1, 8, 9, 10, 11};
const Strings rotation_strings{"0", "90", "180", "270"};
const Ints rotation_values{0, 1, 2, 3};
const Strings annRotation_strings{"NONE", "90", "270"};
const Ints annRotation_values{0, 1, 3};
const Strings annotationMethod_strings{"VALUE", "VALUE_LABELS", "TIME_LABELS", "POINT_LABELS"};
const Ints annotationMethod_values{0, 1, 2, 3};
const Strings placement_strings{"AUTOMATIC", "ORIGIN", "MIN", "MAX", "VALUE_ANCHORED"};
const Ints placement_values{0, 5, 1, 2, 4};
const Strings titlePlacement_strings{"NORTHEAST", "NORTH", "NORTHWEST", "EAST", "WEST", "SOUTHEAST", "SOUTH", "SOUTHWEST"};
const Ints titlePlacement_values{17, 16, 18, 1, 2, 33, 32, 34};
const Strings timeUnit_strings{"SECONDS", "MINUTES", "HOURS", "DAYS", "WEEKS", "MONTHS", "YEARS"};
const std::vector<int64_t> timeUnit_values{1000, 60000, 3600000, 86400000, 604800000, 2678400000LL, 31536000000LL};
const Strings angleUnit_strings{"DEGREES", "RADIANS", "GRADS"};
const Ints angleUnit_values{1, 2, 3};

// Reads the parameters of one chart: each present parameter is converted and applied;
// a refusal by the property is one line on the error output.
class Reader {
public:
    explicit Reader(NxChart& c) : chart(c), conv(*ombu::NxContainer::getConverter()) {}

    OptString param(const std::string& name) { return chart.getParam(name); }

    void apply(const std::string& name, const std::function<void(const std::string&)>& set) {
        OptString v = param(name);
        if (!v) return;
        try {
            set(*v);
        } catch (const std::exception& e) {
            std::cerr << "Parameter " << name << " = \"" << *v << "\": " << e.what() << "\n";
        }
    }
    void boolean(const std::string& name, bool current, const std::function<void(bool)>& set) {
        apply(name, [&](const std::string& s) { set(conv.toBoolean(s, current)); });
    }
    void integer(const std::string& name, int current, const std::function<void(int)>& set) {
        apply(name, [&](const std::string& s) { set(conv.toInt(s, current)); });
    }
    void number(const std::string& name, double current, const std::function<void(double)>& set) {
        apply(name, [&](const std::string& s) { set(conv.toDouble(s, current)); });
    }
    void color(const std::string& name, const host::OptColor& current, const std::function<void(const host::Color&)>& set) {
        apply(name, [&](const std::string& s) {
            if (auto c = conv.toColor(s, current)) set(*c);
        });
    }
    void font(const std::string& name, const std::optional<host::Font>& current,
              const std::function<void(const host::Font&)>& set) {
        apply(name, [&](const std::string& s) {
            if (auto f = conv.toFont(s, current)) set(*f);
        });
    }
    void enumeration(const std::string& name, const std::string& label, const Strings& strings, const Ints& values,
                     int current, const std::function<void(int)>& set) {
        apply(name, [&](const std::string& s) {
            set(conv.toEnum(s, label, strings, values, current));
        });
    }

    NxChart& chart;
    util::NxConverter& conv;
};

template <class Region>
void positionParams(Reader& r, Region& c, const std::string& p) {
    r.integer(p + ".top", c.getTop(), [&](int v) { c.setTop(v); });
    r.integer(p + ".left", c.getLeft(), [&](int v) { c.setLeft(v); });
    r.integer(p + ".width", c.getWidth2(), [&](int v) { c.setWidth(v); });
    r.integer(p + ".height", c.getHeight2(), [&](int v) { c.setHeight(v); });
}

void canvasParams(Reader& r, ChartCanvas& c, const std::string& p) {
    r.font(p + ".font", c.getFont(), [&](const host::Font& f) { c.setFont(f); });
    r.color(p + ".background", c.getBackground(), [&](const host::Color& v) { c.setBackground(v); });
    r.color(p + ".foreground", c.getForeground(), [&](const host::Color& v) { c.setForeground(v); });
    r.boolean(p + ".isShowing", c.getIsShowing(), [&](bool b) { c.setIsShowing(b); });
    r.enumeration(p + ".borderType", p + " border type", border_strings, border_values, c.getBorderType(),
                  [&](int v) { c.setBorderType(v); });
    r.integer(p + ".borderWidth", c.getBorderWidth(), [&](int v) { c.setBorderWidth(v); });
    positionParams(r, c, p);
}
}  // namespace

void ChartConverter::getParams(NxChart& chart) {
    Reader r(chart);
    auto view = chart.getDataView(0);
    if (!view) return;
    bool batched = chart.getIsBatched();
    chart.setIsBatched(true);

    std::shared_ptr<Chartable> source;
    if (OptString text = r.param("data")) {
        try {
            source = std::make_shared<InputStreamDataSource>(std::string_view(*text));
        } catch (const std::exception&) {
            std::cerr << "Error reading in 'data' parameter\n";
        }
    } else if (OptString file = r.param("dataFile")) {
        try {
            host::Applet* applet = chart.getApplet();
            source = applet ? std::make_shared<URLDataSource>(applet->getDocumentBase(), *file)
                            : std::make_shared<URLDataSource>(*file);
        } catch (const std::exception&) {
            std::cerr << "Error reading in 'dataFile' parameter\n";
        }
    } else {
        std::cerr << "no data or dataFile parameter\n";
    }
    TriggerParams::read([&](const std::string& n) { return r.param(n); }, r.conv, chart.getInteraction().getTriggers(),
                        &source);
    if (!source)
        std::cerr << "no data source!\n";
    else
        view->setDataSource(source);

    r.boolean("data.isInverted", view->getIsInverted(), [&](bool b) { view->setIsInverted(b); });
    r.enumeration("data.chartType", "chart type", chartType_strings, chartType_values, view->getChartType(),
                  [&](int t) { view->setChartType(t); });
    // Bar geometry: page extensions under "data.bar".
    if (view->getChartType() == ChartDataView::BAR || view->getChartType() == ChartDataView::STACKING_BAR) {
        auto bar = view->getBarChartFormat();
        r.integer("data.bar.clusterWidth", bar->getClusterWidth(), [&](int v) { bar->setClusterWidth(v); });
        r.integer("data.bar.clusterOverlap", bar->getClusterOverlap(), [&](int v) { bar->setClusterOverlap(v); });
        r.boolean("data.bar.is100Percent", bar->get100Percent(), [&](bool b) { bar->set100Percent(b); });
    }
    PieChartParams::getParams(chart, *view);
    r.boolean("data.isShowingInLegend", view->getIsShowingInLegend(), [&](bool b) { view->setIsShowingInLegend(b); });
    r.apply("data.pointLabels", [&](const std::string& s) {
        if (auto list = r.conv.toStringList(s)) view->setPointLabels(*list);
    });

    chart.ensureStyles();
    for (int i = 0; i < view->getNumSeries(); ++i)
        getSeriesParams(chart, *view->getSeries(i), "data.series" + std::to_string(i + 1));

    getTitleParams(chart, chart.getHeader(), "header");
    getTitleParams(chart, chart.getFooter(), "footer");
    getLegendParams(chart, chart.getLegend(), "legend");
    getChartAreaParams(chart, chart.getChartAreaRegion(), "chartArea");
    if (view->getXAxis()) getAxisParams(chart, *view->getXAxis(), "xaxis");
    if (view->getYAxis()) getAxisParams(chart, *view->getYAxis(), "yaxis");
    LabelConverter::getLabelParams(chart);
    chart.setIsBatched(batched);
}

void ChartConverter::getTitleParams(NxChart& chart, NxTitle& title, const std::string& p) {
    Reader r(chart);
    r.apply(p + ".text", [&](const std::string& s) { title.setText(s, true); });
    canvasParams(r, title, p);
}

void ChartConverter::getLegendParams(NxChart& chart, NxLegend& legend, const std::string& p) {
    static const Strings anchor_strings{"NORTHEAST", "NORTH", "NORTHWEST", "EAST", "WEST", "SOUTHEAST", "SOUTH", "SOUTHWEST"};
    static const Ints anchor_values{NxLegend::NORTHEAST, NxLegend::NORTH, NxLegend::NORTHWEST, NxLegend::EAST,
                                    NxLegend::WEST, NxLegend::SOUTHEAST, NxLegend::SOUTH, NxLegend::SOUTHWEST};
    static const Strings orientation_strings{"HORIZONTAL", "VERTICAL"};
    static const Ints orientation_values{NxLegend::HORIZONTAL, NxLegend::VERTICAL};
    Reader r(chart);
    r.enumeration(p + ".anchor", "legend anchor", anchor_strings, anchor_values, legend.getAnchor(),
                  [&](int v) { legend.setAnchor(v); });
    r.enumeration(p + ".orientation", "legend orientation", orientation_strings, orientation_values,
                  legend.getOrientation(), [&](int v) { legend.setOrientation(v); });
    canvasParams(r, legend, p);
}

void ChartConverter::getChartAreaParams(NxChart& chart, NxChartArea& area, const std::string& p) {
    Reader r(chart);
    canvasParams(r, area, p);
    r.boolean(p + ".axisBoundingBox", area.getAxisBoundingBox(), [&](bool b) { area.setAxisBoundingBox(b); });
    PlotArea& pa = area.getPlotArea();
    r.color(p + ".plotArea.foreground", pa.getForeground(), [&](const host::Color& c) { pa.setForeground(c); });
    r.color(p + ".plotArea.background", pa.getBackground(), [&](const host::Color& c) { pa.setBackground(c); });
    r.integer(p + ".plotArea.left", pa.getLeft(), [&](int v) { pa.setLeft(v); });
    r.integer(p + ".plotArea.right", pa.getRight(), [&](int v) { pa.setRight(v); });
    r.integer(p + ".plotArea.top", pa.getTop(), [&](int v) { pa.setTop(v); });
    r.integer(p + ".plotArea.bottom", pa.getBottom(), [&](int v) { pa.setBottom(v); });
    r.integer(p + ".depth", area.getDepth(), [&](int v) { area.setDepth(v); });
    r.integer(p + ".elevation", area.getElevation(), [&](int v) { area.setElevation(v); });
    r.integer(p + ".rotation", area.getRotation(), [&](int v) { area.setRotation(v); });
    r.enumeration(p + ".angleUnit", "angle unit", angleUnit_strings, angleUnit_values, area.getAngleUnit(),
                  [&](int v) { area.setAngleUnit(v); });
    r.boolean(p + ".fastAction", area.getFastAction(), [&](bool b) { area.setFastAction(b); });
}

void ChartConverter::getAxisParams(NxChart& chart, NxAxis& a, const std::string& p) {
    Reader r(chart);
    r.boolean(p + ".isShowing", a.getIsShowing(), [&](bool b) { a.setIsShowing(b); });
    r.boolean(p + ".isLogarithmic", a.getIsLogarithmic(), [&](bool b) { a.setIsLogarithmic(b); });
    r.enumeration(p + ".annotationRotation", "annotation rotation", annRotation_strings, annRotation_values,
                  a.getAnnotationRotation(), [&](int v) { a.setAnnotationRotation(v); });
    r.enumeration(p + ".annotationMethod", "annotation method", annotationMethod_strings, annotationMethod_values,
                  a.getAnnotationMethod(), [&](int v) { a.setAnnotationMethod(v); });
    r.enumeration(p + ".placement", "placement", placement_strings, placement_values, a.getPlacement(),
                  [&](int v) { a.setPlacement(v); });
    r.number(p + ".placementLocation", a.getPlacementLocation(), [&](double v) { a.setPlacementLocation(v); });
    r.apply(p + ".timeBase", [&](const std::string& s) {
        if (auto d = r.conv.toDate(s, std::nullopt)) a.setTimeBase(*d);
    });
    r.apply(p + ".timeUnit", [&](const std::string& s) {
        int64_t v = r.conv.toEnum(s, "time unit", timeUnit_strings, timeUnit_values, a.getTimeUnit());
        a.setTimeUnit(v);
    });
    r.apply(p + ".timeFormat", [&](const std::string& s) { a.setTimeFormat(s); });
    r.number(p + ".min", a.getMin(), [&](double v) { a.setMin(v); });
    r.number(p + ".max", a.getMax(), [&](double v) { a.setMax(v); });
    r.number(p + ".origin", a.getOrigin(), [&](double v) { a.setOrigin(v); });
    r.number(p + ".tickSpacing", a.getTickSpacing(), [&](double v) { a.setTickSpacing(v); });
    r.number(p + ".numSpacing", a.getNumSpacing(), [&](double v) { a.setNumSpacing(v); });
    r.number(p + ".gridSpacing", a.getGridSpacing(), [&](double v) { a.setGridSpacing(v); });
    r.integer(p + ".precision", a.getPrecision(), [&](int v) { a.setPrecision(v); });
    r.enumeration(p + ".originPlacement", "origin placement", originPlacement_strings, originPlacement_values,
                  a.getOriginPlacement(), [&](int v) { a.setOriginPlacement(v); });
    r.apply(p + ".title.text", [&](const std::string& s) { a.getTitle().setText(s, true); });
    r.enumeration(p + ".title.placement", "title placement", titlePlacement_strings, titlePlacement_values,
                  a.getTitle().getPlacement(), [&](int v) { a.getTitle().setPlacement(v); });
    r.enumeration(p + ".title.adjust", "title adjust", adjust_strings, adjust_values, a.getTitle().getAdjust(),
                  [&](int v) { a.getTitle().setAdjust(v); });
    r.enumeration(p + ".title.rotation", "title rotation", rotation_strings, rotation_values,
                  a.getTitle().getRotation(), [&](int v) { a.getTitle().setRotation(v); });
    r.boolean(p + ".gridIsShowing", a.getGridIsShowing(), [&](bool b) { a.setGridIsShowing(b); });
    r.color(p + ".gridColor", a.getGridStyle().getColor(), [&](const host::Color& c) { a.setGridColor(c); });
    r.apply(p + ".valueLabels", [&](const std::string& s) {
        auto list = r.conv.toStringList(s);
        if (!list) return;
        for (size_t i = 0; i + 1 < list->size(); i += 2) {
            double v = r.conv.toDouble((*list)[i], std::numeric_limits<double>::quiet_NaN());
            if (std::isnan(v)) {
                std::cerr << "Parameter " << p << ".valueLabels: \"" << (*list)[i] << "\" is not a number\n";
                continue;
            }
            a.addValueLabel(std::make_shared<NxValueLabel>(v, (*list)[i + 1], true));
        }
    });
    r.boolean(p + ".isEditable", a.getIsEditable(), [&](bool b) { a.setIsEditable(b); });
}

void ChartConverter::getSeriesParams(NxChart& chart, ChartDataViewSeries& s, const std::string& p) {
    Reader r(chart);
    if (!s.getStyle()) s.setStyle(NxChartStyle::makeDefault());
    NxChartStyle& st = *s.getStyle();
    r.color(p + ".line.color", st.getLineColor(), [&](const host::Color& c) { st.setLineColor(c); });
    r.integer(p + ".line.width", st.getLineWidth(), [&](int v) { st.setLineWidth(v); });
    r.color(p + ".symbol.color", st.getSymbolColor(), [&](const host::Color& c) { st.setSymbolColor(c); });
    r.enumeration(p + ".symbol.shape", "symbol shape", shape_strings, shape_values, st.getSymbolShape(),
                  [&](int v) { st.setSymbolShape(v); });
    r.integer(p + ".symbol.size", st.getSymbolSize(), [&](int v) { st.setSymbolSize(v); });
    r.color(p + ".fill.color", st.getFillColor(), [&](const host::Color& c) { st.setFillColor(c); });
    r.apply(p + ".fill.image", [&](const std::string& name) {
        auto img = r.conv.toImage(&chart, name);
        if (img && !img->hasError())
            st.setFillImage(img);
        else
            std::cerr << "Parameter " << p << ".fill.image: cannot load \"" << name << "\"\n";
    });
    r.boolean(p + ".isShowing", s.getIsShowing(), [&](bool b) { s.setIsShowing(b); });
    r.boolean(p + ".isIncluded", s.getIsIncluded(), [&](bool b) { s.setIsIncluded(b); });
    r.boolean(p + ".isShowingInLegend", s.getIsShowingInLegend(), [&](bool b) { s.setIsShowingInLegend(b); });
    r.integer(p + ".firstPoint", s.getFirstPoint(), [&](int v) { s.setFirstPoint(v); });
    r.integer(p + ".lastPoint", s.getLastPoint(), [&](int v) { s.setLastPoint(v); });
    r.apply(p + ".label", [&](const std::string& v) { s.setLabel(v); });
}

}  // namespace norvex::chart
