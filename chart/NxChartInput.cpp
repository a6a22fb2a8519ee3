// The chart's input and interaction operations: the regions' mouse and key events
// become trigger-selected gestures (chart/interact), hyperlinks of rich titles and
// axis labels show the hand cursor and open on a click; the reset, cancel and
// axis-selector keys.
#include <cmath>
#include <cstdlib>

#include "chart/AxisSelectorWindow.h"
#include "chart/NxChart.h"
#include "chart/base/ChartErrorDialog.h"
#include "chart/model/NxValueLabel.h"
#include "host/page/Applet.h"
#include "util/NxString.h"

namespace norvex::chart {

namespace {
// A press and release this close together is a click.
constexpr int kClickSlop = 4;
}  // namespace

// ---- triggers ----

std::shared_ptr<EventTrigger> NxChart::addTrigger() {
    host::Lock lock(mutex());
    return interaction.getTriggers().add();
}
std::shared_ptr<EventTrigger> NxChart::getTrigger(int i) const {
    host::Lock lock(mutex());
    return interaction.getTriggers().get(i);
}
void NxChart::setTrigger(int i, std::shared_ptr<EventTrigger> t) {
    host::Lock lock(mutex());
    interaction.getTriggers().set(i, std::move(t));
}
void NxChart::removeTrigger(int i) {
    host::Lock lock(mutex());
    interaction.getTriggers().remove(i);
}
int NxChart::getNumTriggers() const {
    host::Lock lock(mutex());
    return interaction.getTriggers().size();
}
std::shared_ptr<EventTrigger> NxChart::findMatchingTrigger(int modifiers) const {
    host::Lock lock(mutex());
    return interaction.getTriggers().findMatching(modifiers);
}

// ---- axis operations ----

void NxChart::zoom(double start, double end, const NxAxisPtr& axis, bool update) {
    if (!axis) return;
    interaction.remember();
    if (!AxisActions::zoom(*axis, start, end)) return;
    sendEvent(axis.get());
    if (update) chartArea->setChanged(true);
}

void NxChart::scale(double factor, const NxAxisPtr& axis, bool update) {
    if (!axis) return;
    interaction.remember();
    if (!AxisActions::scale(*axis, factor)) return;
    sendEvent(axis.get());
    if (update) chartArea->setChanged(true);
}

void NxChart::translateStart(const NxAxisPtr& axis) {
    if (!axis) return;
    interaction.remember();
    AxisActions::translateStart(*axis);
}

void NxChart::translate(double delta, const NxAxisPtr& axis, bool update) {
    if (!axis) return;
    interaction.remember();
    if (!AxisActions::translate(*axis, delta)) return;
    sendEvent(axis.get());
    if (update) chartArea->setChanged(true);
}

void NxChart::reset() {
    if (interaction.reset()) {
        chartArea->setChanged(true);
        sendEvent(nullptr);
    }
}

void NxChart::cancel() {
    if (interaction.cancel()) {
        chartArea->setChanged(true);
        sendEvent(nullptr);
    }
}

void NxChart::rotateStart() {
    interaction.remember();
    chartArea->setInAction(true);
}

void NxChart::rotate() {
    chartArea->setChanged(true);
    update();
}

void NxChart::rotateEnd() {
    chartArea->setInAction(false);
    chartArea->setChanged(true);
    update();
}

void NxChart::showError(const std::string& message) { ChartErrorDialog::show(message); }

// ---- input ----

host::Point NxChart::toArea(const host::MouseEvent& e) const {
    auto* src = dynamic_cast<host::Component*>(e.getSource());
    if (!src || src == chartArea.get()) return {e.getX(), e.getY()};
    return {e.getX() + src->getX() - chartArea->getX(), e.getY() + src->getY() - chartArea->getY()};
}

std::optional<std::string> NxChart::linkAt(host::Component* c, host::Point p) const {
    auto urlIn = [&](const ChartText& t, host::Point q) -> std::optional<std::string> {
        auto rich = t.getRealContents();
        if (!rich || !t.getIsShowing()) return std::nullopt;
        if (auto url = rich->getURL(q.x, q.y)) return std::string(*url);
        return std::nullopt;
    };
    if (c == header.get() || c == footer.get()) {
        auto* t = static_cast<NxTitle*>(c);
        if (!t->getIsShowing()) return std::nullopt;
        host::Rectangle r = t->getDrawingArea();
        return urlIn(t->getLabel(), {p.x - r.x, p.y - r.y});
    }
    if (c == chartArea.get()) {
        host::Point o = chartArea->getDrawingOrigin();
        host::Point q{p.x - o.x, p.y - o.y};
        for (auto& list : {chartArea->getXAxes(), chartArea->getYAxes()})
            for (auto& axis : list)
                for (auto& label : axis->getAnnotations())
                    if (label->getIsVisible())
                        if (auto url = urlIn(label->getChartText(), q)) return url;
    }
    return std::nullopt;
}

void NxChart::setHyperlink(std::optional<std::string> link) {
    if (link == hyperlink) return;
    hyperlink = std::move(link);
    setCursor(hyperlink ? host::Cursor::HAND_CURSOR : host::Cursor::DEFAULT_CURSOR);
    if (auto* ctx = getAppletContext()) ctx->showStatus(hyperlink ? *hyperlink : std::string());
}

void NxChart::mouseMoved(host::MouseEvent& e) {
    auto* src = dynamic_cast<host::Component*>(e.getSource());
    setHyperlink(linkAt(src, {e.getX(), e.getY()}));
}

void NxChart::mouseExited(host::MouseEvent&) {
    // The link is forgotten once the pointer leaves it, so a later click elsewhere
    // opens nothing.
    setHyperlink(std::nullopt);
}

void NxChart::mousePressed(host::MouseEvent& e) {
    auto* src = dynamic_cast<host::Component*>(e.getSource());
    if (src && src->isShowing()) src->requestFocus();  // the reset and cancel keys go to the chart
    linkPressed = false;
    if (hyperlink) {
        // A press on a link is the start of a click on it, never a gesture.
        linkPressed = true;
        linkPress = {e.getX(), e.getY()};
        return;
    }
    if (src != chartArea.get()) return;
    host::Point p = toArea(e);
    interaction.press(p.x, p.y, e.getModifiers());
}

void NxChart::mouseDragged(host::MouseEvent& e) {
    if (linkPressed) {
        if (std::abs(e.getX() - linkPress.x) + std::abs(e.getY() - linkPress.y) > kClickSlop) linkPressed = false;
        return;
    }
    host::Point p = toArea(e);
    interaction.drag(p.x, p.y);
}

void NxChart::mouseReleased(host::MouseEvent& e) {
    if (linkPressed) {
        linkPressed = false;
        auto* src = dynamic_cast<host::Component*>(e.getSource());
        auto url = linkAt(src, {e.getX(), e.getY()});
        if (url && url == hyperlink)
            util::NxString::showURL(url, getAppletContext(), getApplet());
        return;
    }
    host::Point p = toArea(e);
    interaction.release(p.x, p.y);
}

void NxChart::keyPressed(host::KeyEvent& e) {
    int k = e.getKeyChar();
    if (k == getResetKey())
        reset();
    else if (k == getCancelKey())
        cancel();
    else if (k != 0 && k == getAxisSelectKey())
        AxisSelectorWindow::open(std::static_pointer_cast<NxChart>(shared_from_this()));
}

}  // namespace norvex::chart
