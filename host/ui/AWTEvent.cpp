#include "host/ui/AWTEvent.h"

#include "host/ui/Component.h"

namespace host {

std::string AWTEvent::paramString() const { return "id=" + std::to_string(id_); }

std::string AWTEvent::toString() const {
    return getClassName() + "[" + paramString() + "] on " + (source_ ? source_->toString() : "null");
}

InputEvent::InputEvent(Component* source, int id, int64_t when, int modifiers)
    : AWTEvent(source, id), when_(when), modifiers_(modifiers) {}

Component* InputEvent::getComponent() const { return dynamic_cast<Component*>(source_); }

FocusEvent::FocusEvent(Component* source, int id, bool temporary) : AWTEvent(source, id), temporary_(temporary) {}

KeyEvent::KeyEvent(Component* source, int id, int64_t when, int modifiers, int keyCode, int keyChar)
    : InputEvent(source, id, when, modifiers), keyCode_(keyCode), keyChar_(keyChar) {}

bool KeyEvent::isActionKey() const {
    switch (keyCode_) {
        case VK_HOME:
        case VK_END:
        case VK_PAGE_UP:
        case VK_PAGE_DOWN:
        case VK_UP:
        case VK_DOWN:
        case VK_LEFT:
        case VK_RIGHT:
        case VK_INSERT:
        case VK_CAPS_LOCK:
        case VK_PAUSE: return true;
        default: return keyCode_ >= VK_F1 && keyCode_ <= VK_F12;
    }
}

MouseEvent::MouseEvent(Component* source, int id, int64_t when, int modifiers, int x, int y, int clickCount,
                       bool popupTrigger)
    : InputEvent(source, id, when, modifiers), x_(x), y_(y), clickCount_(clickCount), popupTrigger_(popupTrigger) {}

}  // namespace host
