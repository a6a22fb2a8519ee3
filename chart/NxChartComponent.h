// A chart whose configuration is a flat list of simple properties, for visual
// builders: the first two data views (always present), the chart area's 3-D
// settings, the first X and Y axes, the header and the footer. Each property
// forwards to its part, with that part's checks and change notification; numeric
// axis values travel as decimal text.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "chart/NxChart.h"
#include "chart/NxLegend.h"
#include "chart/model/NxAxisTitle.h"

namespace norvex::chart {

// The properties of one axis, named after the prefix (X1Axis or Y1Axis).
#define NX_CHART_AXIS_PROPERTIES(P)                                                  \
    bool get##P##IsLogarithmic() const { return P().getIsLogarithmic(); }           \
    void set##P##IsLogarithmic(bool b) { P().setIsLogarithmic(b); }                 \
    bool get##P##IsReversed() const { return P().getIsReversed(); }                 \
    void set##P##IsReversed(bool b) { P().setIsReversed(b); }                       \
    bool get##P##IsShowing() const { return P().getIsShowing(); }                   \
    void set##P##IsShowing(bool b) { P().setIsShowing(b); }                         \
    bool get##P##GridIsShowing() const { return P().getGridIsShowing(); }           \
    void set##P##GridIsShowing(bool b) { P().setGridIsShowing(b); }                 \
    int get##P##AnnotationRotation() const { return P().getAnnotationRotation(); }  \
    void set##P##AnnotationRotation(int v) { P().setAnnotationRotation(v); }        \
    int get##P##Placement() const { return P().getPlacement(); }                    \
    void set##P##Placement(int v) { P().setPlacement(v); }                          \
    int get##P##AnnotationMethod() const { return P().getAnnotationMethod(); }      \
    void set##P##AnnotationMethod(int v) { P().setAnnotationMethod(v); }            \
    int get##P##OriginPlacement() const { return P().getOriginPlacement(); }        \
    void set##P##OriginPlacement(int v) { P().setOriginPlacement(v); }              \
    int64_t get##P##TimeUnit() const { return P().getTimeUnit(); }                  \
    void set##P##TimeUnit(int64_t v) { P().setTimeUnit(v); }                        \
    int get##P##TitlePlacement() const { return titleOf(P()).getPlacement(); }      \
    void set##P##TitlePlacement(int v) { titleOf(P()).setPlacement(v); }            \
    int get##P##Precision() const { return P().getPrecision(); }                    \
    void set##P##Precision(int v) { P().setPrecision(v); }                          \
    std::string get##P##NumSpacing() const { return numberText(P().getNumSpacing()); } \
    void set##P##NumSpacing(const std::string& s) { P().setNumSpacing(parseNumber(s, #P "NumSpacing")); } \
    std::string get##P##TickSpacing() const { return numberText(P().getTickSpacing()); } \
    void set##P##TickSpacing(const std::string& s) { P().setTickSpacing(parseNumber(s, #P "TickSpacing")); } \
    std::string get##P##GridSpacing() const { return numberText(P().getGridSpacing()); } \
    void set##P##GridSpacing(const std::string& s) { P().setGridSpacing(parseNumber(s, #P "GridSpacing")); } \
    std::string get##P##Min() const { return numberText(P().getMin()); }            \
    void set##P##Min(const std::string& s) { P().setMin(parseNumber(s, #P "Min")); } \
    std::string get##P##Max() const { return numberText(P().getMax()); }            \
    void set##P##Max(const std::string& s) { P().setMax(parseNumber(s, #P "Max")); } \
    std::string get##P##Origin() const { return numberText(P().getOrigin()); }      \
    void set##P##Origin(const std::string& s) { P().setOrigin(parseNumber(s, #P "Origin")); } \
    std::string get##P##TimeFormat() const { return P().getTimeFormat(); }          \
    void set##P##TimeFormat(const std::string& s) { P().setTimeFormat(s); }         \
    std::string get##P##TitleText() const { return titleOf(P()).getText(); }        \
    void set##P##TitleText(const std::string& s) { titleOf(P()).setText(s, true); } \
    bool get##P##TitleIsShowing() const { return titleOf(P()).getIsShowing(); }     \
    void set##P##TitleIsShowing(bool b) { titleOf(P()).setIsShowing(b); }           \
    bool get##P##PrecisionIsDefault() const { return P().getPrecisionIsDefault(); } \
    void set##P##PrecisionIsDefault(bool b) { P().setPrecisionIsDefault(b); }       \
    bool get##P##NumSpacingIsDefault() const { return P().getNumSpacingIsDefault(); } \
    void set##P##NumSpacingIsDefault(bool b) { P().setNumSpacingIsDefault(b); }     \
    bool get##P##TickSpacingIsDefault() const { return P().getTickSpacingIsDefault(); } \
    void set##P##TickSpacingIsDefault(bool b) { P().setTickSpacingIsDefault(b); }   \
    bool get##P##GridSpacingIsDefault() const { return P().getGridSpacingIsDefault(); } \
    void set##P##GridSpacingIsDefault(bool b) { P().setGridSpacingIsDefault(b); }   \
    bool get##P##TimeFormatIsDefault() const { return P().getTimeFormatIsDefault(); } \
    void set##P##TimeFormatIsDefault(bool b) { P().setTimeFormatIsDefault(b); }     \
    bool get##P##MinIsDefault() const { return P().getMinIsDefault(); }             \
    void set##P##MinIsDefault(bool b) { P().setMinIsDefault(b); }                   \
    bool get##P##MaxIsDefault() const { return P().getMaxIsDefault(); }             \
    void set##P##MaxIsDefault(bool b) { P().setMaxIsDefault(b); }                   \
    bool get##P##OriginIsDefault() const { return P().getOriginIsDefault(); }       \
    void set##P##OriginIsDefault(bool b) { P().setOriginIsDefault(b); }             \
    bool get##P##TitlePlacementIsDefault() const { return titleOf(P()).getPlacementIsDefault(); } \
    void set##P##TitlePlacementIsDefault(bool b) { titleOf(P()).setPlacementIsDefault(b); }

class NxChartComponent : public NxChart {
    HOST_CREATABLE(NxChartComponent, "norvex.chart.NxChartComponent", NxChart)
public:
    NxChartComponent();
    NxChartComponent(host::Applet* applet, const std::string& name);

