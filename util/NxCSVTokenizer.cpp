#include "util/NxCSVTokenizer.h"

namespace norvex::util {

NxCSVTokenizer::NxCSVTokenizer(const OptString& s) {
    if (!s) {
        is_null = true;
        return;
    }
    string = text::trimmed(*s);
    length = int(string.size());
}

void NxCSVTokenizer::scan() {
    token.clear();
    bool quoted = false;
    if (index < length && string[std::size_t(index)] == '"') {
        quoted = true;
        ++index;
    }
    while (index < length) {
        char c = string[std::size_t(index)];
        if (c == '"') {
            if (index + 1 < length && string[std::size_t(index) + 1] == '"') {
                if (!counting) token += '"';
                index += 2;
                continue;
            }
            ++index;
            if (quoted) {
                quoted = false;
                continue;
            }
            // A lone quote outside a quoted section is kept as it is.
            if (!counting) token += c;
            continue;
        }
        ++index;
        if (c == ',' && !quoted) return;
        if (!counting) token += c;
    }
}

OptString NxCSVTokenizer::nextToken() {
    if (is_null || index >= length) return std::nullopt;
    scan();
    if (token.empty()) return std::nullopt;
    return token;
}

int NxCSVTokenizer::countTokens() {
    if (is_null) return 0;
    int saved = index;
    counting = true;
    int count = 0;
    while (index < length) {
        scan();
        ++count;
    }
    counting = false;
    index = saved;
    return count;
}

}  // namespace norvex::util
