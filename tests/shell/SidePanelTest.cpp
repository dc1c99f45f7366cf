// SPDX-License-Identifier: GPL-3.0-or-later
// The side panel driven as a user drives it: tools chosen, items clicked on the canvas, values
// picked in the panels, suggestions and the back and forward strip.
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QStackedWidget>
#include <QToolButton>
#include <functional>

#include "canvas/BitmapView.h"
#include "canvas/CanvasFixtures.h"
#include "canvas/SandboxView.h"
#include "document/DocumentFile.h"
#include "document/History.h"
#include "document/PageSetup.h"
#include "render/Coordinates.h"
#include "render/LineStyle.h"
#include "settings/ui/PropertyPanels.h"
#include "shell/HostWindow.h"
#include "shell/ShellFixture.h"
#include "shell/SidePanel.h"
#include "support/Wait.h"

namespace quillon {
namespace {

constexpr int32_t kRed = 0x0000FF;
constexpr int32_t kBlue = 0xFF0000;

class SidePanelTest : public test::ShellTest {
 protected:
  // A pixel page with two lines of different colours and nearly equal weights, a square and a
  // text, opened in a window.
  void OpenDrawing() {
    ItemList list(ScreenMetrics{96, 96});
    test::AddPixelPage(list, 600, 400);
    ItemRecord& a = test::AddItem(list, kKindLine, {50, 50}, {250, 50});
    a.setLineColor(kRed);
    a.setLineWeight(0.5);
    ItemRecord& b = test::AddItem(list, kKindLine, {50, 150}, {250, 150});
    b.setLineColor(kBlue);
    b.setLineWeight(0.50004);
    for (ItemRecord* line : {&a, &b}) {
      line->setDirection(-1);
      line->setPenWidth(2);
    }
    test::AddShape(list, kKindSquare, {{300, 200}, {400, 200}, {400, 300}, {300, 300}});
    ItemRecord& text = test::AddItem(list, kKindText, {50, 330}, {200, 330});
    SetText(text, u"Hello");
    text.setFontName("Arial");
    text.setFontSize(12);
    text.setPresetTextAngle(-1);
    test::AddItem(list, kKindPicture, {450, 50}, {550, 130});
    const QString path = Path("drawing.qlln");
    ASSERT_TRUE(WriteDocument(path, list).ok());
    form_->OpenDocumentWindow(path);
    window_ = form_->ActiveWindow();
    ASSERT_NE(window_, nullptr);
    canvas_ = window_->findChild<BitmapView*>(QStringLiteral("Image1"));
    ASSERT_NE(canvas_, nullptr);
    ASSERT_TRUE(test::WaitUntil([&] { return !window_->RenderingProgressively(); }));
  }

  void Click(Point document, Qt::KeyboardModifiers modifiers = {}) {
    const Point p = ToWindowPoint(document, window_->GetZoom(), window_->View().TileOrigin());
    const QPointF local(p.x, p.y);
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
      QMouseEvent event(type, local, canvas_->mapToGlobal(local), Qt::LeftButton,
                        type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                        modifiers);
      QApplication::sendEvent(canvas_, &event);
    }
    test::RunQueued();
  }

  void CtrlDrag(Point from, Point to) {
    const auto send = [&](QEvent::Type type, Point document, Qt::MouseButtons buttons) {
      const Point p = ToWindowPoint(document, window_->GetZoom(), window_->View().TileOrigin());
      const QPointF local(p.x, p.y);
      QMouseEvent event(type, local, canvas_->mapToGlobal(local),
                        type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons,
                        Qt::ControlModifier);
      QApplication::sendEvent(canvas_, &event);
    };
    send(QEvent::MouseButtonPress, from, Qt::LeftButton);
    send(QEvent::MouseMove, {(from.x + to.x) / 2, (from.y + to.y) / 2}, Qt::LeftButton);
    send(QEvent::MouseMove, to, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, to, Qt::NoButton);
    test::RunQueued();
  }

