// The list: a vertical column of items (strings, rich strings, images or vectors of
// them, drawn with OmbuUtil::draw), single or extended multiple selection (click,
// Shift-click extends from the anchor, Control-click toggles), a dashed focus
// rectangle, type-ahead by first letter, fixed, font-sized or per-item row heights,
// batched updates and a two-stage selection notification listeners can veto.
//
// Built for long lists: the selection and user-data arrays follow every item edit
// (with or without a peer); variable row heights keep prefix sums, so the row at a
// pixel is a binary search; painting touches only the rows in view; selecting rows
// one by one costs constant time per row.
//
// The list scrolls itself (NxScrollableInterface): inside an NxList the scroll bars
// set the origin, and the scroll range is the total height of the rows.
//
// Threads: item and selection access, painting and repainting hold the component's
// lock; listeners are called after it is released, on the thread that caused the change.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "host/runtime/Value.h"
#include "ombu/ListenerList.h"
#include "ombu/NxActionEvent.h"
#include "ombu/NxComponent.h"
#include "ombu/list/NxListEvent.h"
#include "ombu/widgets/NxScrolledWindow.h"

namespace norvex::ombu {

class NxList;

class NxListComponent : public NxComponent, public NxItemSelectable, public NxScrollableInterface {
    HOST_CREATABLE(NxListComponent, "norvex.ombu.NxListComponent", NxComponent)
public:
    static constexpr int FONT_HEIGHT = -997, VARIABLE = -998, NOT_FOUND = -999;
    static constexpr int INITIAL = NxListEvent::INITIAL, MODIFICATION = NxListEvent::MODIFICATION,
                         ADDITION = NxListEvent::ADDITION;

    NxListComponent();
    NxListComponent(host::Applet* applet, const std::string& name);
    NxListComponent(int rows, bool multipleSelections);
    ~NxListComponent() override;

    using NxComponent::getParameters;
    void getParameters() override;

    // Items.
    const std::vector<host::Value>& getItems() const { return items; }
    // Clears the selection and the focus row.
    void setItems(std::vector<host::Value> list);
    void setItems(const std::vector<std::string>& list);
    // Each item's text (empty for null).
    std::vector<std::string> getItemsStrings();
    host::Value getItem(int row);
    int countItems();
    void addItem(const host::Value& item);
    // At row (appended when row is negative or past the end).
    void addItem(const host::Value& item, int row);
    void replaceItem(const host::Value& item, int row);
    void deleteItem(int row);
    // Rows start ... end inclusive, clipped to the list.
    void deleteItems(int start_row, int end_row);
    // The first item equal to item; none raises invalid_argument.
    void remove(const std::string& item);
    void clear();
    int find(const host::Value& item);
    // First row whose text starts with c upper-cased; NOT_FOUND when none.
    int findItem(char c);
    const std::vector<host::Value>& getUserDataList() const { return userdata_list; }
    void setUserDataList(const std::vector<host::Value>& list);

    // Selection.
    void select(int row) { select(row, false); }
    void select(int row, bool notify);
    void select(const host::Value& item) { select(item, false); }
    void select(const host::Value& item, bool notify);
    void deselect(int row);
    void deselectAll();
    bool isSelected(int row);
    int getSelectedIndex();
    std::vector<int> getSelectedIndexes();
    host::Value getSelectedItem();
    std::vector<host::Value> getSelectedObjects() override;
    int countSelected();
    bool allowsMultipleSelections() const { return multiple_select; }
    bool getAllowMultipleSelections() const { return multiple_select; }
    void setAllowMultipleSelections(bool b);
    bool getAutoSelect() const { return auto_select; }
    void setAutoSelect(bool b) { auto_select = b; }
    int getFocus() const { return focus_row; }
    // Moves the focus rectangle (out-of-range rows clear it).
    void setFocus(int row);

    // Geometry and scrolling.
    int getRowHeight() const { return row_height_ext; }
    // h >= 0, FONT_HEIGHT or VARIABLE; anything else raises invalid_argument.
    void setRowHeight(int h);
    int getRowHeight(int row);
    int getRowPosition(int row);
    int calcRowWidth(int row);
    int getSpacing() const { return spacing; }
    void setSpacing(int s);
    int getRows() { return countItems(); }
    int getVisibleRows() const { return visible_rows; }
    void setVisibleRows(int rows);
    int getTopRow() const { return top_row; }
    void setTopRow(int row);
    int getBottomRow() const { return bottom_row; }
    void makeVisible(int row);
    int getVisibleIndex() const { return last_visible; }
    int getHorizOrigin() const { return horiz_origin; }
    void setHorizOrigin(int v);
    int getVertOrigin() const { return vert_origin; }
    void setVertOrigin(int v);
    // The row's rectangle in component coordinates (adjust: shifted by the origins);
    // empty for rows out of range.
    host::Rectangle getBounds(int row, bool adjust);
    bool inside(int row, int x, int y);
    // The row under the event's point; NOT_FOUND when none (visible: only rows in view).
    int eventToRow(const host::Event& e, bool visible);
    int rowAt(int y);
    void calcSize(bool update_parent);
    void calcBottomRow();
    // Total height of all rows (the scroll range).
    int64_t totalHeight();
    int preferredWidth() override;
    int preferredHeight() override;
    host::Dimension scrollableSize() override;
    void scrollHorizontal(int value) override;
    void scrollVertical(int value) override;

