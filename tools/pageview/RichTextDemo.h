// A canvas that pages can name as "tools.RichTextDemo": it draws the rich strings
// given by the parameters "text1" .. "text9", one below the other, so that the
// markup (colours, fonts, images, underlining, links) can be looked at as pixels.
// Optional parameters: "font" (name-style-size, the default font), "foreground"
// and "background" (colours), "align" (left, center or right).
#pragma once

#include <string>
#include <vector>

#include "host/ui/Component.h"
#include "util/NxString.h"

namespace tools {

class RichTextDemo : public host::Canvas {
    HOST_CREATABLE(RichTextDemo, "tools.RichTextDemo", host::Canvas)
public:
    RichTextDemo(host::Applet* applet, const std::string& name);
    void initialize() override;
    void paint(host::Graphics& g) override;

    // The parsed strings; parsed on first use, once the canvas sits in its page, so
    // that images resolve against the page's document base.
    const std::vector<norvex::util::NxStringPtr>& strings();

private:
    host::Applet* applet_;
    std::vector<std::string> markup_;
    std::vector<norvex::util::NxStringPtr> strings_;
    bool parsed_ = false;
    int align_ = 0;
};

}  // namespace tools
