// SPDX-License-Identifier: GPL-3.0-or-later
// Text typed on the canvas: a new text started by typing or by two clicks, or a selected text
// opened again, takes characters at a blinking caret; the caret keys and clicks move it and the
// text box grows with the text as its justification says.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "canvas/Gesture.h"
#include "render/LineStyle.h"

namespace quillon {

// The caret as a line and a column, both from 1; column k lies before the k-th code unit of
// the line, and the line's length + 1 is its end.
struct Caret {
  int line = 1;
  int column = 1;
  friend bool operator==(const Caret&, const Caret&) = default;
};

// The code unit index of a caret in a text whose lines are separated by kLineSeparator; the
// caret is limited to the text.
int CaretIndex(std::u16string_view text, Caret caret);
// The caret at a code unit index.
Caret CaretAt(std::u16string_view text, int index);

// What an edit of the text did, for the caret and the text box.
struct TextChange {
  int linesAdded = 0;  // +1 for a line break typed, -1 for one removed
  bool changed = false;
  bool exact = false;  // the box fits the text exactly afterwards, shrinking if need be
};
// Types one character (a code unit, or both halves of a pair) at the caret: Backspace (8)
// removes the character before it, the line breaks (10, 13, 0x2028, 0x2029 and the separator
// itself) insert the separator, anything else is inserted. The text never exceeds the longest
// text a file reads back, and a pair is never split.
TextChange TypeAt(std::u16string& text, Caret& caret, std::u16string_view character);
// Removes the character after the caret (Delete).
TextChange DeleteAt(std::u16string& text, Caret& caret);
// Moves the caret by a caret key (PageUp, PageDown, Home, End, the arrows); whether the key was
// one.
bool MoveCaret(std::u16string_view text, Caret& caret, int key);

class TextEntry {
 public:
  explicit TextEntry(CanvasContext& context) : context_(context) {}
  ~TextEntry();

  bool Editing() const { return item_ != nullptr; }
  ItemRecord* Item() const { return item_; }
  Caret CaretPosition() const { return caret_; }

  // A new text at start (document pixels) whose first character is typed.
  void StartTyped(Point start, std::u16string_view first);
  // A new empty text whose baseline runs from a to b (document pixels).
  void CreateBox(Point a, Point b);
  // The frame such a box would have, one line high (document pixels).
  Quad BoxFrame(Point a, Point b) const;
  // Opens a selected text again; everything typed until the editing ends is one undo step.
  void Open(ItemRecord& text);
  // A character typed, or Delete.
  void Type(std::u16string_view character);
  void DeleteForward();
  bool CaretKey(int key);
  // A press inside the edited text box moves the caret to the nearest character boundary;
  // whether the point (canvas pixels) was inside.
  bool CaretClick(Point canvas);
  // The caret clock: the caret is drawn or taken away.
  void Blink();
  // The editing ends: the caret is taken away.
  void End();
  // Re-justifies the edited text after a change of its settings (exact: the box also shrinks)
  // and draws it again; change, when given, is made to the text first, inside its open step.
  void Rejustify(bool exact, const std::function<void(ItemRecord&)>& change = {});
  // The edited text takes the current text settings: font, size, colour, angle, weight, styles
  // and character set; its box then fits the text exactly.
  void ApplySettings();

 private:
  ItemRecord& NewText(Point a, Point b);
  void Changed(const TextChange& change, const std::function<void(ItemRecord&)>& edit = {});
  void Fit(bool exact);
  // The text box moves by whole lines across the text direction (positive: down).
  void ShiftLines(int lines);
  Rect Area() const;
  void ShowCaret();
  void HideCaret();
  void DrawFrame();

  CanvasContext& context_;
  ItemRecord* item_ = nullptr;
  Caret caret_;
  bool caretShown_ = false;
};

}  // namespace quillon