  SidePanel& Side() { return form_->Side(); }
  template <class Panel>
  Panel* Shown() {
    auto* panel = qobject_cast<Panel*>(Side().Stack()->currentWidget());
    EXPECT_NE(panel, nullptr) << Panel::staticMetaObject.className();
    return panel;
  }
  // Picks the entry with this text in a panel's list, as the user does.
  static void Pick(QComboBox* list, const QString& text) {
    ASSERT_NE(list, nullptr);
    const int index = list->findText(text);
    ASSERT_GE(index, 0) << text.toStdString();
    list->setCurrentIndex(index);
    emit list->activated(index);
  }
  static QString ShownText(QComboBox* list) {
    return list->currentIndex() < 0 ? QString() : list->currentText();
  }

  std::vector<const ItemRecord*> Visible(int32_t kind) {
    std::vector<const ItemRecord*> found;
    for (const ItemRecord& r : window_->GetItems()) {
      if (IsVisible(r) && r.kind() == kind) found.push_back(&r);
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

  TSandbox* window_ = nullptr;
  BitmapView* canvas_ = nullptr;
};

TEST_F(SidePanelTest, ChoosingAToolShowsItsSettingsAndAChangeStaysOutOfTheDocument) {
  OpenDrawing();
  form_->Params().lineWidth = 1.0;
  form_->RunTool(98);
  TLinebox* panel = Shown<TLinebox>();
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->Heading(), QStringLiteral("Line"));
  EXPECT_EQ(ShownText(panel->ListLabelled(QStringLiteral("Weight"))), QStringLiteral("Thick"));
  Pick(panel->ListLabelled(QStringLiteral("Weight")), QStringLiteral("Heavy"));
  EXPECT_EQ(form_->Params().lineWidth, 2.0);
  EXPECT_EQ(form_->Params().lineWidthTab, 3);
  EXPECT_FALSE(IsModified(window_->GetItems()));
  EXPECT_EQ(UndoSteps(), 0);
  // A weight of 2 mm is wide enough for a fill colour and an outline.
  EXPECT_TRUE(panel->OffersFill());
}

TEST_F(SidePanelTest, SelectedLinesShowTheirCommonValuesAndAColourIsOneUndoStep) {
  OpenDrawing();
  Click({150, 50});
  Click({150, 150}, Qt::ShiftModifier);
  EXPECT_EQ(form_->CurrentTool(), 99);
  TLinebox* panel = Shown<TLinebox>();
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->Heading(), QStringLiteral("Fine-tune"));
  EXPECT_EQ(ShownText(panel->ListLabelled(QStringLiteral("Color"))), QString());
  EXPECT_EQ(ShownText(panel->ListLabelled(QStringLiteral("Weight"))), QStringLiteral("Medium"));
  Pick(panel->ListLabelled(QStringLiteral("Color")), QStringLiteral("Lime"));
  ASSERT_EQ(Visible(kKindLine).size(), 2u);
  for (const ItemRecord* line : Visible(kKindLine))
    EXPECT_EQ(line->lineColor(), 0x00FF00);
  EXPECT_TRUE(IsModified(window_->GetItems()));
  EXPECT_EQ(ShownText(panel->ListLabelled(QStringLiteral("Color"))), QStringLiteral("Lime"));
  Trigger("Undo1");
  std::vector<int32_t> colours;
  for (const ItemRecord* line : Visible(kKindLine))
    colours.push_back(line->lineColor());
  EXPECT_EQ(colours, (std::vector<int32_t>{kRed, kBlue}));
  // Undo leaves nothing selected, and the panel no longer shows the colour it applied.
  EXPECT_EQ(FirstSelected(window_->GetItems()), nullptr);
  EXPECT_EQ(ShownText(panel->ListLabelled(QStringLiteral("Color"))), QString());
}

TEST_F(SidePanelTest, CustomPatternSevenIsUsableForTheToolAndForSelectedLines) {
  custPatternRec_t& slot = form_->Params().customPatterns[6];
  slot.name = QStringLiteral("Pattern G");
  slot.count = 2;
  slot.mm[0] = 4;
  slot.mm[1] = 2;
  slot.inUse = 1;
  OpenDrawing();
  form_->RunTool(98);
  Pick(Shown<TLinebox>()->ListLabelled(QStringLiteral("Pattern")), QStringLiteral("Pattern G"));
  EXPECT_EQ(form_->Params().linePattern, 12);
  EXPECT_EQ(form_->Params().linePatternTab, 7);
  EXPECT_EQ(ShownText(Shown<TLinebox>()->ListLabelled(QStringLiteral("Pattern"))),
            QStringLiteral("Pattern G"));

  form_->RunTool(20);
  Click({150, 50});
  Pick(Shown<TLinebox>()->ListLabelled(QStringLiteral("Pattern")), QStringLiteral("Pattern G"));
  const std::vector<const ItemRecord*> lines = Visible(kKindLine);
  const ItemRecord* dashed = lines.front()->y1() == 50 ? lines.front() : lines.back();
  EXPECT_LT(dashed->linePattern(), 0);
  const DashPattern pattern = BuildPattern(window_->GetItems(), *dashed, 1.0);
  EXPECT_EQ(pattern.count, 2);
  EXPECT_EQ(pattern.pixels[0], 15);
  EXPECT_EQ(UndoSteps(), 1);
}

TEST_F(SidePanelTest, AWeightJustSavedBecomesTheToolsSettingWhileTheSelectionKeepsItsOwn) {
  OpenDrawing();
  Click({150, 50});
  TLinebox* panel = Shown<TLinebox>();
  ASSERT_NE(panel, nullptr);
  Pick(panel->ListLabelled(QStringLiteral("Weight")), QStringLiteral("Customize..."));
  THostWindow* host = form_->HostY();
  ASSERT_TRUE(host->isVisible());
  // As the weight dialog's Save leaves it: slot A in use and just saved.
  custThicknessRec_t& slot = form_->Params().customWeights[0];
  EnterThickness(slot, QStringLiteral("Bold A"), QStringLiteral("4"), 2, form_->Params().screen);
  slot.justSaved = 1;
  QTest::mouseClick(host->SecondButton(), Qt::LeftButton);
  EXPECT_EQ(form_->Params().lineWidth, 4.0);
  EXPECT_EQ(form_->Params().customWeights[0].justSaved, 0);
  EXPECT_EQ(ShownText(panel->ListLabelled(QStringLiteral("Weight"))), QStringLiteral("Medium"));
  EXPECT_EQ(UndoSteps(), 0);
}

TEST_F(SidePanelTest, ASelectedSquareOffersItsSuggestionsAndSwitchesToARectangleInOneStep) {
  OpenDrawing();
  Click({300, 250});
  EXPECT_EQ(form_->CurrentTool(), 201);
  EXPECT_EQ(Side().ShownSuggestions(), (std::vector<int>{1, 11}));
  EXPECT_EQ(Side().Entry(0)->text(), QStringLiteral("Insert new item"));
  EXPECT_EQ(Side().Entry(1)->text(), QStringLiteral("Start next square"));
  EXPECT_TRUE(Side().Prompt()->isVisibleTo(form_.get()));
  TPolybox* panel = Shown<TPolybox>();
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(ShownText(panel->ShapeList()), QStringLiteral("Square"));
  Pick(panel->ShapeList(), QStringLiteral("Rectangle"));
  ASSERT_EQ(Visible(kKindRectangle).size(), 1u);
  EXPECT_TRUE(Visible(kKindSquare).empty());
  Trigger("Undo1");
  EXPECT_EQ(Visible(kKindSquare).size(), 1u);
  EXPECT_TRUE(Visible(kKindRectangle).empty());

  QTest::mouseClick(Side().Entry(1), Qt::LeftButton);
  EXPECT_EQ(form_->CurrentTool(), 101);
  EXPECT_EQ(Shown<TPolybox>()->Heading(), QStringLiteral("Square"));
  EXPECT_EQ(Shown<TPolybox>()->GuidanceLine(0),
            QStringLiteral("Select how you want the next square drawn."));
}

TEST_F(SidePanelTest, SeveralKindsShowTheCommonPanelWhoseMirrorIsOneUndoStep) {
  OpenDrawing();
  Click({150, 50});
  Click({300, 250}, Qt::ShiftModifier);
  EXPECT_EQ(form_->CurrentTool(), 59);
  TUnibox* panel = Shown<TUnibox>();
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(Side().ShownSuggestions(), (std::vector<int>{1, 52, 53}));
  const std::vector<PointEntry> before = Visible(kKindSquare).front()->points;
  const int steps = UndoSteps();
  QTest::mouseClick(panel->findChild<QToolButton*>(QStringLiteral("Mirror")), Qt::LeftButton);
  EXPECT_EQ(UndoSteps(), steps + 1);
  EXPECT_TRUE(IsModified(window_->GetItems()));
  EXPECT_NE(Visible(kKindSquare).front()->points.front().point, before.front().point);
  Trigger("Undo1");
  EXPECT_EQ(Visible(kKindSquare).front()->points.front().point, before.front().point);
}

TEST_F(SidePanelTest, ASelectedTextTakesSizeAndItalicAsOneUndoStepEach) {
  OpenDrawing();
  CtrlDrag({40, 300}, {260, 350});
  EXPECT_EQ(form_->CurrentTool(), 301);
  TTextbox* panel = Shown<TTextbox>();
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(ShownText(panel->ListLabelled(QStringLiteral("Size"))), QStringLiteral("12"));
  const int steps = UndoSteps();
  Pick(panel->ListLabelled(QStringLiteral("Size")), QStringLiteral("24"));
  QTest::mouseClick(panel->StyleButton(1), Qt::LeftButton);
  EXPECT_EQ(UndoSteps(), steps + 2);
  ASSERT_EQ(Visible(kKindText).size(), 1u);
  EXPECT_EQ(Visible(kKindText).front()->fontSize(), 24);
  EXPECT_EQ(Visible(kKindText).front()->fontItalic(), 255);
  EXPECT_TRUE(IsModified(window_->GetItems()));
  Trigger("Undo1");
  EXPECT_EQ(Visible(kKindText).front()->fontItalic(), 0);
  EXPECT_EQ(Visible(kKindText).front()->fontSize(), 24);
}

TEST_F(SidePanelTest, ASelectedPictureTakesItsColoursAndFrameFromThePicturePanel) {
  OpenDrawing();
  CtrlDrag({440, 40}, {560, 140});
  EXPECT_EQ(form_->CurrentTool(), 401);
  TColorbox* panel = Shown<TColorbox>();
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->SliderLabel(0)->text(), QStringLiteral("Normal"));
  const int steps = UndoSteps();
  panel->Slider(0)->setValue(256);
  EXPECT_EQ(panel->SliderLabel(0)->text(), QStringLiteral("50%"));
  panel->Slider(2)->setValue(-64);
  EXPECT_EQ(panel->SliderLabel(2)->text(), QStringLiteral("-50%"));
  panel->Slider(2)->setValue(100);
  Pick(panel->ListLabelled(QStringLiteral("Frame")), QStringLiteral("Thick"));
  EXPECT_EQ(UndoSteps(), steps + 4);
  ASSERT_EQ(Visible(kKindPicture).size(), 1u);
  const ItemRecord* picture = Visible(kKindPicture).front();
  EXPECT_EQ(picture->saturation(), 256);
  EXPECT_EQ(picture->lightness(), 50);  // a positive lightness is kept halved
  EXPECT_EQ(picture->frame(), 1);
  EXPECT_EQ(picture->lineWeight(), 1.0);
  Trigger("Undo1");
  EXPECT_EQ(Visible(kKindPicture).front()->frame(), 0);
}

