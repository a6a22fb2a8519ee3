// The outliner: a tree of nodes drawn as indented rows with connector lines, an
// optional plus/minus shortcut box on folders, an icon by kind, state and selection,
// and a label (a vector label is drawn one cell per column). Folders show their
// children by one of five states and cycle through a state list on a double click,
// Enter or a click on the shortcut box. Single or sibling-multiple selection, a focus
// node, type-ahead, two-stage notification with veto, sorting by column and drag and
// drop of nodes.
//
// Built for 100,000 nodes and 10,000 levels: every structural change rebuilds, in one
// loop over the tree, the depth-first node list and the list of drawn rows. Painting,
// hit testing, focus moves and makeNodeVisible then index the row list (the same rows
// for all of them), so none of them walks nodes above the view. No walk recurses.
//
// Parameters: "RootVisible", "NodeHeight", "NodeIndent", "AllowMultipleSelections",
// "AutoSelect", "StateList", "Spacing", "VisibleRows", "Tree" (the tree text, one node
// per line of the value), "DragAndDropPolicy" (an extension).
//
// Threads: tree, selection and focus changes hold the component's lock.
#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "ombu/ListenerList.h"
#include "ombu/NxActionEvent.h"
#include "ombu/NxComponent.h"
#include "ombu/outliner/NxOutlinerEvent.h"
#include "ombu/outliner/NxOutlinerNode.h"
#include "ombu/outliner/NxOutlinerNodeStyle.h"
#include "ombu/widgets/NxScrolledWindow.h"

namespace norvex::ombu {

class NxOutliner;

class NxOutlinerComponent : public NxComponent, public NxItemSelectable, public NxScrollableInterface {
    HOST_CREATABLE(NxOutlinerComponent, "norvex.ombu.NxOutlinerComponent", NxComponent)
public:
    static constexpr int SHORTCUT_SIZE = 9;
    static constexpr int DRAGDROP_NONE = 0, DRAGDROP_TARGET = 1, DRAGDROP_SOURCE = 2, DRAGDROP_ALL = 3;

    NxOutlinerComponent();
    NxOutlinerComponent(host::Applet* applet, const std::string& name);
    NxOutlinerComponent(const NxOutlinerNodePtr& root, host::Applet* applet, const std::string& name);
    ~NxOutlinerComponent() override;

    using NxComponent::getParameters;
    void getParameters() override;

    // Tree.
    const NxOutlinerNodePtr& getRootNode() const { return root; }
    void setRootNode(const NxOutlinerNodePtr& node);
    // The tree text (see OutlinerTreeText).
    void setTree(const std::vector<std::string>& lines);
    std::vector<std::string> getTree();
    // Rebuilds the node and row lists (skipped before the peer, deferred while batched).
    void folderChanged(const NxOutlinerNode* node);
    void processRootNode();
    int getNumNodes() const {
        ensureRows();
        return num_rows;
    }
    const std::vector<NxOutlinerNode*>& getNodeList() const {
        ensureRows();
        return node_list;
    }
    // The nodes drawn, in row order.
    const std::vector<NxOutlinerNode*>& getRows() const {
        ensureRows();
        return rows;
    }
    bool getBatched() const { return batched; }
    void setBatched(bool b);

    // Folder states.
    const std::vector<int>& getStateList() const { return state_list; }
    // A non-empty list of the five folder states; else invalid_argument.
    void setStateList(const std::vector<int>& list);
    bool setNodeState(const NxOutlinerNodePtr& node, int state, bool notify);
    int getNextState(const NxOutlinerNode* node) const;
    bool checkState(int state) const;
    void mapStateInNode(NxOutlinerNode* node);
    bool shouldBeDrawn(const NxOutlinerNode* node) const;

