#include "image/PaletteReducer.h"

#include <algorithm>
#include <array>
#include <unordered_map>
#include <unordered_set>

namespace norvex::image {

namespace {

struct Entry {
    uint32_t rgb;
    uint32_t count;
};

int channel(uint32_t rgb, int c) { return int((rgb >> (16 - 8 * c)) & 0xff); }

// A box of the colour cube: a run of histogram entries.
struct Box {
    size_t begin, end;
    int widest = 0;  // the channel with the largest range
    int range = 0;   // that range; 0 when the box holds one colour
    uint64_t pixels = 0;
};

void measure(Box& box, const std::vector<Entry>& entries) {
    std::array<int, 3> lo{255, 255, 255}, hi{0, 0, 0};
    box.pixels = 0;
    for (size_t i = box.begin; i < box.end; ++i) {
        for (int c = 0; c < 3; ++c) {
            lo[c] = std::min(lo[c], channel(entries[i].rgb, c));
            hi[c] = std::max(hi[c], channel(entries[i].rgb, c));
        }
        box.pixels += entries[i].count;
    }
    box.range = -1;
    for (int c = 0; c < 3; ++c)
        if (hi[c] - lo[c] > box.range) {
            box.range = hi[c] - lo[c];
            box.widest = c;
        }
}

}  // namespace

size_t countColors(const std::vector<uint32_t>& argb) {
    std::unordered_set<uint32_t> seen;
    for (uint32_t p : argb) seen.insert(p & 0xffffff);
    return seen.size();
}

std::vector<uint32_t> reducePalette(const std::vector<uint32_t>& argb, int maxColors) {
    maxColors = std::clamp(maxColors, 1, 256);
    std::unordered_map<uint32_t, uint32_t> histogram;
    for (uint32_t p : argb) ++histogram[p & 0xffffff];
    if (histogram.size() <= size_t(maxColors)) return argb;

    std::vector<Entry> entries;
    entries.reserve(histogram.size());
    for (auto [rgb, count] : histogram) entries.push_back({rgb, count});
    // A fixed order makes the palette independent of the hash table's iteration order.
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.rgb < b.rgb; });

    std::vector<Box> boxes{{0, entries.size()}};
    measure(boxes[0], entries);
    while (boxes.size() < size_t(maxColors)) {
        // Split the box whose widest side, weighted by how many pixels it covers, is
        // largest: big boxes of many pixels are where the error is.
        size_t pick = boxes.size();
        double best = 0;
        for (size_t i = 0; i < boxes.size(); ++i) {
            if (boxes[i].range <= 0) continue;
            double score = double(boxes[i].range) * double(boxes[i].pixels);
            if (pick == boxes.size() || score > best) {
                best = score;
                pick = i;
            }
        }
        if (pick == boxes.size()) break;  // every box holds one colour
        Box box = boxes[pick];
        int c = box.widest;
        std::sort(entries.begin() + long(box.begin), entries.begin() + long(box.end),
                  [c](const Entry& a, const Entry& b) { return channel(a.rgb, c) < channel(b.rgb, c); });
        // The weighted median, kept strictly inside the box so both halves are non-empty.
        uint64_t half = box.pixels / 2, seen = 0;
        size_t cut = box.begin + 1;
        for (size_t i = box.begin; i + 1 < box.end; ++i) {
            seen += entries[i].count;
            cut = i + 1;
            if (seen >= half) break;
        }
        Box left{box.begin, cut}, right{cut, box.end};
        measure(left, entries);
        measure(right, entries);
        boxes[pick] = left;
        boxes.push_back(right);
    }

    // Each box's colour is the pixel-weighted mean of its colours.
    std::unordered_map<uint32_t, uint32_t> mapped;
    mapped.reserve(entries.size());
    for (const Box& box : boxes) {
        std::array<uint64_t, 3> sum{};
        for (size_t i = box.begin; i < box.end; ++i)
            for (int c = 0; c < 3; ++c) sum[c] += uint64_t(channel(entries[i].rgb, c)) * entries[i].count;
        uint32_t rgb = 0;
        for (int c = 0; c < 3; ++c) rgb = (rgb << 8) | uint32_t((sum[c] + box.pixels / 2) / box.pixels);
        for (size_t i = box.begin; i < box.end; ++i) mapped[entries[i].rgb] = rgb;
    }
    std::vector<uint32_t> out(argb.size());
    for (size_t i = 0; i < argb.size(); ++i) out[i] = (argb[i] & 0xff000000u) | mapped[argb[i] & 0xffffff];
    return out;
}

std::shared_ptr<host::Image> reducePalette(const host::Image& image, int maxColors, size_t* colorsBefore) {
    if (!image.isComplete()) return nullptr;
    std::vector<uint32_t> pixels = image.getARGB();
    if (colorsBefore) *colorsBefore = countColors(pixels);
    pixels = reducePalette(pixels, maxColors);
    return host::Image::fromARGB(image.getWidth(), image.getHeight(), pixels.data(), 0, image.getWidth());
}

}  // namespace norvex::image
