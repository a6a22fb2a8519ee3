#include "table/NxTblConverter.h"

#include <algorithm>
#include <cctype>
#include <functional>
#include <stdexcept>

#include "table/NxTable.h"
#include "table/model/SeriesUtil.h"
#include "table/model/Table.h"
#include "util/ConvertUtil.h"
#include "util/NxUtilConverter.h"
#include "util/NxVector.h"

namespace norvex::table {

using host::Value;
using util::OptString;
using E = NxTblEnum;
using KeywordTable = std::vector<std::pair<std::string, int>>;

namespace {

std::string lower(std::string s) {
    for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string trim(const std::string& s) { return util::text::trimmed(s); }

std::vector<std::string> words(const std::string& s) {
    std::vector<std::string> out;
    size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && std::isspace(static_cast<unsigned char>(s[i]))) ++i;
        size_t j = i;
        while (j < s.size() && !std::isspace(static_cast<unsigned char>(s[j]))) ++j;
        if (j > i) out.push_back(s.substr(i, j - i));
        i = j;
    }
    return out;
}

const std::vector<std::pair<std::string, KeywordTable>>& allKeywords() {
    static const std::vector<std::pair<std::string, KeywordTable>> tables = {
        {"alignment",
         {{"topleft", E::TOPLEFT}, {"left", E::LEFT}, {"topcenter", E::TOPCENTER}, {"center", E::CENTER},
          {"topright", E::TOPRIGHT}, {"right", E::RIGHT}, {"middleleft", E::MIDDLELEFT},
          {"middlecenter", E::MIDDLECENTER}, {"middleright", E::MIDDLERIGHT}, {"bottomleft", E::BOTTOMLEFT},
          {"bottomcenter", E::BOTTOMCENTER}, {"bottomright", E::BOTTOMRIGHT}}},
        {"attachment", {{"attach_cells", E::ATTACH_CELLS}, {"attach_side", E::ATTACH_SIDE}}},
        {"bordersides",
         {{"borderside_none", E::BORDERSIDE_NONE}, {"borderside_left", E::BORDERSIDE_LEFT},
          {"borderside_top", E::BORDERSIDE_TOP}, {"borderside_bottom", E::BORDERSIDE_BOTTOM},
          {"borderside_right", E::BORDERSIDE_RIGHT}, {"borderside_all", E::BORDERSIDE_ALL}}},
        {"bordertype",
         {{"border_none", E::BORDER_NONE}, {"border_etched_in", E::BORDER_ETCHED_IN},
          {"border_etched_out", E::BORDER_ETCHED_OUT}, {"border_in", E::BORDER_IN}, {"border_out", E::BORDER_OUT},
          {"border_plain", E::BORDER_PLAIN}, {"border_frame_in", E::BORDER_FRAME_IN},
          {"border_frame_out", E::BORDER_FRAME_OUT}}},
        {"resize",
         {{"resize_none", E::RESIZE_NONE}, {"resize_column", E::RESIZE_COLUMN}, {"resize_row", E::RESIZE_ROW},
          {"resize_all", E::RESIZE_ALL}}},
        {"selectionpolicy",
         {{"select_none", E::SELECT_NONE}, {"select_single", E::SELECT_SINGLE}, {"select_range", E::SELECT_RANGE},
          {"select_multirange", E::SELECT_MULTIRANGE}}},
        {"stringcase", {{"case_as_is", E::CASE_AS_IS}, {"case_lower", E::CASE_LOWER}, {"case_upper", E::CASE_UPPER}}},
        {"columnplacement", {{"place_left", E::PLACE_LEFT}, {"place_right", E::PLACE_RIGHT}}},
        {"datatype",
         {{"type_boolean", E::TYPE_BOOLEAN}, {"type_date", E::TYPE_DATE}, {"type_double", E::TYPE_DOUBLE},
          {"type_float", E::TYPE_FLOAT}, {"type_integer", E::TYPE_INTEGER}, {"type_string", E::TYPE_STRING}}},
        {"scrollbardisplay",
         {{"sbdisplay_as_needed", E::SBDISPLAY_AS_NEEDED}, {"sbdisplay_always", E::SBDISPLAY_ALWAYS},
          {"sbdisplay_never", E::SBDISPLAY_NEVER}}},
        {"jump",
         {{"jump_none", E::JUMP_NONE}, {"jump_horizontal", E::JUMP_HORIZONTAL}, {"jump_vertical", E::JUMP_VERTICAL},
          {"jump_all", E::JUMP_ALL}}},
        {"mode", {{"mode_list", E::MODE_LIST}, {"mode_table", E::MODE_TABLE}}},
        {"scrollbarposition", {{"sbposition_cells", E::SBPOSITION_CELLS}, {"sbposition_side", E::SBPOSITION_SIDE}}},
        {"rowplacement", {{"place_top", E::PLACE_TOP}, {"place_bottom", E::PLACE_BOTTOM}}},
        {"validatepolicy",
         {{"validate_never", E::VALIDATE_NEVER}, {"validate_user_edit", E::VALIDATE_USER_EDIT},
          {"validate_set", E::VALIDATE_SET}, {"validate_always", E::VALIDATE_ALWAYS}}},
    };
    return tables;
}

}  // namespace

