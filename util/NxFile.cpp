#include "util/NxFile.h"

#include <climits>
#include <optional>
#include <vector>

#include "host/page/Applet.h"
#include "util/NxConverter.h"
#include "util/NxEnvironment.h"
#include "util/NxUtilConverter.h"

namespace norvex::util {

namespace {

std::optional<std::vector<std::string>> fileLines(host::Applet* applet, const std::string& file) {
    try {
        return NxFile::createURL(applet, file).readLines();
    } catch (const host::IOException& e) {
        const std::string why = "Error opening file '" + file + "': " + e.what();
        // A page shown by a tool learns of it (so the tool can fail the page) and reports
        // each failure once, however many of its components read the file.
        auto* page = applet ? dynamic_cast<host::PageContext*>(applet->getAppletContext()) : nullptr;
        if (!page || page->recordFileError(why)) NxUtilConverter::error(why);
        return std::nullopt;
    }
}

}  // namespace

host::URL NxFile::createURL(host::Applet* applet, const std::string& file) {
    if (file.find(':') != std::string::npos) return host::URL(file);
    if (!applet) return host::URL::fromFile(file);
    return host::URL(applet->getDocumentBase(), file);
}

OptString NxFile::read(host::Applet* applet, const std::string& file) {
    auto lines = fileLines(applet, file);
    if (!lines) return std::nullopt;
    std::string out;
    for (const auto& l : *lines) out += l;
    return out;
}

NxVectorPtr NxFile::readLines(host::Applet* applet, const std::string& file) {
    return readLines(applet, file, 0, INT_MAX);
}

NxVectorPtr NxFile::readLines(host::Applet* applet, const std::string& file, int from_line, int to_line) {
    auto lines = fileLines(applet, file);
    if (!lines) return nullptr;
    auto v = std::make_shared<NxVector>();
    for (std::size_t i = 0; i < lines->size(); ++i) {
        if (int64_t(i) < from_line) continue;
        if (int64_t(i) > to_line) break;
        v->addElement(host::Value((*lines)[i]));
    }
    return v;
}

NxVectorPtr NxFile::read(host::Component* comp, const std::string& file, char delim, bool convert) {
    auto lines = fileLines(NxEnvironment::getApplet(comp), file);
    if (!lines) return nullptr;
    auto conv = NxUtilConverter::getConverter();
    auto rows = std::make_shared<NxVector>();
    for (const auto& line : *lines)
        if (NxVectorPtr row = conv->toVector(comp, line, delim, convert)) rows->addElement(host::Value(row));
    return rows;
}

NxVectorPtr NxFile::readCSV(host::Component* comp, const std::string& file) {
    auto lines = fileLines(NxEnvironment::getApplet(comp), file);
    if (!lines) return nullptr;
    auto conv = NxUtilConverter::getConverter();
    auto rows = std::make_shared<NxVector>();
    for (const auto& line : *lines)
        if (NxVectorPtr row = conv->toVectorFromCSV(comp, line)) rows->addElement(host::Value(row));
    return rows;
}

}  // namespace norvex::util
