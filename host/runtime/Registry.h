// The class runtime's registry: keys holding named string and multi-string values,
// kept in one human-readable file in the registration-file syntax ("REGEDIT4",
// "[key]" lines, "name"="value" and "name"=hex(7):... lines).
//
// The file lives at $NORVEX_REGISTRY when that is set, else at
// $XDG_CONFIG_HOME/norvex/registry.reg, else at ~/.config/norvex/registry.reg.
// Reading is tolerant (CRLF, continuation lines, comments and unknown lines are
// skipped); every change is a read-modify-write under an exclusive lock on a
// companion lock file, written to a temporary file and renamed into place, so
// two processes changing it at once lose nothing and readers never see half a file.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace host {

struct RegistryValue {
    enum class Kind { String, MultiString, Raw };
    Kind kind = Kind::String;
    std::vector<std::string> strings;  // one for String; the list for MultiString
    std::string raw;                   // the text after '=' for types kept as they are

    static RegistryValue string(std::string s) { return {Kind::String, {std::move(s)}, {}}; }
    static RegistryValue multiString(std::vector<std::string> list) { return {Kind::MultiString, std::move(list), {}}; }
    bool operator==(const RegistryValue&) const = default;
};

// The keys and values of a registry, in memory. Keys are full paths with backslashes
// ("HKEY_CLASSES_ROOT\TARNCLASSES\norvex/chart"); they keep the order they were made in.
// Key and value names ignore ASCII case, as registry names do.
class RegistryDocument {
public:
    // Parses registration-file text; lines that are not understood are skipped.
    static RegistryDocument parse(std::string_view text);
    // The whole document as registration-file text, starting with "REGEDIT4".
    std::string format() const;

    bool hasKey(std::string_view key) const;
    // Creates the key (and nothing else); returns true when it did not exist.
    bool createKey(std::string_view key);
    void removeKey(std::string_view key);
    std::vector<std::string> keys() const;

    const RegistryValue* value(std::string_view key, std::string_view name) const;
    // Sets a value, creating its key when needed.
    void setValue(std::string_view key, std::string_view name, RegistryValue value);
    void removeValue(std::string_view key, std::string_view name);
    // The value names of a key, in the order they were set.
    std::vector<std::string> valueNames(std::string_view key) const;

private:
    struct Key {
        std::string path;
        std::vector<std::pair<std::string, RegistryValue>> values;
    };
    Key* find(std::string_view key);
    const Key* find(std::string_view key) const;
    std::vector<Key> keys_;
};

// One value line of a registration file: "name"="text" for a string, "name"=hex(7):... for
// a multi-string (bytes as two-digit lower-case hex, each followed by a comma, the line
// continued with "\", newline and two spaces once its column counter passes 79).
std::string formatRegistryValue(std::string_view name, const RegistryValue& value);
// A quoted registration-file string with backslashes and quotation marks escaped.
std::string quoteRegistryString(std::string_view s);

// The per-user registry file.
class Registry {
public:
    static std::string defaultPath();
    explicit Registry(std::string path = defaultPath());

    const std::string& path() const { return path_; }

    // The current contents; empty when the file does not exist yet.
    RegistryDocument read() const;
    // Runs change on the current contents under the lock and writes the result back
    // (only when change returns true). False and a one-line reason in error on failure.
    bool update(const std::function<bool(RegistryDocument&)>& change, std::string* error);

private:
    std::string path_;
};

}  // namespace host

namespace host {

// The key under which the class runtime finds libraries: package keys below it hold the
// multi-string "Modules"; values named after classes sit on it directly.
inline constexpr const char* kClassesKey = "HKEY_CLASSES_ROOT\\TARNCLASSES";

// The library file names registered for a fully qualified class ("norvex.chart.NxChart"):
// those of its package ("Modules" of TARNCLASSES\norvex/chart, or of TARNCLASSES itself for
// the default package) first, then the one registered to the class itself.
std::vector<std::string> registeredLibraries(const RegistryDocument& doc, std::string_view className);

}  // namespace host
