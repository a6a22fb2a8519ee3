// The sources that fetch the chart data text from a file, a URL or the page.
#include "chart/source/AppletDataSource.h"
#include "chart/base/ChartDiagnostics.h"
#include "chart/source/FileDataSource.h"
#include "chart/source/URLDataSource.h"
#include "host/page/Applet.h"

namespace norvex::chart {

FileDataSource::FileDataSource(const std::string& fname) {
    parse(host::URL::fromFile(fname).openStream());
}

URLDataSource::URLDataSource(const std::string& spec) : URLDataSource(host::URL(spec)) {}

URLDataSource::URLDataSource(const host::URL& u) : url(u) { parse(url.openStream()); }

URLDataSource::URLDataSource(const std::string& host, const std::string& file)
    : URLDataSource(host::URL("http", host, file)) {}

URLDataSource::URLDataSource(const std::string& protocol, const std::string& host, const std::string& file)
    : URLDataSource(host::URL(protocol, host, file)) {}

URLDataSource::URLDataSource(const host::URL& base, const std::string& file) : URLDataSource(host::URL(base, file)) {}

AppletDataSource::AppletDataSource(const host::Applet* applet) {
    std::optional<std::string> text = applet ? applet->getParameter("DATA") : std::nullopt;
    if (!text) throw host::IOException("No DATA tag");
    ChartDiagnostics::print("Parsing data from:" + *text);
    parse(*text);
}

}  // namespace norvex::chart
