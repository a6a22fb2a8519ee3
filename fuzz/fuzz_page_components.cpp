// Components built from page parameters: the page is parsed, its component created
// through the class runtime (widgets, charts, the renderer's trees) and shown and
// painted headless at a small size. Page problems may be reported; nothing may crash.
// URLs are never fetched (the page's time for fetching is zero).
#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <iostream>
#include <string>

#include "host/page/PageHost.h"
#include "host/runtime/Loader.h"
#include "tools/pageview/HostDemo.h"
#include "tools/pageview/RichTextDemo.h"
#include "tools/pageview/TreeDemo.h"
#include "chart/base/ChartDiagnostics.h"

namespace {

bool setUp() {
    auto& registry = host::ClassRegistry::instance();
    registry.add(tools::HostDemo::staticClass());
    registry.add(tools::ComponentTree::staticClass());
    registry.add(tools::FramedBox::staticClass());
    registry.add(tools::RichTextDemo::staticClass());
    host::Loader::loadComponentLibraries(host::Loader::libraryDir(), nullptr);
    // Reports of bad parameters are expected; keep the run readable.
    std::cerr.setstate(std::ios::failbit);
    norvex::chart::ChartDiagnostics::setSink([](const std::string&) {});
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool ready = setUp();
    (void)ready;
    if (size > 4096) return 0;
    std::string text(reinterpret_cast<const char*>(data), size);
    // Kernel files can be large or endless; the bounds of reading are tested elsewhere.
    if (text.find("/proc") != std::string::npos || text.find("/sys") != std::string::npos) return 0;
    static const host::URL base("file:/fuzz/pages/page.html");
    try {
        host::Page page = host::Page::parse(text, base);
        int w = std::clamp(page.applet.width, 1, 64), h = std::clamp(page.applet.height, 1, 48);
        host::PageHost view(page, w, h, std::make_shared<host::FetchSession>(std::chrono::milliseconds(0)));
        view.context()->setQuiet(true);
        view.show();
        if (!view.frame().getBuffer()) __builtin_trap();
    } catch (const host::IOException&) {
        // PageError: no usable applet or class; other I/O problems are reported as such.
    }
    return 0;
}
