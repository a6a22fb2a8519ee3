// The chart's shared error window: shows a message with an OK button. Until the
// windowed dialog is plugged in through setDisplay, a message is written as one
// line on std::cerr. The last message is kept (for tests and for status displays).
#pragma once

#include <functional>
#include <string>

namespace norvex::chart {

class ChartErrorDialog {
public:
    // The message is rich text: "[NEWLINE]" marks line breaks.
    using Display = std::function<void(const std::string& message)>;

    // Shows the message in the shared dialog (or on the error stream).
    static void show(const std::string& message);
    // Installs the function that shows the window; an empty one restores the error stream.
    static void setDisplay(Display display);

    // Writes the message as one line on the error stream (line breaks become spaces).
    static void printLine(const std::string& message);

    static std::string getLastMessage();
    static int getMessageCount();
    static void clear();
};

}  // namespace norvex::chart
