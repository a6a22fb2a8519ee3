// The table as a design-tool component: every attribute list, the cell values, the
// repeat colours and the spans are single string properties in the page-parameter
// syntax, so a visual builder edits the whole table through text fields; and a
// case-insensitive search over the cells.
#pragma once

#include <string>
#include <vector>

#include "table/NxTable.h"

namespace norvex::table {

class NxTableComponent : public NxTable {
    HOST_CREATABLE(NxTableComponent, "norvex.table.NxTableComponent", NxTable)
public:
    // Attribute types: which series a list property reads and writes.
    static constexpr int ALIGNMENT = 0, BACKGROUND = 1, BORDERSIDES = 2, BORDERTYPE = 3, CHARHEIGHT = 4,
                         CHARWIDTH = 5, COMPONENT = 6, DATATYPE = 7, EDITABLE = 8, FONT = 9, FOREGROUND = 10,
                         MAXLENGTH = 11, MULTILINE = 12, PIXELHEIGHT = 13, PIXELWIDTH = 14, STRINGCASE = 15,
                         TRAVERSABLE = 16, USERDATA = 17;
    // The index constants of the table, repeated for builders.
    static constexpr int ALL = NxTblEnum::ALL, ALLCELLS = NxTblEnum::ALLCELLS, LABEL = NxTblEnum::LABEL,
                         NOVALUE = NxTblEnum::NOVALUE, MAXINT = NxTblEnum::MAXINT;

    explicit NxTableComponent(host::Applet* applet = nullptr, const std::string& name = "");

    // ---- Attribute lists ("(rows columns value)" groups) ----
    std::string getAlignmentSeries() { return fromSeries(ALIGNMENT); }
    void setAlignmentSeries(const std::string& s) { setSeries(ALIGNMENT, s); }
    std::string getBackgroundSeries() { return fromSeries(BACKGROUND); }
    void setBackgroundSeries(const std::string& s) { setSeries(BACKGROUND, s); }
    std::string getBorderSidesSeries() { return fromSeries(BORDERSIDES); }
    void setBorderSidesSeries(const std::string& s) { setSeries(BORDERSIDES, s); }
    std::string getBorderTypeSeries() { return fromSeries(BORDERTYPE); }
    void setBorderTypeSeries(const std::string& s) { setSeries(BORDERTYPE, s); }
    std::string getCharHeightSeries() { return fromSeries(CHARHEIGHT); }
    void setCharHeightSeries(const std::string& s) { setSeries(CHARHEIGHT, s); }
    std::string getCharWidthSeries() { return fromSeries(CHARWIDTH); }
    void setCharWidthSeries(const std::string& s) { setSeries(CHARWIDTH, s); }
    std::string getComponentSeries() { return fromSeries(COMPONENT); }
    void setComponentSeries(const std::string& s) { setSeries(COMPONENT, s); }
    std::string getDataTypeSeries() { return fromSeries(DATATYPE); }
    void setDataTypeSeries(const std::string& s) { setSeries(DATATYPE, s); }
    std::string getEditableSeries() { return fromSeries(EDITABLE); }
    void setEditableSeries(const std::string& s) { setSeries(EDITABLE, s); }
    std::string getFontSeries() { return fromSeries(FONT); }
    void setFontSeries(const std::string& s) { setSeries(FONT, s); }
    std::string getForegroundSeries() { return fromSeries(FOREGROUND); }
    void setForegroundSeries(const std::string& s) { setSeries(FOREGROUND, s); }
    std::string getMaxLengthSeries() { return fromSeries(MAXLENGTH); }
    void setMaxLengthSeries(const std::string& s) { setSeries(MAXLENGTH, s); }
    std::string getMultiLineSeries() { return fromSeries(MULTILINE); }
    void setMultiLineSeries(const std::string& s) { setSeries(MULTILINE, s); }
    std::string getPixelHeightSeries() { return fromSeries(PIXELHEIGHT); }
    void setPixelHeightSeries(const std::string& s) { setSeries(PIXELHEIGHT, s); }
    std::string getPixelWidthSeries() { return fromSeries(PIXELWIDTH); }
    void setPixelWidthSeries(const std::string& s) { setSeries(PIXELWIDTH, s); }
    std::string getStringCaseSeries() { return fromSeries(STRINGCASE); }
    void setStringCaseSeries(const std::string& s) { setSeries(STRINGCASE, s); }
    std::string getTraversableSeries() { return fromSeries(TRAVERSABLE); }
    void setTraversableSeries(const std::string& s) { setSeries(TRAVERSABLE, s); }

    // ---- Values, colours, spans, labels ----
    // One "(...)" group per row, cells separated by "|".
    std::string getCellValues();
    void setCellValues(const std::string& s);
    std::string getRepeatFGColors();
    void setRepeatFGColors(const std::string& s);
    std::string getRepeatBGColors();
    void setRepeatBGColors(const std::string& s);
    // "(rows columns)" groups, one per span.
    std::string getSpanningCells();
    void setSpanningCells(const std::string& s);
    std::vector<std::string> getColumnLabelsList();
    void setColumnLabelsList(const std::vector<std::string>& labels);
    std::vector<std::string> getRowLabelsList();
    void setRowLabelsList(const std::vector<std::string>& labels);

    // The series of an attribute type in the attribute-list syntax ("" for an unknown type).
    std::string fromSeries(int type);
    // Replaces the series of type by the list s: the default entry comes back first, the
    // entries of s follow, and the table re-measures, lays out and repaints as needed.
    void setSeries(int type, const std::string& s);
    // One "(rows columns value)" group.
    static std::string resourceToString(int type, const NxCellRange& range, const host::Value& value);

    // ---- Search ----
    // Finds the next cell after the current one (wrapping round, the current cell last)
    // whose text contains s, ignoring case; it becomes the current cell and is shown.
    bool findString(const std::string& s);
    void findInternal(const std::string& s);
    // True when the cell's text contains the search text; records the cell.
    bool matches(int row, int col);
    NxCellPosition getFindCell() const { return find_cell; }

private:
    Series* seriesOf(int type);
    static host::Value defaultOf(int type);

    NxCellPosition find_cell{NxTblEnum::NOVALUE, NxTblEnum::NOVALUE};
    std::string search_string;
};

}  // namespace norvex::table
