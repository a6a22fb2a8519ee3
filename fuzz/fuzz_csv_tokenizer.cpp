// The comma-separated-value tokenizer on arbitrary text: the counted tokens are
// exactly the ones returned, and positions only move forward.
#include <cstddef>
#include <cstdint>
#include <string>

#include "util/NxCSVTokenizer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using norvex::util::NxCSVTokenizer;
    std::string s(reinterpret_cast<const char*>(data), size);
    NxCSVTokenizer t(s);
    int n = t.countTokens();
    int seen = 0;
    int last = -1;
    while (t.hasMoreTokens()) {
        auto tok = t.nextToken();
        if (tok && tok->empty()) __builtin_trap();
        if (t.getPosition() <= last) __builtin_trap();
        last = t.getPosition();
        ++seen;
    }
    if (seen != n) __builtin_trap();
    return 0;
}
