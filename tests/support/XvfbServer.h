// A private Xvfb server for window tests, and XTEST input loaded at run time (so a
// test program needs no extra link library). The server runs on a display number
// derived from the process id; without Xvfb on the PATH, start() fails and tests skip.
#pragma once

#include <dlfcn.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "Eventually.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace testsupport {

inline bool onPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::string p = path ? path : "/usr/bin:/bin";
    for (size_t start = 0; start <= p.size();) {
        size_t end = p.find(':', start);
        if (end == std::string::npos) end = p.size();
        if (::access((p.substr(start, end - start) + "/" + program).c_str(), X_OK) == 0) return true;
        start = end + 1;
    }
    return false;
}

struct XTest {
    int (*button)(Display*, unsigned, int, unsigned long) = nullptr;
    int (*motion)(Display*, int, int, int, unsigned long) = nullptr;
    int (*key)(Display*, unsigned, int, unsigned long) = nullptr;
    bool load() {
        void* lib = dlopen("libXtst.so.6", RTLD_NOW);
        if (!lib) return false;
        button = reinterpret_cast<decltype(button)>(dlsym(lib, "XTestFakeButtonEvent"));
        motion = reinterpret_cast<decltype(motion)>(dlsym(lib, "XTestFakeMotionEvent"));
        key = reinterpret_cast<decltype(key)>(dlsym(lib, "XTestFakeKeyEvent"));
        return button && motion && key;
    }
};

class XvfbServer {
public:
    ~XvfbServer() { stop(); }

    // Starts the server and connects; false when Xvfb is missing or does not come up.
    bool start(int salt) {
        if (!onPath("Xvfb")) return false;
        for (int attempt = 0; attempt < 5 && !dpy; ++attempt) {
            int n = 100 + int((getpid() + salt + attempt * 131) % 800);
            if (::access(("/tmp/.X" + std::to_string(n) + "-lock").c_str(), F_OK) == 0) continue;
            std::string name = ":" + std::to_string(n);
            pid_t child = fork();
            if (child == 0) {
                int null = ::open("/dev/null", O_WRONLY);
                if (null >= 0) {
                    dup2(null, 1);
                    dup2(null, 2);
                }
                execlp("Xvfb", "Xvfb", name.c_str(), "-screen", "0", "800x600x24", "-nolisten", "tcp", (char*)nullptr);
                _exit(127);
            }
            if (child < 0) return false;
            bool exited = false;
            eventually([&] {
                if (waitpid(child, nullptr, WNOHANG) == child) return exited = true;
                return (dpy = XOpenDisplay(name.c_str())) != nullptr;
            }, std::chrono::milliseconds(5000));
            if (dpy) {
                pid = child;
                display = name;
            } else if (!exited) {
                kill(child, SIGKILL);
                waitpid(child, nullptr, 0);
            }
        }
        return dpy && xtest.load();
    }

    void stop() {
        if (dpy) XCloseDisplay(dpy);
        dpy = nullptr;
        if (pid > 0) {
            kill(pid, SIGTERM);
            if (!eventually([&] { return waitpid(pid, nullptr, WNOHANG) == pid; }, std::chrono::milliseconds(3000))) {
                kill(pid, SIGKILL);
                waitpid(pid, nullptr, 0);
            }
        }
        pid = 0;
    }

    pid_t pid = 0;
    std::string display;
    Display* dpy = nullptr;
    XTest xtest;
};

}  // namespace testsupport
