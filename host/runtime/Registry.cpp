#include "host/runtime/Registry.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace host {

namespace {

char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

bool sameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return lowerAscii(x) == lowerAscii(y);
           });
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

bool startsWithNoCase(std::string_view s, std::string_view prefix) {
    return s.size() >= prefix.size() && sameName(s.substr(0, prefix.size()), prefix);
}

// A quoted string at the start of s (s[0] == '"'); advances s past it. False when unterminated.
bool takeQuoted(std::string_view& s, std::string& out) {
    out.clear();
    for (size_t i = 1; i < s.size(); ++i) {
        char c = s[i];
        if (c == '\\' && i + 1 < s.size()) {
            out += s[++i];
        } else if (c == '"') {
            s.remove_prefix(i + 1);
            return true;
        } else {
            out += c;
        }
    }
    return false;
}

// "6c,69,00" (spaces allowed) into bytes; false on anything that is not a byte.
bool parseHexBytes(std::string_view s, std::string& bytes) {
    bytes.clear();
    while (true) {
        auto comma = s.find(',');
        auto item = trim(s.substr(0, comma));
        if (!item.empty()) {
            if (item.size() > 2) return false;
            unsigned v = 0;
            for (char c : item) {
                int d = (c >= '0' && c <= '9') ? c - '0' : (lowerAscii(c) >= 'a' && lowerAscii(c) <= 'f') ? lowerAscii(c) - 'a' + 10 : -1;
                if (d < 0) return false;
                v = v * 16 + unsigned(d);
            }
            bytes += char(v);
        } else if (comma != std::string_view::npos) {
            return false;  // ",," or a leading comma
        }
        if (comma == std::string_view::npos) return true;
        s.remove_prefix(comma + 1);
    }
}

std::vector<std::string> splitMultiString(const std::string& bytes) {
    std::vector<std::string> list;
    size_t pos = 0;
    while (pos < bytes.size()) {
        auto nul = bytes.find('\0', pos);
        std::string item = bytes.substr(pos, nul == std::string::npos ? std::string::npos : nul - pos);
        if (item.empty()) break;  // the empty string ends the list
        list.push_back(std::move(item));
        if (nul == std::string::npos) break;
        pos = nul + 1;
    }
    return list;
}

// Bytes as "xx," items; the column counter starts at the width of the line's prefix plus
// one and the line is continued once it passes 79. The last byte has no comma or break.
std::string hexLines(size_t prefixWidth, const std::string& bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    size_t column = prefixWidth + 1;
    for (size_t i = 0; i < bytes.size(); ++i) {
        unsigned char b = static_cast<unsigned char>(bytes[i]);
        out += digits[b >> 4];
        out += digits[b & 15];
        if (i + 1 == bytes.size()) break;
        out += ',';
        column += 3;
        if (column > 79) {
            out += "\\\n  ";
            column = 0;
        }
    }
    return out;
}

std::string quotedName(std::string_view name) { return name.empty() ? std::string("@") : quoteRegistryString(name); }

// Key paths are kept without trailing backslashes: "[ROOT\]" names ROOT itself.
std::string normalizeKey(std::string_view key) {
    key = trim(key);
    while (!key.empty() && key.back() == '\\') key.remove_suffix(1);
    return std::string(key);
}

void parseValueLine(RegistryDocument& doc, const std::string& key, std::string_view line) {
    std::string name;
    if (line.front() == '@') {
        line.remove_prefix(1);
    } else if (!takeQuoted(line, name)) {
        return;
    }
    line = trim(line);
    if (line.empty() || line.front() != '=') return;
    line = trim(line.substr(1));
    if (line == "-") {
        doc.removeValue(key, name);
    } else if (!line.empty() && line.front() == '"') {
        std::string text;
        if (takeQuoted(line, text)) doc.setValue(key, name, RegistryValue::string(std::move(text)));
    } else if (startsWithNoCase(line, "hex(7):")) {
        std::string bytes;
        if (parseHexBytes(line.substr(7), bytes)) doc.setValue(key, name, RegistryValue::multiString(splitMultiString(bytes)));
    } else if (startsWithNoCase(line, "hex(1):")) {
        std::string bytes;
        if (parseHexBytes(line.substr(7), bytes))
            doc.setValue(key, name, RegistryValue::string(bytes.substr(0, bytes.find('\0'))));
    } else if (!line.empty()) {
        doc.setValue(key, name, RegistryValue{RegistryValue::Kind::Raw, {}, std::string(line)});
    }
}

std::string homeDirectory() {
    if (const char* home = std::getenv("HOME"); home && *home) return home;
    if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) return pw->pw_dir;
    return ".";
}

std::string errnoText() { return std::strerror(errno); }

}  // namespace

