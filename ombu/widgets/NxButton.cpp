#include "ombu/widgets/NxButton.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "ombu/OmbuUtil.h"
#include "util/NxString.h"

namespace norvex::ombu {

using host::Lock;
using host::Value;

namespace {
template <class L>
void removeFrom(std::vector<L*>& list, L* l) {
    list.erase(std::remove(list.begin(), list.end(), l), list.end());
}
}  // namespace

NxButton::NxButton() : NxButton(nullptr, "") {}

NxButton::NxButton(host::Applet* applet, const std::string& name) : NxButton(applet, name, "button") {}

NxButton::NxButton(host::Applet* applet, const std::string& name, const char* kind) : NxLabel(applet, name) {
    if (!applet && name.empty()) setName(nextName(kind));
    highlight = 1;
    shadow = 2;
    shadow_type = OmbuEnum::SHADOW_OUT;
    old_shadowtype = shadow_type;
    traversable = true;
}

void NxButton::getParameters() {
    NxLabel::getParameters();
    if (getParam("armLabel")) setArmLabel(readLabelParam("armLabel", &pending_arm_markup));
}

void NxButton::addNotify() {
    NxLabel::addNotify();
    if (!pending_arm_markup || !util::NxString::getApplet(this)) return;
    std::string text = *pending_arm_markup;
    pending_arm_markup.reset();
    setArmLabel(parseMarkup(text));
}

void NxButton::setArmLabel(const Value& v) {
    Lock guard(mutex());
    arm_label = v;
    if (armed) repaint();
}

void NxButton::setActionCommand(const std::string& c) {
    Lock guard(mutex());
    actionCommand = c;
}

std::string NxButton::getActionCommand() const {
    Lock guard(mutex());
    return actionCommand;
}

void NxButton::addActionListener(NxActionListener* l) {
    std::lock_guard lock(listenersMutex);
    if (l && std::find(actionListeners.begin(), actionListeners.end(), l) == actionListeners.end())
        actionListeners.push_back(l);
}

void NxButton::removeActionListener(NxActionListener* l) {
    std::lock_guard lock(listenersMutex);
    removeFrom(actionListeners, l);
}

void NxButton::addButtonListener(NxButtonListener* l) {
    std::lock_guard lock(listenersMutex);
    if (l && std::find(buttonListeners.begin(), buttonListeners.end(), l) == buttonListeners.end())
        buttonListeners.push_back(l);
}

void NxButton::removeButtonListener(NxButtonListener* l) {
    std::lock_guard lock(listenersMutex);
    removeFrom(buttonListeners, l);
}

std::vector<NxButtonListener*> NxButton::buttonListenersCopy() {
    std::lock_guard lock(listenersMutex);
    return buttonListeners;
}

void NxButton::armAction(host::Event*) {
    {
        Lock guard(mutex());
        old_shadowtype = shadow_type;
        armed = true;
    }
    auto listeners = buttonListenersCopy();
    for (auto* l : listeners) l->buttonArmed(*this, false);
    // While armed the frame is drawn sunken (drawShadow); the stored style stays.
    repaint();
    for (auto* l : listeners) l->buttonArmed(*this, true);
}

void NxButton::disarmAction(host::Event*) {
    auto listeners = buttonListenersCopy();
    for (auto* l : listeners) l->buttonDisarmed(*this, false);
    {
        Lock guard(mutex());
        armed = false;
        shadow_type = old_shadowtype;
    }
    repaint();
    for (auto* l : listeners) l->buttonDisarmed(*this, true);
}

void NxButton::clickAction(host::Event* ev) {
    int id = ev ? ev->id : host::Event().id;
    NxActionEvent event(this, id, getActionCommand());
    std::vector<NxActionListener*> listeners;
    {
        std::lock_guard lock(listenersMutex);
        listeners = actionListeners;
    }
    for (auto* l : listeners) l->actionPerformed(event);
}

bool NxButton::mouseDown(host::Event& e, int x, int y) {
    if (OmbuUtil::getMouseButton(e) != 1 || armed || !contains(x, y)) return false;
    // The click that closed a drop-down list does not press the button beneath.
    if (tooSoonAfterPopdown(e.when, false)) return true;
    if (isFocusTraversable()) requestFocus();
    armAction(&e);
    return true;
}

bool NxButton::mouseUp(host::Event& e, int x, int y) {
    if (!armed) return NxLabel::mouseUp(e, x, y);
    disarmAction(&e);
    // A press released outside is no click.
    if (contains(x, y)) clickAction(&e);
    return true;
}

bool NxButton::keyDown(host::Event& e, int key) {
    if (key != OmbuEnum::ENTER && key != ' ') return NxLabel::keyDown(e, key);
    armAction(&e);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    disarmAction(&e);
    clickAction(&e);
    return true;
}

void NxButton::layout() {
    Lock guard(mutex());
    NxLabel::layout();
    if (needs_layout) return;
    // Shift back so that the value, shifted by arm_offset while armed, stays inside.
    if (OmbuUtil::isRight(alignment))
        label_rect.x -= arm_offset;
    else if (OmbuUtil::isCenter(alignment))
        label_rect.x -= arm_offset / 2;
    if (OmbuUtil::isBottom(alignment))
        label_rect.y -= arm_offset;
    else if (OmbuUtil::isMiddle(alignment))
        label_rect.y -= arm_offset / 2;
}

void NxButton::paintComponent(host::Graphics& g) {
    if (needs_layout) layout();
    if (needs_layout) return;
    bool pressed = armed;
    const Value& value = pressed && !arm_label.isNull() ? arm_label : label;
    host::Rectangle saved = label_rect;
    if (pressed) label_rect.translate(arm_offset, arm_offset);
    if (!isEnabled()) {
        // Embossed: a white copy one pixel down and right under the darker background.
        host::Color bg = getBackground().value_or(host::Color::lightGray);
        host::Rectangle at = label_rect;
        label_rect.translate(1, 1);
        g.setColor(host::Color::white);
        drawValue(g, value);
        label_rect = at;
        g.setColor(OmbuUtil::darker(bg));
    }
    drawValue(g, value);
    label_rect = saved;
}

void NxButton::drawShadow(host::Graphics& g) {
    if (!armed) {
        NxLabel::drawShadow(g);
        return;
    }
    int stored = shadow_type;
    shadow_type = OmbuEnum::SHADOW_IN;
    NxLabel::drawShadow(g);
    shadow_type = stored;
}

int NxButton::preferredWidth() { return std::max(label_width + arm_offset, 20); }
int NxButton::preferredHeight() { return std::max(label_height + arm_offset, 20); }

}  // namespace norvex::ombu
