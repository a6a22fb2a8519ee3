#include "util/NxCache.h"

#include <cstdint>
#include <stdexcept>

namespace norvex::util {

using host::Value;

NxCache::NxCache(int bins, int binsize) {
    if (bins < 1) throw std::invalid_argument("Invalid bins value in NxCache");
    if (binsize < 0) throw std::invalid_argument("Invalid binsize value in NxCache");
    for (int i = 0; i < bins; ++i) {
        buckets.push_back(host::create<NxFixedVector>(binsize));
        keys.push_back(host::create<NxFixedVector>(binsize));
    }
}

int NxCache::bucketIndex(const Value& key) const {
    int32_t h = int32_t(uint32_t(key.hashCode()));
    int32_t n = int32_t(buckets.size());
    int32_t b = h % n;
    return b < 0 ? b + n : b;
}

void NxCache::addToCache(const Value& key, const Value& item) {
    int b = bucketIndex(key);
    int j = keys[size_t(b)]->indexOf(key);
    if (j >= 0) {
        buckets[size_t(b)]->setElementAt(item, j);
        return;
    }
    keys[size_t(b)]->addAtTop(key);
    buckets[size_t(b)]->addAtTop(item);
}

Value NxCache::getFromCache(const Value& key) const {
    int b = bucketIndex(key);
    int j = keys[size_t(b)]->indexOf(key);
    return j >= 0 ? buckets[size_t(b)]->elementAt(j) : Value();
}

std::string NxCache::toString() const {
    std::string s = "Cache:\n";
    for (size_t b = 0; b < buckets.size(); ++b) {
        s += "Bin: " + std::to_string(b + 1) + "\n";
        auto k = keys[b]->elements();
        auto items = buckets[b]->elements();
        for (size_t j = 0; j < k.size() && j < items.size(); ++j)
            s += "  Element: " + k[j].toString() + " = " + items[j].toString() + "\n";
    }
    return s;
}

}  // namespace norvex::util
