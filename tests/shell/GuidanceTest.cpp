// SPDX-License-Identifier: GPL-3.0-or-later
// Help that helps: every guidance page opened in the side panel says what can be done at that
// moment and names only controls the window has; Help > Contents and About's "Web" button open
// the user guide installed with the program.
#include <QAbstractButton>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTextDocumentFragment>
#include <set>

#include "settings/ui/GuidancePages.h"
#include "shell/HostWindow.h"
#include "shell/Navigation.h"
#include "shell/ShellFixture.h"
#include "shell/SidePanel.h"
#include "shell/UserGuide.h"
#include "support/Wait.h"

namespace quillon {
namespace {

class GuidanceTest : public test::ShellTest {
 protected:
  void Add(const QString& caption) {
    const QString plain = QTextDocumentFragment::fromHtml(caption).toPlainText().trimmed();
    if (!plain.isEmpty()) captions_.insert(QString(plain).remove(u'&'));
  }
  // The captions, tips, tab names and links a widget and its children show.
  void CollectFrom(QWidget* root) {
    static const QRegularExpression link(QStringLiteral("<a [^>]*>([^<]*)</a>"));
    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    widgets.append(root);
    for (QWidget* widget : widgets) {
      if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        Add(button->text());
        Add(button->toolTip());
      } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        Add(label->text());
        for (auto it = link.globalMatch(label->text()); it.hasNext();)
          Add(it.next().captured(1));
      } else if (auto* tabs = qobject_cast<QTabWidget*>(widget)) {
        for (int i = 0; i < tabs->count(); ++i)
          Add(tabs->tabText(i));
      }
    }
  }
  void CollectMenus(const QList<QAction*>& actions, const QString& path) {
    for (QAction* action : actions) {
      if (action->isSeparator()) continue;
      const QString caption = QString(action->text()).remove(u'&');
      const QString here = path.isEmpty() ? caption : path + QStringLiteral(" > ") + caption;
      menuPaths_.insert(here);
      captions_.insert(caption);
      if (action->menu() != nullptr) CollectMenus(action->menu()->actions(), here);
    }
  }
  // Everything a guidance page may name: menus, toolbar, every side panel, the suggestions and
  // the page setup wizard.
  void CollectControls() {
    New();
    CollectMenus(form_->menuBar()->actions(), QString());
    for (QAction* action : form_->Toolbar()->findChildren<QAction*>())
      Add(action->text());
    for (int32_t tool : {20,  59,  98,  99,  100, 101, 102, 103, 104, 105, 107, 108,
                         109, 110, 111, 112, 199, 200, 201, 202, 203, 204, 206, 207,
                         208, 209, 210, 211, 212, 299, 300, 301, 302, 303, 400, 401}) {
      form_->ShowPanel(tool, false, false);
      CollectFrom(form_->Side().Current());
    }
    for (int number = 1; number <= kSuggestionCount; ++number)
      Add(SuggestionText(number));
    Trigger("psNewFiles1");
    CollectFrom(form_->HostX()->Panel());
    form_->HostX()->hide();
  }

  std::set<QString> captions_;
  std::set<QString> menuPaths_;
};

// Sentences of a page: the ends of sentences outside the bracketed control names.
int SentenceCount(const QString& markup) {
  static const QRegularExpression controls(QStringLiteral("\\[[^\\]]*\\]"));
  static const QRegularExpression end(QStringLiteral("[.?!](?=\\s|$)"));
  return static_cast<int>(QString(markup).replace(controls, QStringLiteral("X")).count(end));
}

TEST_F(GuidanceTest, EveryPageSaysWhatToDoNextNamingOnlyControlsTheWindowHas) {
  CollectControls();
  for (int32_t page = kFirstGuidancePage; page <= kLastGuidancePage; ++page) {
    SCOPED_TRACE(page);
    form_->ShowPanel(page, false, false);
    auto* panel = qobject_cast<TLinehelp*>(form_->Side().Current());
    ASSERT_NE(panel, nullptr);
    auto* text = panel->findChild<QLabel*>(QStringLiteral("GuidanceText"));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->text(), GuidanceRichText(page));
    const QString shown = QTextDocumentFragment::fromHtml(text->text()).toPlainText();
    EXPECT_EQ(shown, GuidancePlainText(page));
    EXPECT_FALSE(shown.contains(QStringLiteral("suggestions below show")));
    const int sentences = SentenceCount(GuidanceMarkup(page));
    EXPECT_GE(sentences, 2) << shown.toStdString();
    EXPECT_LE(sentences, 5) << shown.toStdString();
    for (const QString& control : GuidanceControls(page)) {
      const bool menu = control.contains(QStringLiteral(" > "));
      EXPECT_TRUE(menu ? menuPaths_.count(control) == 1 : captions_.count(control) == 1)
          << "no control " << control.toStdString();
    }
  }
  // The collection itself sees what a user sees, and not more.
  EXPECT_EQ(menuPaths_.count(QStringLiteral("Tools > Grid > Customize...")), 1u);
  EXPECT_EQ(captions_.count(QStringLiteral("Quick select")), 1u);
  EXPECT_EQ(captions_.count(QStringLiteral("Saturation")), 1u);
  EXPECT_EQ(captions_.count(QStringLiteral("Fill Colour")), 0u);
}

