// SPDX-License-Identifier: GPL-3.0-or-later
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPointer>
#include <QSlider>

#include "canvas/CanvasFixtures.h"
#include "canvas/SandboxView.h"
#include "document/EditCommands.h"
#include "document/History.h"
#include "render/Coordinates.h"
#include "shell/HostWindow.h"
#include "shell/ShellFixture.h"
#include "support/Wait.h"

namespace quillon {
namespace {

using test::ShellTest;

TEST_F(ShellTest, StartShowsTheFrameAndHalfASecondLaterAnEmptyDocument) {
  form_.reset();
  Start(true);
  EXPECT_EQ(form_->windowTitle(), QStringLiteral("Quillon"));
  EXPECT_TRUE(Timer("Timer2")->isActive());
  EXPECT_TRUE(form_->Windows().empty());
  ASSERT_TRUE(QTest::qWaitFor([&] { return !form_->Windows().empty(); }, 5000));
  EXPECT_EQ(Titles(), std::vector<QString>{QStringLiteral("Untitled 1")});
  // The left column holds the side panel's place beside the windows.
  EXPECT_EQ(form_->findChild<QWidget*>(QStringLiteral("Panel3"))->width(), 140);
  EXPECT_EQ(form_->findChild<QWidget*>(QStringLiteral("Panel5"))->height(), 24);
}

TEST_F(ShellTest, UntitledNumbersCountUpForTheWholeRun) {
  QPointer<TSandbox> first = New();
  New();
  EXPECT_EQ(Titles(), (std::vector<QString>{"Untitled 1", "Untitled 2"}));
  first->close();
  ASSERT_TRUE(test::WaitUntil([&] { return first.isNull(); }));
  New();
  EXPECT_EQ(Titles(), (std::vector<QString>{"Untitled 2", "Untitled 3"}));
}

TEST_F(ShellTest, WindowNumbersTakeTheSmallestFreeNumberAbove18600) {
  QPointer<TSandbox> first = New();
  QPointer<TSandbox> second = New();
  TSandbox* third = New();
  EXPECT_EQ(first->GetWindowId(), 18601);
  EXPECT_EQ(second->GetWindowId(), 18602);
  EXPECT_EQ(third->GetWindowId(), 18603);
  // With the first and third in use, the next window gets the second.
  second->close();
  ASSERT_TRUE(test::WaitUntil([&] { return second.isNull(); }));
  EXPECT_EQ(form_->NextWindowNumber(), 18602);
  EXPECT_EQ(New()->GetWindowId(), 18602);
  first->close();
  ASSERT_TRUE(test::WaitUntil([&] { return first.isNull(); }));
  EXPECT_EQ(New()->GetWindowId(), 18601);
  EXPECT_EQ(New()->GetWindowId(), 18604);
}

TEST_F(ShellTest, OpeningAFileWhileOnlyAnUntouchedNewWindowIsOpenLoadsItThere) {
  const QString card = test::WritePixelDocument(Path("Card.qlln"), 300, 200);
  TSandbox* untouched = New();
  files_.openAnswers = {card};
  Trigger("Open1");
  ASSERT_EQ(form_->Windows().size(), 1u);
  EXPECT_EQ(form_->Windows().front(), untouched);
  EXPECT_EQ(untouched->GetTitle(), QStringLiteral("Card"));
  QMenu* windows = form_->FindMenu("Window1");
  ASSERT_EQ(windows->actions().size(), 1);
  EXPECT_EQ(windows->actions().front()->text(), QStringLiteral("Card"));
  EXPECT_TRUE(windows->actions().front()->isChecked());
  // A changed window is left alone: the next file gets a window of its own.
  SetModified(untouched->GetItems(), true);
  files_.openAnswers = {card};
  Trigger("Open1");
  EXPECT_EQ(form_->Windows().size(), 2u);
  EXPECT_EQ(windows->actions().size(), 2);
}

TEST_F(ShellTest, OpenDialogProposesTheLastFileAndFeedsTheRecentFiles) {
  const QString card = test::WritePixelDocument(Path("Card.qlln"), 300, 200);
  files_.openAnswers = {card};
  Trigger("Open1");
  ASSERT_EQ(files_.openRequests.size(), 1u);
  EXPECT_EQ(files_.openRequests[0].title, QStringLiteral("Open"));
  EXPECT_EQ(files_.openRequests[0].filterIndex, 2);
  EXPECT_EQ(form_->Params().docdir, dir_.path());
  EXPECT_EQ(form_->Params().reopen[0], card);
  files_.openAnswers = {QStringLiteral("  ")};
  Trigger("Open1");
  EXPECT_EQ(files_.openRequests[1].initialFileName, card);
  EXPECT_EQ(form_->Windows().size(), 1u);
}

TEST_F(ShellTest, ZoomButtonsStepThroughTheMenuValuesAndTheMenuCheckFollows) {
  TSandbox* window = New();
  QMenu* zoom = form_->FindMenu("Zoom1");
  const auto checked = [zoom] {
    QString text;
    for (QAction* entry : zoom->actions()) {
      if (entry->isChecked()) text += entry->text();
    }
    return text;
  };
  EXPECT_EQ(checked(), QStringLiteral("100%"));
  Button(kZoomOutButton)->click();
  EXPECT_DOUBLE_EQ(window->GetZoom(), 0.75);
  EXPECT_EQ(checked(), QStringLiteral("75%"));
  EXPECT_EQ(form_->Toolbar()->TrackBar()->value(), 75);
  EXPECT_EQ(form_->Toolbar()->ZoomLabel()->text(), QStringLiteral("75%"));
  Trigger("N2001");
  Button(kZoomInButton)->click();
  EXPECT_DOUBLE_EQ(window->GetZoom(), 3.0);
  Button(kZoomInButton)->click();
  EXPECT_DOUBLE_EQ(window->GetZoom(), 3.0);
  EXPECT_EQ(checked(), QStringLiteral("300%"));
  // The slider: released at 110 the zoom follows and no menu value is checked.
  ZoomSlider* slider = form_->Toolbar()->TrackBar();
  slider->setValue(110);
  QTest::mouseRelease(slider, Qt::LeftButton);
  EXPECT_DOUBLE_EQ(window->GetZoom(), 1.1);
  EXPECT_EQ(checked(), QString());
  // At 0 it changes nothing, and the label keeps the last zoom.
  slider->setValue(0);
  QTest::mouseRelease(slider, Qt::LeftButton);
  EXPECT_DOUBLE_EQ(window->GetZoom(), 1.1);
  EXPECT_EQ(form_->Toolbar()->ZoomLabel()->text(), QStringLiteral("110%"));
  // The wheel never zooms.
  QWheelEvent wheel(QPointF(5, 5), slider->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, 120),
                    Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(slider, &wheel);
  EXPECT_EQ(slider->value(), 0);
}

TEST_F(ShellTest, EachWindowKeepsItsZoomAndActivationShowsIt) {
  TSandbox* first = New();
  Trigger("N501");
  TSandbox* second = New();
  EXPECT_DOUBLE_EQ(second->GetZoom(), 1.0);
  form_->ClientArea()->setActiveSubWindow(first);
  EXPECT_DOUBLE_EQ(form_->Params().zoom, 0.5);
  EXPECT_TRUE(Action("N501")->isChecked());
  EXPECT_EQ(form_->Toolbar()->ZoomLabel()->text(), QStringLiteral("50%"));
}

TEST_F(ShellTest, ClosingTheLastWindowResetsZoomToolAndCommands) {
  TSandbox* window = New();
  Trigger("N2001");
  for (const char* name :
       {"Save1", "SaveAs1", "Close1", "Print1", "PrintPreview1", "Export1", "ClearUndoandRedo1"}) {
    EXPECT_TRUE(Action(name)->isEnabled()) << name;
  }
  window->close();
  // The idle check runs from its timer once the window is gone.
  ASSERT_TRUE(QTest::qWaitFor([&] { return !Action("Save1")->isEnabled(); }, 5000));
  EXPECT_DOUBLE_EQ(form_->Params().zoom, 1.0);
  EXPECT_TRUE(Action("N1001")->isChecked());
  EXPECT_EQ(form_->CurrentTool(), 20);
  for (const char* name :
       {"Save1", "SaveAs1", "Close1", "Print1", "PrintPreview1", "Export1", "ClearUndoandRedo1"}) {
    EXPECT_FALSE(Action(name)->isEnabled()) << name;
  }
  EXPECT_FALSE(form_->FindMenu("Window1")->menuAction()->isVisible());
  EXPECT_FALSE(Action("psCurrentFile1")->isVisible());
}

TEST_F(ShellTest, WithoutAWindowSaveAndPrintAreDisabledAndUndoDoesNothing) {
  EXPECT_FALSE(Action("Save1")->isEnabled());
  EXPECT_FALSE(Action("Print1")->isEnabled());
  EXPECT_FALSE(Button(3)->isEnabled());
  EXPECT_FALSE(Action("Undo1")->isEnabled());
  Action("Undo1")->setEnabled(true);
  Trigger("Undo1");
  Trigger("Save1");
  EXPECT_TRUE(files_.saveRequests.empty());
  EXPECT_TRUE(form_->Windows().empty());
}

TEST_F(ShellTest, ExitAsksOnceAboutModifiedDocumentsAndHonoursTheAnswer) {
  struct Case {
    const char* name;
    bool modified;
    std::vector<PromptAnswer> answers;
    QString saveAs;
    bool exits;
    bool written;
  };
  const std::vector<Case> cases = {
      {"nothing modified", false, {}, {}, true, false},
      {"cancel", true, {PromptAnswer::Cancel}, {}, false, false},
      {"no", true, {PromptAnswer::No}, {}, true, false},
      {"yes, saved", true, {PromptAnswer::Yes}, Path("Saved.qlln"), true, true},
      {"yes, Save As cancelled", true, {PromptAnswer::Yes}, {}, false, false},
  };
  for (const Case& c : cases) {
    Restart();
    QFile::remove(Path("Saved.qlln"));
    prompter_.asked.clear();
    prompter_.answers = {c.answers.begin(), c.answers.end()};
    files_.saveAnswers = {c.saveAs};
    New();
    TSandbox* changed = New();
    if (c.modified) SetModified(changed->GetItems(), true);
    EXPECT_EQ(form_->close(), c.exits) << c.name;
    EXPECT_EQ(prompter_.asked.size(), c.modified ? 1u : 0u) << c.name;
    if (c.modified) {
      EXPECT_EQ(prompter_.asked[0].text,
                "One or more files were modified, but the changes have not been saved.\r\n"
                "Do you want to save the files?");
      EXPECT_EQ(prompter_.asked[0].style, PromptStyle::Warning);
      EXPECT_EQ(prompter_.asked[0].buttons, PromptButtons::YesNoCancel);
    }
    EXPECT_EQ(QFile::exists(Path("Saved.qlln")), c.written) << c.name;
    if (c.modified && !c.exits) {
      EXPECT_EQ(form_->Windows().size(), 2u) << c.name;
    }
    if (c.name == std::string("yes, Save As cancelled")) {
      ASSERT_EQ(files_.saveRequests.size(), 1u);
      EXPECT_EQ(files_.saveRequests.back().initialFileName, QStringLiteral("Untitled 2"));
    }
    files_.saveRequests.clear();
  }
}

TEST_F(ShellTest, GridChoicesEnableTheMatchingResetEntriesAndTheGridButton) {
  TSandbox* window = New();
  struct Case {
    const char* entry;
    bool resetShown;
    bool resetHorizontal, resetVertical, resetBoth;
    bool gridButton;
    uint8_t gridHorizontal, gridVertical;
  };
  const Case cases[] = {
      {"Vertical1", true, false, true, false, true, 0, 1},
      {"Horizontal1", true, true, false, false, true, 1, 0},
      {"Both1", true, true, true, true, true, 1, 1},
      {"None1", false, true, true, true, false, 0, 0},
  };
  for (const Case& c : cases) {
    Trigger(c.entry);
    EXPECT_TRUE(Action(c.entry)->isChecked()) << c.entry;
    EXPECT_EQ(Action("Reset1")->isEnabled(), c.resetShown) << c.entry;
    EXPECT_EQ(Action("Anchors1")->isEnabled(), c.resetShown) << c.entry;
    EXPECT_EQ(Action("Horizontal4")->isEnabled(), c.resetHorizontal) << c.entry;
    EXPECT_EQ(Action("Vertical4")->isEnabled(), c.resetVertical) << c.entry;
    EXPECT_EQ(Action("Both4")->isEnabled(), c.resetBoth) << c.entry;
    EXPECT_EQ(Button(19)->isChecked(), c.gridButton) << c.entry;
    const ItemRecord& page = *window->GetItems().PageRecord();
    EXPECT_EQ(page.gridHorizontal(), c.gridHorizontal) << c.entry;
    EXPECT_EQ(page.gridVertical(), c.gridVertical) << c.entry;
  }
  // The Gridlines button toggles between None and Both.
  Button(19)->click();
  EXPECT_TRUE(Action("Both1")->isChecked());
  Button(19)->click();
  EXPECT_TRUE(Action("None1")->isChecked());
}

TEST_F(ShellTest, GridResetAsksFirstAndIsOneUndoStep) {
  TSandbox* window = New();
  Trigger("Both1");
  prompter_.answers = {PromptAnswer::No, PromptAnswer::Yes};
  Trigger("Both4");
  EXPECT_FALSE(Action("Undo1")->isEnabled());
  Trigger("Both4");
  EXPECT_EQ(prompter_.Texts(),
            std::vector<std::string>(2,
                                     "Make the distances between the gridlines equal?\r\n"
                                     "(Use 'Tools|Grid|Customize...' to set the default "
                                     "distance)."));
  EXPECT_TRUE(Action("Undo1")->isEnabled());
  EXPECT_TRUE(CanUndo(window->GetItems()));
}

TEST_F(ShellTest, GridAnchorAndSnapMenusFollowTheActiveDocument) {
  TSandbox* first = New();
  Trigger("Vertical1");
  Trigger("Horizontal2");
  Trigger("None3");
  New();
  EXPECT_TRUE(Action("None1")->isChecked());
  EXPECT_TRUE(Action("Both3")->isChecked());
  EXPECT_TRUE(Action("None2")->isChecked());
  EXPECT_FALSE(Button(20)->isChecked());
  form_->ClientArea()->setActiveSubWindow(first);
  EXPECT_TRUE(Action("Vertical1")->isChecked());
  EXPECT_TRUE(Action("None3")->isChecked());
  EXPECT_TRUE(Action("Horizontal2")->isChecked());
  EXPECT_TRUE(Button(20)->isChecked());
}

TEST_F(ShellTest, HintsShowAllAndShowNoneAreCheckedFromTheSwitches) {
  QMenu* help = form_->FindMenu("Help1");
  Trigger("ShowAll1");
  emit help->aboutToShow();
  EXPECT_TRUE(Action("ShowAll1")->isChecked());
  EXPECT_FALSE(Action("ShowNone1")->isChecked());
  Trigger("ShowNone1");
  emit help->aboutToShow();
  EXPECT_FALSE(Action("ShowAll1")->isChecked());
  EXPECT_TRUE(Action("ShowNone1")->isChecked());
  form_->Params().hints[7] = true;
  emit help->aboutToShow();
  EXPECT_FALSE(Action("ShowAll1")->isChecked());
  EXPECT_FALSE(Action("ShowNone1")->isChecked());
}

TEST_F(ShellTest, WindowMenuListsTheWindowsAndBringsThemToTheFront) {
  TSandbox* first = New();
  TSandbox* second = New();
  QMenu* windows = form_->FindMenu("Window1");
  EXPECT_TRUE(windows->menuAction()->isVisible());
  ASSERT_EQ(windows->actions().size(), 2);
  EXPECT_EQ(windows->actions()[0]->property("tag").toInt(), 18601);
  EXPECT_FALSE(windows->actions()[0]->isChecked());
  EXPECT_TRUE(windows->actions()[1]->isChecked());
  EXPECT_EQ(Action("psCurrentFile1")->text(), QStringLiteral("Untitled 2"));
  EXPECT_EQ(Action("gasCurrentFile1")->text(), QStringLiteral("Untitled 2"));
  windows->actions()[0]->trigger();
  EXPECT_EQ(form_->ActiveWindow(), first);
  EXPECT_TRUE(windows->actions()[0]->isChecked());
  EXPECT_FALSE(windows->actions()[1]->isChecked());
  EXPECT_EQ(Action("psCurrentFile1")->text(), QStringLiteral("Untitled 1"));
  // A new name after Save As shows at once.
  files_.saveAnswers = {Path("Poster.qlln")};
  first->SaveAs();
  EXPECT_EQ(windows->actions()[0]->text(), QStringLiteral("Poster"));
  EXPECT_EQ(Action("gasCurrentFile1")->text(), QStringLiteral("Poster"));
  (void)second;
}

TEST_F(ShellTest, SelectionDecidesWhichEditCommandsAndButtonsAreOn) {
  const QString path = Path("Two.qlln");
  {
    ItemList list(ScreenMetrics{96, 96});
    test::AddPixelPage(list, 300, 200);
    test::AddRectangle(list, {10, 10}, {50, 50});
    test::AddRectangle(list, {60, 10}, {90, 50});
    ASSERT_TRUE(WriteDocument(path, list).ok());
  }
  files_.openAnswers = {path};
  Trigger("Open1");
  TSandbox* window = form_->ActiveWindow();
  const auto enabled = [this](std::initializer_list<int> buttons) {
    QCoreApplication::processEvents();  // the strip lays out the buttons it shows again
    std::vector<bool> result;
    for (int b : buttons) {
      // A button that acts on the selection is shown exactly when it can act.
      EXPECT_EQ(Button(b)->isEnabled(), !Button(b)->isHidden()) << b;
      result.push_back(Button(b)->isEnabled());
    }
    return result;
  };
  EXPECT_EQ(enabled({12, 13, 14, 16, 35, 36}), std::vector<bool>(6, false));
  EXPECT_FALSE(Action("Cut1")->isEnabled());
  SelectLastItem(window->GetItems());
  form_->ShowPanel(202, false, false);
  EXPECT_EQ(enabled({12, 13, 14, 16, 35, 36}),
            (std::vector<bool>{true, true, true, true, false, false}));
  EXPECT_TRUE(Action("Copy1")->isEnabled());
  // Copy makes Paste available; both selected can be joined, and the group split.
  Button(16)->click();
  EXPECT_TRUE(Button(15)->isEnabled());
  for (ItemRecord& r : window->GetItems()) {
    if (IsVisible(r)) r.setSelected(1);
  }
  form_->ShowPanel(59, false, false);
  EXPECT_TRUE(Button(35)->isEnabled());
  Trigger("Join1");
  EXPECT_TRUE(Button(36)->isEnabled());
  EXPECT_TRUE(Action("Split1")->isEnabled());
  EXPECT_TRUE(Action("Undo1")->isEnabled());
}

TEST_F(ShellTest, ButtonsStayInPlaceWhileTheSelectionShowsAndHidesOthers) {
  const QString path = Path("Two.qlln");
  {
    ItemList list(ScreenMetrics{96, 96});
    test::AddPixelPage(list, 300, 200);
    test::AddRectangle(list, {10, 10}, {50, 50});
    test::AddRectangle(list, {60, 10}, {90, 50});
    ASSERT_TRUE(WriteDocument(path, list).ok());
  }
  files_.openAnswers = {path};
  Trigger("Open1");
  TSandbox* window = form_->ActiveWindow();
  ASSERT_NE(window, nullptr);
  const auto places = [this] {
    QCoreApplication::processEvents();  // the strip lays out again
    std::vector<QRect> found;
    for (int n = 1; n <= kToolbarButtons; ++n) {
      QToolButton* button = Button(n);
      found.emplace_back(button->mapTo(form_.get(), QPoint(0, 0)), button->size());
    }
    return found;
  };
  const std::vector<QRect> unselected = places();
  ASSERT_TRUE(Button(14)->isHidden());
  // One item selected, then two joined into a group, which shows Split group.
  SelectLastItem(window->GetItems());
  form_->ShowPanel(202, false, false);
  ASSERT_FALSE(Button(14)->isHidden());
  EXPECT_EQ(places(), unselected);
  for (ItemRecord& r : window->GetItems()) {
    if (IsVisible(r)) r.setSelected(1);
  }
  form_->ShowPanel(59, false, false);
  Trigger("Join1");
  ASSERT_FALSE(Button(36)->isHidden());
  EXPECT_EQ(places(), unselected);
  // A release on "Insert picture" where it was before the selection reaches it.
  const QPoint insertPicture = unselected[26].center();
  EXPECT_EQ(form_->childAt(insertPicture), Button(27));
}

TEST_F(ShellTest, EditPasteIsOnExactlyWhenThereIsSomethingToPasteAsItsButton) {
  const QString path = Path("One.qlln");
  {
    ItemList list(ScreenMetrics{96, 96});
    test::AddPixelPage(list, 300, 200);
    test::AddRectangle(list, {10, 10}, {50, 50});
    ASSERT_TRUE(WriteDocument(path, list).ok());
  }
  const auto paste = [this] {
    // The menu as the user opens it.
    emit form_->FindMenu("Edit1")->aboutToShow();
    EXPECT_EQ(Action("Paste1")->isEnabled(), Button(15)->isEnabled());
    return Action("Paste1")->isEnabled();
  };
  EXPECT_FALSE(paste()) << "nothing copied, no window";
  files_.openAnswers = {path};
  Trigger("Open1");
  TSandbox* window = form_->ActiveWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_FALSE(paste()) << "nothing copied yet";
  SelectLastItem(window->GetItems());
  form_->ShowPanel(202, false, false);
  Trigger("Copy1");
  EXPECT_TRUE(paste()) << "a copied rectangle";
  // A picture another program put on the clipboard can be pasted too.
  Restart();
  EXPECT_FALSE(paste());
  clipboard_.offered = QImage(4, 4, QImage::Format_RGB32);
  EXPECT_TRUE(paste()) << "a picture on the clipboard";
}

TEST_F(ShellTest, TheKeyHookGivesKeysToTheActiveWindow) {
  const QString path = Path("One.qlln");
  {
    ItemList list(ScreenMetrics{96, 96});
    test::AddPixelPage(list, 300, 200);
    test::AddRectangle(list, {10, 10}, {50, 50});
    ASSERT_TRUE(WriteDocument(path, list).ok());
  }
  files_.openAnswers = {path};
  Trigger("Open1");
  TSandbox* window = form_->ActiveWindow();
  SelectLastItem(window->GetItems());
  // Delete typed into a field belongs to the field, not to the selection.
  auto* field = new QLineEdit(form_.get());
  field->show();
  field->setFocus();
  QTest::keyClick(field, Qt::Key_Delete);
  EXPECT_NE(FirstSelected(window->GetItems()), nullptr);
  delete field;
  QWidget* target = QApplication::focusWidget() != nullptr ? QApplication::focusWidget()
                                                           : static_cast<QWidget*>(form_.get());
  QTest::keyClick(target, Qt::Key_Delete);
  EXPECT_EQ(FirstSelected(window->GetItems()), nullptr);
  EXPECT_TRUE(CanUndo(window->GetItems()));
}

TEST_F(ShellTest, AnOpenHostWindowHoldsTheDocumentsKeysUntilItHides) {
  TSandbox* window = New();
  Trigger("About1");
  auto* host = form_->findChild<THostWindow*>();
  ASSERT_NE(host, nullptr);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !window->AcceptsKeys(); }, 2000));
  for (THostWindow* h : form_->findChildren<THostWindow*>())
    h->hide();
  EXPECT_TRUE(window->AcceptsKeys());
}

