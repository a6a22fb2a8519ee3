// Editable text: a single-line text field and a multi-line text area sharing one
// editing core (caret, selection, typing, length limit and letter case). Positions
// count characters (code points), never bytes, so a caret never splits a character.
#pragma once

#include <string>
#include <vector>

#include "host/ui/Component.h"

namespace host {

class TextComponent : public Component {
    HOST_OBJECT(TextComponent, "host.TextComponent", Component)
public:
    static constexpr int CASE_AS_IS = 0, CASE_LOWER = 1, CASE_UPPER = 2;
    static constexpr int NO_LIMIT = 2147483647;

    // The text as UTF-8. setText applies the letter case and the length limit and puts
    // the caret at the end with nothing selected.
    std::string getText() const;
    virtual void setText(const std::string& utf8);
    int getLength() const { return int(text_.size()); }

    int getCaretPosition() const { return caret_; }
    void setCaretPosition(int pos);
    // Selects [start, end) (clamped); the caret goes to end.
    void select(int start, int end);
    void selectAll() { select(0, getLength()); }
    int getSelectionStart() const { return std::min(anchor_, caret_); }
    int getSelectionEnd() const { return std::max(anchor_, caret_); }
    std::string getSelectedText() const;

    // Longest text in characters (NO_LIMIT: none); shortens the present text.
    void setMaxLength(int n);
    int getMaxLength() const { return max_length_; }
    // CASE_AS_IS, CASE_LOWER or CASE_UPPER; converts the present text.
    void setStringCase(int c);
    int getStringCase() const { return case_; }
    void setEditable(bool b) { editable_ = b; }
    bool isEditable() const { return editable_; }

    // Replaces the selection with utf8 as typed: case converted, cut at the length
    // limit. False when nothing could be inserted.
    bool insert(const std::string& utf8);
    // Backspace and Delete: the selection, else the character before / after the caret.
    bool deleteBackward();
    bool deleteForward();

    // Foreground and background exchanged (an editor that refuses its value flashes).
    void setInverted(bool b) { inverted_ = b; }
    bool isInverted() const { return inverted_; }

    // Typing, caret keys (Shift extends the selection), Home/End, Ctrl+A; the keys it does
    // not use (Enter in a field, Tab, Escape, Page keys) return false for the parent.
    bool keyDown(Event& e, int key) override;
    bool mouseDown(Event& e, int x, int y) override;
    bool mouseDrag(Event& e, int x, int y) override;
    bool isFocusTraversable() const override { return true; }
    void paint(Graphics& g) override;

    static constexpr int MARGIN = 2;  // pixels between the border and the text

protected:
    TextComponent() = default;
    virtual bool multiLine() const = 0;
    // First and last+1 character index of each line (one line for a field).
    std::vector<std::pair<int, int>> lines() const;
    // The character index nearest to a pixel of the component.
    int positionAt(int x, int y) const;
    int lineOf(int pos) const;
    int widthOf(int from, int to) const;
    void moveCaret(int pos, bool extend);
    // Scrolls so the caret shows.
    void reveal();

    std::u32string text_;
    int caret_ = 0, anchor_ = 0;
    int max_length_ = NO_LIMIT;
    int case_ = CASE_AS_IS;
    bool editable_ = true;
    bool inverted_ = false;
    int scroll_x_ = 0, scroll_line_ = 0;
};

class TextField : public TextComponent {
    HOST_OBJECT(TextField, "host.TextField", TextComponent)
public:
    TextField() = default;
    Dimension preferredSize() override;

protected:
    bool multiLine() const override { return false; }
};

class TextArea : public TextComponent {
    HOST_OBJECT(TextArea, "host.TextArea", TextComponent)
public:
    TextArea() = default;
    Dimension preferredSize() override;
    // Up and Down move between lines; Enter inserts a line break.
    bool keyDown(Event& e, int key) override;

protected:
    bool multiLine() const override { return true; }
};

}  // namespace host
