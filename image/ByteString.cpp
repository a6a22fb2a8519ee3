#include "image/ByteString.h"

#include <algorithm>
#include <stdexcept>

namespace norvex::image {

ByteString::ByteString() : contents(kGrowth) {}

ByteString::ByteString(uint8_t b) : contents(kGrowth) { append(b); }

ByteString::ByteString(const uint8_t* bytes, std::size_t n) {
    if (!bytes) {
        hasStorage = false;
        return;
    }
    contents.assign(bytes, bytes + n);
    size = n;
}

ByteString::ByteString(const std::vector<uint8_t>& bytes) : contents(bytes), size(bytes.size()) {}

ByteString::ByteString(const ByteString& other)
    : contents(other.contents.begin(), other.contents.begin() + std::ptrdiff_t(other.size)),
      size(other.size),
      hasStorage(other.hasStorage) {}

ByteString& ByteString::operator=(const ByteString& other) {
    if (this != &other) {
        contents.assign(other.contents.begin(), other.contents.begin() + std::ptrdiff_t(other.size));
        size = other.size;
        hasStorage = other.hasStorage;
    }
    return *this;
}

bool ByteString::equals(const ByteString& other) const {
    return size == other.size && std::equal(data(), data() + size, other.data());
}

bool ByteString::equals(const std::vector<uint8_t>& bytes) const {
    return size == bytes.size() && std::equal(data(), data() + size, bytes.data());
}

void ByteString::append(uint8_t b) {
    if (size == contents.size()) contents.resize(contents.size() + kGrowth);
    contents[size++] = b;
    hasStorage = true;
}

uint8_t ByteString::byteAt(int index) const {
    if (index < 0 || std::size_t(index) >= size)
        throw std::out_of_range("index " + std::to_string(index) + " out of bounds");
    return contents[std::size_t(index)];
}

uint8_t ByteString::suffix() const { return byteAt(int(size) - 1); }

std::string ByteString::toString() const {
    if (!hasStorage) return "(null)";
    static const char hex[] = "0123456789abcdef";
    std::string s;
    s.reserve(size * 2);
    for (std::size_t i = 0; i < size; ++i) {
        s += hex[contents[i] >> 4];
        s += hex[contents[i] & 15];
    }
    return s;
}

}  // namespace norvex::image