std::string quoteRegistryString(std::string_view s) {
    std::string out = "\"";
    for (char c : s) {
        if (c == '\\' || c == '"') out += '\\';
        out += c;
    }
    return out + "\"";
}

std::string formatRegistryValue(std::string_view name, const RegistryValue& value) {
    std::string prefix = quotedName(name);
    switch (value.kind) {
        case RegistryValue::Kind::Raw:
            return prefix + "=" + value.raw;
        case RegistryValue::Kind::String: {
            const std::string& s = value.strings.empty() ? std::string() : value.strings.front();
            bool plain = std::none_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; });
            if (plain) return prefix + "=" + quoteRegistryString(s);
            prefix += "=hex(1):";  // a string a quoted line cannot hold
            return prefix + hexLines(prefix.size(), s + '\0');
        }
        case RegistryValue::Kind::MultiString: {
            std::string bytes;
            for (auto& s : value.strings)
                if (!s.empty()) bytes += s + '\0';
            bytes += '\0';
            prefix += "=hex(7):";
            return prefix + hexLines(prefix.size(), bytes);
        }
    }
    return prefix;
}

RegistryDocument RegistryDocument::parse(std::string_view text) {
    RegistryDocument doc;
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    std::string key;  // empty: no current key (values are skipped)
    std::string logical;
    size_t pos = 0;
    while (pos <= text.size()) {
        auto nl = text.find('\n', pos);
        std::string_view line = text.substr(pos, nl == std::string_view::npos ? std::string_view::npos : nl - pos);
        pos = nl == std::string_view::npos ? text.size() + 1 : nl + 1;
        line = trim(line);
        // A line ending in a backslash goes on in the next line (key lines end in ']').
        if (!line.empty() && line.back() == '\\' && line.front() != '[') {
            logical += line.substr(0, line.size() - 1);
            if (pos <= text.size()) continue;
        } else {
            logical += line;
        }
        std::string_view l = logical;
        if (l.empty() || l.front() == ';' || l.front() == '#') {
        } else if (l.front() == '[') {
            auto close = l.rfind(']');
            if (close == std::string_view::npos) {
                key.clear();
            } else if (l.size() > 1 && l[1] == '-') {
                doc.removeKey(normalizeKey(l.substr(2, close - 2)));
                key.clear();
            } else {
                key = normalizeKey(l.substr(1, close - 1));
                if (!key.empty()) doc.createKey(key);
            }
        } else if ((l.front() == '"' || l.front() == '@') && !key.empty()) {
            parseValueLine(doc, key, l);
        }
        logical.clear();
    }
    return doc;
}

std::string RegistryDocument::format() const {
    std::string out = "REGEDIT4\n\n";
    for (auto& k : keys_) {
        out += "[" + k.path + "]\n";
        for (auto& [name, value] : k.values) {
            if (value.kind == RegistryValue::Kind::MultiString) {
                // The hex bytes are not readable; the list is repeated in a comment above them.
                out += "; " + (name.empty() ? std::string("@") : name) + ":";
                for (auto& s : value.strings) out += " " + s;
                out += "\n";
            }
            out += formatRegistryValue(name, value) + "\n";
        }
        out += "\n";
    }
    return out;
}

RegistryDocument::Key* RegistryDocument::find(std::string_view key) {
    for (auto& k : keys_)
        if (sameName(k.path, key)) return &k;
    return nullptr;
}

const RegistryDocument::Key* RegistryDocument::find(std::string_view key) const {
    return const_cast<RegistryDocument*>(this)->find(key);
}

bool RegistryDocument::hasKey(std::string_view key) const { return find(normalizeKey(key)) != nullptr; }

bool RegistryDocument::createKey(std::string_view key) {
    std::string path = normalizeKey(key);
    if (path.empty() || find(path)) return false;
    keys_.push_back({path, {}});
    return true;
}

void RegistryDocument::removeKey(std::string_view key) {
    std::string path = normalizeKey(key);
    std::erase_if(keys_, [&](const Key& k) {
        return sameName(k.path, path) ||
               (k.path.size() > path.size() && k.path[path.size()] == '\\' && sameName(std::string_view(k.path).substr(0, path.size()), path));
    });
}

std::vector<std::string> RegistryDocument::keys() const {
    std::vector<std::string> out;
    for (auto& k : keys_) out.push_back(k.path);
    return out;
}

const RegistryValue* RegistryDocument::value(std::string_view key, std::string_view name) const {
    const Key* k = find(normalizeKey(key));
    if (!k) return nullptr;
    for (auto& [n, v] : k->values)
        if (sameName(n, name)) return &v;
    return nullptr;
}

void RegistryDocument::setValue(std::string_view key, std::string_view name, RegistryValue value) {
    std::string path = normalizeKey(key);
    if (path.empty()) return;
    createKey(path);
    Key* k = find(path);
    for (auto& [n, v] : k->values)
        if (sameName(n, name)) {
            v = std::move(value);
            return;
        }
    k->values.emplace_back(std::string(name), std::move(value));
}

