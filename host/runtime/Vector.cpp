#include "host/runtime/Vector.h"

#include <algorithm>
#include <climits>
#include <stdexcept>

namespace host {

namespace {

std::out_of_range indexError(int index, int count) {
    return std::out_of_range("Array index out of range: " + std::to_string(index) + " >= " +
                             std::to_string(count));
}

}  // namespace

Vector::Vector() : Vector(10, 0) {}

Vector::Vector(int initialCapacity, int increment) : capacityIncrement(increment) {
    if (initialCapacity < 0) throw std::invalid_argument("Illegal Capacity: " + std::to_string(initialCapacity));
    elementData.resize(size_t(initialCapacity));
}

int Vector::size() const {
    Lock lock(mutex());
    return elementCount;
}

bool Vector::isEmpty() const {
    Lock lock(mutex());
    return elementCount == 0;
}

int Vector::capacity() const {
    Lock lock(mutex());
    return int(elementData.size());
}

void Vector::ensureCapacityHelper(int minCapacity) {
    int64_t old = int64_t(elementData.size());
    if (minCapacity <= old) return;
    int64_t grown = capacityIncrement > 0 ? old + capacityIncrement : old * 2;
    int64_t cap = std::min<int64_t>(std::max<int64_t>(grown, minCapacity), INT_MAX);
    elementData.resize(size_t(cap));
}

void Vector::ensureCapacity(int minCapacity) {
    Lock lock(mutex());
    ensureCapacityHelper(minCapacity);
}

void Vector::trimToSize() {
    Lock lock(mutex());
    elementData.resize(size_t(elementCount));
    elementData.shrink_to_fit();
}

void Vector::setSize(int newSize) {
    Lock lock(mutex());
    if (newSize < 0) throw indexError(newSize, elementCount);
    if (newSize > elementCount) {
        ensureCapacityHelper(newSize);
    } else {
        for (int i = newSize; i < elementCount; ++i) elementData[size_t(i)] = Value();
    }
    elementCount = newSize;
}

Value Vector::elementAt(int index) const {
    Lock lock(mutex());
    if (index < 0 || index >= elementCount) throw indexError(index, elementCount);
    return elementData[size_t(index)];
}

Value Vector::firstElement() const {
    Lock lock(mutex());
    if (elementCount == 0) throw std::out_of_range("Vector is empty");
    return elementData[0];
}

Value Vector::lastElement() const {
    Lock lock(mutex());
    if (elementCount == 0) throw std::out_of_range("Vector is empty");
    return elementData[size_t(elementCount - 1)];
}

void Vector::addElement(const Value& obj) {
    Lock lock(mutex());
    if (elementCount == INT_MAX) throw std::length_error("Vector is full");
    ensureCapacityHelper(elementCount + 1);
    elementData[size_t(elementCount++)] = obj;
}

void Vector::insertElementAt(const Value& obj, int index) {
    Lock lock(mutex());
    if (index < 0 || index > elementCount) throw indexError(index, elementCount);
    if (elementCount == INT_MAX) throw std::length_error("Vector is full");
    ensureCapacityHelper(elementCount + 1);
    auto first = elementData.begin() + index;
    std::move_backward(first, elementData.begin() + elementCount, elementData.begin() + elementCount + 1);
    *first = obj;
    ++elementCount;
}

void Vector::removeElementAt(int index) {
    Lock lock(mutex());
    if (index < 0 || index >= elementCount) throw indexError(index, elementCount);
    std::move(elementData.begin() + index + 1, elementData.begin() + elementCount, elementData.begin() + index);
    elementData[size_t(--elementCount)] = Value();
}

bool Vector::removeElement(const Value& obj) {
    Lock lock(mutex());
    int i = indexOf(obj, 0);
    if (i < 0) return false;
    removeElementAt(i);
    return true;
}

void Vector::removeAllElements() {
    Lock lock(mutex());
    for (int i = 0; i < elementCount; ++i) elementData[size_t(i)] = Value();
    elementCount = 0;
}

void Vector::setElementAt(const Value& obj, int index) {
    Lock lock(mutex());
    if (index < 0 || index >= elementCount) throw indexError(index, elementCount);
    elementData[size_t(index)] = obj;
}

bool Vector::contains(const Value& elem) const { return indexOf(elem, 0) >= 0; }

int Vector::indexOf(const Value& elem, int index) const {
    Lock lock(mutex());
    if (index < 0) throw indexError(index, elementCount);
    for (int i = index; i < elementCount; ++i)
        if (elementData[size_t(i)].equals(elem)) return i;
    return -1;
}

int Vector::lastIndexOf(const Value& elem) const {
    Lock lock(mutex());
    return lastIndexOf(elem, elementCount - 1);
}

int Vector::lastIndexOf(const Value& elem, int index) const {
    Lock lock(mutex());
    if (index >= elementCount) throw indexError(index, elementCount);
    for (int i = index; i >= 0; --i)
        if (elementData[size_t(i)].equals(elem)) return i;
    return -1;
}

void Vector::copyInto(std::vector<Value>& out) const {
    Lock lock(mutex());
    if (out.size() < size_t(elementCount)) out.resize(size_t(elementCount));
    std::copy(elementData.begin(), elementData.begin() + elementCount, out.begin());
}

std::vector<Value> Vector::elements() const {
    Lock lock(mutex());
    return std::vector<Value>(elementData.begin(), elementData.begin() + elementCount);
}

void Vector::setElements(std::vector<Value> elems) {
    Lock lock(mutex());
    if (elems.size() > size_t(INT_MAX)) throw std::length_error("Vector is full");
    int n = int(elems.size());
    size_t cap = std::max(elementData.size(), elems.size());
    elementData = std::move(elems);
    elementData.resize(cap);
    elementCount = n;
}

std::string Vector::toString() const {
    Lock lock(mutex());
    std::string s = "[";
    for (int i = 0; i < elementCount; ++i) {
        if (i) s += ", ";
        const Value& e = elementData[size_t(i)];
        if (e.isObject() && e.asObject().get() == this)
            s += "(this Collection)";
        else
            s += e.toString();
    }
    return s + "]";
}

bool Vector::equals(const Object& other) const {
    if (&other == this) return true;
    auto* o = dynamic_cast<const Vector*>(&other);
    if (!o) return false;
    // Snapshot the other vector first so that the two locks are never held together.
    std::vector<Value> theirs = o->elements();
    Lock lock(mutex());
    if (size_t(elementCount) != theirs.size()) return false;
    for (int i = 0; i < elementCount; ++i)
        if (!elementData[size_t(i)].equals(theirs[size_t(i)])) return false;
    return true;
}

std::size_t Vector::hashCode() const {
    Lock lock(mutex());
    std::size_t h = 1;
    for (int i = 0; i < elementCount; ++i) {
        const Value& e = elementData[size_t(i)];
        std::size_t eh = (e.isObject() && e.asObject().get() == this) ? 0 : e.hashCode();
        h = 31 * h + eh;
    }
    return h;
}

void Vector::copyStateTo(Vector& to) const {
    to.elementData = elementData;
    to.elementCount = elementCount;
    to.capacityIncrement = capacityIncrement;
}

std::shared_ptr<Vector> Vector::clone() const {
    Lock lock(mutex());
    auto v = create<Vector>();
    copyStateTo(*v);
    return v;
}

}  // namespace host
