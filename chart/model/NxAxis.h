// One X or Y axis of the chart area: the properties that decide its scale and the
// finished scale computed from the data limits of the views that use it (bounds,
// origin, numbering and tick spacing, precision) with the value-to-pixel map.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "chart/base/ChartLinks.h"
#include "chart/base/ChartRegion.h"
#include "chart/base/DerivedDouble.h"
#include "chart/base/DerivedInt.h"
#include "chart/base/DerivedString.h"
#include "chart/base/MinMax.h"
#include "chart/style/NxChartStyle.h"
#include "host/base/Date.h"

namespace norvex::chart {

class AxisHandler;
class AnnotationHandler;
struct AnnotationExtents;
class NxAxisFormula;
class NxAxisTitle;
class NxLabelGenerator;
class NxValueLabel;

class NxAxis : public ChartRegion {
    HOST_OBJECT(NxAxis, "norvex.chart.NxAxis", ChartRegion)
public:
    static constexpr int64_t SECONDS = 1000, MINUTES = 60000, HOURS = 3600000, DAYS = 86400000,
                             WEEKS = 604800000, MONTHS = 2678400000LL, YEARS = 31536000000LL;
    static constexpr int MAX_PRECISION = 6;
    static constexpr int AUTOMATIC = 0, MIN = 1, MAX = 2, ZERO = 3, VALUE_ANCHORED = 4, ORIGIN = 5;
    static constexpr int VALUE = 0, VALUE_LABELS = 1, TIME_LABELS = 2, POINT_LABELS = 3;
    static constexpr int ROTATE_NONE = 0, ROTATE_90 = 1, ROTATE_180 = 2, ROTATE_270 = 3;

    NxAxis();
    NxAxis(AxisArea* area, bool vert, int meth);
    ~NxAxis() override;

    std::string toString() const override;
    virtual void init();
    AxisArea* getChartArea() const { return chartArea; }
    void setChartArea(AxisArea* area) { chartArea = area; }

    bool getGridIsShowing() const { return gridIsShowing; }
    void setGridIsShowing(bool b);
    double getGridSpacing() const { return gridSpacing.value; }
    void setGridSpacing(double v);
    bool getGridSpacingIsDefault() const { return gridSpacing.isDefault; }
    void setGridSpacingIsDefault(bool b);
    // The grid lines' style (a light grey solid line unless set).
    NxLineStyle& getGridStyle();
    void setGridColor(const host::Color& c) { getGridStyle().setColor(c); }
    bool getIsLogarithmic() const { return isLogarithmic; }
    void setIsLogarithmic(bool b);
    bool getIsEditable() const { return isEditable; }
    void setIsEditable(bool b);
    double getMin() const { return min.value; }
    void setMin(double v);
    bool getMinIsDefault() const { return min.isDefault; }
    void setMinIsDefault(bool b);
    double getMax() const { return max.value; }
    void setMax(double v);
    bool getMaxIsDefault() const { return max.isDefault; }
    void setMaxIsDefault(bool b);
    double getOrigin() const { return origin.value; }
    void setOrigin(double v);
    bool getOriginIsDefault() const { return origin.isDefault; }
    void setOriginIsDefault(bool b);
    int getOriginPlacement() const { return originPlacement.value; }
    void setOriginPlacement(int p);
    bool getOriginPlacementIsDefault() const { return originPlacement.isDefault; }
    void setOriginPlacementIsDefault(bool b);
    bool getIsReversed() const { return isReversed; }
    void setIsReversed(bool b);
    NxAxisFormula& getFormula();
    bool hasFormula() const { return formula != nullptr; }
    int getAnnotationRotation() const { return annotationRotation; }
    void setAnnotationRotation(int r);
    void setPlacement(int p);
    void setPlacement(const std::shared_ptr<NxAxis>& axis);
    void setPlacement(const std::shared_ptr<NxAxis>& axis, double location);
    int getPlacement() const { return placement.value; }
    bool getPlacementIsDefault() const { return placement.isDefault; }
    void setPlacementIsDefault(bool b);
    std::shared_ptr<NxAxis> getPlacementAxis() const { return placementAxis.lock(); }
    void setPlacementAxis(const std::shared_ptr<NxAxis>& axis);
    double getPlacementLocation() const { return placementLocation; }
    void setPlacementLocation(double v);
    int getAnnotationMethod() const { return annotationMethod; }
    void setAnnotationMethod(int m);
    int getPrecision() const { return precision.value; }
    void setPrecision(int p);
    bool getPrecisionIsDefault() const { return precision.isDefault; }
    void setPrecisionIsDefault(bool b);
    double getNumSpacing() const { return numSpacing.value; }
    void setNumSpacing(double v);
    bool getNumSpacingIsDefault() const { return numSpacing.isDefault; }
    void setNumSpacingIsDefault(bool b);
    double getTickSpacing() const { return tickSpacing.value; }
    void setTickSpacing(double v);
    bool getTickSpacingIsDefault() const { return tickSpacing.isDefault; }
    void setTickSpacingIsDefault(bool b);
    int64_t getTimeUnit() const { return timeUnit; }
    void setTimeUnit(int64_t u);
    host::Date getTimeBase();
    void setTimeBase(const std::optional<host::Date>& d);
    const std::string& getTimeFormat() const { return timeFormat.value; }
    void setTimeFormat(const std::string& f);
    bool getTimeFormatIsDefault() const { return timeFormat.isDefault; }
    void setTimeFormatIsDefault(bool b);
    bool getIsVertical() const { return isVertical; }
    void setIsVertical(bool b);
    int getGap() const { return gap; }
    void setGap(int g);
    int getTickLength() const { return tickLength; }

