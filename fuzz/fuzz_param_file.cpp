// Parameter-file parsing on arbitrary text: never fails, and every stored name can be
// looked up again (names are kept in lower case).
#include <cstddef>
#include <cstdint>
#include <string>

#include "host/ui/Component.h"
#include "util/NxUtilConverter.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using norvex::util::NxUtilConverter;
    static auto comp = std::make_shared<host::Canvas>();
    std::string text(reinterpret_cast<const char*>(data), size);
    NxUtilConverter::setParamSource(comp.get(), text);
    auto v = NxUtilConverter::getParam(nullptr, comp.get(), std::string("Param"), "Color");
    if (v && v->find('\n') != std::string::npos) __builtin_trap();
    if (NxUtilConverter::getParam(nullptr, comp.get(), std::nullopt, "paramFile")) __builtin_trap();
    NxUtilConverter::setParamSource(comp.get(), std::nullopt);
    return 0;
}
