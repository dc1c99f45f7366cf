// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/SettingsStore.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "document/PageSetup.h"
#include "page/Catalogue.h"

namespace quillon {
namespace {

// Points the user's store at a fresh temporary folder, so that no test sees the real one.
class SettingsStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir_.path());
    QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, dir_.filePath("system"));
  }
  QString StorePath() const { return dir_.filePath("Quillon.conf"); }
  // The store as a text file, written by hand.
  void WriteStoreText(const char* text) {
    QFile file(StorePath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
  }
  void Put(const QString& group, const QString& name, const QVariant& value) {
    auto store = OpenSettingsStore();
    store->setValue(group + u'/' + name, value);
  }
  TParams Loaded() {
    TParams params;
    LoadSettings(params);
    return params;
  }
  QTemporaryDir dir_;
};

TEST_F(SettingsStoreTest, AnEmptyStoreGivesTheDefaults) {
  const TParams p = Loaded();
  const defaults_t& d = p.defaults;
  EXPECT_EQ(d.units, kUnitInches);
  EXPECT_DOUBLE_EQ(d.pixelsPerUnitX, 96);
  EXPECT_DOUBLE_EQ(d.perUnit[2].gridX, 0.25);
  EXPECT_DOUBLE_EQ(d.perUnit[2].gridY, 0.25);
  EXPECT_EQ(d.perUnit[2].canvas, (std::array<double, 4>{0.2, 0.2, 8.5, 11}));
  EXPECT_EQ(d.perUnit[0].canvas, (std::array<double, 4>{50, 50, 400, 200}));
  EXPECT_EQ(d.perUnit[1].canvasText[3], QStringLiteral("297"));
  EXPECT_EQ(d.perUnit[1].gridXText, QStringLiteral("10"));
  EXPECT_EQ(d.anchorsHorizontal + d.anchorsVertical, 2);
  EXPECT_EQ(d.gridHorizontal + d.gridVertical + d.snapHorizontal + d.snapVertical, 0);
  EXPECT_EQ(p.tfont, QStringLiteral("Arial"));
  EXPECT_EQ(p.tsize, 12);
  EXPECT_EQ(p.polysides, 5);
  EXPECT_EQ(p.polyfill, -1);
  EXPECT_EQ(p.lineFill, -2);
  EXPECT_EQ(p.pspage, -1);
  EXPECT_EQ(p.tdir, -1);
  EXPECT_EQ(p.tangle, -10);
  EXPECT_EQ(p.toptions, 0x01000000);
  EXPECT_EQ(p.docdir, QStringLiteral("\\My Documents"));
  EXPECT_EQ(p.picndx, 1);
  for (bool on : p.hints)
    EXPECT_TRUE(on);
  EXPECT_EQ(p.pagesets, DefaultPagesets(kUnitInches));
  EXPECT_EQ(p.customWeights[0].name, QStringLiteral("Weight A"));
  EXPECT_EQ(p.customAngles[11].name, QStringLiteral("Angle L"));
  EXPECT_EQ(p.userColours[5], -1);
  // Reading created nothing.
  EXPECT_FALSE(QFile::exists(StorePath()));
}

TEST_F(SettingsStoreTest, ValuesOutOfRangeOrOfTheWrongTypeAreIgnored) {
  WriteStoreText(
      "[CustomSettings]\n"
      "units=4\nlgtdir=4\npicndx=0\nexpndx=3\nclframe=2\npspage=12\nfrplas=256\n"
      "polysides=many\ntsize=12.5\nlineColor=99999999999\n"
      "pgseta1=0\npgsetb2=3\n3pgsetd4=2\n"
      "tfont=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x5)\n");
  const TParams p = Loaded();
  const TParams defaults;
  EXPECT_EQ(p.defaults.units, kUnitInches);
  EXPECT_EQ(p.lgtdir, 0);
  EXPECT_EQ(p.picndx, 1);
  EXPECT_EQ(p.expndx, 1);
  EXPECT_EQ(p.clframe, 0);
  EXPECT_EQ(p.pspage, -1);
  EXPECT_EQ(p.frplas, 0);
  EXPECT_EQ(p.polysides, 5);
  EXPECT_EQ(p.tsize, 12);
  EXPECT_EQ(p.lineColor, 0);
  EXPECT_EQ(p.tfont, QStringLiteral("Arial"));
  EXPECT_EQ(p.pagesets, defaults.pagesets);
}

