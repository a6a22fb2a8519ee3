// The toolkit's scroll bar: two arrow buttons (with auto-repeat) at the ends of a
// trough holding a draggable thumb, an integer value model (value, visible amount,
// minimum, maximum), adjustment listeners and keyboard control.
//
// Geometry runs in 64 bits, so a maximum of millions on a trough of a thousand
// pixels cannot overflow. The thumb moves over trough - thumb pixels while the
// value moves over maximum - visible - minimum, so the thumb touches the end
// exactly when the value reaches it. Listeners are called after the bar's lock is
// released, on a copy of the list, in the order added.
//
// Parameters: "Minimum", "Maximum", "VisibleAmount", "BlockIncrement",
// "UnitIncrement", "FilterTime", "orientation" ("HORIZONTAL", "VERTICAL").
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "ombu/NxActionEvent.h"
#include "ombu/NxAdjustmentEvent.h"
#include "ombu/NxComponent.h"
#include "ombu/NxContainer.h"
#include "ombu/OmbuEnum.h"

namespace norvex::ombu {

class NxArrowButton;
class NxScrolledWindow;
class NxScrollbar;

// The draggable thumb; its presses and drags go to the scroll bar.
class ScrollbarThumb : public NxComponent {
    HOST_OBJECT(ScrollbarThumb, "norvex.ombu.ScrollbarThumb", NxComponent)
public:
    ScrollbarThumb(host::Applet* applet, const std::string& name);
    void addNotify() override;
    bool mouseDown(host::Event& e, int x, int y) override;
    bool mouseDrag(host::Event& e, int x, int y) override;
    bool mouseUp(host::Event& e, int x, int y) override;

private:
    NxScrollbar* bar() const;
};

class NxScrollbar : public NxContainer, private NxActionListener {
    HOST_CREATABLE(NxScrollbar, "norvex.ombu.NxScrollbar", NxContainer)
public:
    static constexpr int MIN_SLIDERSIZE = 6;
    static constexpr int ARROW_REPEAT_DELAY = 300;  // ms before a held arrow repeats

    NxScrollbar();
    // Vertical; without a page the bar is named "scrollbar" and a running number.
    NxScrollbar(host::Applet* applet, const std::string& name);
    NxScrollbar(int orientation, host::Applet* applet, const std::string& name);
    NxScrollbar(int orientation, int value, int visible, int min, int max);
    ~NxScrollbar() override;

    using NxContainer::getParameters;
    void getParameters() override;

    int getOrientation() const { return orientation; }
    // HORIZONTAL or VERTICAL (else invalid_argument); turns both arrows.
    void setOrientation(int o);
    // Under the lock: repeat clicks change the value on the dispatch thread.
    int getValue() const;
    void setValue(int v);
    void setValue(int v, bool notify);
    // type is the scroll request (601 line up ... 605 absolute).
    void setValue(int v, int type, bool notify);
    int getMinimum() const { return min; }
    void setMinimum(int m);
    int getMaximum() const { return max; }
    void setMaximum(int m);
    int getVisibleAmount() const { return visible; }
    int getVisible() const { return visible; }
    void setVisibleAmount(int v);
    int getUnitIncrement() const { return line_incr; }
    void setUnitIncrement(int v);
    int getBlockIncrement() const { return page_incr; }
    void setBlockIncrement(int v);
    int64_t getFilterTime() const { return filter_time; }
    void setFilterTime(int64_t ms);
    // Clamps: max to at least min, visible to 0 ... max - min, value into min ... max - visible.
    void setValues(int value, int visible, int min, int max);
    // At the minimum or at max - visible.
    bool atEnd() const;
    bool dragging() const { return dragStart != -999; }
    void addAdjustmentListener(NxAdjustmentListener* l);
    void removeAdjustmentListener(NxAdjustmentListener* l);
    void setScrolledWindow(NxScrolledWindow* w) { scrolled_window = w; }

    // Geometry: thumb pixels for a value relative to the minimum, the value (relative to
    // the minimum) for a thumb offset, and the thumb length for a visible amount.
    int toPixels(int64_t v) const;
    int toValue(int64_t pixels) const;
    int cvtThumbSizeToPixels(int64_t v) const;
    void moveThumb();
    int getTroughSize() const { return trough_size; }
    int getSliderSize() const { return slider_size; }
    // The thumb's offset along the bar (past the decrement arrow).
    int getThumbPosition() const;
    const std::shared_ptr<NxArrowButton>& getIncrArrow() const { return incr_arrow; }
    const std::shared_ptr<NxArrowButton>& getDecrArrow() const { return decr_arrow; }
    const std::shared_ptr<ScrollbarThumb>& getThumb() const { return thumb; }

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
    void paintInterior(host::Graphics& g) override;
    void setBackground(const host::Color& c) override;
    void setForeground(const host::Color& c) override;
    bool isFocusTraversable() const override;

    void addNotify() override;
    void processKeyEvent(host::KeyEvent& e) override;
    void processFocusEvent(host::FocusEvent& e) override;
    bool mouseDown(host::Event& e, int x, int y) override;
    bool mouseDrag(host::Event& e, int x, int y) override;
    bool mouseUp(host::Event& e, int x, int y) override;
    bool keyDown(host::Event& e, int key) override;

private:
    void init(int orientation);
    void actionPerformed(NxActionEvent& e) override;
    // Stores a clamped value, moves the thumb and, when notify (and the value changed,
    // or force), tells the listeners.
    void changeValue(int64_t v, int type, bool notify, bool force);
    void notifyListeners(int type, int v);
    int64_t check(int64_t v) const;
    void setArrowOrientations();
    int along(int x, int y) const { return orientation == OmbuEnum::VERTICAL ? y : x; }
    int arrowLength() const;

    NxScrolledWindow* scrolled_window = nullptr;  // non-owning
    std::shared_ptr<NxArrowButton> incr_arrow, decr_arrow;
    std::shared_ptr<ScrollbarThumb> thumb;
    int value = 0, min = 0, max = 100, orientation = OmbuEnum::VERTICAL;
    std::mutex listenersMutex;
    std::vector<NxAdjustmentListener*> adjustmentListeners;
    int line_incr = 10, page_incr = 10;
    int64_t filter_time = 0, last_time = 0;
    int64_t last_press = INT64_MIN / 2;
    int visible = 10;
    int major = 0, minor = 0;
    int trough_size = 0, slider_size = 0;
    std::shared_ptr<host::Image> disabled_image;
    int dragStart = -999, dragValueStart = -999;
};

using NxScrollbarPtr = std::shared_ptr<NxScrollbar>;

}  // namespace norvex::ombu
