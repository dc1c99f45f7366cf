// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QEnterEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <functional>
#include <memory>

#include "settings/ui/CustomizeDialogs.h"
#include "settings/ui/Samples.h"
#include "settings/ui/Tspeed.h"

namespace quillon {
namespace {

void Hover(QWidget* widget) {
  QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
  QCoreApplication::sendEvent(widget, &enter);
}

TEST(CustomizeDialogs, GuidanceOpensWithTheDialogsLineAndFollowsTheEditedSlot) {
  struct Case {
    std::function<std::unique_ptr<CustomizeDialog>(TParams&)> make;
    const char* title;
    const char* opening;
    const char* editing;  // the end of the second editing line
  };
  const Case cases[] = {
      {[](TParams& p) { return std::make_unique<TThickness>(p); }, "Select",
       "Click on the line weight name in the left column to enter new values.",
       "Enter the thickness of zero to remove the thickness from the pull-down list."},
      {[](TParams& p) { return std::make_unique<TPatterns>(p); }, "Line pattern",
       "Click on the pattern name in the left column to enter new values.",
       "Make the first dash equal to zero to remove the pattern from the pull-down list"},
      {[](TParams& p) { return std::make_unique<TDirections>(p, DirectionRole::LineDirections); },
       "Select", "Click on the name in the left column to enter or change the angle.",
       "Leave the angle field empty to remove the direction from the pull-down list."},
      {[](TParams& p) { return std::make_unique<TDirections>(p, DirectionRole::FontSizes); },
       "Select", "Click on the name in the left column to enter or change the font size.",
       "Leave the font size field empty to remove the size from the pull-down list."},
      {[](TParams& p) { return std::make_unique<TShadow>(p); }, "Select",
       "Click on the shadow name in the left column to make or edit a shadow.",
       "Customize the shadow name."},
  };
  for (const Case& c : cases) {
    TParams params(ScreenMetrics{96, 96});
    auto dialog = c.make(params);
    dialog->show();
    EXPECT_EQ(dialog->findChild<QLabel*>(QStringLiteral("SlotTitle"))->text(),
              QString::fromLatin1(c.title));
    EXPECT_EQ(dialog->GuidanceText(),
              QString::fromLatin1(c.opening) + u'\n' + QString::fromLatin1(kSaveOrCancel));
    EXPECT_FALSE(dialog->findChild<QLineEdit*>(QStringLiteral("Name"))->isEnabled());
    EXPECT_EQ(dialog->SlotButton(11)->text().right(1), QStringLiteral("L"));
    QTest::mouseClick(dialog->SlotButton(4), Qt::LeftButton);
    EXPECT_EQ(dialog->EditedSlot(), 4);
    EXPECT_TRUE(dialog->GuidanceText().endsWith(QString::fromLatin1(c.editing)))
        << dialog->GuidanceText().toStdString();
    EXPECT_EQ(dialog->findChild<QLineEdit*>(QStringLiteral("Name"))->text(),
              dialog->SlotButton(4)->text());
  }
}

TEST(CustomizeDialogs, ShadowGuidanceFollowsTheControlUnderTheMouse) {
  TParams params(ScreenMetrics{96, 96});
  TShadow dialog(params);
  dialog.show();
  QTest::mouseClick(dialog.SlotButton(0), Qt::LeftButton);
  struct Case {
    const char* control;
    const char* first;
    const char* second;
  };
  const Case cases[] = {
      {"Elevation", "Customize the shadow name and appearance.",
       "Imagine that you are lifting the object from the surface. Higher elevation makes a "
       "longer shadow."},
      {"Fade", "Customize the shadow name and appearance.",
       "The shadow edges should fade when the object is elevated from the surface to make a "
       "realistic shadow."},
      {"Lightness", "Customize the shadow name and appearance.",
       "You can make the shadow darker or lighter to deepen or soften the shadow."},
      {"Shown", "Customize the shadow name and appearance.",
       "Check this option to add the shadow into the pull-down menus in the fine-tune and "
       "preview screens."},
      {"Light2", "The source of the imaginary light determines where the shadow casts.",
       "The light direction applies to all shadows in your design."},
      {"Name", "Customize the shadow name and appearance.", "Customize the shadow name."},
  };
  for (const Case& c : cases) {
    Hover(dialog.findChild<QWidget*>(QString::fromLatin1(c.control)));
    EXPECT_EQ(dialog.GuidanceText(),
              QString::fromLatin1(c.first) + u'\n' + QString::fromLatin1(c.second))
        << c.control;
  }
}

TEST(Tspeed, EachOptionExplainsItselfUnderTheMouse) {
  Tspeed dialog(SpeedSwitches{true, false, true, true});
  dialog.show();
  EXPECT_EQ(dialog.Switches(), (SpeedSwitches{true, false, true, true}));
  EXPECT_EQ(dialog.GuidanceText(), QString::fromLatin1(kSpeedGuidance));
  struct Case {
    const char* box;
    const char* caption;
    const char* guidance;
  };
  const Case cases[] = {
      {"Pictures", "Show all pictures",
       "The software shows only the outlines of your clips when this option is unchecked."},
      {"Shadows", "Show all shadows",
       "The software does not paint the shadows when this option is unchecked."},
      {"Surfaces", "Show all 3-D effects",
       "The software does not make the 3-D effect on the surface of your graphics when this "
       "option is unchecked."},
  };
  for (const Case& c : cases) {
    auto* box = dialog.findChild<QCheckBox*>(QString::fromLatin1(c.box));
    EXPECT_EQ(box->text(), QString::fromLatin1(c.caption));
    Hover(box);
    EXPECT_EQ(dialog.GuidanceText(), QString::fromLatin1(c.guidance));
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(box, &leave);
    EXPECT_EQ(dialog.GuidanceText(), QString::fromLatin1(kSpeedGuidance));
  }
}

// The rows of the middle column that are mostly dark.
int DarkRows(const QImage& image) {
  int rows = 0;
  for (int y = 0; y < image.height(); ++y)
    rows += image.pixelColor(image.width() / 2, y).value() < 128;
  return rows;
}

TEST(Samples, LinesShowTheirWeightAndPatternAsTheyWillBeDrawn) {
  const ScreenMetrics screen{96, 96};
  const QSize size(320, 90);
  struct Case {
    double mm;
    int rows;  // round(mm * 96 / 25.4), give or take the band's rounded edges
  };
  for (const Case c : {Case{0.5, 2}, Case{3, 11}, Case{10, 38}})
    EXPECT_NEAR(DarkRows(WeightSample(size, c.mm, screen)), c.rows, 1) << c.mm;
  custPatternRec_t pattern;
  pattern.units = 1;
  pattern.typed[0] = QStringLiteral("10");
  pattern.typed[1] = QStringLiteral("10");
  ValidatePattern(pattern, screen);
  const QImage dashed = PatternSample(size, pattern, screen);
  int changes = 0;
  for (int x = 21; x < 300; ++x) {
    changes +=
        (dashed.pixelColor(x, 45).value() < 128) != (dashed.pixelColor(x - 1, 45).value() < 128);
  }
  EXPECT_GE(changes, 20) << "ten-pixel dashes and spaces";
}

}  // namespace
}  // namespace quillon
