#include "host/base/Font.h"

#include <functional>

namespace host {

std::size_t Font::hashCode() const {
    return std::hash<std::string>{}(name_) ^ (std::size_t(style_) << 8) ^ (std::size_t(size_) << 16);
}

std::string Font::toString() const {
    const char* st = style_ == (BOLD | ITALIC) ? "bolditalic" : style_ == BOLD ? "bold" : style_ == ITALIC ? "italic" : "plain";
    return "Font[name=" + name_ + ",style=" + st + ",size=" + std::to_string(size_) + "]";
}

}  // namespace host
