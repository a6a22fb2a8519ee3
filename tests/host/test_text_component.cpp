// Text field and text area: typing, caret and selection keys, the length limit and
// letter case, several lines, and where a click puts the caret.
#include <gtest/gtest.h>

#include "host/graphics/Image.h"
#include "host/ui/TextComponent.h"

using host::Event;
using host::TextArea;
using host::TextComponent;
using host::TextField;

namespace {

bool type(TextComponent& t, int key, int mods = 0) {
    Event e(&t, 0, key >= Event::HOME && key <= Event::INSERT ? Event::KEY_ACTION : Event::KEY_PRESS, 0, 0, key, mods);
    return t.handleEvent(e);
}

void typeText(TextComponent& t, const std::string& s) {
    for (char c : s) type(t, c);
}

std::shared_ptr<TextField> field() {
    auto f = host::create<TextField>();
    f->setFont(host::Font("Monospaced", host::Font::PLAIN, 12));
    f->reshape(0, 0, 200, 20);
    return f;
}

}  // namespace

TEST(TextField, TypingCaretKeysAndSelection) {
    auto f = field();
    typeText(*f, "hello");
    EXPECT_EQ(f->getText(), "hello");
    EXPECT_EQ(f->getCaretPosition(), 5);
    type(*f, Event::LEFT);
    type(*f, Event::LEFT);
    type(*f, 'X');
    EXPECT_EQ(f->getText(), "helXlo");
    type(*f, Event::BACK_SPACE);
    type(*f, Event::DELETE);
    EXPECT_EQ(f->getText(), "helo");
    EXPECT_EQ(f->getCaretPosition(), 3);

    // Shift extends; typing replaces the selection; a plain arrow collapses it to its side.
    type(*f, Event::HOME, Event::SHIFT_MASK);
    EXPECT_EQ(f->getSelectedText(), "hel");
    type(*f, Event::RIGHT);
    EXPECT_EQ(f->getCaretPosition(), 3);
    EXPECT_EQ(f->getSelectionStart(), f->getSelectionEnd());
    f->select(1, 3);
    type(*f, 'a');
    EXPECT_EQ(f->getText(), "hao");
    type(*f, 'a', Event::CTRL_MASK);
    EXPECT_EQ(f->getSelectedText(), "hao");
    type(*f, Event::BACK_SPACE);
    EXPECT_EQ(f->getText(), "");
    // Nothing to delete at either end; the caret never leaves the text.
    EXPECT_TRUE(type(*f, Event::BACK_SPACE));
    type(*f, Event::LEFT);
    EXPECT_EQ(f->getCaretPosition(), 0);

    // Keys for the parent.
    EXPECT_FALSE(type(*f, Event::ENTER));
    EXPECT_FALSE(type(*f, Event::TAB));
    EXPECT_FALSE(type(*f, Event::ESCAPE));
    EXPECT_FALSE(type(*f, Event::UP));
}

TEST(TextField, LengthLimitAndLetterCase) {
    auto f = field();
    f->setMaxLength(3);
    typeText(*f, "abcd");
    EXPECT_EQ(f->getText(), "abc");
    // A full field still takes a replacement of its selection.
    f->select(0, 1);
    type(*f, 'z');
    EXPECT_EQ(f->getText(), "zbc");
    EXPECT_FALSE(f->insert("q"));
    // Insertion is cut at the limit, pasted text too.
    f->setText("");
    EXPECT_TRUE(f->insert("12345"));
    EXPECT_EQ(f->getText(), "123");
    f->setText("abcdef");
    EXPECT_EQ(f->getText(), "abc");
    f->setMaxLength(0);
    EXPECT_EQ(f->getText(), "");
    f->setMaxLength(TextComponent::NO_LIMIT);

    f->setStringCase(TextComponent::CASE_UPPER);
    typeText(*f, "aB1");
    EXPECT_EQ(f->getText(), "AB1");
    f->setStringCase(TextComponent::CASE_LOWER);
    EXPECT_EQ(f->getText(), "ab1");
    f->setText("MiXeD");
    EXPECT_EQ(f->getText(), "mixed");
    // A line break never enters a single line.
    f->setStringCase(TextComponent::CASE_AS_IS);
    f->setText("");
    f->insert("a\nb");
    EXPECT_EQ(f->getText(), "ab");
}

