// The font engine behind Font and FontMetrics: logical names resolved to installed
// font files through an explicit family table, faces opened with our own FreeType
// library, and the Cairo scaled fonts the raster graphics draws with.
//
// Rules fixed in code so that metrics and pixels are the same on every run:
// - Logical names (case-insensitive): Helvetica, SansSerif, Dialog, Arial -> Liberation
//   Sans, Arimo, DejaVu Sans; TimesRoman, Serif -> Liberation Serif, Tinos, DejaVu Serif;
//   Courier, Monospaced, DialogInput -> Liberation Mono, Cousine, DejaVu Sans Mono. Any
//   other name is tried as a family name, then DejaVu Sans. Fontconfig only finds the file.
// - 1 pt = 1 px. Sizes below 1 are drawn at 1, sizes above kMaxFontSize at kMaxFontSize.
// - Mono rendering (the default): no antialiasing, native TrueType hinting, hinted
//   metrics. Antialiased rendering: grey antialiasing, slight hinting, hinted metrics.
// - Ascent, descent and leading come from the hhea table in design units:
//   ascent = ceil(asc*px/upem), descent = ceil(-desc*px/upem),
//   leading = max(0, round((asc-desc+gap)*px/upem) - ascent - descent).
// - Advances are the hinted mono advances, summed without kerning; text is drawn at
//   exactly these positions in both modes, so measured width == drawn width.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "host/base/Font.h"

typedef struct _cairo_scaled_font cairo_scaled_font_t;
typedef struct _cairo_font_face cairo_font_face_t;

namespace host {

inline constexpr int kMaxFontSize = 2048;

// Decodes UTF-8; each invalid or truncated sequence becomes one U+FFFD.
std::u32string decodeUtf8(std::string_view utf8);
// The same text with every invalid sequence replaced by U+FFFD (always valid UTF-8).
std::string sanitizeUtf8(std::string_view utf8);
void appendUtf8(std::string& out, char32_t c);

struct FontFace {
    struct Glyph {
        unsigned long index = 0;  // glyph index in the face (0 = missing glyph box)
        int advance = 0;          // hinted advance in pixels
    };

    Font font;             // as requested
    int pixelSize = 12;    // after clamping
    std::string file;      // the font file ("" when no font could be found at all)
    int faceIndex = 0;
    std::string family;    // family name of the face that was opened
    bool syntheticBold = false, syntheticItalic = false;

    int ascent = 0, descent = 0, leading = 0, maxAdvance = 0;

    // Null only when no font file could be opened (then nothing is drawn).
    cairo_scaled_font_t* mono = nullptr;
    cairo_scaled_font_t* antialiased = nullptr;

    FontFace() = default;
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;
    ~FontFace();

    // Glyph of a code point (U+FFFD for surrogates and values above U+10FFFF).
    Glyph glyph(char32_t c) const;
    // Sum of the advances of the decoded text.
    int width(std::u32string_view text) const;

    // The face for a font, from the process-wide cache.
    static std::shared_ptr<const FontFace> get(const Font& font);

private:
    friend struct FontFaceBuilder;
    Glyph lookup(char32_t c) const;
    Glyph latin1_[256];
    mutable std::mutex mutex_;
    mutable std::unordered_map<char32_t, Glyph> others_;
};

}  // namespace host
