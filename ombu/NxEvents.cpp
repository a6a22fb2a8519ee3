#include "ombu/NxAdjustmentEvent.h"
#include "ombu/NxItemEvent.h"

namespace norvex::ombu {

AdjustableObject& AdjustableObject::shared() {
    static AdjustableObject instance;
    return instance;
}

ItemSelectableObject& ItemSelectableObject::shared() {
    static ItemSelectableObject instance;
    return instance;
}

NxAdjustmentEvent::NxAdjustmentEvent(host::Object* source, int id, int type, int value)
    : host::AdjustmentEvent(&AdjustableObject::shared(), id, type, value) {
    setSource(source);
}

NxItemEvent::NxItemEvent(host::Object* source, int id, host::Value item, int stateChange)
    : host::ItemEvent(&ItemSelectableObject::shared(), id, std::move(item), stateChange) {
    setSource(source);
}

}  // namespace norvex::ombu
