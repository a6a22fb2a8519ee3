// Reads a data source into a view: ARRAY (row 0 holds the X values every series
// shares, each further row the Y values of one series) or GENERAL (rows in pairs:
// the X and the Y values of one series). Follows the source's change messages.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "chart/model/Chartable.h"
#include "host/runtime/Value.h"
#include "util/NxVector.h"

namespace norvex::chart {

class ChartDataView;

class DataInterpretation {
public:
    virtual ~DataInterpretation() = default;

    // Builds the interpretation the source asks for and loads the values into the view.
    // std::runtime_error "Unknown Chartable data interpretation" for another layout.
    static std::unique_ptr<DataInterpretation> getData(ChartDataView* view, std::shared_ptr<Chartable> source);

    virtual void loadData(Chartable& source) = 0;
    // Writes a new value of point index of series into the source.
    virtual bool editPoint(int series, int index, const host::Value& value) = 0;

    virtual void changeValue(int row, int column);
    virtual void addValue(int row, int column);
    virtual void removeValue(int row, int column);
    virtual void changeRow(int row, int column);
    virtual void addRow(int row, int column) = 0;
    virtual void removeRow(int row, int column) = 0;
    virtual void changeColumn(int row, int column);
    virtual void addColumn(int row, int column);
    virtual void removeColumn(int row, int column);
    virtual void changePointLabel(int row, int column);
    virtual void changeSeriesName(int row, int column);
    virtual void changeSeriesLabel(int row, int column);
    virtual void reset(int row, int column);

    // The source row that holds the X or Y values of a series (null when there is none).
    virtual util::NxVectorPtr getXVector(int series) const = 0;
    virtual util::NxVectorPtr getYVector(int series) const = 0;
    std::optional<std::vector<double>> getX(int series) const;
    std::optional<std::vector<double>> getY(int series) const;
    // A single value read from the source (the hole value when it is not a number).
    virtual double getX(int series, int i) const = 0;
    virtual double getY(int series, int i) const = 0;

protected:
    DataInterpretation(ChartDataView* v, std::shared_ptr<Chartable> s) : view(v), source(std::move(s)) {}
    double readItem(int row, int column) const;
    // Names and labels of series first..last-1 (all when last is -1) from the source.
    void readSeriesNames(int first, int last = -1);
    // The series and the side (X or Y) that a source row is loaded into; false when
    // the row addresses none.
    virtual bool rowTarget(int row, int& series, bool& isX) const = 0;
    std::optional<std::vector<double>> rowValues(int row) const;
    void setRowValues(int row, std::optional<std::vector<double>> values);
    int maxColumns() const;

    ChartDataView* view;
    std::shared_ptr<Chartable> source;
};

class ArrayDataInterpretation : public DataInterpretation {
public:
    ArrayDataInterpretation(ChartDataView* v, std::shared_ptr<Chartable> s) : DataInterpretation(v, std::move(s)) {}
    void loadData(Chartable& source) override;
    bool editPoint(int series, int index, const host::Value& value) override;
    void addRow(int row, int column) override;
    void removeRow(int row, int column) override;
    util::NxVectorPtr getXVector(int series) const override;
    util::NxVectorPtr getYVector(int series) const override;
    double getX(int series, int i) const override;
    double getY(int series, int i) const override;

protected:
    bool rowTarget(int row, int& series, bool& isX) const override;
};

class GeneralDataInterpretation : public DataInterpretation {
public:
    GeneralDataInterpretation(ChartDataView* v, std::shared_ptr<Chartable> s)
        : DataInterpretation(v, std::move(s)) {}
    void loadData(Chartable& source) override;
    bool editPoint(int series, int index, const host::Value& value) override;
    void addRow(int row, int column) override;
    void removeRow(int row, int column) override;
    util::NxVectorPtr getXVector(int series) const override;
    util::NxVectorPtr getYVector(int series) const override;
    double getX(int series, int i) const override;
    double getY(int series, int i) const override;

protected:
    bool rowTarget(int row, int& series, bool& isX) const override;
};

}  // namespace norvex::chart
