// URL parsing and resolution on arbitrary text. The input is a base URL, a newline and
// a reference. Every URL either parses or throws MalformedURLException, and a parsed
// URL (absolute or resolved) reads back from its text form as the same URL.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "host/runtime/URL.h"

namespace {

std::optional<host::URL> parse(const std::string& spec) {
    try {
        return host::URL(spec);
    } catch (const host::MalformedURLException&) {
        return std::nullopt;
    }
}

void checkRoundTrip(const host::URL& u) {
    // White space at the end of a URL's text is trimmed when it is read, so a URL whose
    // text ends in a space (a path "/a " from "file:/a #x") cannot read back the same.
    const std::string text = u.toString();
    const bool trailingSpace = !text.empty() && text.back() == ' ';
    auto again = parse(text);
    if (!trailingSpace && (!again || *again != u || again->toString() != text)) __builtin_trap();
    (void)u.getFile();
    (void)u.getDefaultPort();
    if (u.getPort() < -1 || u.getPort() > 65535) __builtin_trap();
    try {
        (void)u.toLocalPath();
    } catch (const host::IOException&) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 4096) return 0;
    std::string text(reinterpret_cast<const char*>(data), size);
    size_t nl = text.find('\n');
    std::string baseText = text.substr(0, nl);
    std::string ref = nl == std::string::npos ? std::string() : text.substr(nl + 1);
    (void)host::URL::hasScheme(ref);

    auto base = parse(baseText);
    if (!base) return 0;
    checkRoundTrip(*base);
    try {
        checkRoundTrip(host::URL(*base, ref));
    } catch (const host::MalformedURLException&) {
    }
    try {
        checkRoundTrip(host::URL(base->getProtocol(), base->getHost(), base->getPort(), ref));
    } catch (const host::MalformedURLException&) {
    }
    return 0;
}
