#include "host/runtime/URL.h"

#include <curl/curl.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstring>
#include <algorithm>
#include <filesystem>
#include <utility>
#include <memory>
#include <mutex>

namespace host {

namespace {

bool isSchemeChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.';
}

std::string lower(std::string s) {
    for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string trim(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
    return s.substr(b, e - b);
}

// Length of the scheme at the start of s (not counting ":"), or 0 when there is none.
size_t schemeLength(const std::string& s) {
    if (s.empty() || !std::isalpha(static_cast<unsigned char>(s[0]))) return 0;
    size_t i = 1;
    while (i < s.size() && isSchemeChar(s[i])) ++i;
    return i < s.size() && s[i] == ':' ? i : 0;
}

// The parts of a reference after its scheme: [//authority][path][?query][#ref].
struct Parts {
    bool hasAuthority = false;
    std::string authority;
    std::string path;
    bool hasQuery = false;
    std::string query;
    bool hasRef = false;
    std::string ref;
};

Parts splitReference(const std::string& s) {
    Parts p;
    size_t i = 0;
    size_t hash = s.find('#');
    std::string body = s;
    if (hash != std::string::npos) {
        p.hasRef = true;
        p.ref = s.substr(hash + 1);
        body = s.substr(0, hash);
    }
    size_t q = body.find('?');
    if (q != std::string::npos) {
        p.hasQuery = true;
        p.query = body.substr(q + 1);
        body.resize(q);
    }
    if (body.compare(0, 2, "//") == 0) {
        p.hasAuthority = true;
        size_t end = body.find('/', 2);
        if (end == std::string::npos) end = body.size();
        p.authority = body.substr(2, end - 2);
        i = end;
    }
    p.path = body.substr(i);
    return p;
}

// RFC 3986 section 5.2.4: resolves "." and ".." segments.
std::string removeDotSegments(const std::string& path) {
    std::string in = path, out;
    auto popLast = [&out] {
        size_t slash = out.rfind('/');
        out.resize(slash == std::string::npos ? 0 : slash);
    };
    while (!in.empty()) {
        if (in.compare(0, 3, "../") == 0) {
            in.erase(0, 3);
        } else if (in.compare(0, 2, "./") == 0) {
            in.erase(0, 2);
        } else if (in.compare(0, 3, "/./") == 0) {
            in.erase(0, 2);
        } else if (in == "/.") {
            in = "/";
        } else if (in.compare(0, 4, "/../") == 0) {
            in.erase(0, 3);
            popLast();
        } else if (in == "/..") {
            in = "/";
            popLast();
        } else if (in == "." || in == "..") {
            in.clear();
        } else {
            size_t next = in.find('/', in[0] == '/' ? 1 : 0);
            if (next == std::string::npos) next = in.size();
            out.append(in, 0, next);
            in.erase(0, next);
        }
    }
    return out;
}

std::string percentEncodePath(const std::string& s) {
    static const char* hex = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : s) {
        if (std::isalnum(c) || std::strchr("-._~!$&'()*+,;=:@/", c) != nullptr) {
            out += char(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string percentDecode(const std::string& s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '%' && i + 2 < s.size() && hexValue(s[i + 1]) >= 0 && hexValue(s[i + 2]) >= 0) {
            out += char(hexValue(s[i + 1]) * 16 + hexValue(s[i + 2]));
            i += 2;
        } else {
            out += s[i];
        }
    }
    return out;
}

// Characters that curl would reject or misread (spaces, control and non-ASCII bytes).
std::string encodeForTransport(const std::string& s) {
    static const char* hex = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : s) {
        if (c <= ' ' || c >= 0x7f || c == '"' || c == '<' || c == '>' || c == '\\' || c == '^' || c == '`' ||
            c == '{' || c == '|' || c == '}') {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        } else {
            out += char(c);
        }
    }
    return out;
}

void initCurlOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

constexpr size_t kMaxDownload = URL::kMaxRead;

std::string sizeText(size_t bytes) {
    constexpr size_t MiB = size_t(1) << 20;
    if (bytes >= MiB && bytes % MiB == 0) return std::to_string(bytes / MiB) + " MiB";
    return std::to_string(bytes) + " bytes";
}

struct Download {
    std::string data;
    bool tooLarge = false;
};

size_t writeBody(char* ptr, size_t size, size_t nmemb, void* user) {
    auto* d = static_cast<Download*>(user);
    size_t n = size * nmemb;
    if (d->data.size() + n > kMaxDownload) {
        d->tooLarge = true;
        return 0;
    }
    d->data.append(ptr, n);
    return n;
}

std::string fetchHttp(const std::string& url, std::chrono::milliseconds left) {
    initCurlOnce();
    std::unique_ptr<CURL, void (*)(CURL*)> h(curl_easy_init(), curl_easy_cleanup);
    if (!h) throw IOException("Cannot read URL " + url + ": could not start a transfer");
    Download d;
    char err[CURL_ERROR_SIZE] = {0};
    CURL* c = h.get();
    const long total = long(std::min<int64_t>(30000, std::max<int64_t>(1, left.count())));
    curl_easy_setopt(c, CURLOPT_URL, url.c_str());
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(c, CURLOPT_MAXREDIRS, 10L);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, std::min(10000L, total));
    curl_easy_setopt(c, CURLOPT_TIMEOUT_MS, total);
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_NOPROXY, "localhost,127.0.0.1,::1");
    curl_easy_setopt(c, CURLOPT_ACCEPT_ENCODING, "");
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, writeBody);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, &d);
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, err);
    CURLcode rc = curl_easy_perform(c);
    if (d.tooLarge)
        throw IOException("Cannot read URL " + url + ": the resource is larger than " + sizeText(kMaxDownload));
    if (rc != CURLE_OK)
        throw IOException("Cannot read URL " + url + ": " + (err[0] ? std::string(err) : curl_easy_strerror(rc)));
    long status = 0;
    curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &status);
    if (status >= 400)
        throw IOException("Server returned HTTP response code: " + std::to_string(status) + " for URL: " + url);
    return std::move(d.data);
}

