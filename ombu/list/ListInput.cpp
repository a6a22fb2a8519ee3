// NxListComponent: mouse and key input, double clicks and focus changes.
#include <algorithm>

#include "ombu/OmbuUtil.h"
#include "ombu/list/ListSelection.h"
#include "ombu/list/NxList.h"
#include "ombu/list/NxListComponent.h"

namespace norvex::ombu {

using host::Lock;
using host::Rectangle;
using host::Value;

bool NxListComponent::mouseDown(host::Event& e, int x, int y) {
    if (OmbuUtil::getMouseButton(e) != 1) return false;
    if (NxComponent::mouseDown(e, x, y)) return true;  // the click that closed a drop-down list
    int row = eventToRow(e, true);
    bool dbl = e.clickCount > 1 && row != NOT_FOUND && row == last_row;
    double_clicked = dbl;
    if (dbl) return doubleClickAction(&e, row);
    gesture = true;
    bool shift = e.modifiers & host::Event::SHIFT_MASK, ctrl = e.modifiers & host::Event::CTRL_MASK;
    if (multiple_select && shift)
        ListSelection::beginExtend(*this, &e, row);
    else if (multiple_select && ctrl)
        ListSelection::beginToggle(*this, &e, row);
    else
        ListSelection::beginSelect(*this, &e, row, false);
    if (!multiple_select) {
        ListSelection::endSelect(*this, &e, row);
        gesture = false;
    }
    return true;
}

bool NxListComponent::mouseUp(host::Event& e, int, int) {
    if (double_clicked) {
        // The press already acted on the double click.
        double_clicked = false;
        return true;
    }
    if (!gesture) return false;
    gesture = false;
    ListSelection::endSelect(*this, &e, eventToRow(e, false));
    return true;
}

bool NxListComponent::mouseDrag(host::Event& e, int, int) {
    if (!gesture || !multiple_select) return false;
    int row = eventToRow(e, false);
    if (row == NOT_FOUND) {
        Rectangle a = getDrawingArea();
        int n = countItems();
        row = e.y < a.y ? top_row : n - 1;
    }
    ListSelection::extendTo(*this, row);
    makeVisible(row);
    return true;
}

bool NxListComponent::keyDown(host::Event& e, int key) {
    bool action = e.id == host::Event::KEY_ACTION;
    if (action && key == host::Event::DOWN) return ListSelection::moveFocus(*this, e, 1);
    if (action && key == host::Event::UP) return ListSelection::moveFocus(*this, e, -1);
    bool paging = key == host::Event::HOME || key == host::Event::END || key == host::Event::PGUP ||
                  key == host::Event::PGDN;
    if (action && paging && scrolled_window) return scrolled_window->keyDown(e, key);
    if (action) return NxComponent::keyDown(e, key);
    if (key == host::Event::ENTER) {
        int row = focus_row;
        return row >= 0 ? doubleClickAction(&e, row) : false;
    }
    if (key == ' ') {
        ListSelection::kbdSelect(*this, e);
        return true;
    }
    // Type-ahead: printable characters only.
    if (key <= ' ' || key == host::Event::DELETE || key > 0xff) return NxComponent::keyDown(e, key);
    int row = findItem(char(key));
    if (row == NOT_FOUND) return NxComponent::keyDown(e, key);
    deselectAll();
    makeVisible(row);
    select(row, true);
    return true;
}

bool NxListComponent::doubleClickAction(host::Event*, int row) {
    if (!isSelected(row)) select(row, false);
    NxActionEvent event(eventSource(), host::ActionEvent::ACTION_PERFORMED,
                        row >= 0 && row < countItems() ? OmbuUtil::toString(getItem(row)).value_or("") : "");
    for (auto* l : actionListenerList()) l->actionPerformed(event);
    return true;
}

void NxListComponent::addNotify() {
    NxComponent::addNotify();
    {
        Lock guard(mutex());
        rebuildRowPositions(0);
    }
    calcSize(true);
}

bool NxListComponent::gotFocus(host::Event& e, const Value& arg) {
    NxComponent::gotFocus(e, arg);
    Lock guard(mutex());  // the focus row changes on other threads too
    if (focus_row >= 0) paintRow(focus_row);
    return true;
}

bool NxListComponent::lostFocus(host::Event& e, const Value& arg) {
    NxComponent::lostFocus(e, arg);
    Lock guard(mutex());
    if (focus_row >= 0) paintRow(focus_row);
    return true;
}

}  // namespace norvex::ombu
