#include "host/runtime/StreamTokenizer.h"

#include <charconv>
#include <cmath>

#include "host/runtime/Value.h"

namespace host {

StreamTokenizer::StreamTokenizer(std::string_view text) : text_(text) {
    wordChars('a', 'z');
    wordChars('A', 'Z');
    wordChars(160, 255);
    whitespaceChars(0, ' ');
    commentChar('/');
    quoteChar('"');
    quoteChar('\'');
    parseNumbers();
}

void StreamTokenizer::setKind(int lo, int hi, uint8_t kind, bool add) {
    if (lo < 0) lo = 0;
    if (hi > 255) hi = 255;
    for (int c = lo; c <= hi; ++c) kinds_[size_t(c)] = add ? uint8_t(kinds_[size_t(c)] | kind) : kind;
}

void StreamTokenizer::resetSyntax() { kinds_.fill(0); }
void StreamTokenizer::wordChars(int lo, int hi) { setKind(lo, hi, ALPHA, true); }
void StreamTokenizer::whitespaceChars(int lo, int hi) { setKind(lo, hi, WHITE, false); }
void StreamTokenizer::ordinaryChars(int lo, int hi) { setKind(lo, hi, 0, false); }
void StreamTokenizer::commentChar(int c) { setKind(c, c, COMMENT, false); }
void StreamTokenizer::quoteChar(int c) { setKind(c, c, QUOTE, false); }

void StreamTokenizer::parseNumbers() {
    setKind('0', '9', DIGIT, true);
    setKind('.', '.', DIGIT, true);
    setKind('-', '-', DIGIT, true);
}

void StreamTokenizer::pushBack() {
    if (ttype != TT_NOTHING) pushedBack_ = true;
}

int StreamTokenizer::nextToken() {
    if (pushedBack_) {
        pushedBack_ = false;
        return ttype;
    }
    sval.clear();
    for (;;) {
        int c = get();
        if (c < 0) return ttype = TT_EOF;
        uint8_t k = kindOf(c);
        if (k & WHITE) {
            if (c == '\r' || c == '\n') {
                ++line_;
                if (c == '\r' && peek() == '\n') ++pos_;
                if (eolSignificant_) return ttype = TT_EOL;
            }
            continue;
        }
        if (k & COMMENT) {
            while (peek() >= 0 && peek() != '\n' && peek() != '\r') ++pos_;
            continue;
        }
        if (k & DIGIT) {
            bool negative = false;
            if (c == '-') {
                int n = peek();
                if (!((n >= '0' && n <= '9') || n == '.')) return ttype = '-';
                negative = true;
                c = get();
            }
            // Digits with at most one decimal point; the first other character ends it.
            std::string digits;
            bool seenDot = false;
            for (;;) {
                if (c == '.' && !seenDot) {
                    seenDot = true;
                    digits += '.';
                } else if (c >= '0' && c <= '9') {
                    digits += char(c);
                } else {
                    break;
                }
                if (peek() < 0) break;
                int n = peek();
                if (!((n >= '0' && n <= '9') || (n == '.' && !seenDot))) break;
                c = get();
            }
            double v = 0.0;
            bool hasDigit = digits.find_first_of("0123456789") != std::string::npos;
            if (hasDigit) {
                auto r = std::from_chars(digits.data(), digits.data() + digits.size(), v);
                if (r.ec == std::errc::result_out_of_range) {
                    // Too many digits for a double: huge when an integer digit is not 0.
                    size_t dot = digits.find('.');
                    std::string_view whole(digits.data(), dot == std::string::npos ? digits.size() : dot);
                    v = whole.find_first_not_of('0') != std::string_view::npos ? HUGE_VAL : 0.0;
                }
            }
            nval = negative ? -v : v;
            return ttype = TT_NUMBER;
        }
        if (k & ALPHA) {
            sval += char(c);
            while (peek() >= 0 && (kindOf(peek()) & (ALPHA | DIGIT))) sval += char(get());
            if (lowerCase_)
                for (char& ch : sval)
                    if (ch >= 'A' && ch <= 'Z') ch = char(ch - 'A' + 'a');
            return ttype = TT_WORD;
        }
        if (k & QUOTE) {
            readQuoted(c);
            return ttype = c;
        }
        return ttype = c;
    }
}

void StreamTokenizer::readQuoted(int quote) {
    for (;;) {
        int c = peek();
        if (c < 0 || c == '\n' || c == '\r') return;  // the line end stays for the line count
        ++pos_;
        if (c == quote) return;
        if (c == '\\') {
            c = peek();
            if (c < 0) return;
            ++pos_;
            switch (c) {
                case 'a': c = 7; break;
                case 'b': c = '\b'; break;
                case 'f': c = '\f'; break;
                case 'n': c = '\n'; break;
                case 'r': c = '\r'; break;
                case 't': c = '\t'; break;
                case 'v': c = '\v'; break;
                default:
                    if (c >= '0' && c <= '7') {
                        int v = c - '0';
                        int maxDigits = c <= '3' ? 3 : 2;
                        for (int i = 1; i < maxDigits && peek() >= '0' && peek() <= '7'; ++i) v = v * 8 + (get() - '0');
                        c = v;
                    }
            }
        }
        sval += char(c);
    }
}

namespace {
std::string showChar(int c) {
    if (c >= 32 && c < 127) return std::string("'") + char(c) + "'";
    static const char hex[] = "0123456789abcdef";
    return std::string("'\\x") + hex[(c >> 4) & 15] + hex[c & 15] + "'";
}
}  // namespace

std::string StreamTokenizer::toString() const {
    std::string ret;
    switch (ttype) {
        case TT_EOF: ret = "EOF"; break;
        case TT_EOL: ret = "EOL"; break;
        case TT_WORD: ret = sval; break;
        case TT_NUMBER: ret = "n=" + Value(nval).toString(); break;
        case TT_NOTHING: ret = "NOTHING"; break;
        default:
            if (ttype >= 0 && ttype < 256 && (kinds_[size_t(ttype)] & QUOTE))
                ret = char(ttype) + sval + char(ttype);
            else
                ret = showChar(ttype);
    }
    return "Token[" + ret + "], line " + std::to_string(line_);
}

}  // namespace host
