// A string property that is either set by the user or computed (isDefault true).
#pragma once

#include <string>

namespace norvex::chart {

class DerivedString {
public:
    std::string value;
    bool isDefault = true;

    DerivedString() = default;
    DerivedString(std::string v, bool def) : value(std::move(v)), isDefault(def) {}

    const std::string& get() const { return value; }
    void set(std::string v) {
        value = std::move(v);
        isDefault = false;
    }
    void setDerived(std::string v) { value = std::move(v); }
    bool getIsDefault() const { return isDefault; }
    void setIsDefault(bool b) { isDefault = b; }
};

}  // namespace norvex::chart
