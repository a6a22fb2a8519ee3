// Containers own their children and lay them out through a layout manager.
#pragma once

#include <memory>
#include <vector>

#include "host/ui/Component.h"

namespace host {

class Container;

class LayoutManager {
public:
    virtual ~LayoutManager() = default;
    // Called when a child is added with constraints (a position name, an index ...).
    virtual void addLayoutComponent(Component*, const Value& /*constraints*/) {}
    virtual void removeLayoutComponent(Component*) {}
    virtual Dimension preferredLayoutSize(Container& parent) = 0;
    virtual Dimension minimumLayoutSize(Container& parent) = 0;
    virtual void layoutContainer(Container& parent) = 0;
};

class Container : public Component {
    HOST_OBJECT(Container, "host.Container", Component)
public:
    Container() = default;
    ~Container() override;

    // Adds c at the end (index -1) or at index. A component that belongs to another
    // container is removed from it first.
    void add(const ComponentPtr& c) { addImpl(c, Value(), -1); }
    void add(const ComponentPtr& c, int index) { addImpl(c, Value(), index); }
    void add(const ComponentPtr& c, const Value& constraints) { addImpl(c, constraints, -1); }
    void add(const std::string& name, const ComponentPtr& c) { addImpl(c, Value(name), -1); }
    virtual void addImpl(const ComponentPtr& c, const Value& constraints, int index);
    virtual void remove(Component* c);
    void remove(int index);
    void removeAll();

    int getComponentCount() const;
    int countComponents() const { return getComponentCount(); }
    // The child at index, null when out of range.
    virtual ComponentPtr getComponent(int index) const;
    std::vector<ComponentPtr> getComponents() const;
    bool isAncestorOf(const Component* c) const;
    // The visible child containing the point (in this container's coordinates), or
    // this container when no child does; null when the point is outside.
    Component* getComponentAt(int x, int y);
    // The deepest visible component under the point.
    Component* findComponentAt(int x, int y);

    void setLayout(std::shared_ptr<LayoutManager> lm);
    const std::shared_ptr<LayoutManager>& getLayout() const { return layout_; }
    virtual Insets getInsets() { return insets(); }
    virtual Insets insets() { return {}; }

    void layout() override;
    void invalidate() override;
    void validate() override;
    Dimension preferredSize() override;
    Dimension minimumSize() override;

    void addNotify() override;
    void removeNotify() override;
    void setVisible(bool b) override;

    // Containers have no content of their own; children paint through their own peers.
    void paint(Graphics&) override {}
    // Paints this container's visible children, each translated and clipped to its bounds.
    void paintComponents(Graphics& g);

protected:
    void validateTree();

private:
    std::vector<ComponentPtr> children_;
    std::shared_ptr<LayoutManager> layout_;
};

using ContainerPtr = std::shared_ptr<Container>;

// A plain container; lays its children out in a flowing row by default.
class Panel : public Container {
    HOST_OBJECT(Panel, "host.Panel", Container)
public:
    Panel();
};

// Flows children in rows: LEFT, CENTER (default) or RIGHT aligned, with gaps.
class FlowLayout : public LayoutManager {
public:
    static constexpr int LEFT = 0, CENTER = 1, RIGHT = 2;
    explicit FlowLayout(int align = CENTER, int hgap = 5, int vgap = 5) : align_(align), hgap_(hgap), vgap_(vgap) {}
    Dimension preferredLayoutSize(Container& parent) override;
    Dimension minimumLayoutSize(Container& parent) override;
    void layoutContainer(Container& parent) override;

private:
    int align_, hgap_, vgap_;
};

// Five regions: "North", "South", "East", "West" and "Center".
class BorderLayout : public LayoutManager {
public:
    explicit BorderLayout(int hgap = 0, int vgap = 0) : hgap_(hgap), vgap_(vgap) {}
    void addLayoutComponent(Component* c, const Value& constraints) override;
    void removeLayoutComponent(Component* c) override;
    Dimension preferredLayoutSize(Container& parent) override;
    Dimension minimumLayoutSize(Container& parent) override;
    void layoutContainer(Container& parent) override;

private:
    Dimension layoutSize(Container& parent, bool preferred);
    int hgap_, vgap_;
    Component *north_ = nullptr, *south_ = nullptr, *east_ = nullptr, *west_ = nullptr, *center_ = nullptr;
};

// Equal cells in rows and columns; a count of 0 means "as many as needed".
class GridLayout : public LayoutManager {
public:
    GridLayout(int rows = 1, int cols = 0, int hgap = 0, int vgap = 0);
    Dimension preferredLayoutSize(Container& parent) override;
    Dimension minimumLayoutSize(Container& parent) override;
    void layoutContainer(Container& parent) override;

    int getRows() const { return rows_; }
    int getColumns() const { return cols_; }
    int getHgap() const { return hgap_; }
    int getVgap() const { return vgap_; }
    void setRows(int r) { rows_ = r; }
    void setColumns(int c) { cols_ = c; }
    void setHgap(int g) { hgap_ = g; }
    void setVgap(int g) { vgap_ = g; }

protected:
    // Rows and columns actually used for n children.
    void gridShape(int n, int& rows, int& cols) const;
    Dimension layoutSize(Container& parent, bool preferred);

    int rows_, cols_, hgap_, vgap_;
};

}  // namespace host
