// Image core: off-screen images, pixel arrays, producers, failed images and PNG output.
#include <gtest/gtest.h>

#include <cstdio>
#include <unistd.h>

#include <string>
#include <vector>

#include "host/graphics/Image.h"

using namespace host;

namespace {

// A producer that delivers through the byte variant and an index model, on its own thread.
class IndexedSource : public ImageProducer {
public:
    explicit IndexedSource(int status) : status_(status) {}
    ~IndexedSource() override {
        if (t_.joinable()) t_.join();
    }
    void addConsumer(ImageConsumer*) override {}
    bool isConsumer(ImageConsumer*) const override { return false; }
    void removeConsumer(ImageConsumer*) override {}
    void requestTopDownLeftRightResend(ImageConsumer*) override {}
    void startProduction(ImageConsumer* c) override {
        t_ = std::thread([this, c] {
            auto model = std::make_shared<IndexColorModel>(std::vector<uint32_t>{0xFFFF0000u, 0x8000FF00u});
            c->setDimensions(3, 2);
            c->setColorModel(model);
            c->setHints(ImageConsumer::TOPDOWNLEFTRIGHT);
            const uint8_t row0[] = {9, 0, 1, 0};  // offset 1
            c->setPixels(0, 0, 3, 1, model, row0, 1, 3);
            const uint32_t row1[] = {0xFF0000FFu, 0xFF0000FFu, 0xFF0000FFu};
            c->setPixels(0, 1, 3, 1, std::make_shared<DirectColorModel>(), row1, 0, 3);
            c->imageComplete(status_);
        });
    }

private:
    int status_;
    std::thread t_;
};

}  // namespace

TEST(ImageCore, OffscreenSizes) {
    auto img = Image::createOffscreen(0, -3);
    ASSERT_TRUE(img->isComplete());
    EXPECT_EQ(img->getWidth(), 1);
    EXPECT_EQ(img->getHeight(), 1);
    EXPECT_TRUE(img->isOffscreen());
    EXPECT_EQ(img->status(), ImageObserver::ALLBITS | ImageObserver::WIDTH | ImageObserver::HEIGHT);
    auto huge = Image::createOffscreen(16385, 10);
    EXPECT_TRUE(huge->hasError());
    EXPECT_EQ(huge->status(), ImageObserver::ERROR);
    EXPECT_EQ(huge->getWidth(), -1);
    EXPECT_NE(huge->errorMessage().find("too large"), std::string::npos);
    EXPECT_EQ(huge->getGraphics(), nullptr);
    EXPECT_EQ(Image::failed("gone")->toString(), "Image[error=gone]");
    EXPECT_EQ(Image::createOffscreen(3, 2)->toString(), "Image[width=3,height=2,offscreen]");
}

TEST(ImageCore, FromArgbHonoursOffsetAndScan) {
    const uint32_t px[] = {0, 0, 0xFF112233u, 0xFF445566u, 0, 0xFF778899u, 0xFFAABBCCu, 0};
    auto img = Image::fromARGB(2, 2, px, 2, 3);
    ASSERT_TRUE(img->isComplete());
    EXPECT_FALSE(img->isOffscreen());
    EXPECT_EQ(img->getARGB(), (std::vector<uint32_t>{0xFF112233u, 0xFF445566u, 0xFF778899u, 0xFFAABBCCu}));
    EXPECT_TRUE(Image::fromARGB(0, 2, px, 0, 0)->hasError());
    EXPECT_TRUE(Image::fromARGB(2, 2, nullptr, 0, 2)->hasError());
    EXPECT_TRUE(Image::fromARGB(2, 2, px, -1, 2)->hasError());
}

TEST(ImageCore, SourceAndProducerRoundTrip) {
    const uint32_t px[] = {0xFF010203u, 0x00000000u, 0x80FF8000u, 0xFFFFFFFFu, 0xFF000000u, 0x40202020u};
    auto img = Image::fromARGB(3, 2, px, 0, 3);
    auto copy = Image::fromProducer(img->getSource());
    ASSERT_TRUE(copy->isComplete()) << copy->errorMessage();
    EXPECT_EQ(copy->getARGB(), img->getARGB());

    auto indexed = Image::fromProducer(std::make_shared<IndexedSource>(ImageConsumer::STATICIMAGEDONE));
    ASSERT_TRUE(indexed->isComplete()) << indexed->errorMessage();
    EXPECT_EQ(indexed->getPixel(0, 0), 0xFFFF0000u);
    EXPECT_EQ(indexed->getPixel(1, 0), 0x8000FF00u);
    EXPECT_EQ(indexed->getPixel(2, 0), 0xFFFF0000u);
    EXPECT_EQ(indexed->getPixel(1, 1), 0xFF0000FFu);

    auto failed = Image::fromProducer(std::make_shared<IndexedSource>(ImageConsumer::IMAGEERROR));
    EXPECT_TRUE(failed->hasError());
    EXPECT_TRUE(Image::fromProducer(nullptr)->hasError());
    // A failed image's source reports the error rather than an empty picture.
    EXPECT_TRUE(Image::fromProducer(Image::failed("x")->getSource())->hasError());
}

TEST(ImageCore, WritePng) {
    auto img = Image::createOffscreen(4, 4);
    char tmpl[] = "/tmp/imgcoreXXXXXX";
    const int fd = mkstemp(tmpl);
    ASSERT_GE(fd, 0);
    close(fd);
    std::string err;
    EXPECT_TRUE(img->writePNG(tmpl, &err)) << err;
    std::remove(tmpl);
    EXPECT_FALSE(img->writePNG("/nonexistent-dir/x.png", &err));
    EXPECT_NE(err.find("/nonexistent-dir/x.png"), std::string::npos);
    EXPECT_FALSE(Image::failed("nothing")->writePNG(tmpl, &err));
}

// Pictures of up to 256 colours go out as palette images, others as RGB or RGBA; every
// kind decodes to the same pixels.
TEST(ImageCore, PngRoundTripsPaletteAndTrueColour) {
    for (int colours : {1, 2, 256, 257, 5000}) {
        const int w = 80, h = 70;
        std::vector<uint32_t> argb(std::size_t(w) * h);
        for (std::size_t i = 0; i < argb.size(); ++i) {
            uint32_t k = uint32_t(i % std::size_t(colours));
            argb[i] = 0xFF000000u | (k * 2654435761u & 0xFFFFFFu);
        }
        auto img = Image::fromARGB(w, h, argb.data(), 0, w);
        std::string bytes, err;
        ASSERT_TRUE(img->encodePNG(bytes, &err)) << err;
        // Colour type at byte 25 of the header: 3 palette, 2 RGB.
        EXPECT_EQ(int(uint8_t(bytes[25])), colours <= 256 ? 3 : 2) << colours;
        auto back = Image::decode(bytes, "round trip");
        ASSERT_FALSE(back->hasError());
        EXPECT_EQ(back->getARGB(), argb) << colours;
    }
}
