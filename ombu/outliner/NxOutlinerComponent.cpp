#include "ombu/outliner/NxOutlinerComponent.h"

#include <algorithm>
#include <atomic>
#include <iostream>
#include <stdexcept>

#include "ombu/OmbuUtil.h"
#include "ombu/outliner/NxOutliner.h"
#include "ombu/outliner/OutlinerConverter.h"
#include "ombu/outliner/OutlinerTreeText.h"
#include "ombu/widgets/NxScrollbar.h"
#include "util/NxVector.h"

namespace norvex::ombu {

using host::Lock;
using host::Value;

void outlinerNodeRedraw(NxOutlinerComponent* owner, NxOutlinerNode& node) { owner->nodeRedraw(node); }
void outlinerNodeAdded(NxOutlinerComponent* owner, NxOutlinerNode& node) { owner->nodeAdded(node); }
void outlinerNodeRemoved(NxOutlinerComponent* owner) { owner->nodeRemoved(); }

namespace {

std::string nextOutlinerName() {
    static std::atomic<int> counter{0};
    return "outliner" + std::to_string(counter++);
}

// Whether a folder in `state` shows `child`.
bool stateShows(int state, const NxOutlinerNode* child) {
    switch (state) {
        case OmbuEnum::FOLDER_OPEN_FOLDERS: return child->isFolder();
        case OmbuEnum::FOLDER_OPEN_ITEMS: return !child->isFolder();
        case OmbuEnum::FOLDER_OPEN_ALL: return true;
        default: return false;
    }
}

}  // namespace

NxOutlinerComponent::NxOutlinerComponent() : NxOutlinerComponent(nullptr, nullptr, "") {}

NxOutlinerComponent::NxOutlinerComponent(host::Applet* applet, const std::string& name)
    : NxOutlinerComponent(nullptr, applet, name) {}

NxOutlinerComponent::NxOutlinerComponent(const NxOutlinerNodePtr& r, host::Applet* applet, const std::string& name)
    : NxComponent(applet, name) {
    if (!applet && name.empty()) setName(nextOutlinerName());
    insets_ = host::Insets{5, 5, 5, 5};
    default_style = std::make_shared<NxOutlinerNodeStyle>();
    style_list = {default_style};
    makeDefaultIcons();
    if (r) setRootNode(r);
}

NxOutlinerComponent::~NxOutlinerComponent() {
    if (root) setOutlinerOfSubtree(*root, nullptr);
}

const std::vector<std::string>& NxOutlinerComponent::stateNames() {
    static const std::vector<std::string> names{"FOLDER_CLOSED", "FOLDER_OPEN_NONE", "FOLDER_OPEN_FOLDERS",
                                                "FOLDER_OPEN_ITEMS", "FOLDER_OPEN_ALL"};
    return names;
}

void NxOutlinerComponent::getParameters() {
    NxComponent::getParameters();
    readParameters([this](const std::string& key) { return getParam(key); });
}

void NxOutlinerComponent::readParameters(const std::function<util::OptString(const std::string&)>& param) {
    OutlinerConverter::getParameters(*this, param);
}

// Tree

void NxOutlinerComponent::setRootNode(const NxOutlinerNodePtr& node) {
    {
        Lock guard(mutex());
        if (root) setOutlinerOfSubtree(*root, nullptr);
        root = node;
        if (root) {
            setOutlinerOfSubtree(*root, this);
            mapStateInNode(root.get());  // the folders take states of the state list
        }
        for (auto& n : selected_nodes) n->selected = false;
        selected_nodes.clear();
        focus_node.reset();
        stale = true;
        vert_origin = 0;
    }
    folderChanged(root.get());
}

void NxOutlinerComponent::setTree(const std::vector<std::string>& lines) {
    std::shared_ptr<NxOutlinerNode> tree;
    {
        Lock guard(mutex());
        tree = OutlinerTreeText::read(this, lines);
    }
    // Outside the lock: installing the tree lays out the parent, which takes the tree lock
    // (always taken before a component's own).
    setRootNode(tree);
}

std::vector<std::string> NxOutlinerComponent::getTree() {
    Lock guard(mutex());
    return OutlinerTreeText::write(root.get());
}

void NxOutlinerComponent::nodeAdded(NxOutlinerNode& node) {
    stale = true;
    if (node_height > 0) {
        int h = calculateNodeHeight(&node);
        if (h > node_height) node_height = h;
    }
}

void NxOutlinerComponent::nodeRemoved() { stale = true; }

void NxOutlinerComponent::nodeRedraw(NxOutlinerNode& node) { drawNode(&node, true); }

void NxOutlinerComponent::folderChanged(const NxOutlinerNode* node) {
    {
        Lock guard(mutex());
        stale = true;
        if (!hasPeer()) return;
        if (batched) {
            needs_recalc = true;
            return;
        }
        if (node) processRootNode();
        pref_width_internal = 0;
    }
    updateParent();
    if (scrolled_window) scrolled_window->layout();
    repaint();
}

void NxOutlinerComponent::processRootNode() {
    Lock guard(mutex());
    if (batched) {
        needs_recalc = true;
        return;
    }
    rebuildRows();
}

void NxOutlinerComponent::ensureRows() const {
    auto* self = const_cast<NxOutlinerComponent*>(this);
    if (self->stale) self->rebuildRows();
}

void NxOutlinerComponent::rebuildRows() {
    stale = false;
    drag_node = nullptr;  // a drag does not survive a change of the tree
    node_list.clear();
    rows.clear();
    last_drawn.clear();
    if (!root) {
        num_rows = 0;
        selected_nodes.clear();
        focus_node.reset();
        return;
    }
    // Every node, depth first (children pushed in reverse so they come out in order).
    std::vector<NxOutlinerNode*> work{root.get()};
    while (!work.empty()) {
        NxOutlinerNode* n = work.back();
        work.pop_back();
        n->sequence = int(node_list.size());
        n->row = -1;
        node_list.push_back(n);
        if (n->isFolder()) {
            const auto& ch = static_cast<NxOutlinerFolderNode*>(n)->getChildren();
            for (size_t i = ch.size(); i-- > 0;) work.push_back(ch[i].get());
        }
    }
    // The drawn rows: a child is drawn when its parent is drawn (or is the root) and the
    // parent's state shows it. Each entry carries its depth and whether it is the last
    // drawn child of its parent.
    struct Entry {
        NxOutlinerNode* node;
        int depth;
        bool last;
    };
    std::vector<Entry> stack;
    root->indent = root_visible ? 0 : -1;
    if (root_visible) {
        root->row = 0;
        rows.push_back(root.get());
        last_drawn.push_back(1);
    }
    auto pushChildren = [&](NxOutlinerNode* n, int depth) {
        if (!n->isFolder()) return;
        auto* f = static_cast<NxOutlinerFolderNode*>(n);
        const auto& ch = f->getChildren();
        bool lastSeen = false;
        for (size_t i = ch.size(); i-- > 0;) {
            if (!stateShows(f->getState(), ch[i].get())) continue;
            stack.push_back({ch[i].get(), depth + 1, !lastSeen});
            lastSeen = true;
        }
    };
    pushChildren(root.get(), root->indent);
    while (!stack.empty()) {
        Entry e = stack.back();
        stack.pop_back();
        e.node->row = int(rows.size());
        e.node->indent = e.depth;
        rows.push_back(e.node);
        last_drawn.push_back(e.last ? 1 : 0);
        pushChildren(e.node, e.depth);
    }
    num_rows = int(rows.size());
    // Vector labels ask for as many columns as their cells.
    for (auto* n : node_list) {
        const Value& l = n->getLabel();
        if (auto v = l.isObject() ? host::cast<util::NxVector>(l.asObject()) : nullptr)
            num_columns = std::max(num_columns, v->size());
    }
    // Selected and focus nodes that left the tree are dropped.
    std::vector<NxOutlinerNodePtr> kept;
    for (auto& n : selected_nodes) {
        if (isInTree(n.get()))
            kept.push_back(n);
        else
            n->selected = false;
    }
    selected_nodes = std::move(kept);
    // A focus that is not drawn moves to the first row (without selecting it).
    if (!focus_node || !isDrawn(focus_node.get())) {
        focus_node.reset();
        if (!rows.empty()) focus_node = ptrOf(rows.front());
    }
}

bool NxOutlinerComponent::isInTree(const NxOutlinerNode* node) const {
    return node && node->sequence >= 0 && size_t(node->sequence) < node_list.size() &&
           node_list[size_t(node->sequence)] == node;
}

bool NxOutlinerComponent::isDrawn(const NxOutlinerNode* node) const {
    ensureRows();
    return node && node->row >= 0 && size_t(node->row) < rows.size() && rows[size_t(node->row)] == node;
}

bool NxOutlinerComponent::isLastDrawn(const NxOutlinerNode* node) const {
    return isDrawn(node) && last_drawn[size_t(node->row)];
}

NxOutlinerNodePtr NxOutlinerComponent::ptrOf(NxOutlinerNode* node) const {
    if (!node) return nullptr;
    return std::static_pointer_cast<NxOutlinerNode>(node->shared_from_this());
}

void NxOutlinerComponent::setBatched(bool b) {
    bool recalc, paint;
    {
        Lock guard(mutex());
        if (b == batched) return;
        batched = b;
        if (b) return;
        recalc = needs_recalc;
        paint = needs_repaint || recalc;
        needs_recalc = needs_repaint = false;
    }
    if (recalc) folderChanged(root.get());
    if (paint) repaint();
}

// Folder states

void NxOutlinerComponent::setStateList(const std::vector<int>& list) {
    if (list.empty()) throw std::invalid_argument("Invalid StateList value in NxOutlinerComponent: empty list");
    for (int s : list)
        if (s < OmbuEnum::FOLDER_CLOSED || s > OmbuEnum::FOLDER_OPEN_ALL)
            throw std::invalid_argument("Invalid StateList value in NxOutlinerComponent: " + std::to_string(s));
    {
        Lock guard(mutex());
        state_list = list;
        if (root) mapStateInNode(root.get());
        stale = true;
    }
    folderChanged(root.get());
}

bool NxOutlinerComponent::checkState(int state) const {
    return std::find(state_list.begin(), state_list.end(), state) != state_list.end();
}

int NxOutlinerComponent::getNextState(const NxOutlinerNode* node) const {
    if (!node || !node->isFolder()) return NxOutlinerNode::NO_STATE;
    auto it = std::find(state_list.begin(), state_list.end(), node->getState());
    if (it == state_list.end() || ++it == state_list.end()) return state_list.front();
    return *it;
}

void NxOutlinerComponent::mapStateInNode(NxOutlinerNode* node) {
    std::vector<NxOutlinerNode*> work{node};
    while (!work.empty()) {
        NxOutlinerNode* n = work.back();
        work.pop_back();
        if (!n || !n->isFolder()) continue;
        auto* f = static_cast<NxOutlinerFolderNode*>(n);
        if (!checkState(f->getState())) {
            int best = state_list.front();
            for (int s : state_list)
                if (std::abs(s - f->getState()) < std::abs(best - f->getState())) best = s;
            f->setState(best);
        }
        for (const auto& c : f->getChildren()) work.push_back(c.get());
    }
}

bool NxOutlinerComponent::shouldBeDrawn(const NxOutlinerNode* node) const {
    if (!node) return false;
    if (node == root.get()) return root_visible;
    for (const NxOutlinerNode* n = node;;) {
        const NxOutlinerFolderNode* p = n->getParent();
        if (!p) return false;  // detached, and not the root
        if (!stateShows(p->getState(), n)) return false;
        if (p == root.get()) return true;
        n = p;
    }
}

NxOutlinerEvent* NxOutlinerComponent::postStateEvent(NxOutlinerEvent& ev, int stage, NxOutlinerNode*) {
    auto listeners = itemListenerList();
    if (listeners.empty()) return nullptr;
    for (auto* l : listeners) {
        auto* ol = dynamic_cast<NxOutlinerListener*>(l);
        if (stage == 0) {
            if (ol) ol->outlinerFolderStateChangeBegin(ev);
        } else {
            l->itemStateChanged(ev);
            if (ol) ol->outlinerFolderStateChangeEnd(ev);
        }
    }
    return &ev;
}

bool NxOutlinerComponent::setNodeState(const NxOutlinerNodePtr& node, int state, bool notify) {
    if (!node) return false;
    if (node->isFolder()) OutlinerConverter::checkState(state);
    if (!node->isFolder()) {
        // An item fires the action event.
        if (notify) {
            NxActionEvent ev(eventSource(), host::ActionEvent::ACTION_PERFORMED, node->getLabelString());
            for (auto* l : actionListenerList()) l->actionPerformed(ev);
        }
        return true;
    }
    if (notify) {
        NxOutlinerEvent begin(eventSource(), node, state);
        // Without listeners there is no event, and the state asked for stands.
        if (NxOutlinerEvent* e = postStateEvent(begin, 0, node.get())) {
            if (!e->getAllowChange()) return false;
            state = e->getNewState();
        }
    }
    {
        Lock guard(mutex());
        if (!shouldBeDrawn(node.get()) && node != root) return false;
        if (!checkState(state)) return false;
        static_cast<NxOutlinerFolderNode*>(node.get())->setState(state);
        stale = true;
    }
    folderChanged(nullptr);
    if (notify) {
        NxOutlinerEvent end(eventSource(), node, state);
        postStateEvent(end, 1, node.get());
    }
    return true;
}

void NxOutlinerComponent::doubleClickAction(NxOutlinerNode* node, host::Event* e) {
    if (!node) return;
    host::Event* saved = last_event;
    last_event = e;
    setNodeState(ptrOf(node), node->isFolder() ? getNextState(node) : NxOutlinerNode::NO_STATE, true);
    last_event = saved;
}

// Properties

void NxOutlinerComponent::setRootVisible(bool b) {
    {
        Lock guard(mutex());
        if (b == root_visible) return;
        root_visible = b;
        stale = true;
    }
    folderChanged(root.get());
}

int NxOutlinerComponent::getNodeHeight() {
    if (node_height == 0)
        for (const auto& s : style_list) node_height = std::max(node_height, calculateStyleHeight(s.get()));
    return node_height;
}

void NxOutlinerComponent::setNodeHeight(int h) {
    node_height = std::max(0, h);
    updateParent();
    repaint();
}

void NxOutlinerComponent::setNodeIndent(int i) {
    node_indent = std::max(0, i);
    pref_width_internal = 0;
    repaint();
}

void NxOutlinerComponent::setAutoSelect(bool b) {
    auto_select = b;
    repaint();
}

void NxOutlinerComponent::setSpacing(int s) {
    spacing = std::max(0, s);
    updateParent();
    repaint();
}

void NxOutlinerComponent::setVisibleRows(int r) {
    visible_rows = r;
    updateParent();
    repaint();
}

void NxOutlinerComponent::setStyleList(const std::vector<NxOutlinerNodeStylePtr>& list) {
    style_list = list;
    if (style_list.empty()) style_list = {default_style};
    node_height = 0;
    updateParent();
    repaint();
}

int NxOutlinerComponent::getFullNodeHeight() {
    full_node_height = getNodeHeight() + 2 * highlight + spacing;
    return full_node_height;
}

// Navigation

NxOutlinerNode* NxOutlinerComponent::getNextNode(const NxOutlinerNode* node) const {
    ensureRows();
    if (!isInTree(node) || size_t(node->sequence) + 1 >= node_list.size()) return nullptr;
    return node_list[size_t(node->sequence) + 1];
}

NxOutlinerNode* NxOutlinerComponent::getPreviousNode(const NxOutlinerNode* node) const {
    ensureRows();
    if (!isInTree(node) || node->sequence == 0) return nullptr;
    return node_list[size_t(node->sequence) - 1];
}

NxOutlinerNode* NxOutlinerComponent::getNextVisibleNode(const NxOutlinerNode* node) const {
    ensureRows();
    if (isDrawn(node)) return size_t(node->row) + 1 < rows.size() ? rows[size_t(node->row) + 1] : nullptr;
    if (!isInTree(node)) return nullptr;
    for (size_t i = size_t(node->sequence) + 1; i < node_list.size(); ++i)
        if (isDrawn(node_list[i])) return node_list[i];
    return nullptr;
}

NxOutlinerNode* NxOutlinerComponent::getPreviousVisibleNode(const NxOutlinerNode* node) const {
    ensureRows();
    if (isDrawn(node)) return node->row > 0 ? rows[size_t(node->row) - 1] : nullptr;
    if (!isInTree(node)) return nullptr;
    for (size_t i = size_t(node->sequence); i-- > 0;)
        if (isDrawn(node_list[i])) return node_list[i];
    return nullptr;
}

NxOutlinerNode* NxOutlinerComponent::findNode(char c) const {
    ensureRows();
    char up = char(std::toupper(static_cast<unsigned char>(c)));
    for (auto* n : rows)
        if (OmbuUtil::startsWith(n->getLabel(), up)) return n;
    return nullptr;
}

NxOutlinerNode* NxOutlinerComponent::findNode(int row) const {
    ensureRows();
    return row >= 0 && size_t(row) < rows.size() ? rows[size_t(row)] : nullptr;
}

NxOutlinerNode* NxOutlinerComponent::eventToNode(const host::Event& e, bool inBounds) {
    int full = getFullNodeHeight();
    if (full <= 0) return nullptr;
    host::Rectangle a = getDrawingArea();
    int64_t y = int64_t(e.y) + vert_origin - a.y;
    if (y < 0) return nullptr;
    NxOutlinerNode* n = findNode(int(y / full));
    if (n && inBounds && !getBounds(n).contains(e.x, e.y)) return nullptr;
    return n;
}

bool NxOutlinerComponent::eventInShortcut(const host::Event& e, const NxOutlinerNode* node) const {
    if (!node || !node->isFolder()) return false;
    auto* f = static_cast<const NxOutlinerFolderNode*>(node);
    if (f->shortcut_x == -999) return false;
    int h = SHORTCUT_SIZE / 2;
    return e.x >= f->shortcut_x - h && e.x <= f->shortcut_x + h && e.y >= f->shortcut_y - h &&
           e.y <= f->shortcut_y + h;
}

bool NxOutlinerComponent::makeNodeVisible(const NxOutlinerNode* node) {
    ensureRows();
    if (!isDrawn(node)) return false;
    int full = getFullNodeHeight();
    int view = getDrawingAreaHeight();
    int64_t top = int64_t(node->row) * full;
    if (top < vert_origin)
        scrollTo(int(top));
    else if (top + full > int64_t(vert_origin) + view)
        scrollTo(int(std::min<int64_t>(top + full - view, INT32_MAX)));
    return true;
}

void NxOutlinerComponent::scrollTo(int v) {
    if (scrolled_window) {
        auto& bar = scrolled_window->getVertScrollbar();
        bar->setValue(v);
        setVertOrigin(bar->getValue());
    } else {
        setVertOrigin(v);
    }
}

void NxOutlinerComponent::setHorizOrigin(int v) {
    horiz_origin = std::max(0, v);
    repaint();
}

void NxOutlinerComponent::setVertOrigin(int v) {
    vert_origin = std::max(0, v);
    repaint();
}

void NxOutlinerComponent::scrollHorizontal(int value) { setHorizOrigin(value); }
void NxOutlinerComponent::scrollVertical(int value) { setVertOrigin(value); }

// Listeners

void NxOutlinerComponent::addItemListener(NxItemListener* l) { itemListeners.add(l); }
void NxOutlinerComponent::removeItemListener(NxItemListener* l) { itemListeners.remove(l); }
void NxOutlinerComponent::addActionListener(NxActionListener* l) { actionListeners.add(l); }
void NxOutlinerComponent::removeActionListener(NxActionListener* l) { actionListeners.remove(l); }
std::vector<NxItemListener*> NxOutlinerComponent::itemListenerList() { return itemListeners.snapshot(); }
std::vector<NxActionListener*> NxOutlinerComponent::actionListenerList() { return actionListeners.snapshot(); }

host::Object* NxOutlinerComponent::eventSource() {
    if (scrolled_window) return scrolled_window;
    return this;
}

}  // namespace norvex::ombu
