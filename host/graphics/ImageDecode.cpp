// Decoding PNG, GIF and JPEG data into images. Every decoder reports failures as a
// failed image with a reason; none of them may abort or crash on damaged data.
#include <algorithm>
#include <csetjmp>
#include <cstdio>

#include <gif_lib.h>
#include <jerror.h>
#include <jpeglib.h>
#include <png.h>

#include <cstring>
#include <string>
#include <vector>

#include "host/graphics/Image.h"
#include "host/runtime/URL.h"

namespace host {

namespace {

// Larger images are refused: they are either damaged headers or would exhaust memory.
constexpr uint32_t kMaxSide = 16384;
constexpr uint64_t kMaxPixels = uint64_t(64) << 20;

// The decoded picture, or the reason it could not be decoded.
struct Decoded {
    int width = 0, height = 0;
    std::vector<uint32_t> argb;
    std::string error;
};

std::string checkSize(uint64_t w, uint64_t h) {
    if (w == 0 || h == 0) return "image has no pixels (" + std::to_string(w) + " x " + std::to_string(h) + ")";
    if (w > kMaxSide || h > kMaxSide || w * h > kMaxPixels)
        return "image too large (" + std::to_string(w) + " x " + std::to_string(h) + ")";
    return {};
}

// ---- PNG ------------------------------------------------------------------------------------

struct PngReader {
    const std::string* bytes;
    size_t pos;
    char message[200];
};

void pngError(png_structp png, png_const_charp msg) {
    auto* r = static_cast<PngReader*>(png_get_error_ptr(png));
    std::snprintf(r->message, sizeof r->message, "%s", msg ? msg : "corrupt data");
    png_longjmp(png, 1);
}

void pngWarning(png_structp, png_const_charp) {}

void pngRead(png_structp png, png_bytep out, png_size_t n) {
    auto* r = static_cast<PngReader*>(png_get_io_ptr(png));
    if (n > r->bytes->size() - r->pos) png_error(png, "truncated data");
    std::memcpy(out, r->bytes->data() + r->pos, n);
    r->pos += n;
}

// Buffers that libpng fills; they live in the caller's frame so that a longjmp out of
// libpng leaves no local object with a destructor half-way through its life.
struct PngBuffers {
    std::vector<png_bytep> rows;
    std::vector<uint8_t> rgba;
};

void decodePng(const std::string& bytes, Decoded& d, PngBuffers& buf) {
    PngReader reader{&bytes, 0, {0}};
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &reader, pngError, pngWarning);
    if (!png) {
        d.error = "out of memory";
        return;
    }
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        d.error = "out of memory";
        return;
    }
    std::vector<png_bytep>& rows = buf.rows;
    std::vector<uint8_t>& rgba = buf.rgba;
    if (setjmp(png_jmpbuf(png))) {
        d.error = reader.message;
        png_destroy_read_struct(&png, &info, nullptr);
        return;
    }
    png_set_read_fn(png, &reader, pngRead);
    png_set_user_limits(png, kMaxSide, kMaxSide);
    png_read_info(png, info);
    png_uint_32 w = png_get_image_width(png, info), h = png_get_image_height(png, info);
    d.error = checkSize(w, h);
    if (!d.error.empty()) {
        png_destroy_read_struct(&png, &info, nullptr);
        return;
    }
    int colorType = png_get_color_type(png, info);
    int depth = png_get_bit_depth(png, info);
    // Everything becomes 8-bit RGBA.
    if (colorType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
    if (colorType == PNG_COLOR_TYPE_GRAY && depth < 8) png_set_expand_gray_1_2_4_to_8(png);
    if (png_get_valid(png, info, PNG_INFO_tRNS)) png_set_tRNS_to_alpha(png);
    if (depth == 16) png_set_strip_16(png);
    if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(png);
    if (!(colorType & PNG_COLOR_MASK_ALPHA)) png_set_filler(png, 0xff, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != size_t(w) * 4) png_error(png, "unsupported pixel format");
    rgba.resize(size_t(w) * h * 4);
    rows.resize(h);
    for (png_uint_32 y = 0; y < h; ++y) rows[y] = rgba.data() + size_t(y) * w * 4;
    png_read_image(png, rows.data());
    png_destroy_read_struct(&png, &info, nullptr);  // the end chunks are not needed
    d.width = int(w);
    d.height = int(h);
    d.argb.resize(size_t(w) * h);
    for (size_t i = 0; i < d.argb.size(); ++i) {
        const uint8_t* p = &rgba[i * 4];
        d.argb[i] = uint32_t(p[3]) << 24 | uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
    }
}

// ---- GIF ------------------------------------------------------------------------------------

struct GifSource {
    const std::string* bytes;
    size_t pos;
};

int gifRead(GifFileType* gif, GifByteType* out, int n) {
    auto* src = static_cast<GifSource*>(gif->UserData);
    if (n <= 0) return 0;
    size_t take = std::min(size_t(n), src->bytes->size() - src->pos);
    std::memcpy(out, src->bytes->data() + src->pos, take);
    src->pos += take;
    return int(take);
}

std::string gifError(int code) {
    const char* s = GifErrorString(code);
    return s ? s : "corrupt data";
}

// Reads records up to the first image only, so frames after it are never allocated.
void decodeGif(const std::string& bytes, Decoded& d) {
    GifSource src{&bytes, 0};
    int err = 0;
    GifFileType* gif = DGifOpen(&src, gifRead, &err);
    if (!gif) {
        d.error = gifError(err);
        return;
    }
    struct Closer {
        GifFileType* g;
        ~Closer() {
            int e = 0;
            DGifCloseFile(g, &e);
        }
    } closer{gif};

    int transparent = -1;
    for (;;) {
        GifRecordType type;
        if (DGifGetRecordType(gif, &type) == GIF_ERROR) {
            d.error = gifError(gif->Error);
            return;
        }
        if (type == TERMINATE_RECORD_TYPE) {
            d.error = "no image in file";
            return;
        }
        if (type == EXTENSION_RECORD_TYPE) {
            int code = 0;
            GifByteType* ext = nullptr;
            if (DGifGetExtension(gif, &code, &ext) == GIF_ERROR) {
                d.error = gifError(gif->Error);
                return;
            }
            if (code == GRAPHICS_EXT_FUNC_CODE && ext && ext[0] >= 4)
                transparent = (ext[1] & 1) ? ext[4] : -1;
            while (ext) {
                if (DGifGetExtensionNext(gif, &ext) == GIF_ERROR) {
                    d.error = gifError(gif->Error);
                    return;
                }
            }
            continue;
        }
        if (type != IMAGE_DESC_RECORD_TYPE) continue;
        if (DGifGetImageDesc(gif) == GIF_ERROR) {
            d.error = gifError(gif->Error);
            return;
        }
        const GifImageDesc& desc = gif->Image;
        // Frames placed partly outside a too-small logical screen grow it, as viewers do.
        int64_t screenW = std::max<int64_t>(gif->SWidth, int64_t(desc.Left) + desc.Width);
        int64_t screenH = std::max<int64_t>(gif->SHeight, int64_t(desc.Top) + desc.Height);
        std::string sizeError = checkSize(uint64_t(screenW), uint64_t(screenH));
        if (sizeError.empty()) sizeError = desc.Width > 0 && desc.Height > 0 ? "" : "image frame has no pixels";
        if (!sizeError.empty()) {
            d.error = sizeError;
            return;
        }
        const ColorMapObject* map = desc.ColorMap ? desc.ColorMap : gif->SColorMap;
        if (!map || !map->Colors || map->ColorCount <= 0) {
            d.error = "no colour map";
            return;
        }
        std::vector<GifPixelType> raster(size_t(desc.Width) * desc.Height);
        auto readRow = [&](int y) { return DGifGetLine(gif, raster.data() + size_t(y) * desc.Width, desc.Width); };
        if (desc.Interlace) {
            static const int start[] = {0, 4, 2, 1}, step[] = {8, 8, 4, 2};
            for (int pass = 0; pass < 4; ++pass)
                for (int y = start[pass]; y < desc.Height; y += step[pass])
                    if (readRow(y) == GIF_ERROR) {
                        d.error = gifError(gif->Error);
                        return;
                    }
        } else {
            for (int y = 0; y < desc.Height; ++y)
                if (readRow(y) == GIF_ERROR) {
                    d.error = gifError(gif->Error);
                    return;
                }
        }
        d.width = int(screenW);
        d.height = int(screenH);
        d.argb.assign(size_t(screenW) * screenH, 0);  // uncovered screen stays transparent
        for (int y = 0; y < desc.Height; ++y) {
            for (int x = 0; x < desc.Width; ++x) {
                int index = raster[size_t(y) * desc.Width + x];
                uint32_t argb = 0;
                if (index != transparent) {
                    if (index < map->ColorCount) {
                        const GifColorType& c = map->Colors[index];
                        argb = 0xff000000u | uint32_t(c.Red) << 16 | uint32_t(c.Green) << 8 | c.Blue;
                    } else {
                        argb = 0xff000000u;  // an index past the map shows black
                    }
                }
                d.argb[size_t(desc.Top + y) * size_t(screenW) + size_t(desc.Left + x)] = argb;
            }
        }
        return;
    }
}

// ---- JPEG -----------------------------------------------------------------------------------

struct JpegError {
    jpeg_error_mgr mgr;
    jmp_buf jump;
    bool truncated;
    char message[JMSG_LENGTH_MAX];
};

void jpegFail(j_common_ptr cinfo) {
    auto* e = reinterpret_cast<JpegError*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, e->message);
    longjmp(e->jump, 1);
}

