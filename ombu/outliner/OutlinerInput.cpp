// NxOutlinerComponent: selection, focus, keys, mouse, sorting and drag and drop.
#include <algorithm>

#include "ombu/OmbuUtil.h"
#include "ombu/outliner/NxOutlinerComponent.h"
#include "util/NxVector.h"

namespace norvex::ombu {

using host::Lock;
using host::Value;

// Selection

NxOutlinerNode* NxOutlinerComponent::getSelectedNode() const {
    Lock guard(mutex());
    return selected_nodes.empty() ? nullptr : selected_nodes.front().get();
}

std::vector<NxOutlinerNodePtr> NxOutlinerComponent::getSelectedNodes() const {
    Lock guard(mutex());
    return selected_nodes;
}

int NxOutlinerComponent::getSelectedIndex() const {
    Lock guard(mutex());
    ensureRows();
    return selected_nodes.empty() ? -1 : selected_nodes.front()->row;
}

std::vector<int> NxOutlinerComponent::getSelectedIndexes() const {
    Lock guard(mutex());
    ensureRows();
    std::vector<int> out;
    for (auto& n : selected_nodes) out.push_back(n->row);
    return out;
}

std::vector<Value> NxOutlinerComponent::getSelectedObjects() {
    Lock guard(mutex());
    std::vector<Value> out;
    for (auto& n : selected_nodes) out.emplace_back(n->getLabelString());
    return out;
}

void NxOutlinerComponent::fireSelect(NxOutlinerNode* node, bool on, bool begin, bool* veto) {
    auto listeners = itemListenerList();
    if (listeners.empty() || !node) return;
    NxOutlinerEvent ev(eventSource(), ptrOf(node), on);
    for (auto* l : listeners) {
        auto* ol = dynamic_cast<NxOutlinerListener*>(l);
        if (begin) {
            // The deselection stage goes to outliner listeners, which may veto.
            if (!ol) continue;
            l->itemStateChanged(ev);
            ol->outlinerNodeSelectBegin(ev);
        } else {
            l->itemStateChanged(ev);
            if (ol) ol->outlinerNodeSelectEnd(ev);
        }
    }
    if (veto && !ev.getAllowChange()) *veto = true;
}

void NxOutlinerComponent::deselectOne(NxOutlinerNode* node, host::Event*, bool* veto) {
    node->selected = false;
    auto it = std::find_if(selected_nodes.begin(), selected_nodes.end(),
                           [node](const NxOutlinerNodePtr& p) { return p.get() == node; });
    NxOutlinerNodePtr keep = it != selected_nodes.end() ? *it : ptrOf(node);
    if (it != selected_nodes.end()) selected_nodes.erase(it);
    drawNode(node, true);
    fireSelect(node, false, true, veto);
}

void NxOutlinerComponent::selectNode(NxOutlinerNode* node, host::Event* e) {
    if (multiple_select) {
        multiSelectNode(node, e);
        return;
    }
    Lock guard(mutex());
    if (node && node->selected) return;
    if (!selected_nodes.empty()) {
        bool veto = false;
        NxOutlinerNodePtr old = selected_nodes.front();
        deselectOne(old.get(), e, &veto);
        if (veto) return;
    }
    if (node) {
        node->selected = true;
        selected_nodes.push_back(ptrOf(node));
        drawNode(node, true);
        fireSelect(node, true, false, nullptr);
        if (auto_select) focus_node = ptrOf(node);
    }
}

void NxOutlinerComponent::selectNode(NxOutlinerNode* node) {
    Lock guard(mutex());
    if (!multiple_select) {
        for (auto& n : selected_nodes) {
            n->selected = false;
            drawNode(n.get(), true);
        }
        selected_nodes.clear();
    }
    if (node && !node->selected) {
        node->selected = true;
        selected_nodes.push_back(ptrOf(node));
        drawNode(node, true);
    }
}

void NxOutlinerComponent::clearSelection() {
    Lock guard(mutex());
    for (auto& n : selected_nodes) {
        n->selected = false;
        drawNode(n.get(), true);
    }
    selected_nodes.clear();
}

bool NxOutlinerComponent::isMultiSelectable(const NxOutlinerNode* node, const host::Event* e) const {
    if (!node || !e || !(e->modifiers & (host::Event::SHIFT_MASK | host::Event::CTRL_MASK))) return false;
    return !selected_nodes.empty() && selected_nodes.front()->getParent() == node->getParent();
}

void NxOutlinerComponent::multiSelectNode(NxOutlinerNode* node, host::Event* e) {
    Lock guard(mutex());
    if (isMultiSelectable(node, e)) {
        if (e->modifiers & host::Event::SHIFT_MASK) {
            if (node->selected) return;
            // The siblings between the last selected node and this one.
            const auto& sib = node->getParent() ? node->getParent()->getChildren() : std::vector<NxOutlinerNodePtr>{};
            NxOutlinerNode* last = selected_nodes.back().get();
            long a = -1, b = -1;
            for (size_t i = 0; i < sib.size(); ++i) {
                if (sib[i].get() == last) a = long(i);
                if (sib[i].get() == node) b = long(i);
            }
            if (a >= 0 && b >= 0) {
                long step = a < b ? 1 : -1;
                for (long i = a;; i += step) {
                    NxOutlinerNode* s = sib[size_t(i)].get();
                    if (!s->selected) {
                        s->selected = true;
                        selected_nodes.push_back(sib[size_t(i)]);
                        drawNode(s, true);
                    }
                    if (i == b) break;
                }
            }
        } else if (node->selected) {
            node->selected = false;
            selected_nodes.erase(std::find_if(selected_nodes.begin(), selected_nodes.end(),
                                              [node](const NxOutlinerNodePtr& p) { return p.get() == node; }));
            drawNode(node, true);
        } else {
            node->selected = true;
            selected_nodes.push_back(ptrOf(node));
            drawNode(node, true);
        }
    } else {
        while (!selected_nodes.empty()) {
            bool veto = false;
            NxOutlinerNodePtr n = selected_nodes.front();
            deselectOne(n.get(), e, &veto);
            if (veto) return;
        }
        if (node) {
            node->selected = true;
            selected_nodes.push_back(ptrOf(node));
            drawNode(node, true);
        }
    }
    if (node) {
        fireSelect(node, node->selected, false, nullptr);
        if (auto_select) focus_node = ptrOf(node);
    }
}

// Focus

void NxOutlinerComponent::setFocusNode(NxOutlinerNode* node, host::Event* e) {
    Lock guard(mutex());
    if (!node) return;
    if (node == focus_node.get() && !multiple_select) return;
    NxOutlinerNodePtr old = focus_node;
    focus_node = ptrOf(node);
    if (old) drawNode(old.get(), true);
    makeNodeVisible(node);
    drawNode(node, true);
    if (auto_select) selectNode(node, e);
}

void NxOutlinerComponent::nextFocus(host::Event* e) {
    ensureRows();
    NxOutlinerNode* n = focus_node ? getNextVisibleNode(focus_node.get()) : findNode(0);
    if (n) setFocusNode(n, e);
}

void NxOutlinerComponent::previousFocus(host::Event* e) {
    ensureRows();
    NxOutlinerNode* n = focus_node ? getPreviousVisibleNode(focus_node.get()) : findNode(0);
    if (n) setFocusNode(n, e);
}

// Keys and mouse

bool NxOutlinerComponent::keyDown(host::Event& e, int key) {
    ensureRows();
    bool action = e.id == host::Event::KEY_ACTION;
    if (action) {
        int page = std::max(1, getDrawingAreaHeight() / std::max(1, getFullNodeHeight()));
        int n = int(rows.size());
        int row = focus_node && isDrawn(focus_node.get()) ? focus_node->row : 0;
        switch (key) {
            case host::Event::DOWN: nextFocus(&e); return true;
            case host::Event::UP: previousFocus(&e); return true;
            case host::Event::HOME: row = 0; break;
            case host::Event::END: row = n - 1; break;
            case host::Event::PGDN: row = std::min(n - 1, row + page); break;
            case host::Event::PGUP: row = std::max(0, row - page); break;
            default: return NxComponent::keyDown(e, key);
        }
        if (n > 0) setFocusNode(rows[size_t(row)], &e);
        return true;
    }
    if (key == host::Event::ENTER) {
        doubleClickAction(focus_node.get(), &e);
        return true;
    }
    if (key == ' ') {
        if (focus_node) {
            makeNodeVisible(focus_node.get());
            selectNode(focus_node.get(), &e);
        }
        return true;
    }
    if (key <= ' ' || key == host::Event::DELETE || key > 0xff) return NxComponent::keyDown(e, key);
    NxOutlinerNode* found = findNode(char(key));
    if (!found) return NxComponent::keyDown(e, key);
    makeNodeVisible(found);
    setFocusNode(found, &e);
    selectNode(found, &e);
    return true;
}

bool NxOutlinerComponent::mouseDown(host::Event& e, int x, int y) {
    if (NxComponent::mouseDown(e, x, y)) return true;
    if (OmbuUtil::getMouseButton(e) != 1) return false;
    host::Event* saved = last_event;
    last_event = &e;
    NxOutlinerNode* node = eventToNode(e);
    drag_node = nullptr;
    if (node && eventInShortcut(e, node)) {
        doubleClickAction(node, &e);
    } else if (node && getBounds(node).contains(x, y)) {
        bool dbl = e.clickCount >= 2 && node->selected;
        if (drag_drop != DRAGDROP_NONE) drag_node = node;
        if (!dbl && node->selected && !multiple_select) {
            setFocusNode(node, &e);
        } else {
            setFocusNode(node, &e);
            if (!auto_select) selectNode(node, &e);
            if (dbl) doubleClickAction(node, &e);
        }
    }
    last_event = saved;
    return true;
}

bool NxOutlinerComponent::mouseDrag(host::Event&, int, int) { return drag_node != nullptr; }

bool NxOutlinerComponent::mouseUp(host::Event& e, int, int) {
    ensureRows();  // a tree changed since the press drops the drag
    NxOutlinerNode* dragged = drag_node;
    drag_node = nullptr;
    if (!dragged) return false;
    NxOutlinerNode* target = eventToNode(e);
    if (target && target != dragged) drop(dragged, target);
    return true;
}

// Drag and drop

bool NxOutlinerComponent::isDropTarget(const NxOutlinerNode* target, const NxOutlinerNode* dragged) {
    if (!target || !dragged || target == dragged) return false;
    return !dragged->isAncestorOf(target);
}

bool NxOutlinerComponent::drop(NxOutlinerNode* dragged, NxOutlinerNode* target) {
    if (drag_drop == DRAGDROP_NONE || !isDropTarget(target, dragged) || !dragged->getParent()) return false;
    NxOutlinerNodePtr moving = ptrOf(dragged);
    if (target->isFolder()) {
        static_cast<NxOutlinerFolderNode*>(target)->addNode(moving);
    } else {
        // Beside an item: after it in its folder.
        NxOutlinerFolderNode* parent = target->getParent();
        if (!parent) return false;
        parent->removeChild(dragged);
        const auto& sib = parent->getChildren();
        int index = 0;
        while (size_t(index) < sib.size() && sib[size_t(index)].get() != target) ++index;
        parent->addNode(moving, index + 1);
    }
    folderChanged(root.get());
    clearSelection();
    selectNode(dragged);
    return true;
}

// Sorting

void NxOutlinerComponent::sort(int column, int direction) {
    {
        Lock guard(mutex());
        if (!root || !root->isFolder()) return;
        auto cell = [column](const NxOutlinerNode* n) -> Value {
            const Value& l = n->getLabel();
            if (auto v = l.isObject() ? host::cast<util::NxVector>(l.asObject()) : nullptr)
                return column < v->size() ? v->elementAt(column) : Value();
            return column == 0 ? l : Value();
        };
        auto less = [&](const NxOutlinerNodePtr& a, const NxOutlinerNodePtr& b) {
            Value x = cell(a.get()), y = cell(b.get());
            if (x.isNull() || y.isNull()) return x.isNull() && !y.isNull();  // nulls first
            if (x.isNumber() && y.isNumber()) return x.asDouble() < y.asDouble();
            return x.toString() < y.toString();
        };
        std::vector<NxOutlinerFolderNode*> work{static_cast<NxOutlinerFolderNode*>(root.get())};
        while (!work.empty()) {
            NxOutlinerFolderNode* f = work.back();
            work.pop_back();
            auto& ch = f->children;
            if (direction >= 0)
                std::stable_sort(ch.begin(), ch.end(), less);
            else
                std::stable_sort(ch.begin(), ch.end(), [&](auto& a, auto& b) { return less(b, a); });
            for (auto& c : ch)
                if (c->isFolder() && c->getState() != OmbuEnum::FOLDER_CLOSED)
                    work.push_back(static_cast<NxOutlinerFolderNode*>(c.get()));
        }
        stale = true;
    }
    folderChanged(root.get());
}

}  // namespace norvex::ombu