TEST_F(SettingsStoreTest, ValuesInRangeAreTaken) {
  WriteStoreText(
      "[CustomSettings]\n"
      "units=2\nlgtdir=3\npicndx=7\npspage=4\nangles=2\ntdir=-1\npolysides=-3\n"
      "pgseta9=3\npgsetb4=2\n2pgsetc4=1\n2pgsetf4=8 1/2\n");
  const TParams p = Loaded();
  EXPECT_EQ(p.defaults.units, kUnitMillimetres);
  EXPECT_DOUBLE_EQ(p.defaults.pixelsPerUnitX, 96 / 25.4);
  EXPECT_EQ(p.lgtdir, 3);
  EXPECT_EQ(p.picndx, 7);
  EXPECT_EQ(p.pspage, 4);
  EXPECT_EQ(p.tdir, -1);
  EXPECT_EQ(p.polysides, -3);
  // "units" reaches every kind but the digital images, whose own unit is stored here.
  for (int32_t kind = 1; kind <= 11; ++kind) {
    EXPECT_EQ(p.pagesets[kind - 1].units, kind == 9 ? kUnitInches : kUnitMillimetres) << kind;
  }
  EXPECT_EQ(p.pagesets[3].orientation, kLandscape);
  EXPECT_EQ(p.pagesets[3].block(kUnitMillimetres).quickSelectIndex, 1);
  EXPECT_EQ(p.pagesets[3].block(kUnitMillimetres).paperWidth, QStringLiteral("8 1/2"));
  // Empty direction slots take the "angles" unit.
  EXPECT_EQ(p.customDirections[0].units, 2);
  EXPECT_EQ(p.customSizes[11].units, 2);
}

TEST_F(SettingsStoreTest, NumberStringsTakeCommasAndBlanks) {
  const QString group = QStringLiteral("CustomSettings");
  Put(group, QStringLiteral("lineWidth"), QStringLiteral("0,35"));
  Put(group, QStringLiteral("frwidth"), QStringLiteral("1 5"));
  Put(group, QStringLiteral("polywidth"), QStringLiteral("thick"));
  Put(group, QStringLiteral("lineDirection"), QStringLiteral(""));
  Put(group, QStringLiteral("gridx1"), QStringLiteral("12,5"));
  Put(group, QStringLiteral("gridy2"), QStringLiteral("abc"));
  Put(group, QStringLiteral("canvas33"), QStringLiteral(" 8 , 5 "));
  TParams p = Loaded();
  EXPECT_DOUBLE_EQ(p.lineWidth, 0.35);
  EXPECT_DOUBLE_EQ(p.frwidth, 15);
  EXPECT_DOUBLE_EQ(p.polywidth, 0);
  EXPECT_DOUBLE_EQ(p.lineDirection, -1);
  EXPECT_DOUBLE_EQ(p.defaults.perUnit[0].gridX, 12.5);
  EXPECT_EQ(p.defaults.perUnit[1].gridYText, QStringLiteral("abc"));
  EXPECT_DOUBLE_EQ(p.defaults.perUnit[1].gridY, 10);
  EXPECT_DOUBLE_EQ(p.defaults.perUnit[2].canvas[2], 8.5);

  // A hand-written file whose comma is not quoted reads back as a list of parts.
  WriteStoreText("[CustomSettings]\nlineWidth=0,35\nlineOutline=1, 5\n");
  p = Loaded();
  EXPECT_DOUBLE_EQ(p.lineWidth, 0.35);
  EXPECT_DOUBLE_EQ(p.lineOutline, 1.5);
}

