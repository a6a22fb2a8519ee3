#include "util/NxVector.h"

#include <climits>
#include <map>
#include <stdexcept>

namespace norvex::util {

using host::Lock;
using host::Value;

namespace {

using SeenMap = std::map<const host::Vector*, std::shared_ptr<NxVector>>;

void appendConverted(NxVector& dst, const host::Vector& src, SeenMap& seen) {
    for (const Value& e : src.elements()) {
        auto inner = e.as<host::Vector>();
        if (!inner) {
            dst.addElement(e);
            continue;
        }
        auto it = seen.find(inner.get());
        if (it != seen.end()) {
            dst.addElement(it->second);
            continue;
        }
        auto copy = host::create<NxVector>();
        seen[inner.get()] = copy;
        appendConverted(*copy, *inner, seen);
        dst.addElement(copy);
    }
}

}  // namespace

NxVector::NxVector() : host::Vector(1, 10) {}

NxVector::NxVector(int initialCapacity) : host::Vector(initialCapacity, 10) {}

NxVector::NxVector(const std::shared_ptr<host::Vector>& v) : NxVector() {
    if (!v) return;
    SeenMap seen;
    appendConverted(*this, *v, seen);
}

NxVector::NxVector(const std::vector<Value>& array) : NxVector() { copyFrom(array); }

void NxVector::add(const Value& o) {
    Lock lock(mutex());
    if (!contains(o)) addElement(o);
}

bool NxVector::equals(const std::shared_ptr<NxVector>& v) const { return v && host::Vector::equals(*v); }

void NxVector::removeElementsAt(int index, int length) {
    Lock lock(mutex());
    if (index < 0 || length <= 0 || index >= elementCount) return;
    int n = std::min(length, elementCount - index);
    std::move(elementData.begin() + index + n, elementData.begin() + elementCount, elementData.begin() + index);
    for (int i = elementCount - n; i < elementCount; ++i) elementData[size_t(i)] = Value();
    elementCount -= n;
}

void NxVector::setElementAt(int index, const Value& value) {
    Lock lock(mutex());
    if (index < 0) throw std::out_of_range("Array index out of range: " + std::to_string(index));
    if (value.isNull()) {
        if (index < elementCount) elementData[size_t(index)] = Value();
        return;
    }
    if (index == INT_MAX) throw std::length_error("Vector is full");  // index + 1 elements cannot be counted
    if (index >= elementCount) setSize(index + 1);
    elementData[size_t(index)] = value;
}

void NxVector::setMinSize(int newSize) {
    Lock lock(mutex());
    if (newSize > elementCount) setSize(newSize);
}

void NxVector::strip() {
    Lock lock(mutex());
    int n = elementCount;
    while (n > 0 && elementData[size_t(n - 1)].isNull()) --n;
    setSize(n);
    trimToSize();
}

std::vector<Value> NxVector::getArrayCopy() const { return elements(); }

void NxVector::copyFrom(const std::vector<Value>& array) { setElements(array); }

Value NxVector::getFirst() const {
    Lock lock(mutex());
    return elementCount ? elementData[0] : Value();
}

Value NxVector::getLast() const {
    Lock lock(mutex());
    return elementCount ? elementData[size_t(elementCount - 1)] : Value();
}

std::shared_ptr<host::Vector> NxVector::clone() const {
    Lock lock(mutex());
    auto v = host::create<NxVector>();
    copyStateTo(*v);
    return v;
}

}  // namespace norvex::util
