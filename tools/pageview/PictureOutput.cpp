#include "PictureOutput.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <vector>

#include "host/runtime/URL.h"

namespace fs = std::filesystem;

namespace tools {

namespace {

std::string defaultOutput(const std::string& page) {
    auto slash = page.find_last_of('/');
    auto dot = page.find_last_of('.');
    bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    return (hasExtension ? page.substr(0, dot) : page) + ".png";
}

// The local file of a page named by a path or a file: URL; empty for other URLs.
std::string localPage(const std::string& page) {
    if (!host::URL::hasScheme(page)) return page;
    try {
        host::URL url(page);
        return url.isFile() ? url.toLocalPath() : std::string();
    } catch (const host::IOException&) {
        return {};
    }
}

bool samePath(const std::string& a, const std::string& b) {
    std::error_code ec;
    if (fs::exists(a, ec) && fs::exists(b, ec)) return fs::equivalent(a, b, ec);
    return fs::weakly_canonical(a, ec) == fs::weakly_canonical(b, ec);
}

}  // namespace

std::string chooseOutput(const std::string& page, const std::optional<std::string>& given, std::string& error) {
    if (given && given->empty()) {
        error = "-o needs a file name (or - for standard output)";
        return {};
    }
    std::string out = given ? *given : defaultOutput(page);
    if (out == "-") return out;
    std::error_code ec;
    if (fs::is_directory(out, ec)) {
        error = "cannot write " + out + ": it is a directory";
        return {};
    }
    std::string local = localPage(page);
    if (!local.empty() && samePath(local, out)) {
        error = given ? "the picture would overwrite the page " + page + "; choose another name with -o"
                      : "the picture would overwrite the page " + page + " (its default name " + out +
                            " is the page itself); choose a name with -o";
        return {};
    }
    return out;
}

bool writeFileAtomically(const std::string& path, const std::string& bytes, std::string& error) {
    fs::path target(path);
    fs::path dir = target.parent_path();
    if (dir.empty()) dir = ".";
    std::string pattern = (dir / ("." + target.filename().string() + ".XXXXXX")).string();
    std::vector<char> temp(pattern.begin(), pattern.end());
    temp.push_back('\0');
    int fd = mkstemp(temp.data());
    if (fd < 0) {
        error = std::string("cannot create a file in ") + dir.string() + ": " + std::strerror(errno);
        return false;
    }
    // mkstemp makes the file private; give it the mode a new file (or the old one) has.
    struct stat old {};
    mode_t mode;
    if (::stat(path.c_str(), &old) == 0) {
        mode = old.st_mode & 07777;
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    bool ok = ::fchmod(fd, mode) == 0;
    const char* p = bytes.data();
    size_t left = bytes.size();
    while (ok && left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            ok = false;
            break;
        }
        p += n;
        left -= size_t(n);
    }
    int savedErrno = ok ? 0 : errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        savedErrno = errno;
    }
    if (ok && ::rename(temp.data(), path.c_str()) != 0) {
        ok = false;
        savedErrno = errno;
    }
    if (!ok) {
        ::unlink(temp.data());
        error = std::strerror(savedErrno ? savedErrno : EIO);
    }
    return ok;
}

}  // namespace tools
