// Uniform resource locators: parsing, resolution of relative references against a
// base, and reading the whole resource behind file:, http: and https: URLs.
#pragma once

#include <chrono>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "host/base/IOException.h"

namespace host {

// A URL text that cannot be parsed, or that names no protocol.
class MalformedURLException : public IOException {
public:
    using IOException::IOException;
};

// Remembers, for one page, the URLs whose fetching failed and bounds the total time
// the page spends fetching: a URL that failed fails again at once with the same
// message, and once the deadline has passed no new transfer starts. Transfers are
// bounded by what is left of the deadline.
class FetchSession {
public:
    static constexpr std::chrono::milliseconds kPageBudget{60000};

    explicit FetchSession(std::chrono::milliseconds budget = kPageBudget);

    // The session of the page being shown, or null; fetching without one has only the
    // per-transfer limits.
    static std::shared_ptr<FetchSession> current();
    // Makes session the current one while the scope lives (process-wide: a page's
    // components may fetch on any thread), then restores the one before.
    class Scope {
    public:
        explicit Scope(std::shared_ptr<FetchSession> session);
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        std::shared_ptr<FetchSession> previous_;
    };

    // The message of an earlier failure of url, or nullopt.
    std::optional<std::string> failure(const std::string& url) const;
    void recordFailure(const std::string& url, const std::string& message);
    // Time left before the deadline (zero or less once it has passed).
    std::chrono::milliseconds remaining() const;
    std::chrono::milliseconds budget() const { return budget_; }

private:
    mutable std::mutex mutex_;
    std::chrono::milliseconds budget_;
    std::chrono::steady_clock::time_point deadline_;
    std::unordered_map<std::string, std::string> failures_;
};

class URL {
public:
    // An absolute URL: "file:/abs/path", "file:///abs/path", "http://host:port/path?query#ref".
    // Throws MalformedURLException.
    explicit URL(const std::string& spec);
    // spec resolved against base: a spec with a scheme stands alone; "//host/..." keeps the
    // base's scheme; "/path" keeps its authority; "a/b", "../x", "?q" and "#ref" are relative.
    URL(const URL& base, const std::string& spec);
    // From the parts; file must begin with "/" (one is added otherwise). port -1 means default.
    URL(const std::string& protocol, const std::string& host, int port, const std::string& file);
    URL(const std::string& protocol, const std::string& host, const std::string& file)
        : URL(protocol, host, -1, file) {}

    // An absolute file: URL for a local path, made absolute against the working directory.
    static URL fromFile(const std::string& path);
    // True when text starts with a scheme ("http:", "file:"), so it is not a local path.
    static bool hasScheme(const std::string& text);

    const std::string& getProtocol() const { return protocol_; }  // lower case, "http"
    const std::string& getHost() const { return host_; }
    int getPort() const { return port_; }  // -1 when the URL names none
    int getDefaultPort() const;            // 80, 443, or -1
    // The path with the query: "/dir/data.txt?x=1".
    std::string getFile() const;
    const std::string& getPath() const { return path_; }
    // The query without "?", or "" when there is none.
    const std::string& getQuery() const { return query_; }
    // The fragment without "#", or "" when there is none.
    const std::string& getRef() const { return ref_; }
    bool hasRef() const { return hasRef_; }
    bool isFile() const { return protocol_ == "file"; }

    std::string toString() const;
    // Same resource and fragment: scheme and host compared ignoring case.
    bool operator==(const URL& o) const;
    bool operator!=(const URL& o) const { return !(*this == o); }

    // The local path of a file: URL, percent-decoded. Throws IOException for other URLs.
    std::string toLocalPath() const;

    // The whole resource, at most kMaxRead bytes. file: through the file system (only
    // regular files); http:/https: following redirects, with a 10 s connect and 30 s
    // total limit, within the current FetchSession; an HTTP status of 400 or more is an
    // error. Throws IOException naming the file or URL.
    std::string openStream() const;
    std::string readAll() const { return openStream(); }
    // The resource's lines without their terminators ("\n", "\r\n" or "\r").
    std::vector<std::string> readLines() const;

    // The largest resource read, local or remote (256 MiB).
    static constexpr size_t kMaxRead = size_t(256) << 20;
    // The whole local file at path: refuses what is not a regular file (devices, FIFOs,
    // directories) and files larger than limit. Throws IOException naming the file.
    static std::string readFile(const std::string& path, size_t limit = kMaxRead);

    // Splits text into lines the way readLines does.
    static std::vector<std::string> splitLines(const std::string& text);

private:
    URL() = default;
    void parseAbsolute(const std::string& spec);

    std::string protocol_;
    std::string host_;
    int port_ = -1;
    bool hasAuthority_ = false;  // "//" present (possibly with an empty host)
    std::string path_;
    std::string query_;
    bool hasQuery_ = false;
    std::string ref_;
    bool hasRef_ = false;
};

}  // namespace host
