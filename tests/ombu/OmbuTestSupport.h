// Shared pieces of the widget-core tests: a probe component that records what
// reaches it, and a shown frame whose drawing can be recorded.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "host/graphics/RecordingGraphics.h"
#include "host/ui/Toolkit.h"
#include "host/ui/Window.h"
#include "ombu/NxComponent.h"

namespace ombutest {

class Probe : public norvex::ombu::NxComponent {
public:
    using NxComponent::NxComponent;

    int paints = 0;
    std::optional<host::Rectangle> contentClip;
    std::function<void(Probe&)> onPaint;
    std::vector<std::pair<int, int>> keys;  // (event id, key)
    int mouseDowns = 0;

    void paintComponent(host::Graphics& g) override {
        ++paints;
        contentClip = g.getClipBounds();
        if (onPaint) onPaint(*this);
    }
    bool keyDown(host::Event& e, int key) override {
        keys.emplace_back(e.id, key);
        return true;
    }
    bool mouseDown(host::Event& e, int x, int y) override {
        ++mouseDowns;
        return NxComponent::mouseDown(e, x, y);
    }
    int shadowType() const { return shadow_type; }
    void setShadowType(int t) { shadow_type = t; }
    int prefWidth() const { return pref_width; }
};

// A frame without a layout manager. Recording: every graphics object its components
// get logs into one log (contexts are not translated: place the component at 0,0).
// Private: each graphics object logs on its own (safe when the event thread paints
// too). Raster: the window's own buffer.
enum class Drawing { Recording, Private, Raster };

struct ShownFrame {
    std::shared_ptr<host::Frame> frame = host::create<host::Frame>();
    std::shared_ptr<host::RecordingGraphics::Log> log = std::make_shared<host::RecordingGraphics::Log>();

    explicit ShownFrame(int w = 200, int h = 100, Drawing mode = Drawing::Recording) {
        frame->setLayout(nullptr);
        frame->reshape(0, 0, w, h);
        if (mode == Drawing::Recording) {
            auto l = log;
            frame->setGraphicsFactory(
                [l](host::Component&) -> host::GraphicsPtr { return std::make_unique<host::RecordingGraphics>(l); });
        } else if (mode == Drawing::Private) {
            frame->setGraphicsFactory(
                [](host::Component&) -> host::GraphicsPtr { return std::make_unique<host::RecordingGraphics>(); });
        }
    }
    // Events the test posted (focus, repeats) finish before the frame goes away.
    ~ShownFrame() {
        host::Toolkit::getDefaultToolkit().getSystemEventQueue().waitUntilIdle();
        frame->dispose();
    }

    template <class T>
    std::shared_ptr<T> add(std::shared_ptr<T> c, int x, int y, int w, int h) {
        frame->add(c);
        c->reshape(x, y, w, h);
        return c;
    }
    void show() {
        frame->setVisible(true);
        log->clear();
    }
    // The log without the font and colour the window gives a fresh graphics object.
    std::vector<std::string> lines() const {
        std::vector<std::string> out(*log);
        if (out.size() >= 2 && out[0].rfind("setFont(", 0) == 0 && out[1].rfind("setColor(", 0) == 0)
            out.erase(out.begin(), out.begin() + 2);
        return out;
    }
    bool logged(const std::string& line) const {
        for (auto& l : *log)
            if (l == line) return true;
        return false;
    }
    int count(const std::string& prefix) const {
        int n = 0;
        for (auto& l : *log)
            if (l.rfind(prefix, 0) == 0) ++n;
        return n;
    }
};

}  // namespace ombutest
