#include "image/PictureFile.h"

#include <cctype>
#include <fstream>
#include <optional>
#include <sstream>

#include "host/graphics/VectorGraphics.h"
#include "host/ui/Toolkit.h"
#include "host/ui/Window.h"
#include "image/GifConverter.h"
#include "image/PaletteReducer.h"

namespace norvex::image {

namespace {

bool fail(std::string* error, const std::string& why) {
    if (error) *error = why;
    return false;
}

}  // namespace

bool isGifName(const std::string& path) {
    if (path.size() < 4) return false;
    std::string tail = path.substr(path.size() - 4);
    for (auto& c : tail) c = char(std::tolower(static_cast<unsigned char>(c)));
    return tail == ".gif";
}

bool encodePicture(const host::Image& picture, bool gif, std::string& bytes, std::string* error,
                   size_t* colorsBefore) {
    if (!gif) return picture.encodePNG(bytes, error);
    size_t colors = 0;
    auto reduced = reducePalette(picture, 255, &colors);
    if (!reduced) return fail(error, "the picture has no pixels");
    if (colorsBefore) *colorsBefore = colors;
    std::ostringstream encoded;
    if (!GifConverter::writeGif(colors > 255 ? *reduced : picture, encoded, error)) return false;
    bytes = encoded.str();
    return true;
}

bool savePicture(const host::Image& picture, const std::string& path, std::string* error) {
    std::string bytes;
    if (!encodePicture(picture, isGifName(path), bytes, error)) return false;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    out.close();
    if (!out) return fail(error, "cannot write " + path);
    return true;
}

namespace {

// Shows component alone in a headless frame of width x height, runs paint on the laid-out
// frame, then takes the component out again.
template <class Paint>
void withFrame(const std::shared_ptr<host::Component>& component, int width, int height, Paint&& paint) {
    auto frame = host::create<host::Frame>();
    frame->reshape(0, 0, width, height);
    frame->add(component, host::Value("Center"));
    frame->addNotify();
    frame->validate();
    frame->setVisible(true);
    // Work the component posted while being shown runs before the picture is taken.
    host::Toolkit::getDefaultToolkit().getSystemEventQueue().waitUntilIdle();
    frame->validate();
    paint(*frame);
    frame->remove(component.get());
    frame->dispose();
}

// "svg" or "pdf" when the name ends so (any case).
std::optional<host::VectorDocument::Format> vectorFormatOf(const std::string& path) {
    auto dot = path.rfind('.');
    if (dot == std::string::npos) return std::nullopt;
    return host::VectorDocument::formatNamed(std::string_view(path).substr(dot + 1));
}

}  // namespace

std::shared_ptr<host::Image> renderComponent(const std::shared_ptr<host::Component>& component, int width, int height,
                                             std::string* error) {
    if (!component) {
        fail(error, "no component to render");
        return nullptr;
    }
    std::shared_ptr<host::Image> buffer;
    withFrame(component, width, height, [&](host::Frame& frame) {
        frame.paintTree();
        buffer = frame.getBuffer();
    });
    if (!buffer || !buffer->isComplete()) {
        fail(error, "the component painted no picture");
        return nullptr;
    }
    return buffer;
}

bool renderDocument(const std::shared_ptr<host::Component>& component, int width, int height,
                    host::VectorDocument::Format format, std::string& bytes, std::string* error) {
    if (!component) return fail(error, "no component to render");
    host::VectorDocument doc(format, width, height);
    withFrame(component, width, height, [&](host::Frame& frame) {
        if (auto g = doc.graphics()) {
            frame.paintTreeTo(*g);
            g->dispose();
        }
    });
    return doc.finish(bytes, error);
}

bool savePicture(const std::shared_ptr<host::Component>& component, int width, int height, const std::string& path,
                 std::string* error) {
    if (auto format = vectorFormatOf(path)) {
        std::string bytes;
        if (!renderDocument(component, width, height, *format, bytes, error)) return false;
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), std::streamsize(bytes.size()));
        out.close();
        if (!out) return fail(error, "cannot write " + path);
        return true;
    }
    auto picture = renderComponent(component, width, height, error);
    return picture && savePicture(*picture, path, error);
}

}  // namespace norvex::image
