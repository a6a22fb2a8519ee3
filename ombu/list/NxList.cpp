#include "ombu/list/NxList.h"

#include <atomic>
#include <iostream>

#include "ombu/widgets/NxScrollbar.h"
#include "util/NxVector.h"

namespace norvex::ombu {

namespace {

std::string nextListName() {
    static std::atomic<int> counter{0};
    return "list" + std::to_string(counter++);
}

}  // namespace

NxList::NxList() : NxList(nullptr, "") {}

NxList::NxList(host::Applet* applet, const std::string& name) : NxScrolledWindow(applet, name) {
    if (!applet && name.empty()) setName(nextListName());
    list = host::create<NxListComponent>(nullptr, getName() + ".list");
    list->setVisibleRows(DEFAULT_VISIBLE_ROWS);
    list->setScrolledWindow(this);
    setChild(list);
}

NxList::NxList(int rows, bool multipleSelections) : NxList() {
    list->setVisibleRows(rows);
    list->setAllowMultipleSelections(multipleSelections);
}

NxList::NxList(const std::vector<std::string>& items, const std::string& name) : NxList(nullptr, name) {
    list->setItems(items);
}

NxList::~NxList() {
    if (list) list->setScrolledWindow(nullptr);
}

void NxList::setList(const NxListComponentPtr& l) {
    if (!l || l == list) return;
    list->setScrolledWindow(nullptr);
    list = l;
    list->setScrolledWindow(this);
    setChild(list);
}

void NxList::getParameters() {
    NxScrolledWindow::getParameters();
    auto conv = getConverter();
    if (auto s = getParam("Items")) {
        // Backslash-n pairs become line breaks inside an item.
        std::vector<host::Value> items;
        if (auto v = conv->toVector(this, conv->toNewLine(s), ',', true))
            for (const auto& e : v->elements()) items.push_back(e);
        list->setItems(std::move(items));
    }
    list->setAllowMultipleSelections(conv->toBoolean(getParam("AllowMultipleSelections"), list->allowsMultipleSelections()));
    list->setAutoSelect(conv->toBoolean(getParam("AutoSelect"), list->getAutoSelect()));
    if (auto s = getParam("VisibleRows")) list->setVisibleRows(conv->toInt(s, list->getVisibleRows()));
    if (auto s = getParam("Spacing")) list->setSpacing(conv->toInt(s, list->getSpacing()));
    if (auto s = getParam("RowHeight")) {
        int h = conv->toEnum(s, {"FONT_HEIGHT", "VARIABLE"}, {NxListComponent::FONT_HEIGHT, NxListComponent::VARIABLE},
                             list->getRowHeight());
        try {
            list->setRowHeight(h);
        } catch (const std::invalid_argument& e) {
            std::cerr << e.what() << '\n';
        }
    }
    if (auto c = conv->toColor(getParam("SelectedBackground"))) list->setSelectedBackground(c);
    if (auto c = conv->toColor(getParam("SelectedForeground"))) list->setSelectedForeground(c);
    if (auto rows = conv->toIntList(getParam("Selected"), ',')) {
        if (rows->size() > 1 && !list->allowsMultipleSelections())
            std::cerr << "NxList: several selected rows need AllowMultipleSelections; the last one is kept\n";
        for (int r : *rows) {
            if (r < 0 || r >= list->countItems())
                std::cerr << "NxList: selected row " << r << " is not in the list\n";
            else
                list->select(r);
        }
    }
}

bool NxList::keyDown(host::Event& e, int key) {
    if (e.id != host::Event::KEY_ACTION) return NxScrolledWindow::keyDown(e, key);
    int n = list->countItems();
    if (n == 0) return NxScrolledWindow::keyDown(e, key);
    switch (key) {
        case host::Event::HOME: list->makeVisible(0); list->setFocus(0); return true;
        case host::Event::END: list->makeVisible(n - 1); list->setFocus(n - 1); return true;
        case host::Event::PGUP:
        case host::Event::PGDN: {
            auto& bar = getVertScrollbar();
            int page = bar->getVisibleAmount();
            bar->setValue(bar->getValue() + (key == host::Event::PGUP ? -page : page));
            list->scrollVertical(bar->getValue());
            list->calcBottomRow();
            list->setFocus(key == host::Event::PGUP ? list->getBottomRow() : list->getTopRow());
            return true;
        }
        default: return NxScrolledWindow::keyDown(e, key);
    }
}

}  // namespace norvex::ombu
