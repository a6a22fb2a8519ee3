// Chart data text read from a local file.
#pragma once

#include <filesystem>
#include <string>

#include "chart/source/InputStreamDataSource.h"

namespace norvex::chart {

class FileDataSource : public InputStreamDataSource {
    HOST_OBJECT(FileDataSource, "norvex.chart.FileDataSource", InputStreamDataSource)
public:
    // host::IOException naming the file when it cannot be read.
    explicit FileDataSource(const std::string& fname);
    explicit FileDataSource(const char* fname) : FileDataSource(std::string(fname ? fname : "")) {}
    explicit FileDataSource(const std::filesystem::path& file) : FileDataSource(file.string()) {}
};

}  // namespace norvex::chart
