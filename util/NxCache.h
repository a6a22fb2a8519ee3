// A small hashed cache: each bin keeps its most recent keys and items, newest
// first, in two parallel bounded lists; the oldest pair of a full bin falls out.
// Holds no locks: callers that share a cache across threads synchronise themselves.
#pragma once

#include <string>
#include <vector>

#include "host/runtime/Object.h"
#include "util/NxFixedVector.h"

namespace norvex::util {

class NxCache : public host::Object {
    HOST_OBJECT(NxCache, "norvex.util.NxCache", host::Object)
public:
    // bins < 1 raises std::invalid_argument "Invalid bins value in NxCache";
    // a negative binsize "Invalid binsize value in NxCache".
    NxCache(int bins, int binsize);

    // The key's 32-bit hash code modulo the number of bins, always in 0 .. bins-1
    // (a negative hash code counts from the top: -1 goes to the last bin).
    int bucketIndex(const host::Value& key) const;

    // Replaces the item of an equal key in place, else adds key and item at the top
    // of their bin.
    void addToCache(const host::Value& key, const host::Value& item);
    // The item stored for an equal key, or null. Does not change the order.
    host::Value getFromCache(const host::Value& key) const;

    // "Cache:\n", then each bin ("Bin: 1" ...) with its elements ("Element: key = item").
    std::string toString() const override;

protected:
    std::vector<NxFixedVectorPtr> buckets;  // the cached items, per bin
    std::vector<NxFixedVectorPtr> keys;     // their keys: keys[b][j] belongs to buckets[b][j]
};

}  // namespace norvex::util
