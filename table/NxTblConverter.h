// Page parameter strings to table values: enumerations, table integers, positions and
// ranges, attribute lists, cell arrays. Every error is one line on the error output
// and the caller's default is kept.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "host/runtime/Value.h"
#include "table/model/NxCellRange.h"
#include "util/TextUtil.h"

namespace norvex::table {

class Table;

// A position: one index or wild card (start == end), or a range of indexes.
struct TblPosition {
    int start = 0;
    int end = 0;
};

class NxTblConverter {
public:
    NxTblConverter() = delete;

    // The keyword table of an enumeration type ("Alignment", "Bordertype", ...; case ignored).
    static const std::vector<std::pair<std::string, int>>* keywords(const std::string& type);
    // NOVALUE when the string is neither a keyword of type nor a decimal number.
    static int toEnum(const util::OptString& s, const std::string& type);
    // def for null; on failure "Error converting '<s>' to <param>" and def.
    static int toEnum(const util::OptString& s, const std::string& type, const std::string& param, int def);
    static util::OptString fromEnum(int value, const std::string& type);
    // A decimal number or "label", "maxint", "novalue"; nullopt otherwise.
    static std::optional<int> toTableInt(const std::string& s);
    // The same with the size keywords "all", "allcells", "variable", "as_is".
    static std::optional<int> toTableInt2(const std::string& s);
    static int toInt(const util::OptString& s, int def, const std::string& param);
    // A single index or wild card, "a-b" or "a,b" (either order); a leading minus is a sign.
    static std::optional<TblPosition> toPosition(const std::string& token);
    // "(rows cols)" with each a position.
    static std::optional<NxCellRange> toRange(const std::string& s);
    // With normalise, ranges over every row or column become wild cards (spans keep
    // their indexes: a span is always a block of real cells).
    static std::vector<NxCellRange> toRangeList(const Table& table, const util::OptString& s, const std::string& param,
                                                bool normalise = true);
    // Border-side keywords joined by "+".
    static std::optional<int> toBorderSides(const std::string& s);
    // The "(...)" groups of a text, each without its parentheses.
    static std::vector<std::string> groups(const std::string& s);
    // One row per group, split at delim; rich text where convert.
    static std::vector<std::vector<host::Value>> toCellValues(Table& table, const std::string& s, char delim,
                                                              bool convert);
    // An attribute list applied to the table (type is the parameter, e.g. "BackgroundList").
    static void toSeries(Table& table, const std::string& type, const util::OptString& s);

    static void error(const std::string& value, const std::string& param);
};

// Values back to parameter strings.
class NxTblRevConverter {
public:
    NxTblRevConverter() = delete;
    // The keywords "maxint", "variable", "as_is", "novalue", "all", "allcells", "label" for
    // the special values, else the number.
    static std::string fromInt(int v);
    static std::string fromDimension(int v) { return fromInt(v); }
    static std::string fromVector(const std::vector<host::Value>& v, char delim);
    static std::string fromBorderSides(int sides);
};

// Cell text to typed values by the cell's data type.
class TblConvertUtil {
public:
    TblConvertUtil() = delete;
    // The text as the type (booleans, numbers, dates); the text itself when it does not convert.
    static host::Value convert(const std::string& s, int datatype);
    // Stores cells from (start_row, start_column) on, each text converted to its cell's type.
    static void convert(Table& table, const std::vector<std::vector<host::Value>>& cells, int start_row,
                        int start_column);
};

}  // namespace norvex::table
