// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QToolButton>
#include <QUrl>

#include "canvas/CanvasFixtures.h"
#include "canvas/TPict.h"
#include "document/DocumentFile.h"
#include "document/History.h"
#include "document/ToolNumbers.h"
#include "output/PictureWriters.h"
#include "render/decoders/DecodePicture.h"
#include "settings/ui/PropertyPanels.h"
#include "shell/HostWindow.h"
#include "shell/ShellFixture.h"
#include "support/DocumentFixtures.h"
#include "support/Wait.h"

namespace quillon {
namespace {

class PicturesTest : public test::ShellTest {
 protected:
  // A 640 x 480 photograph-like JPEG.
  QString Photo() {
    Bitmap photo(640, 480);
    for (int y = 0; y < photo.height(); ++y) {
      for (int x = 0; x < photo.width(); ++x)
        photo.SetPixel(x, y, ColourOf(x * 255 / 640, y * 255 / 480, 128));
    }
    const QString path = Path("photo.jpg");
    EXPECT_TRUE(test::WriteAll(path, EncodeJpeg(photo, 96)));
    return path;
  }
  TPict* Editor() const { return qobject_cast<TPict*>(form_->HostX()->Panel()); }
  void Click(TPict& pict, Point p) {
    QTest::mouseClick(pict.View(), Qt::LeftButton, {}, pict.ToView(p));
  }
  void Insert() { QTest::mouseClick(form_->HostX()->FirstButton(), Qt::LeftButton); }
  std::vector<const ItemRecord*> Records(int32_t kind) const {
    std::vector<const ItemRecord*> found;
    for (const ItemRecord& r : form_->ActiveWindow()->GetItems())
      if (r.kind() == kind && (kind == kKindPictureSource || IsVisible(r))) found.push_back(&r);
    return found;
  }
};

TEST_F(PicturesTest, InsertPictureOutlinesClipsAndPlacesThem) {
  New();
  const QString photo = Photo();
  files_.openAnswers = {photo};
  form_->RunTool(kToolInsertPicture);
  ASSERT_EQ(files_.openRequests.size(), 1u);
  EXPECT_EQ(files_.openRequests[0].title, QStringLiteral("Open"));
  EXPECT_TRUE(files_.openRequests[0].filter.startsWith(
      QStringLiteral("JPEG Image Files (*.jpg,*.jpeg)|*.jpg;*.jpeg|GIF Image Files")));
  TPict* pict = Editor();
  ASSERT_NE(pict, nullptr);
  ASSERT_TRUE(pict->HasPicture());
  EXPECT_TRUE(form_->HostX()->FirstButton()->isEnabled());
  EXPECT_EQ(form_->Params().picndx, 1);
  EXPECT_EQ(form_->Params().picidr, dir_.path());

  pict->findChild<QToolButton*>(QStringLiteral("bmenu2"))->click();
  Click(*pict, {96, 48});
  Click(*pict, {296, 152});
  Click(*pict, {400, 296});
  Click(*pict, {504, 400});
  ASSERT_EQ(pict->Editor().Clips().size(), 2u);
  const double scale = pict->Insert().displayScale;
  Insert();
  const auto pictures = Records(kKindPicture);
  const auto sources = Records(kKindPictureSource);
  ASSERT_EQ(pictures.size(), 2u);
  ASSERT_EQ(sources.size(), 1u);
  EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(sources[0]->pictureData.data()),
                       qsizetype(sources[0]->pictureData.size())),
            test::ReadAll(photo));
  EXPECT_EQ(QString::fromStdU16String(sources[0]->text()), photo);
  for (const ItemRecord* p : pictures) {
    EXPECT_EQ(p->x1(), 20);
    EXPECT_EQ(p->y1(), 20);
    EXPECT_EQ(p->sourceNumber(), sources[0]->sourceNumber());
  }
  EXPECT_EQ((Rect{pictures[0]->clipLeft(), pictures[0]->clipTop(), pictures[0]->clipRight(),
                  pictures[0]->clipBottom()}),
            (Rect{96, 48, 296, 152}));
  EXPECT_EQ(pictures[0]->x2() - pictures[0]->x1(), RoundToInt32(200 * scale))
      << "shown at the scale the editor chose";
  Trigger("Undo1");
  EXPECT_TRUE(Records(kKindPicture).empty()) << "one undo step";
}

