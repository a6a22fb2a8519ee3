// Images: off-screen drawing targets, images built from pixel arrays, and images
// decoded from PNG, GIF and JPEG files or URLs. Pixels live in a premultiplied
// ARGB32 Cairo image surface; every accessor here speaks non-premultiplied ARGB.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/base/Color.h"
#include "host/graphics/Graphics.h"
#include "host/graphics/ImageProducer.h"
#include "host/runtime/Object.h"

typedef struct _cairo_surface cairo_surface_t;

namespace host {

class ImageObserver {
public:
    static constexpr int WIDTH = 1, HEIGHT = 2, PROPERTIES = 4, SOMEBITS = 8, FRAMEBITS = 16, ALLBITS = 32,
                         ERROR = 64, ABORT = 128;
    virtual ~ImageObserver() = default;
    virtual bool imageUpdate(class Image* img, int infoflags, int x, int y, int w, int h) = 0;
};

class Image : public Object {
    HOST_OBJECT(Image, "host.Image", Object)
public:
    // An opaque off-screen image filled with white; dimensions clamped to at least 1.
    static std::shared_ptr<Image> createOffscreen(int w, int h);
    // An off-screen image whose pixels start fully transparent (for text and shapes
    // drawn over whatever lies below).
    static std::shared_ptr<Image> createTransparent(int w, int h);
    // An image from non-premultiplied ARGB pixels, row-major: pixel (x, y) is
    // pixels[offset + y * scan + x].
    static std::shared_ptr<Image> fromARGB(int w, int h, const uint32_t* pixels, int offset, int scan);
    // Runs the producer to completion on the calling thread's behalf and keeps its pixels.
    static std::shared_ptr<Image> fromProducer(const std::shared_ptr<ImageProducer>& producer);
    // A broken image that reports ERROR; the reason says what went wrong.
    static std::shared_ptr<Image> failed(std::string reason);
    // Decodes PNG, GIF (first frame) or JPEG data by content, whatever the name says.
    static std::shared_ptr<Image> decode(const std::string& bytes, const std::string& nameForErrors);
    // Reads and decodes a local file.
    static std::shared_ptr<Image> load(const std::string& path);

    ~Image() override;

    int getWidth() const { return width_; }    // -1 for a failed image
    int getHeight() const { return height_; }
    // ImageObserver flags: ALLBITS|WIDTH|HEIGHT when complete, ERROR when failed.
    int status() const;
    bool isComplete() const { return surface_ != nullptr; }
    bool hasError() const { return surface_ == nullptr; }
    const std::string& errorMessage() const { return error_; }
    bool isOffscreen() const { return offscreen_; }

    // A drawing context on the image: any complete image can be drawn on (its pixels are
    // its own buffer); null for a failed image.
    std::unique_ptr<Graphics> getGraphics();

    uint32_t getPixel(int x, int y) const;  // non-premultiplied ARGB; 0 outside
    std::vector<uint32_t> getARGB() const;  // all pixels, row-major
    // A producer of this image's pixels (default ARGB model), for consumers such as encoders.
    std::shared_ptr<ImageProducer> getSource() const;

    bool writePNG(const std::string& path, std::string* error = nullptr) const;
    // The PNG file's bytes in memory; false (with the reason) when there are no pixels.
    bool encodePNG(std::string& bytes, std::string* error = nullptr) const;

    cairo_surface_t* surface() const { return surface_; }

    std::string toString() const override;

private:
    Image() = default;
    int width_ = -1, height_ = -1;
    bool offscreen_ = false;
    cairo_surface_t* surface_ = nullptr;
    std::string error_;
};

using ImagePtr = std::shared_ptr<Image>;

}  // namespace host
