// SPDX-License-Identifier: GPL-3.0-or-later
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QStyleOptionMenuItem>

#include "shell/Chrome.h"
#include "shell/ShellFixture.h"
#include "support/Wait.h"

namespace quillon {
namespace {

using test::ShellTest;

// One line per entry: caption, tag and shortcut; "-" for a separator; hidden entries start
// with "*" and submenus end with " >".
std::vector<std::string> Describe(const QMenu* menu) {
  std::vector<std::string> lines;
  for (const QAction* action : menu->actions()) {
    if (action->isSeparator()) {
      lines.push_back("-");
      continue;
    }
    std::string line = action->isVisible() ? "" : "*";
    line += action->text().toStdString() + "|" + action->property("tag").toString().toStdString();
    if (!action->shortcut().isEmpty()) {
      // Appended piece by piece: GCC 12 sees a false overlap in "|" + a temporary string.
      line += '|';
      line += action->shortcut().toString().toStdString();
    }
    if (action->menu() != nullptr) line += " >";
    lines.push_back(line);
  }
  return lines;
}

using Lines = std::vector<std::string>;

TEST_F(ShellTest, MenuTreeHasTheCaptionsTagsShortcutsAndSeparatorsOfTheProgram) {
  New();
  std::vector<std::string> top;
  for (const QAction* action : form_->menuBar()->actions()) {
    top.push_back(action->text().toStdString() + "|" +
                  action->property("tag").toString().toStdString());
  }
  EXPECT_EQ(top, (Lines{"File|8000", "Insert|8100", "Edit|8200", "Zoom|8300", "Tools|8400",
                        "Customize|8500", "Window|8600", "Help|8700"}));
  EXPECT_EQ(Describe(form_->FindMenu("File1")),
            (Lines{"New|8001|Ctrl+N", "Open|8002|Ctrl+O", "Reopen|8003 >", "Save|8005|Ctrl+S",
                   "Save As|8006", "Close|8007", "-", "Page Setup|8008 >", "Grid and Snap|8009 >",
                   "-", "Print Preview|8010", "Print|8011|Ctrl+P", "-", "Export|8012 >",
                   "*Screenshot|0", "-", "Exit|8015"}));
  EXPECT_EQ(Describe(form_->FindMenu("PageSetup1")),
            (Lines{"Untitled 1|8016", "-", "New Files|8017"}));
  EXPECT_EQ(Describe(form_->FindMenu("GridandSnap1")),
            (Lines{"Untitled 1|8018", "-", "New Files|8019"}));
  EXPECT_EQ(Describe(form_->FindMenu("Export1")),
            (Lines{"Exact|8013", "Smooth|8014", "Picture at a resolution...|8020"}));
  EXPECT_EQ(Describe(form_->FindMenu("Insert1")),
            (Lines{"Picture|400", "Text|300", "Line|98", "Arc|108", "Spline|109", "Curve|111",
                   "Triangle|100", "Square|101", "Rectangle|102", "Circle|103", "Pie|107",
                   "Ellipse|104", "Polygon|199", "Star|105", "Solid|110", "Oblong|112"}));
  EXPECT_EQ(Describe(form_->FindMenu("Edit1")),
            (Lines{"Undo|8201|Ctrl+Z", "Redo|8202|Ctrl+Alt+Z", "-", "Clear Undo and Redo|8203", "-",
                   "Cut|8204|Ctrl+Del", "Copy|8205|Ctrl+Ins", "Paste|8206|Shift+Ins",
                   "Cut and Copy|8210|Ctrl+X", "Duplicate|8211|Ctrl+Shift+D",
                   "Select All|8212|Ctrl+Shift+A", "-", "*Copy to Clipboard|8207",
                   "Join Items|8208|Ctrl+G", "Split Group|8209|Ctrl+Shift+G", "-",
                   "Bring Forward|8213|PgUp", "Send Backward|8214|PgDown"}));
  EXPECT_EQ(Describe(form_->FindMenu("Zoom1")),
            (Lines{"25%|8301", "50%|8302", "75%|8303", "100%|8304|Ctrl+0", "125%|8305", "150%|8306",
                   "175%|8307", "200%|8308", "300%|8309", "-", "Zoom In|8310|Ctrl++",
                   "Zoom Out|8311|Ctrl+-"}));
  EXPECT_EQ(
      Describe(form_->FindMenu("Tools1")),
      (Lines{"Grid|8401 >", "Snap|8416 >", "-", "Speed...|8421", "Calibrate Printer...|8422"}));
  EXPECT_EQ(Describe(form_->FindMenu("Grid1")),
            (Lines{"None|8402", "Horizontal|8403", "Vertical|8404", "Both|8405", "-",
                   "Customize...|8406", "Reset|8407 >", "-", "Anchors|8411 >"}));
  EXPECT_EQ(Describe(form_->FindMenu("Reset1")),
            (Lines{"Horizontal|8408", "Vertical|8409", "Both|8410"}));
  EXPECT_EQ(Describe(form_->FindMenu("Anchors1")),
            (Lines{"None|8412", "Horizontal|8413", "Vertical|8414", "Both|8415"}));
  EXPECT_EQ(Describe(form_->FindMenu("Snap1")),
            (Lines{"None|8417", "Horizontal|8418", "Vertical|8419", "Both|8420"}));
  EXPECT_EQ(Describe(form_->FindMenu("Customize2")),
            (Lines{"Colors|8501", "Line Weights|8502", "Line Patterns|8503", "Line Angles|8504",
                   "Text Sizes|8505", "Text Angles|8506", "Shadows|8507"}));
  EXPECT_EQ(Describe(form_->FindMenu("Help1")),
            (Lines{"Contents|8702|F1", "Hints|8701 >", "-", "*Notice|8705",
                   "Keyboard Shortcuts|8707", "About|8706"}));
  EXPECT_EQ(Describe(form_->FindMenu("Hints1")), (Lines{"Show All|8703", "Show None|8704"}));
  EXPECT_EQ(Describe(form_->FindMenu("Window1")), (Lines{"Untitled 1|18601"}));
}

TEST_F(ShellTest, AtStartTheMenusShowTheStartingChoices) {
  EXPECT_FALSE(Action("Undo1")->isEnabled());
  EXPECT_FALSE(Action("Redo1")->isEnabled());
  EXPECT_TRUE(Action("Export1")->isVisible());
  for (const char* checked : {"N1001", "None1", "None2", "Both3"}) {
    EXPECT_TRUE(Action(checked)->isChecked()) << checked;
  }
  EXPECT_FALSE(form_->FindMenu("Window1")->menuAction()->isVisible());
  EXPECT_FALSE(Action("psCurrentFile1")->isVisible());
  EXPECT_FALSE(Action("gasCurrentFile1")->isVisible());
  EXPECT_FALSE(form_->FindMenu("Reopen")->isEnabled());
}

TEST_F(ShellTest, ToolbarButtonsCarryTheirHintsInOrderWithTheZoomControlsAtTheRight) {
  const char* hints[] = {nullptr,
                         "Create a new file",
                         "Open an existing file",
                         "Save the file",
                         "Export as a picture",
                         "Print the picture",
                         "Undo the last edit",
                         "Redo the last undo",
                         "Repaint the screen",
                         "Select an item",
                         "Zoom out",
                         "Zoom in",
                         "Place the selected item behind other objects",
                         "Place the selected item on top of other objects",
                         "Erase the selected item",
                         "Paste from clipboard",
                         "Copy to clipboard",
                         "Insert line",
                         "Insert text",
                         "Gridlines",
                         "Snap",
                         "Insert triangle",
                         "Insert square",
                         "Insert rectangle",
                         "Insert circle",
                         "Insert ellipse",
                         "Insert polygon",
                         "Insert picture",
                         "Insert arc",
                         "Insert spline",
                         "Insert curve",
                         "Insert pie",
                         "Insert star",
                         "Insert solid",
                         "Insert oblong",
                         "Join items",
                         "Split group"};
  // Wide enough for every button; narrower, the strip folds its last buttons away.
  form_->resize(1400, 800);
  test::RunQueued();
  int lastX = -1;
  for (int n = 1; n <= kToolbarButtons; ++n) {
    QToolButton* button = Button(n);
    ASSERT_NE(button, nullptr) << n;
    EXPECT_EQ(button->toolTip(), QString::fromLatin1(hints[n])) << n;
    // The buttons that act on a selection are off the strip while nothing is selected.
    if (n == kZoomOutButton || n == kZoomInButton || button->isHidden()) continue;
    const int x = button->mapTo(form_->Toolbar(), QPoint()).x();
    EXPECT_GT(x, lastX) << n;
    lastX = x;
  }
  EXPECT_EQ(Button(kZoomOutButton)->objectName(), QStringLiteral("bzoom1"));
  EXPECT_EQ(Button(6)->objectName(), QStringLiteral("bmenu6"));
  // From right to left: "Zoom in", the slider, "Zoom out", then the caption and the label.
  TProcs* procs = form_->Toolbar();
  const auto right = [procs](QWidget* w) { return w->mapTo(procs, QPoint(w->width(), 0)).x(); };
  auto* caption = procs->findChild<QLabel*>(QStringLiteral("ZoomCaption"));
  EXPECT_GT(right(Button(kZoomInButton)), right(procs->TrackBar()));
  EXPECT_GT(right(procs->TrackBar()), right(Button(kZoomOutButton)));
  EXPECT_GT(right(Button(kZoomOutButton)), right(caption));
  EXPECT_GT(caption->mapTo(procs, QPoint()).x(), lastX);
  // However narrow the window, the zoom controls stay.
  form_->resize(700, 600);
  test::RunQueued();
  EXPECT_TRUE(Button(kZoomInButton)->isVisible());
  EXPECT_TRUE(procs->TrackBar()->isVisible());
  EXPECT_EQ(caption->text(), QStringLiteral("Zoom"));
  EXPECT_EQ(procs->ZoomLabel()->text(), QStringLiteral("100%"));
  EXPECT_EQ(procs->TrackBar()->minimum(), 0);
  EXPECT_EQ(procs->TrackBar()->maximum(), 300);
  EXPECT_EQ(procs->TrackBar()->tickInterval(), 25);
  EXPECT_EQ(procs->TrackBar()->value(), 100);
}

TEST_F(ShellTest, AButtonRisesUnderThePointerAndRestsAgainAfterFiveSeconds) {
  QTimer* rest = Timer("Timer3");
  EXPECT_EQ(rest->interval(), 5000);
  const QImage resting = Button(1)->grab().toImage();
  const QImage restingSecond = Button(2)->grab().toImage();
  QTest::mouseMove(Button(1), QPoint(10, 10));
  EXPECT_TRUE(Button(1)->property("raised").toBool());
  EXPECT_TRUE(rest->isActive());
  EXPECT_NE(Button(1)->grab().toImage(), resting);
  // Another button takes over; a switched-off one does not rise.
  QTest::mouseMove(Button(2), QPoint(10, 10));
  EXPECT_FALSE(Button(1)->property("raised").toBool());
  EXPECT_TRUE(Button(2)->property("raised").toBool());
  ASSERT_FALSE(Button(15)->isEnabled());
  QTest::mouseMove(Button(15), QPoint(10, 10));
  EXPECT_EQ(form_->Toolbar()->RaisedButton(), nullptr);
  QTest::mouseMove(Button(2), QPoint(10, 10));
  ASSERT_TRUE(Button(2)->property("raised").toBool());
  EXPECT_NE(Button(2)->grab().toImage(), restingSecond);
  rest->setInterval(20);
  rest->start();
  ASSERT_TRUE(QTest::qWaitFor([&] { return form_->Toolbar()->RaisedButton() == nullptr; }, 2000));
  // At rest the button shows its resting picture again.
  EXPECT_EQ(Button(2)->grab().toImage(), restingSecond);
}

TEST_F(ShellTest, GridAndSnapButtonsShowTheirOnPicture) {
  New();
  const QImage off = Button(19)->grab().toImage();
  Trigger("Both1");
  EXPECT_TRUE(Button(19)->isChecked());
  EXPECT_NE(Button(19)->grab().toImage(), off);
}

// A menu entry drawn by the program's style into a picture of its own.
QImage DrawEntry(bool topLevel, bool selected, bool enabled, bool checked,
                 const QString& text = QStringLiteral("100%")) {
  QStyleOptionMenuItem option;
  option.rect = QRect(0, 0, 160, 22);
  option.text = text;
  option.palette = QApplication::palette();
  option.font = QApplication::font();
  option.menuItemType = QStyleOptionMenuItem::Normal;
  option.checkType = QStyleOptionMenuItem::Exclusive;
  option.checked = checked;
  option.state = QStyle::State_None;
  if (enabled) option.state |= QStyle::State_Enabled;
  if (selected) option.state |= QStyle::State_Selected;
  QImage image(160, 22, QImage::Format_RGB32);
  image.fill(Qt::magenta);
  QPainter painter(&image);
  ChromeStyle::Shared()->drawControl(topLevel ? QStyle::CE_MenuBarItem : QStyle::CE_MenuItem,
                                     &option, &painter, nullptr);
  return image;
}

bool Contains(const QImage& image, QColor colour) {
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixelColor(x, y) == colour) return true;
    }
  }
  return false;
}

