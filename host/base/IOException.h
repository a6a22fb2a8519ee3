// The error raised by every failed read or write of a file, a URL or a page.
#pragma once

#include <stdexcept>
#include <string>

namespace host {

class IOException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace host