TEST_F(ShellTest, ToolButtonsSwitchThePanelAndMarkTheCurrentTool) {
  TSandbox* window = New();
  Button(23)->click();
  EXPECT_EQ(form_->CurrentTool(), 102);
  EXPECT_EQ(window->Mode(), 102);
  EXPECT_TRUE(Button(23)->property("currentTool").toBool());
  Button(17)->click();
  EXPECT_EQ(window->Mode(), 1);
  EXPECT_FALSE(Button(23)->property("currentTool").toBool());
  EXPECT_TRUE(Button(17)->property("currentTool").toBool());
  Button(9)->click();
  EXPECT_EQ(form_->CurrentTool(), 20);
  EXPECT_EQ(window->Mode(), 0);
  // Insert menu entries run their tool numbers.
  Trigger("InsertStar1");
  EXPECT_EQ(window->Mode(), 105);
}

TEST_F(ShellTest, ADrawingToolWithoutAWindowOpensADocumentInThatTool) {
  Button(24)->click();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !form_->Windows().empty(); }, 5000));
  ASSERT_EQ(form_->Windows().size(), 1u);
  EXPECT_EQ(form_->Windows().front()->Mode(), 103);
}

TEST_F(ShellTest, HostWindowsOpenWithTheirCaptionsAndButtons) {
  struct Case {
    const char* entry;
    bool hostY;
    const char* caption;
    const char* first;
    const char* second;
  };
  const Case withoutWindow[] = {
      {"About1", false, "About", "Web", "Close"},
      {"psCurrentFile1", false, "Page Setup - New Files", "Apply", "Cancel"},
      {"gasNewFiles1", false, "Grid and Snap - New Files", "Save", "Cancel"},
      {"Customize1", false, "Grid and Snap", "Save", "Cancel"},
      {"Speed1", true, "Speed", "Apply", "Cancel"},
      {"LineWeights1", true, "Customize Line Weights", "Save", "Cancel"},
      {"Shadows1", true, "Customize Shadows", "Save", "Cancel"},
      {"LinePatterns1", false, "Customize Line Patterns", "Save", "Cancel"},
  };
  for (const Case& c : withoutWindow) {
    Trigger(c.entry);
    THostWindow* host = c.hostY ? form_->HostY() : form_->HostX();
    EXPECT_TRUE(host->isVisible()) << c.entry;
    EXPECT_EQ(host->windowTitle(), QString::fromLatin1(c.caption)) << c.entry;
    EXPECT_EQ(host->FirstButton()->text(), QString::fromLatin1(c.first)) << c.entry;
    EXPECT_EQ(host->SecondButton()->text(), QString::fromLatin1(c.second)) << c.entry;
    QTest::mouseClick(host->SecondButton(), Qt::LeftButton);
    EXPECT_FALSE(host->isVisible()) << c.entry;
  }
  New();
  Trigger("psCurrentFile1");
  EXPECT_EQ(form_->HostX()->windowTitle(), QStringLiteral("Page Setup - Untitled 1"));
  EXPECT_EQ(form_->HostX()->Number(), 18601);
  Trigger("Speed1");
  EXPECT_EQ(form_->HostY()->windowTitle(), QStringLiteral("Speed - Untitled 1"));
}

