// A trie of byte strings: each node stands for the string of the bytes on the
// path from the root, and holds that string's LZW code (-1 when it has none).
#pragma once

#include <cstdint>
#include <memory>

#include "image/ByteString.h"

namespace norvex::image {

class Node {
public:
    Node() = default;
    explicit Node(uint8_t v) : value(v) {}
    Node(const Node&) = delete;
    Node& operator=(const Node&) = delete;
    ~Node();  // frees the subtree without deep recursion

    // The node for s, created along the way (new nodes have code -1).
    Node* addByteString(const ByteString& s);
    // The node for s, or null.
    Node* findByteString(const ByteString& s);

    // The child on the edge labelled b, or null.
    Node* child(uint8_t b) const;
    // The child on the edge labelled b, created when missing.
    Node* addChild(uint8_t b);

    std::unique_ptr<Node> firstChild;
    std::unique_ptr<Node> nextSibling;
    uint8_t value = 0;  // the byte on the edge into this node; unused at the root
    int32_t code = -1;
};

}  // namespace norvex::image
