#include "ombu/Focus.h"

#include <algorithm>

#include "host/ui/Container.h"
#include "host/ui/Window.h"
#include "ombu/NxComponent.h"
#include "ombu/OmbuUtil.h"

namespace norvex::ombu {

using host::Component;
using host::Container;

bool Focus::isTraversable(Component* c) {
    if (!c) return false;
    if (auto* nx = dynamic_cast<NxComponent*>(c)) return nx->isTraversable();
    if (auto* ct = dynamic_cast<Container*>(c)) {
        for (auto& child : ct->getComponents())
            if (isTraversable(child.get())) return true;
        return false;
    }
    return c->isShowing() && c->isEnabled();
}

int Focus::countChildren(Component* c, std::vector<Component*>* out) {
    if (!c) return 0;
    if (auto* ct = dynamic_cast<Container*>(c)) {
        int n = 1;
        for (auto& child : ct->getComponents()) n += countChildren(child.get(), out);
        return n;
    }
    if (!isTraversable(c)) return 0;
    if (out) out->push_back(c);
    return 1;
}

std::vector<Component*> Focus::leaves(Container* top) {
    std::vector<Component*> out;
    out.reserve(size_t(std::max(0, countChildren(top, nullptr))));
    countChildren(top, &out);
    return out;
}

Component* Focus::getFirstChild(Container* c) {
    if (!c || !c->isShowing()) return nullptr;
    for (auto& child : c->getComponents()) {
        if (auto* ct = dynamic_cast<Container*>(child.get())) {
            if (Component* r = getFirstChild(ct)) return r;
        } else if (isTraversable(child.get())) {
            return child.get();
        }
    }
    return nullptr;
}

Component* Focus::getLastChild(Container* c) {
    if (!c || !c->isShowing()) return nullptr;
    auto children = c->getComponents();
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        if (auto* ct = dynamic_cast<Container*>(it->get())) {
            if (Component* r = getLastChild(ct)) return r;
        } else if (isTraversable(it->get())) {
            return it->get();
        }
    }
    return nullptr;
}

Component* Focus::getNextChild(Container* top, Component* c) {
    if (!top || !c) return nullptr;
    auto list = leaves(top);
    auto it = std::find(list.begin(), list.end(), c);
    if (it == list.end()) return nullptr;
    for (++it; it != list.end(); ++it)
        if ((*it)->getParent() != c->getParent()) return *it;
    return nullptr;
}

Component* Focus::getPreviousChild(Container* top, Component* c) {
    if (!top || !c) return nullptr;
    auto list = leaves(top);
    auto it = std::find(list.begin(), list.end(), c);
    if (it == list.end()) return nullptr;
    while (it != list.begin()) {
        --it;
        if ((*it)->getParent() != c->getParent()) return *it;
    }
    return nullptr;
}

void Focus::nextFocus(Component* c) {
    Container* p = c ? c->getParent() : nullptr;
    if (!p) return;
    auto siblings = p->getComponents();
    if (siblings.size() < 2) return;
    auto at = std::find_if(siblings.begin(), siblings.end(), [c](auto& s) { return s.get() == c; });
    if (at == siblings.end()) return;
    for (auto it = at + 1; it != siblings.end(); ++it)
        if (isTraversable(it->get())) return (*it)->requestFocus();
    for (auto it = siblings.begin(); it != at; ++it)
        if (isTraversable(it->get())) return (*it)->requestFocus();
}

void Focus::previousFocus(Component* c) {
    Container* p = c ? c->getParent() : nullptr;
    if (!p) return;
    auto siblings = p->getComponents();
    if (siblings.size() < 2) return;
    auto at = std::find_if(siblings.begin(), siblings.end(), [c](auto& s) { return s.get() == c; });
    if (at == siblings.end()) return;
    for (auto it = at; it != siblings.begin();) {
        --it;
        if (isTraversable(it->get())) return (*it)->requestFocus();
    }
    for (auto it = siblings.end() - 1; it != at; --it)
        if (isTraversable(it->get())) return (*it)->requestFocus();
}

Container* Focus::searchRoot(Container* top, Component* c) {
    if (host::Frame* f = OmbuUtil::getFrame(c)) return f;
    return top;
}

void Focus::nextFocus(Container* top, Component* c) {
    Container* root = searchRoot(top, c);
    if (!root) return;
    Component* next = getNextChild(root, c);
    if (!next) next = getFirstChild(root);
    if (next) next->requestFocus();
}

void Focus::previousFocus(Container* top, Component* c) {
    Container* root = searchRoot(top, c);
    if (!root) return;
    Component* prev = getPreviousChild(root, c);
    if (!prev) prev = getLastChild(root);
    if (prev) prev->requestFocus();
}

Component* Focus::findFocus(Container* c) {
    if (!c) return nullptr;
    for (auto& child : c->getComponents()) {
        if (auto* nx = dynamic_cast<NxComponent*>(child.get())) {
            if (nx->hasFocus()) return nx;
        } else if (auto* ct = dynamic_cast<Container*>(child.get())) {
            // The search goes on past nested containers that do not hold the focus.
            if (Component* r = findFocus(ct)) return r;
        }
    }
    return nullptr;
}

}  // namespace norvex::ombu
