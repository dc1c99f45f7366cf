// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <functional>

#include <QMouseEvent>
#include <QPointer>
#include <QScrollBar>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "canvas/CanvasFixtures.h"
#include "canvas/Ruler.h"
#include "canvas/SandboxView.h"
#include "document/EditCommands.h"
#include "document/History.h"
#include "page/AnchorLines.h"
#include "render/PictureFixtures.h"
#include "render/PictureItem.h"
#include "render/RenderItem.h"
#include "support/Wait.h"

namespace quillon {
namespace {

using test::FakeHost;

class SandboxTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
  QString Path(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }
  template <class T>
  static T* Part(TSandbox* window, const char* name) {
    return window->findChild<T*>(QString::fromLatin1(name));
  }
  // Lets the deferred work of the window run: progressive rendering and the marks after it.
  static void Settle(TSandbox* window) {
    auto* marks = window->findChild<QTimer*>(QStringLiteral("Timer3"));
    ASSERT_TRUE(
        test::WaitUntil([&] { return !window->RenderingProgressively() && !marks->isActive(); }));
  }

  // Writes the list as a document named name, opens it in a window and lets it settle.
  TSandbox* OpenWritten(ItemList& list, const char* name) {
    const QString path = Path(name);
    if (!WriteDocument(path, list).ok()) return nullptr;
    TSandbox* window = host_.Open(path);
    Settle(window);
    return window;
  }

