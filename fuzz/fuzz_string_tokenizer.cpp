// The delimiter tokenizer on arbitrary text: the counted tokens are exactly the ones
// returned, and positions only move forward.
#include <cstddef>
#include <cstdint>
#include <string>

#include "util/NxStringTokenizer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using norvex::util::NxStringTokenizer;
    if (size < 2) return 0;
    char delim = char(data[0]);
    bool strip = data[1] & 1;
    std::string s(reinterpret_cast<const char*>(data + 2), size - 2);

    NxStringTokenizer t(s);
    t.strip_esc = strip;
    int n = t.countTokens(delim);
    int seen = 0;
    int last = -1;
    while (t.hasMoreTokens()) {
        t.nextToken(delim);
        if (t.getPosition() <= last) __builtin_trap();
        last = t.getPosition();
        ++seen;
    }
    if (seen != n) __builtin_trap();

    NxStringTokenizer w(s);
    while (auto tok = w.nextToken())
        if (tok->empty()) __builtin_trap();
    NxStringTokenizer::parse(s, delim);
    return 0;
}
