// SPDX-License-Identifier: GPL-3.0-or-later
// The user guide that Help > Contents and About's "Web" button open: a Markdown file installed
// with the program, shown in a window of its own without going on line.
#pragma once

#include <QString>
#include <QWidget>

class QTextBrowser;

namespace quillon {

class Prompter;

inline constexpr char kUserGuideFile[] = "user-guide.md";
inline constexpr char kUserGuideTitle[] = "Quillon User Guide";
inline constexpr char kUserGuideMissing[] =
    "The user guide could not be found. It is installed with Quillon as "
    "share/quillon/user-guide.md; installing Quillon again puts it back.";

// The guide beside a program in `programFolder`: where the package installs it, else at the top
// of the build folder; empty when neither exists.
QString FindUserGuide(const QString& programFolder);

// A window showing the guide; links to other pages of the web open in the desktop's browser.
class UserGuideWindow : public QWidget {
  Q_OBJECT
 public:
  explicit UserGuideWindow(const QString& path, QWidget* parent = nullptr);
  QTextBrowser* Text() const { return text_; }

 private:
  QTextBrowser* text_ = nullptr;
};

// Shows the guide at `path` in the owner's guide window, made on first use and raised after.
UserGuideWindow* ShowUserGuide(QWidget& owner, const QString& path);
// Shows the guide found beside a program in `programFolder`, or tells the user it is missing;
// the window, or null.
UserGuideWindow* OpenUserGuide(QWidget& owner, Prompter& prompts, const QString& programFolder);

}  // namespace quillon
