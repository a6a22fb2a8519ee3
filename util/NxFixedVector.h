// A bounded most-recent-first list: holds at most the number of elements given
// at construction, newest first.
#pragma once

#include <memory>

#include "host/runtime/Vector.h"

namespace norvex::util {

class NxFixedVector : public host::Vector {
    HOST_OBJECT(NxFixedVector, "norvex.util.NxFixedVector", host::Vector)
public:
    // An empty list of at most sz elements; a negative sz raises std::invalid_argument.
    explicit NxFixedVector(int sz);

    // Inserts obj at position 0, first dropping the last element when the list is
    // full. A list of size 0 stays empty.
    void addAtTop(const host::Value& obj);

    // The bound given at construction. It is kept apart from the capacity so that
    // trimToSize or a plain addElement cannot change it.
    int getMaxSize() const { return maxSize; }

    std::shared_ptr<host::Vector> clone() const override;

private:
    int maxSize;
};

using NxFixedVectorPtr = std::shared_ptr<NxFixedVector>;

}  // namespace norvex::util