TEST_F(SidePanelTest, BackAndForwardWalkThePanelStepsAndSkipAClosedWindow) {
  OpenDrawing();
  form_->RunTool(98);
  form_->RunTool(20);
  Click({150, 50});
  EXPECT_EQ(form_->CurrentTool(), 99);
  form_->RunTool(101);
  QToolButton* back = Side().BackButton();
  EXPECT_TRUE(back->isEnabled());
  QTest::mouseClick(back, Qt::LeftButton);
  EXPECT_EQ(form_->CurrentTool(), 99);
  EXPECT_NE(FirstSelected(window_->GetItems()), nullptr);
  QTest::mouseClick(back, Qt::LeftButton);
  EXPECT_EQ(form_->CurrentTool(), 20);
  EXPECT_TRUE(Side().ForwardButton()->isEnabled());
  QTest::mouseClick(Side().ForwardButton(), Qt::LeftButton);
  EXPECT_EQ(form_->CurrentTool(), 99);
  QTest::mouseClick(Side().ForwardButton(), Qt::LeftButton);
  EXPECT_EQ(form_->CurrentTool(), 101);

  // With the window gone its steps cannot be shown: back goes to the steps before them.
  prompter_.answers.push_back(PromptAnswer::No);
  window_->close();
  ASSERT_TRUE(test::WaitUntil([&] { return form_->Windows().empty(); }));
  QTest::mouseClick(back, Qt::LeftButton);
  EXPECT_EQ(form_->CurrentTool(), 20);
}

