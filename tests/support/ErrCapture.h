// Captures what std::cerr receives while alive: one-line messages are part of what
// components promise.
#pragma once

#include <iostream>
#include <sstream>
#include <string>

namespace testsupport {

struct ErrCapture {
    std::ostringstream out;
    std::streambuf* old = std::cerr.rdbuf(out.rdbuf());
    ~ErrCapture() { std::cerr.rdbuf(old); }
    std::string text() const { return out.str(); }
};

}  // namespace testsupport
