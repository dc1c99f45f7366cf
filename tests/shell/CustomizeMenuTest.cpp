// SPDX-License-Identifier: GPL-3.0-or-later
// The Customize menu's dialogs, the speed dialog and the colour chooser, driven through the
// menu, their host windows and their widgets.
#include <QCheckBox>
#include <QSpinBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSlider>

#include "canvas/CanvasFixtures.h"
#include "canvas/SandboxView.h"
#include "document/DocumentFile.h"
#include "document/PageSetup.h"
#include "render/PictureFixtures.h"
#include "settings/Customization.h"
#include "settings/ui/CustomizeDialogs.h"
#include "settings/ui/Tspeed.h"
#include "shell/HostPanels.h"
#include "shell/HostWindow.h"
#include "shell/ShellFixture.h"
#include "support/Wait.h"

namespace quillon {
namespace {

using test::ShellTest;

class CustomizeTest : public ShellTest {
 protected:
  // Opens a dialog from its menu entry and returns its host.
  THostWindow* Open(const char* entry) {
    Trigger(entry);
    THostWindow* host = form_->HostX()->isVisible() ? form_->HostX() : form_->HostY();
    EXPECT_TRUE(host->isVisible()) << entry;
    EXPECT_NE(host->Panel(), nullptr) << entry;
    return host;
  }
  template <class T = QWidget>
  static T* Part(THostWindow* host, const char* name) {
    T* part = host->Panel()->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(part, nullptr) << name;
    return part;
  }
  static void EditSlot(THostWindow* host, int slot) {
    const QByteArray name = QStringLiteral("Slot%1").arg(SlotLetter(slot)).toLatin1();
    QTest::mouseClick(Part<QPushButton>(host, name.constData()), Qt::LeftButton);
  }
  // Replaces a field's text by typing, as the user does.
  static void Type(THostWindow* host, const char* field, const QString& text) {
    auto* edit = Part<QLineEdit>(host, field);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
  }
  static void Save(THostWindow* host) {
    QTest::mouseClick(host->FirstButton(), Qt::LeftButton);
    EXPECT_FALSE(host->isVisible());
  }
  static void Cancel(THostWindow* host) {
    QTest::mouseClick(host->SecondButton(), Qt::LeftButton);
    EXPECT_FALSE(host->isVisible());
  }
  TSandbox* OpenWritten(ItemList& list, const char* name) {
    const QString path = Path(name);
    if (!WriteDocument(path, list).ok()) return nullptr;
    form_->OpenDocumentWindow(path);
    TSandbox* window = form_->ActiveWindow();
    if (window == nullptr) return nullptr;
    const bool settled = QTest::qWaitFor(
        [window] { return window->IsReady() && !window->RenderingProgressively(); }, 5000);
    return settled ? window : nullptr;
  }
};

TEST_F(CustomizeTest, EveryEntryOpensItsPanelWhichLeavesWithItsHost) {
  struct Case {
    const char* entry;
    bool hostY;
    const char* panel;
  };
  const Case cases[] = {
      {"LineWeights1", true, "TThickness"},
      {"LinePatterns1", false, "TPatterns"},
      {"Alignments1", false, "TDirections"},
      {"Textsize1", false, "TDirections"},
      {"Textdirection1", false, "TDirections"},
      {"Shadows1", true, "TShadow"},
      {"Speed1", true, "Tspeed"},
      {"About1", false, "TAbout"},
  };
  for (const Case& c : cases) {
    THostWindow* host = Open(c.entry);
    EXPECT_EQ(host == form_->HostY(), c.hostY) << c.entry;
    ASSERT_NE(host->Panel(), nullptr) << c.entry;
    EXPECT_EQ(host->Panel()->objectName(), QString::fromLatin1(c.panel)) << c.entry;
    EXPECT_TRUE(host->Panel()->isVisible()) << c.entry;
    QPointer<QWidget> panel = host->Panel();
    Cancel(host);
    QTRY_VERIFY(panel.isNull());
  }
  // The three roles of TDirections carry their own wording.
  const auto opening = [this](const char* entry) {
    THostWindow* host = Open(entry);
    EditSlot(host, 0);
    const QString text = static_cast<CustomizeDialog*>(host->Panel())->GuidanceText();
    Cancel(host);
    return text;
  };
  EXPECT_TRUE(opening("Alignments1").contains(u"the angle of the line"));
  EXPECT_TRUE(opening("Textdirection1").contains(u"the angle of the text"));
  EXPECT_TRUE(opening("Textsize1").contains(u"enter the font size"));
}

TEST_F(CustomizeTest, SavedWeightsReachTheSettingsAndSurviveTheEndOfTheProgram) {
  struct Case {
    const char* name;
    const char* typed;
    int unitIndex;  // Pixels, Millimeters, Inches
    bool inUse;
    double mm;
    int32_t units;  // as stored
  };
  const Case cases[] = {
      {"Fat", "1/2", 1, true, 0.5, 2},
      {"Yard", "3\"", 0, true, 76.2, 3},  // inch marks make inches whatever the unit
      {"Backwards", "-2", 1, true, 2, 2},
      {"Nothing", "0", 1, false, 0, 2},
      {"Edge", "100", 1, true, 100, 2},
  };
  THostWindow* host = Open("LineWeights1");
  for (int i = 0; i < static_cast<int>(std::size(cases)); ++i) {
    EditSlot(host, i);
    Type(host, "Name", QString::fromLatin1(cases[i].name));
    Type(host, "Value", QString::fromLatin1(cases[i].typed));
    Part<QComboBox>(host, "Units")->setCurrentIndex(cases[i].unitIndex);
    const QByteArray slotName = QStringLiteral("Slot%1").arg(SlotLetter(i)).toLatin1();
    EXPECT_EQ(Part<QPushButton>(host, slotName.constData())->text(),
              QString::fromLatin1(cases[i].name));
  }
  EXPECT_EQ(form_->Params().customWeights, EmptyThicknessSlots()) << "nothing applied before Save";
  Save(host);
  const auto check = [&](const char* when) {
    const ThicknessSlots& saved = form_->Params().customWeights;
    for (int i = 0; i < static_cast<int>(std::size(cases)); ++i) {
      const Case& c = cases[i];
      EXPECT_EQ(saved[i].name, QString::fromLatin1(c.name)) << when;
      EXPECT_EQ(saved[i].inUse != 0, c.inUse) << c.name << ' ' << when;
      EXPECT_EQ(saved[i].units, c.units) << c.name << ' ' << when;
      if (c.inUse) {
        EXPECT_NEAR(saved[i].mm, c.mm, 1e-9) << c.name << ' ' << when;
      }
    }
    EXPECT_EQ(saved[8].name, QStringLiteral("Weight I")) << when;
  };
  check("after Save");
  EXPECT_EQ(form_->Params().customWeights[std::size(cases) - 1].justSaved, 1);
  EXPECT_EQ(form_->Params().customWeights[0].justSaved, 0);
  Restart();
  check("after a restart");
  // The dialog opens with the saved saved.
  host = Open("LineWeights1");
  EditSlot(host, 1);
  EXPECT_EQ(Part<QLineEdit>(host, "Value")->text(), QStringLiteral("3"));
  EXPECT_EQ(Part<QComboBox>(host, "Units")->currentText(), QStringLiteral("Inches"));
}

// A weight that is not a number, or too thick, is refused with the dialog's own guidance; the
// dialog stays open at that weight and nothing is saved until it is mended.
TEST_F(CustomizeTest, AWeightThatCannotBeUsedIsRefusedOnSaveWithTheDialogsMessage) {
  struct Case {
    const char* typed;
    int unitIndex;  // Pixels, Millimeters, Inches
    const char* why;
  };
  const Case cases[] = {
      {"x0.1y", 1, "\"x0.1y\" is not a thickness: type a number such as 0.3 or 1/2."},
      {"thick", 1, "\"thick\" is not a thickness: type a number such as 0.3 or 1/2."},
      {"100000", 1, "\"100000\" is too thick: a line weight can be at most 100 mm (3.94 inches)."},
      {"4", 2, "\"4\" is too thick: a line weight can be at most 100 mm (3.94 inches)."},
  };
  const std::string guidance =
      "Then, enter the value of the thickness and select the measuring units. Enter the "
      "thickness of zero to remove the thickness from the pull-down list.";
  for (const Case& c : cases) {
    THostWindow* host = Open("LineWeights1");
    EditSlot(host, 0);
    Type(host, "Name", QStringLiteral("Good"));
    Type(host, "Value", QStringLiteral("0.3"));
    EditSlot(host, 4);
    Type(host, "Name", QStringLiteral("Bad"));
    Type(host, "Value", QString::fromLatin1(c.typed));
    Part<QComboBox>(host, "Units")->setCurrentIndex(c.unitIndex);
    EditSlot(host, 2);  // the weight at fault is found wherever the user went on to
    prompter_.asked.clear();
    QTest::mouseClick(host->FirstButton(), Qt::LeftButton);
    EXPECT_TRUE(host->isVisible()) << c.typed;
    EXPECT_EQ(prompter_.Texts(), std::vector<std::string>{std::string(c.why) + "\r\n" + guidance});
    EXPECT_EQ(static_cast<CustomizeDialog*>(host->Panel())->EditedSlot(), 4) << c.typed;
    EXPECT_EQ(form_->Params().customWeights, EmptyThicknessSlots()) << "nothing saved";
    // Mended, the weights are saved.
    Type(host, "Value", QStringLiteral("0"));
    Save(host);
    EXPECT_EQ(form_->Params().customWeights[0].inUse, 1) << c.typed;
    EXPECT_EQ(form_->Params().customWeights[4].inUse, 0) << c.typed;
    form_->Params().customWeights = EmptyThicknessSlots();
  }
}

TEST_F(CustomizeTest, CancelAppliesNothingWhereSaveApplies) {
  const char* entries[] = {"LineWeights1", "LinePatterns1",  "Alignments1",
                           "Textsize1",    "Textdirection1", "Shadows1"};
  const auto names = [this] {
    const TParams& p = form_->Params();
    return std::vector<QString>{p.customWeights[0].name,    p.customPatterns[0].name,
                                p.customDirections[0].name, p.customSizes[0].name,
                                p.customAngles[0].name,     p.customShadows[0].name};
  };
  for (std::size_t i = 0; i < std::size(entries); ++i) {
    for (bool save : {false, true}) {
      THostWindow* host = Open(entries[i]);
      EditSlot(host, 0);
      Type(host, "Name", QStringLiteral("Mine"));
      save ? Save(host) : Cancel(host);
      EXPECT_EQ(names()[i] == QStringLiteral("Mine"), save) << entries[i] << (save ? " Save" : "");
    }
  }
}

TEST_F(CustomizeTest, APatternSavedInSlotSevenIsStoredAndDrawsItsDashes) {
  THostWindow* host = Open("LinePatterns1");
  EditSlot(host, 6);
  Type(host, "Name", QStringLiteral("Rail"));
  Part<QComboBox>(host, "Units")->setCurrentIndex(0);
  Type(host, "Segment1", QStringLiteral("12"));
  Type(host, "Segment2", QStringLiteral("6"));
  Save(host);
  Restart();
  const custPatternRec_t& slot = form_->Params().customPatterns[6];
  EXPECT_EQ(slot.name, QStringLiteral("Rail"));
  ASSERT_EQ(slot.inUse, 1);
  EXPECT_EQ(slot.count, 2);
  EXPECT_EQ(slot.pixels[0], 12);
  EXPECT_EQ(slot.pixels[1], 6);

  // A line that uses the pattern carries it in its document and draws 12 on, 6 off.
  ItemList list(ScreenMetrics{96, 96});
  test::AddPixelPage(list, 400, 200);
  ItemRecord& line = test::AddItem(list, kKindLine, {20, 100}, {380, 100});
  line.setLineWeight(1.0);
  line.setLinePattern(AddCustomPatternRecord(list, slot));
  TSandbox* window = OpenWritten(list, "rail.qlln");
  ASSERT_NE(window, nullptr);
  const QImage canvas = window->View().Canvas().Image();
  std::vector<int> runs;  // lengths of alternating ink and paper along the line
  bool ink = false;
  for (int x = 40; x < 360; ++x) {
    const bool dark = canvas.pixelColor(x, 100).value() < 128;
    if (runs.empty() || dark != ink) {
      runs.push_back(0);
      ink = dark;
    }
    ++runs.back();
  }
  ASSERT_GT(runs.size(), 10u);
  // The first and last runs are cut by the probe's ends.
  for (std::size_t i = 1; i + 1 < runs.size(); ++i)
    EXPECT_NEAR(runs[i], 9, 3.5) << "run " << i;  // 12 and 6, ends of the dashes rounded
  int dashes = 0, gaps = 0;
  for (std::size_t i = 1; i + 1 < runs.size(); ++i)
    (runs[i] > 9 ? dashes : gaps) += 1;
  EXPECT_NEAR(dashes, gaps, 1);
}

TEST_F(CustomizeTest, AnglesAndFontSizesAreValidatedAndKept) {
  struct Case {
    const char* entry;
    int slot;
    const char* typed;
    int unitIndex;  // Degrees or Radians; -1 for sizes
    bool inUse;
    double value;
  };
  const Case cases[] = {
      {"Alignments1", 0, "60", 0, true, 60},
      {"Alignments1", 1, "-90", 0, true, 270},
      {"Alignments1", 2, "3,14159265358979", 1, true, 180},
      {"Alignments1", 3, "", 0, false, 0},
      {"Alignments1", 4, "steep", 0, false, 0},
      {"Textdirection1", 0, "1/2", 0, true, 0.5},
      {"Textdirection1", 1, "400", 0, true, 40},
      {"Textsize1", 0, "200", -1, true, 200},
      {"Textsize1", 1, "-14", -1, true, 14},
      {"Textsize1", 2, "1638", -1, true, 1638},
      {"Textsize1", 3, "1639", -1, false, 0},
      {"Textsize1", 4, "0", -1, false, 0},
      {"Textsize1", 5, "12.5", -1, false, 0},
      {"Textsize1", 6, "", -1, false, 0},
  };
  for (const Case& c : cases) {
    THostWindow* host = Open(c.entry);
    EditSlot(host, c.slot);
    Type(host, "Value", QString::fromLatin1(c.typed));
    if (c.unitIndex >= 0) Part<QComboBox>(host, "Units")->setCurrentIndex(c.unitIndex);
    Save(host);
  }
  const auto slotsOf = [this](const char* entry) -> const DirectionSlots& {
    const QString e = QString::fromLatin1(entry);
    return SlotsOf(form_->Params(), e == u"Alignments1"      ? DirectionRole::LineDirections
                                    : e == u"Textdirection1" ? DirectionRole::TextAngles
                                                             : DirectionRole::FontSizes);
  };
  for (const char* when : {"after Save", "after a restart"}) {
    for (const Case& c : cases) {
      const custDirectionRec_t& slot = slotsOf(c.entry)[c.slot];
      EXPECT_EQ(slot.inUse != 0, c.inUse) << c.entry << ' ' << c.typed << ' ' << when;
      if (c.inUse) {
        EXPECT_NEAR(slot.value, c.value, 1e-9) << c.entry << ' ' << c.typed << ' ' << when;
      }
    }
    Restart();
  }
}

TEST_F(CustomizeTest, AShadowIsOfferedOnlyWhenTickedAndTheLightIsSavedWithIt) {
  THostWindow* host = Open("Shadows1");
  auto* elevation = Part<QSlider>(host, "Elevation");
  EXPECT_FALSE(elevation->isEnabled()) << "nothing to edit before a slot is chosen";
  EditSlot(host, 2);
  Type(host, "Name", QStringLiteral("Long"));
  EXPECT_EQ(Part<QCheckBox>(host, "Shown")->text(),
            QStringLiteral("Show 'Long' in the shadows selection menu"));
  struct Slider {
    const char* name;
    int position;
    const char* percent;
  };
  const Slider sliders[] = {
      {"Elevation", 120, "47%"}, {"Fade", 0, "None"}, {"Lightness", 255, "100%"}};
  for (const Slider& s : sliders) {
    Part<QSlider>(host, s.name)->setValue(s.position);
    EXPECT_EQ(Part<QLabel>(host, (QByteArray(s.name) + "Percent").constData())->text(),
              QString::fromLatin1(s.percent));
  }
  Part<QCheckBox>(host, "Shown")->setChecked(true);
  Part<QCheckBox>(host, "Light3")->setChecked(true);
  EXPECT_FALSE(Part<QCheckBox>(host, "Light0")->isChecked());
  // A second slot edited but left unticked stays out of the list.
  EditSlot(host, 3);
  Part<QSlider>(host, "Elevation")->setValue(30);
  Save(host);
  for (const char* when : {"after Save", "after a restart"}) {
    const ShadowSlots& saved = form_->Params().customShadows;
    EXPECT_EQ(saved[2].name, QStringLiteral("Long")) << when;
    EXPECT_EQ(saved[2].size, 120) << when;
    EXPECT_EQ(saved[2].softness, 0) << when;
    EXPECT_EQ(saved[2].lightness, 255) << when;
    EXPECT_TRUE(ShadowInUse(saved[2])) << when;
    EXPECT_FALSE(ShadowInUse(saved[3])) << when;
    EXPECT_EQ(saved[3].size, 30) << when;
    EXPECT_EQ(form_->Params().lgtdir, 3) << when;
    ValueList list = FillValueList(ValueListKind::Shadows, form_->Params());
    EXPECT_EQ(list.entries.back().text, QStringLiteral("Long")) << when;
    Restart();
  }
}

TEST_F(CustomizeTest, TheLightDirectionSavedReachesEveryOpenDocument) {
  // Two documents, each with a square casting a hard black shadow to the lower right.
  std::vector<TSandbox*> windows;
  for (const char* name : {"first.qlln", "second.qlln"}) {
    ItemList list(ScreenMetrics{96, 96});
    test::AddPixelPage(list, 400, 300);
    ItemRecord& lifted = test::AddRectangle(list, {160, 100}, {240, 180});
    lifted.setFillColor(0xFFFFFF);
    lifted.setShadowSize(70);
    lifted.setShadowSoftness(0);
    lifted.setShadowLightness(0);
    windows.push_back(OpenWritten(list, name));
    ASSERT_NE(windows.back(), nullptr);
  }
  const QRect right(241, 108, 8, 81);  // beside the square, where its shadow falls now
  const QRect left(151, 92, 8, 81);    // where it falls with the light from the lower right
  const auto dark = [](TSandbox* window, QRect area) {
    const QImage image = window->View().Canvas().Image();
    for (int y = area.top(); y <= area.bottom(); ++y) {
      for (int x = area.left(); x <= area.right(); ++x) {
        if (qGray(image.pixel(x, y)) < 64) return true;
      }
    }
    return false;
  };
  for (TSandbox* window : windows) {
    ASSERT_TRUE(dark(window, right));
    ASSERT_FALSE(dark(window, left));
  }
  THostWindow* host = Open("Shadows1");
  Part<QCheckBox>(host, "Light3")->setChecked(true);
  Save(host);
  for (TSandbox* window : windows) {
    SCOPED_TRACE(window->GetTitle().toStdString());
    const auto lit = [&] {
      const ItemRecord* page = window->GetItems().PageRecord();
      return page != nullptr && LightDirectionOf(*page) == 3 && !window->RenderingProgressively() &&
             dark(window, left);
    };
    EXPECT_TRUE(test::WaitUntil(lit, 3000));
    EXPECT_FALSE(dark(window, right));
  }
}

TEST_F(CustomizeTest, SpeedSwitchesChangeWhatTheWindowDraws) {
  // A picture, a shaded red rectangle and a square casting a hard black shadow to the lower
  // right, each probed where its switch shows.
  ItemList list(ScreenMetrics{96, 96});
  test::AddPixelPage(list, 500, 300);
  test::AddSource(list, test::Quadrants(40, 30));
  test::AddPicture(list, {20, 20}, {140, 110}, 40, 30);
  ItemRecord& shaded = test::AddRectangle(list, {180, 20}, {300, 120});
  shaded.setFillColor(0x0000FF);
  shaded.setLineColor(0x0000FF);
  shaded.setSurface(127);
  ItemRecord& lifted = test::AddRectangle(list, {340, 20}, {420, 100});
  lifted.setFillColor(0xFFFFFF);
  lifted.setShadowSize(70);
  lifted.setShadowSoftness(0);
  lifted.setShadowLightness(0);
  TSandbox* window = OpenWritten(list, "speed.qlln");
  ASSERT_NE(window, nullptr);
  const QImage before = window->View().Canvas().Image().copy();
  struct Case {
    const char* box;
    QRect area;  // where the switch shows
  };
  const Case cases[] = {
      {"Pictures", {20, 20, 121, 91}},
      {"Surfaces", {180, 20, 121, 101}},
      {"Shadows", {421, 28, 8, 81}},  // right of the lifted square
  };
  const auto same = [](const QImage& a, const QImage& b, QRect area) {
    return a.copy(area) == b.copy(area);
  };
  for (const Case& c : cases) {
    for (bool on : {false, true}) {
      THostWindow* host = Open("Speed1");
      EXPECT_EQ(host->windowTitle(), QStringLiteral("Speed - speed"));
      Part<QCheckBox>(host, c.box)->setChecked(on);
      Save(host);
      QTRY_VERIFY(!window->RenderingProgressively());
      const QImage now = window->View().Canvas().Image();
      EXPECT_EQ(same(now, before, c.area), on) << c.box << (on ? " on" : " off");
      // Each switch leaves the other items as they were.
      for (const Case& other : cases) {
        if (&other != &c) {
          EXPECT_TRUE(same(now, before, other.area)) << c.box;
        }
      }
    }
  }
  EXPECT_EQ(window->GetDisplayOptions(), DisplayOptions{});
  // The dialog opens with the window's switches; live drag belongs to the program.
  THostWindow* host = Open("Speed1");
  Part<QCheckBox>(host, "Shadows")->setChecked(false);
  Part<QCheckBox>(host, "LiveDrag")->setChecked(false);
  Save(host);
  EXPECT_FALSE(form_->Params().liveDrag);
  host = Open("Speed1");
  EXPECT_FALSE(Part<QCheckBox>(host, "Shadows")->isChecked());
  EXPECT_TRUE(Part<QCheckBox>(host, "Pictures")->isChecked());
  EXPECT_FALSE(Part<QCheckBox>(host, "LiveDrag")->isChecked());
  Cancel(host);
  EXPECT_FALSE(window->GetDisplayOptions().showShadows) << "Cancel applies nothing";
}

TEST_F(CustomizeTest, TheRecoveryIntervalIsChosenInTheSpeedDialogAndKeptAsASetting) {
  THostWindow* host = Open("Speed1");
  auto* interval = Part<QSpinBox>(host, "RecoveryInterval");
  EXPECT_EQ(interval->value(), 60);
  interval->setValue(0);
  EXPECT_EQ(interval->text(), QStringLiteral("Never"));
  Save(host);
  EXPECT_EQ(form_->Params().recoveryInterval, 0);
  host = Open("Speed1");
  Part<QSpinBox>(host, "RecoveryInterval")->setValue(90);
  Save(host);
  EXPECT_EQ(Timer("RecoveryTimer")->interval(), 90000);
  Restart();
  EXPECT_EQ(form_->Params().recoveryInterval, 90);
  EXPECT_EQ(Timer("RecoveryTimer")->interval(), 90000);
}

TEST_F(CustomizeTest, TheChoosersCustomColoursSurviveARestartAndOnlyNewColoursAreAdded) {
  CustomColourSlots custom;
  custom.fill(kNoDialogColour);
  custom[0] = 0x00AA00;
  custom[5] = 0x123456;
  colours_.customAfter = custom;
  struct Case {
    std::optional<uint32_t> chosen;
    int32_t firstUserColour;  // afterwards
  };
  const Case cases[] = {
      {std::nullopt, -1},  // cancelled
      {0x0000FF, -1},      // "Red" is in the list already
      {0x00AA00, -1},      // so is a custom colour of the chooser
      {0x345678, 0x345678}, {0x345678, 0x345678},
  };
  for (const Case& c : cases) {
    colours_.answer = c.chosen;
    Trigger("Colors1");
    EXPECT_EQ(form_->Params().userColours[0], c.firstUserColour);
    EXPECT_EQ(form_->Params().userColours[1], -1) << "one slot per colour";
  }
  colours_.customAfter.reset();
  Restart();
  EXPECT_EQ(form_->Params().dialogColours, custom);
  EXPECT_EQ(form_->Params().userColours[0], 0x345678);
  colours_.answer.reset();
  Trigger("Colors1");
  EXPECT_EQ(colours_.given, custom) << "the chooser starts with the kept custom colours";
}

}  // namespace
}  // namespace quillon