    // Properties.
    bool getRootVisible() const { return root_visible; }
    void setRootVisible(bool b);
    int getNodeHeight();
    void setNodeHeight(int h);
    int getNodeIndent() const { return node_indent; }
    void setNodeIndent(int i);
    bool getAllowMultipleSelections() const { return multiple_select; }
    void setAllowMultipleSelections(bool b) { multiple_select = b; }
    bool getAutoSelect() const { return auto_select; }
    void setAutoSelect(bool b);
    int getSpacing() const { return spacing; }
    void setSpacing(int s);
    int getVisibleRows() const { return visible_rows; }
    void setVisibleRows(int r);
    const NxOutlinerNodeStylePtr& getDefaultNodeStyle() const { return default_style; }
    const std::vector<NxOutlinerNodeStylePtr>& getStyleList() const { return style_list; }
    void setStyleList(const std::vector<NxOutlinerNodeStylePtr>& list);
    int getDragAndDropPolicy() const { return drag_drop; }
    void setDragAndDropPolicy(int p) { drag_drop = p; }

    // Geometry.
    NxOutlinerNodeStyle& getStyle(const NxOutlinerNode* node) const;
    std::shared_ptr<host::Image> getIcon(const NxOutlinerNode* node) const;
    int calculateStyleHeight(const NxOutlinerNodeStyle* style);
    int calculateNodeHeight(const NxOutlinerNode* node);
    int getFullNodeHeight();
    host::Rectangle getBounds(const NxOutlinerNode* node);
    bool isVisible(const NxOutlinerNode* node);
    int preferredWidth() override;
    int preferredHeight() override;
    host::Dimension scrollableSize() override;
    void scrollHorizontal(int value) override;
    void scrollVertical(int value) override;
    int getHorizOrigin() const { return horiz_origin; }
    void setHorizOrigin(int v);
    int getVertOrigin() const { return vert_origin; }
    void setVertOrigin(int v);
    // Width of a label cell, and the widest of a column plus its margins.
    int calcWidth(const NxOutlinerNode* node, int col);
    int calcWidth(int col);
    void calcColumnWidths();
    int getNumColumns() const { return num_columns; }
    void setNumColumns(int n);
    int getColumnPosition(int col) const;
    int getColumnWidth(int col) const;
    static constexpr int COLUMN_MARGIN = 5;

    // Navigation.
    NxOutlinerNode* getNextNode(const NxOutlinerNode* node) const;
    NxOutlinerNode* getPreviousNode(const NxOutlinerNode* node) const;
    NxOutlinerNode* getNextVisibleNode(const NxOutlinerNode* node) const;
    NxOutlinerNode* getPreviousVisibleNode(const NxOutlinerNode* node) const;
    NxOutlinerNode* findNode(char c) const;
    NxOutlinerNode* findNode(int row) const;
    NxOutlinerNode* eventToNode(const host::Event& e, bool inBounds = false);
    bool eventInShortcut(const host::Event& e, const NxOutlinerNode* node) const;
    bool makeNodeVisible(const NxOutlinerNode* node);

    // Selection and focus.
    NxOutlinerNode* getSelectedNode() const;
    std::vector<NxOutlinerNodePtr> getSelectedNodes() const;
    int getSelectedIndex() const;
    std::vector<int> getSelectedIndexes() const;
    std::vector<host::Value> getSelectedObjects() override;
    void selectNode(NxOutlinerNode* node, host::Event* e);
    void selectNode(NxOutlinerNode* node);
    bool isMultiSelectable(const NxOutlinerNode* node, const host::Event* e) const;
    void multiSelectNode(NxOutlinerNode* node, host::Event* e);
    void clearSelection();
    NxOutlinerNode* getFocusNode() const { return focus_node.get(); }
    void setFocusNode(NxOutlinerNode* node, host::Event* e);
    void nextFocus(host::Event* e);
    void previousFocus(host::Event* e);
    void doubleClickAction(NxOutlinerNode* node, host::Event* e);

    // Sorting by a column's cells (direction: 1 up, -1 down).
    void sort(int column, int direction);

    // Drag and drop: target first, dragged node second.
    static bool isDropTarget(const NxOutlinerNode* target, const NxOutlinerNode* dragged);
    // Moves dragged into target (a folder), or beside it (an item); false when refused.
    bool drop(NxOutlinerNode* dragged, NxOutlinerNode* target);

    // Listeners (not owned).
    void addItemListener(NxItemListener* l) override;
    void removeItemListener(NxItemListener* l) override;
    void addActionListener(NxActionListener* l);
    void removeActionListener(NxActionListener* l);

