// Fonts by logical name, style and size, and their metrics.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace host {

class Font {
public:
    enum Style { PLAIN = 0, BOLD = 1, ITALIC = 2 };

    Font() = default;
    Font(std::string name, int style, int size) : name_(std::move(name)), style_(style & 3), size_(size) {}

    const std::string& getName() const { return name_; }
    const std::string& getFamily() const { return name_; }
    int getStyle() const { return style_; }
    int getSize() const { return size_; }
    bool isPlain() const { return style_ == PLAIN; }
    bool isBold() const { return (style_ & BOLD) != 0; }
    bool isItalic() const { return (style_ & ITALIC) != 0; }

    bool operator==(const Font&) const = default;
    std::size_t hashCode() const;
    // "Font[name=Helvetica,style=bold,size=12]"
    std::string toString() const;

private:
    std::string name_ = "Dialog";
    int style_ = PLAIN;
    int size_ = 12;
};

struct FontFace;  // the installed face behind a Font (host/FontEngine.h)

// Metrics of one font as the raster graphics draws it. Sizes are pixels (1 pt = 1 px).
// Obtained through FontMetrics::get, which caches faces; safe to use from any thread.
class FontMetrics {
public:
    static FontMetrics get(const Font& font);

    const Font& getFont() const { return font_; }
    int getAscent() const;
    int getDescent() const;
    int getLeading() const;
    int getHeight() const { return getAscent() + getDescent() + getLeading(); }
    int getMaxAscent() const { return getAscent(); }
    int getMaxDescent() const { return getDescent(); }
    int getMaxAdvance() const;

    // Widths of UTF-8 text; invalid bytes count as the replacement character.
    int stringWidth(std::string_view utf8) const;
    int charWidth(char32_t c) const;
    int charWidth(char c) const { return charWidth(char32_t(static_cast<unsigned char>(c))); }

    const std::shared_ptr<const FontFace>& face() const { return face_; }

private:
    FontMetrics(Font font, std::shared_ptr<const FontFace> face) : font_(std::move(font)), face_(std::move(face)) {}
    Font font_;
    std::shared_ptr<const FontFace> face_;
};

}  // namespace host