void NxTblConverter::error(const std::string& value, const std::string& param) {
    util::NxUtilConverter::error("Error converting '" + value + "' to " + param);
}

const KeywordTable* NxTblConverter::keywords(const std::string& type) {
    const std::string t = lower(type);
    for (const auto& [name, table] : allKeywords())
        if (name == t) return &table;
    return nullptr;
}

int NxTblConverter::toEnum(const OptString& s, const std::string& type) {
    if (!s) return E::NOVALUE;
    const std::string v = lower(trim(*s));
    if (const KeywordTable* k = keywords(type))
        for (const auto& [word, value] : *k)
            if (word == v) return value;
    if (auto n = util::text::parseInt(v)) return *n;
    return E::NOVALUE;
}

int NxTblConverter::toEnum(const OptString& s, const std::string& type, const std::string& param, int def) {
    if (!s) return def;
    const int v = toEnum(s, type);
    if (v != E::NOVALUE) return v;
    error(*s, param);
    return def;
}

OptString NxTblConverter::fromEnum(int value, const std::string& type) {
    if (const KeywordTable* k = keywords(type))
        for (const auto& [word, v] : *k)
            if (v == value) return word;
    return std::nullopt;
}

std::optional<int> NxTblConverter::toTableInt(const std::string& token) {
    const std::string s = lower(trim(token));
    if (s == "label") return E::LABEL;
    if (s == "maxint") return E::MAXINT;
    if (s == "novalue") return E::NOVALUE;
    if (auto n = util::text::parseInt(s)) return *n;
    return std::nullopt;
}

std::optional<int> NxTblConverter::toTableInt2(const std::string& token) {
    const std::string s = lower(trim(token));
    if (s == "all") return E::ALL;
    if (s == "allcells") return E::ALLCELLS;
    if (s == "variable") return E::VARIABLE;
    if (s == "as_is") return E::AS_IS;
    return toTableInt(s);
}

int NxTblConverter::toInt(const OptString& s, int def, const std::string& param) {
    if (!s) return def;
    if (auto n = toTableInt(*s)) return *n;
    error(*s, param);
    return def;
}

std::optional<TblPosition> NxTblConverter::toPosition(const std::string& token) {
    const std::string s = lower(trim(token));
    if (s.empty()) return std::nullopt;
    if (s == "all") return TblPosition{E::ALL, E::ALL};
    if (s == "allcells") return TblPosition{E::ALLCELLS, E::ALLCELLS};
    // A separator after the first character: a leading minus is the sign of the first number.
    for (char sep : {'-', ','}) {
        const size_t at = s.find(sep, 1);
        if (at == std::string::npos || at + 1 >= s.size()) continue;
        auto a = toTableInt(s.substr(0, at)), b = toTableInt(s.substr(at + 1));
        if (!a || !b) return std::nullopt;
        // A reversed range is the same range.
        return TblPosition{std::min(*a, *b), std::max(*a, *b)};
    }
    if (auto v = toTableInt(s)) return TblPosition{*v, *v};
    return std::nullopt;
}

std::optional<NxCellRange> NxTblConverter::toRange(const std::string& text) {
    std::string s = trim(text);
    if (!s.empty() && s.front() == '(') s = s.substr(1);
    if (!s.empty() && s.back() == ')') s.pop_back();
    auto w = words(s);
    if (w.size() != 2) return std::nullopt;
    auto rows = toPosition(w[0]), cols = toPosition(w[1]);
    if (!rows || !cols) return std::nullopt;
    return NxCellRange(rows->start, cols->start, rows->end, cols->end);
}