TEST_F(SettingsStoreTest, HintsAndGridSwitches) {
  struct GridCase {
    int grid;
    std::array<int, 6> switches;  // grid, anchors, snap horizontally; then vertically
  };
  const GridCase cases[] = {{63, {1, 1, 1, 1, 1, 1}}, {0, {0, 0, 0, 0, 0, 0}},
                            {18, {0, 1, 0, 0, 1, 0}}, {32, {1, 0, 0, 0, 0, 0}},
                            {1, {0, 0, 0, 0, 0, 1}},  {-1, {1, 1, 1, 1, 1, 1}}};
  for (const GridCase& c : cases) {
    Put(QStringLiteral("CustomSettings"), QStringLiteral("grid"), c.grid);
    const defaults_t d = Loaded().defaults;
    const std::array<int, 6> got = {d.gridHorizontal, d.anchorsHorizontal, d.snapHorizontal,
                                    d.gridVertical,   d.anchorsVertical,   d.snapVertical};
    EXPECT_EQ(got, c.switches) << c.grid;
  }
  Put(QStringLiteral("CustomSettings"), QStringLiteral("hints"), QStringLiteral("0"));
  TParams p = Loaded();
  EXPECT_FALSE(p.hints[0]);
  for (int i = 1; i < kHintSwitches; ++i)
    EXPECT_TRUE(p.hints[i]) << i;
  Put(QStringLiteral("CustomSettings"), QStringLiteral("hints"), QStringLiteral("1x0"));
  p = Loaded();
  EXPECT_TRUE(p.hints[0] && p.hints[1] && p.hints[3]);
  EXPECT_FALSE(p.hints[2]);

  p.defaults.gridHorizontal = 1;
  p.defaults.anchorsHorizontal = 0;
  p.defaults.snapHorizontal = 0;
  p.defaults.gridVertical = 0;
  p.defaults.anchorsVertical = 1;
  p.defaults.snapVertical = 1;
  p.hints[41] = false;
  SaveSettings(p);
  auto store = OpenSettingsStore();
  EXPECT_EQ(store->value(QStringLiteral("CustomSettings/grid")).toInt(), 32 + 2 + 1);
  EXPECT_EQ(store->value(QStringLiteral("CustomSettings/hints")).toString(),
            QStringLiteral("110") + QString(38, u'1') + QStringLiteral("0"));
}

// Every value set away from its default, every custom list filled.
TParams Unusual() {
  TParams p;
  p.SetNewDocumentUnits(kUnitMillimetres);
  p.defaults.angles = 2;
  p.defaults.gridVertical = 1;
  p.defaults.snapHorizontal = 1;
  for (int u = 0; u < 3; ++u) {
    UnitDefaults& d = p.defaults.perUnit[u];
    d.gridXText = QStringLiteral("1,%1").arg(u);
    d.gridYText = QStringLiteral("2.%1").arg(u);
    d.gridX = 1 + u / 10.0;
    d.gridY = 2 + u / 10.0;
    for (int n = 0; n < 4; ++n) {
      d.canvasText[n] = QString::number(10 * u + n);
      d.canvas[n] = 10 * u + n;
    }
  }
  int next = 1;
  for (int32_t* field : {&p.lineColor,      &p.lineWidthTab, &p.linePattern,
                         &p.linePatternTab, &p.lineFill,     &p.lineDirectionTab,
                         &p.lineOutlineTab, &p.tcolor,       &p.tcharset,
                         &p.tsize,          &p.tsizetab,     &p.tbold,
                         &p.toptions,       &p.tangle,       &p.tangletab,
                         &p.tdir,           &p.polycolor,    &p.polytab,
                         &p.polyfill,       &p.polysides,    &p.polyshape,
                         &p.polystate,      &p.bpolyshape,   &p.bpolystate,
                         &p.frcolor,        &p.shpict,       &p.shtext,
                         &p.shpoly,         &p.frplas,       &p.liplas,
                         &p.txplas,         &p.poplas}) {
    *field = 100 + next++;
  }
  p.clframe = p.clshadw = 1;
  p.lgtdir = 2;
  p.picndx = 6;
  p.expndx = 2;
  p.pspage = 10;
  p.lineColor = -123456789;
  p.lineWidth = 0.1 + 0.2;
  p.lineDirection = 33.75;
  p.lineOutline = 1e-7;
  p.polywidth = 2.5;
  p.frwidth = 1234.5;
  p.tfont = QStringLiteral("Liberation \u00DCber, Serif");
  for (int i = 0; i < kRecentFiles; ++i) {
    p.reopen[i] = QStringLiteral("C:\\My Files\\design %1, \"copy\"=@x;[y].qlln").arg(i);
  }
  p.docdir = QStringLiteral("@docs");
  p.picidr = QStringLiteral("/home/me/Pictures");
  p.expdir = QString();
  for (int i = 0; i < kHintSwitches; i += 3)
    p.hints[i] = false;
  for (int32_t kind = 1; kind <= 11; ++kind) {
    pageset_t& set = p.pagesets[kind - 1];
    set.orientation = kind % 2 ? kLandscape : kPortrait;
    set.units = 1 + kind % 3;
    for (int32_t u = 1; u <= 3; ++u) {
      UnitBlock& b = set.block(u);
      b.quickSelectIndex = kind * 10 + u;
      b.rowFold = u == 2;
      b.columnFold = u != 2;
      int n = 0;
      for (QString UnitBlock::*field : kUnitBlockTexts) {
        b.*field = QStringLiteral("%1 %2/%3\"").arg(kind).arg(u).arg(++n);
      }
    }
  }
  for (int i = 0; i < kCustomSlots; ++i) {
    custThicknessRec_t& w = p.customWeights[i];
    w.name = QStringLiteral("Weight %1").arg(i);
    w.typed = QStringLiteral("%1/4").arg(i + 1);
    w.units = 1 + i % 3;
    ValidateThickness(w, p.screen);
    custPatternRec_t& pattern = p.customPatterns[i];
    pattern.name = QStringLiteral("Dots %1").arg(i);
    pattern.units = 1 + i % 3;
    for (int s = 0; s <= i; ++s)
      pattern.typed[s] = QString::number(s + 1);
    ValidatePattern(pattern, p.screen);
    for (DirectionSlots* list : {&p.customDirections, &p.customAngles, &p.customSizes}) {
      custDirectionRec_t& slot = (*list)[i];
      slot.name = QStringLiteral("Turn %1").arg(i);
      slot.typed = QString::number(i * 40 - 100);
      slot.units = 1 + i % 2;
      ValidateDirection(
          slot, list == &p.customSizes ? DirectionRole::FontSizes : DirectionRole::TextAngles);
    }
    custShadowRec_t& shadow = p.customShadows[i];
    shadow.name = QStringLiteral("Shade %1").arg(i);
    shadow.size = i * 20;
    shadow.softness = 255 - i;
    shadow.lightness = i;
    shadow.shown = i % 2;
    p.userColours[i] = i == 3 ? -1 : 0x2FFFFFF - i;
  }
  return p;
}

