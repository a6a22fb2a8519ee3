#include "chart/base/ChartDiagnostics.h"

#include <iostream>
#include <mutex>

namespace norvex::chart {

namespace {
std::mutex sinkMutex;
ChartDiagnostics::Sink& sinkRef() {
    static ChartDiagnostics::Sink sink;
    return sink;
}
}  // namespace

void ChartDiagnostics::print(const std::string& line) {
    std::lock_guard<std::mutex> lock(sinkMutex);
    if (sinkRef())
        sinkRef()(line);
    else
        std::cout << line << std::endl;
}

void ChartDiagnostics::setSink(Sink sink) {
    std::lock_guard<std::mutex> lock(sinkMutex);
    sinkRef() = std::move(sink);
}

}  // namespace norvex::chart
