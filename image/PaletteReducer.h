// Reduces a picture to a palette of at most a given number of colours by median cut, so
// that a picture of any colour count can be written as a GIF. Pictures that already
// hold few enough colours are left exactly as they are.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "host/graphics/Image.h"

namespace norvex::image {

// The number of distinct RGB colours among the pixels (alpha ignored).
size_t countColors(const std::vector<uint32_t>& argb);

// Maps every pixel to one of at most maxColors representative colours (1..256); alpha
// is kept. Returns the pixels unchanged when they hold at most maxColors colours.
std::vector<uint32_t> reducePalette(const std::vector<uint32_t>& argb, int maxColors);

// The image with its colours reduced; null when it has no pixels. colorsBefore, when
// given, receives the image's distinct colour count.
std::shared_ptr<host::Image> reducePalette(const host::Image& image, int maxColors, size_t* colorsBefore = nullptr);

}  // namespace norvex::image
