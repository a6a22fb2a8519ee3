#include "util/NxUtilConverter.h"

#include <algorithm>
#include <climits>
#include <iostream>
#include <mutex>
#include <stdexcept>
#include <unistd.h>
#include <unordered_map>

#include "host/page/Applet.h"
#include "host/ui/Component.h"
#include "host/graphics/Image.h"
#include "host/ui/Toolkit.h"
#include "host/runtime/URL.h"
#include "util/ConvertUtil.h"
#include "util/NxConverter.h"
#include "util/NxStringTokenizer.h"

namespace norvex::util {

namespace {

using text::equalsIgnoreCase;
using text::trimmed;

std::mutex& convMutex() {
    static std::mutex m;
    return m;
}

std::shared_ptr<NxConverter>& convSlot() {
    static std::shared_ptr<NxConverter> c = std::make_shared<NxConverter>();
    return c;
}

// Element converter of the list operations.
std::shared_ptr<NxConverter> conv() { return NxUtilConverter::getConverter(); }

// The split tokens of s at delim, each trimmed; an empty element is "".
std::vector<std::string> splitTrimmed(const std::string& s, char delim) {
    NxStringTokenizer tok(s);
    int n = tok.countTokens(delim);
    std::vector<std::string> out;
    out.reserve(std::size_t(n));
    for (int i = 0; i < n; ++i) {
        OptString t = tok.nextToken(delim);
        out.push_back(t ? trimmed(*t) : std::string());
    }
    return out;
}

struct NamedColor {
    const char* name;
    host::Color color;
};

// The colour names in lookup order; fromColor writes the first name of a colour.
const NamedColor kColors[] = {
    {"black", host::Color(0, 0, 0)},          {"blue", host::Color(0, 0, 255)},
    {"cyan", host::Color(0, 255, 255)},       {"darkGray", host::Color(64, 64, 64)},
    {"darkGrey", host::Color(64, 64, 64)},    {"gray", host::Color(128, 128, 128)},
    {"grey", host::Color(128, 128, 128)},     {"green", host::Color(0, 255, 0)},
    {"lightGray", host::Color(192, 192, 192)}, {"lightGrey", host::Color(192, 192, 192)},
    {"lightBlue", host::Color(173, 216, 230)}, {"magenta", host::Color(255, 0, 255)},
    {"orange", host::Color(255, 200, 0)},     {"pink", host::Color(255, 175, 175)},
    {"red", host::Color(255, 0, 0)},          {"white", host::Color(255, 255, 255)},
    {"yellow", host::Color(255, 255, 0)},
};

const char* const kStyleNames[] = {"PLAIN", "BOLD", "ITALIC", "BOLDITALIC"};

std::optional<int64_t> parseHex(std::string_view s) {
    if (s.empty() || s.size() > 15) return std::nullopt;
    int64_t v = 0;
    for (char c : s) {
        int d;
        if (c >= '0' && c <= '9') d = c - '0';
        else if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
        else return std::nullopt;
        v = v * 16 + d;
    }
    return v;
}

// Parameter tables read from parameter files, per component. The weak link tells a
// table of a destroyed component from one of a new component at the same address.
struct ParamEntry {
    std::weak_ptr<const host::Object> owner;
    bool owned = false;
    std::unordered_map<std::string, std::string> table;
};

std::mutex& paramMutex() {
    static std::mutex m;
    return m;
}

std::unordered_map<const host::Component*, ParamEntry>& paramSource() {
    static std::unordered_map<const host::Component*, ParamEntry> m;
    return m;
}

// The live entry of comp, erasing a stale one. Lock held by caller.
ParamEntry* findEntry(const host::Component* comp) {
    auto& map = paramSource();
    auto it = map.find(comp);
    if (it == map.end()) return nullptr;
    if (it->second.owned) {
        auto alive = it->second.owner.lock();
        if (!alive || alive.get() != comp) {
            map.erase(it);
            return nullptr;
        }
    }
    return &it->second;
}

host::Applet* findApplet(host::Component* c) {
    for (host::Component* p = c; p; p = p->getParent())
        if (auto* a = dynamic_cast<host::Applet*>(p)) return a;
    return nullptr;
}

std::string currentDirectory() {
    std::string buf(4096, '\0');
    if (!getcwd(buf.data(), buf.size())) return ".";
    buf.resize(std::char_traits<char>::length(buf.c_str()));
    return buf;
}

// Days since 1970-01-01 of a proleptic Gregorian date.
int64_t daysFromCivil(int64_t y, int64_t m, int64_t d) {
    y -= m <= 2;
    int64_t era = (y >= 0 ? y : y - 399) / 400;
    int64_t yoe = y - era * 400;
    int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

int monthIndex(std::string_view name) {
    static const char* const months[] = {"jan", "feb", "mar", "apr", "may", "jun",
                                         "jul", "aug", "sep", "oct", "nov", "dec"};
    if (name.size() < 3) return -1;
    for (int i = 0; i < 12; ++i)
        if (text::equalsIgnoreCase(name.substr(0, 3), months[i])) return i;
    return -1;
}

// "hh:mm" or "hh:mm:ss" into h, m, s.
bool parseTime(std::string_view t, int& h, int& m, int& s) {
    auto parts = splitTrimmed(std::string(t), ':');
    if (parts.size() < 2 || parts.size() > 3) return false;
    auto ph = text::parseInt(parts[0]), pm = text::parseInt(parts[1]);
    auto ps = parts.size() == 3 ? text::parseInt(parts[2]) : std::optional<int32_t>(0);
    if (!ph || !pm || !ps || *ph < 0 || *ph > 23 || *pm < 0 || *pm > 59 || *ps < 0 || *ps > 60) return false;
    h = *ph, m = *pm, s = *ps;
    return true;
}

bool validDay(int year, int month, int day) {
    (void)year;
    return month >= 1 && month <= 12 && day >= 1 && day <= 31;
}

}  // namespace

// ---- the installed converter ------------------------------------------------------

std::shared_ptr<NxConverter> NxUtilConverter::getConverter() {
    std::lock_guard<std::mutex> g(convMutex());
    return convSlot();
}

void NxUtilConverter::setConverter(std::shared_ptr<NxConverter> c) {
    std::lock_guard<std::mutex> g(convMutex());
    convSlot() = c ? std::move(c) : std::make_shared<NxConverter>();
}

// ---- numbers and booleans -----------------------------------------------------------

int NxUtilConverter::toInt(const OptString& s, int def) {
    if (!s) return def;
    std::string t = trimmed(*s);
    if (equalsIgnoreCase(t, "maxint")) return 2147483647;
    if (equalsIgnoreCase(t, "novalue") || equalsIgnoreCase(t, "default")) return -999;
    if (equalsIgnoreCase(t, "variable")) return -998;
    if (auto v = text::parseInt(t)) return *v;
    error(*s);
    return def;
}

double NxUtilConverter::toDouble(const OptString& s, double def) {
    if (!s) return def;
    if (auto v = text::parseDouble(*s)) return *v;
    error(*s);
    return def;
}

bool NxUtilConverter::toBoolean(const OptString& s, bool def) {
    if (!s) return def;
    return equalsIgnoreCase(text::trim(*s), "true");
}

bool NxUtilConverter::toBoolean(host::Applet* app, host::Component* comp, const OptString& comp_name,
                                const std::string& param, bool def) {
    return toBoolean(getParam(app, comp, comp_name, param), def);
}

// ---- lists --------------------------------------------------------------------------

std::optional<std::vector<std::string>> NxUtilConverter::toStringList(const OptString& s) {
    return toStringList(s, ',');
}

std::optional<std::vector<std::string>> NxUtilConverter::toStringList(const OptString& s, char delim) {
    if (!s) return std::nullopt;
    return splitTrimmed(*s, delim);
}

std::optional<std::vector<int>> NxUtilConverter::toIntList(const OptString& s, char delim) {
    if (!s) return std::nullopt;
    auto c = conv();
    std::vector<int> out;
    for (const auto& t : splitTrimmed(*s, delim)) out.push_back(c->toInt(t.empty() ? OptString() : OptString(t), 0));
    return out;
}

std::vector<int> NxUtilConverter::toIntList(const OptString& s, char delim, const std::vector<int>& def) {
    if (!s) return def;
    return *toIntList(s, delim);
}

std::optional<std::vector<host::Value>> NxUtilConverter::toIntegerList(const OptString& s, char delim) {
    if (!s) return std::nullopt;
    auto c = conv();
    std::vector<host::Value> out;
    for (const auto& t : splitTrimmed(*s, delim))
        out.emplace_back(c->toInt(t.empty() ? OptString() : OptString(t), 0));
    return out;
}

std::vector<host::Value> NxUtilConverter::toIntegerList(const OptString& s, char delim,
                                                        const std::vector<host::Value>& def) {
    if (!s) return def;
    return *toIntegerList(s, delim);
}

std::optional<std::vector<host::Value>> NxUtilConverter::toDoubleList(const OptString& s, char delim) {
    if (!s) return std::nullopt;
    auto c = conv();
    std::vector<host::Value> out;
    for (const auto& t : splitTrimmed(*s, delim))
        out.emplace_back(c->toDouble(t.empty() ? OptString() : OptString(t), 0.0));
    return out;
}

std::vector<host::Value> NxUtilConverter::toDoubleList(const OptString& s, char delim,
                                                       const std::vector<host::Value>& def) {
    if (!s) return def;
    return *toDoubleList(s, delim);
}

// ---- colours ------------------------------------------------------------------------

host::OptColor NxUtilConverter::toColor(const OptString& s) {
    if (!s) return std::nullopt;
    NxStringTokenizer tok(s);
    OptString first = tok.nextToken('-');
    if (!first) return std::nullopt;
    std::string name = trimmed(*first);
    for (const auto& nc : kColors)
        if (equalsIgnoreCase(name, nc.name)) return nc.color;
    if (!name.empty() && name[0] == '#') {
        std::string_view hex(name);
        if (hex.size() > 12) {
            auto r = parseHex(hex.substr(1, 4)), g = parseHex(hex.substr(5, 4)), b = parseHex(hex.substr(9, 4));
            if (!r || !g || !b) return std::nullopt;
            return host::Color(int(*r / 256), int(*g / 256), int(*b / 256));
        }
        if (hex.size() < 7) {
            auto v = parseHex(hex.substr(1));
            if (!v) return std::nullopt;
            return host::Color::fromRGB(uint32_t(*v) & 0xffffffu);
        }
        auto r = parseHex(hex.substr(1, 2)), g = parseHex(hex.substr(3, 2)), b = parseHex(hex.substr(5, 2));
        if (!r || !g || !b) return std::nullopt;
        return host::Color(int(*r), int(*g), int(*b));
    }
    OptString gs = tok.nextToken('-'), bs = tok.nextToken('-');
    if (!gs || !bs) return std::nullopt;
    auto r = text::parseInt(name), g = text::parseInt(text::trim(*gs)), b = text::parseInt(text::trim(*bs));
    if (!r || !g || !b) return std::nullopt;
    // Channels outside 0..255 are clamped by the colour.
    return host::Color(*r, *g, *b);
}

host::OptColor NxUtilConverter::toColor(const OptString& s, const host::OptColor& def) {
    if (!s) return def;
    return toColor(s);
}

std::optional<std::vector<host::OptColor>> NxUtilConverter::toColorList(const OptString& s) {
    if (!s) return std::nullopt;
    auto c = conv();
    std::vector<host::OptColor> out;
    for (const auto& t : splitTrimmed(*s, ',')) {
        host::OptColor col = c->toColor(t);
        if (!col) c->error(t, *s);
        out.push_back(col);
    }
    return out;
}

std::vector<host::OptColor> NxUtilConverter::toColorList(const OptString& s, const std::vector<host::OptColor>& def) {
    if (!s) return def;
    return *toColorList(s);
}

OptString NxUtilConverter::fromColor(const host::OptColor& c) {
    if (!c) return std::nullopt;
    static const char* const tested[] = {"black", "blue",      "cyan",    "darkGray", "gray",
                                         "green", "lightGray", "lightBlue", "magenta", "orange",
                                         "pink",  "red",       "white",   "yellow"};
    for (const char* name : tested)
        for (const auto& nc : kColors)
            if (std::string_view(nc.name) == name && nc.color == *c) return std::string(name);
    return std::to_string(c->getRed()) + "-" + std::to_string(c->getGreen()) + "-" + std::to_string(c->getBlue());
}

std::string NxUtilConverter::fromColorList(const std::optional<std::vector<host::OptColor>>& list) {
    if (!list) return "";
    auto c = conv();
    std::string out;
    for (std::size_t i = 0; i < list->size(); ++i) {
        if (i) out += ',';
        out += c->fromColor((*list)[i]).value_or("");
    }
    return out;
}

// ---- fonts --------------------------------------------------------------------------

OptFont NxUtilConverter::toFont(const OptString& s) {
    if (!s) return std::nullopt;
    NxStringTokenizer tok(s);
    if (tok.countTokens('-') != 3) return std::nullopt;
    OptString n = tok.nextToken('-'), st = tok.nextToken('-'), sz = tok.nextToken('-');
    std::string name = n ? trimmed(*n) : std::string();
    if (name.empty()) return std::nullopt;
    std::string style = st ? trimmed(*st) : std::string();
    int styleValue = host::Font::PLAIN;
    for (int i = 0; i < 4; ++i)
        if (equalsIgnoreCase(style, kStyleNames[i])) styleValue = i;
    std::string size = sz ? trimmed(*sz) : std::string();
    int sizeValue = 8;
    if (!size.empty()) {
        auto v = text::parseInt(size);
        if (!v) return std::nullopt;
        sizeValue = *v;
    }
    return host::Font(name, styleValue, sizeValue);
}

OptFont NxUtilConverter::toFont(const OptString& s, const OptFont& def) {
    OptFont f = toFont(s);
    return f ? f : def;
}

std::string NxUtilConverter::fromFont(const host::Font& f) {
    // toFont splits at '-' with escapes resolved: a '-' or backslash in the name (or the
    // sign of a negative size) is escaped so that the text reads back to the same font.
    auto escaped = [](const std::string& part) {
        std::string out;
        for (char c : part) {
            if (c == '\\' || c == '-') out += '\\';
            out += c;
        }
        return out;
    };
    return escaped(f.getName()) + "-" + kStyleNames[f.getStyle() & 3] + "-" + escaped(std::to_string(f.getSize()));
}

// ---- enumerations -------------------------------------------------------------------

int NxUtilConverter::toEnum(const OptString& s, const std::string& type, const std::vector<std::string>& strings,
                            const std::vector<int>& values, int def) {
    if (!s) return def;
    std::string t = trimmed(*s);
    for (std::size_t i = 0; i < strings.size() && i < values.size(); ++i)
        if (equalsIgnoreCase(t, strings[i])) return values[i];
    if (auto v = text::parseInt(t)) return *v;
    error("Error converting '" + *s + "' to " + type);
    return def;
}

int64_t NxUtilConverter::toEnum(const OptString& s, const std::string& type, const std::vector<std::string>& strings,
                                const std::vector<int64_t>& values, int64_t def) {
    if (!s) return def;
    std::string t = trimmed(*s);
    for (std::size_t i = 0; i < strings.size() && i < values.size(); ++i)
        if (equalsIgnoreCase(t, strings[i])) return values[i];
    if (auto v = text::parseLong(t)) return *v;
    error("Error converting '" + *s + "' to " + type);
    return def;
}

int NxUtilConverter::toEnum(const OptString& s, const std::vector<std::string>& strings,
                            const std::vector<int>& values, int def) {
    if (!s) return def;
    std::string t = trimmed(*s);
    for (std::size_t i = 0; i < strings.size() && i < values.size(); ++i)
        if (equalsIgnoreCase(t, strings[i])) return values[i];
    return def;
}

int NxUtilConverter::toEnum(const OptString& s, const std::string& type, const std::string& param,
                            const std::vector<std::vector<std::string>>& strings,
                            const std::vector<std::vector<int>>& values, int def) {
    if (!s) return def;
    for (std::size_t row = 0; row < strings.size(); ++row) {
        const auto& names = strings[row];
        if (names.empty() || !equalsIgnoreCase(names[0], param)) continue;
        std::string t = trimmed(*s);
        for (std::size_t j = 1; j < names.size(); ++j)
            if (equalsIgnoreCase(t, names[j]) && row < values.size() && j - 1 < values[row].size())
                return values[row][j - 1];
        if (auto v = text::parseInt(t)) return *v;
        break;
    }
    error("Error converting '" + *s + "' to " + type);
    return def;
}

std::vector<int> NxUtilConverter::toEnumList(const OptString& s, const std::string& type,
                                             const std::vector<std::string>& strings, const std::vector<int>& values,
                                             const std::vector<int>& def) {
    if (!s) return def;
    auto c = conv();
    std::vector<int> out;
    auto tokens = splitTrimmed(*s, ',');
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        int d = i < def.size() ? def[i] : 0;
        out.push_back(c->toEnum(tokens[i].empty() ? OptString() : OptString(tokens[i]), type, strings, values, d));
    }
    return out;
}

OptString NxUtilConverter::fromEnum(int value, const std::vector<std::string>& strings, const std::vector<int>& values) {
    for (std::size_t i = 0; i < values.size() && i < strings.size(); ++i)
        if (values[i] == value) return strings[i];
    return std::nullopt;
}

OptString NxUtilConverter::fromEnum(int64_t value, const std::vector<std::string>& strings,
                                    const std::vector<int64_t>& values) {
    for (std::size_t i = 0; i < values.size() && i < strings.size(); ++i)
        if (values[i] == value) return strings[i];
    return std::nullopt;
}

OptString NxUtilConverter::fromEnum(int value, const std::string& param,
                                    const std::vector<std::vector<std::string>>& strings,
                                    const std::vector<std::vector<int>>& values) {
    for (std::size_t row = 0; row < strings.size() && row < values.size(); ++row) {
        const auto& names = strings[row];
        if (names.empty() || !equalsIgnoreCase(names[0], param)) continue;
        for (std::size_t j = 0; j < values[row].size() && j + 1 < names.size(); ++j)
            if (values[row][j] == value) return names[j + 1];
        return std::to_string(value);
    }
    return std::nullopt;
}

void NxUtilConverter::checkEnum(int value, const std::string& param, const std::vector<int>& values) {
    for (int v : values)
        if (v == value) return;
    throw std::invalid_argument("invalid " + param + ": " + std::to_string(value));
}

// ---- geometry and dates -------------------------------------------------------------

host::Insets NxUtilConverter::toInsets(const OptString& s, const host::Insets& def) {
    if (!s) return def;
    auto parts = splitTrimmed(*s, ',');
    if (parts.size() != 4) return def;
    int v[4];
    for (int i = 0; i < 4; ++i) {
        auto p = text::parseInt(parts[std::size_t(i)]);
        if (!p) {
            error(*s);
            return def;
        }
        v[i] = *p;
    }
    return host::Insets{v[0], v[1], v[2], v[3]};
}

std::string NxUtilConverter::fromInsets(const host::Insets& i) {
    return std::to_string(i.top) + "," + std::to_string(i.left) + "," + std::to_string(i.bottom) + "," +
           std::to_string(i.right);
}

host::Dimension NxUtilConverter::toDimension(const OptString& s, const host::Dimension& def) {
    if (!s) return def;
    auto parts = splitTrimmed(*s, 'x');
    if (parts.size() != 2) return def;
    auto w = text::parseInt(parts[0]), h = text::parseInt(parts[1]);
    if (!w || !h) return def;
    return host::Dimension{*w, *h};
}

host::Point NxUtilConverter::toPoint(const OptString& s, const host::Point& def) {
    if (!s) return def;
    auto parts = splitTrimmed(*s, ',');
    if (parts.size() != 2) return def;
    auto x = text::parseInt(parts[0]), y = text::parseInt(parts[1]);
    if (!x || !y) return def;
    return host::Point{*x, *y};
}

OptDate NxUtilConverter::toDate(const OptString& s, const OptDate& def) {
    if (!s) return def;
    if (auto d = parseDate(*s)) return d;
    error("Error converting '" + *s + "' to Date");
    return def;
}

OptDate NxUtilConverter::parseDate(const std::string& input) {
    std::string s = trimmed(input);
    if (s.empty()) return std::nullopt;
    if (auto ms = text::parseLong(s)) return host::Date(*ms);

    std::vector<std::string> words;
    {
        NxStringTokenizer tok(s);
        while (auto w = tok.nextToken()) words.push_back(*w);
    }
    int h = 0, mi = 0, se = 0;
    auto localDate = [&](int64_t year, int month, int day) -> OptDate {
        if (!validDay(int(year), month, day) || year < 1 || year > 9999) return std::nullopt;
        return host::Date(int(year - 1900), month - 1, day, h, mi, se);
    };
    // yyyy-mm-dd or mm/dd/yyyy, optionally followed by a time.
    if (words.size() == 1 || words.size() == 2) {
        if (words.size() == 2 && !parseTime(words[1], h, mi, se)) return std::nullopt;
        const std::string& d = words[0];
        char sep = d.find('-') != std::string::npos ? '-' : (d.find('/') != std::string::npos ? '/' : 0);
        if (!sep) return std::nullopt;
        auto parts = splitTrimmed(d, sep);
        if (parts.size() != 3) return std::nullopt;
        auto a = text::parseInt(parts[0]), b = text::parseInt(parts[1]), c = text::parseInt(parts[2]);
        if (!a || !b || !c) return std::nullopt;
        if (sep == '-') return localDate(*a, *b, *c);
        return localDate(*c, *a, *b);
    }
    // The date's own form: "Tue Dec 08 01:06:00 UTC 2026" (weekday optional).
    std::size_t i = 0;
    if (words.size() == 6) ++i;
    if (words.size() - i != 5) return std::nullopt;
    int month = monthIndex(words[i]);
    auto day = text::parseInt(words[i + 1]);
    auto year = text::parseInt(words[i + 4]);
    if (month < 0 || !day || !year || !parseTime(words[i + 2], h, mi, se)) return std::nullopt;
    const std::string& zone = words[i + 3];
    if (equalsIgnoreCase(zone, "UTC") || equalsIgnoreCase(zone, "GMT")) {
        if (!validDay(*year, month + 1, *day) || *year < 1 || *year > 9999) return std::nullopt;
        int64_t days = daysFromCivil(*year, month + 1, *day);
        return host::Date(((days * 24 + h) * 60 + mi) * 60000 + int64_t(se) * 1000);
    }
    return localDate(*year, month + 1, *day);
}

// ---- images -------------------------------------------------------------------------

ImagePtr NxUtilConverter::toImage(host::Component* comp, const OptString& file) {
    if (!file) return nullptr;
    const std::string& name = *file;
    ImagePtr image;
    std::string shown = name;
    try {
        if (host::Applet* applet = findApplet(comp)) {
            image = applet->getImage(applet->getDocumentBase(), name);
        } else {
            std::string spec;
            if (name.find("file:") != std::string::npos || host::URL::hasScheme(name)) {
                spec = name;
            } else if (!name.empty() && name[0] == '/') {
                spec = "file:" + name;
            } else {
                spec = "file:" + currentDirectory() + "/" + name;
            }
            shown = spec;
            host::URL url(spec);
            image = comp ? comp->getToolkit().getImage(url) : host::Toolkit::getDefaultToolkit().getImage(url);
        }
    } catch (const host::IOException&) {
        image = nullptr;
    }
    // Images of this host load at once, so a broken one is known here with or without a
    // component to wait on.
    if (!image || !waitForImage(comp, image)) {
        error("Error loading image " + shown);
        return nullptr;
    }
    return image;
}

ImagePtr NxUtilConverter::toImage(host::Component* comp, const OptString& file, const ImagePtr& def) {
    ImagePtr im = toImage(comp, file);
    return im ? im : def;
}

std::vector<ImagePtr> NxUtilConverter::toImageList(host::Component* comp, const OptString& s,
                                                   const std::vector<ImagePtr>& def) {
    if (!s) return def;
    auto c = conv();
    std::vector<ImagePtr> out;
    auto names = splitTrimmed(*s, ',');
    for (std::size_t i = 0; i < names.size(); ++i) {
        ImagePtr d = i < def.size() ? def[i] : nullptr;
        out.push_back(names[i].empty() ? d : c->toImage(comp, names[i], d));
    }
    return out;
}

bool NxUtilConverter::waitForImage(host::Component* comp, const ImagePtr& im) {
    if (!im) return false;
    host::MediaTracker tracker(comp);
    tracker.addImage(im, 0);
    return tracker.waitForID(0) && !tracker.isErrorID(0);
}

// ---- vectors ------------------------------------------------------------------------

NxVectorPtr NxUtilConverter::toVector(host::Component* comp, const OptString& s, char delim, bool convert) {
    return ConvertUtil::toVector(comp, s, delim, convert);
}

NxVectorPtr NxUtilConverter::toVector(host::Component* comp, const OptString& s, char delim, bool convert,
                                      const NxVectorPtr& def) {
    NxVectorPtr v = conv()->toVector(comp, s, delim, convert);
    return v ? v : def;
}

NxVectorPtr NxUtilConverter::toVectorFromCSV(host::Component* comp, const OptString& s) {
    return ConvertUtil::toVectorFromCSV(comp, s);
}

NxVectorPtr NxUtilConverter::toVectorFromCSV(host::Component* comp, const OptString& s, const NxVectorPtr& def) {
    NxVectorPtr v = conv()->toVectorFromCSV(comp, s);
    return v ? v : def;
}

// ---- escapes and string forms -------------------------------------------------------

OptString NxUtilConverter::toNewLine(const OptString& s) {
    if (!s || s->find("\\n") == std::string::npos) return s;
    std::string out;
    out.reserve(s->size());
    for (std::size_t i = 0; i < s->size(); ++i) {
        if ((*s)[i] == '\\' && i + 1 < s->size() && (*s)[i + 1] == 'n') {
            out += '\n';
            ++i;
        } else {
            out += (*s)[i];
        }
    }
    return out;
}

OptString NxUtilConverter::fromNewLine(const OptString& s) {
    if (!s) return s;
    std::string out;
    out.reserve(s->size());
    for (char c : *s) {
        if (c == '\n') out += "\\n";
        else out += c;
    }
    return out;
}

OptString NxUtilConverter::removeEscape(const OptString& s) {
    if (!s) return s;
    std::string out;
    out.reserve(s->size());
    for (std::size_t i = 0; i < s->size(); ++i) {
        char c = (*s)[i];
        if (c == '\\' && i + 1 < s->size()) {
            char n = (*s)[++i];
            out += n == 'n' ? '\n' : n;
        } else {
            out += c;
        }
    }
    if (out.empty()) return std::nullopt;
    return out;
}

std::string NxUtilConverter::toString(const host::Value& o) {
    if (o.isNull()) return "";
    std::string s;
    if (auto v = o.as<host::Vector>()) {
        bool first = true;
        for (const host::Value& e : v->elements()) {
            if (!first) s += ',';
            first = false;
            // An empty cell is written as nothing, so that it reads back as an empty cell.
            if (!e.isNull()) s += e.toString();
        }
    } else {
        s = o.toString();
    }
    return *fromNewLine(s);
}

OptString NxUtilConverter::trim(const host::Value& o) {
    if (o.isNull()) return std::nullopt;
    std::string s = trimmed(o.toString());
    auto nul = s.find('\0');
    if (nul != std::string::npos) s.resize(nul);
    return s;
}

// ---- parameters ---------------------------------------------------------------------

OptString NxUtilConverter::getParam(host::Applet* app, host::Component* comp, const OptString& comp_name,
                                    const std::string& param) {
    if (equalsIgnoreCase(param, "paramFile") && hasParamSource(comp)) return std::nullopt;
    OptString value;
    if (comp_name) value = getParam(app, comp, *comp_name + "." + param);
    if (!value) value = getParam(app, comp, param);
    if (!value) return value;
    std::string out;
    out.reserve(value->size());
    for (char c : *value)
        if (c != '\n' && c != '\r') out += c;
    return out;
}

OptString NxUtilConverter::getParam(host::Applet* app, host::Component* comp, const std::string& key) {
    if (comp) {
        std::lock_guard<std::mutex> g(paramMutex());
        if (ParamEntry* e = findEntry(comp)) {
            auto it = e->table.find(text::toLower(key));
            if (it != e->table.end()) return it->second;
        }
    }
    if (app) {
        if (auto v = app->getParameter(key)) return *v;
    }
    return std::nullopt;
}

bool NxUtilConverter::hasParamSource(const host::Component* comp) {
    if (!comp) return false;
    std::lock_guard<std::mutex> g(paramMutex());
    return findEntry(comp) != nullptr;
}

void NxUtilConverter::setParamSource(host::Component* comp, const OptString& source) {
    if (!comp) return;
    if (!source) {
        std::lock_guard<std::mutex> g(paramMutex());
        paramSource().erase(comp);
        return;
    }
    std::string_view text = *source;
    std::size_t open = text::findIgnoreCase(text, "<applet");
    if (open != std::string_view::npos) {
        std::size_t close = text::findIgnoreCase(text, "</applet>", open);
        if (close != std::string_view::npos) text = text.substr(open, close - open);
    }

    ParamEntry entry;
    std::shared_ptr<const host::Object> self = comp->weak_from_this().lock();
    entry.owner = self;
    entry.owned = self != nullptr;

    // Trailing white space of the text never belongs to a tag.
    std::size_t textEnd = text.size();
    while (textEnd > 0 && static_cast<unsigned char>(text[textEnd - 1]) <= ' ') --textEnd;
    std::size_t pos = 0;
    while (true) {
        std::size_t lt = text.find('<', pos);
        if (lt == std::string_view::npos) break;
        // The tag runs to the next '>' that no backslash escapes; white space before it
        // is skipped, as the tokenizer trims.
        std::size_t end = std::max(textEnd, lt + 1);
        std::size_t i = lt + 1;
        while (i < end && static_cast<unsigned char>(text[i]) <= ' ') ++i;
        std::size_t start = i;
        while (i < end && text[i] != '>') i += (text[i] == '\\' && i + 1 < end) ? 2 : 1;
        std::string_view raw = text.substr(start, i - start);
        pos = i < end ? i + 1 : end;
        std::string_view tag = text::trim(raw);
        if (tag.empty()) break;

        // A tag must be longer than 20 characters: "param name=A value=1" (exactly 20)
        // is ignored.
        if (tag[0] == '!' || tag.size() <= 20 || !text::startsWithIgnoreCase(tag, "param name=")) continue;
        std::size_t k = 11;  // just after "name="
        if (text::isWhite(tag[k]) || static_cast<unsigned char>(tag[k]) <= ' ') continue;
        std::size_t nameEnd = k;
        while (nameEnd < tag.size() && !text::isWhite(tag[nameEnd])) ++nameEnd;
        std::string_view name = tag.substr(k, nameEnd - k);
        std::size_t v = nameEnd;
        while (v < tag.size() && text::isWhite(tag[v])) ++v;
        if (!text::startsWithIgnoreCase(tag.substr(v), "value=")) continue;
        std::string_view value = tag.substr(v + 6);
        if (value.size() >= 2 && value[0] == '"') {
            value.remove_prefix(1);
            if (!value.empty() && value.back() == '"') value.remove_suffix(1);
        }
        entry.table[text::toLower(name)] = std::string(value);
    }

    std::lock_guard<std::mutex> g(paramMutex());
    auto& map = paramSource();
    // Drop the tables of components that no longer exist.
    for (auto it = map.begin(); it != map.end();) {
        if (it->second.owned && it->second.owner.expired()) it = map.erase(it);
        else ++it;
    }
    map[comp] = std::move(entry);
}

// ---- messages -----------------------------------------------------------------------

void NxUtilConverter::error(const std::string& msg) { std::cerr << (msg + "\n") << std::flush; }

void NxUtilConverter::error(const std::string& token, const std::string& s) {
    error("Error parsing '" + token + "' in " + s);
}

}  // namespace norvex::util
