// A headless chart and chart area for the model tests, and a simple row model.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "chart/model/ChartDataModel.h"
#include "chart/model/ChartDataView.h"
#include "chart/base/ChartLinks.h"
#include "chart/model/NxAxis.h"
#include "chart/base/NxChartUtil.h"
#include "util/NxVector.h"

namespace charttest {

using namespace norvex::chart;

// Labels measure 7 pixels a character and 12 high, like a small fixed font.
class TestChart : public DataViewParent, public AxisArea {
public:
    TestChart() {
        x = std::make_shared<NxAxis>(this, false, NxAxis::VALUE);
        y = std::make_shared<NxAxis>(this, true, NxAxis::VALUE);
        x->reshape(0, 0, 400, 20);
        y->reshape(0, 0, 30, 300);
    }
    int getNumData() const override { return int(views.size()); }
    std::shared_ptr<ChartDataView> getDataView(int i) const override { return views.at(size_t(i)); }
    bool getIsBatched() const override { return batched; }
    void update() override { ++updates; }
    AxisArea* getChartArea() const override { return const_cast<TestChart*>(this); }
    void setChanged(bool b) override { areaChanged = b; }
    std::vector<std::shared_ptr<NxAxis>> getXAxes() const override { return {x}; }
    std::vector<std::shared_ptr<NxAxis>> getYAxes() const override { return {y}; }
    DataViewParent* getChart() const override { return const_cast<TestChart*>(this); }
    int getAngleUnit() const override { return NxChartUtil::DEGREES; }
    void dataViewTypeChanged(ChartDataView&) override { ++typeChanges; }
    host::Dimension measureText(const host::Font&, const std::string& text) const override {
        return {int(text.size()) * 7, 12};
    }

    // The view's limits, then both axes' parameters and pixel maps, as a chart area's
    // layout makes them; xStep fixes the X step before the maps.
    void scaleAxes(ChartDataView& view, std::optional<double> xStep = std::nullopt) {
        view.calcLimits();
        x->calcAxisParams();
        y->calcAxisParams();
        if (xStep) x->setStep(*xStep);
        x->calcTransformation();
        y->calcTransformation();
    }

    std::shared_ptr<ChartDataView> addView() {
        auto v = host::create<ChartDataView>();
        views.push_back(v);
        v->setParent(this);
        return v;
    }

    std::shared_ptr<NxAxis> x, y;
    std::vector<std::shared_ptr<ChartDataView>> views;
    bool batched = false, areaChanged = false;
    int updates = 0, typeChanges = 0;
};

class RowModel : public ChartDataModel {
public:
    RowModel(int layout, std::vector<std::vector<host::Value>> r) : interp(layout) {
        for (auto& row : r) rows.push_back(std::make_shared<norvex::util::NxVector>(row));
    }
    int getDataInterpretation() const override { return interp; }
    host::Value getDataItem(int row, int column) const override {
        return rows.at(size_t(row))->elementAt(column);
    }
    norvex::util::NxVectorPtr getRow(int row) const override { return rows.at(size_t(row)); }
    int getNumRows() const override { return int(rows.size()); }
    std::optional<std::vector<std::string>> getPointLabels() const override { return labels; }
    std::string getSeriesName(int s) const override { return "S" + std::to_string(s); }
    std::string getSeriesLabel(int s) const override { return "L" + std::to_string(s); }
    std::string getName() const override { return "model"; }
    bool setDataItem(int row, int column, const host::Value& v) override {
        rows.at(size_t(row))->setElementAt(column, v);
        return true;
    }

    int interp;
    std::vector<norvex::util::NxVectorPtr> rows;
    std::optional<std::vector<std::string>> labels;
};

}  // namespace charttest