// The zoom box sets the size a new picture is inserted at, as the panel's hint promises, and a
// click on its track steps it by a tick.
TEST_F(PicturesTest, TheZoomBoxSetsTheInsertedSizeAndItsTrackStepsIt) {
  New();
  files_.openAnswers = {Photo()};
  form_->RunTool(kToolInsertPicture);
  TPict* pict = Editor();
  ASSERT_NE(pict, nullptr);
  ASSERT_TRUE(pict->HasPicture());
  auto* zoom = pict->findChild<QSlider*>(QStringLiteral("ZoomBox"));
  ASSERT_NE(zoom, nullptr);
  ASSERT_TRUE(zoom->isVisible());
  const int before = zoom->value();
  QTest::mouseClick(zoom, Qt::LeftButton, {}, QPoint(zoom->width() - 3, zoom->height() / 2));
  ASSERT_TRUE(test::WaitUntil([&] { return zoom->value() != before; }));
  EXPECT_EQ(zoom->value(), before + 25);
  const double chosen = pict->Zoom();
  EXPECT_DOUBLE_EQ(chosen, zoom->value() / 100.0);
  Insert();
  const auto pictures = Records(kKindPicture);
  ASSERT_EQ(pictures.size(), 1u);
  EXPECT_EQ(pictures[0]->x2() - pictures[0]->x1(), RoundToInt32(640 * chosen));
  EXPECT_EQ(pictures[0]->y2() - pictures[0]->y1(), RoundToInt32(480 * chosen));
}

TEST_F(PicturesTest, AJunkPictureSaysSoAndInsertsNothing) {
  New();
  ASSERT_TRUE(test::WriteAll(Path("junk.jpg"), "this is not a picture"));
  files_.openAnswers = {Path("junk.jpg")};
  // The toolbar's "Insert picture" button runs the command too.
  QTest::mouseClick(Button(27), Qt::LeftButton);
  ASSERT_EQ(files_.openRequests.size(), 1u);
  EXPECT_EQ(prompter_.Texts(), std::vector<std::string>{"This is not a valid file."});
  EXPECT_FALSE(form_->HostX()->FirstButton()->isEnabled());
  Insert();
  EXPECT_TRUE(Records(kKindPicture).empty());
  EXPECT_TRUE(Records(kKindPictureSource).empty());
}

TEST_F(PicturesTest, ADoubleClickedPictureHasItsClipEdited) {
  New();
  files_.openAnswers = {Photo()};
  form_->RunTool(kToolInsertPicture);
  ASSERT_NE(Editor(), nullptr);
  Insert();
  ASSERT_EQ(Records(kKindPicture).size(), 1u);
  TSandbox* window = form_->ActiveWindow();
  const ItemRecord& placed = *Records(kKindPicture)[0];
  const Point inside = window->Context().ToCanvasPoint({placed.x1() + 30, placed.y1() + 30});
  window->Image1MouseDown(inside, {});
  window->Image1MouseUp(inside, {});
  window->Image1DblClick();
  ASSERT_TRUE(test::WaitUntil([&] { return form_->HostX()->Code() == kToolEditClip; }));
  TPict* pict = Editor();
  ASSERT_NE(pict, nullptr);
  ASSERT_NE(pict->Editor().SelectedClip(), nullptr) << "the picture's clip, selected";
  EXPECT_EQ(form_->HostX()->FirstButton()->text(), QStringLiteral("Apply"));
  pict->findChild<QToolButton*>(QStringLiteral("bmenu23"))->click();
  Insert();
  const auto pictures = Records(kKindPicture);
  ASSERT_EQ(pictures.size(), 1u);
  EXPECT_EQ(pictures[0]->rightAngle(), 90);
  Trigger("Undo1");
  ASSERT_EQ(Records(kKindPicture).size(), 1u);
  EXPECT_EQ(Records(kKindPicture)[0]->rightAngle(), 0);
}

