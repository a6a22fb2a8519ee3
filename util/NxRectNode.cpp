#include "util/NxRectNode.h"

namespace norvex::util {

NxRectNode::~NxRectNode() {
    std::shared_ptr<NxRectNode> n = std::move(next);
    while (n && n.use_count() == 1) n = std::move(n->next);
}

int NxRectList::size() const {
    int count = 0;
    for (NxRectNode* n = head.get(); n; n = n->next.get()) ++count;
    return count;
}

}  // namespace norvex::util
