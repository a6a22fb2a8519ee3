// An HTML page that embeds a component: the first <applet> element, its size and its
// <param> tags, read from a file or URL.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "host/base/IOException.h"
#include "host/runtime/URL.h"

namespace host {

// A page that can be read but has no usable <applet> element.
class PageError : public IOException {
public:
    using IOException::IOException;
};

struct PageApplet {
    std::string code;  // class name, "norvex.chart.NxChart" (a ".class" suffix removed)
    int width = 0, height = 0;
    std::vector<std::pair<std::string, std::string>> params;  // in page order, names as written
    std::string name;
    std::string codebase;

    // The value of the first parameter with this name, ignoring case.
    std::optional<std::string> param(const std::string& paramName) const;
};

struct Page {
    URL documentBase;  // the page's own URL; relative names resolve against it
    PageApplet applet;

    // Reads a local path or an absolute URL. Throws IOException (missing file) or PageError.
    static Page read(const std::string& pathOrUrl);
    // Parses page text; base is the page's URL. Throws PageError.
    static Page parse(const std::string& html, const URL& base);
};

}  // namespace host
