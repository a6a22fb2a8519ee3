// GIF encoding speed and size: this encoder against giflib's EGifPutLine on the
// same pictures. This encoder starts from ARGB pixels (palette mapping included),
// delivered by a producer on a thread of its own; giflib gets the palette indices
// ready-made. Times are wall-clock, since our work runs on the producer's thread.
#include <benchmark/benchmark.h>
#include <gif_lib.h>

#include <cmath>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

#include "host/graphics/ImageProducer.h"
#include "image/GifConverter.h"

namespace {

struct Picture {
    int w, h;
    std::vector<uint32_t> argb;
};

Picture noisyTwoColour() {
    Picture p{1024, 1024, std::vector<uint32_t>(1024 * 1024)};
    std::mt19937 rng(42);
    for (auto& px : p.argb) px = rng() & 1 ? 0xffffffffu : 0xff000080u;
    return p;
}

Picture chartLike() {
    const int w = 640, h = 480;
    Picture p{w, h, std::vector<uint32_t>(size_t(w) * h, 0xffffffffu)};
    auto set = [&](int x, int y, uint32_t c) {
        if (x >= 0 && y >= 0 && x < w && y < h) p.argb[size_t(y) * w + size_t(x)] = c;
    };
    for (int y = 40; y < h - 40; y += 40)
        for (int x = 60; x < w - 20; x += 2) set(x, y, 0xffc0c0c0);
    for (int x = 60; x < w - 20; ++x) set(x, h - 40, 0xff000000);
    for (int y = 20; y < h - 40; ++y) set(60, y, 0xff000000);
    const uint32_t lines[] = {0xffff0000, 0xff0000ff, 0xff00a000};
    for (int k = 0; k < 3; ++k)
        for (int x = 61; x < w - 20; ++x) {
            int y = h / 2 + int((k + 1) * 30 * std::sin(x / (20.0 + 10 * k))) - k * 40;
            set(x, y, lines[k]);
            set(x, y + 1, lines[k]);
        }
    for (int b = 0; b < 5; ++b)
        for (int y = h - 40 - 60 - 30 * b; y < h - 40; ++y)
            for (int x = 100 + 90 * b; x < 140 + 90 * b; ++x) set(x, y, 0xffffcc00);
    return p;
}

const Picture& picture(int which) {
    static const Picture noisy = noisyTwoColour();
    static const Picture chart = chartLike();
    return which == 0 ? noisy : chart;
}

// Delivers a picture's ARGB pixels in one piece on a thread of its own, like the
// memory image source, but without copying the pixels first.
class PictureSource : public host::ImageProducer {
public:
    explicit PictureSource(const Picture& p) : picture(p) {}
    ~PictureSource() override {
        if (thread.joinable()) thread.join();
    }
    void addConsumer(host::ImageConsumer*) override {}
    bool isConsumer(host::ImageConsumer*) const override { return false; }
    void removeConsumer(host::ImageConsumer*) override {}
    void requestTopDownLeftRightResend(host::ImageConsumer*) override {}
    void startProduction(host::ImageConsumer* c) override {
        thread = std::thread([this, c] {
            c->setDimensions(picture.w, picture.h);
            c->setHints(host::ImageConsumer::TOPDOWNLEFTRIGHT | host::ImageConsumer::SINGLEPASS);
            c->setPixels(0, 0, picture.w, picture.h, nullptr, picture.argb.data(), 0, picture.w);
            c->imageComplete(host::ImageConsumer::STATICIMAGEDONE);
        });
    }

private:
    const Picture& picture;
    std::thread thread;
};

void ours(benchmark::State& state) {
    const Picture& p = picture(int(state.range(0)));
    size_t bytes = 0;
    for (auto _ : state) {
        auto src = std::make_shared<PictureSource>(p);
        std::ostringstream out;
        norvex::image::GifConverter::writeGif(src, out);
        bytes = out.str().size();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["bytes"] = double(bytes);
}

int appendToString(GifFileType* gif, const GifByteType* data, int n) {
    static_cast<std::string*>(gif->UserData)->append(reinterpret_cast<const char*>(data), size_t(n));
    return n;
}

void giflib(benchmark::State& state) {
    const Picture& p = picture(int(state.range(0)));
    // Indices and palette prepared outside the timing.
    std::unordered_map<uint32_t, int> index;
    std::vector<GifColorType> colors;
    std::vector<GifPixelType> pixels;
    for (uint32_t px : p.argb) {
        auto [it, added] = index.try_emplace(px & 0xffffff, int(colors.size()));
        if (added) colors.push_back({GifByteType(px >> 16), GifByteType(px >> 8), GifByteType(px)});
        pixels.push_back(GifPixelType(it->second));
    }
    int bits = 1;
    while ((1 << bits) < int(colors.size())) ++bits;
    colors.resize(size_t(1) << bits);
    size_t bytes = 0;
    for (auto _ : state) {
        std::string out;
        int err = 0;
        GifFileType* gif = EGifOpen(&out, appendToString, &err);
        ColorMapObject* map = GifMakeMapObject(1 << bits, colors.data());
        EGifPutScreenDesc(gif, p.w, p.h, bits, 0, map);
        EGifPutImageDesc(gif, 0, 0, p.w, p.h, false, nullptr);
        for (int y = 0; y < p.h; ++y) EGifPutLine(gif, pixels.data() + size_t(y) * p.w, p.w);
        EGifCloseFile(gif, &err);
        GifFreeMapObject(map);
        bytes = out.size();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["bytes"] = double(bytes);
}

}  // namespace

// Argument 0: noisy two-colour 1024 x 1024; 1: chart-like 640 x 480.
BENCHMARK(ours)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(giflib)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_MAIN();