    // The title, created on first use.
    NxAxisTitle& getTitle();
    void setTitle(std::shared_ptr<NxAxisTitle> t);
    // The title when one was made, else null.
    NxAxisTitle* peekTitle() const { return title.get(); }
    const std::shared_ptr<NxLabelGenerator>& getLabelGenerator() const { return labelGenerator; }
    void setLabelGenerator(std::shared_ptr<NxLabelGenerator> g);

    // The program's value labels (shown with the VALUE_LABELS annotation method).
    std::shared_ptr<NxValueLabel> getValueLabel(double value) const;
    // Inserts in value order; a label of an equal value is replaced.
    void addValueLabel(std::shared_ptr<NxValueLabel> vl);
    // A copy, or nullopt when there are none.
    std::optional<std::vector<std::shared_ptr<NxValueLabel>>> getValueLabels() const;
    std::shared_ptr<NxValueLabel> getValueLabels(int i) const;
    // Only while the annotation method is VALUE_LABELS.
    void setValueLabels(std::vector<std::shared_ptr<NxValueLabel>> labels);
    // i equal to the count appends; "Invalid ValueLabels index in NxAxis" outside 0..count.
    void setValueLabels(int i, std::shared_ptr<NxValueLabel> vl);

    // Annotation, through the annotation handler.
    AnnotationHandler& getAnnotationHandler() { return *annoHandler; }
    void makeAnnotations();
    void checkAnnotations();
    void calcAnchors();
    void calcAnnotationExtents();
    void layoutAnnotations();
    const std::vector<std::shared_ptr<NxValueLabel>>& getAnnotations() const;
    const AnnotationExtents& getExtents() const;
    int getAnnotationAnchor() const;
    double dateToValue(const host::Date& date);
    host::Date valueToDate(double value);
    // The visible labels and the showing title.
    void drawAnnotationsAndTitle(host::Graphics& g);

    // The value-to-pixel map of the finished scale, through the handler.
    int toPixel(double value);
    double toData(int pixel);
    double range();
    void translate(double d);
    void calcTransformation();

