// The windowed form of the chart's error dialog: one shared dialog that shows the
// message as rich text above an OK button. install() makes ChartErrorDialog show it;
// the message still goes to the error stream as one line, so nobody misses it
// when no screen shows the dialog.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "host/ui/Window.h"

namespace norvex::chart {

class ChartErrorWindow {
public:
    // Called once for the new shared dialog, for example to open it on a screen.
    using OnCreated = std::function<void(const std::shared_ptr<host::Dialog>&)>;

    static void install(OnCreated onCreated = {});
    static void uninstall();

    // Shows the message in the shared dialog (made on first use), sized to fit.
    static void show(const std::string& message);
    // The shared dialog; null before the first message.
    static std::shared_ptr<host::Dialog> dialog();
    // The message the dialog shows now.
    static std::string message();
    // Hides the dialog, as its OK button does.
    static void dismiss();
};

}  // namespace norvex::chart