// A transfer within the current page's session: a URL that failed before fails again
// at once, and no transfer starts once the page's time for fetching is used up.
std::string readHttp(const std::string& url) {
    auto session = FetchSession::current();
    if (!session) return fetchHttp(url, std::chrono::milliseconds(30000));
    if (auto earlier = session->failure(url)) throw IOException(*earlier);
    auto left = session->remaining();
    if (left.count() <= 0) {
        std::string msg = "Cannot read URL " + url + ": the page's " + std::to_string(session->budget().count() / 1000) +
                          " s for fetching are used up";
        session->recordFailure(url, msg);
        throw IOException(msg);
    }
    try {
        return fetchHttp(url, left);
    } catch (const IOException& e) {
        session->recordFailure(url, e.what());
        throw;
    }
}

std::mutex& currentSessionMutex() {
    static std::mutex m;
    return m;
}

std::shared_ptr<FetchSession>& currentSessionSlot() {
    static std::shared_ptr<FetchSession> slot;
    return slot;
}

}  // namespace

URL::URL(const std::string& spec) { parseAbsolute(spec); }

URL::URL(const std::string& protocol, const std::string& host, int port, const std::string& file) {
    std::string spec = protocol + "://" + host;
    if (port >= 0) spec += ":" + std::to_string(port);
    if (!file.empty() && file[0] != '/') spec += "/";
    spec += file;
    parseAbsolute(spec);
}

