// The table's own scroll bars. Values are pixel offsets held in 64 bits, and the slider
// mapping multiplies in 64 bits, so a million tall rows never overflow.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>

#include "host/base/Color.h"
#include "host/ui/Component.h"
#include "host/ui/RepeatTimer.h"

namespace norvex::table {

class Table;

class TblScrollbar : public host::Component {
    HOST_OBJECT(TblScrollbar, "norvex.table.TblScrollbar", host::Component)
public:
    static constexpr int HORIZONTAL = 0, VERTICAL = 1;
    static constexpr int MIN_SLIDERSIZE = 8, MIN_BTNSIZE = 3, MAX_BTNSIZE = 16;
    static const host::Color BRIGHTER, DARKER;
    // How the user moved the bar (the toolkit's scroll event ids).
    static constexpr int LINE_BACK = 601, LINE_FORWARD = 602, PAGE_BACK = 603, PAGE_FORWARD = 604, ABSOLUTE = 605,
                         DRAG = 606;

    TblScrollbar(Table& table, int orientation);

    int getOrientation() const { return orientation; }
    int64_t getValue() const;
    int64_t getMinimum() const { return minimum; }
    int64_t getMaximum() const { return maximum; }
    int64_t getVisible() const { return visible; }
    int64_t getLineIncrement() const { return line; }
    int64_t getPageIncrement() const { return page; }
    // The value clamped to minimum .. maximum - visible.
    void setValue(int64_t v);
    void setValues(int64_t value, int64_t visible, int64_t minimum, int64_t maximum);
    void setIncrements(int64_t line_inc, int64_t page_inc) { line = line_inc, page = page_inc; }
    // Called with the new value and the kind of move when the user moves the bar.
    void setOnScroll(std::function<void(int64_t, int)> f) { on_scroll = std::move(f); }

    // Geometry along the bar: button length, slider start and length in pixels.
    int buttonSize() const;
    int sliderStart() const;
    int sliderSize() const;
    // The value a slider starting at pixel p stands for.
    int64_t valueAtSlider(int p) const;

    void paint(host::Graphics& g) override;
    bool mouseDown(host::Event& e, int x, int y) override;
    bool mouseDrag(host::Event& e, int x, int y) override;
    bool mouseUp(host::Event& e, int x, int y) override;
    // Page Up / Page Down move by a page, Home and End go to the ends.
    bool keyDown(host::Event& e, int key) override;
    // Presses closer together than this (milliseconds) are ignored.
    void setFilterTime(int ms) { filter_time = ms; }
    bool dragging() const { return drag_start >= 0; }
    // While an arrow or the trough is held, its move repeats (after REPEAT_DELAY, every
    // REPEAT_INTERVAL ms) through the event queue until the release.
    static constexpr int REPEAT_DELAY = 300, REPEAT_INTERVAL = 50;
    bool isRepeating() const { return repeat_kind != 0; }
    bool atEnd() const { return getValue() >= maximum - visible; }

private:
    int length() const { return orientation == HORIZONTAL ? getWidth() : getHeight(); }
    int thickness() const { return orientation == HORIZONTAL ? getHeight() : getWidth(); }
    void userMove(int64_t v, int kind);
    void paintArrow(host::Graphics& g, int x, int y, int w, int h, bool forward);
    // One step of a held arrow or trough; false when the held move is over.
    bool repeatStep();

    Table* table;
    int orientation;
    int64_t value = 0, minimum = 0, maximum = 0, visible = 0, line = 1, page = 10;
    int drag_start = -1;
    int filter_time = 20;
    int64_t last_time = -1000000;
    int64_t drag_value_start = 0;
    std::function<void(int64_t, int)> on_scroll;
    std::atomic<int> repeat_kind{0};  // the held move (LINE_BACK ... PAGE_FORWARD), 0 when none
    int repeat_pos = 0;   // where the trough is held
    std::unique_ptr<host::RepeatTimer> repeat;
};

}  // namespace norvex::table