void RegistryDocument::removeValue(std::string_view key, std::string_view name) {
    if (Key* k = find(normalizeKey(key))) std::erase_if(k->values, [&](auto& nv) { return sameName(nv.first, name); });
}

std::vector<std::string> RegistryDocument::valueNames(std::string_view key) const {
    std::vector<std::string> out;
    if (const Key* k = find(normalizeKey(key)))
        for (auto& nv : k->values) out.push_back(nv.first);
    return out;
}

std::string Registry::defaultPath() {
    if (const char* p = std::getenv("NORVEX_REGISTRY"); p && *p) return p;
    std::string config;
    if (const char* x = std::getenv("XDG_CONFIG_HOME"); x && *x == '/')
        config = x;
    else
        config = homeDirectory() + "/.config";
    return config + "/norvex/registry.reg";
}

Registry::Registry(std::string path) : path_(std::move(path)) {}

namespace {

// The file's text; true with empty text when it does not exist; false when it exists
// but cannot be read (a change must not overwrite what it could not read).
bool readText(const std::string& path, std::string& text, std::string* error) {
    text.clear();
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT) return true;
        if (error) *error = "cannot read " + path + ": " + errnoText();
        return false;
    }
    char buf[8192];
    ssize_t n;
    while ((n = ::read(fd, buf, sizeof buf)) != 0) {
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            if (error) *error = "cannot read " + path + ": " + errnoText();
            ::close(fd);
            return false;
        }
        text.append(buf, size_t(n));
    }
    ::close(fd);
    return true;
}

bool writeAll(int fd, const std::string& text) {
    size_t done = 0;
    while (done < text.size()) {
        ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += size_t(n);
    }
    return true;
}

// Writes text to a temporary file beside path and renames it into place.
bool replaceFile(const std::string& path, const std::string& text, std::string* error) {
    std::string tmp = path + ".XXXXXX";
    int fd = mkstemp(tmp.data());
    if (fd < 0) {
        if (error) *error = "cannot create a file beside " + path + ": " + errnoText();
        return false;
    }
    bool ok = fchmod(fd, 0644) == 0 && writeAll(fd, text) && fsync(fd) == 0;
    std::string why = ok ? std::string() : errnoText();
    if (::close(fd) != 0 && ok) {
        ok = false;
        why = errnoText();
    }
    if (ok && std::rename(tmp.c_str(), path.c_str()) != 0) {
        ok = false;
        why = errnoText();
    }
    if (!ok) {
        ::unlink(tmp.c_str());
        if (error) *error = "cannot write " + path + ": " + why;
    }
    return ok;
}

}  // namespace

RegistryDocument Registry::read() const {
    std::string text;
    readText(path_, text, nullptr);
    return RegistryDocument::parse(text);
}

bool Registry::update(const std::function<bool(RegistryDocument&)>& change, std::string* error) {
    std::error_code ec;
    auto dir = std::filesystem::path(path_).parent_path();
    if (!dir.empty()) std::filesystem::create_directories(dir, ec);
    // The lock lives in a file of its own: the registry file is replaced on every write,
    // so a lock on it would be a lock on a file that is about to go away.
    std::string lockPath = path_ + ".lock";
    int lockFd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (lockFd < 0) {
        if (error) *error = "cannot open " + lockPath + ": " + errnoText();
        return false;
    }
    int rc;
    while ((rc = flock(lockFd, LOCK_EX)) != 0 && errno == EINTR) {
    }
    bool ok = rc == 0;
    if (!ok && error) *error = "cannot lock " + lockPath + ": " + errnoText();
    std::string text;
    if (ok) ok = readText(path_, text, error);
    if (ok) {
        RegistryDocument doc = RegistryDocument::parse(text);
        if (change(doc)) ok = replaceFile(path_, doc.format(), error);
    }
    ::close(lockFd);  // releases the lock
    return ok;
}

}  // namespace host

namespace host {

std::vector<std::string> registeredLibraries(const RegistryDocument& doc, std::string_view className) {
    std::string name(className);
    std::replace(name.begin(), name.end(), '.', '/');
    auto slash = name.rfind('/');
    std::string packageKey = kClassesKey;
    if (slash != std::string::npos) packageKey += "\\" + name.substr(0, slash);
    std::vector<std::string> libs;
    auto addFrom = [&](const RegistryValue* v) {
        if (!v || v->kind == RegistryValue::Kind::Raw) return;
        for (auto& s : v->strings)
            if (!s.empty() && std::find(libs.begin(), libs.end(), s) == libs.end()) libs.push_back(s);
    };
    addFrom(doc.value(packageKey, "Modules"));
    addFrom(doc.value(kClassesKey, name));
    return libs;
}

}  // namespace host
