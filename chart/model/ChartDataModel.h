// The observable data source base: subclasses hold the data and call
// notifyObservers after each change, which views follow.
#pragma once

#include <memory>
#include <vector>

#include "chart/model/Chartable.h"
#include "host/runtime/Object.h"

namespace norvex::chart {

class ChartDataModel;

// The record sent to observers: what changed, and where.
class ChartDataModelUpdate : public host::Object {
    HOST_OBJECT(ChartDataModelUpdate, "norvex.chart.ChartDataModelUpdate", host::Object)
public:
    static constexpr int CHANGE_VALUE = 0, ADD_VALUE = 1, REMOVE_VALUE = 2, CHANGE_ROW = 3, ADD_ROW = 4,
                         REMOVE_ROW = 5, CHANGE_COLUMN = 6, ADD_COLUMN = 7, REMOVE_COLUMN = 8,
                         CHANGE_POINT_LABEL = 9, CHANGE_SERIES_NAME = 10, CHANGE_SERIES_LABEL = 11,
                         RESET = 12;

    ChartDataModelUpdate(int msg, int r, int c) : message(msg), row(r), column(c) {}

    int message;
    int row;
    int column;
};

class ChartDataObserver {
public:
    virtual ~ChartDataObserver() = default;
    // arg is normally a ChartDataModelUpdate; other values are ignored by views.
    virtual void update(ChartDataModel& model, const host::Value& arg) = 0;
};

class ChartDataModel : public host::Object, public EditableChartable {
    HOST_OBJECT(ChartDataModel, "norvex.chart.ChartDataModel", host::Object)
public:
    // Observers are held weakly: an observer that is gone is skipped and dropped, so
    // the list never dangles and never keeps a view alive.
    void addObserver(const std::shared_ptr<ChartDataObserver>& o);
    void deleteObserver(const ChartDataObserver* o);
    int countObservers() const;
    void notifyObservers(const host::Value& arg);
    // Sends a ChartDataModelUpdate(message, row, column).
    void notifyObservers(int message, int row, int column);

    // A plain model refuses edits; editable models override this.
    bool setDataItem(int row, int column, const host::Value& value) override;

private:
    std::vector<std::weak_ptr<ChartDataObserver>> observers;
};

}  // namespace norvex::chart
