// Image decoding of arbitrary bytes: a decoded image or a failed one, never a crash.
#include <cstddef>
#include <cstdint>
#include <string>

#include "host/graphics/Image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto img = host::Image::decode(std::string(reinterpret_cast<const char*>(data), size), "fuzz");
    if (!img || (img->hasError() && img->errorMessage().empty())) __builtin_trap();
    return 0;
}