    void clearLimits() { dataLimits.reset(); }
    // Copies the data limits; an empty range (min > max) clears them.
    void setLimits(const MinMax& mm);
    const std::optional<MinMax>& getDataLimits() const { return dataLimits; }
    // The parameter pass run before layout: finds the views using the axis, then
    // computes bounds, origin, spacing and precision.
    void calcAxisParams(bool flag = true);
    AxisHandler& getAxisHandler();
    double firstInc(double inc) const;

    int pixelLength() const { return isVertical ? height.value : width.value; }
    int pixelStart() const { return isVertical ? -top.value : left.value; }

    double getStep() const { return step; }
    void setStep(double s) { step = s; }
    bool getHasBar() const { return hasBar; }
    bool isBar() const { return hasBar; }
    int getChartType() const { return chartType; }
    bool getIsPrimary() const { return isPrimary; }
    std::shared_ptr<NxAxis> getOtherAxis() const { return otherAxis.lock(); }
    int getLogIncrement() const { return logIncrement; }

    // Width and height of the label text of value at precision, kept in d as the
    // largest seen (exchanged for rotated labels).
    void getAnnoExtent(host::Dimension& d, double value, int prec);
    // The larger extent of the labels of the two ends; also sets the axis thickness.
    int calcMaxAnnoSize(double lo, double hi);

private:
    friend class AxisHandler;
    friend class LinearAxisHandler;
    friend class LogAxisHandler;
    friend class NxAxisFormula;

    void changedProperty();

    int gap = 3;
    DerivedDouble min{0.0, true}, max{0.0, true}, origin{0.0, true};
    DerivedInt originPlacement{AUTOMATIC, true}, placement{AUTOMATIC, true};
    DerivedDouble gridSpacing{0.0, true};
    bool gridIsShowing = false;
    std::unique_ptr<NxAxisFormula> formula;
    bool isEditable = true, isLogarithmic = false, isReversed = false, isVertical = false;
    int annotationRotation = ROTATE_NONE;
    std::weak_ptr<NxAxis> placementAxis;
    double placementLocation = 0.0;
    bool axisDrawn = false;
    int64_t timeUnit = SECONDS;
    std::optional<host::Date> timeBase;
    DerivedString timeFormat{"", true};
    int tickLength = 4;
    AxisArea* chartArea = nullptr;  // not owned
    double step = 1.0;
    bool hasBar = false;
    std::optional<MinMax> dataLimits;
    DerivedInt precision{0, true};
    DerivedDouble numSpacing{0.0, true};
    int logIncrement = 1;
    DerivedDouble tickSpacing{0.0, true};
    int annotationMethod = VALUE;
    int chartType = -1;
    bool isPrimary = false;
    std::weak_ptr<NxAxis> otherAxis;
    std::unique_ptr<AxisHandler> axisHandler;
    std::unique_ptr<AnnotationHandler> annoHandler;
    std::shared_ptr<NxAxisTitle> title;
    std::shared_ptr<NxLabelGenerator> labelGenerator;
    std::shared_ptr<NxLineStyle> gridStyle;
    std::unique_ptr<NxChartStyle> gridOwner;  // passes grid style changes to the axis
};

using NxAxisPtr = std::shared_ptr<NxAxis>;

// Derives an axis from another: it shows originator value x multiplier + constant.
class NxAxisFormula {
public:
    explicit NxAxisFormula(NxAxis* owner) : axis(owner) {}

    double getConstant() const { return constant; }
    void setConstant(double c);
    double getMultiplier() const { return multiplier; }
    void setMultiplier(double m);
    std::shared_ptr<NxAxis> getOriginator() const { return originator.lock(); }
    // "NxAxis cannot be related to itself" for the owning axis.
    void setOriginator(const std::shared_ptr<NxAxis>& o);
    bool isActive() const;
    void calcRelatedParams();

private:
    std::weak_ptr<NxAxis> originator;
    NxAxis* axis;
    double constant = 0.0;
    double multiplier = 1.0;
};

}  // namespace norvex::chart