TEST_F(PicturesTest, EditingAClipWithoutASelectedPictureLeavesTheHostClosedWithoutAWord) {
  ItemList list(ScreenMetrics{96, 96});
  test::AddPixelPage(list, 400, 300);
  test::AddRectangle(list, {10, 10}, {100, 80});
  test::AddItem(list, kKindPicture, {150, 50}, {250, 130});  // its source is missing
  const QString path = Path("sourceless.qlln");
  ASSERT_TRUE(WriteDocument(path, list).ok());
  struct Case {
    const char* what;
    int32_t selectedKind;  // 0: nothing selected
    bool window;
  };
  const Case cases[] = {
      {"without a window", 0, false},
      {"with nothing selected", 0, true},
      {"with a rectangle selected", kKindRectangle, true},
      {"with a picture whose source is missing", kKindPicture, true},
  };
  THostWindow* host = form_->HostX();
  for (const Case& c : cases) {
    if (c.window && form_->ActiveWindow() == nullptr) form_->OpenDocumentWindow(path);
    if (TSandbox* window = form_->ActiveWindow()) {
      ItemRecord* chosen = nullptr;
      for (ItemRecord& r : window->GetItems()) {
        if (IsVisible(r) && r.kind() == c.selectedKind) chosen = &r;
      }
      SelectOnly(window->GetItems(), chosen);
    }
    for (int32_t code : {kToolEditClip, kToolAddClip}) {
      SCOPED_TRACE(std::string(c.what) + " " + std::to_string(code));
      // The host hides even when it showed another dialog.
      host->OpenHost(10, 0, QString());
      ASSERT_TRUE(host->isVisible());
      form_->RunTool(code);
      EXPECT_FALSE(host->isVisible());
      EXPECT_TRUE(prompter_.asked.empty());
      prompter_.asked.clear();
    }
  }
}

// A picture file dropped onto the window opens in the clip editor, a document opens as File >
// Open opens it; other files are refused.
TEST_F(PicturesTest, DroppedFilesOpenAsTheirKindAsks) {
  const QString photo = Photo();
  const QString card = test::WritePixelDocument(Path("Card.qlln"), 300, 200, 2);
  ASSERT_TRUE(test::WriteAll(Path("notes.txt"), "text"));
  const auto drop = [&](const QString& path) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(200, 200), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(form_.get(), &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent dropped(QPointF(200, 200), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(form_.get(), &dropped);
    return true;
  };
  EXPECT_FALSE(drop(Path("notes.txt")));
  EXPECT_TRUE(drop(photo));
  ASSERT_NE(form_->ActiveWindow(), nullptr) << "a window for the picture";
  TPict* pict = Editor();
  ASSERT_NE(pict, nullptr);
  EXPECT_TRUE(pict->HasPicture());
  Insert();
  EXPECT_EQ(Records(kKindPicture).size(), 1u);
  EXPECT_TRUE(drop(card));
  ASSERT_EQ(form_->Windows().size(), 2u);
  EXPECT_EQ(form_->ActiveWindow()->FileName(), card);
}

// Edit > Paste with a picture from another program on the clipboard, and nothing copied here,
// opens the clip editor on that picture.
TEST_F(PicturesTest, APictureOnTheClipboardPastesIntoTheClipEditor) {
  New();
  QImage offered(120, 80, QImage::Format_RGB32);
  offered.fill(QColor(200, 40, 40));
  clipboard_.offered = offered;
  form_->PasteAvailable(false);
  EXPECT_TRUE(Action("Paste1")->isEnabled()) << "the picture can be pasted";
  Trigger("Paste1");
  TPict* pict = Editor();
  ASSERT_NE(pict, nullptr);
  ASSERT_TRUE(pict->HasPicture());
  Insert();
  const auto pictures = Records(kKindPicture);
  ASSERT_EQ(pictures.size(), 1u);
  EXPECT_EQ(pictures[0]->x2() - pictures[0]->x1(), 120);
  ASSERT_EQ(Records(kKindPictureSource).size(), 1u);
  EXPECT_EQ(Records(kKindPictureSource)[0]->clipShape(), kPictureBmp);
}

// While a new picture is open in the clip editor the picture insertion panel shows; its Insert
// places the entire image whatever was outlined.
TEST_F(PicturesTest, ThePictureInsertionPanelPlacesTheEntireImage) {
  New();
  files_.openAnswers = {Photo()};
  form_->RunTool(kToolInsertPicture);
  TPict* pict = Editor();
  ASSERT_NE(pict, nullptr);
  pict->findChild<QToolButton*>(QStringLiteral("bmenu2"))->click();
  Click(*pict, {96, 48});
  Click(*pict, {296, 152});
  auto* panel = form_->findChild<TPictbox*>();
  ASSERT_NE(panel, nullptr);
  auto* insert = panel->findChild<QPushButton*>(QStringLiteral("Insert"));
  ASSERT_NE(insert, nullptr);
  insert->click();
  const auto pictures = Records(kKindPicture);
  ASSERT_EQ(pictures.size(), 1u);
  EXPECT_EQ((Rect{pictures[0]->clipLeft(), pictures[0]->clipTop(), pictures[0]->clipRight(),
                  pictures[0]->clipBottom()}),
            (Rect{0, 0, 640, 480}));
  EXPECT_FALSE(form_->HostX()->isVisible());
}

}  // namespace
}  // namespace quillon
