// The value grammar as an object: every operation forwards to NxUtilConverter, so an
// application can derive from it, change a rule and install the subclass
// (NxUtilConverter::setConverter for list elements, the components' setConverter for
// parameter reading). A subclass that overrides one overload should bring the others
// in with a using-declaration.
#pragma once

#include "host/runtime/Object.h"
#include "util/NxUtilConverter.h"

namespace norvex::util {

class NxConverter : public host::Object {
    HOST_OBJECT(NxConverter, "norvex.util.NxConverter", host::Object)
public:
    NxConverter() = default;
    ~NxConverter() override;

    using U = NxUtilConverter;

    virtual int toInt(const OptString& s, int def) { return U::toInt(s, def); }
    virtual double toDouble(const OptString& s, double def) { return U::toDouble(s, def); }
    virtual bool toBoolean(const OptString& s, bool def) { return U::toBoolean(s, def); }
    virtual bool toBoolean(host::Applet* app, host::Component* comp, const OptString& comp_name,
                           const std::string& param, bool def) {
        return toBoolean(getParam(app, comp, comp_name, param), def);
    }

    virtual std::optional<std::vector<std::string>> toStringList(const OptString& s) { return U::toStringList(s); }
    virtual std::optional<std::vector<std::string>> toStringList(const OptString& s, char delim) {
        return U::toStringList(s, delim);
    }
    virtual std::optional<std::vector<int>> toIntList(const OptString& s, char delim) { return U::toIntList(s, delim); }
    virtual std::vector<int> toIntList(const OptString& s, char delim, const std::vector<int>& def) {
        return U::toIntList(s, delim, def);
    }
    virtual std::optional<std::vector<host::Value>> toIntegerList(const OptString& s, char delim) {
        return U::toIntegerList(s, delim);
    }
    virtual std::vector<host::Value> toIntegerList(const OptString& s, char delim,
                                                   const std::vector<host::Value>& def) {
        return U::toIntegerList(s, delim, def);
    }
    virtual std::optional<std::vector<host::Value>> toDoubleList(const OptString& s, char delim) {
        return U::toDoubleList(s, delim);
    }
    virtual std::vector<host::Value> toDoubleList(const OptString& s, char delim, const std::vector<host::Value>& def) {
        return U::toDoubleList(s, delim, def);
    }

    virtual host::OptColor toColor(const OptString& s) { return U::toColor(s); }
    virtual host::OptColor toColor(const OptString& s, const host::OptColor& def) { return U::toColor(s, def); }
    virtual std::optional<std::vector<host::OptColor>> toColorList(const OptString& s) { return U::toColorList(s); }
    virtual std::vector<host::OptColor> toColorList(const OptString& s, const std::vector<host::OptColor>& def) {
        return U::toColorList(s, def);
    }
    virtual OptString fromColor(const host::OptColor& c) { return U::fromColor(c); }
    virtual std::string fromColorList(const std::optional<std::vector<host::OptColor>>& list) {
        return U::fromColorList(list);
    }

    virtual OptFont toFont(const OptString& s) { return U::toFont(s); }
    virtual OptFont toFont(const OptString& s, const OptFont& def) { return U::toFont(s, def); }
    virtual std::string fromFont(const host::Font& f) { return U::fromFont(f); }

