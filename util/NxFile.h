// Text files named relative to the embedding page: the whole text, its lines, or
// rows of cells. A file that cannot be opened prints "Error opening file '<name>'"
// on std::cerr and the read yields nothing.
#pragma once

#include <string>

#include "host/runtime/URL.h"
#include "util/NxVector.h"
#include "util/TextUtil.h"

namespace host {
class Applet;
class Component;
}  // namespace host

namespace norvex::util {

class NxFile {
public:
    NxFile() = delete;

    // A name with ':' is an absolute URL; any other resolves against the applet's
    // document base (the working directory without an applet). Throws
    // host::MalformedURLException.
    static host::URL createURL(host::Applet* applet, const std::string& file);

    // All lines joined without separators; null when the file cannot be read.
    static OptString read(host::Applet* applet, const std::string& file);
    // Every line (strings), or the lines numbered from_line..to_line (zero-based, both
    // included); null when the file cannot be read.
    static NxVectorPtr readLines(host::Applet* applet, const std::string& file);
    static NxVectorPtr readLines(host::Applet* applet, const std::string& file, int from_line, int to_line);
    // One row per line, split at delim by NxUtilConverter::toVector (rich cells when
    // convert); the page is comp's applet. Null when the file cannot be read.
    static NxVectorPtr read(host::Component* comp, const std::string& file, char delim, bool convert);
    // One row per line by the comma-separated-value rules.
    static NxVectorPtr readCSV(host::Component* comp, const std::string& file);
};

}  // namespace norvex::util
