// The ready-to-use outliner: a scrolled window holding one NxOutlinerComponent (which
// scrolls itself; the vertical bar steps by one row, the horizontal one by 20 pixels),
// reading the outliner's parameters and forwarding its interface.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ombu/outliner/NxOutlinerComponent.h"
#include "ombu/widgets/NxScrolledWindow.h"

namespace norvex::ombu {

class NxOutliner : public NxScrolledWindow {
    HOST_CREATABLE(NxOutliner, "norvex.ombu.NxOutliner", NxScrolledWindow)
public:
    NxOutliner();
    NxOutliner(host::Applet* applet, const std::string& name);
    explicit NxOutliner(const NxOutlinerNodePtr& root);
    ~NxOutliner() override;

    using NxScrolledWindow::getParameters;
    void getParameters() override;
    void layout() override;

    const NxOutlinerComponentPtr& getOutliner() const { return outliner; }
    const NxOutlinerNodePtr& getRootNode() const { return outliner->getRootNode(); }
    void setRootNode(const NxOutlinerNodePtr& n) { outliner->setRootNode(n); }
    void setTree(const std::vector<std::string>& lines) { outliner->setTree(lines); }
    std::vector<std::string> getTree() { return outliner->getTree(); }
    bool setNodeState(const NxOutlinerNodePtr& n, int s, bool notify) { return outliner->setNodeState(n, s, notify); }
    void setStateList(const std::vector<int>& l) { outliner->setStateList(l); }
    void selectNode(NxOutlinerNode* n) { outliner->selectNode(n); }
    NxOutlinerNode* getSelectedNode() const { return outliner->getSelectedNode(); }
    bool makeNodeVisible(const NxOutlinerNode* n) { return outliner->makeNodeVisible(n); }
    void addItemListener(NxItemListener* l) { outliner->addItemListener(l); }
    void removeItemListener(NxItemListener* l) { outliner->removeItemListener(l); }
    void addActionListener(NxActionListener* l) { outliner->addActionListener(l); }
    void removeActionListener(NxActionListener* l) { outliner->removeActionListener(l); }
    void sortByColumn(int column, int direction = 1) { outliner->sort(column, direction); }

private:
    NxOutlinerComponentPtr outliner;
};

using NxOutlinerPtr = std::shared_ptr<NxOutliner>;

}  // namespace norvex::ombu
