// The conversions that produce rich strings.
#include "util/ConvertUtil.h"
#include "util/NxConverter.h"
#include "util/NxString.h"

namespace norvex::util {

std::shared_ptr<NxString> ConvertUtil::getNxString(host::Component* c, const OptString& s) {
    return NxString::parse(c, s);
}

host::Value ConvertUtil::toCellValue(host::Component* c, const OptString& token, bool convert) {
    if (!token) return host::Value();
    if (convert && needsRichText(*token)) return host::Value(NxString::parse(c, token));
    return host::Value(*token);
}

host::Value NxConverter::toNxString(host::Component* comp, const OptString& s, const host::Value& def) {
    host::Value v = ConvertUtil::toCellValue(comp, s, true);
    return v.isNull() ? def : v;
}

}  // namespace norvex::util
