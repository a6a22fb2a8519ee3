// The page parameters that set up a chart's interaction: "rotateTrigger",
// "zoomTrigger", "translateTrigger", and the extensions "editTrigger", "depthTrigger"
// and "pickTrigger". Each value is a modifier name (SHIFT, CTRL, ALT or NONE); a
// present parameter appends one trigger of that action.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "chart/interact/EventTrigger.h"
#include "util/NxConverter.h"
#include "util/TextUtil.h"

namespace norvex::chart {

class Chartable;

namespace TriggerParams {
using Lookup = std::function<util::OptString(const std::string& name)>;
// Reads the six parameters in the order above; a name not in the table is reported
// by the converter and adds no trigger. With an edit trigger, a data source that
// refuses edits (page and file data) is replaced by an editable copy of it.
void read(const Lookup& param, util::NxConverter& conv, TriggerList& triggers, std::shared_ptr<Chartable>* source = nullptr);
}  // namespace TriggerParams

}  // namespace norvex::chart