TEST_F(SettingsStoreTest, EverythingSavedIsLoadedBack) {
  TParams saved = Unusual();
  saved.fonts.push_back({QStringLiteral("Some Font"), 1, 0});
  SaveSettings(saved);
  EXPECT_TRUE(saved.fonts.empty());
  TParams loaded;
  LoadSettings(loaded);

  EXPECT_EQ(loaded.defaults, saved.defaults);
  EXPECT_EQ(loaded.pagesets, saved.pagesets);
  EXPECT_EQ(loaded.customWeights, saved.customWeights);
  EXPECT_EQ(loaded.customPatterns, saved.customPatterns);
  EXPECT_EQ(loaded.customDirections, saved.customDirections);
  EXPECT_EQ(loaded.customAngles, saved.customAngles);
  EXPECT_EQ(loaded.customSizes, saved.customSizes);
  EXPECT_EQ(loaded.customShadows, saved.customShadows);
  EXPECT_EQ(loaded.userColours, saved.userColours);
  EXPECT_EQ(loaded.reopen, saved.reopen);
  EXPECT_EQ(loaded.hints, saved.hints);
#define QUILLON_EXPECT_SAME(field) EXPECT_EQ(loaded.field, saved.field) << #field;
  QUILLON_EXPECT_SAME(lineColor)
  QUILLON_EXPECT_SAME(lineWidth) QUILLON_EXPECT_SAME(lineWidthTab) QUILLON_EXPECT_SAME(
      linePattern) QUILLON_EXPECT_SAME(linePatternTab) QUILLON_EXPECT_SAME(lineFill)
      QUILLON_EXPECT_SAME(lineDirection) QUILLON_EXPECT_SAME(lineDirectionTab) QUILLON_EXPECT_SAME(
          lineOutline) QUILLON_EXPECT_SAME(lineOutlineTab) QUILLON_EXPECT_SAME(tcolor)
          QUILLON_EXPECT_SAME(tfont) QUILLON_EXPECT_SAME(tcharset) QUILLON_EXPECT_SAME(
              tsize) QUILLON_EXPECT_SAME(tsizetab) QUILLON_EXPECT_SAME(tbold)
              QUILLON_EXPECT_SAME(toptions) QUILLON_EXPECT_SAME(tangle) QUILLON_EXPECT_SAME(
                  tangletab) QUILLON_EXPECT_SAME(tdir) QUILLON_EXPECT_SAME(polycolor)
                  QUILLON_EXPECT_SAME(polywidth) QUILLON_EXPECT_SAME(polytab) QUILLON_EXPECT_SAME(
                      polyfill) QUILLON_EXPECT_SAME(polysides) QUILLON_EXPECT_SAME(polyshape)
                      QUILLON_EXPECT_SAME(polystate) QUILLON_EXPECT_SAME(
                          bpolyshape) QUILLON_EXPECT_SAME(bpolystate) QUILLON_EXPECT_SAME(clframe)
                          QUILLON_EXPECT_SAME(clshadw) QUILLON_EXPECT_SAME(frcolor)
                              QUILLON_EXPECT_SAME(frwidth) QUILLON_EXPECT_SAME(shpict)
                                  QUILLON_EXPECT_SAME(shtext) QUILLON_EXPECT_SAME(shpoly)
                                      QUILLON_EXPECT_SAME(lgtdir) QUILLON_EXPECT_SAME(frplas)
                                          QUILLON_EXPECT_SAME(liplas) QUILLON_EXPECT_SAME(txplas)
                                              QUILLON_EXPECT_SAME(poplas)
                                                  QUILLON_EXPECT_SAME(docdir)
                                                      QUILLON_EXPECT_SAME(picidr)
                                                          QUILLON_EXPECT_SAME(expdir)
                                                              QUILLON_EXPECT_SAME(picndx)
                                                                  QUILLON_EXPECT_SAME(expndx)
                                                                      QUILLON_EXPECT_SAME(pspage)
#undef QUILLON_EXPECT_SAME
}

