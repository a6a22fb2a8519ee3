#include "ombu/list/ListSelection.h"

#include <algorithm>

#include "ombu/list/NxListComponent.h"

namespace norvex::ombu {

using host::Lock;
using host::Value;

bool ListSelection::postEvent(NxListComponent& list, int row, host::Event* ev, int stage) {
    bool on;
    Value item;
    int type;
    {
        Lock guard(list.mutex());
        if (row < 0 || row >= int(list.items.size())) return true;
        on = list.selected[size_t(row)];
        item = list.items[size_t(row)];
        type = list.selection_type;
        if (stage == END) list.did_selection = true;
    }
    if (stage == END && ev) ev->id = on ? host::Event::LIST_SELECT : host::Event::LIST_DESELECT;
    auto listeners = list.itemListenerList();
    if (listeners.empty()) return true;
    host::Object* source = list.eventSource();
    if (stage == END && !on) {
        NxItemEvent cleared(source, host::ItemEvent::ITEM_STATE_CHANGED, item, host::ItemEvent::DESELECTED);
        for (auto* l : listeners) l->itemStateChanged(cleared);
    }
    NxListEvent event(source, ev, item, row, type, on ? host::ItemEvent::SELECTED : host::ItemEvent::DESELECTED);
    for (auto* l : listeners) {
        auto* ll = dynamic_cast<NxListListener*>(l);
        if (stage == END) {
            l->itemStateChanged(event);
            if (ll) ll->listItemSelectEnd(event);
        } else if (ll) {
            ll->listItemSelectBegin(event);
        }
    }
    return stage == END || event.getAllowSelection();
}

void ListSelection::deselectOthers(NxListComponent& list, int keep) {
    if (list.num_selected == 0) return;
    int hint = list.selected_hint;
    if (list.num_selected == 1 && hint >= 0 && hint < int(list.selected.size()) && list.selected[size_t(hint)]) {
        if (hint != keep && list.setRowSelected(hint, false)) list.paintRow(hint);
        return;
    }
    for (size_t r = 0; r < list.selected.size(); ++r)
        if (int(r) != keep && list.setRowSelected(int(r), false)) list.paintRow(int(r));
    list.block_known = false;
}

void ListSelection::saveSelection(NxListComponent& list) { list.last_selected = list.selected; }

void ListSelection::arrangeRange(NxListComponent& list, int anchor, int oldEnd, int newEnd) {
    int n = int(list.items.size());
    if (anchor < 0 || anchor >= n) return;
    oldEnd = std::clamp(oldEnd, 0, n - 1);
    newEnd = std::clamp(newEnd, 0, n - 1);
    bool state = list.selected[size_t(anchor)];
    int oldLo = std::min(anchor, oldEnd), oldHi = std::max(anchor, oldEnd);
    int newLo = std::min(anchor, newEnd), newHi = std::max(anchor, newEnd);
    for (int r = oldLo; r <= oldHi; ++r)
        if ((r < newLo || r > newHi) && list.setRowSelected(r, list.last_selected[size_t(r)])) list.paintRow(r);
    for (int r = newLo; r <= newHi; ++r)
        if (list.setRowSelected(r, state)) list.paintRow(r);
    list.block_known = false;
}

void ListSelection::beginSelect(NxListComponent& list, host::Event* ev, int row, bool appending) {
    bool shift = ev && (ev->modifiers & host::Event::SHIFT_MASK), ctrl = ev && (ev->modifiers & host::Event::CTRL_MASK);
    {
        Lock guard(list.mutex());
        list.last_row = row;
        if (row < 0 || row >= int(list.items.size())) return;
        if (list.auto_select && row == list.focus_row && list.selected[size_t(row)]) return;
        list.selection_type = !list.multiple_select ? NxListComponent::INITIAL
                              : shift               ? NxListComponent::MODIFICATION
                              : ctrl                ? NxListComponent::ADDITION
                                                    : NxListComponent::INITIAL;
        list.did_selection = false;
        list.appending = appending;
    }
    if (!postEvent(list, row, ev, BEGIN)) {
        Lock guard(list.mutex());
        list.did_selection = true;  // refused: nothing to report at the end
        return;
    }
    {
        Lock guard(list.mutex());
        if (!appending) deselectOthers(list, row);
        if (list.multiple_select) saveSelection(list);
        list.setRowSelected(row, !list.selected[size_t(row)]);
        list.paintRow(row);
        list.last_selected_item = list.end_item = row;
        list.start_item = row;
        list.block_known = false;
    }
    if (list.kbd_select) postEvent(list, row, ev, END);
}

void ListSelection::beginExtend(NxListComponent& list, host::Event* ev, int row) {
    {
        Lock guard(list.mutex());
        list.last_row = row;
        if (row < 0 || row >= int(list.items.size())) return;
        list.selection_type = NxListComponent::MODIFICATION;
        list.did_selection = false;
        if (list.last_selected.size() != list.selected.size()) saveSelection(list);
    }
    if (!postEvent(list, row, ev, BEGIN)) {
        Lock guard(list.mutex());
        list.did_selection = true;
        return;
    }
    Lock guard(list.mutex());
    arrangeRange(list, list.start_item, list.end_item, row);
    list.last_selected_item = list.end_item = row;
}

void ListSelection::beginToggle(NxListComponent& list, host::Event* ev, int row) {
    {
        Lock guard(list.mutex());
        list.last_row = row;
        if (row < 0 || row >= int(list.items.size())) return;
        list.selection_type = NxListComponent::ADDITION;
        list.did_selection = false;
    }
    if (!postEvent(list, row, ev, BEGIN)) {
        Lock guard(list.mutex());
        list.did_selection = true;
        return;
    }
    Lock guard(list.mutex());
    saveSelection(list);
    list.setRowSelected(row, !list.selected[size_t(row)]);
    list.paintRow(row);
    list.block_known = false;
    list.last_selected_item = list.start_item = list.end_item = row;
}

void ListSelection::extendTo(NxListComponent& list, int row) {
    Lock guard(list.mutex());
    if (row < 0 || row >= int(list.items.size()) || row == list.end_item || list.did_selection) return;
    arrangeRange(list, list.start_item, list.end_item, row);
    list.last_selected_item = list.end_item = row;
}

void ListSelection::endSelect(NxListComponent& list, host::Event* ev, int row) {
    int notifyRow;
    {
        Lock guard(list.mutex());
        int focus = list.multiple_select && row >= 0 ? row : list.last_selected_item;
        if (focus >= 0 && focus < int(list.items.size())) list.setFocus(focus);
        if (list.did_selection) return;
        notifyRow = list.last_selected_item;
    }
    postEvent(list, notifyRow, ev, END);
}

void ListSelection::select(NxListComponent& list, int row, bool notify) {
    {
        Lock guard(list.mutex());
        if (row < 0 || row >= int(list.items.size())) return;
        if (!list.multiple_select) {
            list.selection_type = NxListComponent::INITIAL;
            deselectOthers(list, row);
        } else {
            list.selection_type = NxListComponent::MODIFICATION;
        }
        bool extends = list.block_known && row > 0 && list.end_item == row - 1 && list.selected[size_t(row - 1)];
        if (list.setRowSelected(row, true)) list.paintRow(row);
        // The anchor and end: the block of selected rows that ends at this row. Selecting
        // the next row extends the known block instead of walking it again.
        if (!extends) {
            int start = row;
            while (start > 0 && list.selected[size_t(start - 1)]) --start;
            list.start_item = start;
        }
        list.end_item = list.last_selected_item = row;
        list.block_known = true;
        list.setFocus(row);
    }
    if (notify) postEvent(list, row, nullptr, END);
}

bool ListSelection::moveFocus(NxListComponent& list, host::Event& ev, int delta) {
    bool shift = ev.modifiers & host::Event::SHIFT_MASK, ctrl = ev.modifiers & host::Event::CTRL_MASK;
    int row;
    {
        Lock guard(list.mutex());
        int n = int(list.items.size());
        if (!list.hasFocus() || n == 0) return false;
        if (!list.multiple_select) shift = false;
        row = list.focus_row < 0 ? 0 : std::clamp(list.focus_row + delta, 0, n - 1);
        list.selection_type = shift  ? NxListComponent::MODIFICATION
                              : ctrl ? NxListComponent::ADDITION
                                     : NxListComponent::INITIAL;
    }
    list.makeVisible(row);
    if (!postEvent(list, row, &ev, BEGIN)) return true;
    bool changed = false;
    {
        Lock guard(list.mutex());
        list.setFocus(row);
        if (list.auto_select) {
            deselectOthers(list, row);
            changed = list.setRowSelected(row, true) || true;
            list.paintRow(row);
            list.start_item = list.end_item = list.last_selected_item = row;
            list.block_known = false;
        } else if (list.multiple_select) {
            if (shift) {
                if (list.last_selected.size() != list.selected.size()) saveSelection(list);
                arrangeRange(list, list.start_item, list.end_item, row);
                list.end_item = list.last_selected_item = row;
                changed = true;
            } else {
                // A plain or Control move makes the focus row the next anchor.
                saveSelection(list);
                list.start_item = list.end_item = row;
            }
        }
    }
    if (changed) postEvent(list, row, &ev, END);
    return true;
}

void ListSelection::kbdSelect(NxListComponent& list, host::Event& ev) {
    int row;
    bool appending;
    {
        Lock guard(list.mutex());
        row = list.focus_row;
        if (row < 0 || row >= int(list.items.size())) return;
        appending = list.multiple_select && (ev.modifiers & (host::Event::SHIFT_MASK | host::Event::CTRL_MASK));
        list.kbd_select = true;
    }
    beginSelect(list, &ev, row, appending);
    Lock guard(list.mutex());
    list.kbd_select = false;
}

}  // namespace norvex::ombu
