// Pictures of components as files: render a component built in code into a PNG, GIF,
// SVG or PDF file in one call, the way a plotting library saves a figure.
#pragma once

#include <memory>
#include <string>

#include "host/graphics/Image.h"
#include "host/graphics/VectorGraphics.h"
#include "host/ui/Component.h"

namespace norvex::image {

// The picture's bytes as PNG, or as GIF when gif is set. A GIF holds at most 255
// colours: a picture with more is reduced to a palette of 255 first (median cut) and
// *colorsBefore, when given, receives its colour count; a picture with fewer is exact.
bool encodePicture(const host::Image& picture, bool gif, std::string& bytes, std::string* error = nullptr,
                   size_t* colorsBefore = nullptr);

// Writes the picture to path: GIF when the name ends in ".gif" (any case), else PNG.
bool savePicture(const host::Image& picture, const std::string& path, std::string* error = nullptr);

// Lays out and paints component alone in a headless window of width x height and
// returns the window's picture; null (with the reason) when nothing could be painted.
std::shared_ptr<host::Image> renderComponent(const std::shared_ptr<host::Component>& component, int width, int height,
                                             std::string* error = nullptr);

// Lays out component as renderComponent does and paints it onto one SVG or PDF page of
// width x height; bytes receive the document.
bool renderDocument(const std::shared_ptr<host::Component>& component, int width, int height,
                    host::VectorDocument::Format format, std::string& bytes, std::string* error = nullptr);

// Writes component's picture to path: SVG or PDF (drawn as vectors, text as text) when
// the name ends in ".svg" or ".pdf", else renderComponent then the PNG or GIF file.
bool savePicture(const std::shared_ptr<host::Component>& component, int width, int height, const std::string& path,
                 std::string* error = nullptr);

// True when the name ends in ".gif", in any case.
bool isGifName(const std::string& path);

}  // namespace norvex::image
