// Singly linked lists of rectangles, the working lists of the free-space search.
#pragma once

#include <memory>

#include "host/base/Geometry.h"
#include "host/runtime/Object.h"

namespace norvex::util {

class NxRectNode : public host::Object {
    HOST_OBJECT(NxRectNode, "norvex.util.NxRectNode", host::Object)
public:
    NxRectNode() = default;
    explicit NxRectNode(const host::Rectangle& r) : rect(r) {}
    // Unlinks the rest of the chain one node at a time, so long lists cannot
    // exhaust the stack.
    ~NxRectNode() override;

    host::Rectangle rect;
    std::shared_ptr<NxRectNode> next;
};

using NxRectNodePtr = std::shared_ptr<NxRectNode>;

class NxRectList : public host::Object {
    HOST_OBJECT(NxRectList, "norvex.util.NxRectList", host::Object)
public:
    NxRectList() = default;

    bool isEmpty() const { return head == nullptr; }
    int size() const;
    void clear() {
        head = nullptr;
        tail = nullptr;
    }

    NxRectNodePtr head;
    NxRectNode* tail = nullptr;  // the last node of the chain owned through head
};

using NxRectListPtr = std::shared_ptr<NxRectList>;

}  // namespace norvex::util
