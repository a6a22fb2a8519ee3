// The string table of the GIF encoder's variable-width LZW: codes for byte
// strings kept in a trie, with the clear and end-of-information codes and the
// current code width. (The encoder's inner loop uses a lighter table keyed by
// codes, which gives out the same codes at the same widths.)
#pragma once

#include <cstdint>
#include <memory>

#include "image/ByteString.h"
#include "image/Node.h"

namespace norvex::image {

class NewLZWHashtable {
public:
    // initialCodeSize is the LZW minimum code size (1..8); maxCodeSize above it, at most 12.
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

    int getCurrentCodeSize() const { return currentCodeSize; }
    int getClearCode() const { return clearCode; }
    int getEndOfInformationCode() const { return endOfInformationCode; }

private:
    int maxCode;
    int maxCodeSize;
    int nextAvailableCode = 0;
    int initialCodeSize;
    int currentCodeSize = 0;
    int endOfInformationCode = 0;
    int clearCode = 0;
    std::unique_ptr<Node> root;
};

}  // namespace norvex::image