// The store keeps the value names of the interface, one group per key.
TEST_F(SettingsStoreTest, TheStoreIsOneFileWithAGroupPerKey) {
  TParams p = Unusual();
  SaveSettings(p);
  ASSERT_TRUE(QFile::exists(StorePath()));
  QSettings file(StorePath(), QSettings::IniFormat);
  const QStringList groups = file.childGroups();
  for (const char* key : {"CustomSettings", "CustomColors", "CustomWidths", "CustomShadows",
                          "CustomPatterns", "CustomDirections", "CustomAngles", "CustomSizes"}) {
    EXPECT_TRUE(groups.contains(QString::fromLatin1(key))) << key;
  }
  EXPECT_EQ(file.value("CustomSettings/2pgsetc5").toInt(), 52);
  EXPECT_EQ(file.value("CustomSettings/1pgsetq11").toString(), QStringLiteral("11 1/4\""));
  EXPECT_EQ(file.value("CustomSettings/pgseta4").toInt(), 2);
  EXPECT_EQ(file.value("CustomSettings/lineWidth").toString(),
            QStringLiteral("0.30000000000000004"));
  EXPECT_EQ(file.value("CustomSettings/frwidth").toString(), QStringLiteral("1234.5"));
  EXPECT_EQ(file.value("CustomWidths/valueB").toString(), QStringLiteral("2/4"));
  EXPECT_EQ(file.value("CustomWidths/unitsC").toInt(), 3);
  EXPECT_EQ(file.value("CustomPatterns/valueL12").toString(), QStringLiteral("12"));
  EXPECT_EQ(file.value("CustomShadows/valueB").toInt(), 20 | 254 << 8 | 1 << 16 | 1 << 24);
  EXPECT_EQ(file.value("CustomColors/colorA").toInt(), 0x2FFFFFF);
  EXPECT_EQ(file.value("CustomSizes/nameL").toString(), QStringLiteral("Turn 11"));
}

TEST_F(SettingsStoreTest, DialogColoursSkipEmptyAndUnreadableValues) {
  WriteStoreText(
      "[DialogColors]\ncolorA=00C0C0C0\ncolorB=FFFFFFFF\ncolorC=\ncolorD=xyz\n"
      "colorP=ff\n");
  auto store = OpenSettingsStore();
  TParams p;
  LoadDialogColours(p, *store);
  EXPECT_EQ(p.dialogColours[0], 0xC0C0C0u);
  EXPECT_EQ(p.dialogColours[1], kNoDialogColour);
  EXPECT_EQ(p.dialogColours[2], kNoDialogColour);
  EXPECT_EQ(p.dialogColours[3], kNoDialogColour);
  EXPECT_EQ(p.dialogColours[15], 0xFFu);
  p.dialogColours[0] = kNoDialogColour;
  p.dialogColours[4] = 0x123ABC;
  SaveDialogColours(p, *store);
  EXPECT_FALSE(store->contains(QStringLiteral("DialogColors/colorA")));
  EXPECT_EQ(store->value(QStringLiteral("DialogColors/colorE")).toString(),
            QStringLiteral("00123ABC"));
  TParams again;
  LoadDialogColours(again, *store);
  EXPECT_EQ(again.dialogColours, p.dialogColours);
}

}  // namespace
}  // namespace quillon
