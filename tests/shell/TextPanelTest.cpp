// SPDX-License-Identifier: GPL-3.0-or-later
// The text panel driven as a user drives it: a text opened with a double click takes the
// panel's changes while the typing goes on, the justification buttons and the weight slider.
#include <QApplication>
#include <QMouseEvent>
#include <QSlider>
#include <QStackedWidget>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <QToolButton>
#include <functional>
#include <memory>

#include "canvas/BitmapView.h"
#include "canvas/CanvasFixtures.h"
#include "canvas/SandboxView.h"
#include "canvas/TextEntry.h"
#include "document/DocumentFile.h"
#include "document/History.h"
#include "render/Coordinates.h"
#include "settings/ui/PropertyPanels.h"
#include "shell/ShellFixture.h"
#include "shell/SidePanel.h"
#include "support/Wait.h"

namespace quillon {
namespace {

class TextPanelTest : public test::ShellTest {
 protected:
  // A pixel page with one left-justified text "Hello" in Arial 12, opened in a window.
  void OpenText(const char* name) {
    ItemList list(ScreenMetrics{96, 96});
    test::AddPixelPage(list, 600, 400);
    ItemRecord& text = test::AddItem(list, kKindText, {100, 200}, {200, 200});
    SetText(text, u"Hello");
    text.setFontName("Arial");
    text.setFontSize(12);
    text.setPresetTextAngle(-1);
    text.setJustification(1);
    path_ = Path(name);
    ASSERT_TRUE(WriteDocument(path_, list).ok());
    form_->OpenDocumentWindow(path_);
    window_ = form_->ActiveWindow();
    ASSERT_NE(window_, nullptr);
    canvas_ = window_->findChild<BitmapView*>(QStringLiteral("Image1"));
    ASSERT_NE(canvas_, nullptr);
    ASSERT_TRUE(test::WaitUntil([&] { return !window_->RenderingProgressively(); }));
  }

  void Send(QEvent::Type type, Point document, Qt::MouseButtons buttons,
            Qt::KeyboardModifiers modifiers = {}) {
    const Point p = ToWindowPoint(document, window_->GetZoom(), window_->View().TileOrigin());
    const QPointF local(p.x, p.y);
    QMouseEvent event(type, local, canvas_->mapToGlobal(local),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons,
                      modifiers);
    QApplication::sendEvent(canvas_, &event);
  }
  // The text is selected with a rubber band, then opened with a double click.
  void SelectText() {
    Send(QEvent::MouseButtonPress, {80, 170}, Qt::LeftButton, Qt::ControlModifier);
    Send(QEvent::MouseMove, {150, 190}, Qt::LeftButton, Qt::ControlModifier);
    Send(QEvent::MouseMove, {260, 215}, Qt::LeftButton, Qt::ControlModifier);
    Send(QEvent::MouseButtonRelease, {260, 215}, Qt::NoButton, Qt::ControlModifier);
    ASSERT_TRUE(test::WaitUntil([&] { return form_->CurrentTool() == 301; }));
  }
  void OpenForEditing() {
    SelectText();
    const Point inside{130, 195};
    Send(QEvent::MouseButtonPress, inside, Qt::LeftButton);
    Send(QEvent::MouseButtonRelease, inside, Qt::NoButton);
    Send(QEvent::MouseButtonDblClick, inside, Qt::LeftButton);
    Send(QEvent::MouseButtonRelease, inside, Qt::NoButton);
    ASSERT_TRUE(test::WaitUntil([&] { return window_->EditedText() != nullptr; }));
  }
  // Keys typed as the user types them: to whatever has the focus in the main window.
  void Type(const QString& keys) {
    QWidget* target = QApplication::focusWidget() != nullptr ? QApplication::focusWidget()
                                                             : static_cast<QWidget*>(form_.get());
    QTest::keyClicks(target, keys);
  }