TEST(ChromeTest, CheckedEntriesShowTheTickWhiteWhenHighlightedAndBlackOtherwise) {
  const std::vector<QPoint> tick = TickPixels();
  ASSERT_EQ(tick.size(), 14u);
  EXPECT_EQ(tick.front(), QPoint(2, 9));
  EXPECT_EQ(tick.back(), QPoint(8, 8));
  const QImage highlighted = DrawEntry(false, true, true, true);
  const QImage plain = DrawEntry(false, false, true, true);
  for (const QPoint& p : tick) {
    EXPECT_EQ(highlighted.pixelColor(p), QColor(Qt::white)) << p.x() << "," << p.y();
    EXPECT_EQ(plain.pixelColor(p), QColor(Qt::black)) << p.x() << "," << p.y();
  }
  // The highlight is the yellow picture, the rest the menu colour.
  const QColor yellow = highlighted.pixelColor(150, 11);
  EXPECT_GT(yellow.red(), yellow.blue() + 60);
  EXPECT_EQ(plain.pixelColor(150, 11), QApplication::palette().color(QPalette::Window));
  // Highlighted text is white with a dark shadow.
  EXPECT_TRUE(Contains(highlighted, QColor(10, 10, 10)));
  EXPECT_FALSE(Contains(DrawEntry(false, false, true, false), QColor(Qt::white)));
}

