// The labels of one axis: makes them by the axis' annotation method (numbers at the
// numbering spacing, the program's value labels, dates, or the data's point labels),
// hides those that would overlap, anchors them on the right side of the axis line,
// positions them and reports the room they need beyond and across the axis.
#pragma once

#include <cstdint>
#include <vector>

#include "chart/model/NxValueLabel.h"
#include "host/base/Date.h"
#include "host/base/Geometry.h"

namespace host {
class Graphics;
}

namespace norvex::chart {

class NxAxis;

// Room the labels need: minor beyond the axis' low-pixel end (top of a vertical axis,
// left of a horizontal one), major beyond the other end, ortho across the axis.
struct AnnotationExtents {
    int major = 0, minor = 0, ortho = 0;
    bool operator==(const AnnotationExtents&) const = default;
};

class AnnotationHandler {
public:
    static constexpr int EAST = 1, WEST = 2, NORTH = 16, SOUTH = 32, NORTHEAST = 17, NORTHWEST = 18,
                         SOUTHEAST = 33, SOUTHWEST = 34;

    explicit AnnotationHandler(NxAxis* axis) : parent(axis) {}

    // Rebuilds the labels by the annotation method.
    void makeAnnotations();
    // After layout: hides labels that do not fit (and thins VALUE labels to one a pixel).
    void checkAnnotations();
    void calcAnchor();
    void calcAnnotationExtents();
    // Sizes each label and places it at its value, gap pixels from the axis line.
    void layout();
    // Places text with its centre at offset along the axis, on the anchor side.
    void layout(ChartText& text, int offset);
    void draw(host::Graphics& g);

    host::Date dataToTime(double value, int64_t unit);
    double timeToData(const host::Date& date, int64_t unit);

    void checkValueAnnotations();
    void checkTimeAnnotations();
    // True when the label's centre lies within the axis along its direction.
    bool checkLocation(const NxValueLabel& label) const;
    // Greedy from the low end: a label is shown when it lies in min..max and does not
    // touch the last shown one.
    void checkUserProvidedAnnotations();
    int firstVisibleLabel() const;
    int lastVisibleLabel() const;
    // Stable sort by value.
    void sortValueLabels();
    void makeTimeLabels();
    // The largest label size of the current time format (exchanged for rotated labels).
    host::Dimension timeLabelExtents(host::Dimension ext);

    // The labels of the last makeAnnotations.
    const std::vector<NxValueLabelPtr>& getAnnotations() const { return valueLabels; }
    const AnnotationExtents& getExtents() const { return extents; }
    int getAnchor() const { return anchor; }
    int getRealPlacement() const { return realPlacement; }
    // The unrotated-or-exchanged size of a text in the axis font, as the chart area measures.
    host::Dimension measure(const ChartText& text) const;

    // The program's labels (used by VALUE_LABELS), sorted by value.
    std::vector<NxValueLabelPtr>& userLabels() { return programLabels; }

private:
    bool isVertical() const;
    int lineCoordinate() const;

    std::vector<NxValueLabelPtr> valueLabels;
    std::vector<NxValueLabelPtr> programLabels;
    AnnotationExtents extents;
    int realPlacement = 0;
    int anchor = SOUTH;
    NxAxis* parent;
    std::string timeFormat;  // of the last makeTimeLabels
};

}  // namespace norvex::chart
