// A program's maker of axis label texts. The result may be an NxString (used as rich
// text), a ChartText (used as it is) or any other value (used by its text form).
#pragma once

#include "host/runtime/Value.h"

namespace norvex::chart {

class NxLabelGenerator {
public:
    virtual ~NxLabelGenerator() = default;
    // value and precision of a number label; for a decade label of a logarithmic
    // axis, the exponent.
    virtual host::Value makeLabel(double value, int precision) = 0;
};

}  // namespace norvex::chart
