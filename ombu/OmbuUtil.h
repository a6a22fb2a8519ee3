// Drawing helpers shared by every widget: the toolkit's brighter/darker rule,
// 3-D and dashed rectangles, measuring and drawing of values (strings, multi-line
// strings, rich strings, images and vectors of them) with nine-way alignment, the
// per-thread shared off-screen image used for double buffering, walks of the
// component tree, and copying of lists.
//
// Threads: draw and both createImage operations hold one class-wide lock; the
// rest keeps no state.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/ui/AWTEvent.h"
#include "host/base/Color.h"
#include "host/ui/Event.h"
#include "host/base/Font.h"
#include "host/base/Geometry.h"
#include "host/graphics/Graphics.h"
#include "host/runtime/Value.h"
#include "util/TextUtil.h"

namespace host {
class Applet;
class AppletContext;
class Component;
class Container;
class Frame;
class Image;
class Object;
class Window;
}  // namespace host

namespace norvex::ombu {

using util::OptString;

class OmbuUtil {
public:
    OmbuUtil() = delete;

    // The fixed colours that replace the host's rule for white and black.
    static const host::Color WHITE_BRIGHTER, WHITE_DARKER, BLACK_BRIGHTER, BLACK_DARKER;

    // Colours and 3-D drawing.
    static host::Color brighter(const host::Color& c);
    static host::Color darker(const host::Color& c);
    // A 3-D rectangle in g's current colour; a sunken one is filled with the darker colour.
    static void fill3DRect(host::Graphics& g, int x, int y, int w, int h, bool raised);
    // fill3DRect inside a black one-pixel outline.
    static void fill3DEdgeRect(host::Graphics& g, int x, int y, int w, int h, bool raised);
    // Two-pixel dashes three pixels apart; vertical when x1 == x2, else horizontal at y1.
    static void drawDashedLine(host::Graphics& g, int x1, int y1, int x2, int y2);
    static void drawDashedRect(host::Graphics& g, int x, int y, int w, int h);
    // Tiles the image over c's size; false when the image failed to load.
    static bool wallPaper(host::Component* c, host::Graphics& g, const std::shared_ptr<host::Image>& im);

    // Measuring values (null, images, rich strings, vectors, anything by its string form).
    static int getWidth(const host::Value& value, host::Component* comp);
    static int getWidth(const host::Value& value, host::Component* comp, const host::Font& font);
    static int getHeight(const host::Value& value, host::Component* comp);
    static int getHeight(const host::Value& value, host::Component* comp, const host::Font& font);
    // The metrics' width plus size/3 + 1 for an italic font.
    static int stringWidth(const host::FontMetrics& fm, const host::Font& font, std::string_view s);
    // 0 for null or empty, else 1 + the number of newlines.
    static int getNumLines(const OptString& s);
    static int getNumLines(const host::Value& value);
    // The value's text: null for null and images; a rich string's plain text; the first
    // text of a vector's elements; otherwise the value's string form.
    static OptString toString(const host::Value& value);
    // True when the text is non-empty and its first character, upper-cased, is c.
    static bool startsWith(const host::Value& value, char c);

    // Draws the value aligned in r (text is not clipped). Holds the class-wide lock.
    static void draw(host::Component* comp, host::Graphics& g, const host::Value& value, int alignment,
                     const host::Rectangle& r);

    // The old-model event for a mouse event, with the given id: source, time stamp,
    // position, modifiers (without button bits) and click count.
    static host::Event toOldEvent(host::Component* source, const host::MouseEvent& m, int id);
    // Passes a moved or dragged mouse event to c's old-model mouseMove or mouseDrag.
    static void deliverOldMotion(host::Component& c, const host::MouseEvent& m);

    // Nine-way alignment helpers.
    static bool isTop(int a) { return a >= 0 && a <= 2; }
    static bool isMiddle(int a) { return a >= 3 && a <= 5; }
    static bool isBottom(int a) { return a >= 6 && a <= 8; }
    static bool isCenter(int a) { return a == 1 || a == 4 || a == 7; }
    static bool isRight(int a) { return a == 2 || a == 5 || a == 8; }
    static int toHorizAlignment(int a) { return isCenter(a) ? 1 : isRight(a) ? 2 : 0; }

    // True when the fully qualified name of obj's class or of a superclass contains name.
    static bool instanceOf(const host::Object* obj, std::string_view name);
    static bool instanceOf(const host::Value& value, std::string_view name);

    // The calling thread's shared off-screen image, grown to at least width x height
    // (each side 1 ... 16384, the largest image); entries of finished threads are dropped first.
    static std::shared_ptr<host::Image> createImage(host::Component* comp, int width, int height);
    // image when it is at least width x height (each side 1 ... 16384, the largest image), else a new one.
    static std::shared_ptr<host::Image> createImage(host::Component* comp, const std::shared_ptr<host::Image>& image,
                                                    int width, int height);
    // Number of entries in the shared-image map, finished threads' included until the
    // next createImage drops them (for tests and diagnostics).
    static int sharedImageCount();

    // Component tree.
    static host::Window* getWindow(host::Component* c);
    // The window when it is a frame, or a dialog's owner frame; else null.
    static host::Frame* getFrame(host::Component* c);
    static void setCursor(host::Component* c, int cursor);
    static host::Applet* getApplet(host::Component* c);
    static host::AppletContext* getAppletContext(host::Applet* a);
    static bool inBrowser(host::Component* c);
    static bool isParent(host::Component* comp, host::Component* parent);
    static host::Point translateToParent(host::Container* parent, host::Component* child, int x, int y);
    static host::Point translateFromParent(host::Container* parent, host::Component* child, int x, int y);
    // The point in screen coordinates, moved so that a w x h box stays on the screen.
    static host::Point getVisibleScreenLoc(host::Component* comp, int x, int y, int w, int h);
    static bool intersects(host::Component* comp, int x, int y, int w, int h);
    // 3 with the meta modifier, 2 with Alt, else 1.
    static int getMouseButton(const host::Event& ev);

    // Lists: a list of at least len entries is returned unchanged, else extended with def.
    static std::vector<host::Value> copyList(const std::vector<host::Value>* list, int len, const host::Value& def);
    static std::vector<int> copyList(const std::vector<int>* list, int len, int def);
    static std::vector<bool> copyList(const std::vector<bool>* list, int len, bool def);

    // Characters.
    static int countChar(const OptString& s, char c, int start, int end);
    static int countChar(const char* a, int len, char c, int start, int end);
    static int indexOf(const char* a, int len, int ch, int from);
};

}  // namespace norvex::ombu
