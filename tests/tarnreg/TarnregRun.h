// Runs the built tarnreg as a program on a registry of its own, in a scratch folder.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace tarnregtest {

namespace fs = std::filesystem;

struct Result {
    int status = -1;
    std::string out;  // standard output and error together
};

inline std::string shellQuote(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

inline std::string readFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

inline fs::path fixture(const std::string& name) { return fs::path(TARNREG_FIXTURES) / ("lib" + name + ".so"); }

// A scratch folder with its own registry file, removed at the end.
class Scratch {
public:
    Scratch() {
        char tmpl[] = "/tmp/tarnreg-test-XXXXXX";
        dir_ = mkdtemp(tmpl);
    }
    ~Scratch() {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
    const fs::path& dir() const { return dir_; }
    fs::path registry() const { return dir_ / "config" / "registry.reg"; }
    std::string registryText() const { return readFile(registry()); }

    // The shell command that runs tarnreg with args in the scratch folder.
    std::string command(const std::vector<std::string>& args) const {
        std::string cmd = "cd " + shellQuote(dir_.string()) + " && NORVEX_REGISTRY=" + shellQuote(registry().string()) + " " +
                          shellQuote(TARNREG_PROGRAM);
        for (auto& a : args) cmd += " " + shellQuote(a);
        return cmd + " 2>&1";
    }

    Result run(const std::vector<std::string>& args) const {
        Result r;
        std::FILE* p = popen(command(args).c_str(), "r");
        if (!p) return r;
        char buf[4096];
        size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) r.out.append(buf, n);
        int st = pclose(p);
        r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
        return r;
    }

    // A copy of a fixture library under another file name in the scratch folder.
    fs::path copyOf(const std::string& fixtureName, const std::string& newName) const {
        fs::path to = dir_ / newName;
        fs::copy_file(fixture(fixtureName), to, fs::copy_options::overwrite_existing);
        return to;
    }

private:
    fs::path dir_;
};

}  // namespace tarnregtest
