#include "host/graphics/FontEngine.h"

#include <cairo-ft.h>
#include <cairo.h>
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_DRIVER_H
#include FT_MODULE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <climits>
#include <cmath>
#include <iostream>
#include <map>
#include <tuple>

namespace host {

// ---- UTF-8 ----------------------------------------------------------------------------

std::u32string decodeUtf8(std::string_view s) {
    std::u32string out;
    out.reserve(s.size());
    const std::size_t n = s.size();
    std::size_t i = 0;
    while (i < n) {
        const unsigned b0 = static_cast<unsigned char>(s[i]);
        if (b0 < 0x80) {
            out.push_back(char32_t(b0));
            ++i;
            continue;
        }
        std::size_t len;
        char32_t cp, min;
        if ((b0 & 0xE0) == 0xC0) {
            len = 2, cp = b0 & 0x1F, min = 0x80;
        } else if ((b0 & 0xF0) == 0xE0) {
            len = 3, cp = b0 & 0x0F, min = 0x800;
        } else if ((b0 & 0xF8) == 0xF0 && b0 <= 0xF4) {
            len = 4, cp = b0 & 0x07, min = 0x10000;
        } else {
            out.push_back(0xFFFD);
            ++i;
            continue;
        }
        std::size_t j = 1;
        for (; j < len; ++j) {
            if (i + j >= n) break;
            const unsigned b = static_cast<unsigned char>(s[i + j]);
            if ((b & 0xC0) != 0x80) break;
            cp = (cp << 6) | (b & 0x3F);
        }
        if (j < len) {  // truncated: the lead byte and its continuation bytes count as one
            out.push_back(0xFFFD);
            i += j;
            continue;
        }
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
        out.push_back(cp);
        i += len;
    }
    return out;
}

void appendUtf8(std::string& out, char32_t c) {
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = 0xFFFD;
    if (c < 0x80) {
        out.push_back(char(c));
    } else if (c < 0x800) {
        out.push_back(char(0xC0 | (c >> 6)));
        out.push_back(char(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(char(0xE0 | (c >> 12)));
        out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(char(0x80 | (c & 0x3F)));
    } else {
        out.push_back(char(0xF0 | (c >> 18)));
        out.push_back(char(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(char(0x80 | (c & 0x3F)));
    }
}

std::string sanitizeUtf8(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (char32_t c : decodeUtf8(utf8)) appendUtf8(out, c);
    return out;
}

// ---- Engine: FreeType library, fontconfig lookups, opened faces -------------------------

namespace {

std::string lower(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return r;
}

struct OpenedFace {
    FT_Face ft = nullptr;
    cairo_font_face_t* cairo = nullptr;
    std::string file, family;
    int index = 0;
    bool realBold = false, realItalic = false;
    // hhea design values
    long upem = 0, asc = 0, desc = 0, gap = 0, maxAdv = 0;
};

struct Resolved {
    std::string file;
    int index = 0;
};

class Engine {
public:
    static Engine& instance() {
        static Engine* e = new Engine();  // lives for the whole process: faces are never closed
        return *e;
    }

    // Face for (logical name, style); null when no font file at all can be opened.
    const OpenedFace* face(const std::string& name, int style) {
        std::lock_guard<std::mutex> lock(mutex_);
        auto key = std::make_pair(lower(name), style & 3);
        auto it = byName_.find(key);
        if (it != byName_.end()) return it->second;
        const OpenedFace* f = nullptr;
        if (lib_) {
            Resolved r = resolve(key.first, style);
            if (!r.file.empty()) f = open(r, style);
        }
        byName_.emplace(key, f);
        return f;
    }

private:
    Engine() {
        if (FT_Init_FreeType(&lib_) != 0) {
            std::cerr << "host: FreeType could not be initialised; text is not drawn" << std::endl;
            lib_ = nullptr;
            return;
        }
        // Pin the TrueType interpreter so FREETYPE_PROPERTIES cannot change the pixels.
        FT_UInt v40 = TT_INTERPRETER_VERSION_40;
        FT_Property_Set(lib_, "truetype", "interpreter-version", &v40);
        FcInit();
    }

    static bool hasFamily(FcPattern* m, const std::string& lowerName) {
        FcChar8* fam = nullptr;
        for (int i = 0; FcPatternGetString(m, FC_FAMILY, i, &fam) == FcResultMatch; ++i)
            if (lower(reinterpret_cast<const char*>(fam)) == lowerName) return true;
        return false;
    }

    // Best file for the family list; when 'require' is set the match must be one of the
    // families (fontconfig otherwise falls back to some default face).
    static Resolved match(const std::vector<std::string>& families, int style, bool require) {
        Resolved r;
        FcPattern* pat = FcPatternCreate();
        if (!pat) return r;
        for (const auto& f : families) FcPatternAddString(pat, FC_FAMILY, reinterpret_cast<const FcChar8*>(f.c_str()));
        FcPatternAddInteger(pat, FC_WEIGHT, (style & Font::BOLD) ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
        FcPatternAddInteger(pat, FC_SLANT, (style & Font::ITALIC) ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
        FcConfigSubstitute(nullptr, pat, FcMatchPattern);
        FcDefaultSubstitute(pat);
        FcResult res = FcResultNoMatch;
        FcPattern* m = FcFontMatch(nullptr, pat, &res);
        FcPatternDestroy(pat);
        if (!m) return r;
        bool ok = !require;
        for (const auto& f : families)
            if (!ok && hasFamily(m, lower(f))) ok = true;
        FcChar8* file = nullptr;
        int index = 0;
        if (ok && FcPatternGetString(m, FC_FILE, 0, &file) == FcResultMatch) {
            r.file = reinterpret_cast<const char*>(file);
            if (FcPatternGetInteger(m, FC_INDEX, 0, &index) == FcResultMatch) r.index = index;
        }
        FcPatternDestroy(m);
        return r;
    }

    static Resolved resolve(const std::string& lname, int style) {
        static const std::vector<std::string> sans{"Liberation Sans", "Arimo", "DejaVu Sans"};
        static const std::vector<std::string> serif{"Liberation Serif", "Tinos", "DejaVu Serif"};
        static const std::vector<std::string> mono{"Liberation Mono", "Cousine", "DejaVu Sans Mono"};
        static const std::map<std::string, const std::vector<std::string>*> logical{
            {"helvetica", &sans}, {"sansserif", &sans},  {"dialog", &sans},    {"arial", &sans},
            {"timesroman", &serif}, {"serif", &serif},   {"courier", &mono},  {"monospaced", &mono},
            {"dialoginput", &mono}};
        Resolved r;
        auto it = logical.find(lname);
        if (it != logical.end()) {
            r = match(*it->second, style, true);
        } else if (!lname.empty()) {
            r = match({lname}, style, true);
        }
        if (r.file.empty()) r = match({"DejaVu Sans"}, style, true);
        if (r.file.empty()) r = match({"sans-serif"}, style, false);  // whatever is installed
        return r;
    }

    const OpenedFace* open(const Resolved& r, int style) {
        const bool wantBold = style & Font::BOLD, wantItalic = style & Font::ITALIC;
        auto key = std::make_tuple(r.file, r.index, wantBold, wantItalic);
        auto it = byFile_.find(key);
        if (it != byFile_.end()) return it->second;
        FT_Face ft = nullptr;
        if (FT_New_Face(lib_, r.file.c_str(), r.index, &ft) != 0 || !ft) {
            std::cerr << "host: cannot open font file " << r.file << std::endl;
            byFile_.emplace(key, nullptr);
            return nullptr;
        }
        auto* f = new OpenedFace();  // kept for the life of the process
        f->ft = ft;
        f->file = r.file;
        f->index = r.index;
        f->family = ft->family_name ? ft->family_name : "";
        f->realBold = (ft->style_flags & FT_STYLE_FLAG_BOLD) != 0;
        f->realItalic = (ft->style_flags & FT_STYLE_FLAG_ITALIC) != 0;
        f->upem = ft->units_per_EM;
        if (auto* hhea = static_cast<TT_HoriHeader*>(FT_Get_Sfnt_Table(ft, FT_SFNT_HHEA))) {
            f->asc = hhea->Ascender;
            f->desc = hhea->Descender;
            f->gap = hhea->Line_Gap;
            f->maxAdv = hhea->advance_Width_Max;
        } else {
            f->asc = ft->ascender;
            f->desc = ft->descender;
            f->gap = std::max<long>(0, ft->height - (ft->ascender - ft->descender));
            f->maxAdv = ft->max_advance_width;
        }
        f->cairo = cairo_ft_font_face_create_for_ft_face(ft, 0);
        unsigned synth = 0;
        if (wantBold && !f->realBold) synth |= CAIRO_FT_SYNTHESIZE_BOLD;
        if (wantItalic && !f->realItalic) synth |= CAIRO_FT_SYNTHESIZE_OBLIQUE;
        if (synth) cairo_ft_font_face_set_synthesize(f->cairo, synth);
        if (cairo_font_face_status(f->cairo) != CAIRO_STATUS_SUCCESS) {
            std::cerr << "host: cannot use font file " << r.file << std::endl;
            f->cairo = nullptr;
        }
        byFile_.emplace(key, f);
        return f;
    }

    std::mutex mutex_;
    FT_Library lib_ = nullptr;
    std::map<std::pair<std::string, int>, const OpenedFace*> byName_;
    std::map<std::tuple<std::string, int, bool, bool>, const OpenedFace*> byFile_;
};

cairo_scaled_font_t* makeScaled(cairo_font_face_t* face, int px, bool aa) {
    cairo_matrix_t fm, ctm;
    cairo_matrix_init_scale(&fm, px, px);
    cairo_matrix_init_identity(&ctm);
    cairo_font_options_t* o = cairo_font_options_create();
    cairo_font_options_set_antialias(o, aa ? CAIRO_ANTIALIAS_GRAY : CAIRO_ANTIALIAS_NONE);
    cairo_font_options_set_hint_style(o, aa ? CAIRO_HINT_STYLE_SLIGHT : CAIRO_HINT_STYLE_FULL);
    cairo_font_options_set_hint_metrics(o, CAIRO_HINT_METRICS_ON);
    cairo_font_options_set_subpixel_order(o, CAIRO_SUBPIXEL_ORDER_DEFAULT);
    cairo_scaled_font_t* sf = cairo_scaled_font_create(face, &fm, &ctm, o);
    cairo_font_options_destroy(o);
    if (cairo_scaled_font_status(sf) != CAIRO_STATUS_SUCCESS) {
        cairo_scaled_font_destroy(sf);
        return nullptr;
    }
    return sf;
}

long ceilDiv(long long a, long long b) { return long(a >= 0 ? (a + b - 1) / b : -((-a) / b)); }

}  // namespace

// The one place that fills a FontFace (FontFace's private parts are its friend's).
struct FontFaceBuilder {
    static std::shared_ptr<FontFace> build(const Font& font) {
        auto ff = std::make_shared<FontFace>();
        ff->font = font;
        const int px = std::clamp(font.getSize(), 1, kMaxFontSize);
        ff->pixelSize = px;
        const OpenedFace* of = Engine::instance().face(font.getName(), font.getStyle());
        if (of && of->cairo) {
            ff->mono = makeScaled(of->cairo, px, false);
            ff->antialiased = makeScaled(of->cairo, px, true);
        }
        if (!ff->mono || !ff->antialiased || of->upem <= 0) {
            // No usable font: plausible metrics, no glyphs.
            if (ff->mono) cairo_scaled_font_destroy(ff->mono);
            if (ff->antialiased) cairo_scaled_font_destroy(ff->antialiased);
            ff->mono = ff->antialiased = nullptr;
            ff->ascent = (px * 4 + 4) / 5;
            ff->descent = (px + 4) / 5;
            ff->maxAdvance = px;
            for (int c = 0; c < 256; ++c) ff->latin1_[c] = {0, (px + 1) / 2};
            return ff;
        }
        ff->file = of->file;
        ff->faceIndex = of->index;
        ff->family = of->family;
        ff->syntheticBold = (font.getStyle() & Font::BOLD) && !of->realBold;
        ff->syntheticItalic = (font.getStyle() & Font::ITALIC) && !of->realItalic;
        const long long upem = of->upem;
        ff->ascent = int(std::max(0L, ceilDiv((long long)of->asc * px, upem)));
        ff->descent = int(std::max(0L, ceilDiv(-(long long)of->desc * px, upem)));
        const long long h = (long long)(of->asc - of->desc + of->gap) * px;
        const long long hRounded = h >= 0 ? (2 * h + upem) / (2 * upem) : 0;
        ff->leading = int(std::max(0LL, hRounded - ff->ascent - ff->descent));
        ff->maxAdvance = int(std::max(0L, ceilDiv((long long)of->maxAdv * px, upem)));

        FT_Face locked = cairo_ft_scaled_font_lock_face(ff->mono);
        unsigned long idx[256] = {};
        if (locked)
            for (int c = 0; c < 256; ++c) idx[c] = FT_Get_Char_Index(locked, FT_ULong(c));
        cairo_ft_scaled_font_unlock_face(ff->mono);
        for (int c = 0; c < 256; ++c) ff->latin1_[c] = {idx[c], advanceOf(ff->mono, idx[c])};
        return ff;
    }

    static int advanceOf(cairo_scaled_font_t* sf, unsigned long index) {
        cairo_glyph_t g{index, 0, 0};
        cairo_text_extents_t e{};
        cairo_scaled_font_glyph_extents(sf, &g, 1, &e);
        if (!std::isfinite(e.x_advance)) return 0;
        return int(std::lround(e.x_advance));
    }
};

FontFace::~FontFace() {
    if (mono) cairo_scaled_font_destroy(mono);
    if (antialiased) cairo_scaled_font_destroy(antialiased);
}

FontFace::Glyph FontFace::glyph(char32_t c) const {
    if (c < 256) return latin1_[c];
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = 0xFFFD;
    return lookup(c);
}

FontFace::Glyph FontFace::lookup(char32_t c) const {
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = others_.find(c);
    if (it != others_.end()) return it->second;
    Glyph g{0, latin1_[0].advance};
    if (mono) {
        FT_Face f = cairo_ft_scaled_font_lock_face(mono);
        g.index = f ? FT_Get_Char_Index(f, FT_ULong(c)) : 0;
        cairo_ft_scaled_font_unlock_face(mono);
        g.advance = FontFaceBuilder::advanceOf(mono, g.index);
    }
    if (others_.size() < 65536) others_.emplace(c, g);
    return g;
}

int FontFace::width(std::u32string_view text) const {
    long long w = 0;
    for (char32_t c : text) w += glyph(c).advance;
    return int(std::clamp<long long>(w, INT_MIN, INT_MAX));
}

std::shared_ptr<const FontFace> FontFace::get(const Font& font) {
    struct Hash {
        std::size_t operator()(const Font& f) const { return f.hashCode(); }
    };
    static std::mutex* mutex = new std::mutex();
    static auto* cache = new std::unordered_map<Font, std::shared_ptr<const FontFace>, Hash>();
    {
        std::lock_guard<std::mutex> lock(*mutex);
        auto it = cache->find(font);
        if (it != cache->end()) return it->second;
    }
    // Built outside the cache lock (the engine serialises its own work); a race between
    // two threads for the same font keeps the first entry.
    std::shared_ptr<const FontFace> face = FontFaceBuilder::build(font);
    std::lock_guard<std::mutex> lock(*mutex);
    return cache->emplace(font, std::move(face)).first->second;
}

// ---- FontMetrics ---------------------------------------------------------------------------

FontMetrics FontMetrics::get(const Font& font) { return FontMetrics(font, FontFace::get(font)); }

int FontMetrics::getAscent() const { return face_ ? face_->ascent : 0; }
int FontMetrics::getDescent() const { return face_ ? face_->descent : 0; }
int FontMetrics::getLeading() const { return face_ ? face_->leading : 0; }
int FontMetrics::getMaxAdvance() const { return face_ ? face_->maxAdvance : 0; }

int FontMetrics::stringWidth(std::string_view utf8) const {
    if (!face_) return 0;
    long long w = 0;
    bool ascii = true;
    for (char ch : utf8) {
        if (static_cast<unsigned char>(ch) >= 0x80) {
            ascii = false;
            break;
        }
        w += face_->glyph(char32_t(static_cast<unsigned char>(ch))).advance;
    }
    if (ascii) return int(std::clamp<long long>(w, INT_MIN, INT_MAX));
    return face_->width(decodeUtf8(utf8));
}

int FontMetrics::charWidth(char32_t c) const { return face_ ? face_->glyph(c).advance : 0; }

}  // namespace host
