#include "ombu/widgets/NxLabel.h"

#include <atomic>
#include <stdexcept>

#include "host/graphics/Image.h"
#include "host/page/Applet.h"
#include "host/runtime/URL.h"
#include "host/ui/Toolkit.h"
#include "ombu/OmbuUtil.h"
#include "util/NxString.h"
#include "util/TextUtil.h"

namespace norvex::ombu {

using host::Lock;
using host::Rectangle;
using host::Value;

NxLabel::NxLabel() : NxLabel(nullptr, "") {}

NxLabel::NxLabel(host::Applet* applet, const std::string& name) : NxComponent(applet, name) {
    if (!applet && name.empty()) setName(nextName("label"));
    highlight = 0;
    shadow = 0;
    traversable = false;
    insets_ = host::Insets{5, 2, 5, 2};
}

std::string NxLabel::nextName(const char* kind) {
    static std::atomic<int> counter{0};
    return kind + std::to_string(counter++);
}

const std::vector<std::string>& NxLabel::alignmentNames() {
    static const std::vector<std::string> names{"TOPLEFT",    "TOPCENTER",    "TOPRIGHT",    "MIDDLELEFT",
                                                "MIDDLECENTER", "MIDDLERIGHT", "BOTTOMLEFT", "BOTTOMCENTER",
                                                "BOTTOMRIGHT", "LEFT",        "CENTER",     "RIGHT",
                                                "MIDDLE"};
    return names;
}

const std::vector<int>& NxLabel::alignmentValues() {
    static const std::vector<int> values{0, 1, 2, 3, 4, 5, 6, 7, 8, 0, 1, 2, 4};
    return values;
}

const std::vector<std::string>& NxLabel::shadowNames() {
    static const std::vector<std::string> names{"SHADOW_NONE",     "SHADOW_ETCHED_IN", "SHADOW_ETCHED_OUT",
                                                "SHADOW_IN",       "SHADOW_OUT",       "SHADOW_PLAIN",
                                                "SHADOW_FRAME_IN", "SHADOW_FRAME_OUT", "CONTROL_SHADOW_IN",
                                                "CONTROL_SHADOW_OUT"};
    return names;
}

void NxLabel::getParameters() {
    NxComponent::getParameters();
    auto conv = getConverter();
    if (getParam("label")) setLabel(readLabelParam("label", &pending_markup));
    alignment = conv->toEnum(getParam("alignment"), "alignment", alignmentNames(), alignmentValues(), alignment);
    static const std::vector<int> shadows{0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    setShadowType(conv->toEnum(getParam("shadowType"), "shadowType", shadowNames(), shadows, shadow_type));
}

Value NxLabel::readLabelParam(const std::string& key, OptString* pending) {
    auto text = getParam(key);
    if (!text) return Value();
    if (applet && text->find('[') != std::string::npos && !util::NxString::getApplet(this)) {
        *pending = text;
        return Value(*text);
    }
    return parseMarkup(*text);
}

Value NxLabel::parseMarkup(const std::string& text) {
    auto conv = getConverter();
    return conv->toNxString(this, conv->toNewLine(text), Value(text));
}

void NxLabel::addNotify() {
    NxComponent::addNotify();
    if (!pending_markup || !util::NxString::getApplet(this)) return;
    std::string text = *pending_markup;
    pending_markup.reset();
    setLabel(parseMarkup(text));
    updateParent();
}

void NxLabel::setAlignment(int a) {
    if (a < OmbuEnum::TOPLEFT || a > OmbuEnum::BOTTOMRIGHT)
        throw std::invalid_argument("Invalid Alignment value in NxLabel");
    Lock guard(mutex());
    if (a == alignment) return;
    alignment = a;
    layout();
    repaint();
}

void NxLabel::setLabel(const Value& v) {
    Lock guard(mutex());
    label = v;
    setLabelSize();
    layout();
    repaint();
}

void NxLabel::setLabelSize() {
    label_width = OmbuUtil::getWidth(label, this);
    label_height = OmbuUtil::getHeight(label, this);
}

std::string NxLabel::getText() const { return OmbuUtil::toString(label).value_or(""); }

std::vector<std::string> NxLabel::getTextList() const {
    std::vector<std::string> out;
    std::string text = getText();
    size_t start = 0;
    while (true) {
        size_t nl = text.find('\n', start);
        std::string piece = text.substr(start, nl == std::string::npos ? std::string::npos : nl - start);
        out.push_back(util::text::trimmed(piece));
        if (nl == std::string::npos) break;
        start = nl + 1;
    }
    return out;
}

void NxLabel::setTextList(const std::vector<std::string>& list) {
    std::string joined;
    for (size_t i = 0; i < list.size(); ++i) {
        if (i) joined += '\n';
        joined += list[i];
    }
    setText(joined);
}

void NxLabel::setLabelImage(const host::URL& url) {
    std::shared_ptr<host::Image> im =
        applet ? applet->getImage(url) : host::Toolkit::getDefaultToolkit().getImage(url);
    {
        Lock guard(mutex());
        label_image = im;
    }
    setLabel(im ? Value(im) : Value());
}

void NxLabel::setShadowType(int t) {
    Lock guard(mutex());
    if (t == shadow_type) return;
    shadow_type = t;
    repaint();
}

void NxLabel::setFont(const host::Font& f) {
    {
        Lock guard(mutex());
        if (hasOwnFont() && getFont() == f) return;
        Component::setFont(f);
        setLabelSize();
        layout();
        repaint();
    }
    updateParent();
}

Rectangle NxLabel::placeBox(const Rectangle& area, int width, int height) const {
    Rectangle r{area.x, area.y, width, height};
    // 64 bits: a value far larger than the area must not wrap the offsets.
    int64_t dx = int64_t(area.width) - width, dy = int64_t(area.height) - height;
    if (OmbuUtil::isRight(alignment))
        r.x = int(area.x + dx);
    else if (OmbuUtil::isCenter(alignment))
        r.x = int(area.x + dx / 2);
    if (OmbuUtil::isBottom(alignment))
        r.y = int(area.y + dy);
    else if (OmbuUtil::isMiddle(alignment))
        r.y = int(area.y + dy / 2);
    return r;
}

void NxLabel::layout() {
    Lock guard(mutex());
    NxComponent::layout();
    if (!hasPeer()) return;
    Rectangle area = getDrawingArea();
    if (area.isEmpty()) {
        // Nothing to place yet: try again at the next paint.
        label_rect = area;
        needs_layout = true;
        return;
    }
    label_rect = placeBox(area, label_width, label_height);
}

void NxLabel::drawValue(host::Graphics& g, const Value& v) {
    if (auto nx = v.as<util::NxString>()) nx->setURLoffset(0, 0);
    OmbuUtil::draw(this, g, v, alignment, label_rect);
}

void NxLabel::paintComponent(host::Graphics& g) {
    if (needs_layout) layout();
    if (needs_layout) return;  // the drawing area is still empty
    drawValue(g, label);
}

bool NxLabel::mouseMove(host::Event&, int x, int y) {
    if (!label.as<util::NxString>() || !getAppletContext()) return false;
    OptString url = util::NxString::getURL(applet, label, x, y);
    if (url != label_url) {
        label_url = url;
        setCursor(url ? host::Cursor::HAND_CURSOR : host::Cursor::DEFAULT_CURSOR);
    }
    return false;
}

bool NxLabel::mouseExit(host::Event&, int, int) {
    if (label_url) {
        label_url.reset();
        setCursor(host::Cursor::DEFAULT_CURSOR);
    }
    return false;
}

bool NxLabel::mouseUp(host::Event&, int x, int y) {
    if (!label_url || !label.as<util::NxString>()) return false;
    OptString url = util::NxString::getURL(applet, label, x, y);
    if (url && url == label_url) util::NxString::showURL(url, getAppletContext(), applet);
    return false;
}

}  // namespace norvex::ombu