    virtual int toEnum(const OptString& s, const std::string& type, const std::vector<std::string>& strings,
                       const std::vector<int>& values, int def) {
        return U::toEnum(s, type, strings, values, def);
    }
    virtual int64_t toEnum(const OptString& s, const std::string& type, const std::vector<std::string>& strings,
                           const std::vector<int64_t>& values, int64_t def) {
        return U::toEnum(s, type, strings, values, def);
    }
    virtual int toEnum(const OptString& s, const std::vector<std::string>& strings, const std::vector<int>& values,
                       int def) {
        return U::toEnum(s, strings, values, def);
    }
    virtual int toEnum(const OptString& s, const std::string& type, const std::string& param,
                       const std::vector<std::vector<std::string>>& strings,
                       const std::vector<std::vector<int>>& values, int def) {
        return U::toEnum(s, type, param, strings, values, def);
    }
    virtual std::vector<int> toEnumList(const OptString& s, const std::string& type,
                                        const std::vector<std::string>& strings, const std::vector<int>& values,
                                        const std::vector<int>& def) {
        return U::toEnumList(s, type, strings, values, def);
    }
    virtual OptString fromEnum(int value, const std::vector<std::string>& strings, const std::vector<int>& values) {
        return U::fromEnum(value, strings, values);
    }
    virtual OptString fromEnum(int64_t value, const std::vector<std::string>& strings,
                               const std::vector<int64_t>& values) {
        return U::fromEnum(value, strings, values);
    }
    virtual OptString fromEnum(int value, const std::string& param,
                               const std::vector<std::vector<std::string>>& strings,
                               const std::vector<std::vector<int>>& values) {
        return U::fromEnum(value, param, strings, values);
    }
    virtual void checkEnum(int value, const std::string& param, const std::vector<int>& values) {
        U::checkEnum(value, param, values);
    }

    virtual host::Insets toInsets(const OptString& s, const host::Insets& def) { return U::toInsets(s, def); }
    virtual std::string fromInsets(const host::Insets& i) { return U::fromInsets(i); }
    virtual host::Dimension toDimension(const OptString& s, const host::Dimension& def) {
        return U::toDimension(s, def);
    }
    virtual host::Point toPoint(const OptString& s, const host::Point& def) { return U::toPoint(s, def); }
    virtual OptDate toDate(const OptString& s, const OptDate& def) { return U::toDate(s, def); }

    virtual ImagePtr toImage(host::Component* comp, const OptString& file) { return U::toImage(comp, file); }
    virtual ImagePtr toImage(host::Component* comp, const OptString& file, const ImagePtr& def) {
        return U::toImage(comp, file, def);
    }
    virtual std::vector<ImagePtr> toImageList(host::Component* comp, const OptString& s,
                                              const std::vector<ImagePtr>& def) {
        return U::toImageList(comp, s, def);
    }
    virtual bool waitForImage(host::Component* comp, const ImagePtr& im) { return U::waitForImage(comp, im); }

    virtual NxVectorPtr toVector(host::Component* comp, const OptString& s, char delim, bool convert) {
        return U::toVector(comp, s, delim, convert);
    }
    virtual NxVectorPtr toVector(host::Component* comp, const OptString& s, char delim, bool convert,
                                 const NxVectorPtr& def) {
        return U::toVector(comp, s, delim, convert, def);
    }
    virtual NxVectorPtr toVectorFromCSV(host::Component* comp, const OptString& s) {
        return U::toVectorFromCSV(comp, s);
    }
    virtual NxVectorPtr toVectorFromCSV(host::Component* comp, const OptString& s, const NxVectorPtr& def) {
        return U::toVectorFromCSV(comp, s, def);
    }
    // A rich string when the text holds an unescaped '[', else the text; def for null.
    virtual host::Value toNxString(host::Component* comp, const OptString& s, const host::Value& def);

    virtual OptString toNewLine(const OptString& s) { return U::toNewLine(s); }
    virtual OptString fromNewLine(const OptString& s) { return U::fromNewLine(s); }
    virtual OptString removeEscape(const OptString& s) { return U::removeEscape(s); }
    virtual std::string toString(const host::Value& o) { return U::toString(o); }
    virtual OptString trim(const host::Value& o) { return U::trim(o); }
    using host::Object::toString;

    virtual OptString getParam(host::Applet* app, host::Component* comp, const OptString& comp_name,
                               const std::string& param) {
        return U::getParam(app, comp, comp_name, param);
    }
    virtual OptString getParam(host::Applet* app, host::Component* comp, const std::string& key) {
        return U::getParam(app, comp, key);
    }
    virtual void setParamSource(host::Component* comp, const OptString& source) { U::setParamSource(comp, source); }

    virtual void error(const std::string& msg) { U::error(msg); }
    virtual void error(const std::string& token, const std::string& s) { U::error(token, s); }
};

using NxConverterPtr = std::shared_ptr<NxConverter>;

}  // namespace norvex::util