// Two documents, each with an item selected: the drawing of OpenDrawing with its picture
// selected, and behind it a card with a selected rectangle.
class TwoWindowsTest : public SidePanelTest {
 protected:
  void OpenBoth() {
    OpenDrawing();
    drawing_ = window_;
    CtrlDrag({440, 40}, {560, 140});
    ASSERT_EQ(form_->CurrentTool(), 401);
    ItemList list(ScreenMetrics{96, 96});
    test::AddPixelPage(list, 400, 300);
    test::AddShape(list, kKindRectangle, {{100, 100}, {300, 100}, {300, 250}, {100, 250}});
    const QString path = Path("card.qlln");
    ASSERT_TRUE(WriteDocument(path, list).ok());
    form_->OpenDocumentWindow(path);
    Use(form_->ActiveWindow());
    card_ = window_;
    ASSERT_NE(card_, drawing_);
    Click({100, 175});
    ASSERT_EQ(form_->CurrentTool(), 202);
    Activate(drawing_);
  }
  void Use(TSandbox* window) {
    ASSERT_NE(window, nullptr);
    window_ = window;
    canvas_ = window->findChild<BitmapView*>(QStringLiteral("Image1"));
    ASSERT_TRUE(test::WaitUntil([&] { return !window_->RenderingProgressively(); }));
  }
  // Brings a window to the front through its Window menu entry, as the user does.
  void Activate(TSandbox* window) {
    for (QAction* entry : form_->FindMenu("Window1")->actions()) {
      if (entry->property("tag").toInt() == window->GetWindowId()) entry->trigger();
    }
    ASSERT_EQ(form_->ActiveWindow(), window);
    Use(window);
  }
  static const ItemRecord* SelectedOf(TSandbox* window) {
    return FirstSelected(window->GetItems());
  }

