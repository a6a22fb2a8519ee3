// The stored value of one cell in 16 bytes: null, a string of up to 14 bytes, an int,
// a double or a boolean inline; any other value (longer strings, dates, colours,
// objects ...) boxed on the heap. A million rows of twenty short strings thus cost
// 320 MB of cells and no allocation per cell.
#pragma once

#include <cstdint>
#include <string_view>

#include "host/runtime/Value.h"

namespace norvex::table {

class CellValue {
public:
    CellValue() noexcept = default;
    explicit CellValue(const host::Value& v);
    // A string stored as it is (inline when short), without building a host::Value.
    static CellValue fromText(std::string_view text);

    CellValue(const CellValue& o);
    CellValue(CellValue&& o) noexcept;
    CellValue& operator=(const CellValue& o);
    CellValue& operator=(CellValue&& o) noexcept;
    ~CellValue() { release(); }

    bool isNull() const { return kind_ == Kind::Null; }
    host::Value get() const;
    // The text of a string value where it is stored (valid while the cell is unchanged);
    // false for the other kinds.
    bool text(std::string_view* out) const;

private:
    enum class Kind : uint8_t { Null, Text, Int, Double, Bool, Boxed };
    static constexpr size_t INLINE = 14;

    host::Value* boxed() const;
    void release() noexcept;

    alignas(8) char data_[INLINE] = {};
    uint8_t len_ = 0;
    Kind kind_ = Kind::Null;
};

static_assert(sizeof(CellValue) == 16, "a cell must stay 16 bytes");

}  // namespace norvex::table
