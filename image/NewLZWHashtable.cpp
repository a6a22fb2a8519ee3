#include "image/NewLZWHashtable.h"

#include <stdexcept>

namespace norvex::image {

NewLZWHashtable::NewLZWHashtable(int initial, int maxSize)
    : maxCode(0), maxCodeSize(maxSize), initialCodeSize(initial) {
    if (initial < 1 || initial > 8 || maxSize <= initial || maxSize > 12)
        throw std::invalid_argument("Invalid code size in NewLZWHashtable");
    maxCode = (1 << maxSize) - 1;
    clear();
}

void NewLZWHashtable::clear() {
    currentCodeSize = initialCodeSize + 1;
    root = std::make_unique<Node>();
    int n = 1 << initialCodeSize;
    for (int b = 0; b < n; ++b) root->addChild(uint8_t(b))->code = b;
    clearCode = n;
    endOfInformationCode = clearCode + 1;
    nextAvailableCode = clearCode + 2;
}

int NewLZWHashtable::getCodeForString(const ByteString& s) const {
    if (s.isEmpty()) throw std::invalid_argument("Empty ByteString not allowed");
    Node* n = root->findByteString(s);
    return n ? n->code : -1;
}

void NewLZWHashtable::addString(const ByteString& s) {
    if (s.isEmpty()) return;
    Node* n = root->addByteString(s);
    if (n->code != -1) return;
    n->code = nextAvailableCode;
    // Widen when this code needs the next width. Adding precedes the emission of
    // the prefix's code, so this widens at the same point in the code stream as an
    // emit-then-add encoder that widens when its next code reaches 2^size.
    if ((1 << currentCodeSize) + 1 <= n->code && currentCodeSize < maxCodeSize) ++currentCodeSize;
    ++nextAvailableCode;
}

}  // namespace norvex::image