std::vector<std::string> NxTblConverter::groups(const std::string& s) {
    std::vector<std::string> out;
    size_t i = 0;
    while ((i = s.find('(', i)) != std::string::npos) {
        const size_t j = s.find(')', i + 1);
        if (j == std::string::npos) {
            out.push_back(s.substr(i + 1));
            break;
        }
        out.push_back(s.substr(i + 1, j - i - 1));
        i = j + 1;
    }
    return out;
}

std::vector<NxCellRange> NxTblConverter::toRangeList(const Table& table, const OptString& s, const std::string& param,
                                                     bool normalise) {
    std::vector<NxCellRange> out;
    if (!s) return out;
    for (const std::string& g : groups(*s)) {
        if (auto r = toRange(g))
            out.push_back(normalise ? SeriesUtil::cvtRangeContextToRange(table, *r) : *r);
        else
            error("(" + g + ")", param);
    }
    return out;
}

std::optional<int> NxTblConverter::toBorderSides(const std::string& s) {
    int sides = 0;
    size_t i = 0;
    while (i <= s.size()) {
        size_t j = s.find('+', i);
        if (j == std::string::npos) j = s.size();
        const int v = toEnum(OptString(s.substr(i, j - i)), "Bordersides");
        if (v == E::NOVALUE || v < 0 || v > E::BORDERSIDE_ALL) return std::nullopt;
        sides |= v;
        i = j + 1;
    }
    return sides;
}

std::vector<std::vector<Value>> NxTblConverter::toCellValues(Table& table, const std::string& s, char delim,
                                                             bool convert) {
    std::vector<std::vector<Value>> rows;
    for (const std::string& g : groups(s)) {
        std::vector<Value> row;
        if (auto v = util::ConvertUtil::toVector(&table, g, delim, convert))
            for (int i = 0; i < v->size(); ++i) {
                Value cell = v->elementAt(i);
                // Plain text keeps its line breaks; rich text handles its own escapes.
                if (cell.isString()) cell = Value(*util::NxUtilConverter::toNewLine(cell.asString()));
                row.push_back(cell);
            }
        rows.push_back(std::move(row));
    }
    return rows;
}

// ---- Attribute lists ----

namespace {

// How one list's value text becomes a value, and where it goes.
struct ListKind {
    const char* name;
    std::function<std::optional<Value>(Table&, const std::string&)> convert;
    // Stores the value over a range; false when the table rejects it.
    std::function<void(Table&, const NxCellRange&, const Value&)> store;
};

std::optional<Value> enumValue(const std::string& s, const char* type) {
    const int v = NxTblConverter::toEnum(OptString(s), type);
    if (v == E::NOVALUE) return std::nullopt;
    return Value(v);
}

std::optional<Value> intValue(const std::string& s) {
    if (auto n = util::text::parseInt(trim(s))) return Value(*n);
    return std::nullopt;
}

std::optional<Value> colorValue(const std::string& s) {
    const std::string l = lower(trim(s));
    if (l == "repeat_row") return Value(E::REPEAT_ROW);
    if (l == "repeat_column") return Value(E::REPEAT_COLUMN);
    if (auto c = util::NxUtilConverter::toColor(OptString(s))) return Value(*c);
    return std::nullopt;
}

std::optional<Value> boolValue(const std::string& s) {
    const std::string l = lower(trim(s));
    if (l == "true") return Value(true);
    if (l == "false") return Value(false);
    return std::nullopt;
}

// Calls set for every key of a range: wild cards and labels as one key, index ranges
// clipped to the table so a huge range costs no more than the table.
void eachKey(Table& t, const NxCellRange& r, const std::function<void(int, int)>& set) {
    auto keys = [](int a, int b, int count) {
        std::vector<int> out;
        if (a < 0 || b < 0) {
            out.push_back(a < 0 ? a : b);
            return out;
        }
        for (int i = std::min(a, b); i <= std::min(std::max(a, b), count - 1); ++i) out.push_back(i);
        return out;
    };
    for (int row : keys(r.start_row, r.end_row, t.getNumRows()))
        for (int col : keys(r.start_column, r.end_column, t.getNumColumns())) set(row, col);
}

}  // namespace

