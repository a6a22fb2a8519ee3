#include "util/NxStringTokenizer.h"

namespace norvex::util {

NxStringTokenizer::NxStringTokenizer(const OptString& s) {
    if (!s) {
        is_null = true;
        return;
    }
    string = text::trimmed(*s);
    length = int(string.size());
}

void NxStringTokenizer::scan(char delim) {
    token.clear();
    while (index < length) {
        char c = string[std::size_t(index)];
        if (c == '\\' && index + 1 < length) {
            char next = string[std::size_t(index) + 1];
            if (!counting) {
                if (strip_esc) {
                    token += next == 'n' ? '\n' : next;
                } else {
                    token += c;
                    token += next;
                }
            }
            index += 2;
            continue;
        }
        ++index;
        if (c == delim) return;
        if (!counting) token += c;
    }
}

OptString NxStringTokenizer::nextToken(char delim) {
    if (is_null || index >= length) return std::nullopt;
    scan(delim);
    if (token.empty()) return std::nullopt;
    return token;
}

OptString NxStringTokenizer::nextToken() {
    if (is_null) return std::nullopt;
    while (index < length && text::isWhite(string[std::size_t(index)])) ++index;
    if (index >= length) return std::nullopt;
    int start = index;
    while (index < length && !text::isWhite(string[std::size_t(index)])) ++index;
    return string.substr(std::size_t(start), std::size_t(index - start));
}

int NxStringTokenizer::countTokens(char delim) {
    if (is_null) return 0;
    int saved = index;
    counting = true;
    int count = 0;
    while (index < length) {
        scan(delim);
        ++count;
    }
    counting = false;
    index = saved;
    return count;
}

std::vector<OptString> NxStringTokenizer::parse(const OptString& s, char delim) {
    NxStringTokenizer tok(s);
    int n = tok.countTokens(delim);
    std::vector<OptString> out;
    out.reserve(std::size_t(n));
    for (int i = 0; i < n; ++i) out.push_back(tok.nextToken(delim));
    return out;
}

}  // namespace norvex::util