TEST_F(GuidanceTest, PagesShowTheControlsInBoldAndEscapeTheRest) {
  EXPECT_TRUE(GuidanceMarkup(kFirstGuidancePage - 1).isEmpty());
  EXPECT_TRUE(GuidanceMarkup(kLastGuidancePage + 1).isEmpty());
  const QString page = GuidanceRichText(1028);
  EXPECT_TRUE(page.contains(QStringLiteral("<b>Tools &gt; Grid &gt; Customize...</b>")));
  EXPECT_FALSE(page.contains(u'['));
  EXPECT_EQ(GuidanceControls(1038),
            (QStringList{QStringLiteral("Edit > Undo"), QStringLiteral("Undo the last edit"),
                         QStringLiteral("Edit > Redo")}));
}

TEST_F(GuidanceTest, HelpContentsOpensTheUserGuideOnce) {
  Trigger("Contents1");
  auto* guide = form_->findChild<UserGuideWindow*>(QStringLiteral("UserGuide"));
  ASSERT_NE(guide, nullptr);
  EXPECT_TRUE(guide->isVisible());
  EXPECT_EQ(guide->windowTitle(), QString::fromLatin1(kUserGuideTitle));
  const QString text = guide->Text()->toPlainText();
  for (const char* section :
       {"First steps", "Cards and labels", "Pictures", "Printing", "The command line"}) {
    EXPECT_TRUE(text.contains(QString::fromLatin1(section))) << section;
  }
  EXPECT_FALSE(text.contains(QStringLiteral("## ")));  // rendered, not shown as source
  guide->close();
  Trigger("Contents1");
  EXPECT_EQ(form_->findChildren<UserGuideWindow*>().size(), 1);
  EXPECT_TRUE(guide->isVisible());
  EXPECT_TRUE(prompter_.asked.empty());
}

TEST_F(GuidanceTest, AboutsWebButtonOpensTheUserGuide) {
  Trigger("About1");
  ASSERT_TRUE(form_->HostX()->isVisible());
  QTest::mouseClick(form_->HostX()->FirstButton(), Qt::LeftButton);
  EXPECT_TRUE(test::WaitUntil([&] {
    auto* guide = form_->findChild<UserGuideWindow*>(QStringLiteral("UserGuide"));
    return guide != nullptr && guide->isVisible();
  }));
}

// Without the guide, Help > Contents says where it belongs and opens nothing.
TEST_F(GuidanceTest, AMissingGuideIsNamedAndNoWindowOpens) {
  EXPECT_EQ(OpenUserGuide(*form_, prompter_, dir_.path()), nullptr);
  ASSERT_EQ(prompter_.asked.size(), 1u);
  EXPECT_EQ(prompter_.asked[0].text, kUserGuideMissing);
  EXPECT_EQ(prompter_.asked[0].style, PromptStyle::Warning);
  EXPECT_EQ(form_->findChild<UserGuideWindow*>(), nullptr);
  // A folder of that name is no guide either.
  ASSERT_TRUE(QDir(dir_.path()).mkdir(QString::fromLatin1(kUserGuideFile)));
  EXPECT_TRUE(FindUserGuide(dir_.path()).isEmpty());
}

// The guide is found where the package installs it and at the top of the build folder.
TEST_F(GuidanceTest, TheGuideIsFoundBesideTheProgramInstalledOrBuilt) {
  EXPECT_FALSE(FindUserGuide(QFileInfo(QStringLiteral(QUILLON_PROGRAM)).path()).isEmpty());
  QDir root(dir_.path());
  ASSERT_TRUE(root.mkpath(QStringLiteral("usr/bin")));
  EXPECT_TRUE(FindUserGuide(root.filePath(QStringLiteral("usr/bin"))).isEmpty());
  ASSERT_TRUE(root.mkpath(QStringLiteral("usr/share/quillon")));
  const QString installed = root.filePath(QStringLiteral("usr/share/quillon/user-guide.md"));
  ASSERT_TRUE(QFile::copy(QStringLiteral(QUILLON_GUIDE_SOURCE), installed));
  EXPECT_EQ(FindUserGuide(root.filePath(QStringLiteral("usr/bin"))),
            QFileInfo(installed).canonicalFilePath());
}

}  // namespace
}  // namespace quillon
