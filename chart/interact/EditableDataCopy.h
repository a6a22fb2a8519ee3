// An editable copy of a read-only data source (page or file data), so points of a
// chart set up from a page can be edited: an edit changes the copy and tells the
// views through the model's change message.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "chart/model/ChartDataModel.h"

namespace norvex::chart {

class EditableDataCopy : public ChartDataModel {
public:
    explicit EditableDataCopy(const Chartable& source);

    int getDataInterpretation() const override { return interpretation; }
    // Throws std::out_of_range outside the data, as the sources do.
    host::Value getDataItem(int row, int column) const override;
    util::NxVectorPtr getRow(int row) const override;
    std::optional<std::vector<double>> getDoubleRow(int row) const override { return rows.at(size_t(row)); }
    int getNumRows() const override { return int(rows.size()); }
    std::optional<std::vector<std::string>> getPointLabels() const override { return pointLabels; }
    std::string getSeriesName(int s) const override;
    std::string getSeriesLabel(int s) const override;
    std::string getName() const override { return name; }
    // Numbers only; false (nothing changed) for another value or a cell outside.
    bool setDataItem(int row, int column, const host::Value& value) override;

    // The source itself when it takes edits (or is null), else an editable copy.
    static std::shared_ptr<Chartable> editable(const std::shared_ptr<Chartable>& source);

private:
    int interpretation;
    std::vector<std::vector<double>> rows;
    std::optional<std::vector<std::string>> pointLabels;
    std::vector<std::string> seriesNames, seriesLabels;
    std::string name;
};

}  // namespace norvex::chart
