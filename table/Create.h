// Reads a table's page parameters once and applies them (Create for every table,
// CreateNxTable for the component's own). An absent parameter leaves the property as
// it is; a bad one is reported in one line and the property keeps its value.
#pragma once

#include <string>
#include <vector>

#include "host/runtime/Value.h"

#include "util/TextUtil.h"

namespace host {
class Applet;
}

namespace norvex::table {

class Table;
class NxTable;

struct Create {
    static void getParams(Table& table, host::Applet* applet);
    // The parameter by the component-name rules (name.param before param).
    static util::OptString param(Table& table, host::Applet* applet, const std::string& name);
    // Cell values from a file: "csv" (any case) by the comma-separated rules, another
    // format by its first character as delimiter, none by the "cells" syntax.
    static void readCellsFile(Table& table, host::Applet* applet, const std::string& file,
                              const util::OptString& format);
    // Stores rows of values from (0, 0), growing the table to fit.
    static void setCellsGrowing(Table& table, const std::vector<std::vector<host::Value>>& rows);
};

struct CreateNxTable {
    static void create(host::Applet* applet, NxTable& table);
};

}  // namespace norvex::table
