#include "ombu/widgets/CheckboxIndicators.h"

#include <map>
#include <mutex>
#include <string>
#include <tuple>
#include <vector>

#include "host/graphics/Image.h"
#include "util/NxImageCreator.h"

namespace norvex::ombu {

using host::Color;
using Rows = std::vector<std::string>;

namespace {

const Rows kBox{
    "gggggggggggg.", "gbbbbbbbbbbl.", "gbmmmmmmmmml.", "gbmmmmmmmmml.", "gbmmmmmmmmml.",
    "gbmmmmmmmmml.", "gbmmmmmmmmml.", "gbmmmmmmmmml.", "gbmmmmmmmmml.", "gbmmmmmmmmml.",
    "gbmmmmmmmmml.", "glllllllllll.", ".............",
};

const Rows kCheck{
    "      b", "     bb", "b   bbb", "bb bbb ", "bbbbb  ", " bbb   ", "  b    ",
};

const Rows kCross{
    "bb   bb", "bbb bbb", " bbbbb ", "  bbb  ", " bbbbb ", "bbb bbb", "bb   bb",
};

const Rows kCircle{
    "    ggggg    ", "  ggbbbbbgg  ", " ggbmmmmmbl. ", " gbmmmmmmml. ", "gbmmmmmmmmml.",
    "gbmmmmmmmmml.", "gbmmmmmmmmml.", "gbmmmmmmmmml.", "gbmmmmmmmmml.", " gbmmmmmmml. ",
    " gglmmmmml.. ", "  ..lllll..  ", "    .....    ",
};

const Rows kDot{
    "             ", "             ", "             ", "             ", "     bbb     ",
    "    bbbbb    ", "    bbbbb    ", "    bbbbb    ", "     bbb     ", "             ",
    "             ", "             ", "             ",
};

const Rows kDiamond{
    "      t      ", "     ttt     ", "    ttmtt    ", "   ttmmmtt   ", "  ttmmmmmtt  ",
    " ttmmmmmmmtt ", "ttmmmmmmmmmbb", " bbmmmmmmmbb ", "  bbmmmmmbb  ", "   bbmmmbb   ",
    "    bbmbb    ", "     bbb     ", "      b      ",
};

// The stippled ("mixed") form: every other pixel of the map left out.
Rows stippled(const Rows& rows) {
    Rows out = rows;
    for (size_t y = 0; y < out.size(); ++y)
        for (size_t x = 0; x < out[y].size(); ++x)
            if ((x + y) % 2) out[y][x] = ' ';
    return out;
}

// Images by pixel map and colours of 'm', 't' and 'b'.
struct Cache {
    std::mutex mutex;
    std::map<std::tuple<const Rows*, uint32_t, uint32_t, uint32_t>, std::shared_ptr<host::Image>> images;
};

Cache& cache() {
    static Cache c;
    return c;
}

uint32_t argb(const Color& c) { return 0xFF000000u | (uint32_t(c.getRed()) << 16) | (uint32_t(c.getGreen()) << 8) | c.getBlue(); }

// The shared image of a map; `fill` colours 'm', `top` 't' and `bottom` 'b' (black by default).
std::shared_ptr<host::Image> imageOf(const Rows& rows, const Color& fill, const Color& top = Color::black,
                                     const Color& bottom = Color::black) {
    Cache& c = cache();
    std::lock_guard lock(c.mutex);
    auto key = std::make_tuple(&rows, argb(fill), argb(top), argb(bottom));
    auto it = c.images.find(key);
    if (it != c.images.end()) return it->second;
    util::NxImageCreator creator(nullptr, int(rows[0].size()), int(rows.size()));
    creator.setColor('g', Color::gray);
    creator.setColor('l', Color::lightGray);
    creator.setColor('.', Color::white);
    creator.setColor('b', bottom);
    creator.setColor('t', top);
    creator.setColor('m', fill);
    auto image = creator.create(rows);
    c.images[key] = image;
    return image;
}

void drawMap(host::Graphics& g, const Rows& rows, int x, int y, const Color& fill = Color::black) {
    if (auto im = imageOf(rows, fill)) g.drawImage(im.get(), x, y);
}

const Rows& mixedCheck() {
    static const Rows r = stippled(kCheck);
    return r;
}
const Rows& mixedCross() {
    static const Rows r = stippled(kCross);
    return r;
}
const Rows& mixedDot() {
    static const Rows r = stippled(kDot);
    return r;
}

}  // namespace

void CheckboxIndicators::drawBox(host::Graphics& g, int x, int y, const Color& fill) { drawMap(g, kBox, x, y, fill); }

void CheckboxIndicators::drawCheck(host::Graphics& g, int x, int y, bool mixed) {
    drawMap(g, mixed ? mixedCheck() : kCheck, x + 3, y + 3);
}

void CheckboxIndicators::drawCross(host::Graphics& g, int x, int y, bool mixed) {
    drawMap(g, mixed ? mixedCross() : kCross, x + 3, y + 3);
}

void CheckboxIndicators::drawCircle(host::Graphics& g, int x, int y, const Color& fill, bool on, bool mixed,
                                    const Color& dot) {
    drawMap(g, kCircle, x, y, fill);
    if (on || mixed)
        if (auto im = imageOf(mixed ? mixedDot() : kDot, Color::black, Color::black, dot)) g.drawImage(im.get(), x, y);
}

void CheckboxIndicators::drawDiamond(host::Graphics& g, int x, int y, const Color& top, const Color& fill,
                                     const Color& bottom) {
    if (auto im = imageOf(kDiamond, fill, top, bottom)) g.drawImage(im.get(), x, y);
}

int CheckboxIndicators::cachedImages() {
    std::lock_guard lock(cache().mutex);
    return int(cache().images.size());
}

}  // namespace norvex::ombu
