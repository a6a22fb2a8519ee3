#include "util/NxString.h"

#include <algorithm>
#include <atomic>
#include <climits>
#include <cstdint>

#include "host/page/Applet.h"
#include "host/ui/Component.h"
#include "host/graphics/Graphics.h"
#include "host/graphics/Image.h"
#include "host/runtime/URL.h"
#include "util/NxStringTokenizer.h"
#include "util/NxUtilConverter.h"
#include "util/Nxqsort.h"

namespace norvex::util {

using host::Color;
using host::Font;
using host::FontMetrics;
using host::Lock;
using host::Value;

namespace {

// Underline and strike-through state while drawing. Kept per thread, so that two
// threads drawing rich strings at once do not underline each other's text.
struct DrawState {
    bool underline = false;
    bool strikethrough = false;
};
thread_local DrawState drawState;

// Whether a link was last shown on the status line (by the static getURL).
std::atomic<bool> urlShown{false};

int clampInt(int64_t v) { return int(std::clamp<int64_t>(v, INT_MIN, INT_MAX)); }

bool isMarker(const Value& v, int code) { return v.isInt() && v.asInt() == code; }

std::shared_ptr<host::Image> imageOf(const Value& v) {
    if (!v.isObject()) return nullptr;
    if (auto nx = v.as<NxImage>()) return nx->getImage();
    return v.as<host::Image>();
}

int imageWidth(const host::Image& im) { return std::max(0, im.getWidth()); }
int imageHeight(const host::Image& im) { return std::max(0, im.getHeight()); }

// The text before "TARGET=" (or "target="), and the target after it when present.
std::pair<std::string, std::optional<std::string>> splitTarget(const std::string& url) {
    std::size_t upper = url.find("TARGET="), lower = url.find("target=");
    std::size_t at = std::min(upper, lower);
    if (at == std::string::npos) return {text::trimmed(url), std::nullopt};
    return {text::trimmed(std::string_view(url).substr(0, at)),
            text::trimmed(std::string_view(url).substr(at + 7))};
}

// Escapes for text written back as markup: a backslash and the tag opener.
std::string escapeText(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (char c : s) {
        if (c == '\\' || c == '[') out += '\\';
        out += c;
    }
    return out;
}

// Escapes for a value inside a tag: a backslash and the tag closer.
std::string escapeValue(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (char c : s) {
        if (c == '\\' || c == ']' || c == '[') out += '\\';
        out += c;
    }
    return out;
}

// A font written as a tag value (fromFont already escapes what its own split would
// misread).
std::string fontValue(const Font& f) { return escapeValue(NxUtilConverter::fromFont(f)); }

// Registers the plain text of rich strings for the sort, once, when the library loads.
bool plainTextOf(const Value& v, std::string& text) {
    auto s = v.as<NxString>();
    if (!s) return false;
    text = s->getString();
    return true;
}
[[maybe_unused]] const bool plainTextRegistered = (Nxqsort::setPlainTextOf(&plainTextOf), true);

}  // namespace

// ---- construction and appending ----

NxString::NxString() = default;

NxString::NxString(int capacity) : NxVector(capacity) {}

NxString::NxString(const std::string& s) { addString(s); }

NxString::NxString(const OptString& s, const std::shared_ptr<host::Image>& image, int layout) {
    if (!s) {
        if (image) addElement(image);
        return;
    }
    if (!image) {
        addString(*s);
        return;
    }
    switch (layout) {
    case STRING_LEFT:
        addString(*s);
        add(MIDDLE);
        add(HORIZ_SPACE);
        addElement(image);
        break;
    case STRING_TOP:
        addString(*s);
        add(NEWLINE);
        add(VERT_SPACE, 5);
        addElement(image);
        break;
    case STRING_BOTTOM:
        addElement(image);
        add(NEWLINE);
        add(VERT_SPACE, 5);
        addString(*s);
        break;
    default:
        addElement(image);
        add(MIDDLE);
        add(HORIZ_SPACE);
        addString(*s);
        break;
    }
}

void NxString::appendText(std::string_view s, bool merge) {
    Lock lock(mutex());
    std::size_t pos = 0;
    while (pos <= s.size()) {
        std::size_t nl = s.find('\n', pos);
        std::string_view piece = s.substr(pos, nl == std::string_view::npos ? std::string_view::npos : nl - pos);
        if (!piece.empty()) {
            int n = elementCount;
            bool lastIsText = n > 0 && elementData[std::size_t(n - 1)].isString() &&
                              !(n > 1 && isMarker(elementData[std::size_t(n - 2)], HREF));
            if (merge && lastIsText) {
                elementData[std::size_t(n - 1)] = Value(elementData[std::size_t(n - 1)].asString() + std::string(piece));
            } else {
                addElement(Value(piece));
            }
        }
        if (nl == std::string_view::npos) break;
        addElement(Value(NEWLINE));
        pos = nl + 1;
    }
}

void NxString::addString(std::string_view s) { appendText(s, false); }

void NxString::add(const Value& o) {
    if (o.isNull()) return;
    if (o.isString()) {
        addString(o.asString());
        return;
    }
    addElement(o);
}

void NxString::add(int code) { addElement(Value(code)); }

void NxString::add(int attr, const Value& value) {
    Lock lock(mutex());
    add(attr);
    add(value);
}

bool NxString::isValue(const Value& o) { return o.isInt() && o.asInt() >= 0; }

// ---- the markup parser ----

std::shared_ptr<NxString> NxString::parse(host::Component* c, const OptString& s) {
    if (!s) return nullptr;
    auto ns = host::create<NxString>();
    NxStringTokenizer tok(*s);
    while (tok.hasMoreTokens()) {
        // Texts around an ignored tag join into one text, so that the string written
        // back by toString2 parses to the same segments.
        if (auto text = tok.nextToken('[')) ns->appendText(*text, true);
        if (!tok.hasMoreTokens()) break;
        if (auto tag = tok.nextToken(']')) ns->addTag(c, text::trim(*tag));
    }
    return ns;
}

void NxString::addTag(host::Component* c, std::string_view tag) {
    if (tag.empty()) return;
    std::size_t eq = tag.find('=');
    std::string_view kw = text::trim(tag.substr(0, eq));
    OptString value;
    if (eq != std::string_view::npos) value = text::trimmed(tag.substr(eq + 1));
    bool hasValue = value && !value->empty();
    auto is = [&](std::string_view name) { return text::equalsIgnoreCase(kw, name); };

    if (is("DEFAULT_FONT")) {
        add(DEFAULT_FONT);
    } else if (is("DEFAULT_COLOR")) {
        add(DEFAULT_COLOR);
    } else if (is("UNDERLINE") || is("UL")) {
        add(UNDERLINE);
    } else if (is("/UNDERLINE") || is("/UL")) {
        add(END_UNDERLINE);
    } else if (is("STRIKETHROUGH") || is("ST")) {
        add(STRIKETHROUGH);
    } else if (is("/STRIKETHROUGH") || is("/ST")) {
        add(END_STRIKETHROUGH);
    } else if (is("HREF")) {
        if (!hasValue) return;  // a link without a URL is ignored
        Lock lock(mutex());
        add(HREF);
        addElement(Value(*value));  // the URL stays one segment, newlines and all
    } else if (is("/HREF")) {
        add(END_HREF);
    } else if (is("ALIGN")) {
        if (!hasValue) return;
        if (text::equalsIgnoreCase(*value, "TOP")) add(TOP);
        else if (text::equalsIgnoreCase(*value, "MIDDLE")) add(MIDDLE);
        else if (text::equalsIgnoreCase(*value, "BOTTOM")) add(BOTTOM);
    } else if (is("HORIZ_SPACE") || is("VERT_SPACE")) {
        Lock lock(mutex());
        add(is("HORIZ_SPACE") ? HORIZ_SPACE : VERT_SPACE);
        // A negative size would read as a marker: such a tag keeps the default gap.
        if (hasValue) {
            int n = NxUtilConverter::toInt(value, -1);
            if (n >= 0) add(n);
        }
    } else if (is("RESET")) {
        add(RESET);
    } else if (is("COLOR")) {
        if (!hasValue) return;
        if (text::equalsIgnoreCase(*value, "DEFAULT")) {
            add(DEFAULT_COLOR);
        } else if (auto col = NxUtilConverter::toColor(value)) {
            addElement(Value(*col));
        }
    } else if (is("IMAGE") || is("IMG")) {
        if (!hasValue) return;
        auto im = NxUtilConverter::toImage(c, value);
        if (im && !im->hasError()) addElement(host::create<NxImage>(im, *value));
    } else if (is("FONT")) {
        if (!hasValue) return;
        if (text::equalsIgnoreCase(*value, "DEFAULT")) {
            add(DEFAULT_FONT);
        } else if (auto f = NxUtilConverter::toFont(value)) {
            addElement(Value(*f));
        }
    } else if (is("NEWLINE")) {
        add(NEWLINE);
    }
}

host::Applet* NxString::getApplet(host::Component* c) {
    for (host::Component* p = c; p; p = p->getParent())
        if (auto* a = dynamic_cast<host::Applet*>(p)) return a;
    return nullptr;
}

// ---- images ----

bool NxString::addImage(host::Applet* app, const host::URL& base, const std::string& name) {
    if (!app) return false;
    auto im = app->getImage(base, name);
    host::MediaTracker tracker(app);
    tracker.addImage(im, 0);
    if (!im || !tracker.waitForID(0)) return false;
    addElement(im);
    return true;
}

bool NxString::addImage(host::Applet* app, const std::string& name) {
    if (!app) return false;
    return addImage(app, app->getDocumentBase(), name);
}

bool NxString::addImage(host::Applet* app, const std::string& url, const std::string& name) {
    try {
        return addImage(app, host::URL(url), name);
    } catch (const std::exception&) {
        return false;
    }
}

// ---- measuring ----

namespace {

Font resolveDefault(host::Component* comp, const std::optional<Font>& f) {
    if (f) return *f;
    if (comp) return comp->getFont();
    return Font();
}

struct LineMetrics {
    int next;        // index after the line
    int64_t width;
    int height;      // tallest item, without the vertical space
    int vspace;
};

// Measures the line from start with font in force at start; leaves in font the one in
// force after the line. Caller holds the lock.
LineMetrics measureLine(const std::vector<Value>& segs, int count, int start, Font& font, const Font& def) {
    FontMetrics fm = FontMetrics::get(font);
    int64_t w = 0;
    int h = 0;
    int vspace = 0;
    bool sawVert = false;
    int i = start;
    while (i < count) {
        const Value& o = segs[std::size_t(i++)];
        if (o.isString()) {
            w += NxString::stringWidth(fm, font, o.asString());
            h = std::max(h, fm.getHeight());
        } else if (o.isFont()) {
            font = o.asFont();
            fm = FontMetrics::get(font);
        } else if (auto im = imageOf(o)) {
            w += imageWidth(*im);
            h = std::max(h, imageHeight(*im));
        } else if (o.isInt()) {
            int code = o.asInt();
            bool valueNext = i < count && NxString::isValue(segs[std::size_t(i)]);
            if (code == NxString::NEWLINE) break;
            switch (code) {
            case NxString::DEFAULT_FONT:
            case NxString::RESET:
                font = def;
                fm = FontMetrics::get(font);
                break;
            case NxString::HORIZ_SPACE:
                w += valueNext ? segs[std::size_t(i++)].asInt() : NxString::DEFAULT_SPACE;
                break;
            case NxString::VERT_SPACE: {
                int v = valueNext ? segs[std::size_t(i++)].asInt() : NxString::DEFAULT_SPACE;
                if (!sawVert) vspace = v;
                sawVert = true;
                break;
            }
            case NxString::HREF:
                if (i < count && segs[std::size_t(i)].isString()) ++i;  // the URL is not drawn
                break;
            default:
                break;
            }
        }
    }
    return {i, w, h, vspace};
}

// The font in force at start: the nearest earlier Font, or the default after a
// DEFAULT_FONT or RESET marker (or when there is neither).
Font fontAt(const std::vector<Value>& segs, int start, const Font& def) {
    for (int i = start - 1; i >= 0; --i) {
        const Value& o = segs[std::size_t(i)];
        if (o.isFont()) return o.asFont();
        if (isMarker(o, NxString::DEFAULT_FONT) || isMarker(o, NxString::RESET)) return def;
    }
    return def;
}

}  // namespace

int NxString::stringWidth(const FontMetrics& fm, const Font& font, std::string_view s) {
    int w = fm.stringWidth(s);
    if (font.isItalic()) w += font.getSize() / 3 + 1;
    return w;
}

int NxString::getLineSize(host::Component* comp, const std::optional<Font>& default_font, int start,
                          host::Dimension& size) const {
    Lock lock(mutex());
    if (start < 0) start = 0;
    if (start >= elementCount) return -1;
    Font def = resolveDefault(comp, default_font);
    Font font = fontAt(elementData, start, def);
    LineMetrics m = measureLine(elementData, elementCount, start, font, def);
    size.width = clampInt(m.width);
    size.height = clampInt(int64_t(m.height) + m.vspace);
    return m.next;
}

int NxString::getVertSpace(int start, int end) const {
    Lock lock(mutex());
    end = std::min(end, elementCount);
    for (int i = std::max(start, 0); i < end; ++i) {
        const Value& o = elementData[std::size_t(i)];
        if (isMarker(o, VERT_SPACE)) {
            if (i + 1 < elementCount && isValue(elementData[std::size_t(i + 1)]))
                return elementData[std::size_t(i + 1)].asInt();
            return DEFAULT_SPACE;
        }
    }
    return 0;
}

host::Dimension NxString::getSize(host::Component* comp, const std::optional<Font>& default_font) {
    init();
    Lock lock(mutex());
    Font def = resolveDefault(comp, default_font);
    Font font = def;
    int64_t width = 0, height = 0;
    for (int start = 0; start < elementCount;) {
        LineMetrics m = measureLine(elementData, elementCount, start, font, def);
        width = std::max(width, m.width);
        height += int64_t(m.height) + m.vspace;
        start = m.next;
    }
    return {clampInt(width), clampInt(height)};
}

int NxString::getWidth(host::Component* comp, const std::optional<Font>& font) { return getSize(comp, font).width; }

int NxString::getHeight(host::Component* comp, const std::optional<Font>& font) {
    return getSize(comp, font).height;
}

// ---- drawing ----

void NxString::init() { drawState = DrawState{}; }

void NxString::draw(host::Component* comp, host::Graphics& gc, const host::Rectangle& rect, int align) {
    Lock lock(mutex());
    url_rect.reset();
    url.reset();
    url_rect_list.clear();
    url_list.clear();
    init();
    const Font def = gc.getFont();
    Font font = def;
    int64_t y = rect.y;
    for (int start = 0; start < elementCount;) {
        LineMetrics m = measureLine(elementData, elementCount, start, font, def);
        y += m.vspace;
        int64_t x = rect.x;
        if (align == 1) x += (int64_t(rect.width) - m.width) / 2;
        else if (align == 2) x += int64_t(rect.width) - m.width;
        drawLine(comp, gc, def, {clampInt(x), clampInt(y), clampInt(m.width), m.height}, start, m.next);
        y += m.height;
        start = m.next;
    }
}

void NxString::drawLine(host::Component* comp, host::Graphics& gc, const Font& default_font,
                        const host::Rectangle& rect, int start, int end) {
    Lock lock(mutex());
    end = std::min(end, elementCount);
    auto foreground = [&] { return comp ? comp->getForeground().value_or(Color::black) : Color::black; };
    int valign = BOTTOM;
    int64_t x = rect.x;
    for (int i = std::max(start, 0); i < end; ++i) {
        const Value o = elementData[std::size_t(i)];
        if (o.isString()) {
            const std::string& s = o.asString();
            Font font = gc.getFont();
            FontMetrics fm = FontMetrics::get(font);
            int h = fm.getHeight();
            int d = h - fm.getAscent();
            int64_t base;
            if (valign == TOP) base = int64_t(rect.y) + h - d;
            else if (valign == MIDDLE) base = int64_t(rect.y) + (int64_t(rect.height) - h) / 2 + h - d;
            else base = int64_t(rect.y) + rect.height - d;
            int bx = clampInt(x), by = clampInt(base);
            gc.drawString(s, bx, by);
            if (url) startURL(bx, clampInt(base - h + d));
            int w = stringWidth(fm, font, s);
            int ex = clampInt(x + w);
            if (drawState.underline) gc.drawLine(bx, clampInt(base + 1), ex, clampInt(base + 1));
            if (drawState.strikethrough) {
                int sy = clampInt(base - h / 2 + 3);
                gc.drawLine(bx, sy, ex, sy);
            }
            x += w;
            if (url) endURL(gc, ex, by);
        } else if (o.isFont()) {
            gc.setFont(o.asFont());
        } else if (o.isColor()) {
            gc.setColor(o.asColor());
        } else if (auto im = imageOf(o)) {
            int bx = clampInt(x);
            gc.drawImage(im.get(), bx, rect.y);
            if (url) startURL(bx, rect.y);
            x += imageWidth(*im);
            if (url) closeURL(clampInt(x), clampInt(int64_t(rect.y) + imageHeight(*im)));
        } else if (o.isInt()) {
            int code = o.asInt();
            bool valueNext = i + 1 < elementCount && isValue(elementData[std::size_t(i + 1)]);
            if (code == NEWLINE) break;
            switch (code) {
            case UNDERLINE: drawState.underline = true; break;
            case END_UNDERLINE: drawState.underline = false; break;
            case STRIKETHROUGH: drawState.strikethrough = true; break;
            case END_STRIKETHROUGH: drawState.strikethrough = false; break;
            case TOP:
            case MIDDLE:
            case BOTTOM: valign = code; break;
            case HORIZ_SPACE: x += valueNext ? elementData[std::size_t(++i)].asInt() : DEFAULT_SPACE; break;
            case VERT_SPACE:
                if (valueNext) ++i;
                break;
            case HREF:
                drawState.underline = true;
                if (i + 1 < elementCount && elementData[std::size_t(i + 1)].isString())
                    url = elementData[std::size_t(++i)].asString();
                break;
            case END_HREF:
                drawState.underline = false;
                url.reset();
                break;
            case RESET:
                drawState = DrawState{};
                valign = BOTTOM;
                gc.setColor(foreground());
                gc.setFont(default_font);
                break;
            case DEFAULT_FONT: gc.setFont(default_font); break;
            case DEFAULT_COLOR: gc.setColor(foreground()); break;
            default: break;
            }
        }
    }
}

// ---- hyperlinks ----

void NxString::setURLoffset(int x, int y) {
    Lock lock(mutex());
    x_offset = x;
    y_offset = y;
}

void NxString::startURL(int x, int y) {
    Lock lock(mutex());
    url_rect = host::Rectangle{x, y, 0, 0};
}

void NxString::endURL(host::Graphics& gc, int x, int y) {
    FontMetrics fm = gc.getFontMetrics();
    closeURL(x, clampInt(int64_t(y) + fm.getHeight() - fm.getAscent()));
}

void NxString::closeURL(int x, int bottom) {
    Lock lock(mutex());
    if (!url_rect || !url) return;
    host::Rectangle r = *url_rect;
    r.width = clampInt(int64_t(x) - r.x);
    r.height = clampInt(int64_t(bottom) - r.y);
    r.x = clampInt(int64_t(r.x) + x_offset);
    r.y = clampInt(int64_t(r.y) + y_offset);
    url_rect_list.push_back(r);
    url_list.push_back(*url);
    url_rect.reset();
}

OptString NxString::getURL(int x, int y) const {
    Lock lock(mutex());
    for (std::size_t i = 0; i < url_rect_list.size(); ++i)
        if (url_rect_list[i].contains(x, y)) return url_list[i];
    return std::nullopt;
}

OptString NxString::getURL(host::Applet* applet, const Value& value, int x, int y) {
    OptString found;
    if (auto s = value.as<NxString>()) found = s->getURL(x, y);
    host::AppletContext* context = applet ? applet->getAppletContext() : nullptr;
    if (found) {
        if (context) {
            context->showStatus(splitTarget(*found).first);
            urlShown = true;
        }
    } else if (urlShown.exchange(false) && context) {
        context->showStatus("");
    }
    return found;
}

bool NxString::showURL(const OptString& url, host::AppletContext* context, host::Applet* applet) {
    if (!context || !url) return false;
    auto [where, target] = splitTarget(*url);
    try {
        host::URL u = applet ? host::URL(applet->getDocumentBase(), where) : host::URL(where);
        if (target && !target->empty()) context->showDocument(u, *target);
        else context->showDocument(u);
        return true;
    } catch (const std::exception&) {
        context->showStatus("Invalid URL");
        return false;
    }
}

// ---- extraction ----

std::string NxString::getString() const {
    Lock lock(mutex());
    std::string out;
    for (int i = 0; i < elementCount; ++i) {
        const Value& o = elementData[std::size_t(i)];
        if (o.isString()) {
            out += o.asString();
        } else if (isMarker(o, NEWLINE)) {
            out += '\n';
        } else if (isMarker(o, HREF)) {
            if (i + 1 < elementCount && elementData[std::size_t(i + 1)].isString()) ++i;
        } else if ((isMarker(o, HORIZ_SPACE) || isMarker(o, VERT_SPACE)) && i + 1 < elementCount &&
                   isValue(elementData[std::size_t(i + 1)])) {
            ++i;
        }
    }
    return out;
}

std::shared_ptr<host::Image> NxString::getImage() const {
    Lock lock(mutex());
    for (int i = 0; i < elementCount; ++i)
        if (auto im = imageOf(elementData[std::size_t(i)])) return im;
    return nullptr;
}

std::string NxString::toString2() const {
    Lock lock(mutex());
    std::string out;
    for (int i = 0; i < elementCount; ++i) {
        const Value& o = elementData[std::size_t(i)];
        bool valueNext = i + 1 < elementCount && isValue(elementData[std::size_t(i + 1)]);
        if (o.isString()) {
            out += escapeText(o.asString());
        } else if (o.isFont()) {
            out += "[FONT=" + fontValue(o.asFont()) + "]";
        } else if (o.isColor()) {
            out += "[COLOR=" + escapeValue(NxUtilConverter::fromColor(o.asColor()).value_or("")) + "]";
        } else if (auto nx = o.as<NxImage>()) {
            out += "[IMG=" + escapeValue(nx->getFile()) + "]";
        } else if (o.isInt()) {
            switch (o.asInt()) {
            case DEFAULT_FONT: out += "[DEFAULT_FONT]"; break;
            case DEFAULT_COLOR: out += "[DEFAULT_COLOR]"; break;
            case UNDERLINE: out += "[UL]"; break;
            case END_UNDERLINE: out += "[/UL]"; break;
            case STRIKETHROUGH: out += "[ST]"; break;
            case END_STRIKETHROUGH: out += "[/ST]"; break;
            case HREF:
                // A link without its URL cannot be written as a tag.
                if (i + 1 < elementCount && elementData[std::size_t(i + 1)].isString())
                    out += "[HREF=" + escapeValue(elementData[std::size_t(++i)].asString()) + "]";
                break;
            case END_HREF: out += "[/HREF]"; break;
            case TOP: out += "[ALIGN=TOP]"; break;
            case MIDDLE: out += "[ALIGN=MIDDLE]"; break;
            case BOTTOM: out += "[ALIGN=BOTTOM]"; break;
            case HORIZ_SPACE:
            case VERT_SPACE:
                out += o.asInt() == HORIZ_SPACE ? "[HORIZ_SPACE" : "[VERT_SPACE";
                if (valueNext) out += "=" + std::to_string(elementData[std::size_t(++i)].asInt());
                out += "]";
                break;
            case RESET: out += "[RESET]"; break;
            case NEWLINE: out += "[NEWLINE]"; break;
            default: break;
            }
        }
    }
    // The parser trims the whole text: white space at either end is kept by an empty
    // tag, which the parser ignores.
    if (!out.empty() && static_cast<unsigned char>(out.front()) <= ' ') out.insert(0, "[]");
    if (!out.empty() && static_cast<unsigned char>(out.back()) <= ' ') out += "[]";
    return out;
}

}  // namespace norvex::util
