// A push button: a label that is armed while pressed (drawn sunken, its value
// shifted by arm_offset, or its arm label shown) and clicked when released inside.
// A press released outside disarms without clicking. Enter or space clicks.
//
// Listeners are called in the order added, on a copy of the list, so a listener
// may remove itself while it is called; lists never own their listeners.
//
// Parameters: "armLabel", after the label's own.
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "ombu/NxActionEvent.h"
#include "ombu/widgets/NxLabel.h"

namespace norvex::ombu {

class NxButton;

// Hears a button being armed and disarmed; `ended` is false before and true after.
class NxButtonListener : public NxEventListener {
public:
    virtual void buttonArmed(NxButton& b, bool ended) = 0;
    virtual void buttonDisarmed(NxButton& b, bool ended) = 0;
};

class NxButton : public NxLabel {
    HOST_CREATABLE(NxButton, "norvex.ombu.NxButton", NxLabel)
public:
    NxButton();
    NxButton(host::Applet* applet, const std::string& name);

    using NxLabel::getParameters;
    void getParameters() override;

    const host::Value& getArmLabel() const { return arm_label; }
    void setArmLabel(const host::Value& v);
    void setActionCommand(const std::string& c);
    std::string getActionCommand() const;
    void addActionListener(NxActionListener* l);
    void removeActionListener(NxActionListener* l);
    void addButtonListener(NxButtonListener* l);
    void removeButtonListener(NxButtonListener* l);
    bool isArmed() const { return armed; }

    virtual void armAction(host::Event* ev);
    virtual void disarmAction(host::Event* ev);
    // Sends an NxActionEvent (the event's id, the action command) to every action listener.
    virtual void clickAction(host::Event* ev);

    void addNotify() override;
    bool mouseDown(host::Event& e, int x, int y) override;
    bool mouseUp(host::Event& e, int x, int y) override;
    bool keyDown(host::Event& e, int key) override;

    void layout() override;
    void paintComponent(host::Graphics& g) override;
    void drawShadow(host::Graphics& g) override;
    int preferredWidth() override;
    int preferredHeight() override;

protected:
    // The name kind ("button") without a page.
    NxButton(host::Applet* applet, const std::string& name, const char* kind);
    std::vector<NxButtonListener*> buttonListenersCopy();

    host::Value arm_label;
    std::atomic<bool> armed{false};
    int old_shadowtype = OmbuEnum::SHADOW_OUT;
    std::string actionCommand;
    int arm_offset = 1;
    OptString pending_arm_markup;

private:
    std::mutex listenersMutex;
    std::vector<NxActionListener*> actionListeners;
    std::vector<NxButtonListener*> buttonListeners;
};

using NxButtonPtr = std::shared_ptr<NxButton>;

}  // namespace norvex::ombu
