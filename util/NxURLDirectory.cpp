#include "util/NxURLDirectory.h"

#include "host/runtime/URL.h"
#include "util/NxFile.h"
#include "util/NxUtilConverter.h"
#include "util/TextUtil.h"

namespace norvex::util {

std::string NxURLDirectory::parseRef(std::string_view t) {
    std::size_t i = 0;
    while (i < t.size() && text::isWhite(t[i])) ++i;
    if (i < t.size() && t[i] == '=') ++i;
    while (i < t.size() && text::isWhite(t[i])) ++i;
    if (i >= t.size()) return "";
    char q = t[i];
    if (q == '"' || q == '\'') {
        std::size_t end = t.find(q, i + 1);
        if (end == std::string_view::npos) end = t.size();
        return std::string(t.substr(i + 1, end - i - 1));
    }
    std::size_t end = i;
    while (end < t.size() && !text::isWhite(t[end]) && t[end] != '>') ++end;
    return std::string(t.substr(i, end - i));
}

bool NxURLDirectory::getNextRef(std::string_view page, std::size_t& pos, std::string& target) {
    while (pos < page.size()) {
        std::size_t at = text::findIgnoreCase(page, "href", pos);
        if (at == std::string_view::npos) {
            pos = page.size();
            return false;
        }
        pos = at + 4;
        // Only an attribute: white space before it and '=' after optional white space.
        bool attrStart = at > 0 && text::isWhite(page[at - 1]);
        std::size_t k = pos;
        while (k < page.size() && text::isWhite(page[k])) ++k;
        if (!attrStart || k >= page.size() || page[k] != '=') continue;
        target = parseRef(page.substr(pos));
        return true;
    }
    return false;
}

std::vector<std::string> NxURLDirectory::getFileList(host::Applet* applet, const std::string& url) {
    std::string page;
    std::optional<host::URL> dir;
    try {
        dir = NxFile::createURL(applet, url);
        page = dir->openStream();
    } catch (const host::IOException& e) {
        NxUtilConverter::error("Error opening file '" + url + "': " + e.what());
        return {};
    }
    return listEntries(*dir, page);
}

std::vector<std::string> NxURLDirectory::listEntries(const host::URL& page_url, std::string_view page) {
    std::vector<std::string> out;
    // References resolve as a browser resolves them: against the page's directory.
    std::string base = page_url.getPath();
    base = base.substr(0, base.rfind('/') + 1);
    if (base.empty()) base = "/";
    host::URL dirUrl(page_url, base);

    std::size_t pos = 0;
    std::string target;
    while (getNextRef(page, pos, target)) {
        if (target.empty() || target[0] == '?' || target[0] == '#') continue;
        if (target == ".." || target == "../" || target.find("/..") != std::string::npos) continue;
        try {
            host::URL ref(dirUrl, target);
            if (ref.getProtocol() != dirUrl.getProtocol() || !text::equalsIgnoreCase(ref.getHost(), dirUrl.getHost()))
                continue;
            const std::string& path = ref.getPath();
            if (path.size() <= base.size() || path.compare(0, base.size(), base) != 0) continue;
            // "dir//x" has an empty name in it: not an entry of this directory.
            if (path[base.size()] == '/') continue;
            out.push_back(path.substr(base.size()));
        } catch (const host::IOException&) {
            continue;
        }
    }
    return out;
}

}  // namespace norvex::util
