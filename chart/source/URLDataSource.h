// Chart data text read from a URL (file:, http: and https: through host::URL).
#pragma once

#include <string>

#include "chart/source/InputStreamDataSource.h"
#include "host/runtime/URL.h"

namespace norvex::chart {

class URLDataSource : public InputStreamDataSource {
    HOST_OBJECT(URLDataSource, "norvex.chart.URLDataSource", InputStreamDataSource)
public:
    // Malformed URLs raise host::MalformedURLException, failed reads host::IOException.
    explicit URLDataSource(const std::string& url);
    explicit URLDataSource(const host::URL& url);
    // http://host/file
    URLDataSource(const std::string& host, const std::string& file);
    URLDataSource(const std::string& protocol, const std::string& host, const std::string& file);
    // file resolved against base.
    URLDataSource(const host::URL& base, const std::string& file);

    const host::URL& getURL() const { return url; }

private:
    host::URL url;
};

}  // namespace norvex::chart
