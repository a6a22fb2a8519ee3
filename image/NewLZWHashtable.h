// The string table of the GIF encoder's variable-width LZW: codes for byte
// strings kept in a trie, with the clear and end-of-information codes and the
// current code width.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "image/ByteString.h"
#include "image/Node.h"

namespace norvex::image {

class NewLZWHashtable {
public:
    // initialCodeSize is the LZW minimum code size (2..8); maxCodeSize at most 12.
    NewLZWHashtable(int initialCodeSize, int maxCodeSize);

    // The code of s, or -1. An empty s raises std::invalid_argument "Empty ByteString not allowed".
    int getCodeForString(const ByteString& s) const;
    // True when every code up to 2^maxCodeSize - 1 is given out.
    bool isFull() const { return maxCode < nextAvailableCode; }
    // Gives s the next code unless it has one; an empty s is ignored.
    void addString(const ByteString& s);
    // Back to the one-byte strings, the clear and end-of-information codes.
    void clear();
    // The number of codes given out, the clear and end-of-information codes included.
    int numEntries() const { return nextAvailableCode; }

    // Walking the trie directly: the root, the node of a one-byte string, and the
    // code for the string of parent followed by b (the same bookkeeping as addString).
    Node* getRoot() const { return root.get(); }
    Node* singleByte(uint8_t b) const { return singles[b]; }
    // The child of parent on the edge labelled b, or null; one hash probe for the
    // strings that addChild made.
    Node* findChild(Node* parent, uint8_t b) const;
    // The same by codes, for the encoder's inner loop: the code of the string of
    // parentCode followed by b, or -1; and the node that holds a code.
    int findChildCode(int parentCode, uint8_t b) const;
    Node* nodeForCode(int code) const { return code >= 0 && code <= maxCode ? codeNodes[size_t(code)] : nullptr; }
    void addChild(Node* parent, uint8_t b);
    // Counts one code as given out without a string. A decoder adds a table entry
    // for every code it reads after the first, so the last data code and the
    // end-of-information code, which add nothing here, must still move the code
    // width on as a decoder will; otherwise a stream whose end falls on a width
    // boundary gets its final codes one bit too narrow.
    void countCodeWithoutString();

    int getCurrentCodeSize() const { return currentCodeSize; }
    int getClearCode() const { return clearCode; }
    int getEndOfInformationCode() const { return endOfInformationCode; }

private:
    void assignCode(Node* n);

    int maxCode;
    int maxCodeSize;
    int nextAvailableCode = 0;
    int initialCodeSize;
    int currentCodeSize = 0;
    int endOfInformationCode = 0;
    int clearCode = 0;
    std::unique_ptr<Node> root;
    std::array<Node*, 256> singles{};  // root's children by byte, for one-step lookup
    // Children made by addChild, by (parent code, byte): each slot packs the key
    // (parent code << 8 | byte) and the child's code as key << 12 | code, so a probe
    // reads one word; kFree marks an empty slot (no child code can be 4095 under 4095).
    static constexpr int kHashBits = 13;  // twice the 4096 codes
    static constexpr uint32_t kFree = 0xffffffffu;
    std::array<uint32_t, 1 << kHashBits> hashSlots{};
    std::array<Node*, 4096> codeNodes{};  // the node of every code given out
};

}  // namespace norvex::image
