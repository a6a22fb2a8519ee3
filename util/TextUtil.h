// Small text helpers shared by the tokenizers and the value grammar: the classic
// trim (every character up to the space counts as white space), ASCII letter-case
// comparison, and strict decimal number parsing.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace norvex::util {

// A string that may be absent (the system's "null" text).
using OptString = std::optional<std::string>;

namespace text {

// Removes characters <= ' ' from both ends.
std::string_view trim(std::string_view s);
std::string trimmed(std::string_view s);
std::string toLower(std::string_view s);
bool equalsIgnoreCase(std::string_view a, std::string_view b);
bool startsWithIgnoreCase(std::string_view s, std::string_view prefix);
// Position of needle in s ignoring letter case, from start; npos when absent.
std::size_t findIgnoreCase(std::string_view s, std::string_view needle, std::size_t start = 0);
// Space, tab, newline, vertical tab, form feed, carriage return, and the field separators.
bool isWhite(char c);

// An optional sign and decimal digits filling the whole text, within 32 bits.
std::optional<int32_t> parseInt(std::string_view s);
std::optional<int64_t> parseLong(std::string_view s);
// A decimal number (digits, point, exponent, "NaN", "Infinity"), surrounding white
// space allowed, an optional trailing d/D/f/F type letter.
std::optional<double> parseDouble(std::string_view s);

}  // namespace text
}  // namespace norvex::util
