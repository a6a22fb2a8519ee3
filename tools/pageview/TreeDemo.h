// Lets a page show a small tree of widgets although it names only one class.
//
// "tools.ComponentTree" is a container whose page parameters "child1" ... "childN"
// name the classes of its children (the first gap ends the list). Each child is
// named "child1", "child2" ..., so it reads "child1.shadowType" before
// "shadowType" by the usual component-name precedence. "columns" (default 5),
// "hgap" and "vgap" (default 6) shape the grid; "layout" picks it: "GRID" (equal
// cells filling the container, the default), "NXGRID" (cells sized by their
// largest member) or "ALIGNER" (label/control pairs).
//
// A tree may name a tree: the nested tree named "child2" reads its own keys only
// under its name ("child2.columns", "child2.child1") and names its children
// "child2.child1" ...; trees nest at most kMaxDepth deep.
//
// "tools.FramedBox" is a plain widget for such trees: it reads "shadowType" (the
// shadow style names), "label" (drawn in the middle; the style's name by default),
// "areaColor" (fills the drawing area, which shows the insets) and "focused"
// (draws the focus highlight).
#pragma once

#include <string>

#include "ombu/NxComponent.h"
#include "ombu/NxContainer.h"

namespace tools {

class ComponentTree : public norvex::ombu::NxContainer {
    HOST_CREATABLE(ComponentTree, "tools.ComponentTree", norvex::ombu::NxContainer)
public:
    ComponentTree(host::Applet* applet, const std::string& name);
    using NxContainer::getParameters;
    void getParameters() override;

    static constexpr int kMaxDepth = 16;
};

class FramedBox : public norvex::ombu::NxComponent {
    HOST_CREATABLE(FramedBox, "tools.FramedBox", norvex::ombu::NxComponent)
public:
    FramedBox(host::Applet* applet, const std::string& name);
    using NxComponent::getParameters;
    void getParameters() override;
    void paintComponent(host::Graphics& g) override;

    // The shadow style names, in the order of their values.
    static const std::vector<std::string>& shadowNames();

private:
    host::Value label_;
    host::OptColor area_color_;
};

}  // namespace tools