  TTextbox* Panel() {
    auto* panel = qobject_cast<TTextbox*>(form_->Side().Stack()->currentWidget());
    EXPECT_NE(panel, nullptr);
    return panel;
  }
  static void Pick(QComboBox* list, const QString& text) {
    ASSERT_NE(list, nullptr);
    const int index = list->findText(text);
    ASSERT_GE(index, 0) << text.toStdString();
    list->setCurrentIndex(index);
    emit list->activated(index);
  }
  std::vector<const ItemRecord*> VisibleTexts() {
    std::vector<const ItemRecord*> found;
    for (const ItemRecord& r : window_->GetItems()) {
      if (IsVisible(r) && r.kind() == kKindText) found.push_back(&r);
    }
    return found;
  }
  int UndoSteps() {
    ItemList& items = window_->GetItems();
    int steps = 0;
    while (CanUndo(items) && steps < 100) {
      Undo(items, window_->Announcements());
      ++steps;
    }
    for (int i = 0; i < steps; ++i)
      Redo(items, window_->Announcements());
    return steps;
  }
  // The texts of the document as saved.
  std::vector<const ItemRecord*> SavedTexts() {
    EXPECT_TRUE(window_->Save(false));
    saved_ = std::make_unique<ItemList>(ScreenMetrics{96, 96});
    EXPECT_TRUE(ReadDocument(path_, *saved_, prompter_).ok());
    std::vector<const ItemRecord*> texts;
    for (const ItemRecord& r : *saved_) {
      if (r.kind() == kKindText) texts.push_back(&r);
    }
    return texts;
  }
  // The centre of the weight slider's handle.
  static QPoint HandleCentre(QSlider* slider) {
    QStyleOptionSlider option;
    option.initFrom(slider);
    option.orientation = slider->orientation();
    option.minimum = slider->minimum();
    option.maximum = slider->maximum();
    option.sliderPosition = slider->sliderPosition();
    option.sliderValue = slider->value();
    option.singleStep = slider->singleStep();
    option.pageStep = slider->pageStep();
    option.tickPosition = slider->tickPosition();
    option.tickInterval = slider->tickInterval();
    option.subControls = QStyle::SC_All;
    return slider->style()
        ->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, slider)
        .center();
  }

  QString path_;
  std::unique_ptr<ItemList> saved_;
  TSandbox* window_ = nullptr;
  BitmapView* canvas_ = nullptr;
};

// A change in the text panel while a text is typed goes into that text: the typing before and
// after it stays in the text on the canvas and in the saved file, and the whole editing is one
// undo step.
TEST_F(TextPanelTest, PanelChangesWhileTypingGoIntoTheEditedTextAsOneStep) {
  struct Case {
    const char* name;
    std::function<void(TTextbox&)> change;
    std::function<bool(const ItemRecord&)> changed;
  };
  QString font;  // the first font the panel offers other than the text's own
  const std::vector<Case> cases = {
      {"size",
       [](TTextbox& p) { Pick(p.ListLabelled(QStringLiteral("Size")), QStringLiteral("24")); },
       [](const ItemRecord& r) { return r.fontSize() == 24; }},
      {"font",
       [&font](TTextbox& p) {
         for (int i = 0; i < p.FontNames()->count() && font.isEmpty(); ++i) {
           if (p.FontNames()->itemText(i) != QStringLiteral("Arial"))
             font = p.FontNames()->itemText(i);
         }
         ASSERT_FALSE(font.isEmpty());
         Pick(p.FontNames(), font);
       },
       [&font](const ItemRecord& r) { return QString::fromLatin1(r.fontName().c_str()) == font; }},
      {"colour",
       [](TTextbox& p) { Pick(p.ListLabelled(QStringLiteral("Color")), QStringLiteral("Red")); },
       [](const ItemRecord& r) { return r.textColor() == 0x0000FF; }},
      {"weight list",
       [](TTextbox& p) { Pick(p.ListLabelled(QStringLiteral("Weight")), QStringLiteral("Bold")); },
       [](const ItemRecord& r) { return r.fontWeight() == 700; }},
      {"bold button", [](TTextbox& p) { QTest::mouseClick(p.StyleButton(0), Qt::LeftButton); },
       [](const ItemRecord& r) { return r.fontWeight() == 700; }},
      {"italic button", [](TTextbox& p) { QTest::mouseClick(p.StyleButton(1), Qt::LeftButton); },
       [](const ItemRecord& r) { return r.fontItalic() == 255; }},
      {"right justified",
       [](TTextbox& p) { QTest::mouseClick(p.JustifyButton(2), Qt::LeftButton); },
       [](const ItemRecord& r) { return r.justification() == 3; }},
      {"angle",
       [](TTextbox& p) {
         Pick(p.ListLabelled(QStringLiteral("Angle")), QStringLiteral("Vertical (right)"));
       },
       [](const ItemRecord& r) { return r.presetTextAngle() == 90 && r.textAngle() == 900; }},
  };
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    OpenText(QStringLiteral("text%1.qlln").arg(n++).toLatin1().constData());
    const int steps = UndoSteps();
    OpenForEditing();
    Type(QStringLiteral("ab"));
    TTextbox* panel = Panel();
    ASSERT_NE(panel, nullptr);
    c.change(*panel);
    ASSERT_NE(window_->EditedText(), nullptr) << "the change leaves the editing open";
    Type(QStringLiteral("cd"));

    const std::vector<const ItemRecord*> shown = VisibleTexts();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], window_->EditedText()->Item()) << "typing goes into the text on the canvas";
    EXPECT_EQ(GetText(*shown[0]), u"Helloabcd");
    EXPECT_TRUE(c.changed(*shown[0]));
    EXPECT_EQ(UndoSteps(), steps + 1) << "the editing with its change is one step";

    const std::vector<const ItemRecord*> saved = SavedTexts();
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_EQ(GetText(*saved[0]), u"Helloabcd");
    EXPECT_TRUE(c.changed(*saved[0]));

    Trigger("Undo1");
    const std::vector<const ItemRecord*> before = VisibleTexts();
    ASSERT_EQ(before.size(), 1u);
    EXPECT_EQ(GetText(*before[0]), u"Hello");
    EXPECT_FALSE(c.changed(*before[0]));
  }
}

