#include "table/model/CellValue.h"

#include <cstring>

namespace norvex::table {

using host::Value;

CellValue::CellValue(const Value& v) {
    switch (v.type()) {
    case Value::Type::Null:
        break;
    case Value::Type::String:
        if (v.asString().size() <= INLINE) {
            *this = fromText(v.asString());
        } else {
            Value* p = new Value(v);
            std::memcpy(data_, &p, sizeof p);
            kind_ = Kind::Boxed;
        }
        break;
    case Value::Type::Int: {
        int32_t i = v.asInt();
        std::memcpy(data_, &i, sizeof i);
        kind_ = Kind::Int;
        break;
    }
    case Value::Type::Double: {
        double d = v.asDouble();
        std::memcpy(data_, &d, sizeof d);
        kind_ = Kind::Double;
        break;
    }
    case Value::Type::Bool:
        data_[0] = v.asBool() ? 1 : 0;
        kind_ = Kind::Bool;
        break;
    default: {
        Value* p = new Value(v);
        std::memcpy(data_, &p, sizeof p);
        kind_ = Kind::Boxed;
    }
    }
}

CellValue CellValue::fromText(std::string_view text) {
    if (text.size() > INLINE) return CellValue(Value(text));  // boxed
    CellValue c;
    std::memcpy(c.data_, text.data(), text.size());
    c.len_ = uint8_t(text.size());
    c.kind_ = Kind::Text;
    return c;
}

Value* CellValue::boxed() const {
    Value* p;
    std::memcpy(&p, data_, sizeof p);
    return p;
}

void CellValue::release() noexcept {
    if (kind_ == Kind::Boxed) delete boxed();
    kind_ = Kind::Null;
}

CellValue::CellValue(const CellValue& o) {
    if (o.kind_ == Kind::Boxed) {
        Value* p = new Value(*o.boxed());
        std::memcpy(data_, &p, sizeof p);
        kind_ = Kind::Boxed;
    } else {
        std::memcpy(data_, o.data_, INLINE);
        len_ = o.len_;
        kind_ = o.kind_;
    }
}

CellValue::CellValue(CellValue&& o) noexcept {
    std::memcpy(data_, o.data_, INLINE);
    len_ = o.len_;
    kind_ = o.kind_;
    o.kind_ = Kind::Null;
}

CellValue& CellValue::operator=(const CellValue& o) {
    if (this != &o) {
        CellValue copy(o);
        *this = std::move(copy);
    }
    return *this;
}

CellValue& CellValue::operator=(CellValue&& o) noexcept {
    if (this != &o) {
        release();
        std::memcpy(data_, o.data_, INLINE);
        len_ = o.len_;
        kind_ = o.kind_;
        o.kind_ = Kind::Null;
    }
    return *this;
}

bool CellValue::text(std::string_view* out) const {
    if (kind_ == Kind::Text) {
        *out = std::string_view(data_, len_);
        return true;
    }
    if (kind_ == Kind::Boxed && boxed()->isString()) {
        *out = boxed()->asString();
        return true;
    }
    return false;
}

Value CellValue::get() const {
    switch (kind_) {
    case Kind::Null:
        return Value();
    case Kind::Text:
        return Value(std::string_view(data_, len_));
    case Kind::Int: {
        int32_t i;
        std::memcpy(&i, data_, sizeof i);
        return Value(int(i));
    }
    case Kind::Double: {
        double d;
        std::memcpy(&d, data_, sizeof d);
        return Value(d);
    }
    case Kind::Bool:
        return Value(data_[0] != 0);
    case Kind::Boxed:
        return *boxed();
    }
    return Value();
}

}  // namespace norvex::table
