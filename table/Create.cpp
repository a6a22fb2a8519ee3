#include "table/Create.h"

#include <functional>
#include <stdexcept>

#include "host/page/Applet.h"
#include "table/NxTable.h"
#include "table/NxTblConverter.h"
#include "util/ConvertUtil.h"
#include "util/NxCSVTokenizer.h"
#include "util/NxFile.h"
#include "util/NxUtilConverter.h"
#include "util/NxVector.h"

namespace norvex::table {

using host::Value;
using util::NxUtilConverter;
using util::OptString;

OptString Create::param(Table& t, host::Applet* applet, const std::string& name) {
    return NxUtilConverter::getParam(applet, &t, t.getName(), name);
}

void Create::setCellsGrowing(Table& t, const std::vector<std::vector<Value>>& rows) {
    size_t cols = 0;
    for (const auto& r : rows) cols = std::max(cols, r.size());
    if (int(rows.size()) > t.getNumRows()) t.setNumRows(int(rows.size()));
    if (int(cols) > t.getNumColumns()) t.setNumColumns(int(cols));
    TblConvertUtil::convert(t, rows, 0, 0);
}

void Create::readCellsFile(Table& t, host::Applet* applet, const std::string& file, const OptString& format) {
    std::vector<std::vector<Value>> rows;
    if (!format) {
        auto text = util::NxFile::read(applet, file);
        if (!text) {
            NxUtilConverter::error("Cannot read cells file '" + file + "'");
            return;
        }
        rows = NxTblConverter::toCellValues(t, *text, '|', true);
    } else {
        auto lines = util::NxFile::readLines(applet, file);
        if (!lines) {
            NxUtilConverter::error("Cannot read cells file '" + file + "'");
            return;
        }
        const bool csv = util::text::equalsIgnoreCase(util::text::trimmed(*format), "csv");
        const char delim = format->empty() ? '|' : (*format)[0];
        for (int i = 0; i < lines->size(); ++i) {
            const std::string line = lines->elementAt(i).isString() ? lines->elementAt(i).asString() : "";
            std::vector<Value> row;
            if (csv) {
                util::NxCSVTokenizer tok{OptString(line)};
                while (tok.hasMoreTokens()) {
                    OptString s = tok.nextToken();
                    row.push_back(s ? Value(*s) : Value());
                }
            } else if (auto v = util::ConvertUtil::toVector(&t, line, delim, true)) {
                for (int k = 0; k < v->size(); ++k) row.push_back(v->elementAt(k));
            }
            rows.push_back(std::move(row));
        }
    }
    setCellsGrowing(t, rows);
}

namespace {

// Applies a converted value through a setter; a value the setter rejects is reported.
template <class F>
void apply(const OptString& s, const std::string& name, F set) {
    if (!s) return;
    try {
        set();
    } catch (const std::invalid_argument&) {
        NxTblConverter::error(*s, name);
    }
}

}  // namespace

void Create::getParams(Table& t, host::Applet* applet) {
    if (auto file = param(t, applet, "paramFile")) {
        if (auto text = util::NxFile::read(applet, *file))
            NxUtilConverter::setParamSource(&t, text);
        else
            NxUtilConverter::error("Cannot read parameter file '" + *file + "'");
    }
    auto p = [&](const std::string& name) { return param(t, applet, name); };
    auto integer = [&](const std::string& name, std::function<int()> get, std::function<void(int)> set) {
        OptString s = p(name);
        apply(s, name, [&] { set(NxTblConverter::toInt(s, get(), name)); });
    };
    auto enumeration = [&](const std::string& name, const std::string& type, std::function<int()> get,
                           std::function<void(int)> set) {
        OptString s = p(name);
        apply(s, name, [&] { set(NxTblConverter::toEnum(s, type, name, get())); });
    };
    auto boolean = [&](const std::string& name, std::function<bool()> get, std::function<void(bool)> set) {
        OptString s = p(name);
        if (s) set(NxUtilConverter::toBoolean(s, get()));
    };

    t.setRepaint(false);  // one measuring pass for everything read here
    // The component's own colours and font: the defaults of every cell.
    if (OptString s = p("background")) {
        if (auto c = NxUtilConverter::toColor(s)) t.setBackground(*c);
        else NxTblConverter::error(*s, "background");
    }
    if (OptString s = p("foreground")) {
        if (auto c = NxUtilConverter::toColor(s)) t.setForeground(*c);
        else NxTblConverter::error(*s, "foreground");
    }
    if (OptString s = p("font")) {
        if (auto f = NxUtilConverter::toFont(s)) t.host::Panel::setFont(*f);
        else NxTblConverter::error(*s, "font");
    }
    if (auto file = p("cellsFile")) readCellsFile(t, applet, *file, p("cellsFileFormat"));
    if (auto cells = p("cells")) setCellsGrowing(t, NxTblConverter::toCellValues(t, *cells, '|', true));
    auto labels = [&](const std::string& name, bool columns) {
        OptString s = p(name);
        if (!s) return;
        auto v = util::ConvertUtil::toVector(&t, s, ',', true);
        if (!v) return;
        std::vector<Value> list;
        for (int i = 0; i < v->size(); ++i) list.push_back(v->elementAt(i));
        if (columns)
            t.setColumnLabels(list);
        else
            t.setRowLabels(list);
    };
    labels("columnLabels", true);
    labels("rowLabels", false);
    integer("numRows", [&] { return t.getNumRows(); }, [&](int v) { t.setNumRows(v); });
    integer("frozenRows", [&] { return t.getFrozenRows(); }, [&](int v) { t.setFrozenRows(v); });
    integer("visibleRows", [&] { return t.getVisibleRows(); }, [&](int v) { t.setVisibleRows(v); });
    integer("topRow", [&] { return t.getTopRow(); }, [&](int v) { t.setTopRow(v); });
    enumeration("frozenRowPlacement", "RowPlacement", [&] { return t.getFrozenRowPlacement(); },
                [&](int v) { t.setFrozenRowPlacement(v); });
    integer("rowLabelOffset", [&] { return t.getRowLabelOffset(); }, [&](int v) { t.setRowLabelOffset(v); });
    enumeration("rowLabelPlacement", "ColumnPlacement", [&] { return t.getRowLabelPlacement(); },
                [&](int v) { t.setRowLabelPlacement(v); });
    integer("numColumns", [&] { return t.getNumColumns(); }, [&](int v) { t.setNumColumns(v); });
    integer("leftColumn", [&] { return t.getLeftColumn(); }, [&](int v) { t.setLeftColumn(v); });
    integer("frozenColumns", [&] { return t.getFrozenColumns(); }, [&](int v) { t.setFrozenColumns(v); });
    integer("visibleColumns", [&] { return t.getVisibleColumns(); }, [&](int v) { t.setVisibleColumns(v); });
    enumeration("frozenColumnPlacement", "ColumnPlacement", [&] { return t.getFrozenColumnPlacement(); },
                [&](int v) { t.setFrozenColumnPlacement(v); });
    integer("columnLabelOffset", [&] { return t.getColumnLabelOffset(); }, [&](int v) { t.setColumnLabelOffset(v); });
    enumeration("columnLabelPlacement", "RowPlacement", [&] { return t.getColumnLabelPlacement(); },
                [&](int v) { t.setColumnLabelPlacement(v); });
    integer("shadowThickness", [&] { return t.getShadowThickness(); }, [&](int v) { t.setShadowThickness(v); });
    integer("frameShadowThickness", [&] { return t.getFrameShadowThickness(); },
            [&](int v) { t.setFrameShadowThickness(v); });
    enumeration("frameBorderType", "BorderType", [&] { return t.getFrameBorderType(); },
                [&](int v) { t.setFrameBorderType(v); });
    boolean("displayClipArrows", [&] { return t.getDisplayClipArrows(); }, [&](bool b) { t.setDisplayClipArrows(b); });
    boolean("trackCursor", [&] { return t.getTrackCursor(); }, [&](bool b) { t.setTrackCursor(b); });
    boolean("columnLabelSort", [&] { return t.getColumnLabelSort(); }, [&](bool b) { t.setColumnLabelSort(b); });
    boolean("doubleBuffer", [&] { return t.getDoubleBuffer(); }, [&](bool b) { t.setDoubleBuffer(b); });
    integer("minCellVisibility", [&] { return t.getMinCellVisibility(); }, [&](int v) { t.setMinCellVisibility(v); });
    enumeration("jump", "Jump", [&] { return t.getJumpScroll(); }, [&](int v) { t.setJumpScroll(v); });
    enumeration("allowCellResize", "Resize", [&] { return t.getAllowCellResize(); },
                [&](int v) { t.setAllowCellResize(v); });
    integer("marginWidth", [&] { return t.getMarginWidth(); }, [&](int v) { t.setMarginWidth(v); });
    integer("marginHeight", [&] { return t.getMarginHeight(); }, [&](int v) { t.setMarginHeight(v); });
    auto colors = [&](const std::string& name, bool background) {
        OptString s = p(name);
        if (!s) return;
        auto list = NxUtilConverter::toColorList(s);
        if (!list) {
            NxTblConverter::error(*s, name);
            return;
        }
        std::vector<host::Color> out;
        for (const auto& c : *list)
            if (c) out.push_back(*c);
        if (background)
            t.setRepeatBackgroundColors(out);
        else
            t.setRepeatForegroundColors(out);
    };
    colors("RepeatBackgroundColors", true);
    colors("RepeatForegroundColors", false);
    for (const char* list : {"AlignmentList", "BackgroundList", "BorderSidesList", "BorderTypeList", "CharHeightList",
                             "CharWidthList", "DataTypeList", "FontList", "ForegroundList", "PixelHeightList",
                             "PixelWidthList"})
        NxTblConverter::toSeries(t, list, p(list));
    if (OptString s = p("Spans")) t.setSpans(NxTblConverter::toRangeList(t, s, "Spans", false));
    enumeration("vertScrollbarDisplay", "ScrollbarDisplay", [&] { return t.getVertSBDisplay(); },
                [&](int v) { t.setVertSBDisplay(v); });
    enumeration("horizScrollbarDisplay", "ScrollbarDisplay", [&] { return t.getHorizSBDisplay(); },
                [&](int v) { t.setHorizSBDisplay(v); });
    enumeration("vertScrollbarPosition", "ScrollbarPosition", [&] { return t.getVertSBPosition(); },
                [&](int v) { t.setVertSBPosition(v); });
    enumeration("horizScrollbarPosition", "ScrollbarPosition", [&] { return t.getHorizSBPosition(); },
                [&](int v) { t.setHorizSBPosition(v); });
    integer("VertScrollbarOffset", [&] { return t.getVertSBOffset(); }, [&](int v) { t.setVertSBOffset(v); });
    integer("HorizScrollbarOffset", [&] { return t.getHorizSBOffset(); }, [&](int v) { t.setHorizSBOffset(v); });
    enumeration("HorizScrollbarAttachment", "Attachment", [&] { return t.getHorizSBAttachment(); },
                [&](int v) { t.setHorizSBAttachment(v); });
    enumeration("VertScrollbarAttachment", "Attachment", [&] { return t.getVertSBAttachment(); },
                [&](int v) { t.setVertSBAttachment(v); });
    t.setRepaint(true);
}

void CreateNxTable::create(host::Applet* applet, NxTable& t) {
    Create::getParams(t, applet);
    auto p = [&](const std::string& name) { return Create::param(t, applet, name); };
    if (OptString s = p("Mode"))
        apply(s, "Mode", [&] { t.setMode(NxTblConverter::toEnum(s, "Mode", "Mode", t.getMode())); });
    if (OptString s = p("SelectionPolicy"))
        apply(s, "SelectionPolicy", [&] {
            t.setSelectionPolicy(NxTblConverter::toEnum(s, "SelectionPolicy", "SelectionPolicy", t.getSelectionPolicy()));
        });
    if (OptString s = p("SelectedCells")) t.setSelectedCells(NxTblConverter::toRangeList(t, s, "SelectedCells"));
    auto color = [&](const std::string& name, auto set) {
        OptString s = p(name);
        if (!s) return;
        if (auto c = NxUtilConverter::toColor(s))
            set(*c);
        else
            NxTblConverter::error(*s, name);
    };
    color("SelectedBackground", [&](host::Color c) { t.setSelectedBackground(c); });
    color("SelectedForeground", [&](host::Color c) { t.setSelectedForeground(c); });
    for (const char* list : {"EditableList", "MaxLengthList", "MultilineList", "StringCaseList", "TraversableList",
                             "ComponentList"})
        NxTblConverter::toSeries(t, list, p(list));
    if (OptString s = p("ValidatePolicy"))
        apply(s, "ValidatePolicy", [&] {
            t.setValidatePolicy(NxTblConverter::toEnum(s, "ValidatePolicy", "ValidatePolicy", t.getValidatePolicy()));
        });
}

}  // namespace norvex::table
