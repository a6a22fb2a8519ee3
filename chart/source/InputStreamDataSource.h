// A data source read from the chart data text: parsed once, at construction, into
// rows of numbers with an optional name, series names and point labels, and then
// served read-only through Chartable.
//
// The text: a keyword ARRAY or GENERAL, an optional 'name', the counts nsets and
// npoints, an optional T (transposed) and an optional HOLE value, then the body.
// Words are case-insensitive, "+" is whitespace, "#" and "/" start comments, and a
// number may carry an exponent as a separate word ("1.5 e 3", "2e5", "2E-4").
// A malformed text raises host::IOException, after one line on std::cerr that names
// the line and the offending token; no object is left behind.
#pragma once

#include <istream>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "chart/model/Chartable.h"
#include "host/runtime/Object.h"
#include "host/runtime/StreamTokenizer.h"

namespace norvex::chart {

class InputStreamDataSource : public host::Object, public Chartable {
    HOST_OBJECT(InputStreamDataSource, "norvex.chart.InputStreamDataSource", host::Object)
public:
    static constexpr int QUOTE = 39;
    static constexpr int PARSE_ERR_DATA_STYLE = 1;
    static constexpr int PARSE_ERR_HOLE_OR_VALUE = 2;
    static constexpr int PARSE_ERR_POINT_LABEL = 3;
    // The value that marks a hole in a view (its default hole value).
    static constexpr double HOLE = 1.7976931348623157e308;

    // Reads the whole stream and parses it.
    explicit InputStreamDataSource(std::istream& stream);
    // Parses text already in memory.
    explicit InputStreamDataSource(std::string_view text);
    ~InputStreamDataSource() override;

    int getDataInterpretation() const override { return dataInterpretation; }
    // Throws std::out_of_range for a row or column that is not there.
    host::Value getDataItem(int row, int column) const override;
    // A copy of the row; std::out_of_range for a row that is not there.
    util::NxVectorPtr getRow(int row) const override;
    std::optional<std::vector<double>> getDoubleRow(int row) const override;
    int getNumRows() const override { return int(data.size()); }
    std::optional<std::vector<std::string>> getPointLabels() const override { return pointLabels; }
    // "" when the series has no name.
    std::string getSeriesName(int i) const override;
    std::string getSeriesLabel(int i) const override { return getSeriesName(i); }
    std::string getName() const override { return name.value_or(""); }
    bool hasName() const { return name.has_value(); }
    double getHoleValue() const { return holeValue; }

protected:
    // For sources that fetch the text first.
    InputStreamDataSource() = default;
    void parse(std::string_view text);

private:
    void parseAll();
    void parseArray(int nsets, int npoints, bool transposed);
    void parseGeneral(int nsets, int npoints, bool transposed);
    double getNextDouble();
    int getNextCount();
    bool nextIsQuoted();
    void readPointLabel(std::vector<std::string>& into);
    [[noreturn]] void fail(int kind, const std::string& message);
    std::string describeToken() const;

    std::unique_ptr<host::StreamTokenizer> tokenizer;  // only while parsing
    std::vector<std::vector<double>> data;
    int dataInterpretation = ARRAY;
    std::optional<std::string> name;
    std::vector<std::string> seriesNames;
    std::optional<std::vector<std::string>> pointLabels;
    double holeValue = 0.0;
    int maxCount = 0;  // counts are capped by the text length
};

using InputStreamDataSourcePtr = std::shared_ptr<InputStreamDataSource>;

}  // namespace norvex::chart
