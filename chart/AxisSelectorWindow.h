// The windowed form of the axis selector: one shared dialog that lists a chart's
// horizontal and vertical axes as two radio groups; choosing an axis makes it the
// one that drags (zoom, translate) move. The chart opens it with its axis-selector
// key ("a") once install() has been called, and only when one of the orientations
// offers more than one axis. Without a screen nothing is shown.
#pragma once

#include <functional>
#include <memory>

#include "host/ui/Window.h"

namespace norvex::ombu {
class NxCheckboxGroup;
}

namespace norvex::chart {

class NxChart;

class AxisSelectorWindow {
public:
    // Called once for the new shared dialog, for example to open it on a screen.
    using OnCreated = std::function<void(const std::shared_ptr<host::Dialog>&)>;

    static void install(OnCreated onCreated = {});
    static void uninstall();
    static bool isInstalled();

    // Fills the dialog with the chart's axes and shows it; false (nothing shown) when
    // not installed or when no orientation has more than one axis.
    static bool open(const std::shared_ptr<NxChart>& chart);
    // The shared dialog; null before the first open.
    static std::shared_ptr<host::Dialog> dialog();
    // The radio group of the horizontal or vertical axes now in the dialog.
    static std::shared_ptr<ombu::NxCheckboxGroup> group(bool vertical);
    // Hides the dialog, as its OK button does.
    static void dismiss();
};

}  // namespace norvex::chart