  TSandbox* drawing_ = nullptr;
  TSandbox* card_ = nullptr;
};

TEST_F(TwoWindowsTest, TheSidePanelFollowsTheActiveWindowsSelection) {
  struct Case {
    const char* what;
    std::function<void()> act;
    int32_t tool;  // the panel then shown
  };
  const Case cases[] = {
      {"switching to the card", [this] { Activate(card_); }, 202},
      {"closing the drawing",
       [this] {
         prompter_.answers.push_back(PromptAnswer::No);
         Trigger("Close1");
         ASSERT_TRUE(test::WaitUntil([&] { return form_->Windows().size() == 1; }));
       },
       202},
      {"switching away and back",
       [this] {
         Activate(card_);
         Activate(drawing_);
       },
       401},
      {"opening a new document", [this] { Trigger("New1"); }, 20},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    // Each case on its own: a failed assertion ends the case, not the table.
    [&] {
      OpenBoth();
      EXPECT_EQ(form_->CurrentTool(), 401) << "the drawing's picture, in front again";
      c.act();
      ASSERT_TRUE(test::WaitUntil([&] { return form_->CurrentTool() == c.tool; }, 2000))
          << form_->CurrentTool();
      // The panel shown acts on the document in front, and only on it.
      TSandbox* front = form_->ActiveWindow();
      ASSERT_NE(front, nullptr);
      if (c.tool == 202) {
        ASSERT_EQ(front, card_);
        TPolybox* panel = Shown<TPolybox>();
        ASSERT_NE(panel, nullptr);
        EXPECT_EQ(ShownText(panel->ShapeList()), QStringLiteral("Rectangle"));
        Pick(panel->ListLabelled(QStringLiteral("Color")), QStringLiteral("Red"));
        ASSERT_NE(SelectedOf(card_), nullptr);
        EXPECT_EQ(SelectedOf(card_)->lineColor(), kRed);
        // The panel still shows the rectangle's values.
        EXPECT_EQ(ShownText(panel->ListLabelled(QStringLiteral("Color"))), QStringLiteral("Red"));
      } else if (c.tool == 401) {
        ASSERT_EQ(front, drawing_);
        TColorbox* panel = Shown<TColorbox>();
        ASSERT_NE(panel, nullptr);
        panel->Slider(0)->setValue(256);
        ASSERT_NE(SelectedOf(drawing_), nullptr);
        EXPECT_EQ(SelectedOf(drawing_)->saturation(), 256);
      } else {
        EXPECT_NE(Shown<TToolbox>(), nullptr);
      }
    }();
    Restart();
  }
}

}  // namespace
}  // namespace quillon

