// Reads an outliner's page parameters: "RootVisible", "NodeHeight", "NodeIndent",
// "AllowMultipleSelections", "AutoSelect", "StateList", "Spacing", "VisibleRows",
// "DragAndDropPolicy" and "Tree" (one node per line; lines end at line breaks or
// backslash-n pairs), each with the current value as default. Extensions for pages:
// "FolderStates" (comma-separated label=STATE pairs; the first folder with that label
// takes the state, a FOLDER_ name or its number), "LevelFonts" and "LevelForegrounds"
// (comma-separated, one entry per depth from the root's: nodes at that depth get a
// style with that font and colour and the default icons), "Shortcuts" (boolean:
// folders draw plus/minus boxes) and "Selected" (the label of the node to select).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ombu/outliner/NxOutlinerNode.h"
#include "util/TextUtil.h"

namespace host {
class Component;
}

namespace norvex::ombu {

class NxOutlinerComponent;

class OutlinerConverter {
public:
    OutlinerConverter() = delete;
    using Param = std::function<util::OptString(const std::string&)>;

    static void getParameters(NxOutlinerComponent& o, const Param& param);
    // The tree text (see OutlinerTreeText).
    static NxOutlinerFolderNodePtr createTree(host::Component* comp, const std::vector<std::string>& lines);
    static std::vector<std::string> getTree(const NxOutlinerComponent& o);
    // One of the five folder states, else invalid_argument naming the parameter "state".
    static void checkState(int state);

private:
    static void applyFolderStates(NxOutlinerComponent& o, const util::OptString& s);
    static void applyLevelStyles(NxOutlinerComponent& o, const Param& param);
};

}  // namespace norvex::ombu
