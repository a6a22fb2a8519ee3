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
    singles.fill(nullptr);
    hashSlots.fill(kFree);
    int n = 1 << initialCodeSize;
    for (int b = 0; b < n && b < 256; ++b) {
        Node* c = root->addChild(uint8_t(b));
        c->code = b;
        singles[size_t(b)] = c;
        codeNodes[size_t(b)] = c;
    }
    clearCode = n;
    endOfInformationCode = clearCode + 1;
    nextAvailableCode = clearCode + 2;
}

int NewLZWHashtable::getCodeForString(const ByteString& s) const {
    if (s.isEmpty()) throw std::invalid_argument("Empty ByteString not allowed");
    Node* n = root->findByteString(s);
    return n ? n->code : -1;
}

void NewLZWHashtable::assignCode(Node* n) {
    if (n->code != -1) return;
    n->code = nextAvailableCode;
    if (n->code <= maxCode) codeNodes[size_t(n->code)] = n;
    // Widen when this code needs the next width. Adding precedes the emission of
    // the prefix's code, so this widens at the same point in the code stream as an
    // emit-then-add encoder that widens when its next code reaches 2^size.
    if ((1 << currentCodeSize) + 1 <= n->code && currentCodeSize < maxCodeSize) ++currentCodeSize;
    ++nextAvailableCode;
}

void NewLZWHashtable::addString(const ByteString& s) {
    if (s.isEmpty()) return;
    assignCode(root->addByteString(s));
}

void NewLZWHashtable::countCodeWithoutString() {
    if (isFull()) return;
    int code = nextAvailableCode++;
    if ((1 << currentCodeSize) + 1 <= code && currentCodeSize < maxCodeSize) ++currentCodeSize;
}

namespace {

inline uint32_t slotOf(uint32_t key, int bits) { return (key * 2654435761u) >> (32 - bits); }

}  // namespace

int NewLZWHashtable::findChildCode(int parentCode, uint8_t b) const {
    const uint32_t key = (uint32_t(parentCode) << 8) | b;
    const uint32_t mask = (1u << kHashBits) - 1;
    for (uint32_t i = slotOf(key, kHashBits);; i = (i + 1) & mask) {
        uint32_t slot = hashSlots[i];
        if (slot == kFree) break;
        if ((slot >> 12) == key) return int(slot & 0xfff);
    }
    // Strings made through addString are only in the trie.
    Node* parent = nodeForCode(parentCode);
    Node* c = parent ? parent->child(b) : nullptr;
    return c ? c->code : -1;
}

Node* NewLZWHashtable::findChild(Node* parent, uint8_t b) const {
    if (parent == root.get()) return singles[b];
    if (parent->code >= 0) {
        int code = findChildCode(parent->code, b);
        if (code >= 0) return nodeForCode(code);
    }
    return parent->child(b);
}

void NewLZWHashtable::addChild(Node* parent, uint8_t b) {
    Node* n = parent->addChild(b);
    assignCode(n);
    if (parent == root.get() || parent->code < 0 || n->code < 0 || n->code > maxCode) return;
    const uint32_t key = (uint32_t(parent->code) << 8) | b;
    const uint32_t mask = (1u << kHashBits) - 1;
    for (uint32_t i = slotOf(key, kHashBits);; i = (i + 1) & mask) {
        if (hashSlots[i] == kFree) {
            hashSlots[i] = (key << 12) | uint32_t(n->code);
            return;
        }
        if ((hashSlots[i] >> 12) == key) return;
    }
}

}  // namespace norvex::image