namespace quillon {
namespace {

TEST_F(SidePanelTest, AHostWindowOpensWhereItWasLeftEvenAfterARestart) {
  THostWindow* host = form_->HostX();
  host->OpenHost(10, 0, QString());
  host->resize(620, 720);
  host->move(123, 77);
  QTest::mouseClick(host->SecondButton(), Qt::LeftButton);
  ASSERT_FALSE(host->isVisible());
  Restart();
  EXPECT_EQ(form_->Params().hostSlots[5], (HostPlacement{123, 77, 620, 720, 0, 1}));
  host = form_->HostX();
  host->OpenHost(10, 0, QString());
  EXPECT_EQ(host->pos(), QPoint(123, 77));
  EXPECT_EQ(host->size(), QSize(620, 720));

  // Closed maximised, it opens maximised; restored, it takes its last normal place.
  host->showMaximized();
  QTest::mouseClick(host->SecondButton(), Qt::LeftButton);
  Restart();
  host = form_->HostX();
  host->OpenHost(10, 0, QString());
  EXPECT_TRUE(host->isMaximized());
  host->showNormal();
  ASSERT_TRUE(test::WaitUntil([&] { return host->pos() == QPoint(123, 77); }, 2000));
  EXPECT_EQ(form_->Params().hostSlots[5].maximised, 0);
}

}  // namespace
}  // namespace quillon
namespace quillon {
namespace {

// Whatever panel it shows, the side panel keeps its width, so that the drawing windows beside it
// never move when an item is selected or a tool chosen.
class SidePanelWidthTest : public test::ShellTest {};

TEST_F(SidePanelWidthTest, EveryPanelFitsTheSidePanelsWidth) {
  form_->show();
  auto* panel3 = form_->findChild<QWidget*>(QStringLiteral("Panel3"));
  ASSERT_NE(panel3, nullptr);
  const int width = panel3->width();
  for (int32_t tool : {20, 59, 98, 99, 100, 102, 106, 110, 199, 200, 202, 206, 299, 300, 301, 400,
                       401, 1024, 1050}) {
    form_->ShowTool(tool);
    QApplication::processEvents();
    EXPECT_EQ(panel3->width(), width) << "tool " << tool;
  }
}

}  // namespace
}  // namespace quillon