    // Painting and input.
    void addNotify() override;
    void paintComponent(host::Graphics& g) override;
    void drawNode(NxOutlinerNode* node, bool erase);
    void repaint() override;
    using NxComponent::repaint;
    bool mouseDown(host::Event& e, int x, int y) override;
    bool mouseDrag(host::Event& e, int x, int y) override;
    bool mouseUp(host::Event& e, int x, int y) override;
    bool keyDown(host::Event& e, int key) override;
    void setForeground(const host::Color& c) override;
    void setBackground(const host::Color& c) override;
    void setFont(const host::Font& f) override;

    NxOutliner* getScrolledWindow() const { return scrolled_window; }
    void setScrolledWindow(NxOutliner* w) { scrolled_window = w; }
    host::Object* eventSource();

    // Reads the parameters through param (the component's or its window's getParam).
    void readParameters(const std::function<util::OptString(const std::string&)>& param);

    // Node hooks (see NxOutlinerNode): the lists are rebuilt before their next use.
    void nodeAdded(NxOutlinerNode& node);
    void nodeRemoved();
    void nodeRedraw(NxOutlinerNode& node);

    static const std::vector<std::string>& stateNames();

protected:
    // Rebuilds the node and row lists when the tree changed since they were built.
    void ensureRows() const;
    int labelX(int depth) const;
    void rebuildRows();
    bool isInTree(const NxOutlinerNode* node) const;
    bool isDrawn(const NxOutlinerNode* node) const;
    void drawRow(host::Graphics& g, NxOutlinerNode* node);
    void drawConnectors(host::Graphics& g, NxOutlinerNode* node);
    void drawShortcut(host::Graphics& g, NxOutlinerFolderNode* folder, int x, int y);
    void makeShortcutIcons();
    void makeDefaultIcons();
    NxOutlinerEvent* postStateEvent(NxOutlinerEvent& ev, int stage, NxOutlinerNode* node);
    void fireSelect(NxOutlinerNode* node, bool on, bool begin, bool* veto);
    void deselectOne(NxOutlinerNode* node, host::Event* e, bool* veto);
    NxOutlinerNodePtr ptrOf(NxOutlinerNode* node) const;
    bool isLastDrawn(const NxOutlinerNode* node) const;
    void scrollTo(int v);
    std::vector<NxItemListener*> itemListenerList();
    std::vector<NxActionListener*> actionListenerList();

    NxOutlinerNodePtr root;
    bool multiple_select = false;
    bool auto_select = true;
    int visible_rows = 0;
    int num_rows = 0;
    std::vector<NxOutlinerNodePtr> selected_nodes;
    NxOutlinerNodePtr focus_node;
    bool batched = false;
    bool needs_recalc = false, needs_repaint = false;
    host::Event* last_event = nullptr;
    int node_height = 0;
    int node_indent = 15;
    int horiz_origin = 0, vert_origin = 0;
    int spacing = 0;
    std::vector<int> state_list{OmbuEnum::FOLDER_CLOSED, OmbuEnum::FOLDER_OPEN_ALL};
    bool root_visible = true;
    std::vector<NxOutlinerNode*> node_list;
    std::vector<NxOutlinerNode*> rows;       // drawn nodes by row
    std::vector<char> last_drawn;            // by row: the last drawn child of its parent
    bool root_shortcut = false;
    int num_columns = 1;
    std::vector<int> column_widths;
    int pref_width_internal = 0;
    std::vector<NxOutlinerNodeStylePtr> style_list;
    NxOutlinerNodeStylePtr default_style;
    std::shared_ptr<host::Image> shortcut_open_icon, shortcut_close_icon;
    int full_node_height = 0;
    int drag_drop = DRAGDROP_NONE;
    NxOutlinerNode* drag_node = nullptr;
    NxOutliner* scrolled_window = nullptr;
    bool stale = true;  // the tree changed since the lists were built

private:
    ListenerList<NxItemListener> itemListeners;
    ListenerList<NxActionListener> actionListeners;
};

using NxOutlinerComponentPtr = std::shared_ptr<NxOutlinerComponent>;

}  // namespace norvex::ombu
