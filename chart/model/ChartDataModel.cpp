#include "chart/model/ChartDataModel.h"

#include <algorithm>

namespace norvex::chart {

void ChartDataModel::addObserver(const std::shared_ptr<ChartDataObserver>& o) {
    if (!o) return;
    host::Lock lock(mutex());
    for (const auto& w : observers)
        if (w.lock() == o) return;
    observers.push_back(o);
}

void ChartDataModel::deleteObserver(const ChartDataObserver* o) {
    host::Lock lock(mutex());
    std::erase_if(observers, [&](const std::weak_ptr<ChartDataObserver>& w) {
        auto p = w.lock();
        return !p || p.get() == o;
    });
}

int ChartDataModel::countObservers() const {
    host::Lock lock(mutex());
    return int(std::count_if(observers.begin(), observers.end(), [](const auto& w) { return !w.expired(); }));
}

void ChartDataModel::notifyObservers(const host::Value& arg) {
    std::vector<std::shared_ptr<ChartDataObserver>> live;
    {
        host::Lock lock(mutex());
        std::erase_if(observers, [](const auto& w) { return w.expired(); });
        for (const auto& w : observers)
            if (auto p = w.lock()) live.push_back(std::move(p));
    }
    // Called outside the lock: observers read the model back while they update.
    for (const auto& o : live) o->update(*this, arg);
}

void ChartDataModel::notifyObservers(int message, int row, int column) {
    notifyObservers(host::Value(std::make_shared<ChartDataModelUpdate>(message, row, column)));
}

bool ChartDataModel::setDataItem(int, int, const host::Value&) { return false; }

}  // namespace norvex::chart
