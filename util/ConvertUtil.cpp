#include "util/ConvertUtil.h"

#include "util/NxCSVTokenizer.h"
#include "util/NxStringTokenizer.h"

namespace norvex::util {

bool ConvertUtil::needsRichText(const std::string& token) {
    for (std::size_t i = 0; i < token.size(); ++i)
        if (token[i] == '[' && (i == 0 || token[i - 1] != '\\')) return true;
    return false;
}

NxVectorPtr ConvertUtil::toVector(host::Component* c, const OptString& s, char delim, bool convert) {
    if (!s) return nullptr;
    NxStringTokenizer tok(s);
    // Escapes stay in the cells: the rich-text parser resolves them itself.
    tok.strip_esc = false;
    int n = tok.countTokens(delim);
    auto v = std::make_shared<NxVector>(n);
    for (int i = 0; i < n; ++i) {
        OptString token = tok.nextToken(delim);
        if (token) v->setElementAt(i, toCellValue(c, token, convert));
    }
    return v;
}

NxVectorPtr ConvertUtil::toVectorFromCSV(host::Component*, const OptString& s) {
    if (!s) return nullptr;
    NxCSVTokenizer tok(s);
    int n = tok.countTokens();
    auto v = std::make_shared<NxVector>(n);
    for (int i = 0; i < n; ++i) {
        OptString token = tok.nextToken();
        if (token) v->setElementAt(i, host::Value(*token));
    }
    return v;
}

}  // namespace norvex::util
