// An int property that is either set by the user or computed (isDefault true).
#pragma once

namespace norvex::chart {

class DerivedInt {
public:
    int value = 0;
    bool isDefault = true;

    DerivedInt() = default;
    DerivedInt(int v, bool def) : value(v), isDefault(def) {}

    int get() const { return value; }
    // An explicit value: the owner keeps it instead of computing one.
    void set(int v) {
        value = v;
        isDefault = false;
    }
    // A computed value; the flag stays as it is.
    void setDerived(int v) { value = v; }
    bool getIsDefault() const { return isDefault; }
    void setIsDefault(bool b) { isDefault = b; }
};

}  // namespace norvex::chart
