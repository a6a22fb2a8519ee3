// Lists the entries of a served directory from the HREF references of its page.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace host {
class Applet;
class URL;
}

namespace norvex::util {

class NxURLDirectory {
public:
    NxURLDirectory() = delete;

    // The entries of the directory page at url (relative to the applet's page), as
    // names relative to the page's directory (references resolve as in a browser);
    // links to the parent, to other places and to queries are skipped. Empty when the
    // page cannot be read.
    static std::vector<std::string> getFileList(host::Applet* applet, const std::string& url);

    // The entries that the directory page text at page_url links to, as getFileList
    // gives them.
    static std::vector<std::string> listEntries(const host::URL& page_url, std::string_view page);

    // The target of the next HREF attribute at or after pos (letter case ignored), with
    // pos moved past it; false when there is none.
    static bool getNextRef(std::string_view page, std::size_t& pos, std::string& target);
    // The attribute value at the start of text (after "HREF" and optional white space
    // and '='): quoted with " or ', or up to white space or '>'.
    static std::string parseRef(std::string_view text);
};

}  // namespace norvex::util
