#include "ombu/outliner/OutlinerConverter.h"

#include <iostream>
#include <stdexcept>

#include "ombu/outliner/NxOutlinerComponent.h"
#include "ombu/outliner/OutlinerTreeText.h"
#include "util/TextUtil.h"

namespace norvex::ombu {

NxOutlinerFolderNodePtr OutlinerConverter::createTree(host::Component* comp, const std::vector<std::string>& lines) {
    return OutlinerTreeText::read(comp, lines);
}

std::vector<std::string> OutlinerConverter::getTree(const NxOutlinerComponent& o) {
    return OutlinerTreeText::write(o.getRootNode().get());
}

void OutlinerConverter::checkState(int state) {
    NxComponent::getConverter()->checkEnum(state, "state", {1, 2, 3, 4, 5});
}

void OutlinerConverter::getParameters(NxOutlinerComponent& o, const Param& param) {
    auto conv = NxComponent::getConverter();
    o.setRootVisible(conv->toBoolean(param("RootVisible"), o.getRootVisible()));
    if (auto s = param("NodeHeight")) o.setNodeHeight(conv->toInt(s, o.getNodeHeight()));
    if (auto s = param("NodeIndent")) o.setNodeIndent(conv->toInt(s, o.getNodeIndent()));
    o.setAllowMultipleSelections(conv->toBoolean(param("AllowMultipleSelections"), o.getAllowMultipleSelections()));
    o.setAutoSelect(conv->toBoolean(param("AutoSelect"), o.getAutoSelect()));
    if (auto s = param("StateList")) {
        std::vector<int> list = conv->toEnumList(s, "StateList", NxOutlinerComponent::stateNames(), {1, 2, 3, 4, 5}, o.getStateList());
        try {
            o.setStateList(list);
        } catch (const std::invalid_argument& e) {
            std::cerr << e.what() << '\n';
        }
    }
    if (auto s = param("Spacing")) o.setSpacing(conv->toInt(s, o.getSpacing()));
    if (auto s = param("VisibleRows")) o.setVisibleRows(conv->toInt(s, o.getVisibleRows()));
    o.setDragAndDropPolicy(conv->toEnum(param("DragAndDropPolicy"), "DragAndDropPolicy",
                                      {"DRAGDROP_NONE", "DRAGDROP_TARGET", "DRAGDROP_SOURCE", "DRAGDROP_ALL"},
                                      {0, 1, 2, 3}, o.getDragAndDropPolicy()));
    if (auto s = param("Tree")) {
        // One node per line of the value; backslash-n pairs also end a line.
        std::vector<std::string> lines;
        std::string cur;
        const std::string& t = *s;
        for (size_t i = 0; i < t.size(); ++i) {
            if (t[i] == '\n' || (t[i] == '\\' && i + 1 < t.size() && t[i + 1] == 'n' && (i == 0 || t[i - 1] != '\\'))) {
                lines.push_back(cur);
                cur.clear();
                if (t[i] == '\\') ++i;
            } else {
                cur += t[i];
            }
        }
        lines.push_back(cur);
        o.setTree(lines);
    }
    applyFolderStates(o, param("FolderStates"));
    applyLevelStyles(o, param);
    if (auto label = param("Selected")) {
        for (auto* n : o.getNodeList())
            if (n->getLabelString() == util::text::trimmed(*label)) {
                o.selectNode(n);
                break;
            }
    }
}

void OutlinerConverter::applyFolderStates(NxOutlinerComponent& o, const util::OptString& s) {
    auto conv = NxComponent::getConverter();
    auto entries = conv->toStringList(s);
    if (!entries || !o.getRootNode()) return;
    for (const auto& entry : *entries) {
        size_t eq = entry.rfind('=');
        if (eq == std::string::npos) {
            std::cerr << "FolderStates: '" << entry << "' is not label=STATE\n";
            continue;
        }
        std::string label = util::text::trimmed(entry.substr(0, eq));
        int state = conv->toEnum(entry.substr(eq + 1), "FolderStates", NxOutlinerComponent::stateNames(),
                                 {1, 2, 3, 4, 5}, -1);
        if (state < 0) continue;
        NxOutlinerNode* found = nullptr;
        for (auto* n : o.getNodeList())
            if (n->isFolder() && n->getLabelString() == label) {
                found = n;
                break;
            }
        if (!found) {
            std::cerr << "FolderStates: no folder labelled '" << label << "'\n";
            continue;
        }
        static_cast<NxOutlinerFolderNode*>(found)->setState(state);
    }
    o.folderChanged(o.getRootNode().get());
}

void OutlinerConverter::applyLevelStyles(NxOutlinerComponent& o, const Param& param) {
    auto conv = NxComponent::getConverter();
    auto fonts = conv->toStringList(param("LevelFonts"));
    auto colors = conv->toColorList(param("LevelForegrounds"));
    bool shortcuts = conv->toBoolean(param("Shortcuts"), o.getDefaultNodeStyle()->getShortcut());
    o.getDefaultNodeStyle()->setShortcut(shortcuts);
    size_t levels = std::max(fonts ? fonts->size() : 0, colors ? colors->size() : 0);
    if (levels == 0 || !o.getRootNode()) return;
    std::vector<NxOutlinerNodeStylePtr> styles;
    for (size_t i = 0; i < levels; ++i) {
        auto st = std::make_shared<NxOutlinerNodeStyle>(*o.getDefaultNodeStyle());
        if (fonts && i < fonts->size())
            if (auto f = conv->toFont((*fonts)[i])) st->setFont(*f);
        if (colors && i < colors->size()) st->setForeground((*colors)[i]);
        styles.push_back(st);
    }
    // Depth by a walk with an explicit stack.
    std::vector<std::pair<NxOutlinerNode*, size_t>> work{{o.getRootNode().get(), 0}};
    while (!work.empty()) {
        auto [n, depth] = work.back();
        work.pop_back();
        if (depth < levels) n->setStyle(styles[depth]);
        if (n->isFolder())
            for (const auto& c : static_cast<NxOutlinerFolderNode*>(n)->getChildren()) work.emplace_back(c.get(), depth + 1);
    }
    auto list = styles;
    list.push_back(o.getDefaultNodeStyle());
    o.setStyleList(list);
}

}  // namespace norvex::ombu
