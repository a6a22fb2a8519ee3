// A scrolled window: one child in a viewport, with a vertical and a horizontal
// scroll bar shown by a display policy (DISPLAY_AS_NEEDED, DISPLAY_ALWAYS,
// DISPLAY_NONE, DISPLAY_VERTICAL_ONLY, DISPLAY_HORIZONTAL_ONLY). Moving a bar
// scrolls the child: a child that scrolls itself (NxScrollableInterface) is told
// the new value, any other child is moved inside the viewport.
//
// Components added to the window become its child (the previous one is replaced).
//
// Parameters: "ScrollbarDisplay" (the DISPLAY_ names), "ScrollbarOffset", and
// "child" (a class name; the child is named after the window with ".child").
#pragma once

#include <memory>
#include <string>

#include "host/ui/Container.h"
#include "ombu/NxAdjustmentEvent.h"
#include "ombu/NxContainer.h"
#include "ombu/OmbuEnum.h"

namespace norvex::ombu {

class NxScrollbar;

// A child that scrolls its own content instead of being moved.
class NxScrollableInterface {
public:
    virtual ~NxScrollableInterface() = default;
    virtual void scrollHorizontal(int value) = 0;
    virtual void scrollVertical(int value) = 0;
    // The size of the whole content the bars scroll over; a negative side means the
    // preferred size's.
    virtual host::Dimension scrollableSize() { return {-1, -1}; }
};

// Shows a part of its child: the child sits at minus the origin.
class Viewport : public host::Panel {
    HOST_OBJECT(Viewport, "norvex.ombu.Viewport", host::Panel)
public:
    Viewport();
    const host::ComponentPtr& getChild() const { return child; }
    void setChild(const host::ComponentPtr& c);
    // Moves the child to minus the origin and paints the viewport again.
    void setOrigin(int horiz, int vert);
    int getHorizOrigin() const { return horiz_origin; }
    int getVertOrigin() const { return vert_origin; }
    // Gives the child its preferred size, at least the viewport's.
    void layout() override;

private:
    void placeChild();
    host::ComponentPtr child;
    int horiz_origin = 0, vert_origin = 0;
};

class NxScrolledWindow : public NxContainer, private NxAdjustmentListener {
    HOST_CREATABLE(NxScrolledWindow, "norvex.ombu.NxScrolledWindow", NxContainer)
public:
    static constexpr int SB_SIZE = OmbuEnum::SB_SIZE;

    NxScrolledWindow();
    NxScrolledWindow(host::Applet* applet, const std::string& name);
    ~NxScrolledWindow() override;

    using NxContainer::getParameters;
    void getParameters() override;

    int getScrollbarDisplay() const { return sb_display; }
    // One of the DISPLAY_ policies (else invalid_argument).
    void setScrollbarDisplay(int policy);
    int getScrollbarOffset() const { return sb_offset; }
    void setScrollbarOffset(int offset);
    // The component that shows the child: the viewport, or the child when it scrolls itself.
    host::Component* getViewport() const;
    const std::shared_ptr<NxScrollbar>& getVertScrollbar() const { return vert_sb; }
    const std::shared_ptr<NxScrollbar>& getHorizScrollbar() const { return horiz_sb; }
    const host::ComponentPtr& getChild() const;
    void setChild(const host::ComponentPtr& c);

    void setHorizScrollbarValues(int value, int visible, int min, int max);
    void setVertScrollbarValues(int value, int visible, int min, int max);
    // From the child's preferred size and the viewport's size, keeping the values in range.
    void setHorizScrollbarValues();
    void setVertScrollbarValues();
    void scrollHorizontal(int v);
    void scrollVertical(int v);
    void adjustmentValueChanged(NxAdjustmentEvent& e) override;

    void addImpl(const host::ComponentPtr& c, const host::Value& constraints, int index) override;
    void reshape(int x, int y, int w, int h) override;
    void layout() override;
    // Under the tree lock first (see TreeLock), as layout is.
    void repaint() override;
    void repaint(int x, int y, int w, int h) override;
    using NxContainer::repaint;
    void enable() override;
    void disable() override;
    int preferredWidth() override;
    int preferredHeight() override;

    static const std::vector<std::string>& displayNames();

private:
    bool isOwnPart(const host::Component* c) const;
    // The child's scroll size: its own for a self-scrolling child, else its preferred size.
    host::Dimension contentSize() const;

    int sb_display = OmbuEnum::DISPLAY_AS_NEEDED;
    int sb_offset = 0;
    std::shared_ptr<NxScrollbar> vert_sb, horiz_sb;
    std::shared_ptr<Viewport> viewport;
    host::Rectangle rect;  // the viewport's bounds after the last layout
};

using NxScrolledWindowPtr = std::shared_ptr<NxScrolledWindow>;

}  // namespace norvex::ombu