    // Appearance.
    host::Color getSelectedBackground() const;
    void setSelectedBackground(const host::OptColor& c);
    host::Color getSelectedForeground() const;
    void setSelectedForeground(const host::OptColor& c);
    void setFont(const host::Font& f) override;
    void paintComponent(host::Graphics& g) override;
    void paintRow(int row);
    void paintRow(int row, host::Graphics& g);
    void draw(host::Graphics& g, const host::Value& item, int row, const host::Rectangle& r);
    using NxComponent::drawHighlight;
    void drawHighlight(int row, bool on);
    void drawHighlight(host::Graphics& g, int row, bool on);
    void repaint() override;
    using NxComponent::repaint;
    bool getBatched() const { return batched; }
    void setBatched(bool b);
    // Number of whole repaints so far (for tests of batching).
    int repaintCount() const { return repaints; }

    // Listeners (not owned).
    void addItemListener(NxItemListener* l) override;
    void removeItemListener(NxItemListener* l) override;
    void addActionListener(NxActionListener* l);
    void removeActionListener(NxActionListener* l);
    std::vector<NxItemListener*> itemListenerList();
    std::vector<NxActionListener*> actionListenerList();

    NxList* getScrolledWindow() const { return scrolled_window; }
    void setScrolledWindow(NxList* w) { scrolled_window = w; }
    // The event source: the enclosing NxList, else this.
    host::Object* eventSource();

    // Input.
    bool mouseDown(host::Event& e, int x, int y) override;
    bool mouseUp(host::Event& e, int x, int y) override;
    bool mouseDrag(host::Event& e, int x, int y) override;
    bool keyDown(host::Event& e, int key) override;
    bool doubleClickAction(host::Event* e, int row);
    void addNotify() override;
    bool gotFocus(host::Event& e, const host::Value& arg) override;
    bool lostFocus(host::Event& e, const host::Value& arg) override;

protected:
    friend class ListSelection;

    int space() const { return spacing + 2 * highlight; }
    // Grows or shrinks the per-row arrays at row by delta rows (delta < 0 removes).
    void insertRows(int row, int count);
    void eraseRows(int row, int count);
    // Sets one row's state, keeping the count; true when it changed.
    bool setRowSelected(int row, bool on);
    void itemsChanged(bool widthMayShrink);
    void rebuildRowPositions(int from);
    void scrollTo(int v);

    std::vector<host::Value> items;
    int visible_rows = 0;
    std::vector<char> selected, last_selected;
    int num_selected = 0;
    int selected_hint = -1;  // a selected row when num_selected is 1
    host::OptColor selected_bg, selected_fg;
    bool multiple_select = false;
    int spacing = 0;
    bool batched = false;
    bool needs_recalc = false, needs_repaint = false;
    int pref_height_internal = 0, pref_width_internal = 0;
    int row_height_ext = FONT_HEIGHT;
    int row_height = 0;
    std::vector<int> row_heights;
    std::vector<int64_t> row_pos;  // variable mode: top of each row, plus the total at the end
    int horiz_origin = 0;
    int vert_origin = -999;
    int top_row = 0;
    int bottom_row = -999;
    int last_visible = 0;
    int last_row = -999;
    bool auto_select = false;
    std::vector<host::Value> userdata_list;
    bool did_selection = false;
    bool double_clicked = false;
    int last_selected_item = 0, start_item = 0, old_start_item = 0, end_item = 0, old_end_item = 0;
    bool block_known = false;  // start_item ... end_item is the selected block ending at end_item
    bool appending = false;
    int focus_row = -1;
    bool kbd_select = false;
    int selection_type = INITIAL;
    bool gesture = false;  // a mouse gesture is under way
    int repaints = 0;
    NxList* scrolled_window = nullptr;

private:
    ListenerList<NxItemListener> itemListeners;
    ListenerList<NxActionListener> actionListeners;
};

using NxListComponentPtr = std::shared_ptr<NxListComponent>;

}  // namespace norvex::ombu