void NxTblConverter::toSeries(Table& t, const std::string& type, const OptString& s) {
    if (!s) return;
    using P = PropertyEnum;
    auto series = [&t](Series& target, int flags) {
        return [&t, &target, flags](Table&, const NxCellRange& r, const Value& v) {
            SeriesUtil::setValue(t, target, SeriesUtil::cvtRangeContextToRange(t, r), v);
            t.setProperty(flags);
        };
    };
    auto nx = [](auto setter) {
        return [setter](Table& t, const NxCellRange& r, const Value& v) {
            if (auto* n = dynamic_cast<NxTable*>(&t)) eachKey(t, r, [&](int row, int col) { setter(*n, row, col, v); });
        };
    };
    const std::vector<ListKind> kinds = {
        {"AlignmentList", [](Table&, const std::string& v) { return enumValue(v, "Alignment"); },
         series(t.alignment_series, P::REDISPLAY)},
        {"BackgroundList", [](Table&, const std::string& v) { return colorValue(v); }, series(t.bg_series, P::REDISPLAY)},
        {"BorderSidesList",
         [](Table&, const std::string& v) -> std::optional<Value> {
             if (auto sides = toBorderSides(v)) return Value(*sides);
             return std::nullopt;
         },
         series(t.border_sides_series, P::REDISPLAY)},
        {"BorderTypeList", [](Table&, const std::string& v) { return enumValue(v, "Bordertype"); },
         series(t.border_type_series, P::REDISPLAY)},
        {"CharHeightList", [](Table&, const std::string& v) { return intValue(v); },
         series(t.char_height_series, P::ROW_HEIGHTS | P::RELAYOUT)},
        {"CharWidthList", [](Table&, const std::string& v) { return intValue(v); },
         series(t.char_width_series, P::COLUMN_WIDTHS | P::RELAYOUT)},
        {"DataTypeList", [](Table&, const std::string& v) { return enumValue(v, "Datatype"); },
         series(t.datatype_series, 0)},
        {"FontList",
         [](Table&, const std::string& v) -> std::optional<Value> {
             if (auto f = util::NxUtilConverter::toFont(OptString(trim(v)))) return Value(*f);
             return std::nullopt;
         },
         series(t.font_series, P::FONT)},
        {"ForegroundList", [](Table&, const std::string& v) { return colorValue(v); }, series(t.fg_series, P::REDISPLAY)},
        {"PixelHeightList",
         [](Table&, const std::string& v) -> std::optional<Value> {
             if (auto n = toTableInt2(v); n && (*n >= 0 || *n == E::NOVALUE)) return Value(*n);
             return std::nullopt;
         },
         series(t.pixel_height_series, P::ROW_HEIGHTS | P::RELAYOUT)},
        {"PixelWidthList",
         [](Table&, const std::string& v) -> std::optional<Value> {
             if (auto n = toTableInt2(v); n && (*n >= 0 || *n == E::NOVALUE)) return Value(*n);
             return std::nullopt;
         },
         series(t.pixel_width_series, P::COLUMN_WIDTHS | P::RELAYOUT)},
        {"EditableList", [](Table&, const std::string& v) { return boolValue(v); },
         nx([](NxTable& n, int r, int c, const Value& v) { n.setEditable(r, c, v.asBool()); })},
        {"MaxLengthList",
         [](Table&, const std::string& v) -> std::optional<Value> {
             auto n = toTableInt(v);
             if (n && *n >= 0) return Value(*n);
             return std::nullopt;
         },
         nx([](NxTable& n, int r, int c, const Value& v) { n.setMaxLength(r, c, v.asInt()); })},
        {"MultilineList", [](Table&, const std::string& v) { return boolValue(v); },
         nx([](NxTable& n, int r, int c, const Value& v) { n.setMultiline(r, c, v.asBool()); })},
        {"StringCaseList", [](Table&, const std::string& v) { return enumValue(v, "StringCase"); },
         nx([](NxTable& n, int r, int c, const Value& v) { n.setStringCase(r, c, v.asInt()); })},
        {"TraversableList", [](Table&, const std::string& v) { return boolValue(v); },
         nx([](NxTable& n, int r, int c, const Value& v) { n.setTraversable(r, c, v.asBool()); })},
        // A component class by name: each key of the range gets an instance of its own.
        {"ComponentList",
         [](Table&, const std::string& v) -> std::optional<Value> {
             const host::ClassInfo* info = host::ClassRegistry::instance().find(trim(v));
             if (!info || !info->factory || !info->isA(host::Component::staticClass())) return std::nullopt;
             return Value(std::string(info->name));
         },
         nx([](NxTable& n, int r, int c, const Value& v) {
             auto made = host::cast<host::Component>(
                 host::ClassRegistry::instance().createObject(v.asString(), nullptr, ""));
             if (!made) return;
             made->setFont(n.host::Panel::getFont());  // the table's font, as its text cells have
             n.setComponent(r, c, made);
         })},
    };
    const ListKind* kind = nullptr;
    for (const ListKind& k : kinds)
        if (util::text::equalsIgnoreCase(k.name, type)) kind = &k;
    if (!kind) return;
    for (const std::string& g : groups(*s)) {
        auto w = words(g);
        if (w.size() < 3) {
            util::NxUtilConverter::error("Missing value in '(" + g + ")'");
            continue;
        }
        auto rows = toPosition(w[0]), cols = toPosition(w[1]);
        if (!rows || !cols) {
            error(g, type);
            continue;
        }
        // The value is the rest of the group after the two positions.
        size_t at = g.find(w[1], g.find(w[0]) + w[0].size()) + w[1].size();
        const std::string text = trim(g.substr(at));
        auto value = kind->convert(t, text);
        if (!value) {
            error(text, type);
            continue;
        }
        try {
            kind->store(t, NxCellRange(rows->start, cols->start, rows->end, cols->end), *value);
        } catch (const std::exception&) {
            error(text, type);
        }
    }
}