    // A page configures it with the chart's parameters.
    void getParameters() override;

    // One view per name, named after it; views of the previous list that are not
    // in the new one are removed. A name starting with "http:" or "https:" is a
    // URL, any other a file.
    const std::vector<std::string>& getDataSources() const { return dataSources; }
    void setDataSources(const std::vector<std::string>& names);
    // The data source of view 1 (index 0) and view 2 (index 1).
    const std::string& getDataView1() const { return dataView1; }
    void setDataView1(const std::string& name);
    const std::string& getDataView2() const { return dataView2; }
    void setDataView2(const std::string& name);
    int getDataView1ChartType() const { return view(0).getChartType(); }
    void setDataView1ChartType(int t) { view(0).setChartType(t); }
    int getDataView2ChartType() const { return view(1).getChartType(); }
    void setDataView2ChartType(int t) { view(1).setChartType(t); }
    bool getDataViewIsInverted() const { return view(0).getIsInverted(); }
    void setDataViewIsInverted(bool b) { view(0).setIsInverted(b); }

    bool getAxisBoundingBox() const { return area().getAxisBoundingBox(); }
    void setAxisBoundingBox(bool b) { area().setAxisBoundingBox(b); }
    bool getFastAction() const { return area().getFastAction(); }
    void setFastAction(bool b) { area().setFastAction(b); }
    int getDepth() const { return area().getDepth(); }
    void setDepth(int v) { area().setDepth(v); }
    int getElevation() const { return area().getElevation(); }
    void setElevation(int v) { area().setElevation(v); }
    int getRotation() const { return area().getRotation(); }
    void setRotation(int v) { area().setRotation(v); }

    NX_CHART_AXIS_PROPERTIES(X1Axis)
    NX_CHART_AXIS_PROPERTIES(Y1Axis)

    std::string getHeaderText() const { return title(true).getText(); }
    void setHeaderText(const std::string& s) { title(true).setText(s, true); }
    bool getHeaderIsShowing() const { return title(true).getIsShowing(); }
    void setHeaderIsShowing(bool b) { title(true).setIsShowing(b); }
    std::string getFooterText() const { return title(false).getText(); }
    void setFooterText(const std::string& s) { title(false).setText(s, true); }
    bool getFooterIsShowing() const { return title(false).getIsShowing(); }
    void setFooterIsShowing(bool b) { title(false).setIsShowing(b); }
    bool getLegendIsShowing() const { return legendPart().getIsShowing(); }
    void setLegendIsShowing(bool b) { legendPart().setIsShowing(b); }
    int getLegendAnchor() const { return legendPart().getAnchor(); }
    void setLegendAnchor(int a) { legendPart().setAnchor(a); }
    int getLegendOrientation() const { return legendPart().getOrientation(); }
    void setLegendOrientation(int o) { legendPart().setOrientation(o); }

    // The shortest decimal text that reads back as the same number, with ".0" on
    // whole numbers (5 gives "5.0").
    static std::string numberText(double v);
    // std::invalid_argument "Invalid <property> value in NxChartComponent" for text
    // that is not a number.
    static double parseNumber(const std::string& s, const char* property);

private:
    ChartDataView& view(int i) const;
    NxLegend& legendPart() const { return const_cast<NxChartComponent*>(this)->getLegend(); }
    NxChartArea& area() const;
    NxAxis& X1Axis() const;
    NxAxis& Y1Axis() const;
    static NxAxisTitle& titleOf(NxAxis& a);
    NxTitle& title(bool header) const;
    // A file or URL data source for the name; null (reported) when it cannot be read.
    static std::shared_ptr<Chartable> openSource(const std::string& name);

    std::optional<std::vector<std::string>> previousSources;
    std::vector<std::string> dataSources;
    std::string dataView1, dataView2;
};

#undef NX_CHART_AXIS_PROPERTIES

}  // namespace norvex::chart
