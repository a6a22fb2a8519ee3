// Rich text: a list of segments (texts, fonts, colours, images and markers for
// underlining, strike-through, spacing, line breaks, vertical alignment and
// hyperlinks) parsed from a bracket markup such as
//     [COLOR=red]Hot[RESET] [IMG=flame.gif] [HREF=more.html]more[/HREF]
// measured and drawn line by line, with the drawn hyperlinks remembered for
// hit-testing, and written back as markup by toString2().
//
// Segments are host::Value: a string is a text (or, right after HREF, the URL); a
// Font or Color changes the current one; a host::Image or an NxImage is drawn
// inline; a negative Int is a marker; a non-negative Int after HORIZ_SPACE or
// VERT_SPACE is that marker's size in pixels.
//
// Threads: the underline and strike-through state used while drawing is per
// thread; the recorded link areas belong to the string and are guarded by its lock.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/base/Font.h"
#include "host/base/Geometry.h"
#include "host/runtime/Value.h"
#include "util/NxImage.h"
#include "util/NxVector.h"
#include "util/TextUtil.h"

namespace host {
class Applet;
class AppletContext;
class Component;
class Graphics;
class URL;
}  // namespace host

namespace norvex::util {

class NxString : public NxVector {
    HOST_OBJECT(NxString, "norvex.util.NxString", NxVector)
public:
    // Markers: negative, so that they are never taken for values.
    static constexpr int UNDERLINE = -2;
    static constexpr int STRIKETHROUGH = -3;
    static constexpr int END_UNDERLINE = -4;
    static constexpr int END_STRIKETHROUGH = -5;
    static constexpr int HORIZ_SPACE = -6;
    static constexpr int VERT_SPACE = -7;
    static constexpr int NEWLINE = -8;
    static constexpr int RESET = -9;
    static constexpr int DEFAULT_FONT = -10;
    static constexpr int DEFAULT_COLOR = -11;
    static constexpr int TOP = -17;
    static constexpr int MIDDLE = -18;
    static constexpr int BOTTOM = -19;
    static constexpr int LEFT = -17;
    static constexpr int CENTER = -18;
    static constexpr int RIGHT = -19;
    static constexpr int HREF = -21;
    static constexpr int END_HREF = -22;

    // The gap of a HORIZ_SPACE or VERT_SPACE without a value.
    static constexpr int DEFAULT_SPACE = 10;

    // Caption layouts (the label positions of the widget constants).
    static constexpr int STRING_LEFT = 0;
    static constexpr int STRING_RIGHT = 1;
    static constexpr int STRING_TOP = 2;
    static constexpr int STRING_BOTTOM = 3;

    NxString();
    explicit NxString(int capacity);
    // The plain text, split at newlines (see addString).
    explicit NxString(const std::string& s);
    // A caption with an image, placed by layout (one of the STRING_ constants); with
    // no text only the image, with no image only the text.
    NxString(const OptString& s, const std::shared_ptr<host::Image>& image, int layout);

    // Appends the text split at newline characters, a NEWLINE marker for each newline.
    void addString(std::string_view s);
    // Ignores null, passes strings to addString, appends anything else as a segment.
    void add(const host::Value& o);
    void add(const char* s) { add(host::Value(s)); }
    // Appends a marker or value.
    void add(int code);
    void add(int attr, const host::Value& value);
    // True exactly for a non-negative Int.
    static bool isValue(const host::Value& o);

    // The markup parser; null for null. Images are loaded relative to c's page.
    static std::shared_ptr<NxString> parse(host::Component* c, const OptString& s);
    // The embedding Applet among c and its ancestors, or null.
    static host::Applet* getApplet(host::Component* c);

    // Appends the applet's image of name (relative to base); false when the image
    // cannot be loaded.
    bool addImage(host::Applet* app, const host::URL& base, const std::string& name);
    bool addImage(host::Applet* app, const std::string& name);
    // false as well when url is malformed.
    bool addImage(host::Applet* app, const std::string& url, const std::string& name);

    // Measuring. A null default font means comp's font (the toolkit default without comp).
    host::Dimension getSize(host::Component* comp, const std::optional<host::Font>& default_font);
    int getWidth(host::Component* comp, const std::optional<host::Font>& font);
    int getHeight(host::Component* comp, const std::optional<host::Font>& font);
    // Measures the line that starts at segment start into size (width, and the tallest
    // item plus the line's vertical space); returns the index after the line, or -1
    // when start is past the last segment.
    int getLineSize(host::Component* comp, const std::optional<host::Font>& default_font, int start,
                    host::Dimension& size) const;
    // The value of the first VERT_SPACE in [start, end): DEFAULT_SPACE without a value,
    // 0 when there is none.
    int getVertSpace(int start, int end) const;
    // The metrics' width plus size/3 + 1 for an italic font.
    static int stringWidth(const host::FontMetrics& fm, const host::Font& font, std::string_view s);

    // Draws the lines top-down from rect.y, each aligned in rect by align (0 left,
    // 1 centre, 2 right), in gc's font as the default font. Records the link areas.
    void draw(host::Component* comp, host::Graphics& gc, const host::Rectangle& rect, int align);
    // Draws segments [start, end) as one line in rect.
    void drawLine(host::Component* comp, host::Graphics& gc, const host::Font& default_font,
                  const host::Rectangle& rect, int start, int end);
    // Clears the underline and strike-through state of drawing.
    static void init();

    // Hyperlinks. The offset is added to every recorded link area; a component that
    // draws the string away from its origin sets it before drawing.
    void setURLoffset(int x, int y);
    void startURL(int x, int y);
    // Closes the open link area at x; y is the baseline of gc's font.
    void endURL(host::Graphics& gc, int x, int y);
    // The URL of the first recorded link area that holds the point; null when none.
    OptString getURL(int x, int y) const;
    // For mouse movement: the URL under the point of a rich-string value, shown on the
    // status line without its target part; the status line is cleared when the point
    // leaves the links.
    static OptString getURL(host::Applet* applet, const host::Value& value, int x, int y);
    // For a click: shows the document (in the frame named after "TARGET=") relative to
    // the applet's document base. "Invalid URL" on the status line for a malformed URL.
    static bool showURL(const OptString& url, host::AppletContext* context, host::Applet* applet);

    // The plain text: texts, and a newline for each NEWLINE.
    std::string getString() const;
    // The first image segment, or null.
    std::shared_ptr<host::Image> getImage() const;
    // The markup that parses back to these segments.
    std::string toString2() const;

private:
    void appendText(std::string_view s, bool merge);
    void addTag(host::Component* c, std::string_view tag);
    void closeURL(int x, int bottom);

    // Link recording (guarded by the object's lock).
    std::optional<host::Rectangle> url_rect;
    OptString url;
    std::vector<host::Rectangle> url_rect_list;
    std::vector<std::string> url_list;
    int x_offset = 0;
    int y_offset = 0;
};

using NxStringPtr = std::shared_ptr<NxString>;

}  // namespace norvex::util
