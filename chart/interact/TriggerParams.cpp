#include "chart/interact/TriggerParams.h"

#include "chart/interact/EditableDataCopy.h"

#include <climits>
#include <vector>

namespace norvex::chart {

void TriggerParams::read(const Lookup& param, util::NxConverter& conv, TriggerList& triggers, std::shared_ptr<Chartable>* source) {
    static const std::vector<std::string> eventMod_strings{"SHIFT", "CTRL", "ALT", "NONE"};
    static const std::vector<int> eventMod_values{1, 2, 8, 0};
    static const std::pair<const char*, int> names[] = {
        {"rotateTrigger", EventTrigger::ROTATE}, {"zoomTrigger", EventTrigger::ZOOM},
        {"translateTrigger", EventTrigger::TRANSLATE}, {"editTrigger", EventTrigger::EDIT},
        {"depthTrigger", EventTrigger::DEPTH}, {"pickTrigger", EventTrigger::PICK}};
    for (auto& [name, action] : names) {
        util::OptString v = param(name);
        if (!v) continue;
        // INT_MIN marks a refused name: no trigger then.
        int m = conv.toEnum(*v, "event trigger", eventMod_strings, eventMod_values, INT_MIN);
        if (m == INT_MIN) continue;
        triggers.set(triggers.size(), std::make_shared<EventTrigger>(m, action));
        if (action == EventTrigger::EDIT && source) *source = EditableDataCopy::editable(*source);
    }
}

}  // namespace norvex::chart
