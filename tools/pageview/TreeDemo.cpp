#include "TreeDemo.h"

#include <iostream>

#include "host/page/Applet.h"
#include "ombu/NxAlignerLayout.h"
#include "ombu/NxGridLayout.h"
#include "ombu/OmbuUtil.h"

namespace tools {

using namespace norvex::ombu;

ComponentTree::ComponentTree(host::Applet* applet, const std::string& name) : NxContainer(applet, name) {}

namespace {

// Trees being built on this thread: a tree's children are created inside its
// getParameters(), so a tree that names a tree nests one level deeper.
thread_local int treeDepth = 0;

struct DepthScope {
    DepthScope() { ++treeDepth; }
    ~DepthScope() { --treeDepth; }
};

}  // namespace

void ComponentTree::getParameters() {
    NxContainer::getParameters();
    auto conv = getConverter();
    // A nested tree reads its own keys only under its own name ("child2.columns"): the
    // plain keys belong to the outermost tree, and reading them again would make the
    // nested tree build the outer tree's children, itself among them.
    const bool nested = treeDepth > 0;
    const std::string prefix = nested ? getName() + "." : std::string();
    auto own = [&](const std::string& key) -> OptString {
        return nested ? conv->getParam(applet, this, prefix + key) : getParam(key);
    };
    int columns = std::max(1, conv->toInt(own("columns"), 5));
    int hgap = conv->toInt(own("hgap"), 6);
    int vgap = conv->toInt(own("vgap"), 6);
    int kind = conv->toEnum(own("layout"), "layout", {"GRID", "NXGRID", "ALIGNER"}, {0, 1, 2}, 0);
    if (kind == 1)
        setLayout(std::make_shared<NxGridLayout>(0, columns, hgap, vgap));
    else if (kind == 2)
        setLayout(std::make_shared<NxAlignerLayout>(columns, hgap, vgap));
    else
        setLayout(std::make_shared<host::GridLayout>(0, columns, hgap, vgap));

    removeAll();
    if (!own("child1")) return;
    if (treeDepth >= kMaxDepth) {
        std::cerr << "tools.ComponentTree: " << (nested ? getName() : std::string("the tree"))
                  << " nests trees more than " << kMaxDepth << " deep; its children are left out\n";
        return;
    }
    DepthScope scope;
    for (int i = 1;; ++i) {
        const std::string key = "child" + std::to_string(i);
        auto cls = own(key);
        const std::string name = prefix + key;
        if (!cls) break;
        auto obj = host::ClassRegistry::instance().createObject(*cls, applet, name);
        auto child = host::cast<host::Component>(obj);
        if (!child) {
            std::cerr << "tools.ComponentTree: " << name << " names '" << *cls << "', which is not a component class\n";
            continue;
        }
        add(child);
    }
}

const std::vector<std::string>& FramedBox::shadowNames() {
    static const std::vector<std::string> names{"SHADOW_NONE",     "SHADOW_ETCHED_IN", "SHADOW_ETCHED_OUT",
                                                "SHADOW_IN",       "SHADOW_OUT",       "SHADOW_PLAIN",
                                                "SHADOW_FRAME_IN", "SHADOW_FRAME_OUT", "CONTROL_SHADOW_IN",
                                                "CONTROL_SHADOW_OUT"};
    return names;
}

FramedBox::FramedBox(host::Applet* applet, const std::string& name) : NxComponent(applet, name) {}

void FramedBox::getParameters() {
    NxComponent::getParameters();
    auto conv = getConverter();
    std::vector<int> values{0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    shadow_type = conv->toEnum(getParam("shadowType"), "shadowType", shadowNames(), values, shadow_type);
    auto text = getParam("label");
    label_ = text ? conv->toNxString(this, conv->toNewLine(text), host::Value())
                  : host::Value(shadow_type >= 0 && shadow_type <= 9 ? shadowNames()[shadow_type] : "");
    area_color_ = conv->toColor(getParam("areaColor"));
    if (conv->toBoolean(getParam("focused"), false)) has_focus = true;
}

void FramedBox::paintComponent(host::Graphics& g) {
    if (area_color_) {
        host::Color fg = g.getColor();
        g.setColor(*area_color_);
        g.fillRect(rect.x, rect.y, rect.width, rect.height);
        g.setColor(fg);
    }
    OmbuUtil::draw(this, g, label_, OmbuEnum::MIDDLECENTER, rect);
}

}  // namespace tools
