#include <algorithm>
#include <cstdint>
#include <stdexcept>

#include "host/graphics/ImageProducer.h"

namespace host {

const std::shared_ptr<ColorModel>& ColorModel::getRGBdefault() {
    static const std::shared_ptr<ColorModel> model = std::make_shared<DirectColorModel>();
    return model;
}

MemoryImageSource::MemoryImageSource(int w, int h, std::shared_ptr<ColorModel> model, std::vector<uint32_t> pixels,
                                     int offset, int scan)
    : width_(w),
      height_(h),
      model_(model ? std::move(model) : ColorModel::getRGBdefault()),
      pixels_(std::move(pixels)),
      offset_(offset),
      scan_(scan) {
    if (w < 0 || h < 0) throw std::invalid_argument("MemoryImageSource: negative image size");
    if (offset < 0 || (h > 1 && scan < w) || scan < 0)
        throw std::invalid_argument("MemoryImageSource: invalid offset or scan line length");
    // Every pixel read during delivery must lie inside the array.
    if (w > 0 && h > 0 && int64_t(offset) + int64_t(h - 1) * scan + w > int64_t(pixels_.size()))
        throw std::invalid_argument("MemoryImageSource: pixel array too small for the image");
}

MemoryImageSource::~MemoryImageSource() {
    std::vector<std::thread> threads;
    {
        std::lock_guard<std::mutex> g(mutex_);
        threads.swap(threads_);
    }
    for (auto& t : threads) {
        // The last reference may be dropped by a consumer on a delivering thread itself.
        if (t.get_id() == std::this_thread::get_id())
            t.detach();
        else if (t.joinable())
            t.join();
    }
}

void MemoryImageSource::addConsumer(ImageConsumer* c) {
    if (!c) return;
    std::lock_guard<std::mutex> g(mutex_);
    if (std::find(consumers_.begin(), consumers_.end(), c) == consumers_.end()) consumers_.push_back(c);
}

bool MemoryImageSource::isConsumer(ImageConsumer* c) const {
    std::lock_guard<std::mutex> g(mutex_);
    return std::find(consumers_.begin(), consumers_.end(), c) != consumers_.end();
}

void MemoryImageSource::removeConsumer(ImageConsumer* c) {
    std::lock_guard<std::mutex> g(mutex_);
    consumers_.erase(std::remove(consumers_.begin(), consumers_.end(), c), consumers_.end());
}

void MemoryImageSource::startProduction(ImageConsumer* c) {
    if (!c) return;
    addConsumer(c);
    // When the source is shared, the thread keeps it alive until delivery ends.
    std::shared_ptr<Object> self = weak_from_this().lock();
    std::lock_guard<std::mutex> g(mutex_);
    threads_.emplace_back([this, c, self] {
        // A consumer removed before its turn gets nothing; after a complete image it
        // is dropped, so the source never keeps a pointer to a finished consumer.
        if (!isConsumer(c)) return;
        produce(c);
        removeConsumer(c);
    });
}

void MemoryImageSource::requestTopDownLeftRightResend(ImageConsumer*) {
    // The pixels are always sent top-down, left to right, in one piece.
}

void MemoryImageSource::produce(ImageConsumer* c) const {
    if (!c) return;
    c->setDimensions(width_, height_);
    c->setColorModel(model_);
    c->setHints(ImageConsumer::TOPDOWNLEFTRIGHT | ImageConsumer::COMPLETESCANLINES | ImageConsumer::SINGLEPASS |
                ImageConsumer::SINGLEFRAME);
    if (width_ > 0 && height_ > 0) c->setPixels(0, 0, width_, height_, model_, pixels_.data(), offset_, scan_);
    c->imageComplete(ImageConsumer::STATICIMAGEDONE);
}

}  // namespace host
