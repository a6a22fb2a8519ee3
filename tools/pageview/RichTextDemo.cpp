#include "RichTextDemo.h"

#include <algorithm>
#include <cstdint>

#include "host/page/Applet.h"
#include "host/graphics/Graphics.h"
#include "util/NxUtilConverter.h"

namespace tools {

using norvex::util::NxString;
using norvex::util::NxUtilConverter;

RichTextDemo::RichTextDemo(host::Applet* applet, const std::string& name) : applet_(applet) { setName(name); }

void RichTextDemo::initialize() {
    if (!applet_) return;
    auto param = [&](const std::string& n) { return applet_->getParameter(n); };
    for (int i = 1; i <= 9; ++i)
        if (auto text = param("text" + std::to_string(i))) markup_.push_back(*text);
    if (auto f = NxUtilConverter::toFont(param("font"))) setFont(*f);
    if (auto c = NxUtilConverter::toColor(param("foreground"))) setForeground(*c);
    setBackground(NxUtilConverter::toColor(param("background")).value_or(host::Color::white));
    if (auto a = param("align")) {
        std::string s = norvex::util::text::toLower(norvex::util::text::trim(*a));
        align_ = s == "center" ? 1 : s == "right" ? 2 : 0;
    }
}

const std::vector<norvex::util::NxStringPtr>& RichTextDemo::strings() {
    if (!parsed_) {
        parsed_ = true;
        for (const auto& m : markup_)
            if (auto s = NxString::parse(this, m)) strings_.push_back(s);
    }
    return strings_;
}

void RichTextDemo::paint(host::Graphics& g) {
    const int margin = 10, gap = 12;
    // 64 bits: a text's height reaches the int limit with a huge vertical space; texts
    // below the component are not drawn.
    int64_t y = margin;
    for (const auto& s : strings()) {
        if (y >= getHeight()) break;
        g.setFont(getFont());
        g.setColor(getForeground().value_or(host::Color::black));
        host::Dimension d = s->getSize(this, getFont());
        s->draw(this, g, {margin, int(y), std::max(0, getWidth() - 2 * margin), d.height}, align_);
        y += int64_t(d.height) + gap;
    }
}

}  // namespace tools
