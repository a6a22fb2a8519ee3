// The image-production protocol: a producer pushes an image's size and pixels
// into its consumers, then reports the image complete.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "host/runtime/Object.h"

namespace host {

// Maps a pixel value to non-premultiplied 0xAARRGGBB.
class ColorModel {
public:
    virtual ~ColorModel() = default;
    virtual uint32_t getRGB(uint32_t pixel) const = 0;
    int getRed(uint32_t p) const { return int((getRGB(p) >> 16) & 0xff); }
    int getGreen(uint32_t p) const { return int((getRGB(p) >> 8) & 0xff); }
    int getBlue(uint32_t p) const { return int(getRGB(p) & 0xff); }
    int getAlpha(uint32_t p) const { return int(getRGB(p) >> 24); }
    // The default model: pixels are 0xAARRGGBB values.
    static const std::shared_ptr<ColorModel>& getRGBdefault();
};

class DirectColorModel : public ColorModel {
public:
    uint32_t getRGB(uint32_t pixel) const override { return pixel; }
};

class IndexColorModel : public ColorModel {
public:
    explicit IndexColorModel(std::vector<uint32_t> argb) : argb_(std::move(argb)) {}
    uint32_t getRGB(uint32_t pixel) const override { return pixel < argb_.size() ? argb_[pixel] : 0; }
    int getMapSize() const { return int(argb_.size()); }

private:
    std::vector<uint32_t> argb_;
};

class ImageConsumer {
public:
    // Hints
    static constexpr int RANDOMPIXELORDER = 1, TOPDOWNLEFTRIGHT = 2, COMPLETESCANLINES = 4, SINGLEPASS = 8,
                         SINGLEFRAME = 16;
    // imageComplete status
    static constexpr int IMAGEERROR = 1, SINGLEFRAMEDONE = 2, STATICIMAGEDONE = 3, IMAGEABORTED = 4;

    virtual ~ImageConsumer() = default;
    virtual void setDimensions(int width, int height) = 0;
    virtual void setProperties() {}
    virtual void setColorModel(const std::shared_ptr<ColorModel>& model) = 0;
    virtual void setHints(int hints) = 0;
    virtual void setPixels(int x, int y, int w, int h, const std::shared_ptr<ColorModel>& model,
                           const uint8_t* pixels, int offset, int scansize) = 0;
    virtual void setPixels(int x, int y, int w, int h, const std::shared_ptr<ColorModel>& model,
                           const uint32_t* pixels, int offset, int scansize) = 0;
    virtual void imageComplete(int status) = 0;
};

class ImageProducer : public Object {
    HOST_OBJECT(ImageProducer, "host.ImageProducer", Object)
public:
    virtual void addConsumer(ImageConsumer* c) = 0;
    virtual bool isConsumer(ImageConsumer* c) const = 0;
    virtual void removeConsumer(ImageConsumer* c) = 0;
    // Adds the consumer and delivers the image to every consumer on a thread of the
    // producer's own; returns at once. The thread ends after imageComplete.
    virtual void startProduction(ImageConsumer* c) = 0;
    virtual void requestTopDownLeftRightResend(ImageConsumer* c) = 0;
};

// Produces an image from a pixel array (the ARGB default model or another).
class MemoryImageSource : public ImageProducer {
    HOST_OBJECT(MemoryImageSource, "host.MemoryImageSource", ImageProducer)
public:
    MemoryImageSource(int w, int h, std::shared_ptr<ColorModel> model, std::vector<uint32_t> pixels, int offset,
                      int scan);
    MemoryImageSource(int w, int h, std::vector<uint32_t> argb) : MemoryImageSource(w, h, nullptr, std::move(argb), 0, w) {}
    ~MemoryImageSource() override;  // joins the delivering threads

    void addConsumer(ImageConsumer* c) override;
    bool isConsumer(ImageConsumer* c) const override;
    void removeConsumer(ImageConsumer* c) override;
    void startProduction(ImageConsumer* c) override;
    void requestTopDownLeftRightResend(ImageConsumer* c) override;

    // Delivers to one consumer on the calling thread.
    void produce(ImageConsumer* c) const;

private:
    int width_, height_;
    std::shared_ptr<ColorModel> model_;
    std::vector<uint32_t> pixels_;
    int offset_, scan_;
    mutable std::mutex mutex_;
    std::vector<ImageConsumer*> consumers_;
    std::vector<std::thread> threads_;
};

}  // namespace host
