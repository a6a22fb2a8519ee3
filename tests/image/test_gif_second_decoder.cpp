// A second, independent decoder reads our GIFs: Python's imaging library (Debian
// python3-pil) must see exactly the colours we encoded. Skips where it is missing.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

#include "host/graphics/Image.h"
#include "image/GifConverter.h"

namespace {

const char* kPython = "/usr/bin/python3";

bool haveDecoder() {
    std::string cmd = std::string(kPython) + " -c 'import PIL.Image' 2>/dev/null";
    return std::filesystem::exists(kPython) && std::system(cmd.c_str()) == 0;
}

// Runs the decoder on the file and returns its pixels as 0xRRGGBB, row-major.
std::vector<uint32_t> decodeWithPil(const std::string& path, int& w, int& h) {
    std::string cmd = std::string(kPython) +
                      " -c 'import sys; from PIL import Image; im = Image.open(sys.argv[1]); "
                      "print(im.format, im.size[0], im.size[1]); sys.stdout.write(im.convert(\"RGB\").tobytes().hex())' " +
                      path;
    FILE* p = popen(cmd.c_str(), "r");
    std::vector<uint32_t> out;
    if (!p) return out;
    char format[16] = {0};
    if (std::fscanf(p, "%15s %d %d\n", format, &w, &h) != 3 || std::string(format) != "GIF") {
        pclose(p);
        return out;
    }
    std::string hex;
    char buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) hex.append(buf, n);
    pclose(p);
    for (size_t i = 0; i + 6 <= hex.size(); i += 6) out.push_back(uint32_t(std::stoul(hex.substr(i, 6), nullptr, 16)));
    return out;
}

void expectReadBack(const std::vector<uint32_t>& argb, int w, int h, const std::string& what) {
    auto img = host::Image::fromARGB(w, h, argb.data(), 0, w);
    auto path = (std::filesystem::temp_directory_path() / ("gif2nd-" + std::to_string(getpid()) + ".gif")).string();
    {
        std::ofstream f(path, std::ios::binary);
        std::string err;
        ASSERT_TRUE(norvex::image::GifConverter::writeGif(*img, f, &err)) << what << ": " << err;
    }
    int dw = 0, dh = 0;
    auto got = decodeWithPil(path, dw, dh);
    std::filesystem::remove(path);
    ASSERT_EQ(dw, w) << what;
    ASSERT_EQ(dh, h) << what;
    ASSERT_EQ(got.size(), argb.size()) << what;
    size_t bad = 0;
    for (size_t i = 0; i < argb.size(); ++i)
        if (got[i] != (argb[i] & 0xffffff)) ++bad;
    EXPECT_EQ(bad, 0u) << what << ": pixels that read back differently";
}

}  // namespace

TEST(GifSecondDecoder, ReadsWhatWeWrite) {
    if (!haveDecoder()) GTEST_SKIP() << "python3 with PIL is not installed";
    expectReadBack({0xff123456u}, 1, 1, "1 x 1");

    std::vector<uint32_t> gradient(255 * 3);
    for (int i = 0; i < 255 * 3; ++i) gradient[i] = 0xff000000u | uint32_t((i % 255) * 0x010101);
    expectReadBack(gradient, 255, 3, "255-colour gradient");

    std::mt19937 rng(7);
    std::vector<uint32_t> noisy(300 * 200);
    for (auto& p : noisy) p = (rng() & 1) ? 0xffffffffu : 0xff000080u;
    expectReadBack(noisy, 300, 200, "noisy two colours");

    // Enough distinct runs to fill the code table several times.
    std::vector<uint32_t> busy(512 * 512);
    for (int i = 0; i < 512 * 512; ++i) busy[i] = 0xff000000u | uint32_t((rng() % 200) * 0x010305 & 0xffffff);
    expectReadBack(busy, 512, 512, "code table refills");
}