void jpegMessage(j_common_ptr cinfo, int level) {
    // Warnings are ignored except running out of data, which means the file is truncated.
    if (level < 0 && cinfo->err->msg_code == JWRN_JPEG_EOF) reinterpret_cast<JpegError*>(cinfo->err)->truncated = true;
}

// row lives in the caller's frame for the same reason as PngBuffers.
void decodeJpeg(const std::string& bytes, Decoded& d, std::vector<uint8_t>& row) {
    jpeg_decompress_struct cinfo;
    JpegError err;
    std::memset(&cinfo, 0, sizeof cinfo);
    cinfo.err = jpeg_std_error(&err.mgr);
    err.mgr.error_exit = jpegFail;
    err.mgr.emit_message = jpegMessage;
    err.truncated = false;
    err.message[0] = 0;
    if (setjmp(err.jump)) {
        d.error = err.message;
        d.argb.clear();
        jpeg_destroy_decompress(&cinfo);
        return;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&cinfo, TRUE);
    d.error = checkSize(cinfo.image_width, cinfo.image_height);
    if (!d.error.empty()) {
        jpeg_destroy_decompress(&cinfo);
        return;
    }
    bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_start_decompress(&cinfo);
    int comps = cinfo.output_components;
    if (comps != (cmyk ? 4 : 3)) {
        std::snprintf(err.message, sizeof err.message, "unsupported colour layout");
        longjmp(err.jump, 1);
    }
    uint32_t w = cinfo.output_width, h = cinfo.output_height;
    d.argb.resize(size_t(w) * h);
    row.resize(size_t(w) * comps);
    // Adobe writes CMYK inverted (0 = full ink).
    bool inverted = cmyk && cinfo.saw_Adobe_marker;
    while (cinfo.output_scanline < h) {
        JSAMPROW rp = row.data();
        uint32_t y = cinfo.output_scanline;
        if (jpeg_read_scanlines(&cinfo, &rp, 1) != 1) break;
        uint32_t* out = d.argb.data() + size_t(y) * w;
        for (uint32_t x = 0; x < w; ++x) {
            const uint8_t* p = &row[size_t(x) * comps];
            uint32_t r, g, b;
            if (cmyk) {
                uint32_t c = p[0], m = p[1], yy = p[2], k = p[3];
                if (!inverted) c = 255 - c, m = 255 - m, yy = 255 - yy, k = 255 - k;
                r = c * k / 255;
                g = m * k / 255;
                b = yy * k / 255;
            } else {
                r = p[0], g = p[1], b = p[2];
            }
            out[x] = 0xff000000u | r << 16 | g << 8 | b;
        }
    }
    if (err.truncated) {
        std::snprintf(err.message, sizeof err.message, "truncated data");
        longjmp(err.jump, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    d.width = int(w);
    d.height = int(h);
}

std::string failure(const std::string& name, const std::string& reason) {
    return "Error loading image " + name + ": " + reason;
}

}  // namespace

std::shared_ptr<Image> Image::decode(const std::string& bytes, const std::string& nameForErrors) {
    Decoded d;
    auto starts = [&bytes](const char* sig, size_t n) { return bytes.size() >= n && std::memcmp(bytes.data(), sig, n) == 0; };
    if (starts("\x89PNG\r\n\x1a\n", 8)) {
        PngBuffers buf;
        decodePng(bytes, d, buf);
    } else if (starts("GIF87a", 6) || starts("GIF89a", 6)) {
        decodeGif(bytes, d);
    } else if (starts("\xff\xd8", 2)) {
        std::vector<uint8_t> row;
        decodeJpeg(bytes, d, row);
    } else {
        return failed(failure(nameForErrors, bytes.empty() ? "empty file" : "not a PNG, GIF or JPEG image"));
    }
    if (!d.error.empty()) return failed(failure(nameForErrors, d.error));
    if (d.width <= 0 || d.height <= 0 || d.argb.size() != size_t(d.width) * size_t(d.height))
        return failed(failure(nameForErrors, "corrupt data"));
    return fromARGB(d.width, d.height, d.argb.data(), 0, d.width);
}

std::shared_ptr<Image> Image::load(const std::string& path) {
    std::string data;
    try {
        data = URL::readFile(path);
    } catch (const IOException& e) {
        return failed(failure(path, e.what()));
    }
    return decode(data, path);
}

}  // namespace host
