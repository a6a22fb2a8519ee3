// A pluggable comparison for Nxqsort.
#pragma once

#include "host/runtime/Value.h"

namespace norvex::util {

class NxSortInterface {
public:
    virtual ~NxSortInterface() = default;
    // True when a belongs after b in ascending order. Neither is null when Nxqsort calls it.
    virtual bool compare(const host::Value& a, const host::Value& b) = 0;
};

}  // namespace norvex::util
