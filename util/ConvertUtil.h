// Builds cell values and rows of cells from text: a cell holding an unescaped '['
// becomes a rich string, any other stays plain text.
#pragma once

#include <memory>

#include "host/runtime/Value.h"
#include "util/NxVector.h"
#include "util/TextUtil.h"

namespace host {
class Component;
}

namespace norvex::util {

class NxString;

class ConvertUtil {
public:
    ConvertUtil() = delete;

    // The rich string parsed from s (null for null).
    static std::shared_ptr<NxString> getNxString(host::Component* c, const OptString& s);
    // With convert, a token holding a '[' at position 0 or not preceded by a backslash
    // becomes a rich string; otherwise the token itself (null for null).
    static host::Value toCellValue(host::Component* c, const OptString& token, bool convert);
    // Cells split at delim with escapes kept for the rich-text parser; empty cells stay null.
    static NxVectorPtr toVector(host::Component* c, const OptString& s, char delim, bool convert);
    // The plain tokens of a comma-separated line.
    static NxVectorPtr toVectorFromCSV(host::Component* c, const OptString& s);
    // Whether toCellValue would parse the token as rich text.
    static bool needsRichText(const std::string& token);
};

}  // namespace norvex::util
