// Colours, fonts, enumerations and the other value conversions on arbitrary text:
// they must return a value or their default, never fail; written-back forms must
// read back to the same value.
#include <cstddef>
#include <cstdint>
#include <iostream>
#include <string>

#include "host/ui/Component.h"
#include "util/NxUtilConverter.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using C = norvex::util::NxUtilConverter;
    static const bool quiet = [] {
        std::cerr.setstate(std::ios::failbit);  // the conversions report bad values
        return true;
    }();
    (void)quiet;
    std::string s(reinterpret_cast<const char*>(data), size);

    if (auto c = C::toColor(s)) {
        auto back = C::toColor(C::fromColor(c));
        if (!back || back->getRGB() != c->getRGB()) __builtin_trap();
    }
    C::toColorList(s);
    if (auto f = C::toFont(s)) {
        auto back = C::toFont(C::fromFont(*f));
        if (!back || !(*back == *f)) __builtin_trap();
    }
    static const std::vector<std::string> names{"LEFT", "CENTER", "RIGHT"};
    static const std::vector<int> values{0, 1, 2};
    C::toEnum(s, "Alignment", names, values, 0);
    C::toEnum(s, "Long", names, std::vector<int64_t>{1, 2, 3}, int64_t(0));
    static const std::vector<std::vector<std::string>> table{{"orientation", "HORIZONTAL", "VERTICAL"}, {"x"}};
    static const std::vector<std::vector<int>> tv{{0, 1}, {}};
    C::toEnum(s, "int", "orientation", table, tv, 0);
    C::toEnumList(s, "Alignment", names, values, {1});
    C::toInt(s, 0);
    C::toDouble(s, 0.0);
    C::toIntList(s, ',');
    C::toDoubleList(s, ';');
    C::toInsets(s, {});
    C::toDimension(s, {});
    C::toPoint(s, {});
    C::toDate(s, std::nullopt);
    C::removeEscape(s);
    if (C::toNewLine(C::fromNewLine(s)) != s && s.find("\\n") == std::string::npos) __builtin_trap();
    C::toVector(nullptr, s, ',', false);
    C::toVectorFromCSV(nullptr, s);
    return 0;
}