TEST_F(ShellTest, ChosenColoursJoinTheUserColours) {
  colours_.answer = 0x123456;
  Trigger("Colors1");
  EXPECT_EQ(form_->Params().userColours[0], 0x123456);
  colours_.answer.reset();
  Trigger("Colors1");
  EXPECT_EQ(colours_.calls, 2);
  EXPECT_EQ(form_->Params().userColours[1], -1);
}

TEST_F(ShellTest, ThePanelsADrawingWindowAsksForLeaveItsGestureAndTypingLeavesShortcuts) {
  const QString path = Path("Spline.qlln");
  {
    ItemList list(ScreenMetrics{96, 96});
    test::AddPixelPage(list, 300, 200);
    test::AddShape(list, kKindSpline, {{20, 20}, {80, 20}}).setShapeStyle(0);
    ASSERT_TRUE(WriteDocument(path, list).ok());
  }
  files_.openAnswers = {path};
  Trigger("Open1");
  TSandbox* window = form_->ActiveWindow();
  ASSERT_NE(window, nullptr);
  const auto at = [&](Point p) {
    return ToWindowPoint(p, window->GetZoom(), window->View().TileOrigin());
  };
  QWidget* target = QApplication::focusWidget() != nullptr ? QApplication::focusWidget()
                                                           : static_cast<QWidget*>(form_.get());
  // With the continuation's guidance switched off its panel opens; the points stay.
  form_->Params().hints[26] = false;
  SelectLastItem(window->GetItems());
  window->Image1MouseMove(at({120, 60}), {});
  QKeyEvent ctrlA(QEvent::KeyPress, Qt::Key_A, Qt::ControlModifier, QString(QChar(1)));
  QApplication::sendEvent(target, &ctrlA);
  EXPECT_EQ(window->Mode(), 297);
  window->Image1MouseDown(at({120, 60}), {});
  window->Image1MouseUp(at({120, 60}), {});
  QTest::keyClick(target, Qt::Key_Return);
  ItemRecord* spline = FirstSelected(window->GetItems());
  ASSERT_NE(spline, nullptr);
  EXPECT_EQ(spline->points.size(), 3u);

  // Letters typed into a new text are text; Ctrl+Z is still Undo.
  form_->ShowPanel(300, false, true);
  window->Image1MouseDown(at({40, 150}), {});
  window->Image1MouseUp(at({40, 150}), {});
  QTest::keyClicks(target, QStringLiteral("ab"));
  ItemRecord* text = FirstSelected(window->GetItems());
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(GetText(*text), u"ab");
  QApplication::setActiveWindow(form_.get());
  QTest::keyClick(target, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(window->EditedText(), nullptr);
  EXPECT_EQ(FirstSelected(window->GetItems()), nullptr);
}

}  // namespace
}  // namespace quillon

namespace quillon {
namespace {

// A window of the program that closes hands the keys to the window it belongs to, also when
// nothing (no window manager) would: the main window's shortcuts work at once. A window it
// does not belong to keeps them.
TEST_F(ShellTest, AClosedWindowHandsTheKeysToItsOwner) {
  form_->show();
  QDialog dialog(form_.get());
  dialog.show();
  dialog.activateWindow();
  ASSERT_TRUE(test::WaitUntil([&] { return dialog.isActiveWindow(); }, 5000));
  QApplication::setActiveWindow(nullptr);  // the keys went nowhere, as without a manager
  dialog.hide();
  EXPECT_TRUE(test::WaitUntil([&] { return form_->isActiveWindow(); }, 5000));

  dialog.show();
  QWidget other;
  other.show();
  other.activateWindow();
  ASSERT_TRUE(test::WaitUntil([&] { return other.isActiveWindow(); }, 5000));
  dialog.hide();
  QApplication::processEvents();
  EXPECT_TRUE(other.isActiveWindow()) << "the keys stay with the window the user went to";
}

}  // namespace
}  // namespace quillon
