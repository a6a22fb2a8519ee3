// Turns character pixel maps into images: each character of a row selects a colour
// through a 256-entry map (32-bit ARGB; 0, fully transparent, for characters without
// a colour). Used for small built-in pictures such as arrows, stipples and indicators.
// Every operation holds the creator's lock.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/base/Color.h"
#include "host/runtime/Object.h"

namespace host {
class Component;
class Image;
}  // namespace host

namespace norvex::util {

class NxImageCreator : public host::Object {
    HOST_OBJECT(NxImageCreator, "norvex.util.NxImageCreator", host::Object)
public:
    explicit NxImageCreator(host::Component* comp);
    NxImageCreator(host::Component* comp, int w, int h);

    // The ARGB colour of character ch.
    void setColor(char ch, int32_t rgb);
    void setColor(char ch, const host::Color& c);
    // A new transparent pixel array when the size changes (none for 0 x 0).
    void setSize(int w, int h);
    // A new transparent pixel array of the current size; the row cursor goes to 0.
    void clear();
    // Row row from the characters of s; a string whose length is not the width, or a
    // row outside the image, is ignored.
    void setPixels(int row, const std::string& s);
    // The row at the cursor, which then advances.
    void setPixels(const std::string& s);
    // Rows in order, at most the height of them.
    void setPixels(const std::vector<std::string>& rows);
    // The image of the pixels, loaded; null when there are no pixels or loading fails.
    std::shared_ptr<host::Image> create();
    std::shared_ptr<host::Image> create(const std::vector<std::string>& rows);

    int getWidth() const { return width; }
    int getHeight() const { return height; }
    // The ARGB pixel at (x, y); 0 outside.
    uint32_t getPixel(int x, int y) const;

private:
    int row = 0;
    int width = 0;
    int height = 0;
    uint32_t map[256] = {};
    std::vector<uint32_t> pixels;
    host::Component* comp;  // non-owning
};

using NxImageCreatorPtr = std::shared_ptr<NxImageCreator>;

}  // namespace norvex::util
