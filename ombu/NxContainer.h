// Base of every widget that holds child components (scrolled windows, tab
// managers, scroll bars, the chart and table components): a Panel with explicit
// insets and preferred size, page parameters, optional double buffering, and
// synchronous repainting of itself and its children.
//
// Creation: build with host::create<T>(applet, name); initialize() reads the page
// parameters once through the virtual getParameters().
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "host/ui/Container.h"
#include "host/graphics/Image.h"
#include "host/runtime/Value.h"
#include "util/NxConverter.h"
#include "util/TextUtil.h"

namespace host {
class Applet;
class AppletContext;
}  // namespace host

namespace norvex::ombu {

using util::OptString;

class NxContainer : public host::Panel {
    HOST_CREATABLE(NxContainer, "norvex.ombu.NxContainer", host::Panel)
public:
    NxContainer();
    NxContainer(host::Applet* applet, const std::string& name);
    ~NxContainer() override;

    void initialize() override;

    // The converter that reads container parameters; null restores a plain NxConverter.
    static void setConverter(std::shared_ptr<util::NxConverter> c);
    static std::shared_ptr<util::NxConverter> getConverter();
    // Sets the flag NxComponent uses as well.
    static void useSystemColors(bool on);

    OptString getParam(const std::string& param);
    virtual void getParameters();
    void getParameters(host::Applet* applet);
    void getParameters(host::Applet* applet, const OptString& file);

    const host::Value& getUserData() const { return userdata; }
    void setUserData(const host::Value& v) { userdata = v; }
    host::Applet* getApplet() const { return applet; }
    host::AppletContext* getAppletContext() const;
    // Stores only: no layout, no repaint. nullopt brings back the Panel's own insets.
    void setInsets(const std::optional<host::Insets>& i) { insets_ = i; }
    host::Insets insets() override;
    bool getDoubleBuffer() const { return double_buffer; }
    void setDoubleBuffer(bool b) { double_buffer = b; }

    virtual int preferredWidth() { return -1; }
    virtual int preferredHeight() { return -1; }
    void setPreferredSize(int w, int h);
    host::Dimension preferredSize() override;
    // While the preferred size is being measured, the Panel's own answer (without a
    // layout manager the Panel asks for the minimum size, which would ask back here).
    host::Dimension minimumSize() override { return in_pref_size ? Panel::minimumSize() : preferredSize(); }
    void reshape(int x, int y, int w, int h) override;
    void validate() override;
    void updateParent();
    void setCursor(int cursor);
    void enable() override;
    void disable() override;

    // Synchronous repainting of the container and then its children.
    void repaint() override;
    void repaint(const host::Rectangle& r) { repaint(r.x, r.y, r.width, r.height); }
    void repaint(int x, int y, int w, int h) override;
    // A graphics object of the shared off-screen image (the caller disposes it), or null.
    host::GraphicsPtr getDoubleBufferGraphics();
    void paint(host::Graphics& gc) override;
    // Draws the container's own content; the background is already filled.
    virtual void paintInterior(host::Graphics&) {}
    virtual void fillBackground(host::Graphics& g);
    const std::optional<host::Rectangle>& getPaintRect() const { return paint_rect; }
    void printAll(host::Graphics& g) override;

    void enable11Events(int64_t mask) { enableEvents(mask); }
    void addNotify() override;
    void processMouseEvent(host::MouseEvent& e) override;
    void processMouseMotionEvent(host::MouseEvent& e) override;

    // Adding a child that is already here does nothing (it keeps its place).
    void addImpl(const host::ComponentPtr& c, const host::Value& constraints, int index) override;
    using host::Panel::getComponent;
    // The index of c among the children, or -999.
    int getComponent(const host::Component* c) const;

protected:
    friend class ComponentConverter;

    host::Applet* applet;  // non-owning
    std::shared_ptr<host::Image> dblbuffer_image;
    int pref_width = -999, pref_height = -999;
    host::Value userdata;
    std::optional<host::Insets> insets_;
    bool in_pref_size = false;
    bool double_buffer = false;
    std::optional<host::Rectangle> paint_rect;

private:
    // Repaints the children whose bounds meet the area (all of them for null).
    void repaintChildren(const std::optional<host::Rectangle>& area);
};

using NxContainerPtr = std::shared_ptr<NxContainer>;

}  // namespace norvex::ombu
