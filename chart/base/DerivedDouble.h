// A double property that is either set by the user or computed (isDefault true).
#pragma once

namespace norvex::chart {

class DerivedDouble {
public:
    double value = 0.0;
    bool isDefault = true;

    DerivedDouble() = default;
    DerivedDouble(double v, bool def) : value(v), isDefault(def) {}

    double get() const { return value; }
    // An explicit value: the owner keeps it instead of computing one.
    void set(double v) {
        value = v;
        isDefault = false;
    }
    // A computed value; the flag stays as it is.
    void setDerived(double v) { value = v; }
    bool getIsDefault() const { return isDefault; }
    void setIsDefault(bool b) { isDefault = b; }
};

}  // namespace norvex::chart
