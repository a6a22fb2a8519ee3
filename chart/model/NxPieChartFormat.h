// Settings of the pie drawer of one view: which small slices merge into one "other"
// slice and how that slice looks, the slice order, and which slices are pulled out
// of their pie (exploded) and by how far.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "chart/base/Changeable.h"
#include "host/base/Geometry.h"
#include "host/runtime/Object.h"

namespace norvex::chart {

class NxChartStyle;

class NxPieChartFormat : public host::Object {
    HOST_OBJECT(NxPieChartFormat, "norvex.chart.NxPieChartFormat", host::Object)
public:
    static constexpr int SLICE_CUTOFF = 0, PIE_PERCENTILE = 1;
    static constexpr int DATA_ORDER = 0, ASCENDING_ORDER = 1, DESCENDING_ORDER = 2;
    // The series index that names the other slice in explode lists and picks.
    static constexpr int OTHER_SLICE = -10;

    NxPieChartFormat();
    // parent is told setChanged(true) on every change; not owned.
    explicit NxPieChartFormat(Changeable* p);
    ~NxPieChartFormat() override;

    // "Other" when no label was set.
    std::string getOtherLabel() const;
    void setOtherLabel(const std::string& s);
    const std::shared_ptr<NxChartStyle>& getOtherStyle() const { return otherStyle; }
    // A null style is refused ("OtherStyle must not be null").
    void setOtherStyle(std::shared_ptr<NxChartStyle> s);
    int getThresholdMethod() const { return thresholdMethod; }
    void setThresholdMethod(int m);
    // Percent of the pie, 0.0..100.0.
    double getThresholdValue() const { return thresholdValue; }
    void setThresholdValue(double v);
    int getSortOrder() const { return sortOrder; }
    void setSortOrder(int o);
    int getMinSlices() const { return minSlices; }
    void setMinSlices(int n);
    // Points (x = point index of the pie, y = series index or OTHER_SLICE); nullopt for none.
    const std::optional<std::vector<host::Point>>& getExplodeList() const { return explodeList; }
    void setExplodeList(std::optional<std::vector<host::Point>> list);
    // Pixels, not negative ("ExplodeOffset must not be negative").
    int getExplodeOffset() const { return explodeOffset; }
    void setExplodeOffset(int px);

    // Whether slice series of the pie at point is in the explode list.
    bool isExploded(int point, int series) const;

private:
    void changed();

    std::optional<std::string> otherLabel;
    std::shared_ptr<NxChartStyle> otherStyle;
    int thresholdMethod = SLICE_CUTOFF;
    double thresholdValue = 10.0;
    int sortOrder = DATA_ORDER;
    int minSlices = 5;
    std::optional<std::vector<host::Point>> explodeList;
    int explodeOffset = 10;
    Changeable* parent = nullptr;
};

}  // namespace norvex::chart
