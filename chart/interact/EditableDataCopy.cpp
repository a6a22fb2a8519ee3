#include "chart/interact/EditableDataCopy.h"

#include <cmath>

#include "util/NxVector.h"

namespace norvex::chart {

EditableDataCopy::EditableDataCopy(const Chartable& source)
    : interpretation(source.getDataInterpretation()), pointLabels(source.getPointLabels()), name(source.getName()) {
    int n = source.getNumRows();
    rows.reserve(size_t(std::max(0, n)));
    for (int r = 0; r < n; ++r) {
        if (auto d = source.getDoubleRow(r)) {
            rows.push_back(*d);
            continue;
        }
        std::vector<double> row;
        if (auto v = source.getRow(r))
            for (int c = 0; c < v->size(); ++c) row.push_back(v->elementAt(c).asDouble());
        rows.push_back(std::move(row));
    }
    // Series names as the source gives them (one per row after the X row at most).
    for (int s = 0; s < n; ++s) {
        seriesNames.push_back(source.getSeriesName(s));
        seriesLabels.push_back(source.getSeriesLabel(s));
    }
}

host::Value EditableDataCopy::getDataItem(int row, int column) const {
    return host::Value(rows.at(size_t(row)).at(size_t(column)));
}

util::NxVectorPtr EditableDataCopy::getRow(int row) const {
    std::vector<host::Value> values;
    for (double d : rows.at(size_t(row))) values.emplace_back(d);
    return std::make_shared<util::NxVector>(values);
}

std::string EditableDataCopy::getSeriesName(int s) const {
    return s >= 0 && size_t(s) < seriesNames.size() ? seriesNames[size_t(s)] : std::string();
}

std::string EditableDataCopy::getSeriesLabel(int s) const {
    return s >= 0 && size_t(s) < seriesLabels.size() ? seriesLabels[size_t(s)] : std::string();
}

bool EditableDataCopy::setDataItem(int row, int column, const host::Value& value) {
    if (row < 0 || size_t(row) >= rows.size() || column < 0 || size_t(column) >= rows[size_t(row)].size())
        return false;
    double d = value.asDouble();
    if (std::isnan(d)) return false;
    rows[size_t(row)][size_t(column)] = d;
    notifyObservers(ChartDataModelUpdate::CHANGE_VALUE, row, column);
    return true;
}

std::shared_ptr<Chartable> EditableDataCopy::editable(const std::shared_ptr<Chartable>& source) {
    if (!source || std::dynamic_pointer_cast<EditableChartable>(source)) return source;
    return std::make_shared<EditableDataCopy>(*source);
}

}  // namespace norvex::chart
