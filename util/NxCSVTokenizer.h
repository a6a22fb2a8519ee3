// Splits one line of comma-separated values: a double quote opening a token starts
// a quoted section (commas inside are literal) that the next lone double quote
// closes; two double quotes in a row are one literal double quote.
#pragma once

#include <string>

#include "util/TextUtil.h"

namespace norvex::util {

class NxCSVTokenizer {
public:
    // A null text gives no tokens; the text is trimmed.
    explicit NxCSVTokenizer(const OptString& s);
    explicit NxCSVTokenizer(const char* s) : NxCSVTokenizer(s ? OptString(s) : OptString()) {}

    // The next token without its quotes, not trimmed; null for an empty token or the end.
    OptString nextToken();
    // How many nextToken calls remain before the end, empty tokens included.
    int countTokens();
    bool hasMoreTokens() const { return index < length; }
    int getPosition() const { return index; }

private:
    void scan();

    int index = 0;
    bool is_null = false;
    std::string string;
    int length = 0;
    bool counting = false;
    std::string token;
};

}  // namespace norvex::util
