// Splits a text at a delimiter, honouring backslash escapes, or at white space.
#pragma once

#include <string>
#include <vector>

#include "util/TextUtil.h"

namespace norvex::util {

class NxStringTokenizer {
public:
    // A null text gives no tokens; the text is trimmed.
    explicit NxStringTokenizer(const OptString& s);
    explicit NxStringTokenizer(const char* s) : NxStringTokenizer(s ? OptString(s) : OptString()) {}

    // The characters from the position up to the next unescaped delim; the position
    // moves past the delimiter (or to the end). A backslash escapes the next character:
    // with strip_esc, backslash-n is a newline and backslash-c is c; without it both
    // characters stay. An empty token, or the end of the text, gives null. Not trimmed.
    OptString nextToken(char delim);
    // Skips white space and returns the next run of non-white characters (null at the end).
    OptString nextToken();
    // How many nextToken(delim) calls remain before the end, empty tokens included.
    int countTokens(char delim);
    bool hasMoreTokens() const { return index < length; }
    int getPosition() const { return index; }

    bool getStripEsc() const { return strip_esc; }
    void setStripEsc(bool b) { strip_esc = b; }

    // One entry per counted token (null for empty ones).
    static std::vector<OptString> parse(const OptString& s, char delim);

    // Public so that callers can switch escape handling off, as the cell splitter does.
    bool strip_esc = true;

private:
    // Scans one token from index; builds it into token unless counting.
    void scan(char delim);

    int index = 0;
    bool is_null = false;
    std::string string;
    int length = 0;
    bool counting = false;
    std::string token;
};

}  // namespace norvex::util
