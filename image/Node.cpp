#include "image/Node.h"

#include <vector>

namespace norvex::image {

Node::~Node() {
    // Long strings make deep chains; unlink them onto a work list instead of recursing.
    std::vector<std::unique_ptr<Node>> pending;
    if (firstChild) pending.push_back(std::move(firstChild));
    if (nextSibling) pending.push_back(std::move(nextSibling));
    while (!pending.empty()) {
        std::unique_ptr<Node> n = std::move(pending.back());
        pending.pop_back();
        if (n->firstChild) pending.push_back(std::move(n->firstChild));
        if (n->nextSibling) pending.push_back(std::move(n->nextSibling));
    }
}

Node* Node::child(uint8_t b) const {
    for (Node* c = firstChild.get(); c; c = c->nextSibling.get())
        if (c->value == b) return c;
    return nullptr;
}

Node* Node::addChild(uint8_t b) {
    if (Node* c = child(b)) return c;
    auto n = std::make_unique<Node>(b);
    n->nextSibling = std::move(firstChild);
    firstChild = std::move(n);
    return firstChild.get();
}

Node* Node::addByteString(const ByteString& s) {
    Node* n = this;
    for (int i = 0; i < s.length(); ++i) n = n->addChild(s.byteAt(i));
    return n;
}

Node* Node::findByteString(const ByteString& s) {
    Node* n = this;
    for (int i = 0; i < s.length() && n; ++i) n = n->child(s.byteAt(i));
    return n;
}

}  // namespace norvex::image
