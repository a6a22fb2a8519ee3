#include "chart/source/InputStreamDataSource.h"

#include <charconv>
#include <cmath>
#include <iostream>
#include <iterator>
#include <limits>
#include <stdexcept>

#include "host/base/IOException.h"
#include "host/runtime/StreamTokenizer.h"
#include "util/NxVector.h"

namespace norvex::chart {

using host::StreamTokenizer;

InputStreamDataSource::InputStreamDataSource(std::istream& stream) {
    std::string text((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
    if (stream.bad()) throw host::IOException("Error reading data stream");
    parse(text);
}

InputStreamDataSource::InputStreamDataSource(std::string_view text) { parse(text); }

InputStreamDataSource::~InputStreamDataSource() = default;

void InputStreamDataSource::parse(std::string_view text) {
    host::Lock lock(mutex());
    tokenizer = std::make_unique<StreamTokenizer>(text);
    StreamTokenizer& st = *tokenizer;
    st.whitespaceChars('+', '+');
    st.commentChar('#');
    st.commentChar('/');
    st.lowerCaseMode(true);
    try {
        // No list in the text can hold more items than the text has characters, so
        // counts are capped by its length: memory and work stay bounded by the input.
        maxCount = int(std::min<size_t>(text.size(), size_t(std::numeric_limits<int>::max() - 1)));
        parseAll();
    } catch (...) {
        tokenizer.reset();
        throw;
    }
    tokenizer.reset();
}

host::Value InputStreamDataSource::getDataItem(int row, int column) const {
    host::Lock lock(mutex());
    if (row < 0 || row >= int(data.size())) throw std::out_of_range("No such data row: " + std::to_string(row));
    const auto& r = data[size_t(row)];
    if (column < 0 || column >= int(r.size()))
        throw std::out_of_range("No such data column: " + std::to_string(column));
    return r[size_t(column)];
}

util::NxVectorPtr InputStreamDataSource::getRow(int row) const {
    host::Lock lock(mutex());
    if (row < 0 || row >= int(data.size())) throw std::out_of_range("No such data row: " + std::to_string(row));
    auto v = std::make_shared<util::NxVector>(int(data[size_t(row)].size()));
    for (double d : data[size_t(row)]) v->addElement(host::Value(d));  // add() skips duplicates
    return v;
}

std::optional<std::vector<double>> InputStreamDataSource::getDoubleRow(int row) const {
    host::Lock lock(mutex());
    if (row < 0 || row >= int(data.size())) throw std::out_of_range("No such data row: " + std::to_string(row));
    return data[size_t(row)];
}

std::string InputStreamDataSource::getSeriesName(int i) const {
    if (i < 0 || i >= int(seriesNames.size())) return "";
    return seriesNames[size_t(i)];
}

std::string InputStreamDataSource::describeToken() const {
    const StreamTokenizer& st = *tokenizer;
    if (st.ttype == QUOTE) return "'" + st.sval + "'";
    if (st.ttype == StreamTokenizer::TT_WORD) return st.sval;
    if (st.ttype == StreamTokenizer::TT_NUMBER) return host::Value(st.nval).toString();
    return st.toString();
}

void InputStreamDataSource::fail(int kind, const std::string& message) {
    static const char* const texts[] = {"", "Data must start with ARRAY or GENERAL and not ",
                                        "Expect either a hole or numeric value and not ",
                                        "Expect a point label and not "};
    std::cerr << "Error reading data: line " << tokenizer->lineno() << ": " << texts[kind] << describeToken()
              << std::endl;
    throw host::IOException(message);
}

double InputStreamDataSource::getNextDouble() {
    StreamTokenizer& st = *tokenizer;
    st.nextToken();
    if (st.ttype == StreamTokenizer::TT_WORD && st.sval == "hole") return HOLE;
    auto notANumber = [&] { fail(PARSE_ERR_HOLE_OR_VALUE, "Error in data file format - " + st.toString()); };
    if (st.ttype != StreamTokenizer::TT_NUMBER || !std::isfinite(st.nval)) notANumber();
    double v = st.nval;
    if (holeValue != 0.0 && v == holeValue) return HOLE;

    st.nextToken();
    if (st.ttype != StreamTokenizer::TT_WORD || st.sval.empty() || st.sval[0] != 'e') {
        st.pushBack();
        return v;
    }
    double exponent;
    if (st.sval == "e") {
        st.nextToken();
        if (st.ttype != StreamTokenizer::TT_NUMBER) return v;  // "1 e x": the x is consumed
        exponent = st.nval;
    } else {
        // "e5", "e-4": the rest of the word is a decimal integer.
        const char* first = st.sval.data() + 1;
        const char* last = st.sval.data() + st.sval.size();
        int n = 0;
        auto r = std::from_chars(first, last, n);
        if (r.ec != std::errc() || r.ptr != last) notANumber();
        exponent = n;
    }
    double result = v * std::pow(10.0, exponent);
    // An exponent too large for a double gives no usable value.
    if (!std::isfinite(result)) notANumber();
    return result;
}

int InputStreamDataSource::getNextCount() {
    double d = getNextDouble();
    if (d <= 0) return d <= -1 ? -1 : 0;
    if (d >= double(maxCount)) return maxCount;
    return int(d);  // truncation toward zero
}

bool InputStreamDataSource::nextIsQuoted() {
    tokenizer->nextToken();
    if (tokenizer->ttype == QUOTE) return true;
    tokenizer->pushBack();
    return false;
}

void InputStreamDataSource::readPointLabel(std::vector<std::string>& into) {
    tokenizer->nextToken();
    if (tokenizer->ttype != QUOTE)
        fail(PARSE_ERR_POINT_LABEL, "Error in reading point labels - " + tokenizer->toString());
    into.push_back(tokenizer->sval);
}

void InputStreamDataSource::parseAll() {
    StreamTokenizer& st = *tokenizer;
    st.nextToken();
    if (st.ttype == StreamTokenizer::TT_WORD && st.sval == "array")
        dataInterpretation = ARRAY;
    else if (st.ttype == StreamTokenizer::TT_WORD && st.sval == "general")
        dataInterpretation = GENERAL;
    else
        fail(PARSE_ERR_DATA_STYLE, "Data must start with ARRAY or GENERAL");

    if (nextIsQuoted()) name = st.sval;
    int nsets = getNextCount();
    int npoints = getNextCount();
    bool transposed = false;
    st.nextToken();
    if (st.ttype == StreamTokenizer::TT_WORD && st.sval == "t")
        transposed = true;
    else
        st.pushBack();
    st.nextToken();
    if (st.ttype == StreamTokenizer::TT_WORD && st.sval == "hole")
        holeValue = getNextDouble();
    else
        st.pushBack();

    if (dataInterpretation == ARRAY)
        parseArray(nsets, npoints, transposed);
    else
        parseGeneral(nsets, npoints, transposed);
}

void InputStreamDataSource::parseArray(int nsets, int npoints, bool transposed) {
    StreamTokenizer& st = *tokenizer;
    int nrows = nsets + 1;  // the X row and one row per series
    if (!transposed) {
        if (npoints > 0 && nextIsQuoted()) {
            std::vector<std::string> labels{st.sval};
            for (int i = 1; i < npoints; ++i) readPointLabel(labels);
            pointLabels = std::move(labels);
        }
        for (int r = 0; r < nrows; ++r) {
            seriesNames.push_back(nextIsQuoted() ? st.sval : std::string());
            std::vector<double> row;
            for (int i = 0; i < npoints; ++i) row.push_back(getNextDouble());
            data.push_back(std::move(row));
        }
        if (!seriesNames.empty()) seriesNames.erase(seriesNames.begin());
        return;
    }

    for (int i = 0; i < nrows && nextIsQuoted(); ++i) seriesNames.push_back(st.sval);
    std::vector<std::string> labels;
    bool anyLabel = false;
    std::vector<double> values;  // record by record
    for (int p = 0; p < npoints; ++p) {
        if (nextIsQuoted()) {
            labels.push_back(st.sval);
            anyLabel = true;
        } else {
            labels.emplace_back();
        }
        for (int c = 0; c < nrows; ++c) values.push_back(getNextDouble());
    }
    if (nrows > 0) {
        data.assign(size_t(nrows), {});
        for (size_t k = 0; k < values.size(); ++k) data[k % size_t(nrows)].push_back(values[k]);
    }
    if (anyLabel) pointLabels = std::move(labels);
    if (!seriesNames.empty()) seriesNames.erase(seriesNames.begin());
}

void InputStreamDataSource::parseGeneral(int nsets, int npoints, bool transposed) {
    StreamTokenizer& st = *tokenizer;
    st.nextToken();
    if (st.ttype == StreamTokenizer::TT_WORD && st.sval == "labels") {
        std::vector<std::string> labels;
        for (int i = 0; i < npoints; ++i) readPointLabel(labels);
        pointLabels = std::move(labels);
    } else {
        st.pushBack();
    }
    for (int k = 0; k < nsets; ++k) {
        if (nextIsQuoted()) seriesNames.push_back(st.sval);
        int m = getNextCount();
        std::vector<double> x, y;
        if (transposed) {
            for (int i = 0; i < m; ++i) {
                x.push_back(getNextDouble());
                y.push_back(getNextDouble());
            }
        } else {
            for (int i = 0; i < m; ++i) x.push_back(getNextDouble());
            for (int i = 0; i < m; ++i) y.push_back(getNextDouble());
        }
        data.push_back(std::move(x));
        data.push_back(std::move(y));
    }
}

}  // namespace norvex::chart
