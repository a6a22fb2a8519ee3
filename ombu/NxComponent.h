// Base of every self-drawn widget: a Canvas with a frame around its drawing area
// (insets, a shadow border and a focus highlight), a paint pipeline with optional
// double buffering through the painting thread's shared image, synchronous
// repainting, preferred sizes with explicit overrides, page parameters, and a
// bridge from the host's listener-style input to the old per-event handlers
// (mouseDown, keyDown ...) that widgets override.
//
// Creation: build with host::create<T>(applet, name). initialize() then reads the
// page parameters once through the virtual getParameters(), so a widget only
// overrides getParameters() (calling its own converter) and never reads them in
// its constructor.
//
// Threads: painting, repainting, reshaping, the colour/font/frame setters,
// enable and disable hold the component's lock; repaint() paints on the calling
// thread.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "host/ui/Component.h"
#include "host/graphics/Image.h"
#include "host/runtime/Value.h"
#include "ombu/OmbuEnum.h"
#include "util/NxConverter.h"
#include "util/TextUtil.h"

namespace host {
class Applet;
class AppletContext;
class Frame;
}  // namespace host

namespace norvex::ombu {

using util::OptString;

class NxComponent : public host::Canvas {
    HOST_CREATABLE(NxComponent, "norvex.ombu.NxComponent", host::Canvas)
public:
    NxComponent();
    NxComponent(host::Applet* applet, const std::string& name);
    ~NxComponent() override;

    // Reads the page parameters (getParameters(applet)).
    void initialize() override;

    // A plain object whose lock widgets share where they need one lock between them.
    static host::Object& LOCK();
    // When a combo box last closed its drop-down list (milliseconds); presses that
    // follow it within 50 ms are dropped.
    static std::atomic<int64_t> popdown_time;
    // Host virtual-key codes and the old-model key values they become.
    static constexpr std::array<std::pair<int, int>, 10> keyCodes{{{127, 127},
                                                                   {40, 1005},
                                                                   {35, 1001},
                                                                   {10, 10},
                                                                   {36, 1000},
                                                                   {37, 1006},
                                                                   {34, 1003},
                                                                   {33, 1002},
                                                                   {39, 1007},
                                                                   {38, 1004}}};

    // Class-wide settings (shared with NxContainer).
    static void useSystemColors(bool on);
    static bool getUseSystemColors();
    // The converter that reads parameters; null restores a plain NxConverter.
    static void setConverter(std::shared_ptr<util::NxConverter> c);
    static std::shared_ptr<util::NxConverter> getConverter();
    // The operating-system kind the input guard uses (NxEnvironment::getOS() unless
    // replaced); a host can pretend to be Unix (1) or not (0), nullopt restores it.
    static void setOSKind(std::optional<int> os);
    static int getOSKind();

    // Parameters: the component-name-qualified key first, then the plain one.
    OptString getParam(const std::string& param);
    // Reads this component's parameters; widgets override this and call their own
    // converter, which applies the base keys first (ComponentConverter).
    virtual void getParameters();
    void getParameters(host::Applet* applet);
    // With file null, the parameter "paramFile" may name a parameter file.
    void getParameters(host::Applet* applet, const OptString& file);

    // Properties.
    void setFont(const host::Font& f) override;
    void setBackground(const host::Color& c) override;
    void setForeground(const host::Color& c) override;
    int getShadowThickness() const { return shadow; }
    void setShadowThickness(int v);
    int getHighlightThickness() const { return highlight; }
    void setHighlightThickness(int v);
    // Black when unset.
    host::Color getHighlightColor() const;
    void setHighlightColor(const host::OptColor& c);
    void setInsets(const host::Insets& i);
    host::Insets insets() const { return insets_; }
    host::Insets getInsets() const { return insets_; }
    bool isTraversable() const { return traversable; }
    void setTraversable(bool b) { traversable = b; }
    const host::Value& getUserData() const { return userdata; }
    void setUserData(const host::Value& v) { userdata = v; }
    // The user data's integer value when it is an integer, else 0.
    int getUserDataInt() const;
    bool getDoubleBuffer() const { return double_buffer; }
    void setDoubleBuffer(bool b) { double_buffer = b; }
    bool hasFocus() const { return has_focus; }
    // The preferred size of the drawing area; -999 leaves a dimension unset.
    void setPreferredSize(int w, int h);
    host::Frame* getFrame();
    void setCursor(int cursor);
    host::Applet* getApplet() const { return applet; }
    // The context of the applet, or null.
    host::AppletContext* getAppletContext() const;

