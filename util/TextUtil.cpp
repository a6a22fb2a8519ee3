#include "util/TextUtil.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace norvex::util::text {

namespace {
char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

template <class T>
std::optional<T> parseIntegral(std::string_view s) {
    if (s.empty()) return std::nullopt;
    bool negative = false;
    std::size_t i = 0;
    if (s[0] == '+' || s[0] == '-') {
        negative = s[0] == '-';
        i = 1;
    }
    if (i == s.size()) return std::nullopt;
    // Accumulate as a negative number so that the minimum value is representable.
    T value = 0;
    for (; i < s.size(); ++i) {
        char c = s[i];
        if (c < '0' || c > '9') return std::nullopt;
        int d = c - '0';
        if (value < (std::numeric_limits<T>::min() + d) / 10) return std::nullopt;
        value = T(value * 10 - d);
    }
    if (!negative) {
        if (value == std::numeric_limits<T>::min()) return std::nullopt;
        value = T(-value);
    }
    return value;
}
}  // namespace

bool isWhite(char c) { return (c >= 9 && c <= 13) || (c >= 28 && c <= 32); }

std::string_view trim(std::string_view s) {
    std::size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
    return s.substr(b, e - b);
}

std::string trimmed(std::string_view s) { return std::string(trim(s)); }

std::string toLower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = lowerAscii(c);
    return out;
}

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lowerAscii(a[i]) != lowerAscii(b[i])) return false;
    return true;
}

bool startsWithIgnoreCase(std::string_view s, std::string_view prefix) {
    return s.size() >= prefix.size() && equalsIgnoreCase(s.substr(0, prefix.size()), prefix);
}

std::size_t findIgnoreCase(std::string_view s, std::string_view needle, std::size_t start) {
    if (needle.size() > s.size()) return std::string_view::npos;
    for (std::size_t i = start; i + needle.size() <= s.size(); ++i)
        if (equalsIgnoreCase(s.substr(i, needle.size()), needle)) return i;
    return std::string_view::npos;
}

std::optional<int32_t> parseInt(std::string_view s) { return parseIntegral<int32_t>(s); }
std::optional<int64_t> parseLong(std::string_view s) { return parseIntegral<int64_t>(s); }

std::optional<double> parseDouble(std::string_view s) {
    s = trim(s);
    if (!s.empty() && (s.back() == 'd' || s.back() == 'D' || s.back() == 'f' || s.back() == 'F'))
        s.remove_suffix(1);
    if (s.empty()) return std::nullopt;
    bool negative = false;
    std::string_view body = s;
    if (body[0] == '+' || body[0] == '-') {
        negative = body[0] == '-';
        body.remove_prefix(1);
    }
    if (body == "NaN") return std::numeric_limits<double>::quiet_NaN();
    if (body == "Infinity")
        return negative ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
    // Only digits, one point and an exponent; from_chars would also take "inf" and "nan".
    bool digit = false;
    for (char c : body) {
        if (c >= '0' && c <= '9') digit = true;
        else if (c != '.' && c != 'e' && c != 'E' && c != '+' && c != '-') return std::nullopt;
    }
    if (!digit || body[0] == '+' || body[0] == '-') return std::nullopt;
    double value = 0;
    auto [ptr, ec] = std::from_chars(body.data(), body.data() + body.size(), value, std::chars_format::general);
    if (ptr != body.data() + body.size()) return std::nullopt;
    if (ec == std::errc::result_out_of_range) {
        // Overflow gives infinity and underflow zero, as the classic parser does.
        bool big = false;
        auto epos = body.find_first_of("eE");
        if (epos != std::string_view::npos) big = body.size() > epos + 1 && body[epos + 1] != '-';
        else big = body.substr(0, body.find('.')).find_first_not_of('0') != std::string_view::npos;
        value = big ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (ec != std::errc()) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

}  // namespace norvex::util::text
