#include "table/NxTableComponent.h"

#include <cctype>

#include "ombu/widgets/TreeLock.h"
#include "table/Create.h"
#include "table/NxTblConverter.h"
#include "table/cells/Widget.h"
#include "table/model/TableOps.h"
#include "table/view/Draw.h"
#include "util/NxUtilConverter.h"

namespace norvex::table {

using host::Value;
using util::NxUtilConverter;
using E = NxTblEnum;
using P = PropertyEnum;

namespace {

// What each attribute type stands for: its list parameter, the keyword table of its
// values (enumerations) and whether a change can alter the sizes of rows or columns.
struct AttributeKind {
    const char* list;
    const char* keywords;  // null: not an enumeration
    bool sizes;
};

const AttributeKind* kindOf(int type) {
    static const AttributeKind kinds[] = {
        {"AlignmentList", "Alignment", false},     {"BackgroundList", nullptr, false},
        {"BorderSidesList", nullptr, true},        {"BorderTypeList", "Bordertype", true},
        {"CharHeightList", nullptr, true},         {"CharWidthList", nullptr, true},
        {"ComponentList", nullptr, true},          {"DataTypeList", "Datatype", false},
        {"EditableList", nullptr, false},          {"FontList", nullptr, true},
        {"ForegroundList", nullptr, false},        {"MaxLengthList", nullptr, false},
        {"MultilineList", nullptr, false},         {"PixelHeightList", nullptr, true},
        {"PixelWidthList", nullptr, true},         {"StringCaseList", "StringCase", false},
        {"TraversableList", nullptr, false},       {"UserdataList", nullptr, false},
    };
    if (type < 0 || type >= int(std::size(kinds))) return nullptr;
    return &kinds[type];
}

std::string position(int start, int end) {
    if (start == end) return NxTblRevConverter::fromInt(start);
    return NxTblRevConverter::fromInt(start) + "-" + NxTblRevConverter::fromInt(end);
}

std::string upper(std::string s) {
    for (char& c : s) c = char(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

std::vector<std::string> texts(const std::vector<Value>& values) {
    std::vector<std::string> out;
    for (const Value& v : values) out.push_back(v.isNull() ? "" : NxUtilConverter::toString(v));
    return out;
}

}  // namespace

NxTableComponent::NxTableComponent(host::Applet* applet, const std::string& name) : NxTable(applet, name) {}

// ---- Attribute lists ----

Series* NxTableComponent::seriesOf(int type) {
    switch (type) {
        case ALIGNMENT: return &alignment_series;
        case BACKGROUND: return &bg_series;
        case BORDERSIDES: return &border_sides_series;
        case BORDERTYPE: return &border_type_series;
        case CHARHEIGHT: return &char_height_series;
        case CHARWIDTH: return &char_width_series;
        case COMPONENT: return &component_series;
        case DATATYPE: return &datatype_series;
        case EDITABLE: return &editable_series;
        case FONT: return &font_series;
        case FOREGROUND: return &fg_series;
        case MAXLENGTH: return &max_length_series;
        case MULTILINE: return &multiline_series;
        case PIXELHEIGHT: return &pixel_height_series;
        case PIXELWIDTH: return &pixel_width_series;
        case STRINGCASE: return &string_case_series;
        case TRAVERSABLE: return &traversable_series;
        case USERDATA: return &userdata_series;
        default: return nullptr;
    }
}

Value NxTableComponent::defaultOf(int type) {
    switch (type) {
        case ALIGNMENT: return Value(E::TOPLEFT);
        case BORDERSIDES: return Value(E::BORDERSIDE_ALL);
        case BORDERTYPE: return Value(E::BORDER_IN);
        case CHARHEIGHT: return Value(1);
        case CHARWIDTH: return Value(10);
        case DATATYPE: return Value(E::TYPE_STRING);
        case EDITABLE: return Value(true);
        case MAXLENGTH: return Value(E::MAXINT);
        case MULTILINE: return Value(false);
        case PIXELHEIGHT:
        case PIXELWIDTH: return Value(E::NOVALUE);
        case STRINGCASE: return Value(E::CASE_AS_IS);
        case TRAVERSABLE: return Value(true);
        default: return Value();  // colours and fonts: the component's own; no component
    }
}

void NxTableComponent::setSeries(int type, const std::string& s) {
    Series* series = seriesOf(type);
    const AttributeKind* kind = kindOf(type);
    if (!series || !kind || type == USERDATA) return;  // user data has no list syntax
    ombu::TreeLock guard(*this);
    const bool painting = getRepaint();
    setRepaint(false);  // one re-measure and one repaint for the whole list
    for (const SeriesValue& e : series->getEntries()) {
        // Replaced component cells take their component and clones out of the table.
        if (auto w = e.value.as<WidgetSeriesValue>()) w->destroy();
        series->remove(e.row, e.column);
    }
    // The default entry comes back, so cells outside every group read the defaults.
    if (type != COMPONENT) series->setDefault(defaultOf(type));
    NxTblConverter::toSeries(*this, kind->list, util::OptString(s));
    setProperty(kind->sizes ? (P::RESET | P::RESIZE | P::REDISPLAY) : P::REDISPLAY);
    setRepaint(painting);
}

std::string NxTableComponent::resourceToString(int type, const NxCellRange& r, const Value& v) {
    const AttributeKind* kind = kindOf(type);
    std::string text;
    if (kind && kind->keywords && v.isNumber()) {
        text = NxTblConverter::fromEnum(v.asInt(), kind->keywords).value_or(std::to_string(v.asInt()));
    } else if (type == BORDERSIDES) {
        text = NxTblRevConverter::fromBorderSides(v.asInt());
    } else if (type == BACKGROUND || type == FOREGROUND) {
        if (v.isColor())
            text = NxUtilConverter::fromColor(v.asColor()).value_or("");
        else
            text = v.asInt() == E::REPEAT_ROW ? "repeat_row" : "repeat_column";
    } else if (type == FONT) {
        text = NxUtilConverter::fromFont(v.asFont());
    } else if (type == EDITABLE || type == MULTILINE || type == TRAVERSABLE) {
        text = v.asBool() ? "true" : "false";
    } else if (type == COMPONENT) {
        auto w = v.as<WidgetSeriesValue>();
        text = w && w->component ? w->component->classInfo().name : "";
    } else if (type == CHARHEIGHT || type == CHARWIDTH) {
        text = std::to_string(v.asInt());
    } else if (v.isNumber()) {
        text = NxTblRevConverter::fromInt(v.asInt());
    } else {
        text = NxUtilConverter::toString(v);
    }
    return "(" + position(r.start_row, r.end_row) + " " + position(r.start_column, r.end_column) + " " + text + ")";
}

std::string NxTableComponent::fromSeries(int type) {
    Series* series = seriesOf(type);
    if (!series) return "";
    host::Lock guard(mutex());
    std::string out;
    for (const SeriesValue& e : series->getEntries()) {
        if (e.value.isNull()) continue;  // nothing to write: the component's own value
        if (type == COMPONENT && !e.value.as<WidgetSeriesValue>()) continue;
        out += resourceToString(type, NxCellRange(e.row, e.column, e.row, e.column), e.value);
    }
    return out;
}

// ---- Values, colours, spans, labels ----

std::string NxTableComponent::getCellValues() {
    std::string out;
    for (const auto& row : getCells()) out += "(" + NxTblRevConverter::fromVector(row, '|') + ")";
    return out;
}

void NxTableComponent::setCellValues(const std::string& s) {
    ombu::TreeLock guard(*this);
    const bool painting = getRepaint();
    setRepaint(false);  // one repaint for the whole replacement
    clearCells();
    Create::setCellsGrowing(*this, NxTblConverter::toCellValues(*this, s, '|', true));
    setProperty(P::REDISPLAY);
    setRepaint(painting);
}

std::string NxTableComponent::getRepeatFGColors() {
    std::vector<host::OptColor> list(getRepeatForegroundColors().begin(), getRepeatForegroundColors().end());
    return NxUtilConverter::fromColorList(list);
}

std::string NxTableComponent::getRepeatBGColors() {
    std::vector<host::OptColor> list(getRepeatBackgroundColors().begin(), getRepeatBackgroundColors().end());
    return NxUtilConverter::fromColorList(list);
}

namespace {
std::vector<host::Color> colorList(const std::string& s, const char* property) {
    std::vector<host::Color> out;
    auto list = NxUtilConverter::toColorList(util::OptString(s));
    if (!list && !util::text::trimmed(s).empty()) NxTblConverter::error(s, property);
    if (list)
        for (const auto& c : *list)
            if (c) out.push_back(*c);
    return out;
}
}  // namespace

void NxTableComponent::setRepeatFGColors(const std::string& s) {
    setRepeatForegroundColors(colorList(s, "RepeatFGColors"));
}

void NxTableComponent::setRepeatBGColors(const std::string& s) {
    setRepeatBackgroundColors(colorList(s, "RepeatBGColors"));
}

std::string NxTableComponent::getSpanningCells() {
    std::string out;
    for (const NxCellRange& r : getSpans())
        out += "(" + position(r.start_row, r.end_row) + " " + position(r.start_column, r.end_column) + ")";
    return out;
}

void NxTableComponent::setSpanningCells(const std::string& s) {
    setSpans(NxTblConverter::toRangeList(*this, util::OptString(s), "SpanningCells", false));
}

std::vector<std::string> NxTableComponent::getColumnLabelsList() { return texts(getColumnLabels()); }

std::vector<std::string> NxTableComponent::getRowLabelsList() { return texts(getRowLabels()); }

void NxTableComponent::setColumnLabelsList(const std::vector<std::string>& labels) {
    setColumnLabels(std::vector<Value>(labels.begin(), labels.end()));
}

void NxTableComponent::setRowLabelsList(const std::vector<std::string>& labels) {
    setRowLabels(std::vector<Value>(labels.begin(), labels.end()));
}

// ---- Search ----

void NxTableComponent::findInternal(const std::string& s) { search_string = upper(s); }

bool NxTableComponent::matches(int row, int col) {
    const Value v = GetValue::cell(*this, row, col);
    if (v.isNull()) return false;
    if (util::text::findIgnoreCase(NxUtilConverter::toString(v), search_string) == std::string::npos) return false;
    find_cell = {row, col};
    return true;
}

bool NxTableComponent::findString(const std::string& s) {
    ombu::TreeLock guard(*this);
    findInternal(s);
    const int R = getNumRows(), C = getNumColumns();
    if (R <= 0 || C <= 0) return false;
    const bool current = edit_row >= 0 && edit_row < R && edit_column >= 0 && edit_column < C;
    // The walk starts after the current cell and ends on it; without one it starts at
    // (0, 0) and ends just before it.
    const int64_t start = current ? int64_t(edit_row) * C + edit_column + 1 : 0;
    const int64_t total = int64_t(R) * C;
    for (int64_t k = 0; k < total; ++k) {
        const int64_t at = (start + k) % total;
        const int row = int(at / C), col = int(at % C);
        if (!matches(row, col)) continue;
        const int old_row = edit_row;
        edit_row = row, edit_column = col;
        if (old_row >= 0 && old_row < R && old_row != row) DrawRow::draw(*this, old_row);
        if (isRowVisible(row))
            DrawRow::draw(*this, row);
        else
            makeVisible(row, col);
        return true;
    }
    return false;
}

}  // namespace norvex::table
