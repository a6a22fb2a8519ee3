// Questions about the host: operating-system kind, runtime generation, embedding
// browser, and the page a component belongs to. Answers are computed once.
#pragma once

namespace host {
class Applet;
class AppletContext;
class Component;
}  // namespace host

namespace norvex::util {

class NxEnvironment {
public:
    NxEnvironment() = delete;

    // Marker of an answer that is not known yet.
    static constexpr int NOT_COMPUTED = -1;

    // The first Applet on the way from c up its parents (c included); null for null.
    static host::Applet* getApplet(host::Component* c);
    // The page context of a, or null.
    static host::AppletContext* getAppletContext(host::Applet* a);
    // Whether c sits in a page that has a context.
    static bool inBrowser(host::Component* c);
    // 1 when the operating system is "SunOS" or "Solaris" (any case), else 0.
    static int getOS();
    // 102 for a 1.0.2 host runtime, 110 for 1.1 (this host delivers listener-style events
    // and does not lay out on reshape, so it answers 110).
    static int getRuntimeVersion();
    // Whether the operating-system name names the embedded host.
    static bool isEmbeddedOS();
    // For a component with a peer: 1 outside a browser, else by the runtime's vendor
    // (2, 3, 4, or 1 for any other). For a component without a peer the cached answer.
    static int getBrowser(host::Component* c);

    // The texts the answers come from.
    static const char* osName();
    static const char* runtimeVersionText();
    static const char* runtimeVendorText();
};

}  // namespace norvex::util
