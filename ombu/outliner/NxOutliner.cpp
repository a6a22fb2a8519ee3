#include "ombu/outliner/NxOutliner.h"

#include <atomic>

#include "ombu/widgets/NxScrollbar.h"

namespace norvex::ombu {

namespace {

std::string nextName() {
    static std::atomic<int> counter{0};
    return "outliner" + std::to_string(counter++);
}

}  // namespace

NxOutliner::NxOutliner() : NxOutliner(nullptr, "") {}

NxOutliner::NxOutliner(host::Applet* applet, const std::string& name) : NxScrolledWindow(applet, name) {
    if (!applet && name.empty()) setName(nextName());
    outliner = host::create<NxOutlinerComponent>(nullptr, getName() + ".outliner");
    outliner->setScrolledWindow(this);
    setChild(outliner);
}

NxOutliner::NxOutliner(const NxOutlinerNodePtr& root) : NxOutliner() { outliner->setRootNode(root); }

NxOutliner::~NxOutliner() {
    if (outliner) outliner->setScrolledWindow(nullptr);
}

void NxOutliner::getParameters() {
    NxScrolledWindow::getParameters();
    outliner->readParameters([this](const std::string& key) { return getParam(key); });
}

void NxOutliner::layout() {
    NxScrolledWindow::layout();
    getVertScrollbar()->setUnitIncrement(std::max(1, outliner->getFullNodeHeight()));
    getHorizScrollbar()->setUnitIncrement(20);
}

}  // namespace norvex::ombu
