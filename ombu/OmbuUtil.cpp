#include "ombu/OmbuUtil.h"

#include <algorithm>
#include <climits>
#include <mutex>
#include <thread>
#include <unordered_map>

#include "host/page/Applet.h"
#include "host/ui/Component.h"
#include "host/ui/Container.h"
#include "host/graphics/Image.h"
#include "host/ui/Toolkit.h"
#include "host/runtime/Vector.h"
#include "host/ui/Window.h"
#include "ombu/MultiColumnInterface.h"
#include "util/NxImage.h"
#include "util/NxString.h"
#include "util/NxUtilConverter.h"

namespace norvex::ombu {

using host::Color;
using host::Component;
using host::Font;
using host::FontMetrics;
using host::Graphics;
using host::Image;
using host::ImagePtr;
using host::Value;

const Color OmbuUtil::WHITE_BRIGHTER(200, 200, 200);
const Color OmbuUtil::WHITE_DARKER(140, 140, 140);
const Color OmbuUtil::BLACK_BRIGHTER(125, 125, 125);
const Color OmbuUtil::BLACK_DARKER(75, 75, 75);

namespace {

// The class-wide lock of value drawing and the shared images.
std::recursive_mutex& classLock() {
    static std::recursive_mutex m;
    return m;
}

// Each painting thread's shared image, with a token that expires when the thread ends.
struct SharedImage {
    std::weak_ptr<int> alive;
    ImagePtr image;
};

std::unordered_map<std::thread::id, SharedImage>& images() {
    static std::unordered_map<std::thread::id, SharedImage> map(5);
    return map;
}

std::weak_ptr<int> currentThreadToken() {
    thread_local std::shared_ptr<int> token = std::make_shared<int>(0);
    return token;
}

// An image value: a host image or an image with its file name.
ImagePtr imageOf(const Value& v) {
    if (!v.isObject()) return nullptr;
    if (auto im = v.as<Image>()) return im;
    if (auto nx = v.as<util::NxImage>()) return nx->getImage();
    return nullptr;
}

bool isImageValue(const Value& v) { return v.isObject() && (v.as<Image>() || v.as<util::NxImage>()); }

// Splits at newlines; "a\nb\n" gives "a", "b", "".
std::vector<std::string_view> splitLines(std::string_view s) {
    std::vector<std::string_view> out;
    size_t start = 0;
    while (true) {
        size_t nl = s.find('\n', start);
        if (nl == std::string_view::npos) {
            out.push_back(s.substr(start));
            break;
        }
        out.push_back(s.substr(start, nl - start));
        start = nl + 1;
    }
    return out;
}

Font fontOf(Component* comp) { return comp ? comp->getFont() : Font(); }

}  // namespace

Color OmbuUtil::brighter(const Color& c) {
    if (c == Color::white) return WHITE_BRIGHTER;
    if (c == Color::black) return BLACK_BRIGHTER;
    return c.brighter();
}

Color OmbuUtil::darker(const Color& c) {
    if (c == Color::white) return WHITE_DARKER;
    if (c == Color::black) return BLACK_DARKER;
    return c.darker();
}

void OmbuUtil::fill3DRect(Graphics& g, int x, int y, int w, int h, bool raised) {
    Color c = g.getColor();
    Color b = brighter(c), d = darker(c);
    if (!raised) g.setColor(d);
    g.fillRect(x + 1, y + 1, w - 2, h - 2);
    g.setColor(raised ? b : d);
    g.drawLine(x, y, x, y + h - 1);
    g.drawLine(x + 1, y, x + w - 2, y);
    g.setColor(raised ? d : b);
    g.drawLine(x + 1, y + h - 1, x + w - 1, y + h - 1);
    g.drawLine(x + w - 1, y, x + w - 1, y + h - 2);
    g.setColor(c);
}

void OmbuUtil::fill3DEdgeRect(Graphics& g, int x, int y, int w, int h, bool raised) {
    Color c = g.getColor();
    fill3DRect(g, x + 1, y + 1, w - 2, h - 2, raised);
    g.setColor(Color::black);
    g.drawRect(x, y, w - 1, h - 1);
    g.setColor(c);
}

void OmbuUtil::drawDashedLine(Graphics& g, int x1, int y1, int x2, int y2) {
    bool vertical = x1 == x2;
    int p = vertical ? std::min(y1, y2) : std::min(x1, x2);
    int max = vertical ? std::max(y1, y2) : std::max(x1, x2);
    while (p < max) {
        if (vertical)
            g.drawLine(x1, p, x1, p + 1);
        else
            g.drawLine(p, y1, p + 1, y1);
        // Wider arithmetic keeps the step from overflowing near the int limit.
        p = int(std::min<int64_t>(max, int64_t(p) + 3));
    }
}

void OmbuUtil::drawDashedRect(Graphics& g, int x, int y, int w, int h) {
    drawDashedLine(g, x, y, x + w, y);
    drawDashedLine(g, x + w, y, x + w, y + h);
    drawDashedLine(g, x, y, x, y + h);
    drawDashedLine(g, x, y + h, x + w, y + h);
}

bool OmbuUtil::wallPaper(Component* c, Graphics& g, const ImagePtr& im) {
    if (!im || !util::NxUtilConverter::waitForImage(c, im)) return false;
    int iw = im->getWidth(), ih = im->getHeight();
    // A tile without area cannot cover anything (and would never advance the loop).
    if (iw <= 0 || ih <= 0 || !c) return true;
    int w = c->getWidth(), h = c->getHeight();
    for (int x = 0; x < w; x += iw)
        for (int y = 0; y < h; y += ih) g.drawImage(im.get(), x, y);
    return true;
}

int OmbuUtil::getWidth(const Value& value, Component* comp) { return getWidth(value, comp, fontOf(comp)); }
int OmbuUtil::getHeight(const Value& value, Component* comp) { return getHeight(value, comp, fontOf(comp)); }

int OmbuUtil::getWidth(const Value& value, Component* comp, const Font& font) {
    if (value.isNull()) return 0;
    if (isImageValue(value)) return imageOf(value)->getWidth();
    if (auto nx = value.as<util::NxString>()) return nx->getWidth(comp, font);
    if (auto vec = value.as<host::Vector>()) {
        auto elems = vec->elements();
        if (auto* mc = dynamic_cast<MultiColumnInterface*>(comp)) {
            int n = std::min(int(elems.size()), mc->getNumColumns());
            int w = 0;
            for (int i = 0; i < n; ++i) w += mc->getColumnWidth(i);
            return w;
        }
        int w = 0;
        for (auto& e : elems) w += getWidth(e, comp);
        return w;
    }
    std::string s = value.isString() ? value.asString() : toString(value).value_or("");
    if (s.empty()) return 0;
    FontMetrics fm = FontMetrics::get(font);
    if (s.find('\n') == std::string::npos) return stringWidth(fm, font, s);
    int max = 0;
    auto lines = splitLines(s);
    for (size_t i = 0; i < lines.size(); ++i) {
        max = std::max(max, stringWidth(fm, font, lines[i]));
        // A slanted line leans past its last glyph; each line that ends in a newline adds room.
        if (font.isItalic() && i + 1 < lines.size()) max += 5;
    }
    return max;
}

int OmbuUtil::stringWidth(const FontMetrics& fm, const Font& font, std::string_view s) {
    int w = fm.stringWidth(s);
    if (font.isItalic()) w += font.getSize() / 3 + 1;
    return w;
}

int OmbuUtil::getHeight(const Value& value, Component* comp, const Font& font) {
    if (value.isNull()) return 0;
    if (isImageValue(value)) return imageOf(value)->getHeight();
    if (auto nx = value.as<util::NxString>()) return nx->getHeight(comp, font);
    if (auto vec = value.as<host::Vector>()) {
        int h = 0;
        for (auto& e : vec->elements()) h = std::max(h, getHeight(e, comp, font));
        return h;
    }
    return FontMetrics::get(font).getHeight() * getNumLines(value);
}

int OmbuUtil::getNumLines(const OptString& s) {
    if (!s || s->empty()) return 0;
    return 1 + int(std::count(s->begin(), s->end(), '\n'));
}

int OmbuUtil::getNumLines(const Value& value) { return getNumLines(toString(value)); }

OptString OmbuUtil::toString(const Value& value) {
    if (value.isNull() || isImageValue(value)) return std::nullopt;
    if (auto nx = value.as<util::NxString>()) return nx->getString();
    if (auto vec = value.as<host::Vector>()) {
        for (auto& e : vec->elements())
            if (auto s = toString(e)) return s;
        return std::nullopt;
    }
    return value.toString();
}

bool OmbuUtil::startsWith(const Value& value, char c) {
    auto s = toString(value);
    if (!s || s->empty()) return false;
    char first = (*s)[0];
    if (first >= 'a' && first <= 'z') first = char(first - 'a' + 'A');
    return first == c;
}

void OmbuUtil::draw(Component* comp, Graphics& g, const Value& value, int alignment, const host::Rectangle& r) {
    std::lock_guard lock(classLock());
    if (value.isNull()) return;
    int h = toHorizAlignment(alignment);
    if (auto nx = value.as<util::NxString>()) {
        nx->draw(comp, g, r, h);
        return;
    }
    if (isImageValue(value)) {
        g.drawImage(imageOf(value).get(), r.x, r.y);
        return;
    }
    auto text = toString(value);
    if (!text || text->empty()) return;
    Font font = g.getFont();
    FontMetrics fm = FontMetrics::get(font);
    // 64 bits: the rectangle may lie near the int limit (thicknesses and insets from a
    // page), and many lines of a tall font add up.
    const int64_t lineHeight = fm.getHeight();
    auto lines = splitLines(*text);
    const int64_t total = lineHeight * int64_t(lines.size());
    int64_t y = int64_t(r.y) + fm.getAscent();
    if (isMiddle(alignment))
        y += (int64_t(r.height) - total) / 2;
    else if (isBottom(alignment))
        y += int64_t(r.height) - total;
    auto clamp = [](int64_t v) { return int(std::clamp<int64_t>(v, INT_MIN, INT_MAX)); };
    for (auto line : lines) {
        int64_t offset = 0;
        if (h == 1)
            offset = (int64_t(r.width) - stringWidth(fm, font, line)) / 2;
        else if (h == 2)
            offset = int64_t(r.width) - stringWidth(fm, font, line);
        g.drawString(line, clamp(r.x + offset), clamp(y));
        y += lineHeight;
    }
}

bool OmbuUtil::instanceOf(const host::Object* obj, std::string_view name) {
    if (!obj) return false;
    for (const host::ClassInfo* ci = &obj->classInfo(); ci; ci = ci->super)
        if (std::string_view(ci->name).find(name) != std::string_view::npos) return true;
    return false;
}

bool OmbuUtil::instanceOf(const Value& value, std::string_view name) {
    return value.isObject() && instanceOf(value.asObject().get(), name);
}

ImagePtr OmbuUtil::createImage(Component* comp, int width, int height) {
    std::lock_guard lock(classLock());
    auto& map = images();
    for (auto it = map.begin(); it != map.end();) {
        if (it->second.alive.expired())
            it = map.erase(it);
        else
            ++it;
    }
    auto id = std::this_thread::get_id();
    auto found = map.find(id);
    ImagePtr current = found != map.end() ? found->second.image : nullptr;
    ImagePtr result = createImage(comp, current, width, height);
    if (result != current) {
        if (!result)
            map.erase(id);
        else
            map[id] = SharedImage{currentThreadToken(), result};
    }
    return result;
}

ImagePtr OmbuUtil::createImage(Component* comp, const ImagePtr& image, int width, int height) {
    std::lock_guard lock(classLock());
    // Grows to the component's size, not only to the screen's: a double-buffered child
    // larger than the screen (inside a scrolled window) must paint completely. The
    // limit is the largest image side the rasteriser accepts.
    constexpr int kLargestSide = 16384;
    width = std::clamp(width, 1, kLargestSide);
    height = std::clamp(height, 1, kLargestSide);
    if (image && image->getWidth() >= width && image->getHeight() >= height) return image;
    return comp ? comp->createImage(width, height) : Image::createOffscreen(width, height);
}

int OmbuUtil::sharedImageCount() {
    std::lock_guard lock(classLock());
    return int(images().size());
}

host::Window* OmbuUtil::getWindow(Component* c) {
    for (; c; c = c->getParent())
        if (auto* w = dynamic_cast<host::Window*>(c)) return w;
    return nullptr;
}

host::Frame* OmbuUtil::getFrame(Component* c) {
    host::Window* w = getWindow(c);
    if (auto* f = dynamic_cast<host::Frame*>(w)) return f;
    if (auto* d = dynamic_cast<host::Dialog*>(w)) return d->getOwner();
    return nullptr;
}

void OmbuUtil::setCursor(Component* c, int cursor) {
    if (host::Window* w = getWindow(c)) w->setCursor(cursor);
}

host::Applet* OmbuUtil::getApplet(Component* c) {
    for (; c; c = c->getParent())
        if (auto* a = dynamic_cast<host::Applet*>(c)) return a;
    return nullptr;
}

host::AppletContext* OmbuUtil::getAppletContext(host::Applet* a) { return a ? a->getAppletContext() : nullptr; }

bool OmbuUtil::inBrowser(Component* c) { return getAppletContext(getApplet(c)) != nullptr; }

bool OmbuUtil::isParent(Component* comp, Component* parent) {
    if (!comp || !parent) return comp == parent && comp;
    if (comp == parent) return true;
    if (!dynamic_cast<host::Container*>(parent)) return false;
    for (Component* p = comp->getParent(); p; p = p->getParent())
        if (p == parent) return true;
    return false;
}

host::Point OmbuUtil::translateToParent(host::Container* parent, Component* child, int x, int y) {
    for (Component* c = child; c && c != parent; c = c->getParent()) {
        x += c->getX();
        y += c->getY();
    }
    return {x, y};
}

host::Point OmbuUtil::translateFromParent(host::Container* parent, Component* child, int x, int y) {
    for (Component* c = child; c && c != parent; c = c->getParent()) {
        x -= c->getX();
        y -= c->getY();
    }
    return {x, y};
}

host::Point OmbuUtil::getVisibleScreenLoc(Component* comp, int x, int y, int w, int h) {
    host::Point p = translateToParent(nullptr, comp, x, y);
    host::Dimension screen = host::Toolkit::getDefaultToolkit().getScreenSize();
    p.x = std::max(std::min(screen.width - w, p.x), 0);
    p.y = std::max(std::min(screen.height - h, p.y), 0);
    return p;
}

bool OmbuUtil::intersects(Component* comp, int x, int y, int w, int h) {
    if (!comp) return false;
    return x < comp->getWidth() && y < comp->getHeight() && int64_t(x) + w >= 0 && int64_t(y) + h >= 0;
}

int OmbuUtil::getMouseButton(const host::Event& ev) {
    if (ev.modifiers & host::Event::META_MASK) return 3;
    if (ev.modifiers & host::Event::ALT_MASK) return 2;
    return 1;
}

namespace {
template <class T, class V>
std::vector<T> extendList(const std::vector<T>* list, int len, const V& def) {
    if (!list) return std::vector<T>(size_t(std::max(0, len)), def);
    if (int(list->size()) >= len) return *list;
    std::vector<T> out(*list);
    out.resize(size_t(len), def);
    return out;
}
}  // namespace

std::vector<Value> OmbuUtil::copyList(const std::vector<Value>* list, int len, const Value& def) {
    return extendList<Value>(list, len, def);
}
std::vector<int> OmbuUtil::copyList(const std::vector<int>* list, int len, int def) {
    return extendList<int>(list, len, def);
}
std::vector<bool> OmbuUtil::copyList(const std::vector<bool>* list, int len, bool def) {
    return extendList<bool>(list, len, def);
}

int OmbuUtil::countChar(const OptString& s, char c, int start, int end) {
    if (!s) return 0;
    return countChar(s->data(), int(std::min<size_t>(s->size(), 2147483647u)), c, start, end);
}

int OmbuUtil::countChar(const char* a, int len, char c, int start, int end) {
    if (!a || start >= len || start >= end) return 0;
    end = std::min(end, len);
    int n = 0;
    for (int i = std::max(start, 0); i < end; ++i)
        if (a[i] == c) ++n;
    return n;
}

int OmbuUtil::indexOf(const char* a, int len, int ch, int from) {
    if (!a) return -1;
    for (int i = std::max(from, 0); i < len; ++i)
        if (static_cast<unsigned char>(a[i]) == ch || a[i] == ch) return i;
    return -1;
}

host::Event OmbuUtil::toOldEvent(host::Component* source, const host::MouseEvent& m, int id) {
    host::Event ev;
    ev.target = source;
    ev.when = m.getWhen();
    ev.id = id;
    ev.x = m.getX();
    ev.y = m.getY();
    ev.modifiers = m.getModifiers() & 15;
    ev.clickCount = m.getClickCount();
    return ev;
}

void OmbuUtil::deliverOldMotion(host::Component& c, const host::MouseEvent& m) {
    if (m.getID() == host::MouseEvent::MOUSE_MOVED) {
        auto ev = toOldEvent(&c, m, host::Event::MOUSE_MOVE);
        c.mouseMove(ev, ev.x, ev.y);
    } else if (m.getID() == host::MouseEvent::MOUSE_DRAGGED) {
        auto ev = toOldEvent(&c, m, host::Event::MOUSE_DRAG);
        c.mouseDrag(ev, ev.x, ev.y);
    }
}

}  // namespace norvex::ombu