    // Geometry.
    host::Rectangle getDrawingArea() const;
    host::Rectangle& getDrawingArea(host::Rectangle& r) const;
    int getDrawingAreaWidth() const;
    int getDrawingAreaHeight() const;
    // Hooks: the preferred size of the content; negative when the widget has none.
    virtual int preferredWidth() { return -1; }
    virtual int preferredHeight() { return -1; }
    host::Dimension preferredSize() override;
    host::Dimension minimumSize() override { return preferredSize(); }
    void reshape(const host::Rectangle& r) { reshape(r.x, r.y, r.width, r.height); }
    void reshape(int x, int y, int w, int h) override;
    void layout() override;
    void validate() override;
    // Makes a changed preferred size take effect in the parent's layout.
    void updateParent();

    // Painting.
    void paint(host::Graphics& gc) override;
    void update(host::Graphics& g) override { paint(g); }
    // Draws the content inside the drawing area; font, colour and clip are set.
    virtual void paintComponent(host::Graphics&) {}
    virtual void fillBackground(host::Graphics& g);
    void drawHighlight(bool on);
    virtual void drawHighlight(host::Graphics& g, bool on);
    virtual void drawShadow(host::Graphics& g);
    virtual void drawHighlightAndShadow(host::Graphics& g);
    // Whether the clip r touches the frame band of thickness v (true for no clip).
    bool intersects(const std::optional<host::Rectangle>& r, int v) const;
    const std::optional<host::Rectangle>& getPaintRect() const { return paint_rect; }
    const std::shared_ptr<host::Image>& getDoubleBufferImage() const { return dblbuffer_image; }
    // The graphics of the shared off-screen image, or null when none can be made.
    host::Graphics* getDoubleBufferGraphics();
    void printAll(host::Graphics& g) override;
    // An off-screen image, each side clamped to 1 ... the screen's size.
    std::shared_ptr<host::Image> createImage(int w, int h);
    void copyArea(host::Graphics& g, int x, int y, int w, int h, int dx, int dy) { g.copyArea(x, y, w, h, dx, dy); }

    // Synchronous repainting: paints at once on the calling thread.
    void repaint() override;
    void repaint(const host::Rectangle& r) { repaint(r.x, r.y, r.width, r.height); }
    void repaint(int x, int y, int w, int h) override;
    void repaint(host::Graphics* g, int x, int y, int w, int h);

    // Enabling and focus.
    void enable() override;
    void disable() override;
    bool isFocusTraversable() const override;
    void requestFocus() override;
    bool gotFocus(host::Event& e, const host::Value& arg) override;
    bool lostFocus(host::Event& e, const host::Value& arg) override;

    // Input bridge.
    void enable11Events(int64_t mask) { enableEvents(mask); }
    void addNotify() override;
    void processFocusEvent(host::FocusEvent& e) override;
    void processKeyEvent(host::KeyEvent& e) override;
    void processMouseEvent(host::MouseEvent& e) override;
    void processMouseMotionEvent(host::MouseEvent& e) override;
    // The old-model key event for a key press: the key is the character, or the
    // keyCodes value for the keys of that table; id 403 for action keys, else 401.
    static host::Event convertEvent(host::Component* source, const host::KeyEvent& ev);
    bool mouseDown(host::Event& e, int x, int y) override;

protected:
    friend class ComponentConverter;

    // Whether a press at time `when` follows the closing of a drop-down list too
    // closely (never on Unix); within <= 50 ms when inclusive, else < 50 ms.
    static bool tooSoonAfterPopdown(int64_t when, bool inclusive);
    // Whether the host needs layout() after a reshape (runtime generation 110 or the
    // embedded host).
    static bool layoutAfterReshape();

    host::Applet* applet;  // non-owning: the page outlives its components
    host::AppletContext* applet_context = nullptr;
    bool in_repaint = false;
    bool needs_layout = true;
    int highlight = 2;
    int shadow = 2;
    int shadow_type = OmbuEnum::SHADOW_IN;
    bool double_buffer = true;
    host::OptColor highlight_color;
    host::Value userdata;
    std::atomic<bool> has_focus{false};
    bool traversable = true;
    int pref_width = -999, pref_height = -999;
    host::Insets insets_;
    bool do_repaint = true;
    std::optional<host::Rectangle> paint_rect;
    host::Graphics* draw_gc = nullptr;  // the on-screen graphics of the paint in progress
    std::shared_ptr<host::Image> dblbuffer_image;
    host::GraphicsPtr dblbuffer_image_gc;
    host::Rectangle rect;  // scratch: the drawing area of the paint in progress
};

using NxComponentPtr = std::shared_ptr<NxComponent>;

}  // namespace norvex::ombu