// The buttons run left, centre, right and give the justification 1, 2 and 3 that texts are
// drawn by; the pressed button shows the text's own.
TEST_F(TextPanelTest, JustificationButtonsSetAndShowLeftCentreAndRight) {
  OpenText("justified.qlln");
  SelectText();
  TTextbox* panel = Panel();
  ASSERT_NE(panel, nullptr);
  const auto pressed = [&] {
    int found = -1;
    for (int i = 0; i < 3; ++i) {
      if (panel->JustifyButton(i)->isChecked()) found = found < 0 ? i : 9;
    }
    return found;
  };
  EXPECT_EQ(pressed(), 0) << "a left-justified text shows Left";
  for (int button : {2, 1, 0}) {
    SCOPED_TRACE(button);
    QTest::mouseClick(panel->JustifyButton(button), Qt::LeftButton);
    const std::vector<const ItemRecord*> shown = VisibleTexts();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0]->justification(), button + 1);
    EXPECT_EQ(pressed(), button);
  }

  // For the text tool the button is the setting that new texts take.
  form_->ShowPanel(kToolText, false, true);
  TTextbox* tool = Panel();
  ASSERT_NE(tool, nullptr);
  QTest::mouseClick(tool->JustifyButton(2), Qt::LeftButton);
  EXPECT_EQ((form_->Params().toptions >> 24) & 0xFF, 3);
  EXPECT_TRUE(tool->JustifyButton(2)->isChecked());
  EXPECT_FALSE(tool->JustifyButton(0)->isChecked());
}

// Dragging the weight slider over several notches is one change of the text; each click on its
// track is one.
TEST_F(TextPanelTest, AWeightSliderDragIsOneStepAndEachTrackClickOne) {
  OpenText("weight.qlln");
  SelectText();
  TTextbox* panel = Panel();
  ASSERT_NE(panel, nullptr);
  QSlider* slider = panel->WeightSlider();
  ASSERT_TRUE(slider->isVisible());
  ASSERT_EQ(slider->value(), 4);
  const int steps = UndoSteps();
  const QPoint grip = HandleCentre(slider);
  QTest::mousePress(slider, Qt::LeftButton, {}, grip);
  for (int dx = 4; dx <= slider->width(); dx += 4)
    QTest::mouseMove(slider, grip + QPoint(dx, 0));
  QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(slider->width() - 1, grip.y()));
  EXPECT_EQ(slider->value(), 9);
  ASSERT_EQ(VisibleTexts().size(), 1u);
  EXPECT_EQ(VisibleTexts()[0]->fontWeight(), 900);
  EXPECT_EQ(UndoSteps(), steps + 1);

  // Each click on the track moves the slider one notch and is one step.
  SelectText();  // counting the steps undid and redid them, which leaves nothing selected
  panel = Panel();
  ASSERT_NE(panel, nullptr);
  slider = panel->WeightSlider();
  ASSERT_EQ(slider->value(), 9);
  QTest::mouseClick(slider, Qt::LeftButton, {}, QPoint(2, grip.y()));
  QTest::mouseClick(slider, Qt::LeftButton, {}, QPoint(2, grip.y()));
  EXPECT_EQ(slider->value(), 7);
  EXPECT_EQ(VisibleTexts()[0]->fontWeight(), 700);
  EXPECT_EQ(UndoSteps(), steps + 3);
}

}  // namespace
}  // namespace quillon
