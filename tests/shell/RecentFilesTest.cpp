// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/RecentFiles.h"

#include <QPointer>

#include "canvas/CanvasFixtures.h"
#include "shell/ShellFixture.h"
#include "support/Wait.h"

namespace quillon {
namespace {

using test::ShellTest;

std::vector<QString> Filled(const RecentFileList& list) {
  std::vector<QString> filled;
  for (const QString& path : list) {
    if (!path.isEmpty()) filled.push_back(path);
  }
  return filled;
}

TEST(RecentFileListTest, ANameMovesToTheFrontComparedWithoutCase) {
  RecentFileList list;
  AddRecentFile(list, QStringLiteral("C:\\Docs\\Card.qlln"));
  AddRecentFile(list, QStringLiteral("C:\\Work\\Other.qlln"));
  AddRecentFile(list, QStringLiteral("C:\\DOCS\\card.qlln"));
  EXPECT_EQ(Filled(list), (std::vector<QString>{"C:\\DOCS\\card.qlln", "C:\\Work\\Other.qlln"}));
  EXPECT_EQ(RecentFileCaption(list[0]), QStringLiteral("card"));
  EXPECT_EQ(RecentFileCaption(list[1]), QStringLiteral("Other"));
  AddRecentFile(list, QString());
  EXPECT_EQ(Filled(list).size(), 2u);
}

TEST(RecentFileListTest, AFullListDropsItsOldestName) {
  RecentFileList list;
  for (int i = 1; i <= 17; ++i)
    AddRecentFile(list, QStringLiteral("/files/%1.qlln").arg(i));
  EXPECT_EQ(list.front(), QStringLiteral("/files/17.qlln"));
  EXPECT_EQ(list.back(), QStringLiteral("/files/2.qlln"));
  // A name already there moves up without dropping anything.
  AddRecentFile(list, QStringLiteral("/FILES/9.QLLN"));
  EXPECT_EQ(list.front(), QStringLiteral("/FILES/9.QLLN"));
  EXPECT_EQ(list.back(), QStringLiteral("/files/2.qlln"));
  EXPECT_EQ(Filled(list).size(), 16u);
}

TEST(RecentFileListTest, CaptionsAreFileNamesWithoutFolderAndExtension) {
  EXPECT_EQ(RecentFileCaption(QStringLiteral("/home/ann/Card.qlln")), QStringLiteral("Card"));
  EXPECT_EQ(RecentFileCaption(QStringLiteral("C:\\Docs\\Big.card.qlln")),
            QStringLiteral("Big.card"));
  EXPECT_EQ(RecentFileCaption(QStringLiteral("  /a/b/Plain  ")), QStringLiteral("Plain"));
  EXPECT_EQ(RecentFileCaption(QStringLiteral("   ")), QString());
}

class ReopenTest : public ShellTest {
 protected:
  QAction* Entry(int n) const {
    return form_->FindAction(QStringLiteral("Reopen%1").arg(n).toLatin1());
  }
  void Store(const std::vector<QString>& paths) {
    form_.reset();
    auto store = OpenSettingsStore();
    for (std::size_t i = 0; i < paths.size(); ++i) {
      store->setValue(QStringLiteral("CustomSettings/reopen%1").arg(i + 1), paths[i]);
    }
    store->sync();
    Start();
  }
};

TEST_F(ReopenTest, TheMenuShowsStoredFilesInTheirPositionsAndHidesBlankOnes) {
  Store({Path("Card.qlln"), QStringLiteral("   "), QStringLiteral("/elsewhere/Card.qlln")});
  EXPECT_TRUE(form_->FindMenu("Reopen")->isEnabled());
  EXPECT_TRUE(Entry(1)->isVisible());
  EXPECT_EQ(Entry(1)->text(), QStringLiteral("Card"));
  EXPECT_EQ(Entry(1)->property("tag").toInt(), 8051);
  EXPECT_FALSE(Entry(2)->isVisible());
  EXPECT_TRUE(Entry(3)->isVisible());
  EXPECT_EQ(Entry(3)->text(), QStringLiteral("Card"));
  EXPECT_EQ(Entry(16)->property("tag").toInt(), 8066);
  EXPECT_FALSE(Entry(4)->isVisible());
  EXPECT_EQ(form_->Params().reopen[1], QString());
}

TEST_F(ReopenTest, AMissingFileIsReportedAndStaysInTheList) {
  Store({Path("Gone.qlln")});
  Entry(1)->trigger();
  ASSERT_EQ(prompter_.asked.size(), 1u);
  EXPECT_EQ(prompter_.asked[0].text, "Cannot find the file.");
  EXPECT_EQ(prompter_.asked[0].style, PromptStyle::Warning);
  EXPECT_EQ(prompter_.asked[0].buttons, PromptButtons::Cancel);
  EXPECT_TRUE(form_->Windows().empty());
  EXPECT_EQ(form_->Params().reopen[0], Path("Gone.qlln"));
}

TEST_F(ReopenTest, AnExistingFileOpensAndClosingPutsItFirst) {
  const QString card = test::WritePixelDocument(Path("Card.qlln"), 300, 200);
  const QString other = test::WritePixelDocument(Path("Other.qlln"), 300, 200);
  Store({other, card});
  Entry(2)->trigger();
  ASSERT_EQ(form_->Windows().size(), 1u);
  EXPECT_EQ(form_->ActiveWindow()->GetTitle(), QStringLiteral("Card"));
  EXPECT_EQ(form_->Params().reopen[0], other);
  const QPointer<TSandbox> closed = form_->ActiveWindow();
  Trigger("Close1");
  ASSERT_TRUE(test::WaitUntil([&] { return closed.isNull(); }));
  EXPECT_EQ(form_->Params().reopen[0], card);
  EXPECT_EQ(Entry(1)->text(), QStringLiteral("Card"));
  // The list outlives the program's run.
  Restart();
  EXPECT_EQ(form_->Params().reopen[0], card);
  EXPECT_EQ(form_->Params().reopen[1], other);
}

TEST_F(ReopenTest, ClearEmptiesTheListAfterAskingAndDisablesTheMenu) {
  Store({Path("A.qlln"), Path("B.qlln")});
  prompter_.answers = {PromptAnswer::No, PromptAnswer::Yes};
  Trigger("Clear1");
  EXPECT_TRUE(form_->FindMenu("Reopen")->isEnabled());
  Trigger("Clear1");
  EXPECT_EQ(prompter_.Texts(),
            std::vector<std::string>(2, "Clear the list of recently used files?"));
  EXPECT_EQ(prompter_.asked[0].buttons, PromptButtons::YesNo);
  EXPECT_TRUE(Filled(form_->Params().reopen).empty());
  EXPECT_FALSE(form_->FindMenu("Reopen")->isEnabled());
  EXPECT_FALSE(Entry(1)->isVisible());
}

}  // namespace
}  // namespace quillon