void URL::parseAbsolute(const std::string& rawSpec) {
    std::string spec = trim(rawSpec);
    size_t n = schemeLength(spec);
    if (n == 0) throw MalformedURLException("no protocol: " + spec);
    for (char c : spec)
        if (static_cast<unsigned char>(c) < ' ' || c == 0x7f)
            throw MalformedURLException("illegal character in URL: " + spec);
    protocol_ = lower(spec.substr(0, n));
    Parts p = splitReference(spec.substr(n + 1));
    hasAuthority_ = p.hasAuthority;
    host_.clear();
    port_ = -1;
    if (p.hasAuthority) {
        std::string auth = p.authority;
        size_t at = auth.rfind('@');
        if (at != std::string::npos) auth.erase(0, at + 1);  // user information is not kept
        size_t portSep = std::string::npos;
        if (!auth.empty() && auth[0] == '[') {
            size_t close = auth.find(']');
            if (close == std::string::npos) throw MalformedURLException("invalid IPv6 address in URL: " + spec);
            if (close + 1 < auth.size()) {
                if (auth[close + 1] != ':') throw MalformedURLException("invalid authority in URL: " + spec);
                portSep = close + 1;
            }
        } else {
            portSep = auth.find(':');
        }
        if (portSep != std::string::npos) {
            std::string port = auth.substr(portSep + 1);
            auth.resize(portSep);
            if (!port.empty()) {
                if (port.size() > 5 || port.find_first_not_of("0123456789") != std::string::npos ||
                    std::stoi(port) > 65535)
                    throw MalformedURLException("invalid port number in URL: " + spec);
                port_ = std::stoi(port);
            }
        }
        // A space cannot be part of a host name (and would be lost at the end of the text).
        if (auth.find(' ') != std::string::npos) throw MalformedURLException("invalid host in URL: " + spec);
        host_ = auth;
    }
    if ((protocol_ == "http" || protocol_ == "https") && host_.empty())
        throw MalformedURLException("no host in URL: " + spec);
    path_ = p.hasAuthority || (!p.path.empty() && p.path[0] == '/') ? removeDotSegments(p.path) : p.path;
    if (protocol_ == "file" && path_.empty()) path_ = "/";
    hasQuery_ = p.hasQuery;
    query_ = p.query;
    hasRef_ = p.hasRef;
    ref_ = p.ref;
}

URL::URL(const URL& base, const std::string& rawSpec) {
    std::string spec = trim(rawSpec);
    if (schemeLength(spec) != 0) {
        parseAbsolute(spec);
        return;
    }
    for (char c : spec)
        if (static_cast<unsigned char>(c) < ' ' || c == 0x7f)
            throw MalformedURLException("illegal character in URL: " + spec);
    Parts r = splitReference(spec);
    if (r.hasAuthority) {
        // A network-path reference: parse it under the base's scheme.
        parseAbsolute(base.protocol_ + ":" + spec);
        return;
    }
    protocol_ = base.protocol_;
    host_ = base.host_;
    port_ = base.port_;
    hasAuthority_ = base.hasAuthority_;
    if (r.path.empty()) {
        path_ = base.path_;
        hasQuery_ = r.hasQuery || base.hasQuery_;
        query_ = r.hasQuery ? r.query : base.query_;
    } else {
        if (r.path[0] == '/') {
            path_ = removeDotSegments(r.path);
        } else {
            std::string merged;
            if ((hasAuthority_ || !host_.empty()) && base.path_.empty()) {
                merged = "/" + r.path;
            } else {
                size_t slash = base.path_.rfind('/');
                merged = (slash == std::string::npos ? std::string() : base.path_.substr(0, slash + 1)) + r.path;
            }
            path_ = removeDotSegments(merged);
        }
        hasQuery_ = r.hasQuery;
        query_ = r.query;
    }
    if (protocol_ == "file" && path_.empty()) path_ = "/";
    hasRef_ = r.hasRef;
    ref_ = r.ref;
}

URL URL::fromFile(const std::string& path) {
    std::error_code ec;
    std::filesystem::path abs = std::filesystem::absolute(path.empty() ? std::string(".") : path, ec);
    if (ec) throw IOException("Cannot make an absolute path of '" + path + "': " + ec.message());
    URL u;
    u.protocol_ = "file";
    u.path_ = removeDotSegments(percentEncodePath(abs.string()));
    if (u.path_.empty()) u.path_ = "/";
    return u;
}

bool URL::hasScheme(const std::string& text) {
    // A single letter before ":" is a drive name, not a scheme.
    return schemeLength(trim(text)) >= 2;
}

int URL::getDefaultPort() const {
    if (protocol_ == "http") return 80;
    if (protocol_ == "https") return 443;
    return -1;
}

std::string URL::getFile() const { return hasQuery_ ? path_ + "?" + query_ : path_; }

std::string URL::toString() const {
    std::string s = protocol_ + ":";
    // A path that starts with "//" needs the (empty) authority in front, or it would read
    // back as a host name.
    if (hasAuthority_ || !host_.empty() || path_.compare(0, 2, "//") == 0) {
        s += "//" + host_;
        if (port_ >= 0) s += ":" + std::to_string(port_);
    }
    s += path_;
    if (hasQuery_) s += "?" + query_;
    if (hasRef_) s += "#" + ref_;
    return s;
}

