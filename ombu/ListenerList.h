// A thread-safe list of listeners that it does not own: each listener at most once,
// null refused, and a snapshot to call them on without holding the list's lock.
#pragma once

#include <algorithm>
#include <mutex>
#include <vector>

namespace norvex::ombu {

template <class L>
class ListenerList {
public:
    void add(L* l) {
        std::lock_guard lock(mutex_);
        if (l && std::find(list_.begin(), list_.end(), l) == list_.end()) list_.push_back(l);
    }
    void remove(L* l) {
        std::lock_guard lock(mutex_);
        list_.erase(std::remove(list_.begin(), list_.end(), l), list_.end());
    }
    std::vector<L*> snapshot() const {
        std::lock_guard lock(mutex_);
        return list_;
    }

private:
    mutable std::mutex mutex_;
    std::vector<L*> list_;
};

}  // namespace norvex::ombu
