// Page parsing on arbitrary text: it must either succeed or throw PageError.
#include <cstddef>
#include <cstdint>
#include <string>

#include "host/page/Page.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const host::URL base("file:/fuzz/page.html");
    try {
        host::Page p = host::Page::parse(std::string(reinterpret_cast<const char*>(data), size), base);
        if (p.applet.code.empty() || p.applet.width <= 0 || p.applet.height <= 0) __builtin_trap();
    } catch (const host::PageError&) {
    }
    return 0;
}