// ---- Reverse conversion ----

std::string NxTblRevConverter::fromInt(int v) {
    switch (v) {
        case E::MAXINT: return "maxint";
        case E::VARIABLE: return "variable";
        case E::AS_IS: return "as_is";
        case E::NOVALUE: return "novalue";
        case E::ALL: return "all";
        case E::ALLCELLS: return "allcells";
        case E::LABEL: return "label";
        default: return std::to_string(v);
    }
}

std::string NxTblRevConverter::fromVector(const std::vector<Value>& v, char delim) {
    std::string out;
    for (size_t i = 0; i < v.size(); ++i) {
        if (i) out += delim;
        if (!v[i].isNull()) out += util::NxUtilConverter::toString(v[i]);
    }
    return out;
}

std::string NxTblRevConverter::fromBorderSides(int sides) {
    if (sides == E::BORDERSIDE_ALL) return "borderside_all";
    if (sides == E::BORDERSIDE_NONE) return "borderside_none";
    std::string out;
    for (int bit : {E::BORDERSIDE_LEFT, E::BORDERSIDE_TOP, E::BORDERSIDE_BOTTOM, E::BORDERSIDE_RIGHT}) {
        if (!(sides & bit)) continue;
        if (!out.empty()) out += " + ";
        out += *NxTblConverter::fromEnum(bit, "Bordersides");
    }
    return out;
}

// ---- Typed cell values ----

Value TblConvertUtil::convert(const std::string& s, int datatype) {
    const std::string t = trim(s);
    switch (datatype) {
        case E::TYPE_BOOLEAN:
            if (util::text::equalsIgnoreCase(t, "true")) return Value(true);
            if (util::text::equalsIgnoreCase(t, "false")) return Value(false);
            break;
        case E::TYPE_INTEGER:
            if (auto n = util::text::parseInt(t)) return Value(*n);
            break;
        case E::TYPE_DOUBLE:
        case E::TYPE_FLOAT:
            if (auto d = util::text::parseDouble(t)) return Value(*d);
            break;
        case E::TYPE_DATE:
            if (auto d = util::NxUtilConverter::parseDate(t)) return Value(*d);
            break;
        default: break;
    }
    return Value(s);
}

void TblConvertUtil::convert(Table& table, const std::vector<std::vector<Value>>& cells, int start_row,
                             int start_column) {
    for (size_t r = 0; r < cells.size(); ++r) {
        const int row = start_row + int(r);
        if (row >= table.getNumRows()) break;
        for (size_t c = 0; c < cells[r].size(); ++c) {
            const int col = start_column + int(c);
            if (col >= table.getNumColumns()) break;
            Value v = cells[r][c];
            if (v.isString()) v = convert(v.asString(), table.getDatatype(row, col));
            table.setCell(row, col, v);
        }
    }
}

}  // namespace norvex::table
