#include "host/ui/TextComponent.h"

#include <algorithm>
#include <cwctype>

#include "host/graphics/FontEngine.h"

namespace host {

namespace {

char32_t applyCase(char32_t c, int string_case) {
    if (c > 0x10FFFF) return c;
    if (string_case == TextComponent::CASE_UPPER) return char32_t(std::towupper(wint_t(c)));
    if (string_case == TextComponent::CASE_LOWER) return char32_t(std::towlower(wint_t(c)));
    return c;
}

std::string encode(std::u32string_view s) {
    std::string out;
    for (char32_t c : s) appendUtf8(out, c);
    return out;
}

}  // namespace

std::string TextComponent::getText() const { return encode(text_); }

void TextComponent::setText(const std::string& utf8) {
    std::u32string s = decodeUtf8(utf8);
    for (char32_t& c : s) c = applyCase(c, case_);
    if (int(s.size()) > max_length_) s.resize(size_t(max_length_));
    text_ = std::move(s);
    caret_ = anchor_ = getLength();
    scroll_x_ = scroll_line_ = 0;
    reveal();
}

void TextComponent::setCaretPosition(int pos) { moveCaret(pos, false); }

void TextComponent::select(int start, int end) {
    anchor_ = std::clamp(start, 0, getLength());
    caret_ = std::clamp(end, 0, getLength());
    reveal();
}

std::string TextComponent::getSelectedText() const {
    return encode(std::u32string_view(text_).substr(size_t(getSelectionStart()),
                                                    size_t(getSelectionEnd() - getSelectionStart())));
}

void TextComponent::setMaxLength(int n) {
    max_length_ = std::max(0, n);
    if (getLength() > max_length_) setText(getText());
}

void TextComponent::setStringCase(int c) {
    case_ = c;
    const int caret = caret_, anchor = anchor_;
    setText(getText());
    caret_ = std::min(caret, getLength()), anchor_ = std::min(anchor, getLength());
}

bool TextComponent::insert(const std::string& utf8) {
    if (!editable_) return false;
    std::u32string s = decodeUtf8(utf8);
    if (!multiLine()) s.erase(std::remove(s.begin(), s.end(), U'\n'), s.end());
    for (char32_t& c : s) c = applyCase(c, case_);
    const int start = getSelectionStart(), end = getSelectionEnd();
    const int room = max_length_ - (getLength() - (end - start));
    if (room <= 0 && end == start) return false;
    if (int(s.size()) > room) s.resize(size_t(std::max(0, room)));
    text_.replace(size_t(start), size_t(end - start), s);
    caret_ = anchor_ = start + int(s.size());
    reveal();
    return true;
}

bool TextComponent::deleteBackward() {
    if (!editable_) return false;
    if (caret_ == anchor_) {
        if (caret_ == 0) return false;
        anchor_ = caret_ - 1;
    }
    insert("");
    return true;
}

bool TextComponent::deleteForward() {
    if (!editable_) return false;
    if (caret_ == anchor_) {
        if (caret_ >= getLength()) return false;
        anchor_ = caret_ + 1;
    }
    insert("");
    return true;
}

void TextComponent::moveCaret(int pos, bool extend) {
    caret_ = std::clamp(pos, 0, getLength());
    if (!extend) anchor_ = caret_;
    reveal();
}

std::vector<std::pair<int, int>> TextComponent::lines() const {
    std::vector<std::pair<int, int>> out;
    if (!multiLine()) return {{0, getLength()}};
    int start = 0;
    for (int i = 0; i < getLength(); ++i)
        if (text_[size_t(i)] == U'\n') out.emplace_back(start, i), start = i + 1;
    out.emplace_back(start, getLength());
    return out;
}

int TextComponent::lineOf(int pos) const {
    const auto ls = lines();
    for (size_t i = 0; i < ls.size(); ++i)
        if (pos <= ls[i].second) return int(i);
    return int(ls.size()) - 1;
}

int TextComponent::widthOf(int from, int to) const {
    return FontMetrics::get(getFont()).stringWidth(
        encode(std::u32string_view(text_).substr(size_t(from), size_t(std::max(0, to - from)))));
}

int TextComponent::positionAt(int x, int y) const {
    const auto ls = lines();
    const int lh = std::max(1, FontMetrics::get(getFont()).getHeight());
    const int line = std::clamp((y - MARGIN) / lh + scroll_line_, 0, int(ls.size()) - 1);
    const auto [start, end] = ls[size_t(line)];
    const int target = x - MARGIN + scroll_x_;
    // The boundary nearest to the pixel: before a character when x is in its left half.
    int left = 0;
    for (int i = start; i < end; ++i) {
        const int right = widthOf(start, i + 1);
        if (target < (left + right + 1) / 2) return i;
        left = right;
    }
    return end;
}

void TextComponent::reveal() {
    const int inner_w = std::max(1, getWidth() - 2 * MARGIN);
    const auto ls = lines();
    const int line = lineOf(caret_);
    const int x = widthOf(ls[size_t(line)].first, caret_);
    if (x < scroll_x_) scroll_x_ = std::max(0, x - inner_w / 4);
    if (x > scroll_x_ + inner_w - 1) scroll_x_ = x - inner_w + 1 + inner_w / 4;
    scroll_x_ = std::max(0, scroll_x_);
    if (!multiLine()) return;
    const int lh = std::max(1, FontMetrics::get(getFont()).getHeight());
    const int shown = std::max(1, (getHeight() - 2 * MARGIN) / lh);
    if (line < scroll_line_) scroll_line_ = line;
    if (line >= scroll_line_ + shown) scroll_line_ = line - shown + 1;
}

bool TextComponent::keyDown(Event& e, int key) {
    const bool shift = e.shiftDown();
    if (e.id == Event::KEY_ACTION) {
        const auto ls = lines();
        const auto [line_start, line_end] = ls[size_t(lineOf(caret_))];
        switch (key) {
            case Event::LEFT:
                moveCaret(caret_ != anchor_ && !shift ? getSelectionStart() : caret_ - 1, shift);
                return true;
            case Event::RIGHT:
                moveCaret(caret_ != anchor_ && !shift ? getSelectionEnd() : caret_ + 1, shift);
                return true;
            case Event::HOME: moveCaret(e.controlDown() ? 0 : line_start, shift); return true;
            case Event::END: moveCaret(e.controlDown() ? getLength() : line_end, shift); return true;
            default: return false;
        }
    }
    switch (key) {
        case Event::BACK_SPACE: deleteBackward(); return true;
        case Event::DELETE: deleteForward(); return true;
        case Event::ENTER:
        case Event::TAB:
        case Event::ESCAPE: return false;
        default: break;
    }
    if (e.controlDown()) {
        if (key == 'a' || key == 'A' || key == 1) {
            selectAll();
            return true;
        }
        return false;
    }
    if (key < 32 || key > 0x10FFFF) return false;
    std::string s;
    appendUtf8(s, char32_t(key));
    insert(s);
    return true;
}

bool TextComponent::mouseDown(Event& e, int x, int y) {
    moveCaret(positionAt(x, y), e.shiftDown());
    if (e.clickCount >= 2) selectAll();
    return true;
}

bool TextComponent::mouseDrag(Event&, int x, int y) {
    moveCaret(positionAt(x, y), true);
    return true;
}

void TextComponent::paint(Graphics& g) {
    const int w = getWidth(), h = getHeight();
    Color bg = getBackground().value_or(Color::white), fg = getForeground().value_or(Color::black);
    if (inverted_) std::swap(bg, fg);
    g.setColor(bg);
    g.fillRect(0, 0, w, h);
    g.setFont(getFont());
    const FontMetrics fm = FontMetrics::get(getFont());
    const int lh = std::max(1, fm.getHeight());
    const auto ls = lines();
    const int sel0 = getSelectionStart(), sel1 = getSelectionEnd();
    for (int i = scroll_line_; i < int(ls.size()); ++i) {
        const int top = MARGIN + (i - scroll_line_) * lh;
        if (top >= h) break;
        // A field centres its one line; an area starts at the top.
        const int y = multiLine() ? top : std::max(0, (h - lh) / 2);
        const auto [start, end] = ls[size_t(i)];
        const int x0 = MARGIN - scroll_x_;
        const int s0 = std::clamp(sel0, start, end), s1 = std::clamp(sel1, start, end);
        if (s1 > s0) {
            g.setColor(fg);
            g.fillRect(x0 + widthOf(start, s0), y, widthOf(s0, s1), lh);
        }
        g.setColor(fg);
        g.drawString(encode(std::u32string_view(text_).substr(size_t(start), size_t(end - start))), x0,
                     y + fm.getAscent());
        if (s1 > s0) {  // the selected characters in the background colour over the highlight
            g.setColor(bg);
            g.drawString(encode(std::u32string_view(text_).substr(size_t(s0), size_t(s1 - s0))),
                         x0 + widthOf(start, s0), y + fm.getAscent());
        }
        if (caret_ >= start && caret_ <= end && lineOf(caret_) == i) {
            g.setColor(fg);
            const int cx = x0 + widthOf(start, caret_);
            g.drawLine(cx, y, cx, y + lh - 1);
        }
    }
}

Dimension TextField::preferredSize() {
    const FontMetrics fm = FontMetrics::get(getFont());
    return {fm.charWidth(U'0') * 10 + 2 * MARGIN, fm.getHeight() + 2 * MARGIN};
}

Dimension TextArea::preferredSize() {
    const FontMetrics fm = FontMetrics::get(getFont());
    return {fm.charWidth(U'0') * 20 + 2 * MARGIN, fm.getHeight() * 3 + 2 * MARGIN};
}

bool TextArea::keyDown(Event& e, int key) {
    if (e.id != Event::KEY_ACTION && key == Event::ENTER && !e.controlDown()) {
        insert("\n");
        return true;
    }
    if (e.id != Event::KEY_ACTION || (key != Event::UP && key != Event::DOWN)) return TextComponent::keyDown(e, key);
    const auto ls = lines();
    const int line = lineOf(caret_);
    const int next = line + (key == Event::UP ? -1 : 1);
    if (next < 0 || next >= int(ls.size())) return false;  // past the first or last line: for the parent
    // Keep the caret's pixel column on the new line.
    const int x = widthOf(ls[size_t(line)].first, caret_);
    const FontMetrics fm = FontMetrics::get(getFont());
    const int lh = std::max(1, fm.getHeight());
    const int pos = positionAt(x + MARGIN - scroll_x_, MARGIN + (next - scroll_line_) * lh + lh / 2);
    moveCaret(pos, e.shiftDown());
    return true;
}

}  // namespace host
