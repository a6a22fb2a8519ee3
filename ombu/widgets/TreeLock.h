// The component tree's lock, then a container's own lock. Layout runs under the tree
// lock (validation takes it first), and repainting or reshaping a container takes the
// tree lock inside the container's lock; a container that lays out under its own lock
// therefore takes both, always in this order.
#pragma once

#include <mutex>

#include "host/ui/Component.h"

namespace norvex::ombu {

class TreeLock {
public:
    explicit TreeLock(const host::Component& c) : tree_(host::Component::getTreeLock()), own_(c.mutex()) {}

private:
    std::lock_guard<std::recursive_mutex> tree_;
    std::lock_guard<std::recursive_mutex> own_;
};

}  // namespace norvex::ombu
