// Orders rectangle-list nodes for Nxqsort: by x (left to right) or by y (top to bottom).
#pragma once

#include "util/NxRectNode.h"
#include "util/NxSortInterface.h"

namespace norvex::util {

class NxRectSortLR : public NxSortInterface {
public:
    bool compare(const host::Value& a, const host::Value& b) override;
};

class NxRectSortTB : public NxSortInterface {
public:
    bool compare(const host::Value& a, const host::Value& b) override;
};

}  // namespace norvex::util
