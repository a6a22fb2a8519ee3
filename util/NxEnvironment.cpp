#include "util/NxEnvironment.h"

#include <atomic>
#include <mutex>
#include <string>
#include <sys/utsname.h>

#include "host/page/Applet.h"
#include "host/ui/Component.h"
#include "util/TextUtil.h"

namespace norvex::util {

namespace {

// The embedded host whose name the operating-system name would contain.
constexpr const char* kEmbeddedHostName = "EmbeddedHost";

std::atomic<int> os_kind{NxEnvironment::NOT_COMPUTED};
std::atomic<int> runtime_version{NxEnvironment::NOT_COMPUTED};
int browser_kind = NxEnvironment::NOT_COMPUTED;  // guarded by browserMutex()

std::mutex& browserMutex() {
    static std::mutex m;
    return m;
}

const bool embedded_os = std::string(NxEnvironment::osName()).find(kEmbeddedHostName) != std::string::npos;

}  // namespace

const char* NxEnvironment::osName() {
    static const std::string name = [] {
        struct utsname u {};
        if (uname(&u) != 0) return std::string("Unknown");
        return std::string(u.sysname);
    }();
    return name.c_str();
}

const char* NxEnvironment::runtimeVersionText() { return "1.1"; }
const char* NxEnvironment::runtimeVendorText() { return "Norvex host"; }

host::Applet* NxEnvironment::getApplet(host::Component* c) {
    for (host::Component* p = c; p; p = p->getParent())
        if (auto* a = dynamic_cast<host::Applet*>(p)) return a;
    return nullptr;
}

host::AppletContext* NxEnvironment::getAppletContext(host::Applet* a) { return a ? a->getAppletContext() : nullptr; }

bool NxEnvironment::inBrowser(host::Component* c) { return getAppletContext(getApplet(c)) != nullptr; }

int NxEnvironment::getOS() {
    int v = os_kind.load();
    if (v == NOT_COMPUTED) {
        std::string name = osName();
        v = (text::equalsIgnoreCase(name, "SunOS") || text::equalsIgnoreCase(name, "Solaris")) ? 1 : 0;
        os_kind.store(v);
    }
    return v;
}

int NxEnvironment::getRuntimeVersion() {
    int v = runtime_version.load();
    if (v == NOT_COMPUTED) {
        std::string version = runtimeVersionText();
        if (version.find("1.0.2") != std::string::npos) v = 102;
        else if (version.find("1.1") != std::string::npos) v = 110;
        runtime_version.store(v);
    }
    return v;
}

bool NxEnvironment::isEmbeddedOS() { return embedded_os; }

int NxEnvironment::getBrowser(host::Component* c) {
    std::lock_guard<std::mutex> g(browserMutex());
    if (!c || !c->hasPeer()) return browser_kind;
    if (!inBrowser(c)) {
        browser_kind = 1;
    } else {
        std::string vendor = runtimeVendorText();
        if (vendor.find("Sun") != std::string::npos) browser_kind = 2;
        else if (vendor.find("Netscape") != std::string::npos) browser_kind = 3;
        else if (vendor.find("Microsoft") != std::string::npos) browser_kind = 4;
        else browser_kind = 1;
    }
    return browser_kind;
}

}  // namespace norvex::util
