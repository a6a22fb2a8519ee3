// A small window of widgets: a label that counts presses of a button, a check box and
// a scroll bar whose value the label shows. It stays until its window is closed:
//   widget_window                 show the window on the X display (DISPLAY)
//   widget_window --seconds N     close it after N seconds
//   widget_window --save OUT.png  no window: write its picture (PNG, GIF, SVG or PDF)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "host/ui/Window.h"
#include "host/x11/X11Backend.h"
#include "image/PictureFile.h"
#include "ombu/widgets/NxButton.h"
#include "ombu/widgets/NxCheckbox.h"
#include "ombu/widgets/NxLabel.h"
#include "ombu/widgets/NxScrollbar.h"

using namespace norvex::ombu;

namespace {

// Listeners run on the event thread, one event at a time, so the count needs no lock.
struct Counter : NxActionListener, NxAdjustmentListener, NxItemListener {
    std::shared_ptr<NxLabel> label;
    int presses = 0, level = 0;
    bool loud = false;
    void show() {
        std::string s = "Presses: " + std::to_string(presses) + "   level: " + std::to_string(level);
        label->setText(loud ? s + " !" : s);
    }
    void actionPerformed(NxActionEvent&) override { ++presses, show(); }
    void adjustmentValueChanged(NxAdjustmentEvent& e) override { level = e.getValue(), show(); }
    void itemStateChanged(NxItemEvent& e) override { loud = e.getStateChange() == host::ItemEvent::SELECTED, show(); }
};

template <class T>
std::shared_ptr<T> place(host::Container& parent, std::shared_ptr<T> c, int x, int y, int w, int h) {
    parent.add(c);
    c->reshape(x, y, w, h);
    return c;
}

}  // namespace

int main(int argc, char** argv) {
    std::string save;
    int seconds = 0;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--save")) save = argv[i + 1];
        else if (!std::strcmp(argv[i], "--seconds")) seconds = std::atoi(argv[i + 1]);
    }

    // The widgets sit in a panel with fixed positions; the panel goes into the window
    // or straight into a picture.
    auto panel = host::create<host::Panel>();
    panel->setLayout(nullptr);
    panel->setBackground(host::Color::lightGray);
    Counter counter;
    counter.label = place(*panel, host::create<NxLabel>(), 10, 10, 260, 30);
    counter.label->setShadowType(OmbuEnum::SHADOW_IN);
    counter.label->setShadowThickness(2);
    auto button = place(*panel, host::create<NxButton>(), 10, 50, 100, 30);
    button->setText("Press me");
    auto box = place(*panel, host::create<NxCheckbox>(), 10, 90, 160, 26);
    box->setText("Shout");
    auto bar = place(*panel, host::create<NxScrollbar>(OmbuEnum::HORIZONTAL, nullptr, "level"), 10, 130, 260, 18);
    bar->setValues(0, 10, 0, 110);
    counter.show();
    button->addActionListener(&counter);
    bar->addAdjustmentListener(&counter);
    box->addItemListener(&counter);

    int status = 0;
    if (!save.empty()) {
        std::string error;
        if (!norvex::image::savePicture(panel, 280, 160, save, &error)) {
            std::fprintf(stderr, "widget_window: %s\n", error.c_str());
            status = 1;
        }
    } else {
        auto frame = host::create<host::Frame>();
        frame->setLayout(nullptr);
        frame->reshape(100, 100, 280, 160);
        place(*frame, panel, 0, 0, 280, 160);
        frame->setVisible(true);
        std::string error;
        auto backend = host::X11Backend::open(frame, &error);
        if (!backend) {
            std::fprintf(stderr, "widget_window: %s (try --save OUT.png)\n", error.c_str());
            status = 1;
        } else {
            const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
            while (!backend->waitClosed(std::chrono::milliseconds(200)))
                if (seconds > 0 && std::chrono::steady_clock::now() >= deadline) break;
            backend->close();
            frame->setBackend(nullptr);
        }
    }
    button->removeActionListener(&counter);
    bar->removeAdjustmentListener(&counter);
    box->removeItemListener(&counter);
    return status;
}