TEST(ChromeTest, AGreyedEntryUnderThePointerStaysUnhighlightedWithGreyText) {
  const QImage greyed = DrawEntry(false, true, false, false);
  EXPECT_EQ(greyed.pixelColor(150, 11), QApplication::palette().color(QPalette::Window));
  EXPECT_TRUE(Contains(greyed, QColor(128, 128, 128)));
  EXPECT_FALSE(Contains(greyed, QColor(Qt::white)));
}

TEST(ChromeTest, TopLevelHighlightIsBlueWithWhiteCentredText) {
  const QImage entry = DrawEntry(true, true, true, false, QStringLiteral("File"));
  const QColor blue = entry.pixelColor(2, 11);
  EXPECT_GT(blue.blue(), blue.red() + 60);
  EXPECT_TRUE(Contains(entry, QColor(Qt::white)));
  // Centred: nothing white near either end.
  for (int y = 0; y < 22; ++y) {
    EXPECT_NE(entry.pixelColor(5, y), QColor(Qt::white));
    EXPECT_NE(entry.pixelColor(154, y), QColor(Qt::white));
  }
}

TEST(ChromeTest, EntriesMeasureWiderThanTheSystemMeasuresThem) {
  QStyleOptionMenuItem option;
  option.menuItemType = QStyleOptionMenuItem::Normal;
  option.text = QStringLiteral("Save As");
  option.font = QApplication::font();
  option.fontMetrics = QFontMetrics(option.font);
  ChromeStyle* chrome = ChromeStyle::Shared();
  const QSize base(80, 20);
  QStyle* system = chrome->baseStyle();
  EXPECT_EQ(chrome->sizeFromContents(QStyle::CT_MenuItem, &option, base, nullptr).width(),
            system->sizeFromContents(QStyle::CT_MenuItem, &option, base, nullptr).width() + 30);
  EXPECT_EQ(chrome->sizeFromContents(QStyle::CT_MenuBarItem, &option, base, nullptr).width(),
            system->sizeFromContents(QStyle::CT_MenuBarItem, &option, base, nullptr).width() + 4);
  EXPECT_EQ(chrome->sizeFromContents(QStyle::CT_MenuItem, &option, base, nullptr).height(),
            system->sizeFromContents(QStyle::CT_MenuItem, &option, base, nullptr).height());
}

TEST(ChromeTest, HighlightPicturesStretchEachColourSource) {
  const QImage blue =
      HighlightPicture(ColourSource::Blue, QSize(100, 20), ResampleFilter::Triangle);
  ASSERT_EQ(blue.size(), QSize(100, 20));
  EXPECT_GT(blue.pixelColor(50, 10).blue(), blue.pixelColor(50, 10).red());
  // Lighter at the top than at the bottom, the same across.
  EXPECT_GT(blue.pixelColor(50, 1).lightness(), blue.pixelColor(50, 18).lightness());
  EXPECT_EQ(blue.pixelColor(3, 10), blue.pixelColor(96, 10));
  for (ColourSource source :
       {ColourSource::Red, ColourSource::Yellow, ColourSource::Green, ColourSource::Silver}) {
    EXPECT_FALSE(HighlightPicture(source, QSize(30, 24), ResampleFilter::BSpline).isNull());
  }
  EXPECT_TRUE(HighlightPicture(ColourSource::Red, QSize(0, 10), ResampleFilter::Box).isNull());
}

}  // namespace
}  // namespace quillon
