// Rich-text markup on arbitrary text: parsing (images beside the page included),
// measuring, drawing and link lookup must not crash, and the markup written back must
// parse to the same segments.
#include <cstddef>
#include <cstdint>
#include <iostream>
#include <string>

#include "host/graphics/RecordingGraphics.h"
#include "host/page/Applet.h"
#include "util/NxString.h"
#include "util/TextUtil.h"

using norvex::util::NxString;

namespace {

// Segments compared through their kind and value; images through their file name.
std::string describe(const NxString& s) {
    std::string out;
    for (const host::Value& v : s.elements()) {
        out += std::to_string(int(v.type())) + ":";
        if (auto nx = v.as<norvex::util::NxImage>()) out += "img " + nx->getFile();
        else out += v.toString();
        out += '\n';
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 4096) return 0;
    std::string text(reinterpret_cast<const char*>(data), size);
    // Image tags name files beside the page, which holds the image seeds; names that
    // could reach other places (paths, URLs, escapes) are skipped.
    if ((norvex::util::text::findIgnoreCase(text, "IMG") != std::string::npos ||
         norvex::util::text::findIgnoreCase(text, "IMAGE") != std::string::npos) &&
        text.find_first_of("/:%\\") != std::string::npos)
        return 0;
    static bool quiet = [] {
        std::cerr.setstate(std::ios::failbit);  // bad numbers are reported; keep the run readable
        return true;
    }();
    (void)quiet;

    static const std::shared_ptr<host::Component> owner = [] {
        auto applet = host::create<host::Applet>();
        applet->setDocumentBase(host::URL::fromFile(NORVEX_SOURCE_DIR "/fuzz/seeds/fuzz_image_decode/page.html"));
        auto panel = host::create<host::Panel>();
        applet->add(panel);
        static auto keep = applet;
        return panel;
    }();
    auto s = NxString::parse(owner.get(), text);
    host::Font font("Helvetica", host::Font::PLAIN, 12);
    host::Dimension d = s->getSize(nullptr, font);
    host::RecordingGraphics g;
    g.setFont(font);
    for (int align = 0; align < 3; ++align) s->draw(nullptr, g, {3, 4, d.width, d.height}, align);
    (void)s->getURL(5, 5);
    (void)s->getString();
    host::Dimension line;
    for (int i = -1; i <= s->size(); ++i) (void)s->getLineSize(nullptr, font, i, line);

    auto again = NxString::parse(owner.get(), s->toString2());
    if (describe(*again) != describe(*s)) __builtin_trap();
    return 0;
}
