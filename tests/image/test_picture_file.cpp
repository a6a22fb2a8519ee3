// A component built in code, saved as PNG and GIF: both decode to what it painted.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "host/graphics/Graphics.h"
#include "image/PictureFile.h"

namespace fs = std::filesystem;

namespace {

// Two flat halves and a smooth ramp along the bottom rows (many colours).
class Swatch : public host::Component {
public:
    bool ramp = false;
    void paint(host::Graphics& g) override {
        g.setColor(host::Color(200, 30, 40));
        g.fillRect(0, 0, getWidth() / 2, getHeight());
        g.setColor(host::Color(20, 90, 220));
        g.fillRect(getWidth() / 2, 0, getWidth() - getWidth() / 2, getHeight());
        if (!ramp) return;
        for (int x = 0; x < getWidth(); ++x)
            for (int y = getHeight() - 10; y < getHeight(); ++y) {
                g.setColor(host::Color(x % 256, (x * 7) % 256, (y * 13) % 256));
                g.fillRect(x, y, 1, 1);
            }
    }
};

std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

struct TempDir {
    fs::path path = fs::temp_directory_path() / ("picture-file-" + std::to_string(::getpid()));
    TempDir() { fs::create_directories(path); }
    ~TempDir() { fs::remove_all(path); }
};

}  // namespace

TEST(PictureFile, SavesAComponentAsPngAndExactGif) {
    TempDir dir;
    auto swatch = host::create<Swatch>();
    std::string error;
    ASSERT_TRUE(norvex::image::savePicture(swatch, 40, 20, (dir.path / "s.png").string(), &error)) << error;
    ASSERT_TRUE(norvex::image::savePicture(swatch, 40, 20, (dir.path / "s.GIF").string(), &error)) << error;
    auto png = host::Image::decode(slurp(dir.path / "s.png"), "s.png");
    auto gif = host::Image::decode(slurp(dir.path / "s.GIF"), "s.GIF");
    ASSERT_TRUE(png->isComplete() && gif->isComplete());
    EXPECT_EQ(slurp(dir.path / "s.GIF").substr(0, 3), "GIF");
    EXPECT_EQ(png->getWidth(), 40);
    EXPECT_EQ(png->getHeight(), 20);
    EXPECT_EQ(png->getPixel(5, 5) & 0xffffff, 0xc81e28u);
    EXPECT_EQ(png->getPixel(35, 5) & 0xffffff, 0x145adcu);
    EXPECT_EQ(gif->getARGB(), png->getARGB());
}

TEST(PictureFile, ManyColoursAreReducedForGifAndReported) {
    auto swatch = host::create<Swatch>();
    swatch->ramp = true;
    std::string error;
    auto picture = norvex::image::renderComponent(swatch, 300, 30, &error);
    ASSERT_TRUE(picture) << error;
    std::string bytes;
    size_t colors = 0;
    ASSERT_TRUE(norvex::image::encodePicture(*picture, true, bytes, &error, &colors)) << error;
    EXPECT_GT(colors, 255u);
    auto gif = host::Image::decode(bytes, "ramp.gif");
    ASSERT_TRUE(gif->isComplete());
    // The flat areas, most of the pixels, stay close to their colour.
    auto near = [](uint32_t a, uint32_t b) {
        for (int s = 0; s < 24; s += 8)
            if (std::abs(int((a >> s) & 0xff) - int((b >> s) & 0xff)) > 6) return false;
        return true;
    };
    EXPECT_TRUE(near(gif->getPixel(5, 5), 0xc81e28u)) << std::hex << gif->getPixel(5, 5);
    EXPECT_TRUE(near(gif->getPixel(295, 5), 0x145adcu)) << std::hex << gif->getPixel(295, 5);
    EXPECT_FALSE(norvex::image::renderComponent(nullptr, 10, 10, &error));
    EXPECT_EQ(error, "no component to render");
}

TEST(PictureFile, SavesAComponentAsSvgAndPdfDocumentsOfItsSize) {
    TempDir dir;
    auto swatch = host::create<Swatch>();
    std::string error;
    ASSERT_TRUE(norvex::image::savePicture(swatch, 40, 20, (dir.path / "s.svg").string(), &error)) << error;
    ASSERT_TRUE(norvex::image::savePicture(swatch, 40, 20, (dir.path / "s.PDF").string(), &error)) << error;
    const std::string svg = slurp(dir.path / "s.svg");
    EXPECT_NE(svg.find("<svg"), std::string::npos);
    EXPECT_NE(svg.find("width=\"40"), std::string::npos);
    EXPECT_NE(svg.find("height=\"20"), std::string::npos);
    EXPECT_NE(svg.find("</svg>"), std::string::npos);
    EXPECT_EQ(slurp(dir.path / "s.PDF").substr(0, 5), "%PDF-");
    // A name without a vector extension still gives a raster picture.
    ASSERT_TRUE(norvex::image::savePicture(swatch, 40, 20, (dir.path / "s.svg.png").string(), &error)) << error;
    EXPECT_EQ(slurp(dir.path / "s.svg.png").substr(1, 3), "PNG");
}
