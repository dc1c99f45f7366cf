// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <sstream>

#include "document/DocumentFile.h"
#include "support/CommandLineRun.h"
#include "support/DocumentFixtures.h"

namespace quillon {
namespace {

using test::CliRun;
using test::Quillon;

class CommandLineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ItemList list;
    test::AddPage(list).setPageKind(-3);
    ItemRecord& text = test::AddItem(list, kKindText, {10, 20}, {30, 40});
    SetText(text, u"A\u07ECB\"\\");
    test::AddRectangle(list, {1, 2}, {3, 4});
    ItemRecord& pattern = NewRecord(list, -1);
    pattern.setRecordClass(kClassLinePattern);
    pattern.setPatternSegment(0, 1.5);
    pattern.setPatternSegment(1, 0.25);
    pattern.setPatternCount(2);
    ASSERT_TRUE(WriteDocument(QString::fromStdString(Path("doc.qlln")), list).ok());
  }
  std::string Path(const char* name) const { return dir_.filePath(name).toStdString(); }
  QTemporaryDir dir_;
};

TEST_F(CommandLineTest, InfoJsonNamesEveryFieldAndTheRunTimeContent) {
  const CliRun run = Quillon({"info", "--json", Path("doc.qlln")});
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string& json = run.out;
  EXPECT_EQ(json.rfind("{\"records\": [", 0), 0u);
  // The page record shows its own fields instead of the item fields they lie over.
  const std::string page = json.substr(0, json.find('\n', json.find('{', 2)));
  EXPECT_NE(page.find("\"pageKind\": -3"), std::string::npos);
  EXPECT_NE(page.find("\"zoom\": 1,"), std::string::npos);
  EXPECT_NE(page.find("\"stackLevel\": 0"), std::string::npos);
  EXPECT_EQ(page.find("\"lineColor\""), std::string::npos);
  EXPECT_EQ(page.find("\"itemId\""), std::string::npos);
  EXPECT_EQ(page.find("\"fontName\""), std::string::npos);
  EXPECT_NE(json.find("\"text\": \"A\\u07ecB\\\"\\\\\""), std::string::npos);
  EXPECT_NE(json.find("\"fontName\": \"Arial\""), std::string::npos);
  EXPECT_NE(json.find("\"points\": [{\"point\": [1, 2], \"pointAtDragStart\": [1, 2]"),
            std::string::npos);
  EXPECT_NE(json.find("\"verticalAnchors\": [], \"horizontalAnchors\": []"), std::string::npos);
  EXPECT_NE(json.find("\"patternCount\": 2, \"patternSegments\": [1.5, 0.25]"), std::string::npos);
  EXPECT_NE(json.find("\"curveFactor\": 0.27614237"), std::string::npos);
}

TEST_F(CommandLineTest, InfoSummaryAndConvert) {
  const CliRun info = Quillon({"info", Path("doc.qlln")});
  ASSERT_EQ(info.status, 0) << info.err;
  EXPECT_NE(info.out.find("5 records"), std::string::npos) << info.out;
  EXPECT_NE(info.out.find("rectangle"), std::string::npos);

  // The first conversion renumbers the items and clears the modified mark; after that a
  // document converts to itself.
  ASSERT_EQ(Quillon({"convert", Path("doc.qlln"), Path("copy.qlln")}).status, 0);
  const CliRun again = Quillon({"convert", Path("copy.qlln"), Path("again.qlln")});
  ASSERT_EQ(again.status, 0) << again.err;
  const QByteArray copy = test::ReadAll(QString::fromStdString(Path("copy.qlln")));
  EXPECT_EQ(copy, test::ReadAll(QString::fromStdString(Path("again.qlln"))));
  EXPECT_EQ(copy.size(), test::ReadAll(QString::fromStdString(Path("doc.qlln"))).size());
}

TEST_F(CommandLineTest, FailuresNameTheFileAndUsageErrorsExitTwo) {
  test::WriteAll(QString::fromStdString(Path("random.qlln")), QByteArray(1000, '\x5A'));
  struct Case {
    std::vector<std::string> args;
    int status;
    std::string inErr;
  };
  const Case cases[] = {
      {{"info", Path("absent.qlln")}, 1, "absent.qlln: The file could not be read."},
      {{"info", Path("random.qlln")}, 1, "random.qlln: not a valid Quillon file"},
      {{"info", "--force", Path("random.qlln")}, 0, ""},
      {{"info"}, 2, "info takes one document"},
      {{"info", "--bogus", Path("doc.qlln")}, 2, "unknown option --bogus"},
      {{"frobnicate"}, 2, "unknown command"},
      // A file to open that is not there is named as such, not taken for a command.
      {{Path("missing.qlln")}, 1, "missing.qlln: the file does not exist."},
      {{"missing.qlln"}, 1, "quillon: missing.qlln: the file does not exist."},
      {{"./drawings"}, 1, "./drawings: the file does not exist."},
      {{"info", "--screen-dpi", "zero", Path("doc.qlln")}, 2, "--screen-dpi"},
      {{"convert", Path("doc.qlln"), Path("no/such/dir/out.qlln")},
       1,
       "out.qlln: The file could not be saved."},
  };
  for (const Case& c : cases) {
    const CliRun run = Quillon(c.args);
    EXPECT_EQ(run.status, c.status) << c.args[0] << " " << run.err;
    EXPECT_NE(run.err.find(c.inErr), std::string::npos) << run.err;
  }
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{}, {"new", "--help"}, {"print", "-h"}}) {
    const CliRun usage = Quillon(args);
    EXPECT_EQ(usage.status, 0);
    EXPECT_NE(usage.out.find("Usage: quillon"), std::string::npos);
    EXPECT_TRUE(usage.err.empty()) << usage.err;
  }
}

TEST_F(CommandLineTest, ScreenResolutionChangesTheReadCoordinates) {
  const CliRun run = Quillon({"info", "--json", "--screen-dpi", "192", Path("doc.qlln")});
  ASSERT_EQ(run.status, 0);
  EXPECT_NE(run.out.find("\"x1\": 5, \"y1\": 10, \"x2\": 15, \"y2\": 20"), std::string::npos);
}

}  // namespace
}  // namespace quillon
