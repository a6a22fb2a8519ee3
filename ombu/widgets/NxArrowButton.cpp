#include "ombu/widgets/NxArrowButton.h"

#include <algorithm>
#include <chrono>
#include <stdexcept>

#include "host/ui/Container.h"
#include "host/ui/Toolkit.h"
#include "ombu/OmbuUtil.h"

namespace norvex::ombu {

using host::Lock;

NxArrowButton::NxArrowButton() : NxArrowButton(nullptr, "") {}

NxArrowButton::NxArrowButton(host::Applet* applet, const std::string& name)
    : NxButton(applet, name, "arrowbutton") {
    highlight = 0;
    shadow = 1;
    shadow_type = OmbuEnum::SHADOW_OUT;
    old_shadowtype = shadow_type;
    double_buffer = false;
    traversable = false;
    insets_ = host::Insets{2, 2, 2, 2};
}

NxArrowButton::~NxArrowButton() {
    // The timer's destructor stops and joins; queued ticks only hold a weak pointer.
    thread.reset();
}

const std::vector<std::string>& NxArrowButton::orientationNames() {
    static const std::vector<std::string> names{"UP", "DOWN", "LEFT", "RIGHT"};
    return names;
}

const std::vector<int>& NxArrowButton::orientationValues() {
    static const std::vector<int> values{OmbuEnum::UP, OmbuEnum::DOWN, OmbuEnum::LEFT, OmbuEnum::RIGHT};
    return values;
}

void NxArrowButton::getParameters() {
    NxButton::getParameters();
    auto conv = getConverter();
    setOrientation(
        conv->toEnum(getParam("orientation"), "orientation", orientationNames(), orientationValues(), orientation));
}

void NxArrowButton::setOrientation(int o) {
    if (o != OmbuEnum::UP && o != OmbuEnum::DOWN && o != OmbuEnum::LEFT && o != OmbuEnum::RIGHT)
        throw std::invalid_argument("Invalid Orientation value in NxArrowButton");
    Lock guard(mutex());
    if (o == orientation) return;
    orientation = o;
    repaint();
}

void NxArrowButton::setArrowSize(const host::Dimension& d) {
    Lock guard(mutex());
    arrow_size = d;
    repaint();
}

void NxArrowButton::setInitialRepeatDelay(int ms) {
    Lock guard(mutex());
    initial_delay = std::max(0, ms);
}

void NxArrowButton::setRepeatClock(std::shared_ptr<host::RepeatTimer::Clock> clock) {
    stopRepeat();
    Lock guard(mutex());
    repeat_clock = std::move(clock);
    thread.reset();
}

bool NxArrowButton::isRepeating() const {
    Lock guard(mutex());
    return thread && thread->isRunning();
}

void NxArrowButton::armAction(host::Event* ev) {
    NxButton::armAction(ev);
    Lock guard(mutex());
    if (initial_delay == OmbuEnum::MAXINT) return;
    if (!thread)
        thread = std::make_unique<host::RepeatTimer>(host::Toolkit::getDefaultToolkit().getSystemEventQueue(),
                                                     repeat_clock);
    std::weak_ptr<NxArrowButton> weak = std::static_pointer_cast<NxArrowButton>(shared_from_this());
    // start() replaces a running repeat, so one button never has two repeat threads.
    thread->start(std::chrono::milliseconds(initial_delay), std::chrono::milliseconds(REPEAT_INTERVAL), [weak] {
        // Runs on the dispatch thread; a tick queued before the release finds the button disarmed.
        if (auto b = weak.lock())
            if (b->armed) b->clickAction(nullptr);
    });
}

void NxArrowButton::stopRepeat() {
    host::RepeatTimer* timer;
    {
        Lock guard(mutex());
        timer = thread.get();
    }
    // Joined outside the button's lock; the timer object lives as long as the button.
    if (timer) timer->stop();
}

void NxArrowButton::disarmAction(host::Event* ev) {
    stopRepeat();
    NxButton::disarmAction(ev);
}

bool NxArrowButton::mouseDown(host::Event& e, int x, int y) {
    if (!NxButton::mouseDown(e, x, y)) return false;
    clickAction(&e);
    return true;
}

bool NxArrowButton::mouseUp(host::Event& e, int, int) {
    if (!armed) return false;
    disarmAction(&e);
    // A scroll bar also wants to see the release.
    return !OmbuUtil::instanceOf(getParent(), "NxScrollbar");
}

void NxArrowButton::paintComponent(host::Graphics& g) {
    host::Rectangle area = getDrawingArea();
    int w = arrow_size.width >= 0 ? std::min(arrow_size.width, area.width) : area.width;
    int h = arrow_size.height >= 0 ? std::min(arrow_size.height, area.height) : area.height;
    bool vertical = orientation == OmbuEnum::UP || orientation == OmbuEnum::DOWN;
    // The triangle has a base of 2k + 1 pixels and a height of k + 1.
    int k = vertical ? std::min((w - 1) / 2, h - 1) : std::min((h - 1) / 2, w - 1);
    if (k < 0) return;
    int bw = vertical ? 2 * k + 1 : k + 1, bh = vertical ? k + 1 : 2 * k + 1;
    int x = area.x + (area.width - bw) / 2, y = area.y + (area.height - bh) / 2;
    if (armed) {
        x += arm_offset;
        y += arm_offset;
    }
    int xs[3], ys[3];
    switch (orientation) {
        case OmbuEnum::UP:
            xs[0] = x, ys[0] = y + k, xs[1] = x + 2 * k, ys[1] = y + k, xs[2] = x + k, ys[2] = y;
            break;
        case OmbuEnum::DOWN:
            xs[0] = x, ys[0] = y, xs[1] = x + 2 * k, ys[1] = y, xs[2] = x + k, ys[2] = y + k;
            break;
        case OmbuEnum::LEFT:
            xs[0] = x + k, ys[0] = y, xs[1] = x + k, ys[1] = y + 2 * k, xs[2] = x, ys[2] = y + k;
            break;
        default:
            xs[0] = x, ys[0] = y, xs[1] = x, ys[1] = y + 2 * k, xs[2] = x + k, ys[2] = y + k;
            break;
    }
    if (!isEnabled()) g.setColor(OmbuUtil::darker(getBackground().value_or(host::Color::lightGray)));
    g.fillPolygon(xs, ys, 3);
    g.drawPolygon(xs, ys, 3);
}

int NxArrowButton::preferredWidth() { return arrow_size.width >= 0 ? arrow_size.width : 9; }
int NxArrowButton::preferredHeight() { return arrow_size.height >= 0 ? arrow_size.height : 9; }

}  // namespace norvex::ombu
