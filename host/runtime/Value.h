// The one dynamic value type for every slot that may hold "any object": null,
// booleans, integers, doubles, strings, dates, colours and fonts by value, and
// reference objects (vectors, rich strings, images, components ...) by shared pointer.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <variant>

#include "host/base/Color.h"
#include "host/base/Date.h"
#include "host/base/Font.h"
#include "host/runtime/Object.h"

namespace host {

class Value {
public:
    enum class Type { Null, Bool, Int, Long, Double, String, Date, Color, Font, Object };

    Value() = default;
    Value(std::nullptr_t) {}
    Value(bool b) : v_(b) {}
    Value(int i) : v_(int32_t(i)) {}
    Value(int64_t l) : v_(l) {}
    Value(double d) : v_(d) {}
    Value(const char* s) : v_(std::string(s ? s : "")) {}
    Value(std::string s) : v_(std::move(s)) {}
    Value(std::string_view s) : v_(std::string(s)) {}
    Value(const Date& d) : v_(d) {}
    Value(const Color& c) : v_(c) {}
    Value(const Font& f) : v_(f) {}
    template <class T, class = std::enable_if_t<std::is_base_of_v<Object, T>>>
    Value(std::shared_ptr<T> o) {
        if (o) v_ = std::static_pointer_cast<Object>(std::move(o));
    }

    Type type() const { return Type(v_.index()); }
    bool isNull() const { return type() == Type::Null; }
    bool isBool() const { return type() == Type::Bool; }
    bool isInt() const { return type() == Type::Int; }
    bool isLong() const { return type() == Type::Long; }
    bool isDouble() const { return type() == Type::Double; }
    bool isNumber() const { return isInt() || isLong() || isDouble(); }
    bool isString() const { return type() == Type::String; }
    bool isDate() const { return type() == Type::Date; }
    bool isColor() const { return type() == Type::Color; }
    bool isFont() const { return type() == Type::Font; }
    bool isObject() const { return type() == Type::Object; }
    explicit operator bool() const { return !isNull(); }

    // Accessors; asking for the wrong kind gives the kind's zero value.
    bool asBool() const;
    int32_t asInt() const;       // numbers truncated toward zero
    int64_t asLong() const;
    double asDouble() const;     // numbers; NaN for other kinds
    const std::string& asString() const;  // the string kind only; "" otherwise
    Date asDate() const;
    Color asColor() const;
    Font asFont() const;
    const ObjectPtr& asObject() const;
    template <class T>
    std::shared_ptr<T> as() const {
        return std::dynamic_pointer_cast<T>(asObject());
    }
    // True when the value is an object of the named class (or a subclass).
    bool instanceOf(std::string_view className) const;

    // The value's string form: "null" for null, "true"/"false", "12", "2.5", "1.0E10",
    // strings as they are, objects through their toString.
    std::string toString() const;

    // Equality of the classic kind: same kind and equal value; objects by their equals.
    bool equals(const Value& o) const;
    bool operator==(const Value& o) const { return equals(o); }
    std::size_t hashCode() const;

private:
    std::variant<std::monostate, bool, int32_t, int64_t, double, std::string, Date, Color, Font, ObjectPtr> v_;
};

// Classic shortest double form: "2.0", "0.001", "1.0E7", "1.25E-5", "NaN", "Infinity".
std::string doubleToString(double d);

struct ValueHash {
    std::size_t operator()(const Value& v) const { return v.hashCode(); }
};

}  // namespace host
