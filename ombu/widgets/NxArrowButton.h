// A button that draws an arrow (UP, DOWN, LEFT or RIGHT) and clicks as soon as it
// is pressed. With an initial repeat delay below the largest int it keeps clicking
// while held: after the delay, then every 50 ms. The repeat clicks run on the event
// queue's dispatch thread (one helper thread per button counts the time), so they
// reach listeners such as a scroll bar in order with the other input. Releasing
// stops and joins the helper thread without holding the button's lock.
//
// Parameters: "orientation" ("UP", "DOWN", "LEFT", "RIGHT"), after the button's own.
#pragma once

#include <memory>
#include <string>

#include "host/ui/RepeatTimer.h"
#include "ombu/widgets/NxButton.h"

namespace norvex::ombu {

class NxArrowButton : public NxButton {
    HOST_CREATABLE(NxArrowButton, "norvex.ombu.NxArrowButton", NxButton)
public:
    static constexpr int REPEAT_INTERVAL = 50;  // milliseconds between repeat clicks

    NxArrowButton();
    NxArrowButton(host::Applet* applet, const std::string& name);
    ~NxArrowButton() override;

    using NxButton::getParameters;
    void getParameters() override;

    int getOrientation() const { return orientation; }
    // OmbuEnum::UP, DOWN, LEFT or RIGHT; anything else raises invalid_argument.
    void setOrientation(int o);
    host::Dimension getArrowSize() const { return arrow_size; }
    // The arrow's box; a negative side means "fit the drawing area".
    void setArrowSize(const host::Dimension& d);
    int getInitialRepeatDelay() const { return initial_delay; }
    // Milliseconds before repeating; the largest int (the default) means no repeat.
    void setInitialRepeatDelay(int ms);
    // Replaces how the repeat thread waits (tests give a clock they control).
    void setRepeatClock(std::shared_ptr<host::RepeatTimer::Clock> clock);
    // Whether the repeat thread runs.
    bool isRepeating() const;

    void armAction(host::Event* ev) override;
    void disarmAction(host::Event* ev) override;
    bool mouseDown(host::Event& e, int x, int y) override;
    bool mouseUp(host::Event& e, int x, int y) override;

    void paintComponent(host::Graphics& g) override;
    int preferredWidth() override;
    int preferredHeight() override;

    static const std::vector<std::string>& orientationNames();
    static const std::vector<int>& orientationValues();

private:
    void stopRepeat();

    int orientation = OmbuEnum::DOWN;
    host::Dimension arrow_size{-1, -1};
    int initial_delay = OmbuEnum::MAXINT;
    std::shared_ptr<host::RepeatTimer::Clock> repeat_clock;
    std::unique_ptr<host::RepeatTimer> thread;  // the repeat thread while armed
};

using NxArrowButtonPtr = std::shared_ptr<NxArrowButton>;

}  // namespace norvex::ombu
