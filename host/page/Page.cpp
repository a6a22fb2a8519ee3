#include "host/page/Page.h"

#include <cctype>
#include <cstdint>
#include <map>

namespace host {

namespace {

// Largest width or height a page may ask for; the page is rendered into an image that size.
constexpr int kMaxPageSide = 16384;

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

std::string lower(std::string s) {
    for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string trim(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && isSpace(s[b])) ++b;
    while (e > b && isSpace(s[e - 1])) --e;
    return s.substr(b, e - b);
}

void appendUtf8(std::string& out, uint32_t cp) {
    if (cp == 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | (cp >> 18));
        out += char(0x80 | ((cp >> 12) & 0x3F));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

// Decodes &amp; &lt; &gt; &quot; &apos; &nbsp; and numeric references; others stay as written.
std::string decodeEntities(const std::string& s) {
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '&') {
            out += s[i];
            continue;
        }
        size_t semi = s.find(';', i + 1);
        if (semi == std::string::npos || semi - i > 32) {
            out += '&';
            continue;
        }
        std::string ent = s.substr(i + 1, semi - i - 1);
        bool ok = true;
        if (!ent.empty() && ent[0] == '#') {
            bool hex = ent.size() > 1 && (ent[1] == 'x' || ent[1] == 'X');
            std::string digits = ent.substr(hex ? 2 : 1);
            uint32_t cp = 0;
            ok = !digits.empty();
            for (char c : digits) {
                int d = std::isdigit(static_cast<unsigned char>(c)) ? c - '0'
                        : hex && std::isxdigit(static_cast<unsigned char>(c))
                            ? std::tolower(static_cast<unsigned char>(c)) - 'a' + 10
                            : -1;
                if (d < 0) {
                    ok = false;
                    break;
                }
                cp = cp * (hex ? 16 : 10) + uint32_t(d);
                if (cp > 0x10FFFF) cp = 0x110000;  // stays out of range, never overflows
            }
            if (ok) appendUtf8(out, cp);
        } else if (ent == "amp") {
            out += '&';
        } else if (ent == "lt") {
            out += '<';
        } else if (ent == "gt") {
            out += '>';
        } else if (ent == "quot") {
            out += '"';
        } else if (ent == "apos") {
            out += '\'';
        } else if (ent == "nbsp") {
            out += "\xC2\xA0";
        } else {
            ok = false;
        }
        if (ok) {
            i = semi;
        } else {
            out += '&';
        }
    }
    return out;
}

using Attributes = std::map<std::string, std::string>;

// One pass over the page text. Tags are read with their attributes; text, comments and
// the contents of <script> and <style> are skipped.
class PageParser {
public:
    PageParser(const std::string& html, const URL& base)
        : s_(html), low_(lower(html)), prefix_(base.toString() + ": ") {}

    PageApplet run() {
        PageApplet a;
        bool found = false, inApplet = false;
        size_t n = s_.size();
        while (i_ < n) {
            size_t lt = s_.find('<', i_);
            if (lt == std::string::npos) break;
            i_ = lt;
            if (s_.compare(i_, 4, "<!--") == 0) {
                size_t end = s_.find("-->", i_ + 4);
                if (end == std::string::npos) fail("unterminated comment");
                i_ = end + 3;
                continue;
            }
            if (i_ + 1 < n && (s_[i_ + 1] == '!' || s_[i_ + 1] == '?')) {  // <!DOCTYPE ...>, <?xml ...?>
                size_t end = s_.find('>', i_);
                if (end == std::string::npos) break;
                i_ = end + 1;
                continue;
            }
            bool closing = i_ + 1 < n && s_[i_ + 1] == '/';
            size_t j = i_ + 1 + (closing ? 1 : 0);
            if (j >= n || !std::isalpha(static_cast<unsigned char>(s_[j]))) {
                ++i_;  // a plain "<" in text
                continue;
            }
            size_t nameEnd = j;
            while (nameEnd < n && (std::isalnum(static_cast<unsigned char>(s_[nameEnd])) || s_[nameEnd] == '-' ||
                                   s_[nameEnd] == ':'))
                ++nameEnd;
            std::string tag = low_.substr(j, nameEnd - j);
            i_ = nameEnd;
            Attributes attrs;
            bool wanted = tag == "applet" || tag == "param";
            if (!readAttributes(attrs)) {
                if (wanted) fail("unterminated <" + std::string(closing ? "/" : "") + tag + "> tag");
                break;  // the rest of the page is text
            }
            if (!closing && tag == "applet" && !found) {
                found = inApplet = true;
                fillApplet(a, attrs);
            } else if (!closing && tag == "param" && inApplet) {
                auto name = attrs.find("name");
                if (name != attrs.end()) {
                    auto value = attrs.find("value");
                    a.params.emplace_back(name->second, value == attrs.end() ? std::string() : value->second);
                }
            } else if (closing && tag == "applet" && inApplet) {
                break;
            } else if (!closing && (tag == "script" || tag == "style")) {
                size_t end = low_.find("</" + tag, i_);
                if (end == std::string::npos) break;
                i_ = end;
            }
        }
        if (!found) fail("no <applet> tag");
        return a;
    }

private:
    [[noreturn]] void fail(const std::string& what) const { throw PageError(prefix_ + what); }

