#include "host/runtime/Value.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <functional>

namespace host {

bool Value::asBool() const { return isBool() && std::get<bool>(v_); }

int64_t Value::asLong() const {
    switch (type()) {
        case Type::Int: return std::get<int32_t>(v_);
        case Type::Long: return std::get<int64_t>(v_);
        case Type::Double: {
            double d = std::get<double>(v_);
            if (std::isnan(d)) return 0;
            if (d >= 9.2233720368547758e18) return INT64_MAX;
            if (d <= -9.2233720368547758e18) return INT64_MIN;
            return int64_t(d);
        }
        default: return 0;
    }
}

int32_t Value::asInt() const {
    if (isDouble()) {
        double d = std::get<double>(v_);
        if (std::isnan(d)) return 0;
        if (d >= 2147483647.0) return INT32_MAX;
        if (d <= -2147483648.0) return INT32_MIN;
        return int32_t(d);
    }
    return int32_t(asLong());  // a long narrows by its low 32 bits, as the classic cast does
}

double Value::asDouble() const {
    switch (type()) {
        case Type::Int: return std::get<int32_t>(v_);
        case Type::Long: return double(std::get<int64_t>(v_));
        case Type::Double: return std::get<double>(v_);
        default: return std::nan("");
    }
}

const std::string& Value::asString() const {
    static const std::string empty;
    return isString() ? std::get<std::string>(v_) : empty;
}

Date Value::asDate() const { return isDate() ? std::get<Date>(v_) : Date(int64_t(0)); }
Color Value::asColor() const { return isColor() ? std::get<Color>(v_) : Color(); }
Font Value::asFont() const { return isFont() ? std::get<Font>(v_) : Font(); }

const ObjectPtr& Value::asObject() const {
    static const ObjectPtr none;
    return isObject() ? std::get<ObjectPtr>(v_) : none;
}

bool Value::instanceOf(std::string_view className) const {
    return isObject() && asObject()->instanceOf(className);
}

std::string doubleToString(double d) {
    if (std::isnan(d)) return "NaN";
    if (std::isinf(d)) return d > 0 ? "Infinity" : "-Infinity";
    if (d == 0) return std::signbit(d) ? "-0.0" : "0.0";

    // Shortest round-trip digits and decimal exponent.
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, d, std::chars_format::scientific);
    std::string sci(buf, res.ptr);
    bool neg = sci[0] == '-';
    if (neg) sci.erase(0, 1);
    auto epos = sci.find('e');
    std::string mant = sci.substr(0, epos);
    int exp = std::atoi(sci.c_str() + epos + 1);
    std::string digits;
    for (char c : mant)
        if (c != '.') digits += c;
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

    std::string out;
    double ad = std::fabs(d);
    if (ad >= 1e-3 && ad < 1e7) {
        if (exp >= 0) {
            std::string intPart = digits.substr(0, std::min<size_t>(digits.size(), exp + 1));
            while (int(intPart.size()) < exp + 1) intPart += '0';
            std::string frac = digits.size() > size_t(exp + 1) ? digits.substr(exp + 1) : "0";
            out = intPart + "." + frac;
        } else {
            out = "0." + std::string(-exp - 1, '0') + digits;
        }
    } else {
        out = digits.substr(0, 1) + "." + (digits.size() > 1 ? digits.substr(1) : "0") + "E" +
              std::to_string(exp);
    }
    return neg ? "-" + out : out;
}

std::string Value::toString() const {
    switch (type()) {
        case Type::Null: return "null";
        case Type::Bool: return std::get<bool>(v_) ? "true" : "false";
        case Type::Int: return std::to_string(std::get<int32_t>(v_));
        case Type::Long: return std::to_string(std::get<int64_t>(v_));
        case Type::Double: return doubleToString(std::get<double>(v_));
        case Type::String: return std::get<std::string>(v_);
        case Type::Date: return std::get<Date>(v_).toString();
        case Type::Color: return std::get<Color>(v_).toString();
        case Type::Font: return std::get<Font>(v_).toString();
        case Type::Object: return std::get<ObjectPtr>(v_)->toString();
    }
    return "null";
}

bool Value::equals(const Value& o) const {
    if (type() != o.type()) return false;
    switch (type()) {
        case Type::Null: return true;
        case Type::Double: {
            // Classic double equality: NaN equals NaN, 0.0 differs from -0.0.
            double a = std::get<double>(v_), b = std::get<double>(o.v_);
            uint64_t ba, bb;
            if (std::isnan(a) && std::isnan(b)) return true;
            std::memcpy(&ba, &a, 8);
            std::memcpy(&bb, &b, 8);
            return ba == bb;
        }
        case Type::Object: {
            const auto& a = std::get<ObjectPtr>(v_);
            const auto& b = std::get<ObjectPtr>(o.v_);
            return a == b || a->equals(*b);
        }
        default: return v_ == o.v_;
    }
}

std::size_t Value::hashCode() const {
    switch (type()) {
        case Type::Null: return 0;
        case Type::Bool: return std::get<bool>(v_) ? 1231 : 1237;
        case Type::Int: return std::size_t(uint32_t(std::get<int32_t>(v_)));
        case Type::Long: return std::hash<int64_t>{}(std::get<int64_t>(v_));
        case Type::Double: {
            double d = std::get<double>(v_);
            return std::isnan(d) ? 0x7ff8 : std::hash<double>{}(d);
        }
        case Type::String: return std::hash<std::string>{}(std::get<std::string>(v_));
        case Type::Date: return std::hash<int64_t>{}(std::get<Date>(v_).getTime());
        case Type::Color: return std::get<Color>(v_).argb();
        case Type::Font: return std::get<Font>(v_).hashCode();
        case Type::Object: return std::get<ObjectPtr>(v_)->hashCode();
    }
    return 0;
}

}  // namespace host
