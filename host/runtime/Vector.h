// The runtime's synchronised growable array of values (the base of NxVector and
// every list of the system). Elements are host::Value; null elements are allowed.
// Every operation holds the object's reentrant lock for its whole run.
//
// Iteration: elements() returns a snapshot, so
//     for (const host::Value& e : v.elements()) ...
// is safe while other threads change the vector. Index access (size() and
// elementAt(i)) sees the live contents; hold v.mutex() around such a loop when
// other threads may change the vector meanwhile.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/runtime/Object.h"
#include "host/runtime/Value.h"

namespace host {

class Vector : public Object {
    HOST_OBJECT(Vector, "host.Vector", Object)
public:
    // Initial capacity 10; the capacity doubles when it runs out.
    Vector();
    // A negative capacity raises std::invalid_argument "Illegal Capacity: " + value.
    // The capacity grows by capacityIncrement when it is > 0, else it doubles.
    explicit Vector(int initialCapacity, int capacityIncrement = 0);

    int size() const;
    bool isEmpty() const;
    int capacity() const;
    void ensureCapacity(int minCapacity);
    void trimToSize();
    // Grows with null slots or truncates; a negative size raises std::out_of_range.
    void setSize(int newSize);

    // std::out_of_range when index is outside 0 .. size()-1.
    Value elementAt(int index) const;
    // std::out_of_range when the vector is empty.
    Value firstElement() const;
    Value lastElement() const;

    void addElement(const Value& obj);
    // index may be size() (append); std::out_of_range otherwise.
    void insertElementAt(const Value& obj, int index);
    void removeElementAt(int index);
    // Removes the first element equal to obj; false when there is none.
    bool removeElement(const Value& obj);
    void removeAllElements();
    // The classic argument order: value first. std::out_of_range outside the vector.
    void setElementAt(const Value& obj, int index);

    bool contains(const Value& elem) const;
    // -1 when absent. A negative start index raises std::out_of_range.
    int indexOf(const Value& elem, int index = 0) const;
    int lastIndexOf(const Value& elem) const;
    // Searches backwards from index; index >= size() raises std::out_of_range.
    int lastIndexOf(const Value& elem, int index) const;

    // Copies the elements into out, growing it to at least size() slots.
    void copyInto(std::vector<Value>& out) const;
    // A snapshot of the elements.
    std::vector<Value> elements() const;
    // Replaces the whole contents at once.
    void setElements(std::vector<Value> elems);

    // "[a, b, null]"; a vector that holds itself shows "(this Collection)" there.
    std::string toString() const override;
    // Element by element with Value equality, against any host::Vector.
    bool equals(const Object& other) const override;
    std::size_t hashCode() const override;

    // A shallow copy (the elements are shared) of the same dynamic class.
    virtual std::shared_ptr<Vector> clone() const;

protected:
    // Grows elementData to at least minCapacity slots by the growth rule. Lock held by caller.
    void ensureCapacityHelper(int minCapacity);
    // Copies this vector's fields into a freshly made clone. Lock held by caller.
    void copyStateTo(Vector& to) const;

    std::vector<Value> elementData;  // the storage; its size is the capacity
    int elementCount = 0;
    int capacityIncrement = 0;
};

using VectorPtr = std::shared_ptr<Vector>;

}  // namespace host
