#include <gtest/gtest.h>

#include <condition_variable>
#include <string>
#include <thread>

#include "host/graphics/ImageProducer.h"

using host::ColorModel;
using host::ImageConsumer;
using host::MemoryImageSource;

namespace {

// Records every call it receives, with the thread it arrived on.
class RecordingConsumer : public ImageConsumer {
public:
    void setDimensions(int w, int h) override { log("dims " + std::to_string(w) + "x" + std::to_string(h)); }
    void setColorModel(const std::shared_ptr<ColorModel>& m) override {
        model = m;
        log("model");
    }
    void setHints(int h) override {
        hints = h;
        log("hints");
    }
    void setPixels(int, int, int, int, const std::shared_ptr<ColorModel>&, const uint8_t*, int, int) override {
        log("bytes");
    }
    void setPixels(int x, int y, int w, int h, const std::shared_ptr<ColorModel>& m, const uint32_t* p, int off,
                   int scan) override {
        std::lock_guard<std::mutex> g(mutex);
        for (int r = 0; r < h; ++r)
            for (int c = 0; c < w; ++c) argb.push_back(m->getRGB(p[off + r * scan + c]));
        calls.push_back("pixels " + std::to_string(x) + "," + std::to_string(y) + " " + std::to_string(w) + "x" +
                        std::to_string(h));
    }
    void imageComplete(int status) override {
        std::lock_guard<std::mutex> g(mutex);
        calls.push_back("complete " + std::to_string(status));
        thread = std::this_thread::get_id();
        done = true;
        cv.notify_all();
    }

    void waitDone() {
        std::unique_lock<std::mutex> l(mutex);
        cv.wait(l, [this] { return done; });
    }
    std::vector<std::string> snapshot() {
        std::lock_guard<std::mutex> g(mutex);
        return calls;
    }

    std::mutex mutex;
    std::condition_variable cv;
    std::vector<std::string> calls;
    std::vector<uint32_t> argb;
    std::shared_ptr<ColorModel> model;
    int hints = 0;
    bool done = false;
    std::thread::id thread;

private:
    void log(const std::string& s) {
        std::lock_guard<std::mutex> g(mutex);
        calls.push_back(s);
    }
};

const std::vector<std::string> kExpected = {"dims 3x2", "model", "hints", "pixels 0,0 3x2", "complete 3"};

}  // namespace

TEST(MemoryImageSource, ProduceDeliversOnTheCallingThread) {
    // A 3 x 2 window into a 4-wide array, starting at offset 1.
    auto src = std::make_shared<MemoryImageSource>(3, 2, nullptr, std::vector<uint32_t>{0, 1, 2, 3, 9, 4, 5, 6}, 1,
                                                   4);
    RecordingConsumer c;
    src->produce(&c);
    EXPECT_EQ(c.calls, kExpected);
    EXPECT_EQ(c.thread, std::this_thread::get_id());
    EXPECT_EQ(c.argb, (std::vector<uint32_t>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(c.model, ColorModel::getRGBdefault());
    EXPECT_EQ(c.hints, ImageConsumer::TOPDOWNLEFTRIGHT | ImageConsumer::COMPLETESCANLINES | ImageConsumer::SINGLEPASS |
                           ImageConsumer::SINGLEFRAME);
    EXPECT_FALSE(src->isConsumer(&c));
}

TEST(MemoryImageSource, StartProductionDeliversOnItsOwnThread) {
    auto model = std::make_shared<host::IndexColorModel>(std::vector<uint32_t>{0xff112233u, 0x80445566u});
    auto src = std::make_shared<MemoryImageSource>(3, 2, model, std::vector<uint32_t>{0, 1, 0, 1, 0, 1}, 0, 3);
    RecordingConsumer a, b;
    src->startProduction(&a);
    src->startProduction(&b);
    a.waitDone();
    b.waitDone();
    for (RecordingConsumer* c : {&a, &b}) {
        EXPECT_EQ(c->snapshot(), kExpected);
        EXPECT_NE(c->thread, std::this_thread::get_id());
        EXPECT_EQ(c->model, model);
        std::lock_guard<std::mutex> g(c->mutex);
        EXPECT_EQ(c->argb[1], 0x80445566u);
    }
    src.reset();  // joins the delivering threads
}

TEST(MemoryImageSource, DestructionWaitsForDelivery) {
    RecordingConsumer c;
    {
        MemoryImageSource src(2, 2, std::vector<uint32_t>(4, 0xff000000u));
        src.startProduction(&c);
    }
    EXPECT_EQ(c.snapshot().back(), "complete 3");
}

TEST(MemoryImageSource, ConsumerBookkeepingAndBadArrays) {
    MemoryImageSource src(1, 1, {7});
    RecordingConsumer c;
    src.addConsumer(&c);
    src.addConsumer(&c);
    EXPECT_TRUE(src.isConsumer(&c));
    src.removeConsumer(&c);
    EXPECT_FALSE(src.isConsumer(&c));
    EXPECT_EQ(ColorModel::getRGBdefault()->getRGB(0x12345678u), 0x12345678u);
    EXPECT_THROW(MemoryImageSource(4, 4, std::vector<uint32_t>(15)), std::invalid_argument);
    EXPECT_THROW(MemoryImageSource(2, 2, nullptr, std::vector<uint32_t>(4), 1, 2), std::invalid_argument);
    EXPECT_THROW(MemoryImageSource(-1, 2, std::vector<uint32_t>()), std::invalid_argument);
}
