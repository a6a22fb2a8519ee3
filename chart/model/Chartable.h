// A data source of a chart view, and the editable kind.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "host/runtime/Value.h"
#include "util/NxVector.h"

namespace norvex::chart {

class Chartable {
public:
    // Layouts of the rows.
    static constexpr int ARRAY = 0;    // row 0: shared X values; row r: Y values of series r - 1
    static constexpr int GENERAL = 1;  // rows 2k and 2k + 1: X and Y values of series k

    virtual ~Chartable() = default;
    virtual int getDataInterpretation() const = 0;
    // A number, or a string holding a number.
    virtual host::Value getDataItem(int row, int column) const = 0;
    virtual util::NxVectorPtr getRow(int row) const = 0;
    // The row as plain numbers when the source holds nothing else (no boxing and
    // unboxing of every value); nullopt makes readers go through getRow.
    virtual std::optional<std::vector<double>> getDoubleRow(int) const { return std::nullopt; }
    virtual int getNumRows() const = 0;
    // No labels: nullopt.
    virtual std::optional<std::vector<std::string>> getPointLabels() const = 0;
    virtual std::string getSeriesName(int series) const = 0;
    virtual std::string getSeriesLabel(int series) const = 0;
    virtual std::string getName() const = 0;
};

class EditableChartable : public Chartable {
public:
    // True when the source accepted the value.
    virtual bool setDataItem(int row, int column, const host::Value& value) = 0;
};

}  // namespace norvex::chart