bool URL::operator==(const URL& o) const {
    auto effectivePort = [](const URL& u) { return u.port_ >= 0 ? u.port_ : u.getDefaultPort(); };
    return protocol_ == o.protocol_ && lower(host_) == lower(o.host_) && effectivePort(*this) == effectivePort(o) &&
           path_ == o.path_ && hasQuery_ == o.hasQuery_ && query_ == o.query_ && hasRef_ == o.hasRef_ &&
           ref_ == o.ref_;
}

std::string URL::toLocalPath() const {
    if (!isFile()) throw IOException("Not a file URL: " + toString());
    if (!host_.empty() && lower(host_) != "localhost") throw IOException("Not a local file URL: " + toString());
    std::string p = percentDecode(path_);
    if (p.find('\0') != std::string::npos) throw IOException("Invalid file name in URL: " + toString());
    return p;
}

std::string URL::openStream() const {
    if (protocol_ == "http" || protocol_ == "https") {
        std::string noRef = protocol_ + "://" + host_ + (port_ >= 0 ? ":" + std::to_string(port_) : "") + getFile();
        return readHttp(encodeForTransport(noRef));
    }
    if (!isFile()) throw IOException("Unsupported protocol '" + protocol_ + "' in URL: " + toString());
    return readFile(toLocalPath());
}

std::string URL::readFile(const std::string& path, size_t limit) {
    auto fail = [&path](const std::string& why) { return IOException("Cannot read file '" + path + "': " + why); };
    // Opened without blocking, so a FIFO with no writer is refused instead of waited on.
    struct File {
        int fd;
        ~File() {
            if (fd >= 0) ::close(fd);
        }
    } file{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
    const int fd = file.fd;
    if (fd < 0) throw IOException("Cannot open file '" + path + "': " + std::strerror(errno));
    struct stat st {};
    if (::fstat(fd, &st) != 0) throw fail(std::strerror(errno));
    if (S_ISDIR(st.st_mode)) throw fail("it is a directory");
    if (!S_ISREG(st.st_mode)) throw fail("it is not a regular file");
    if (uint64_t(st.st_size) > limit) throw fail("it is larger than the limit of " + sizeText(limit));
    std::string data;
    data.reserve(size_t(st.st_size));
    char buf[65536];
    while (true) {
        ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) throw fail(std::strerror(errno));
        if (n == 0) break;
        // A file that grows while it is read is held to the same limit.
        if (data.size() + size_t(n) > limit) throw fail("it is larger than the limit of " + sizeText(limit));
        data.append(buf, size_t(n));
    }
    return data;
}

FetchSession::FetchSession(std::chrono::milliseconds budget)
    : budget_(budget), deadline_(std::chrono::steady_clock::now() + budget) {}

std::shared_ptr<FetchSession> FetchSession::current() {
    std::lock_guard lock(currentSessionMutex());
    return currentSessionSlot();
}

FetchSession::Scope::Scope(std::shared_ptr<FetchSession> session) {
    std::lock_guard lock(currentSessionMutex());
    previous_ = std::exchange(currentSessionSlot(), std::move(session));
}

FetchSession::Scope::~Scope() {
    std::lock_guard lock(currentSessionMutex());
    currentSessionSlot() = std::move(previous_);
}

std::optional<std::string> FetchSession::failure(const std::string& url) const {
    std::lock_guard lock(mutex_);
    auto it = failures_.find(url);
    if (it == failures_.end()) return std::nullopt;
    return it->second;
}

void FetchSession::recordFailure(const std::string& url, const std::string& message) {
    std::lock_guard lock(mutex_);
    failures_.emplace(url, message);
}

std::chrono::milliseconds FetchSession::remaining() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(deadline_ - std::chrono::steady_clock::now());
}

std::vector<std::string> URL::readLines() const { return splitLines(openStream()); }

std::vector<std::string> URL::splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string cur;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\n' || c == '\r') {
            lines.push_back(std::move(cur));
            cur.clear();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            cur += c;
        }
    }
    if (!cur.empty()) lines.push_back(std::move(cur));
    return lines;
}

}  // namespace host
