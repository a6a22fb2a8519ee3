#include "ombu/widgets/NxScrolledWindow.h"

#include <algorithm>
#include <iostream>
#include <stdexcept>

#include "host/ui/Window.h"
#include "ombu/NxComponent.h"
#include "ombu/widgets/NxScrollbar.h"
#include "ombu/widgets/TreeLock.h"

namespace norvex::ombu {

using host::Lock;

// Viewport

Viewport::Viewport() { setLayout(nullptr); }

void Viewport::setChild(const host::ComponentPtr& c) {
    if (child == c) return;
    if (child) remove(child.get());
    child = c;
    horiz_origin = vert_origin = 0;
    if (c) add(c);
    layout();
}

void Viewport::layout() {
    if (!child) return;
    placeChild();
}

void Viewport::placeChild() {
    host::Dimension pref = child->preferredSize();
    int w = getWidth(), h = getHeight();
    if (!dynamic_cast<NxScrollableInterface*>(child.get())) {
        w = std::max(w, pref.width);
        h = std::max(h, pref.height);
        child->reshape(-horiz_origin, -vert_origin, w, h);
    } else {
        child->reshape(0, 0, w, h);
    }
}

void Viewport::setOrigin(int horiz, int vert) {
    if (horiz == horiz_origin && vert == vert_origin) return;
    horiz_origin = horiz;
    vert_origin = vert;
    if (!child) return;
    placeChild();
    // An NxComponent child repaints itself when it moves; others are painted here.
    if (!dynamic_cast<NxComponent*>(child.get()) && !dynamic_cast<NxContainer*>(child.get()))
        if (host::Window* w = getWindow(); w && isShowing()) w->paintComponentTree(*this);
}

// NxScrolledWindow

NxScrolledWindow::NxScrolledWindow() : NxScrolledWindow(nullptr, "") {}

NxScrolledWindow::NxScrolledWindow(host::Applet* applet, const std::string& name) : NxContainer(applet, name) {
    setLayout(nullptr);
    viewport = host::create<Viewport>();
    vert_sb = host::create<NxScrollbar>(OmbuEnum::VERTICAL, nullptr, "");
    horiz_sb = host::create<NxScrollbar>(OmbuEnum::HORIZONTAL, nullptr, "");
    for (auto& sb : {vert_sb, horiz_sb}) {
        sb->setScrolledWindow(this);
        sb->addAdjustmentListener(this);
        sb->setVisible(false);
    }
    NxContainer::addImpl(viewport, host::Value(), -1);
    NxContainer::addImpl(vert_sb, host::Value(), -1);
    NxContainer::addImpl(horiz_sb, host::Value(), -1);
}

NxScrolledWindow::~NxScrolledWindow() {
    for (auto& sb : {vert_sb, horiz_sb}) {
        sb->removeAdjustmentListener(this);
        sb->setScrolledWindow(nullptr);
    }
}

const std::vector<std::string>& NxScrolledWindow::displayNames() {
    static const std::vector<std::string> names{"DISPLAY_AS_NEEDED", "DISPLAY_ALWAYS", "DISPLAY_NONE",
                                                "DISPLAY_VERTICAL_ONLY", "DISPLAY_HORIZONTAL_ONLY"};
    return names;
}

void NxScrolledWindow::getParameters() {
    NxContainer::getParameters();
    auto conv = getConverter();
    setScrollbarDisplay(
        conv->toEnum(getParam("ScrollbarDisplay"), "ScrollbarDisplay", displayNames(), {0, 1, 2, 3, 4}, sb_display));
    setScrollbarOffset(conv->toInt(getParam("ScrollbarOffset"), sb_offset));
    if (auto cls = getParam("child")) {
        auto obj = host::ClassRegistry::instance().createObject(*cls, applet, getName() + ".child");
        if (auto c = host::cast<host::Component>(obj))
            setChild(c);
        else
            std::cerr << "NxScrolledWindow: child names '" << *cls << "', which is not a component class\n";
    }
}

void NxScrolledWindow::setScrollbarDisplay(int policy) {
    if (policy < OmbuEnum::DISPLAY_AS_NEEDED || policy > OmbuEnum::DISPLAY_HORIZONTAL_ONLY)
        throw std::invalid_argument("Invalid ScrollbarDisplay value in NxScrolledWindow");
    TreeLock guard(*this);
    if (policy == sb_display) return;
    sb_display = policy;
    layout();
}

void NxScrolledWindow::setScrollbarOffset(int offset) {
    TreeLock guard(*this);
    if (offset == sb_offset) return;
    sb_offset = std::max(0, offset);
    layout();
}

host::Component* NxScrolledWindow::getViewport() const {
    const auto& c = viewport->getChild();
    if (c && dynamic_cast<NxScrollableInterface*>(c.get())) return c.get();
    return viewport.get();
}

const host::ComponentPtr& NxScrolledWindow::getChild() const { return viewport->getChild(); }

void NxScrolledWindow::reshape(int x, int y, int w, int h) {
    TreeLock guard(*this);
    NxContainer::reshape(x, y, w, h);
}

void NxScrolledWindow::setChild(const host::ComponentPtr& c) {
    TreeLock guard(*this);
    viewport->setChild(c);
    vert_sb->setValue(0);
    horiz_sb->setValue(0);
    layout();
}

host::Dimension NxScrolledWindow::contentSize() const {
    const auto& child = viewport->getChild();
    if (!child) return {0, 0};
    host::Dimension pref = child->preferredSize();
    if (auto* s = dynamic_cast<NxScrollableInterface*>(child.get())) {
        host::Dimension own = s->scrollableSize();
        if (own.width >= 0) pref.width = own.width;
        if (own.height >= 0) pref.height = own.height;
    }
    return pref;
}

bool NxScrolledWindow::isOwnPart(const host::Component* c) const {
    return c == viewport.get() || c == vert_sb.get() || c == horiz_sb.get();
}

void NxScrolledWindow::addImpl(const host::ComponentPtr& c, const host::Value& constraints, int index) {
    // Before the constructor made the parts, or for the parts themselves: a plain add.
    if (!viewport || !vert_sb || !horiz_sb || isOwnPart(c.get())) {
        NxContainer::addImpl(c, constraints, index);
        return;
    }
    setChild(c);
}

void NxScrolledWindow::layout() {
    TreeLock guard(*this);
    host::Insets in = insets();
    int64_t availW = std::max<int64_t>(0, int64_t(getWidth()) - in.left - in.right);
    int64_t availH = std::max<int64_t>(0, int64_t(getHeight()) - in.top - in.bottom);
    host::Dimension pref = contentSize();
    int64_t take = int64_t(sb_offset) + SB_SIZE;
    bool vert = false, horiz = false;
    switch (sb_display) {
        case OmbuEnum::DISPLAY_NONE: break;
        case OmbuEnum::DISPLAY_ALWAYS: vert = horiz = true; break;
        default:
            if (sb_display == OmbuEnum::DISPLAY_AS_NEEDED && pref.width <= availW && pref.height <= availH) break;
            vert = sb_display != OmbuEnum::DISPLAY_HORIZONTAL_ONLY;
            if (vert && pref.height <= availH && sb_display != OmbuEnum::DISPLAY_VERTICAL_ONLY) vert = false;
            if (vert) availW = std::max<int64_t>(0, availW - take);
            horiz = sb_display != OmbuEnum::DISPLAY_VERTICAL_ONLY;
            if (horiz && pref.width <= availW && sb_display != OmbuEnum::DISPLAY_HORIZONTAL_ONLY) horiz = false;
            if (horiz) {
                availH = std::max<int64_t>(0, availH - take);
                // The horizontal bar took height: the child may no longer fit vertically.
                if (!vert && sb_display == OmbuEnum::DISPLAY_AS_NEEDED && pref.height > availH) {
                    vert = true;
                    availW = std::max<int64_t>(0, availW - take);
                }
            }
            break;
    }
    if (sb_display == OmbuEnum::DISPLAY_ALWAYS) {
        availW = std::max<int64_t>(0, availW - take);
        availH = std::max<int64_t>(0, availH - take);
    }
    rect = {in.left, in.top, int(availW), int(availH)};
    viewport->reshape(rect.x, rect.y, rect.width, rect.height);
    viewport->layout();
    vert_sb->setVisible(vert);
    horiz_sb->setVisible(horiz);
    if (vert) vert_sb->reshape(int(rect.x + availW + sb_offset), rect.y, SB_SIZE, rect.height);
    if (horiz) horiz_sb->reshape(rect.x, int(rect.y + availH + sb_offset), rect.width, SB_SIZE);
    setVertScrollbarValues();
    setHorizScrollbarValues();
    repaint();
}

void NxScrolledWindow::setHorizScrollbarValues(int value, int visible, int min, int max) {
    horiz_sb->setValues(value, visible, min, max);
    scrollHorizontal(horiz_sb->getValue());
}

void NxScrolledWindow::setVertScrollbarValues(int value, int visible, int min, int max) {
    vert_sb->setValues(value, visible, min, max);
    scrollVertical(vert_sb->getValue());
}

void NxScrolledWindow::setHorizScrollbarValues() {
    int view = rect.width;
    int size = std::max(contentSize().width, view);
    setHorizScrollbarValues(horiz_sb->getValue(), view, 0, size);
}

void NxScrolledWindow::setVertScrollbarValues() {
    int view = rect.height;
    int size = std::max(contentSize().height, view);
    setVertScrollbarValues(vert_sb->getValue(), view, 0, size);
}

void NxScrolledWindow::scrollHorizontal(int v) {
    const auto& child = viewport->getChild();
    if (auto* s = dynamic_cast<NxScrollableInterface*>(child.get()))
        s->scrollHorizontal(v);
    else
        viewport->setOrigin(v, viewport->getVertOrigin());
}

void NxScrolledWindow::scrollVertical(int v) {
    const auto& child = viewport->getChild();
    if (auto* s = dynamic_cast<NxScrollableInterface*>(child.get()))
        s->scrollVertical(v);
    else
        viewport->setOrigin(viewport->getHorizOrigin(), v);
}

void NxScrolledWindow::adjustmentValueChanged(NxAdjustmentEvent& e) {
    if (e.getSource() == vert_sb.get())
        scrollVertical(e.getValue());
    else if (e.getSource() == horiz_sb.get())
        scrollHorizontal(e.getValue());
}

int NxScrolledWindow::preferredWidth() {
    const auto& child = viewport->getChild();
    return child ? child->preferredSize().width : -1;
}

int NxScrolledWindow::preferredHeight() {
    const auto& child = viewport->getChild();
    return child ? child->preferredSize().height : -1;
}

void NxScrolledWindow::repaint() {
    TreeLock guard(*this);
    NxContainer::repaint();
}

void NxScrolledWindow::repaint(int x, int y, int w, int h) {
    TreeLock guard(*this);
    NxContainer::repaint(x, y, w, h);
}

void NxScrolledWindow::enable() {
    TreeLock guard(*this);
    NxContainer::enable();
}

void NxScrolledWindow::disable() {
    TreeLock guard(*this);
    NxContainer::disable();
}

}  // namespace norvex::ombu
