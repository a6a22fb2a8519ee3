#include "table/view/TblScrollbar.h"

#include <algorithm>
#include <chrono>

#include "host/graphics/Graphics.h"
#include "host/ui/Event.h"
#include "host/ui/Toolkit.h"

namespace norvex::table {

using host::Color;
using host::Graphics;

const Color TblScrollbar::BRIGHTER{200, 200, 200};
const Color TblScrollbar::DARKER{140, 140, 140};

TblScrollbar::TblScrollbar(Table& t, int o) : table(&t), orientation(o) {
    setName(o == HORIZONTAL ? "horizsb" : "vertsb");
}

int64_t TblScrollbar::getValue() const {
    host::Lock guard(mutex());
    return value;
}

void TblScrollbar::setValue(int64_t v) {
    host::Lock guard(mutex());
    value = std::clamp(v, minimum, std::max(minimum, maximum - visible));
}

void TblScrollbar::setValues(int64_t v, int64_t vis, int64_t min, int64_t max) {
    host::Lock guard(mutex());
    minimum = min, maximum = std::max(min, max), visible = std::max<int64_t>(0, vis);
    value = std::clamp(v, minimum, std::max(minimum, maximum - visible));
}

int TblScrollbar::buttonSize() const {
    return std::clamp(std::min(thickness(), length() / 2), MIN_BTNSIZE, MAX_BTNSIZE);
}

int TblScrollbar::sliderSize() const {
    const int trough = std::max(0, length() - 2 * buttonSize());
    const int64_t range = maximum - minimum;
    if (range <= 0 || visible >= range) return trough;
    const int64_t s = int64_t(trough) * visible / range;
    return int(std::clamp<int64_t>(s, std::min(MIN_SLIDERSIZE, trough), trough));
}

int TblScrollbar::sliderStart() const {
    const int trough = std::max(0, length() - 2 * buttonSize());
    const int64_t span = maximum - minimum - visible;
    if (span <= 0) return buttonSize();
    // 64-bit product: a value of 20 million pixels times a trough of 700 pixels.
    return buttonSize() + int(int64_t(trough - sliderSize()) * (value - minimum) / span);
}

int64_t TblScrollbar::valueAtSlider(int p) const {
    const int free = std::max(1, length() - 2 * buttonSize() - sliderSize());
    const int64_t span = std::max<int64_t>(0, maximum - minimum - visible);
    const int64_t offset = std::clamp<int64_t>(p - buttonSize(), 0, free);
    return minimum + span * offset / free;
}

void TblScrollbar::paintArrow(Graphics& g, int x, int y, int w, int h, bool forward) {
    g.setColor(Color::lightGray);
    g.fillRect(x, y, w, h);
    g.setColor(BRIGHTER);
    g.drawLine(x, y, x + w - 1, y);
    g.drawLine(x, y, x, y + h - 1);
    g.setColor(DARKER);
    g.drawLine(x, y + h - 1, x + w - 1, y + h - 1);
    g.drawLine(x + w - 1, y, x + w - 1, y + h - 1);
    // The arrow patterns: 7 wide by 4 high along the bar's direction.
    g.setColor(getForeground().value_or(Color::black));
    const int cx = x + w / 2, cy = y + h / 2;
    for (int i = 0; i < 4; ++i) {
        const int half = 3 - i;  // rows of 7, 5, 3, 1 pixels
        if (orientation == VERTICAL) {
            const int row = forward ? cy - 2 + i : cy + 1 - i;
            g.fillRect(cx - half, row, 2 * half + 1, 1);
        } else {
            const int col = forward ? cx - 2 + i : cx + 1 - i;
            g.fillRect(col, cy - half, 1, 2 * half + 1);
        }
    }
}

void TblScrollbar::paint(Graphics& g) {
    host::Lock guard(mutex());
    const int w = getWidth(), h = getHeight();
    if (w <= 0 || h <= 0) return;
    g.setColor(Color{176, 176, 176});
    g.fillRect(0, 0, w, h);
    const int b = buttonSize(), len = length(), th = thickness();
    const int s = sliderStart(), ss = sliderSize();
    auto rect = [&](int along, int size) {
        return orientation == HORIZONTAL ? host::Rectangle{along, 0, size, th} : host::Rectangle{0, along, th, size};
    };
    host::Rectangle back = rect(0, b), fwd = rect(len - b, b), slider = rect(s, ss);
    paintArrow(g, back.x, back.y, back.width, back.height, false);
    paintArrow(g, fwd.x, fwd.y, fwd.width, fwd.height, true);
    if (ss > 0 && maximum - minimum > visible) {
        g.setColor(Color{224, 224, 224});
        g.fillRect(slider.x, slider.y, slider.width, slider.height);
        g.setColor(Color::white);
        g.drawLine(slider.x, slider.y, slider.x + slider.width - 1, slider.y);
        g.drawLine(slider.x, slider.y, slider.x, slider.y + slider.height - 1);
        g.setColor(Color::darkGray);
        g.drawLine(slider.x, slider.y + slider.height - 1, slider.x + slider.width - 1, slider.y + slider.height - 1);
        g.drawLine(slider.x + slider.width - 1, slider.y, slider.x + slider.width - 1, slider.y + slider.height - 1);
    }
}

void TblScrollbar::userMove(int64_t v, int kind) {
    v = std::clamp(v, minimum, std::max(minimum, maximum - visible));
    if (on_scroll)
        on_scroll(v, kind);
    else
        setValue(v);
}

bool TblScrollbar::mouseDown(host::Event& e, int x, int y) {
    if (maximum - minimum <= visible) return true;  // the slider fills the trough
    if (e.when - last_time < filter_time || dragging()) return true;
    last_time = e.when;
    const int p = orientation == HORIZONTAL ? x : y;
    const int b = buttonSize(), len = length();
    repeat_kind = 0;
    if (e.controlDown() && p >= b && p < len - b)
        userMove(p < sliderStart() + sliderSize() / 2 ? minimum : maximum - visible, ABSOLUTE);
    else if (p < b)
        repeat_kind = LINE_BACK;
    else if (p >= len - b)
        repeat_kind = LINE_FORWARD;
    else if (p < sliderStart())
        repeat_kind = PAGE_BACK;
    else if (p >= sliderStart() + sliderSize())
        repeat_kind = PAGE_FORWARD;
    else
        drag_start = p, drag_value_start = sliderStart();
    if (repeat_kind == 0) return true;
    repeat_pos = p;
    repeatStep();
    if (!repeat) repeat = std::make_unique<host::RepeatTimer>(getToolkit().getSystemEventQueue());
    std::weak_ptr<host::Object> weak = shared_from_this();
    repeat->start(std::chrono::milliseconds(REPEAT_DELAY), std::chrono::milliseconds(REPEAT_INTERVAL), [weak] {
        auto self = std::static_pointer_cast<TblScrollbar>(weak.lock());
        if (self && self->repeat_kind != 0 && !self->repeatStep()) self->repeat->stop();
    });
    return true;
}

bool TblScrollbar::repeatStep() {
    const int64_t before = getValue();
    switch (repeat_kind) {
        case LINE_BACK: userMove(before - line, LINE_BACK); break;
        case LINE_FORWARD: userMove(before + line, LINE_FORWARD); break;
        // The trough pages until the slider reaches the pointer.
        case PAGE_BACK:
            if (repeat_pos >= sliderStart()) return false;
            userMove(before - page, PAGE_BACK);
            break;
        case PAGE_FORWARD:
            if (repeat_pos < sliderStart() + sliderSize()) return false;
            userMove(before + page, PAGE_FORWARD);
            break;
        default: return false;
    }
    return getValue() != before;
}

bool TblScrollbar::mouseDrag(host::Event&, int x, int y) {
    if (drag_start < 0) return true;
    const int p = orientation == HORIZONTAL ? x : y;
    userMove(valueAtSlider(int(drag_value_start) + p - drag_start), DRAG);
    return true;
}

bool TblScrollbar::keyDown(host::Event&, int key) {
    switch (key) {
        case host::Event::PGUP: userMove(getValue() - page, PAGE_BACK); return true;
        case host::Event::PGDN: userMove(getValue() + page, PAGE_FORWARD); return true;
        case host::Event::HOME: userMove(minimum, ABSOLUTE); return true;
        case host::Event::END: userMove(maximum - visible, ABSOLUTE); return true;
        default: return false;
    }
}

bool TblScrollbar::mouseUp(host::Event&, int, int) {
    drag_start = -1;
    repeat_kind = 0;
    if (repeat) repeat->stop();
    return true;
}

}  // namespace norvex::table
