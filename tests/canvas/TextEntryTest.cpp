// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <numbers>

#include "canvas/CanvasDriver.h"
#include "canvas/TextEntry.h"
#include "document/History.h"
#include "document/ToolNumbers.h"
#include "render/Text.h"

namespace quillon {
namespace {

const std::u16string kSep(1, kLineSeparator);

TEST(TextEditing, TypingBreaksAndBackspaceMoveTheCaretAcrossLines) {
  struct Case {
    const char* name;
    std::u16string text;
    Caret caret;
    std::u16string typed;  // one character
    std::u16string after;
    Caret caretAfter;
    int linesAdded;
  };
  const std::u16string pair = u"\U0001F600";
  const Case cases[] = {
      {"letter", u"ab", {1, 3}, u"c", u"abc", {1, 4}, 0},
      {"line feed", u"ab", {1, 3}, u"\n", u"ab" + kSep, {2, 1}, 1},
      {"carriage return mid line", u"ab", {1, 2}, u"\r", u"a" + kSep + u"b", {2, 1}, 1},
      {"the separator itself", u"ab", {1, 3}, kSep, u"ab" + kSep, {2, 1}, 1},
      {"paragraph separator", u"", {1, 1}, u"\u2029", kSep, {2, 1}, 1},
      {"backspace joins lines", u"ab" + kSep + u"c", {2, 1}, u"\b", u"abc", {1, 3}, -1},
      {"backspace at the start", u"ab", {1, 1}, u"\b", u"ab", {1, 1}, 0},
      {"backspace takes a whole pair", u"a" + pair, {1, 4}, u"\b", u"a", {1, 2}, 0},
      {"a pair goes in whole", u"a", {1, 2}, pair, u"a" + pair, {1, 4}, 0},
      {"half a pair is not text", u"a", {1, 2}, pair.substr(0, 1), u"a", {1, 2}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::u16string text = c.text;
    Caret caret = c.caret;
    const TextChange change = TypeAt(text, caret, c.typed);
    EXPECT_EQ(text, c.after);
    EXPECT_EQ(caret, c.caretAfter);
    EXPECT_EQ(change.linesAdded, c.linesAdded);
  }
  // Delete removes the character after the caret, a separator joining the lines.
  std::u16string text = u"ab" + kSep + u"c";
  Caret caret{1, 3};
  EXPECT_EQ(DeleteAt(text, caret).linesAdded, -1);
  EXPECT_EQ(text, u"abc");
  EXPECT_FALSE(DeleteAt(text, caret = {1, 4}).changed);
  // Typing stops at the longest text a file reads back.
  std::u16string full(kMaxTextUnits, u'x');
  caret = {1, 1};
  EXPECT_FALSE(TypeAt(full, caret, u"y").changed);
  EXPECT_EQ(static_cast<int>(full.size()), kMaxTextUnits);
}

TEST(TextEditing, CaretKeysStayInsideTheLinesAndStepOverPairs) {
  const std::u16string text = u"long line" + kSep + u"ab" + kSep + u"x\U0001F600y";
  struct Case {
    const char* name;
    Caret from;
    int key;
    Caret to;
  };
  const Case cases[] = {
      {"page up", {2, 2}, Qt::Key_PageUp, {1, 1}},
      {"page down", {1, 1}, Qt::Key_PageDown, {3, 5}},
      {"home", {1, 5}, Qt::Key_Home, {1, 1}},
      {"end", {2, 1}, Qt::Key_End, {2, 3}},
      {"left stops at 1", {1, 1}, Qt::Key_Left, {1, 1}},
      {"right stops at the end", {2, 3}, Qt::Key_Right, {2, 3}},
      {"up stops at line 1", {1, 4}, Qt::Key_Up, {1, 4}},
      {"down into a shorter line ends it", {1, 8}, Qt::Key_Down, {2, 3}},
      {"down stops at the last line", {3, 2}, Qt::Key_Down, {3, 2}},
      {"right over a pair", {3, 2}, Qt::Key_Right, {3, 4}},
      {"left over a pair", {3, 4}, Qt::Key_Left, {3, 2}},
      {"up into a pair goes before it", {2, 3}, Qt::Key_Down, {3, 2}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Caret caret = c.from;
    EXPECT_TRUE(MoveCaret(text, caret, c.key));
    EXPECT_EQ(caret, c.to);
  }
  Caret caret;
  EXPECT_FALSE(MoveCaret(text, caret, Qt::Key_A));
  EXPECT_EQ(CaretIndex(text, {2, 3}), 12);
  EXPECT_EQ(CaretAt(text, 12), (Caret{2, 3}));
}

class TextOnCanvasTest : public test::CanvasDriverTest {
 protected:
  ItemRecord* Edited() {
    for (ItemRecord& r : Items()) {
      if (IsVisible(r) && r.kind() == kKindText && IsSelected(r)) return &r;
    }
    return nullptr;
  }
  Point Start(const ItemRecord& r) { return {r.x1(), r.y1()}; }
  Point End(const ItemRecord& r) { return {r.x2(), r.y2()}; }
  void Enter() { Key(Qt::Key_Return, {}, QStringLiteral("\r")); }
};

TEST_F(TextOnCanvasTest, JustificationDecidesWhichWayTheTextGrows) {
  OpenBuilt();
  for (int justification : {3, 2}) {
    SCOPED_TRACE(justification);
    host_.params.toptions = justification << 24;
    window_->SelectTool(kToolText);
    Click({300, 100 * justification - 100});
    Click({400, 100 * justification - 100});
    ItemRecord* text = Edited();
    ASSERT_NE(text, nullptr);
    Type(QStringLiteral("A fairly long line of text"));
    const int32_t grown = text->x2() - text->x1() - 100;
    ASSERT_GT(grown, 0);
    if (justification == 3) {
      EXPECT_EQ(End(*text), test::Pt(400, 200));
      EXPECT_EQ(text->x1(), 300 - grown);
    } else {
      EXPECT_NEAR(text->x1(), 300 - grown / 2, 1);
      EXPECT_NEAR(text->x2(), 400 + grown / 2, 1);
    }
  }
}

TEST_F(TextOnCanvasTest, NewFontSettingsFitTheBoxToTheTextExactly) {
  OpenBuilt();
  window_->SelectTool(kToolText);
  Click({100, 100});
  Click({400, 100});
  Type(QStringLiteral("Short"));
  ItemRecord* text = Edited();
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->x2(), 400);
  host_.params.tsize = 24;
  window_->EditedText()->ApplySettings();
  EXPECT_EQ(text->fontSize(), 24);
  EXPECT_EQ(text->x2() - text->x1(),
            LineWidth(*text, QStringLiteral("Short"), 1, Items().screen()));
  EXPECT_NE(window_->EditedText(), nullptr);
  EXPECT_EQ(Steps(), 1);
}

TEST_F(TextOnCanvasTest, APresetAngleTurnsTheText) {
  OpenBuilt();
  struct Case {
    int32_t degrees;
    int32_t tenths;
  };
  for (const Case c : {Case{0, 0}, Case{30, 300}, Case{90, 900}}) {
    SCOPED_TRACE(c.degrees);
    host_.params.tdir = c.degrees;
    window_->SelectTool(kToolText);
    Click({300, 300});
    Type(QStringLiteral("W"));
    ItemRecord* text = Edited();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->textAngle(), c.tenths);
    EXPECT_EQ(text->presetTextAngle(), c.degrees);
    EXPECT_NEAR(AngleOf(Start(*text), End(*text)) * 180 / std::numbers::pi, c.degrees, 3);
    if (c.degrees == 90) {
      // The end lies above the start: the text runs upwards.
      EXPECT_EQ(text->x2(), text->x1());
      EXPECT_LT(text->y2(), text->y1());
    }
    window_->SelectTool(kToolPointer);
  }
}

TEST_F(TextOnCanvasTest, EditingAnExistingTextIsOneUndoStep) {
  ItemRecord& text = test::AddItem(list_, kKindText, {100, 200}, {160, 200});
  SetText(text, u"old");
  text.setFontSize(12);
  text.setJustification(1);
  text.setFontName("Arial");
  text.setPresetTextAngle(-1);
  test::AddRectangle(list_, {300, 100}, {400, 200});
  OpenBuilt();
  // A double click on a text among several selected does not open it.
  for (ItemRecord& r : Items())
    if (IsDrawableKind(r.kind())) r.setSelected(255);
  auto* timer2 = window_->findChild<QTimer*>(QStringLiteral("Timer2"));
  ASSERT_NE(timer2, nullptr);
  window_->Image1DblClick();
  ASSERT_TRUE(test::WaitUntil([&] { return !timer2->isActive(); }));
  EXPECT_EQ(window_->Mode(), kModePointer);

  SelectOnly(Items(), Visible()[0]);
  window_->Image1DblClick();
  ASSERT_TRUE(test::WaitUntil([&] { return window_->Mode() == kModeTextEdit; }));
  EXPECT_EQ(window_->EditedText()->CaretPosition(), (Caret{1, 4}));
  Type(QStringLiteral("er"));
  Key(Qt::Key_Home);
  Key(Qt::Key_Delete);
  Type(QStringLiteral("h"));
  EXPECT_EQ(GetText(*Edited()), u"hlder");
  // Undo ends the editing and brings the old text back in one step.
  window_->Run(Undo);
  EXPECT_EQ(window_->Mode(), kModePointer);
  ASSERT_EQ(Visible().size(), 2u);
  EXPECT_EQ(GetText(*Visible()[0]), u"old");
  EXPECT_FALSE(CanUndo(Items()));
}

TEST_F(TextOnCanvasTest, ACaretClickPutsTheCaretAtTheNearestBoundary) {
  OpenBuilt();
  window_->SelectTool(kToolText);
  Click({100, 100});
  Type(QStringLiteral("iiii"));
  Enter();
  Type(QStringLiteral("WWWW"));
  ItemRecord* text = Edited();
  ASSERT_NE(text, nullptr);
  const int32_t height = LineHeight(*text, Items().screen());
  // Just right of the start of the first line; then near the end of the second.
  Click({101, 100 - height / 2});
  EXPECT_EQ(window_->EditedText()->CaretPosition(), (Caret{1, 1}));
  EXPECT_NE(window_->EditedText(), nullptr);
  Click({text->x1() + LineWidth(*text, QStringLiteral("WWWW"), 1, Items().screen()) - 1,
         text->y1() - 3});
  EXPECT_EQ(window_->EditedText()->CaretPosition(), (Caret{2, 5}));
  EXPECT_EQ(GetText(*text), u"iiii" + kSep + u"WWWW");
  // The caret blinks over saved pixels: each blink pair leaves the canvas as it was.
  const QImage before = canvas_->bitmap().Image().copy();
  window_->EditedText()->Blink();
  EXPECT_FALSE(canvas_->bitmap().Image() == before);
  window_->EditedText()->Blink();
  EXPECT_TRUE(canvas_->bitmap().Image() == before);
}

}  // namespace
}  // namespace quillon
