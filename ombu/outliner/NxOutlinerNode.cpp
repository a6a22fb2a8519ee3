#include "ombu/outliner/NxOutlinerNode.h"

#include <algorithm>
#include <stdexcept>

#include "ombu/outliner/NxOutlinerNodeStyle.h"
#include "util/NxVector.h"

namespace norvex::ombu {

using host::Value;

// Hooks into the owning component; defined with it.
void outlinerNodeRedraw(NxOutlinerComponent* owner, NxOutlinerNode& node);
void outlinerNodeAdded(NxOutlinerComponent* owner, NxOutlinerNode& node);
void outlinerNodeRemoved(NxOutlinerComponent* owner);

void setOutlinerOfSubtree(NxOutlinerNode& node, NxOutlinerComponent* owner) {
    std::vector<NxOutlinerNode*> work{&node};
    while (!work.empty()) {
        NxOutlinerNode* n = work.back();
        work.pop_back();
        n->outliner = owner;
        if (auto* f = dynamic_cast<NxOutlinerFolderNode*>(n))
            for (const auto& c : f->getChildren()) work.push_back(c.get());
    }
}

NxOutlinerNode::NxOutlinerNode(Value label) : label(std::move(label)) {}

NxOutlinerNode::~NxOutlinerNode() = default;

void NxOutlinerNode::setLabel(const Value& v) {
    label = v;
    draw();
}

std::string NxOutlinerNode::getLabelString() const {
    if (label.isString()) return label.toString();
    if (auto v = label.isObject() ? host::cast<util::NxVector>(label.asObject()) : nullptr) {
        if (v->size() > 0) return v->elementAt(0).toString();
    }
    return label.toString();
}

void NxOutlinerNode::setParent(NxOutlinerFolderNode* folder) {
    auto self = std::static_pointer_cast<NxOutlinerNode>(shared_from_this());
    if (folder) {
        folder->addNode(self);
    } else if (parent) {
        parent->removeChild(this);
    }
}

void NxOutlinerNode::setStyle(const std::shared_ptr<NxOutlinerNodeStyle>& s) {
    style = s;
    if (outliner) outlinerNodeAdded(outliner, *this);
    draw();
}

int NxOutlinerNode::getLevel() const {
    int level = 0;
    for (auto* p = parent; p; p = p->parent) ++level;
    return level;
}

bool NxOutlinerNode::isAncestorOf(const NxOutlinerNode* node) const {
    for (auto* n = node; n; n = n->parent)
        if (n == this) return true;
    return false;
}

void NxOutlinerNode::draw() {
    if (outliner) outlinerNodeRedraw(outliner, *this);
}

std::shared_ptr<NxOutlinerNode> NxOutlinerNode::clone() const {
    host::Lock guard(mutex());
    auto copy = host::create<NxOutlinerNode>(label);
    copy->style = style;
    copy->userData = userData;
    return copy;
}

// Folders

NxOutlinerFolderNode::NxOutlinerFolderNode(Value label, int state) : NxOutlinerNode(std::move(label)), state(state) {}

NxOutlinerFolderNode::~NxOutlinerFolderNode() {
    // Take the grandchildren of every child that dies with us first, so that no
    // destructor runs inside another one level deeper.
    std::vector<NxOutlinerNodePtr> work = std::move(children);
    while (!work.empty()) {
        NxOutlinerNodePtr n = std::move(work.back());
        work.pop_back();
        n->parent = nullptr;
        if (n.use_count() == 1 && n->isFolder()) {
            auto* f = static_cast<NxOutlinerFolderNode*>(n.get());
            for (auto& c : f->children) work.push_back(std::move(c));
            f->children.clear();
        }
    }
}

void NxOutlinerFolderNode::setChildren(const std::vector<NxOutlinerNodePtr>& list) {
    removeChildren();
    for (const auto& c : list)
        if (c) addNode(c);
}

void NxOutlinerFolderNode::removeChildren() {
    std::vector<NxOutlinerNodePtr> old = std::move(children);
    children.clear();
    for (auto& c : old) {
        c->parent = nullptr;
        if (outliner) setOutlinerOfSubtree(*c, nullptr);
    }
    if (outliner) outlinerNodeRemoved(outliner);
}

void NxOutlinerFolderNode::removeChild(const NxOutlinerNode* node) {
    if (!node || children.empty()) return;
    // Newly built trees remove from the end most often.
    for (size_t i = children.size(); i-- > 0;) {
        if (children[i].get() == node) {
            NxOutlinerNodePtr gone = std::move(children[i]);
            children.erase(children.begin() + long(i));
            gone->parent = nullptr;
            if (outliner) {
                setOutlinerOfSubtree(*gone, nullptr);
                outlinerNodeRemoved(outliner);
            }
            return;
        }
    }
}

void NxOutlinerFolderNode::addNode(const NxOutlinerNodePtr& node, int index) {
    if (!node) throw std::invalid_argument("null node added to an outliner folder");
    // Only this folder itself or a folder with children can be one of its ancestors, so
    // items and empty folders skip the walk up a deep tree.
    bool mayBeAncestor = node.get() == this || (node->isFolder() && !static_cast<NxOutlinerFolderNode&>(*node).children.empty());
    if (mayBeAncestor && node->isAncestorOf(this))
        throw std::invalid_argument("a folder cannot be added into itself or one of its descendants");
    NxOutlinerNodePtr keep = node;  // the old parent may hold the last reference
    if (node->parent) node->parent->removeChild(node.get());
    if (index < 0 || size_t(index) >= children.size())
        children.push_back(keep);
    else
        children.insert(children.begin() + index, keep);
    keep->parent = this;
    if (keep->outliner != outliner) setOutlinerOfSubtree(*keep, outliner);
    if (outliner) outlinerNodeAdded(outliner, *keep);
}

NxOutlinerNodePtr NxOutlinerFolderNode::addNode(const Value& label) {
    auto n = host::create<NxOutlinerNode>(label);
    addNode(NxOutlinerNodePtr(n));
    return n;
}

std::shared_ptr<NxOutlinerFolderNode> NxOutlinerFolderNode::addFolderNode(const Value& label) {
    auto n = host::create<NxOutlinerFolderNode>(label);
    addNode(NxOutlinerNodePtr(n));
    return n;
}

std::shared_ptr<NxOutlinerNode> NxOutlinerFolderNode::clone() const {
    // Copies the subtree level by level with an explicit work list.
    auto copyOne = [](const NxOutlinerNode& n) -> NxOutlinerNodePtr {
        host::Lock guard(n.mutex());
        NxOutlinerNodePtr c;
        if (n.isFolder())
            c = host::create<NxOutlinerFolderNode>(n.label, n.getState());
        else
            c = host::create<NxOutlinerNode>(n.label);
        c->style = n.style;
        c->userData = n.userData;
        return c;
    };
    auto root = std::static_pointer_cast<NxOutlinerFolderNode>(copyOne(*this));
    std::vector<std::pair<const NxOutlinerFolderNode*, NxOutlinerFolderNode*>> work{{this, root.get()}};
    while (!work.empty()) {
        auto [from, to] = work.back();
        work.pop_back();
        to->children.reserve(from->children.size());
        for (const auto& c : from->children) {
            auto copy = copyOne(*c);
            copy->parent = to;
            to->children.push_back(copy);
            if (c->isFolder())
                work.emplace_back(static_cast<const NxOutlinerFolderNode*>(c.get()),
                                  static_cast<NxOutlinerFolderNode*>(copy.get()));
        }
    }
    return root;
}

}  // namespace norvex::ombu
