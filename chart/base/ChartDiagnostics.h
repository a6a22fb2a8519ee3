// The chart's informational lines for the user ("Parsing data from: ..."). They go to
// standard output by default; a tool that writes an image or other data to standard
// output installs a sink (for example one writing to std::cerr, or nothing) so that
// the lines never mix into its output. Every such line of the chart library goes
// through ChartDiagnostics::print.
#pragma once

#include <functional>
#include <string>

namespace norvex::chart {

class ChartDiagnostics {
public:
    using Sink = std::function<void(const std::string& line)>;

    // Writes one line (a newline is added) to the installed sink.
    static void print(const std::string& line);
    // An empty sink restores standard output.
    static void setSink(Sink sink);
};

}  // namespace norvex::chart
