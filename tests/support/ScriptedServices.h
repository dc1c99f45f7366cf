// SPDX-License-Identifier: GPL-3.0-or-later
// Message boxes, file dialogs and the colour chooser that answer from a script and remember
// what they were asked, for tests that drive windows.
#pragma once

#include <QImage>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Clipboard.h"
#include "platform/ColourChooser.h"
#include "platform/FileDialogs.h"
#include "platform/Progress.h"
#include "platform/Prompter.h"

namespace quillon::test {

class QueuedPrompter : public Prompter {
 public:
  struct Question {
    std::string text;
    PromptStyle style;
    PromptButtons buttons;
    std::string details = {};
  };

  // Takes the next scripted answer; without one, OK for a message and Cancel for a question.
  PromptAnswer Ask(std::string_view text, PromptStyle style, PromptButtons buttons) override {
    asked.push_back({std::string(text), style, buttons, {}});
    if (!answers.empty()) {
      const PromptAnswer answer = answers.front();
      answers.pop_front();
      return answer;
    }
    return buttons == PromptButtons::Ok ? PromptAnswer::Ok : PromptAnswer::Cancel;
  }
  PromptAnswer AskAbout(std::string_view text, std::string_view details, PromptStyle style,
                        PromptButtons buttons) override {
    const PromptAnswer answer = Ask(text, style, buttons);
    asked.back().details = std::string(details);
    return answer;
  }
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const Question& q : asked)
      texts.push_back(q.text);
    return texts;
  }

  std::deque<PromptAnswer> answers;
  std::vector<Question> asked;
};

class ScriptedFileDialogs : public FileDialogs {
 public:
  // Each dialog takes the next scripted path; an empty path or none is a cancel.
  QString ChooseFileToOpen(const FileDialogRequest& request) override {
    openRequests.push_back(request);
    return Next(openAnswers);
  }
  // The filter chosen is the preselected one unless a test scripts another.
  QString ChooseFileToSave(const FileDialogRequest& request, int* chosenFilter) override {
    saveRequests.push_back(request);
    if (chosenFilter != nullptr) {
      *chosenFilter = request.filterIndex;
      if (!filterAnswers.empty()) {
        *chosenFilter = filterAnswers.front();
        filterAnswers.pop_front();
      }
    }
    return Next(saveAnswers);
  }

  std::deque<QString> openAnswers;
  std::deque<QString> saveAnswers;
  std::deque<int> filterAnswers;
  std::vector<FileDialogRequest> openRequests;
  std::vector<FileDialogRequest> saveRequests;

 private:
  static QString Next(std::deque<QString>& answers) {
    if (answers.empty()) return {};
    QString answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

// Keeps the pictures put on the clipboard.
class RecordingClipboard : public Clipboard {
 public:
  bool PutPicture(const QImage& picture) override {
    pictures.push_back(picture);
    return true;
  }
  bool HasPicture() const override { return !offered.isNull(); }
  QImage Picture() const override { return offered; }
  std::vector<QImage> pictures;
  QImage offered;  // what another program put on the clipboard
};

class ScriptedColourChooser : public ColourChooser {
 public:
  // Remembers the custom colours it was given and, when scripted, leaves others in their place
  // as the user's editing of them would.
  std::optional<uint32_t> ChooseColour(uint32_t, CustomColourSlots& custom) override {
    ++calls;
    given = custom;
    if (customAfter) custom = *customAfter;
    return answer;
  }
  std::optional<uint32_t> answer;
  std::optional<CustomColourSlots> customAfter;
  CustomColourSlots given{};
  int calls = 0;
};

// Progress that remembers the captions and reports, and stops the work once the report reaches
// stopAt (never by default).
class ScriptedProgress : public ProgressDialogs {
 public:
  std::unique_ptr<ProgressShow> Begin(const QString& caption) override {
    captions.push_back(caption);
    return std::make_unique<Show>(*this);
  }

  std::vector<QString> captions;
  std::vector<double> reports;
  double stopAt = 2;
  // Runs at every report, as the desktop's dialog lets events through there.
  std::function<void()> duringWork;
  int open = 0;  // shows not yet ended

 private:
  class Show : public ProgressShow {
   public:
    explicit Show(ScriptedProgress& owner) : owner_(owner) { ++owner_.open; }
    ~Show() override { --owner_.open; }
    bool Report(double done) override {
      owner_.reports.push_back(done);
      if (owner_.duringWork) owner_.duringWork();
      return done < owner_.stopAt;
    }

   private:
    ScriptedProgress& owner_;
  };
};

}  // namespace quillon::test
