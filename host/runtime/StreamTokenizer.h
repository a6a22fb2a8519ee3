// A stream tokenizer of the classic kind over text held in memory: a table of
// character kinds (whitespace, word, number, quote, comment, ordinary) decides how
// the text splits into numbers, words, quoted strings and one-character tokens.
// Bytes are classified as Latin-1 code points 0..255; lower-casing touches ASCII
// letters only, so UTF-8 text inside words is kept intact.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace host {

class StreamTokenizer {
public:
    static constexpr int TT_EOF = -1;
    static constexpr int TT_EOL = '\n';
    static constexpr int TT_NUMBER = -2;
    static constexpr int TT_WORD = -3;
    static constexpr int TT_NOTHING = -4;

    // The classic defaults: letters and 160..255 form words, 0..32 are whitespace,
    // digits, "." and "-" make numbers, "'" and '"' quote, "/" starts a comment.
    explicit StreamTokenizer(std::string_view text);

    // Table edits; each applies to the code points lo..hi (clamped to 0..255).
    void resetSyntax();
    void wordChars(int lo, int hi);
    void whitespaceChars(int lo, int hi);
    void ordinaryChars(int lo, int hi);
    void ordinaryChar(int c) { ordinaryChars(c, c); }
    void commentChar(int c);
    void quoteChar(int c);
    void parseNumbers();
    void eolIsSignificant(bool b) { eolSignificant_ = b; }
    void lowerCaseMode(bool b) { lowerCase_ = b; }

    // Reads the next token and returns its type (also in ttype): TT_NUMBER (nval),
    // TT_WORD (sval), a quote character (sval holds the text), TT_EOL, TT_EOF, or
    // the character itself.
    int nextToken();
    // The next nextToken() returns the current token again.
    void pushBack();
    // Line of the current token, from 1.
    int lineno() const { return line_; }
    // "Token[...], line N": the word, "'x'" for quoted text with its quote, "n=2.5"
    // for numbers, "EOF", "EOL", "NOTHING", or the single character in quotes.
    std::string toString() const;

    int ttype = TT_NOTHING;
    std::string sval;
    double nval = 0.0;

private:
    enum : uint8_t { WHITE = 1, DIGIT = 2, ALPHA = 4, QUOTE = 8, COMMENT = 16 };
    void setKind(int lo, int hi, uint8_t kind, bool add);
    int peek() const { return pos_ < text_.size() ? static_cast<unsigned char>(text_[pos_]) : -1; }
    int get() { return pos_ < text_.size() ? static_cast<unsigned char>(text_[pos_++]) : -1; }
    uint8_t kindOf(int c) const { return c < 0 ? 0 : kinds_[size_t(c)]; }
    void readQuoted(int quote);

    std::string_view text_;
    size_t pos_ = 0;
    std::array<uint8_t, 256> kinds_{};
    bool eolSignificant_ = false;
    bool lowerCase_ = false;
    bool pushedBack_ = false;
    int line_ = 1;
};

}  // namespace host
