// An image together with the file name it was loaded from, so that markup that
// names an image can be written back with the same name.
#pragma once

#include <memory>
#include <string>

#include "host/graphics/Image.h"
#include "host/runtime/Object.h"

namespace norvex::util {

class NxImage : public host::Object {
    HOST_OBJECT(NxImage, "norvex.util.NxImage", host::Object)
public:
    NxImage(std::shared_ptr<host::Image> image, std::string file) : image(std::move(image)), file(std::move(file)) {}

    const std::shared_ptr<host::Image>& getImage() const { return image; }
    const std::string& getFile() const { return file; }

    std::string toString() const override { return file; }

private:
    std::shared_ptr<host::Image> image;
    std::string file;
};

using NxImagePtr = std::shared_ptr<NxImage>;

}  // namespace norvex::util
