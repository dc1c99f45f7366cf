// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <memory>
#include <sstream>

#include "app/CommandLine.h"
#include "document/DocumentFile.h"
#include "document/PageSetup.h"
#include "support/CommandLineRun.h"
#include "support/DocumentFixtures.h"

namespace quillon {
namespace {

using test::CliRun;
using test::Quillon;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);)
    lines.push_back(line);
  return lines;
}

// The user's store lives in a temporary folder for these tests.
class PageCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir_.filePath("config"));
    QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, dir_.filePath("system"));
  }
  std::string Path(const char* name) const { return dir_.filePath(name).toStdString(); }
  QString StorePath() const { return dir_.filePath("config/Quillon.conf"); }
  void Store(const char* text) {
    ASSERT_TRUE(QDir().mkpath(dir_.filePath("config")));
    ASSERT_TRUE(test::WriteAll(StorePath(), text));
  }
  std::unique_ptr<ItemList> Read(const std::string& path) {
    auto list = std::make_unique<ItemList>();
    test::ScriptedPrompter prompter;
    EXPECT_TRUE(ReadDocument(QString::fromStdString(path), *list, prompter).ok());
    EXPECT_TRUE(prompter.asked.empty());
    return list;
  }
  QTemporaryDir dir_;
};

TEST_F(PageCommandsTest, TemplatesListsTheCatalogue) {
  const CliRun all = Quillon({"templates"});
  ASSERT_EQ(all.status, 0) << all.err;
  EXPECT_EQ(Lines(all.out).size(), 11u * 14 + 61 + 42);

  const CliRun cards = Quillon({"templates", "--kind", "4", "--units", "mm"});
  ASSERT_EQ(cards.status, 0) << cards.err;
  const auto lines = Lines(cards.out);
  ASSERT_EQ(lines.size(), 13u);
  EXPECT_EQ(lines[1],
            "4\tmm\tA8 business cards, 10 per page\t210 x 297\t74 x 52\t31, 18, 0, 0\t5 x 2\t0, 0\t"
            "none");
  EXPECT_EQ(lines[8].rfind("4\tmm\t85 \u00D7 54 fold business cards, 5 per page\t210 x 297\t", 0),
            0u);

  const auto tents = Lines(Quillon({"templates", "--kind", "11", "--units", "inches"}).out);
  ASSERT_EQ(tents.size(), 2u);
  EXPECT_EQ(
      tents[0],
      "11\tinches\tTent Cards 8 1/2 x 2 1/2\t8 1/2 x 11\t8 1/2 x 2 1/2\t-, 1/2, -, 1/2\t4 x 1\t"
      "-\trows");
  const auto photos = Lines(Quillon({"templates", "--kind", "9"}).out);
  ASSERT_EQ(photos.size(), 14u);
  EXPECT_EQ(photos[0], "9\tpixels\tSmall Photo 250 x 350\t250 x 350\t-\t-\t-\t-\tnone");
  EXPECT_TRUE(Quillon({"templates", "--kind", "7", "--units", "mm"}).out.empty());
}

TEST_F(PageCommandsTest, UnknownChoicesAreUsageErrorsThatListTheValidOnes) {
  const CliRun kind = Quillon({"templates", "--kind", "12"});
  EXPECT_EQ(kind.status, 2);
  EXPECT_NE(kind.err.find("unknown page kind \"12\""), std::string::npos) << kind.err;
  EXPECT_NE(kind.err.find("11  Tent Cards"), std::string::npos);
  const CliRun units = Quillon({"new", "--units", "cm", Path("x.qlln")});
  EXPECT_EQ(units.status, 2);
  EXPECT_NE(units.err.find("pixels, mm, inches"), std::string::npos) << units.err;
  const CliRun name =
      Quillon({"new", "--kind", "4", "--units", "mm", "--template", "A8 cards", Path("x.qlln")});
  EXPECT_EQ(name.status, 2);
  EXPECT_NE(name.err.find("  85 \u00D7 54 fold vertical cards, 5 per page\n"), std::string::npos)
      << name.err;
  const CliRun none =
      Quillon({"new", "--kind", "6", "--units", "inches", "--template", "Letter", Path("x.qlln")});
  EXPECT_EQ(none.status, 2);
  EXPECT_NE(none.err.find("no templates"), std::string::npos) << none.err;
  EXPECT_EQ(Quillon({"new", "--kind"}).status, 2);
  EXPECT_EQ(Quillon({"new"}).status, 2);
  EXPECT_EQ(Quillon({"templates", "--landscape"}).status, 2);
  EXPECT_FALSE(QFile::exists(QString::fromStdString(Path("x.qlln"))));
}

