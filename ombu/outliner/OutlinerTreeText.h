// The text form of an outliner tree: one line per node, depth-first; leading spaces
// and tabs give the depth; a line ending in "(FOLDER)" is a folder even without
// children; a label is split at unescaped commas into column cells.
//
// Reading: a line's parent is the nearest earlier line with less indentation (any
// number of blanks per level; a line indented several levels below its predecessor
// becomes its child). A stack of open lines makes it linear in the text. The first
// line is the root, read like any other line; when every line is indented the root
// has no label (and indent -1) and every line is below it. Blank lines are skipped;
// lines before which no line has less indentation hang under the root.
//
// Writing: one space per depth, then the cells joined with "," (commas, backslashes
// and line breaks in a cell escaped), and "(FOLDER)" after a folder
// without children, so the text written reads back to the same tree.
#pragma once

#include <string>
#include <vector>

#include "ombu/outliner/NxOutlinerNode.h"

namespace host {
class Component;
}

namespace norvex::ombu {

class OutlinerTreeText {
public:
    OutlinerTreeText() = delete;
    static constexpr const char* FOLDER_MARK = "(FOLDER)";

    // Null for no lines (or only blank ones).
    static NxOutlinerFolderNodePtr read(host::Component* comp, const std::vector<std::string>& lines);
    static std::vector<std::string> write(const NxOutlinerNode* root);
    // One label from a line's text (cells split and unescaped; one cell stays a plain value).
    static host::Value readLabel(host::Component* comp, const std::string& text);
    static std::string writeLabel(const host::Value& label);
};

}  // namespace norvex::ombu
