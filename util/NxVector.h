// The growable array of the system: every list, listener list and row. Adds to
// the base vector add-if-absent, sparse assignment that grows the array, bulk
// removal, trailing-null stripping and conversion from plain arrays.
#pragma once

#include <memory>
#include <vector>

#include "host/runtime/Vector.h"

namespace norvex::util {

class NxVector : public host::Vector {
    HOST_OBJECT(NxVector, "norvex.util.NxVector", host::Vector)
public:
    // Empty, initial capacity 1, capacity increment 10.
    NxVector();
    // Empty, the given capacity, increment 10.
    explicit NxVector(int initialCapacity);
    // The elements of v in order; elements that are vectors become new NxVectors,
    // recursively (a vector met again inside the copy maps to the same new NxVector).
    // A null v gives an empty vector.
    explicit NxVector(const std::shared_ptr<host::Vector>& v);
    // copyFrom(array).
    explicit NxVector(const std::vector<host::Value>& array);

    // Appends o unless an equal element is already present.
    void add(const host::Value& o);

    using host::Vector::equals;
    // False for null or a different size, else element by element.
    bool equals(const std::shared_ptr<NxVector>& v) const;

    // Removes length elements from index on, stopping at the end of the vector.
    void removeElementsAt(int index, int length);

    // Index first, unlike the base operation (still reachable as Vector::setElementAt).
    // A non-null value grows the vector to index + 1 elements when needed (new slots
    // null) and stores the value; a null value clears the slot when index is inside
    // the vector and is ignored otherwise. A negative index raises std::out_of_range.
    void setElementAt(int index, const host::Value& value);

    // Grows the element count to newSize with null slots; never shrinks.
    void setMinSize(int newSize);

    // Drops trailing null elements and trims the capacity to the size.
    void strip();

    std::vector<host::Value> getArrayCopy() const;
    // Replaces the contents with the array's elements (an empty array empties the vector).
    void copyFrom(const std::vector<host::Value>& array);

    // The first or last element, null when empty.
    host::Value getFirst() const;
    host::Value getLast() const;

    std::shared_ptr<host::Vector> clone() const override;
};

using NxVectorPtr = std::shared_ptr<NxVector>;

}  // namespace norvex::util
