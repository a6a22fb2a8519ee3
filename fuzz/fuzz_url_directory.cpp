// The directory-listing link scanner on arbitrary page text: the scan always moves
// forward and ends, and every listed entry lies inside the listed directory.
#include <cstddef>
#include <cstdint>
#include <string>

#include "host/runtime/URL.h"
#include "util/NxURLDirectory.h"

using norvex::util::NxURLDirectory;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 4096) return 0;
    std::string page(reinterpret_cast<const char*>(data), size);

    std::size_t pos = 0, refs = 0;
    std::string target;
    while (true) {
        std::size_t before = pos;
        bool found = NxURLDirectory::getNextRef(page, pos, target);
        if (pos > page.size() || (found && pos <= before)) __builtin_trap();
        if (!found) break;
        if (target.size() > page.size() || ++refs > page.size()) __builtin_trap();
    }
    (void)NxURLDirectory::parseRef(page);

    static const host::URL bases[] = {host::URL("file:/srv/files/index.html"),
                                      host::URL("http://files.example:8080/pub/data/"), host::URL("file:/")};
    for (const host::URL& base : bases) {
        for (const std::string& entry : NxURLDirectory::listEntries(base, page)) {
            // A name below the directory: not empty, not absolute, never climbing out.
            if (entry.empty() || entry[0] == '/' || entry == ".." || entry.compare(0, 3, "../") == 0 ||
                entry.find("/../") != std::string::npos || entry.find('?') != std::string::npos ||
                entry.find('#') != std::string::npos)
                __builtin_trap();
        }
    }
    return 0;
}