    void skipSpace() {
        while (i_ < s_.size() && isSpace(s_[i_])) ++i_;
    }

    // Reads attributes up to and including ">"; false when the page ends first.
    bool readAttributes(Attributes& attrs) {
        size_t n = s_.size();
        for (;;) {
            skipSpace();
            if (i_ >= n) return false;
            char c = s_[i_];
            if (c == '>') {
                ++i_;
                return true;
            }
            if (c == '/' || c == '=') {
                ++i_;
                continue;
            }
            size_t nameStart = i_;
            while (i_ < n && !isSpace(s_[i_]) && s_[i_] != '=' && s_[i_] != '>' && s_[i_] != '/') ++i_;
            std::string name = low_.substr(nameStart, i_ - nameStart);
            std::string value;
            skipSpace();
            if (i_ < n && s_[i_] == '=') {
                ++i_;
                skipSpace();
                if (i_ >= n) return false;
                if (s_[i_] == '"' || s_[i_] == '\'') {
                    size_t close = s_.find(s_[i_], i_ + 1);
                    if (close == std::string::npos) return false;
                    value = s_.substr(i_ + 1, close - i_ - 1);
                    i_ = close + 1;
                } else {
                    size_t start = i_;
                    while (i_ < n && !isSpace(s_[i_]) && s_[i_] != '>') ++i_;
                    value = s_.substr(start, i_ - start);
                }
            }
            attrs.emplace(std::move(name), decodeEntities(value));  // the first of duplicates wins
        }
    }

    int readSize(const Attributes& attrs, const std::string& which) const {
        auto it = attrs.find(which);
        if (it == attrs.end()) fail("<applet> has no " + which + " attribute");
        std::string v = trim(it->second);
        bool digits = !v.empty() && v.find_first_not_of("0123456789") == std::string::npos;
        if (!digits) fail("<applet> " + which + " \"" + it->second + "\" is not a positive integer");
        size_t nz = v.find_first_not_of('0');
        if (nz == std::string::npos) fail("<applet> " + which + " must be greater than 0");
        v.erase(0, nz);
        if (v.size() > 5 || std::stoi(v) > kMaxPageSide)
            fail("<applet> " + which + " " + v + " is larger than " + std::to_string(kMaxPageSide));
        return std::stoi(v);
    }

    void fillApplet(PageApplet& a, const Attributes& attrs) const {
        auto code = attrs.find("code");
        std::string c = code == attrs.end() ? std::string() : trim(code->second);
        if (c.size() > 6 && lower(c.substr(c.size() - 6)) == ".class") c.resize(c.size() - 6);
        for (char& ch : c)
            if (ch == '/') ch = '.';
        if (c.empty()) fail("<applet> has no code attribute");
        a.code = c;
        a.width = readSize(attrs, "width");
        a.height = readSize(attrs, "height");
        if (auto it = attrs.find("name"); it != attrs.end()) a.name = it->second;
        if (auto it = attrs.find("codebase"); it != attrs.end()) a.codebase = it->second;
    }

    const std::string& s_;
    std::string low_;  // s_ in lower case, byte for byte, for tag names and searches
    std::string prefix_;
    size_t i_ = 0;
};

}  // namespace

std::optional<std::string> PageApplet::param(const std::string& paramName) const {
    std::string want = lower(paramName);
    for (const auto& [k, v] : params)
        if (lower(k) == want) return v;
    return std::nullopt;
}

Page Page::parse(const std::string& html, const URL& base) {
    PageParser parser(html, base);
    return Page{base, parser.run()};
}

Page Page::read(const std::string& pathOrUrl) {
    URL url = URL::hasScheme(pathOrUrl) ? URL(pathOrUrl) : URL::fromFile(pathOrUrl);
    return parse(url.readAll(), url);
}

}  // namespace host
