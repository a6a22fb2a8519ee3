#include "chart/ChartErrorWindow.h"

#include <algorithm>
#include <iostream>
#include <mutex>

#include "chart/base/ChartErrorDialog.h"
#include "ombu/NxComponent.h"
#include "ombu/OmbuEnum.h"
#include "ombu/OmbuUtil.h"
#include "util/NxString.h"

namespace norvex::chart {

namespace {

// The message, drawn as rich text in the middle of the pane.
class MessagePane : public ombu::NxComponent {
public:
    MessagePane() : NxComponent(nullptr, "message") {
        shadow_type = ombu::OmbuEnum::SHADOW_NONE;
        traversable = false;
        setInsets({12, 16, 8, 16});
    }
    void setMessage(const std::string& m) {
        host::Lock lock(mutex());
        text = util::NxString::parse(this, m);
    }
    int preferredWidth() override { return text ? std::max(200, ombu::OmbuUtil::getWidth(host::Value(text), this)) : 200; }
    int preferredHeight() override { return text ? std::max(20, ombu::OmbuUtil::getHeight(host::Value(text), this)) : 20; }
    void paintComponent(host::Graphics& g) override {
        if (text) ombu::OmbuUtil::draw(this, g, host::Value(text), ombu::OmbuEnum::MIDDLECENTER, getDrawingArea());
    }

private:
    std::shared_ptr<util::NxString> text;
};

// A raised "OK" face that hides the dialog when clicked (pressed and released on it).
class OkButton : public ombu::NxComponent {
public:
    OkButton() : NxComponent(nullptr, "ok") {
        shadow_type = ombu::OmbuEnum::SHADOW_OUT;
        setPreferredSize(60, 18);
    }
    bool mouseDown(host::Event& e, int x, int y) override {
        NxComponent::mouseDown(e, x, y);
        setShadow(ombu::OmbuEnum::SHADOW_IN);
        return true;
    }
    bool mouseUp(host::Event&, int x, int y) override {
        setShadow(ombu::OmbuEnum::SHADOW_OUT);
        if (contains(x, y)) ChartErrorWindow::dismiss();
        return true;
    }
    bool keyDown(host::Event&, int key) override {
        if (key != '\n' && key != ' ') return false;
        ChartErrorWindow::dismiss();
        return true;
    }
    void paintComponent(host::Graphics& g) override {
        ombu::OmbuUtil::draw(this, g, host::Value("OK"), ombu::OmbuEnum::MIDDLECENTER, getDrawingArea());
    }

private:
    void setShadow(int type) {
        host::Lock lock(mutex());
        shadow_type = type;
        repaint();
    }
};

struct WindowState {
    std::recursive_mutex mutex;
    std::shared_ptr<host::Dialog> dialog;
    std::shared_ptr<MessagePane> pane;
    std::string message;
    ChartErrorWindow::OnCreated onCreated;
};

WindowState& state() {
    static WindowState s;
    return s;
}

std::shared_ptr<host::Dialog> makeDialog() {
    auto& s = state();
    auto d = host::create<host::Dialog>(nullptr, "Chart error", false);
    d->setBackground(host::SystemColor::control);
    d->setForeground(host::SystemColor::controlText);
    s.pane = host::create<MessagePane>();
    auto ok = host::create<OkButton>();
    auto buttons = host::create<host::Panel>();
    buttons->add(ok);
    d->add(s.pane, host::Value("Center"));
    d->add(buttons, host::Value("South"));
    return d;
}

}  // namespace

void ChartErrorWindow::install(OnCreated onCreated) {
    {
        std::lock_guard lock(state().mutex);
        state().onCreated = std::move(onCreated);
    }
    ChartErrorDialog::setDisplay([](const std::string& m) {
        // The error stream hears of it too: a dialog may be on no screen at all.
        ChartErrorDialog::printLine(m);
        show(m);
    });
}

void ChartErrorWindow::uninstall() { ChartErrorDialog::setDisplay({}); }

void ChartErrorWindow::show(const std::string& message) {
    auto& s = state();
    std::shared_ptr<host::Dialog> d;
    OnCreated created;
    {
        std::lock_guard lock(s.mutex);
        bool fresh = !s.dialog;
        if (fresh) s.dialog = makeDialog();
        d = s.dialog;
        s.message = message;
        s.pane->setMessage(message);
        d->pack();
        d->setVisible(true);
        if (fresh) created = s.onCreated;
    }
    if (created) created(d);
}

std::shared_ptr<host::Dialog> ChartErrorWindow::dialog() {
    std::lock_guard lock(state().mutex);
    return state().dialog;
}

std::string ChartErrorWindow::message() {
    std::lock_guard lock(state().mutex);
    return state().message;
}

void ChartErrorWindow::dismiss() {
    std::shared_ptr<host::Dialog> d = dialog();
    if (d) d->setVisible(false);
}

}  // namespace norvex::chart
