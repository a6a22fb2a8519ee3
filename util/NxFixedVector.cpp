#include "util/NxFixedVector.h"

namespace norvex::util {

using host::Lock;

NxFixedVector::NxFixedVector(int sz) : host::Vector(sz), maxSize(sz) {}

void NxFixedVector::addAtTop(const host::Value& obj) {
    Lock lock(mutex());
    if (maxSize == 0) return;
    while (elementCount >= maxSize) removeElementAt(elementCount - 1);
    insertElementAt(obj, 0);
}

std::shared_ptr<host::Vector> NxFixedVector::clone() const {
    Lock lock(mutex());
    auto v = host::create<NxFixedVector>(maxSize);
    copyStateTo(*v);
    return v;
}

}  // namespace norvex::util
