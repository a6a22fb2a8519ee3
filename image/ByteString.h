// A growable byte sequence: the strings of the GIF encoder's LZW table.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace norvex::image {

class ByteString {
public:
    ByteString();                                 // empty
    explicit ByteString(uint8_t b);               // one byte
    // A copy of n bytes; a null pointer gives a string without storage (toString "(null)").
    ByteString(const uint8_t* bytes, std::size_t n);
    explicit ByteString(const std::vector<uint8_t>& bytes);
    ByteString(const ByteString& other);
    ByteString& operator=(const ByteString& other);

    ByteString clone() const { return *this; }
    void clear() { size = 0; }
    bool isEmpty() const { return size == 0; }
    bool equals(const ByteString& other) const;
    bool equals(const std::vector<uint8_t>& bytes) const;
    bool operator==(const ByteString& other) const { return equals(other); }

    void append(uint8_t b);
    // std::out_of_range "index <i> out of bounds" outside 0 .. length()-1.
    uint8_t byteAt(int index) const;
    int length() const { return int(size); }
    // The last byte; std::out_of_range when empty.
    uint8_t suffix() const;
    // Each byte as two lower-case hexadecimal digits.
    std::string toString() const;

    const uint8_t* data() const { return contents.data(); }

private:
    static constexpr std::size_t kGrowth = 5;  // initial capacity and growth step
    std::vector<uint8_t> contents;  // the storage; its size is the capacity
    std::size_t size = 0;
    bool hasStorage = true;
};

}  // namespace norvex::image
