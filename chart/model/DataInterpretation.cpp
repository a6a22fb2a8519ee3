#include "chart/model/DataInterpretation.h"

#include <algorithm>
#include <stdexcept>

#include "chart/model/ChartDataView.h"

namespace norvex::chart {

std::unique_ptr<DataInterpretation> DataInterpretation::getData(ChartDataView* view,
                                                                std::shared_ptr<Chartable> source) {
    std::unique_ptr<DataInterpretation> di;
    switch (source->getDataInterpretation()) {
        case Chartable::ARRAY: di = std::make_unique<ArrayDataInterpretation>(view, source); break;
        case Chartable::GENERAL: di = std::make_unique<GeneralDataInterpretation>(view, source); break;
        default: throw std::runtime_error("Unknown Chartable data interpretation");
    }
    di->loadData(*source);
    return di;
}

double DataInterpretation::readItem(int row, int column) const {
    auto v = std::make_shared<util::NxVector>();
    v->addElement(source->getDataItem(row, column));
    return (*view->toDoubleArray(v))[0];
}

std::optional<std::vector<double>> DataInterpretation::getX(int series) const {
    return view->toDoubleArray(getXVector(series));
}

std::optional<std::vector<double>> DataInterpretation::getY(int series) const {
    return view->toDoubleArray(getYVector(series));
}

std::optional<std::vector<double>> DataInterpretation::rowValues(int row) const {
    int s;
    bool isX;
    if (!rowTarget(row, s, isX)) return std::nullopt;
    if (s < 0) return view->xvalues;
    const auto& ser = view->series[size_t(s)];
    const auto* a = isX ? (ser->hasOwnX() ? ser->getX() : nullptr) : ser->getY();
    if (!a) return std::nullopt;
    return *a;
}

void DataInterpretation::setRowValues(int row, std::optional<std::vector<double>> values) {
    int s;
    bool isX;
    if (!rowTarget(row, s, isX)) return;
    if (s < 0) {
        view->xvalues = std::move(values);
        return;
    }
    auto& ser = view->series[size_t(s)];
    if (isX)
        ser->setX(std::move(values));
    else
        ser->setY(std::move(values));
}

int DataInterpretation::maxColumns() const {
    int n = 0;
    for (int r = 0; r < source->getNumRows(); ++r) {
        auto v = source->getRow(r);
        if (v) n = std::max(n, v->size());
    }
    return n;
}

// Single values: a column outside the array is ignored (nothing to change), an
// insertion past the end appends.
void DataInterpretation::changeValue(int row, int column) {
    auto a = rowValues(row);
    if (!a || column < 0 || size_t(column) >= a->size()) return;
    (*a)[size_t(column)] = readItem(row, column);
    setRowValues(row, std::move(a));
}

void DataInterpretation::addValue(int row, int column) {
    int s;
    bool isX;
    if (!rowTarget(row, s, isX) || column < 0) return;
    auto a = rowValues(row);
    if (!a) a.emplace();
    size_t at = std::min(size_t(column), a->size());
    a->insert(a->begin() + long(at), readItem(row, column));
    setRowValues(row, std::move(a));
}

void DataInterpretation::removeValue(int row, int column) {
    auto a = rowValues(row);
    if (!a || column < 0 || size_t(column) >= a->size()) return;
    a->erase(a->begin() + column);
    setRowValues(row, std::move(a));
}

void DataInterpretation::changeRow(int row, int) {
    int s;
    bool isX;
    if (!rowTarget(row, s, isX)) return;
    setRowValues(row, view->rowValues(*source, row));
}

void DataInterpretation::changeColumn(int, int column) {
    for (int r = 0; r < source->getNumRows(); ++r) changeValue(r, column);
}

void DataInterpretation::addColumn(int, int column) {
    for (int r = 0; r < source->getNumRows(); ++r) addValue(r, column);
}

void DataInterpretation::removeColumn(int, int column) {
    for (int r = 0; r < source->getNumRows(); ++r) removeValue(r, column);
}

void DataInterpretation::changePointLabel(int, int column) {
    auto labels = source->getPointLabels();
    if (!labels || column < 0 || size_t(column) >= labels->size()) return;
    if (size_t(column) >= view->pointLabels.size()) view->pointLabels.resize(size_t(column) + 1);
    view->pointLabels[size_t(column)] = (*labels)[size_t(column)];
}

// The row of a series-name or series-label message is the series index.
void DataInterpretation::changeSeriesName(int row, int) {
    if (row < 0 || row >= view->getNumSeries()) return;
    view->series[size_t(row)]->setName(source->getSeriesName(row));
}

void DataInterpretation::changeSeriesLabel(int row, int) {
    if (row < 0 || row >= view->getNumSeries()) return;
    view->series[size_t(row)]->setLabel(source->getSeriesLabel(row));
}

void DataInterpretation::readSeriesNames(int first, int last) {
    if (last < 0 || last > view->getNumSeries()) last = view->getNumSeries();
    for (int i = std::max(first, 0); i < last; ++i) {
        view->series[size_t(i)]->setName(source->getSeriesName(i));
        view->series[size_t(i)]->setLabel(source->getSeriesLabel(i));
    }
}

// A full reload: the new series take their names and labels from the source as on
// the first load, and the source's point labels replace the view's.
void DataInterpretation::reset(int, int) {
    loadData(*source);
    readSeriesNames(0);
    if (auto labels = source->getPointLabels()) view->pointLabels = *labels;
}

// ---- ARRAY ----

// Every row is read before the view changes, so a row that cannot be read (a string
// that is no number) leaves the view as it was.
void ArrayDataInterpretation::loadData(Chartable& src) {
    int n = src.getNumRows();
    std::optional<std::vector<double>> x;
    std::vector<ChartDataViewSeriesPtr> list;
    if (n >= 2) {
        x = view->rowValues(src, 0);
        for (int i = 1; i < n; ++i) {
            auto s = std::make_shared<ChartDataViewSeries>();
            s->setDrawingOrder(i - 1);  // before init: no parent to tell yet
            s->init(std::nullopt, view->rowValues(src, i), view);
            list.push_back(std::move(s));
        }
    }
    view->xvalues = std::move(x);
    view->series = std::move(list);
    view->changed = true;
}

bool ArrayDataInterpretation::rowTarget(int row, int& series, bool& isX) const {
    if (row == 0) {
        series = -1;
        isX = true;
        return true;
    }
    series = row - 1;
    isX = false;
    return row > 0 && series < view->getNumSeries();
}

bool ArrayDataInterpretation::editPoint(int series, int index, const host::Value& value) {
    auto ed = std::dynamic_pointer_cast<EditableChartable>(source);
    return ed && ed->setDataItem(series + 1, index, value);
}

// A new row is a new series (row 0 is the shared X row: everything is re-read).
void ArrayDataInterpretation::addRow(int row, int column) {
    if (row <= 0 || row - 1 > view->getNumSeries()) return reset(row, column);
    auto s = std::make_shared<ChartDataViewSeries>();
    s->init(std::nullopt, view->rowValues(*source, row), view);
    s->setDrawingOrder(row - 1);
    view->series.insert(view->series.begin() + (row - 1), s);
    readSeriesNames(row - 1, row);
}

void ArrayDataInterpretation::removeRow(int row, int column) {
    if (row <= 0 || row - 1 >= view->getNumSeries()) return reset(row, column);
    view->series.erase(view->series.begin() + (row - 1));
}

util::NxVectorPtr ArrayDataInterpretation::getXVector(int) const { return source->getRow(0); }
util::NxVectorPtr ArrayDataInterpretation::getYVector(int series) const { return source->getRow(series + 1); }
double ArrayDataInterpretation::getX(int, int i) const { return readItem(0, i); }
double ArrayDataInterpretation::getY(int series, int i) const { return readItem(series + 1, i); }

// ---- GENERAL ----

// Fewer than two rows hold no series: a reload of a source that shrank so far
// leaves the view empty rather than showing the old series. As for ARRAY, the view
// changes only once every row was read.
void GeneralDataInterpretation::loadData(Chartable& src) {
    int n = src.getNumRows();
    std::vector<ChartDataViewSeriesPtr> list;
    for (int i = 0; i + 1 < n; i += 2) {
        auto s = std::make_shared<ChartDataViewSeries>();
        s->setDrawingOrder(i / 2);  // before init: no parent to tell yet
        s->init(view->rowValues(src, i), view->rowValues(src, i + 1), view);
        list.push_back(std::move(s));
    }
    view->xvalues.reset();
    view->series = std::move(list);
    view->changed = true;
}

bool GeneralDataInterpretation::rowTarget(int row, int& series, bool& isX) const {
    if (row < 0) return false;
    series = row / 2;
    isX = row % 2 == 0;
    return series < view->getNumSeries();
}

bool GeneralDataInterpretation::editPoint(int series, int index, const host::Value& value) {
    auto ed = std::dynamic_pointer_cast<EditableChartable>(source);
    return ed && ed->setDataItem(series * 2 + 1, index, value);
}

// Rows come in pairs, so adding or removing one shifts every later series: re-read.
void GeneralDataInterpretation::addRow(int row, int column) { reset(row, column); }
void GeneralDataInterpretation::removeRow(int row, int column) { reset(row, column); }

util::NxVectorPtr GeneralDataInterpretation::getXVector(int series) const { return source->getRow(series * 2); }
util::NxVectorPtr GeneralDataInterpretation::getYVector(int series) const {
    return source->getRow(series * 2 + 1);
}
double GeneralDataInterpretation::getX(int series, int i) const { return readItem(series * 2, i); }
double GeneralDataInterpretation::getY(int series, int i) const { return readItem(series * 2 + 1, i); }

}  // namespace norvex::chart