  QTemporaryDir dir_;
  FakeHost host_;
};

TEST_F(SandboxTest, NewWindowsAreNumberedUntitledInTheOrderMade) {
  TSandbox* first = host_.Open(QString());
  TSandbox* second = host_.Open(QString(), {800, 600}, 18602);
  EXPECT_EQ(first->GetTitle(), QStringLiteral("Untitled 1"));
  EXPECT_EQ(second->windowTitle(), QStringLiteral("Untitled 2"));
  EXPECT_EQ(second->GetWindowId(), 18602);
  EXPECT_EQ(host_.titles.back(), QStringLiteral("Untitled 2"));
  EXPECT_FALSE(IsModified(first->GetItems()));
}

TEST_F(SandboxTest, ScrollBarsAppearWhereThePageDoesNotFitWithTheCornerBetweenThem) {
  const QString path = test::WritePixelDocument(Path("wide.qlln"), 1000, 700);
  const int bar = QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  // base0 leaves a viewport of 800 x 600 beside the rulers and the two bars.
  TSandbox* window = host_.Open(path, {812 + bar, 612 + bar});
  auto* x = Part<QScrollBar>(window, "ScrollBarX");
  auto* y = Part<QScrollBar>(window, "ScrollBarY");
  EXPECT_TRUE(x->isVisible());
  EXPECT_TRUE(y->isVisible());
  EXPECT_TRUE(Part<QWidget>(window, "Panel1")->isVisible());
  EXPECT_EQ(Part<QWidget>(window, "Panel0")->geometry(), QRect(12, 12, 800, 600));
  EXPECT_EQ(Part<QWidget>(window, "rulerX")->geometry(), QRect(12, 0, 800, 12));
  EXPECT_EQ(Part<QWidget>(window, "rulerY")->geometry(), QRect(0, 12, 12, 600));
  EXPECT_EQ(x->maximum(), 1000 - 800 + 12 + bar);
  EXPECT_EQ(y->maximum(), 700 - 600 + 12 + bar);
  EXPECT_EQ(x->pageStep(), 800);
  // A page that fits needs no bars.
  TSandbox* small =
      host_.Open(test::WritePixelDocument(Path("small.qlln"), 300, 200), {800, 600}, 18602);
  EXPECT_FALSE(Part<QScrollBar>(small, "ScrollBarX")->isVisible());
  EXPECT_FALSE(Part<QWidget>(small, "Panel1")->isVisible());
}

TEST_F(SandboxTest, LongPagesAreShownThroughTheTileOrigin) {
  const QString path = test::WritePixelDocument(Path("long.qlln"), 2000, 300);
  TSandbox* window = host_.Open(path, {312, 330});
  EXPECT_EQ(window->View().Canvas().width(), 1600);
  auto* x = Part<QScrollBar>(window, "ScrollBarX");
  ASSERT_GE(x->maximum(), 1700);
  x->setValue(1700);
  EXPECT_EQ(window->View().TileOrigin().x, 400);
  EXPECT_EQ(window->View().CanvasOffset().x, -1700);
  EXPECT_EQ(Part<QWidget>(window, "Panel2")->x(), -1300);
  x->setValue(0);
  EXPECT_EQ(window->View().TileOrigin().x, 0);
}

TEST_F(SandboxTest, CanvasShowsTheBackgroundAndThePageDecoration) {
  ItemList list(ScreenMetrics{96, 96});
  ItemRecord& page = test::AddPixelPage(list, 400, 300);
  page.setPageKind(1);
  page.setPageWidth(300);
  page.setPageHeight(250);
  page.setMarginLeft(10);
  page.setMarginTop(10);
  TSandbox* window = OpenWritten(list, "decorated.qlln");
  ASSERT_NE(window, nullptr);
  const QImage shown = Part<QWidget>(window, "Image1")->grab().toImage();
  ASSERT_EQ(shown.size(), QSize(400, 300));
  EXPECT_EQ(shown.pixelColor(200, 150), QColor(Qt::white));
  EXPECT_EQ(shown.pixelColor(10, 10), QColor(192, 192, 192));  // printable area, dotted
  EXPECT_EQ(shown.pixelColor(13, 10), QColor(Qt::white));
  EXPECT_EQ(shown.pixelColor(300, 100), QColor(192, 192, 192));  // the paper's right edge
  EXPECT_EQ(shown.pixelColor(100, 250), QColor(192, 192, 192));  // and its bottom edge
}

TEST_F(SandboxTest, CanvasShowsTheItemsOfALoadedDocument) {
  ItemList list(ScreenMetrics{96, 96});
  test::AddPixelPage(list, 400, 300);
  ItemRecord& item = test::AddRectangle(list, {100, 100}, {200, 160});
  item.setFillColor(0x0000FF);
  item.setShapeStyle(2);
  TSandbox* window = OpenWritten(list, "items.qlln");
  ASSERT_NE(window, nullptr);
  const QImage shown = Part<QWidget>(window, "Image1")->grab().toImage();
  EXPECT_EQ(shown.pixelColor(150, 130), QColor(255, 0, 0));
  EXPECT_EQ(shown.pixelColor(50, 50), QColor(Qt::white));
}

TEST_F(SandboxTest, LoadedTextsShowWholeWithTheirShadows) {
  // A stored text box may be only its baseline; the window gives it the box its glyphs take,
  // and shows the shadow that falls beyond it.
  ItemList list(ScreenMetrics{96, 96});
  test::AddPixelPage(list, 400, 300);
  ItemRecord& text = test::AddItem(list, kKindText, {40, 100}, {300, 100});
  SetText(text, u"HHHHHH");
  text.setFontName("Arial");
  text.setFontSize(28);
  text.setTextColor(0);
  text.setShadowSize(70);
  text.setShadowSoftness(0);
  text.setShadowLightness(0);
  TSandbox* window = OpenWritten(list, "text.qlln");
  ASSERT_NE(window, nullptr);
  const QImage shown = Part<QWidget>(window, "Image1")->grab().toImage();
  int glyphRows = 0, shadowBelow = 0;
  for (int y = 60; y < 100; ++y) {
    bool dark = false;
    for (int x = 40; x < 200; ++x)
      dark = dark || shown.pixelColor(x, y).value() < 64;
    glyphRows += dark;
  }
  for (int x = 40; x < 200; ++x)
    shadowBelow += shown.pixelColor(x, 104).value() < 64;
  EXPECT_GT(glyphRows, 15) << "the glyphs stand above the baseline";
  EXPECT_GT(shadowBelow, 10) << "the hard shadow, 8 pixels down, shows below it";
  // The box that repaints and screen updates use covers the glyphs, not only the baseline.
  for (const ItemRecord& item : window->GetItems()) {
    if (item.kind() != kKindText) continue;
    EXPECT_LE(item.boundTop(), 75);
    EXPECT_GE(item.boundBottom(), 100);
  }
}

// The outlines that pictures show while a document loads are gone when it has been drawn:
// the canvas then equals a full repaint, for turned pictures too.
TEST_F(SandboxTest, LoadingOutlinesOfPicturesAreGoneOnceTheDocumentIsDrawn) {
  for (const double turn : {0.0, 0.5, 1.2}) {
    SCOPED_TRACE(turn);
    ItemList list(ScreenMetrics{96, 96});
    test::AddPixelPage(list, 400, 300);
    test::AddSource(list, test::Quadrants(40, 30));
    test::AddPicture(list, {100, 80}, {260, 200}, 40, 30).setRotation(turn);
    TSandbox* window = OpenWritten(list, "turned.qlln");
    ASSERT_NE(window, nullptr);
    auto* canvas = Part<QWidget>(window, "Image1");
    const QImage loaded = canvas->grab().toImage();
    window->FullRepaint(false);
    const QImage repainted = canvas->grab().toImage();
    int differing = 0;
    for (int y = 0; y < loaded.height(); ++y) {
      for (int x = 0; x < loaded.width(); ++x)
        differing += loaded.pixel(x, y) != repainted.pixel(x, y);
    }
    EXPECT_EQ(differing, 0);
    window->close();
  }
}

TEST_F(SandboxTest, PictureCachesFollowTheLight) {
  // A shaded picture frame is cached at the window's zoom; a new light direction remakes it.
  ItemList list(ScreenMetrics{96, 96});
  test::AddPixelPage(list, 400, 300);
  test::AddSource(list, test::Quadrants(40, 30));
  ItemRecord& picture = test::AddPicture(list, {60, 60}, {220, 180}, 40, 30);
  picture.setFrame(1);
  picture.setLineWeight(3.0);
  picture.setLineColor(0x2080C0);
  picture.setSurface(127);
  TSandbox* window = OpenWritten(list, "picture.qlln");
  ASSERT_NE(window, nullptr);
  const auto cached = [&] {
    for (const ItemRecord& item : window->GetItems()) {
      const PictureCache* cache = item.kind() == kKindPicture ? WindowPicture(item) : nullptr;
      if (cache == nullptr) continue;
      std::vector<uint8_t> rows;
      for (int y = 0; y < cache->framed.height(); ++y)
        rows.insert(rows.end(), cache->framed.Row(y),
                    cache->framed.Row(y) + 3 * cache->framed.width());
      return rows;
    }
    return std::vector<uint8_t>();
  };
  const std::vector<uint8_t> before = cached();
  ASSERT_FALSE(before.empty());
  host_.Params().lgtdir = 3;
  window->LightDirectionChanged();
  Settle(window);
  const std::vector<uint8_t> after = cached();
  ASSERT_EQ(after.size(), before.size());
  EXPECT_NE(after, before) << "the frame is lit from the lower right now";
  // A new frame colour makes a new picture too, without anyone dropping the cache.
  for (ItemRecord& item : window->GetItems()) {
    if (item.kind() == kKindPicture) item.setLineColor(0x20C040);
  }
  window->FullRepaint(false);
  const std::vector<uint8_t> recoloured = cached();
  ASSERT_EQ(recoloured.size(), before.size());
  EXPECT_NE(recoloured, after) << "the frame is green now";
}

TEST_F(SandboxTest, ClosingAsksAboutChangesAndKeepsTheWindowUnlessAllowed) {
  struct Case {
    const char* name;
    bool titled;
    std::vector<PromptAnswer> answers;
    QString saveAs;  // the Save As dialog's answer, empty for cancel
    bool closes;
    std::string question;
  };
  const std::vector<Case> cases = {
      {"cancel", false, {PromptAnswer::Cancel}, {}, false, "Do you want to save the file?"},
      {"no", false, {PromptAnswer::No}, {}, true, "Do you want to save the file?"},
      {"yes, Save As cancelled",
       false,
       {PromptAnswer::Yes},
       {},
       false,
       "Do you want to save the file?"},
      {"yes, saved",
       false,
       {PromptAnswer::Yes},
       Path("saved.qlln"),
       true,
       "Do you want to save the file?"},
      {"titled, yes", true, {PromptAnswer::Yes}, {}, true, "Do you want to save changes to Card?"},
  };
  for (const Case& c : cases) {
    FakeHost host;
    host.files.saveAnswers = {c.saveAs};
    host.prompter.answers = {c.answers.begin(), c.answers.end()};
    const QString card = test::WritePixelDocument(Path("Card.qlln"), 300, 200);
    QPointer<TSandbox> window = host.Open(c.titled ? card : QString());
    SetModified(window->GetItems(), true);
    window->close();
    // A closing window goes with its deferred deletion; one that stays is not closing.
    test::WaitUntil([&] { return window.isNull() || !window->IsClosing(); });
    EXPECT_EQ(window.isNull() || window->IsClosing(), c.closes) << c.name;
    ASSERT_EQ(host.prompter.Texts(), std::vector<std::string>{c.question}) << c.name;
    EXPECT_EQ(host.prompter.asked[0].buttons, PromptButtons::YesNoCancel);
    if (!c.closes && !window.isNull()) {
      // The window keeps working after a cancelled close.
      EXPECT_FALSE(window->IsClosing());
      EXPECT_TRUE(IsModified(window->GetItems()));
    }
    if (c.titled) {
      EXPECT_EQ(host.recent, std::vector<QString>{card});
    }
  }
}

TEST_F(SandboxTest, AnUnchangedDocumentClosesWithoutAQuestion) {
  QPointer<TSandbox> window = host_.Open(QString());
  window->close();
  test::WaitUntil([&] { return window.isNull(); });
  EXPECT_TRUE(window.isNull());
  EXPECT_TRUE(host_.prompter.asked.empty());
  EXPECT_EQ(host_.destroyed, 1);
}

TEST_F(SandboxTest, SaveWritesTheFileOrAsksForANameAndReportsFailures) {
  TSandbox* window = host_.Open(QString());
  SetModified(window->GetItems(), true);
  // Untitled: the Save As dialog, proposing the title when asked to.
  EXPECT_FALSE(window->Save(true));
  ASSERT_EQ(host_.files.saveRequests.size(), 1u);
  const FileDialogRequest& request = host_.files.saveRequests[0];
  EXPECT_EQ(request.title, QStringLiteral("Save As"));
  EXPECT_EQ(request.initialFileName, QStringLiteral("Untitled 1"));
  EXPECT_EQ(request.filter, QStringLiteral("All files (*.*)|*.*|Quillon files (*.qlln)|*.qlln"));
  EXPECT_EQ(request.filterIndex, 2);
  EXPECT_EQ(request.defaultExtension, QStringLiteral("qlln"));
  // A folder that does not exist: the failure is reported and the changes stay marked.
  host_.files.saveAnswers = {Path("missing/folder/x.qlln")};
  EXPECT_FALSE(window->Save(false));
  ASSERT_EQ(host_.prompter.asked.size(), 1u);
  EXPECT_EQ(host_.prompter.asked[0].style, PromptStyle::Error);
  EXPECT_EQ(host_.prompter.asked[0].text.rfind("The file could not be saved.", 0), 0u);
  EXPECT_TRUE(IsModified(window->GetItems()));
  EXPECT_EQ(window->GetTitle(), QStringLiteral("Untitled 1"));
  // Written: the name becomes the title and the file a recent one.
  host_.files.saveAnswers = {Path("Poster.qlln")};
  EXPECT_TRUE(window->Save(false));
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Poster"));
  EXPECT_FALSE(IsModified(window->GetItems()));
  EXPECT_EQ(host_.recent.back(), Path("Poster.qlln"));
  EXPECT_EQ(host_.params.docdir, dir_.path());
  // Now the file exists: Save writes it without a dialog.
  SetModified(window->GetItems(), true);
  EXPECT_TRUE(window->Save(false));
  EXPECT_EQ(host_.files.saveRequests.size(), 3u);
  EXPECT_FALSE(IsModified(window->GetItems()));
}

TEST_F(SandboxTest, SaveAsOverAnExistingFileAsksFirst) {
  const QString existing = test::WritePixelDocument(Path("Old.qlln"), 100, 100);
  const QByteArray before = test::ReadAll(existing);
  TSandbox* window = host_.Open(QString());
  host_.files.saveAnswers = {existing, existing};
  host_.prompter.answers = {PromptAnswer::No, PromptAnswer::Yes};
  EXPECT_FALSE(window->SaveAs());
  EXPECT_EQ(host_.prompter.Texts(), std::vector<std::string>{"Replace the existing file?"});
  EXPECT_EQ(test::ReadAll(existing), before);
  EXPECT_TRUE(window->SaveAs());
  EXPECT_NE(test::ReadAll(existing), before);
  EXPECT_EQ(window->FileName(), existing);
}

TEST_F(SandboxTest, APictureOpensInTheClipEditorOfANewUntitledDocument) {
  TSandbox* window = host_.Open(Path("Holiday.JPG "));
  EXPECT_EQ(host_.picture, Path("Holiday.JPG"));
  EXPECT_TRUE(window->FileName().isEmpty());
  EXPECT_EQ(window->GetTitle(), QStringLiteral("Untitled 1"));
}

TEST_F(SandboxTest, AFileThatCannotBeReadLeavesAnUntitledDocument) {
  QFile bad(Path("bad.qlln"));
  ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
  bad.write(QByteArray(448, 'x'));
  bad.close();
  host_.prompter.answers = {PromptAnswer::No};
  TSandbox* window = host_.Open(Path("bad.qlln"));
  EXPECT_EQ(host_.prompter.Texts(),
            std::vector<std::string>{"Not a valid Quillon file. Attempt to open it anyway?"});
  EXPECT_TRUE(window->FileName().isEmpty());
  EXPECT_EQ(window->GetTitle(), QStringLiteral("Untitled 1"));
  EXPECT_NE(window->GetItems().PageRecord(), nullptr);
}

TEST_F(SandboxTest, ALoadedDocumentTakesTheWindowNumberAndOpensAtFullSize) {
  ItemList list(ScreenMetrics{96, 96});
  ItemRecord& page = test::AddPixelPage(list, 300, 200);
  page.setZoom(2.0);
  page.setDocumentId(5);
  const QString path = Path("Zoomed.qlln");
  ASSERT_TRUE(WriteDocument(path, list).ok());
  TSandbox* window = host_.Open(path, {800, 600}, 18603);
  EXPECT_EQ(window->GetWindowId(), 18603);
  EXPECT_DOUBLE_EQ(window->GetZoom(), 1.0);
  EXPECT_EQ(window->View().Canvas().width(), 300);
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Zoomed"));
}

TEST_F(SandboxTest, ZoomingRebuildsTheCanvasAndTheRulers) {
  TSandbox* window = host_.Open(test::WritePixelDocument(Path("z.qlln"), 300, 200));
  host_.params.zoom = 2.0;
  window->ZoomChanged();
  EXPECT_DOUBLE_EQ(window->GetZoom(), 2.0);
  EXPECT_EQ(window->View().Canvas().width(), 600);
  EXPECT_EQ(window->View().Canvas().height(), 400);
  EXPECT_TRUE(window->RenderingProgressively());
  // The horizontal ruler's scale now runs over 600 pixels, with a major tick at 200.
  const Bitmap& ruler = Part<Ruler>(window, "rulerX")->Strip();
  EXPECT_EQ(ruler.Pixel(200, 1), kRulerTickColour);
  EXPECT_EQ(ruler.Pixel(599, 1), kRulerScaleColour);
  EXPECT_EQ(ruler.Pixel(601, 1), kRulerBaseColour);
}

TEST_F(SandboxTest, PositionMarkersFollowThePointerOverTheCanvasAndLeaveWithIt) {
  TSandbox* window = host_.Open(test::WritePixelDocument(Path("m.qlln"), 300, 200));
  auto* image = Part<QWidget>(window, "Image1");
  auto* rulerX = Part<Ruler>(window, "rulerX");
  auto* rulerY = Part<Ruler>(window, "rulerY");
  QTest::mouseMove(image, QPoint(40, 30));
  ASSERT_TRUE(rulerX->MarkerShown());
  const QPoint inViewport = image->mapTo(Part<QWidget>(window, "Panel0"), QPoint(40, 30));
  EXPECT_EQ(rulerX->MarkerPosition(), inViewport.x());
  EXPECT_EQ(rulerY->MarkerPosition(), inViewport.y());
  EXPECT_EQ(rulerX->Strip().Pixel(inViewport.x(), 5), kRulerMarkerColour);
  QTest::mouseMove(Part<QWidget>(window, "background1"), QPoint(500, 400));
  EXPECT_FALSE(rulerX->MarkerShown());
  EXPECT_FALSE(rulerY->MarkerShown());
  EXPECT_NE(rulerX->Strip().Pixel(inViewport.x(), 5), kRulerMarkerColour);
}

TEST_F(SandboxTest, ResizingBeforeTheDocumentIsReadyChangesNothing) {
  auto* window = new TSandbox(host_);
  host_.area.addSubWindow(window);
  window->show();
  const QRect before = Part<QWidget>(window, "Panel0")->geometry();
  window->resize(700, 500);
  EXPECT_EQ(Part<QWidget>(window, "Panel0")->geometry(), before);
  EXPECT_TRUE(window->View().Canvas().empty());
}

TEST_F(SandboxTest, LargeDocumentsRenderProgressivelyAndStayResponsive) {
  const QString path = test::WritePixelDocument(Path("big.qlln"), 1200, 1200, 5000);
  TSandbox* window = host_.Open(path);
  ASSERT_TRUE(window->RenderingProgressively());
  auto* start = Part<QTimer>(window, "ProgressiveStart");
  ASSERT_TRUE(QTest::qWaitFor([&] { return !start->isActive(); }, 5000));
  ASSERT_TRUE(window->RenderingProgressively());
  // An event posted now is handled while items are still being drawn.
  bool handled = false;
  bool handledDuringRendering = false;
  QTimer::singleShot(0, window, [&] {
    handled = true;
    handledDuringRendering = window->RenderingProgressively();
  });
  ASSERT_TRUE(test::WaitUntil([&] { return handled; }));
  EXPECT_TRUE(handledDuringRendering);
  Settle(window);
  EXPECT_FALSE(window->RenderingProgressively());
}

TEST_F(SandboxTest, ActivationHandsZoomGridAndUndoStateToTheFrame) {
  TSandbox* window = host_.Open(QString());
  host_.tools.clear();
  host_.startMode = 1;
  window->FormDeactivate();
  EXPECT_EQ(host_.startMode, 0);
  window->SelectTool(98);
  EXPECT_EQ(window->Mode(), 1);
  host_.params.zoom = 3.0;
  const int gridMenus = host_.gridMenus;
  window->FormActivate();
  EXPECT_DOUBLE_EQ(host_.params.zoom, 1.0);
  EXPECT_GT(host_.gridMenus, gridMenus);
  EXPECT_EQ(host_.current, 18601);
  // 200 ms later the line tool's panel shows again.
  EXPECT_TRUE(QTest::qWaitFor([&] { return host_.tools == std::vector<int32_t>{98}; }, 2000));
}

// The frame's Undo and Redo follow what the document announces: after every command, and on
// activation with the state of the window activated.
TEST_F(SandboxTest, UndoAndRedoFollowTheAnnouncementsOfEachWindow) {
  ItemList list;
  test::AddPage(list);
  test::AddRectangle(list, {40, 40}, {120, 90});
  test::AddRectangle(list, {200, 60}, {260, 140});
  TSandbox* window = OpenWritten(list, "history.qlln");
  ASSERT_NE(window, nullptr);
  // Undo and Redo leave nothing selected; the commands on the selection select both first.
  const auto both = [&] {
    for (ItemRecord& r : window->GetItems()) {
      if (IsVisible(r) && r.kind() == kKindRectangle) r.setSelected(255);
    }
  };
  ItemList buffer;
  struct Case {
    const char* name;
    std::function<void()> command;
  };
  const Case cases[] = {
      {"grid reset", [&] { window->ResetGrid(kResetBoth); }},
      {"undo", [&] { window->Run(Undo); }},
      {"redo", [&] { window->Run(Redo); }},
      {"undo again", [&] { window->Run(Undo); }},
      {"bring to front", [&] { both(), window->Run(BringSelectionToFront); }},
      {"undo the restack", [&] { window->Run(Undo); }},
      {"send to back", [&] { both(), window->Run(SendSelectionToBack); }},
      {"join", [&] { both(), window->Run(JoinItems); }},
      {"split", [&] { both(), window->Run(SplitGroup); }},
      {"undo the split", [&] { window->Run(Undo); }},
      {"copy and paste",
       [&] {
         both();
         window->CopyItems(buffer);
         window->PasteItems(buffer);
       }},
      {"cut", [&] { both(), window->Run(CutSelection); }},
      {"clear undo and redo", [&] { window->ClearUndoAndRedo(); }},
      {"undo with nothing to undo", [&] { window->Run(Undo); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    c.command();
    EXPECT_EQ(host_.undo, CanUndo(window->GetItems()));
    EXPECT_EQ(host_.redo, CanRedo(window->GetItems()));
  }

  window->ResetGrid(kResetBoth);
  window->Run(Undo);
  TSandbox* other = host_.Open(QString());
  EXPECT_FALSE(host_.undo);
  EXPECT_FALSE(host_.redo);
  window->FormActivate();
  EXPECT_TRUE(host_.redo);
  other->FormActivate();
  EXPECT_FALSE(host_.redo);
}

}  // namespace
}  // namespace quillon
