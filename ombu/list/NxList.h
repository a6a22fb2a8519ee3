// A list in a scrolled window: holds one NxListComponent (the list scrolls itself,
// the bars follow its total height) and forwards the list interface to it. After
// Home, End, Page Up and Page Down the focus row follows the scrolled view.
//
// Page parameters (extensions, read after the scrolled window's own): "Items" (a
// comma-separated list; rich-text markup is read as rich text), "AllowMultipleSelections"
// (boolean), "VisibleRows" (int), "RowHeight" (a number, "FONT_HEIGHT" or "VARIABLE"),
// "Selected" (comma-separated row numbers), "AutoSelect" (boolean), "Spacing" (int),
// "SelectedBackground" and "SelectedForeground" (colours).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ombu/list/NxListComponent.h"
#include "ombu/widgets/NxScrolledWindow.h"

namespace norvex::ombu {

class NxList : public NxScrolledWindow {
    HOST_CREATABLE(NxList, "norvex.ombu.NxList", NxScrolledWindow)
public:
    // Rows a list shows when nobody asked for a number.
    static constexpr int DEFAULT_VISIBLE_ROWS = 4;

    NxList();
    NxList(host::Applet* applet, const std::string& name);
    NxList(int rows, bool multipleSelections);
    NxList(const std::vector<std::string>& items, const std::string& name);
    ~NxList() override;

    using NxScrolledWindow::getParameters;
    void getParameters() override;

    const NxListComponentPtr& getList() const { return list; }
    void setList(const NxListComponentPtr& l);

    // Forwarded to the list.
    const std::vector<host::Value>& getItems() const { return list->getItems(); }
    void setItems(std::vector<host::Value> items) { list->setItems(std::move(items)); }
    void setItemsStrings(const std::vector<std::string>& items) { list->setItems(items); }
    std::vector<std::string> getItemsStrings() { return list->getItemsStrings(); }
    host::Value getItem(int row) { return list->getItem(row); }
    int countItems() { return list->countItems(); }
    void addItem(const host::Value& item) { list->addItem(item); }
    void addItem(const host::Value& item, int row) { list->addItem(item, row); }
    void replaceItem(const host::Value& item, int row) { list->replaceItem(item, row); }
    void deleteItem(int row) { list->deleteItem(row); }
    void deleteItems(int start, int end) { list->deleteItems(start, end); }
    void remove(const std::string& item) { list->remove(item); }
    using NxScrolledWindow::remove;
    void clear() { list->clear(); }
    void removeAll() { list->clear(); }
    int find(const host::Value& item) { return list->find(item); }
    int findItem(char c) { return list->findItem(c); }
    void select(int row) { list->select(row); }
    void select(int row, bool notify) { list->select(row, notify); }
    void select(const host::Value& item) { list->select(item); }
    void select(const host::Value& item, bool notify) { list->select(item, notify); }
    void deselect(int row) { list->deselect(row); }
    void deselectAll() { list->deselectAll(); }
    bool isSelected(int row) { return list->isSelected(row); }
    int getSelectedIndex() { return list->getSelectedIndex(); }
    std::vector<int> getSelectedIndexes() { return list->getSelectedIndexes(); }
    host::Value getSelectedItem() { return list->getSelectedItem(); }
    std::vector<host::Value> getSelectedObjects() { return list->getSelectedObjects(); }
    bool allowsMultipleSelections() const { return list->allowsMultipleSelections(); }
    void setAllowMultipleSelections(bool b) { list->setAllowMultipleSelections(b); }
    bool getAutoSelect() const { return list->getAutoSelect(); }
    void setAutoSelect(bool b) { list->setAutoSelect(b); }
    void setFocus(int row) { list->setFocus(row); }
    int getRowHeight() const { return list->getRowHeight(); }
    void setRowHeight(int h) { list->setRowHeight(h); }
    int getSpacing() const { return list->getSpacing(); }
    void setSpacing(int s) { list->setSpacing(s); }
    int getVisibleRows() const { return list->getVisibleRows(); }
    void setVisibleRows(int r) { list->setVisibleRows(r); }
    int getTopRow() const { return list->getTopRow(); }
    void setTopRow(int r) { list->setTopRow(r); }
    void makeVisible(int row) { list->makeVisible(row); }
    host::Color getSelectedBackground() const { return list->getSelectedBackground(); }
    void setSelectedBackground(const host::OptColor& c) { list->setSelectedBackground(c); }
    host::Color getSelectedForeground() const { return list->getSelectedForeground(); }
    void setSelectedForeground(const host::OptColor& c) { list->setSelectedForeground(c); }
    bool getBatched() const { return list->getBatched(); }
    void setBatched(bool b) { list->setBatched(b); }
    void addItemListener(NxItemListener* l) { list->addItemListener(l); }
    void removeItemListener(NxItemListener* l) { list->removeItemListener(l); }
    void addActionListener(NxActionListener* l) { list->addActionListener(l); }
    void removeActionListener(NxActionListener* l) { list->removeActionListener(l); }

    // After a keyboard scroll the focus follows the view.
    bool keyDown(host::Event& e, int key) override;

private:
    NxListComponentPtr list;
};

using NxListPtr = std::shared_ptr<NxList>;

}  // namespace norvex::ombu