TEST_F(PageCommandsTest, NewWritesTheBusinessCardSheet) {
  const std::string card = Path("card.qlln");
  const CliRun run = Quillon({"new", "--kind", "4", "--units", "mm", "--template",
                              "A8 business cards, 10 per page", card});
  ASSERT_EQ(run.status, 0) << run.err;
  const auto list = Read(card);
  ASSERT_EQ(list->size(), 2u);
  const ItemRecord& page = *FindPageRecord(*list);
  EXPECT_EQ(page.pageKind(), 4);
  EXPECT_EQ(page.pageUnits(), kUnitMillimetres);
  EXPECT_EQ(page.quickSelectIndex(), 1);
  EXPECT_DOUBLE_EQ(page.pageWidth(), 210);
  EXPECT_DOUBLE_EQ(page.cardWidth(), 74);
  EXPECT_DOUBLE_EQ(page.cardHeight(), 52);
  EXPECT_DOUBLE_EQ(page.marginTop(), 18);
  EXPECT_EQ(page.rows(), 5);
  EXPECT_EQ(page.columns(), 2);
  EXPECT_DOUBLE_EQ(page.designWidth(), 74);
  EXPECT_DOUBLE_EQ(page.designLeft(), 10);  // the design area's edge of new millimetre pages
  EXPECT_DOUBLE_EQ(page.gridDistanceX(), 10);
  EXPECT_EQ(page.modified(), 0);
  EXPECT_EQ(LineText(page, 3), u"74");
  // A new document's lines across the card: one at the edge at 38 and one every 10 mm (38
  // pixels) after it, made with the window rather than as an edit.
  const ItemRecord& anchors = *list->last();
  ASSERT_EQ(anchors.verticalAnchors.size(), 8u);
  EXPECT_EQ(anchors.verticalAnchors.front().position, 38);
  EXPECT_EQ(anchors.verticalAnchors[1].position, 38 + 38);
  EXPECT_EQ(anchors.horizontalAnchors.size(), 6u);

  const CliRun info = Quillon({"info", card});
  EXPECT_NE(info.out.find("Page: kind 4, 210 x 297 mm, 2 x 5 cards of 74 x 52"), std::string::npos)
      << info.out;
}

TEST_F(PageCommandsTest, NewFollowsTheStoredSettingsAndNeverWritesThem) {
  // With nothing stored: the default Letter page.
  ASSERT_EQ(Quillon({"new", Path("plain.qlln")}).status, 0);
  EXPECT_FALSE(QFile::exists(StorePath()));
  EXPECT_DOUBLE_EQ(FindPageRecord(*Read(Path("plain.qlln")))->pageWidth(), 8.5);

  Store("[CustomSettings]\nunits=2\npspage=5\ngrid=63\n");
  const QByteArray before = test::ReadAll(StorePath());
  ASSERT_EQ(Quillon({"new", Path("labels.qlln")}).status, 0);
  const auto labels = Read(Path("labels.qlln"));
  const ItemRecord& page = *FindPageRecord(*labels);
  EXPECT_EQ(page.pageKind(), 5);
  EXPECT_EQ(page.pageUnits(), kUnitMillimetres);
  EXPECT_DOUBLE_EQ(page.cardWidth(), 20);
  EXPECT_EQ(page.rows(), 28);
  EXPECT_EQ(page.snapVertical(), 1);
  // The whole first line survives: the anchors record starts at the page's edge.
  EXPECT_EQ(labels->last()->verticalAnchors.front().position, 38);

  // Landscape turns the first business-card sheet into the listed vertical one.
  ASSERT_EQ(Quillon({"new", "--kind", "4", "--landscape", Path("turned.qlln")}).status, 0);
  const auto turnedList = Read(Path("turned.qlln"));
  const ItemRecord& turned = *FindPageRecord(*turnedList);
  EXPECT_EQ(turned.orientation(), 2);
  EXPECT_DOUBLE_EQ(turned.pageWidth(), 297);
  EXPECT_DOUBLE_EQ(turned.cardWidth(), 52);
  EXPECT_EQ(turned.rows(), 2);
  EXPECT_EQ(turned.columns(), 4);
  EXPECT_EQ(turned.quickSelectIndex(), 3);
  EXPECT_EQ(test::ReadAll(StorePath()), before);
}

}  // namespace
}  // namespace quillon