TEST(TextField, CharactersNotBytes) {
    auto f = field();
    f->setMaxLength(2);
    type(*f, 0xE9);   // é: two bytes in UTF-8
    type(*f, 0x4E2D); // 中: three bytes
    type(*f, 'x');
    EXPECT_EQ(f->getText(), "\xC3\xA9\xE4\xB8\xAD");
    EXPECT_EQ(f->getLength(), 2);
    type(*f, Event::BACK_SPACE);
    EXPECT_EQ(f->getText(), "\xC3\xA9");
}

TEST(TextField, ReadOnlyFieldMovesTheCaretButKeepsItsText) {
    auto f = field();
    f->setText("fixed");
    f->setEditable(false);
    type(*f, 'a');
    type(*f, Event::BACK_SPACE);
    type(*f, Event::LEFT);
    EXPECT_EQ(f->getText(), "fixed");
    EXPECT_EQ(f->getCaretPosition(), 4);
}

TEST(TextField, ClickPlacesTheCaretAtTheNearestBoundary) {
    auto f = field();
    f->setText("abcdef");
    const int cw = host::FontMetrics::get(f->getFont()).charWidth('a');
    Event down(f.get(), 0, Event::MOUSE_DOWN, TextComponent::MARGIN + 2 * cw + cw / 2 + 1, 5, 0, 0);
    f->handleEvent(down);
    EXPECT_EQ(f->getCaretPosition(), 3);
    Event drag(f.get(), 0, Event::MOUSE_DRAG, TextComponent::MARGIN, 5, 0, 0);
    f->handleEvent(drag);
    EXPECT_EQ(f->getSelectedText(), "abc");
    Event far(f.get(), 0, Event::MOUSE_DOWN, 190, 5, 0, 0);
    f->handleEvent(far);
    EXPECT_EQ(f->getCaretPosition(), 6);
}

TEST(TextArea, SeveralLinesUpDownAndEnter) {
    auto a = host::create<TextArea>();
    a->setFont(host::Font("Monospaced", host::Font::PLAIN, 12));
    a->reshape(0, 0, 200, 80);
    typeText(*a, "abc");
    type(*a, Event::ENTER);
    typeText(*a, "de");
    EXPECT_EQ(a->getText(), "abc\nde");
    // Up keeps the column; Down from the first line's end lands at the shorter line's end.
    type(*a, Event::UP);
    EXPECT_EQ(a->getCaretPosition(), 2);
    type(*a, Event::END);
    type(*a, Event::DOWN);
    EXPECT_EQ(a->getCaretPosition(), 6);
    // Past the last line the key is for the parent.
    EXPECT_FALSE(type(*a, Event::DOWN));
    type(*a, Event::HOME);
    EXPECT_EQ(a->getCaretPosition(), 4);
    type(*a, Event::HOME, Event::CTRL_MASK);
    EXPECT_EQ(a->getCaretPosition(), 0);
}

TEST(TextField, PaintsTextCaretAndInvertedColours) {
    auto f = field();
    f->setForeground(host::Color::black);
    f->setBackground(host::Color::white);
    f->setText("W");
    auto img = host::Image::createOffscreen(200, 20);
    {
        auto g = img->getGraphics();
        f->paint(*g);
    }
    // Background white at the far right, some black ink in the first glyph.
    EXPECT_EQ(img->getPixel(150, 10) & 0xFFFFFF, 0xFFFFFFu);
    bool ink = false;
    for (int x = 0; x < 12; ++x)
        for (int y = 0; y < 20; ++y) ink |= (img->getPixel(x, y) & 0xFFFFFF) == 0;
    EXPECT_TRUE(ink);
    f->setInverted(true);
    {
        auto g = img->getGraphics();
        f->paint(*g);
    }
    EXPECT_EQ(img->getPixel(150, 10) & 0xFFFFFF, 0u);
}
