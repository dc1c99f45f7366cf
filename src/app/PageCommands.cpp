// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/PageCommands.h"

#include <QStringList>
#include <cstdlib>

#include "document/DocumentFile.h"
#include "document/PageSetup.h"
#include "page/Catalogue.h"
#include "page/PageDimensions.h"
#include "page/SizeText.h"
#include "settings/NewDocument.h"
#include "settings/SettingsStore.h"

namespace quillon {
namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;
// The number File > New gives the first window.
constexpr int32_t kFirstWindowNumber = 18601;

constexpr const char* kUnitOptionNames[3] = {"pixels", "mm", "inches"};

// One line per kind, without a final line break.
std::string KindChoices() {
  std::string text;
  for (int32_t kind = 1; kind <= kPageKindCount; ++kind) {
    if (kind > 1) text += '\n';
    text += "  " + std::to_string(kind) + "  " + PageKindName(kind);
  }
  return text;
}

// An entry's text as listed; "-" stands for an empty one.
QString Shown(const TemplateEntry& entry, EntryText which) {
  const QString text = entry.Text(which);
  return text.isEmpty() ? QStringLiteral("-") : text;
}

// Texts joined by a separator, or "-" when every one is empty.
QString Joined(const TemplateEntry& entry, std::initializer_list<EntryText> which,
               const QString& separator) {
  QStringList parts;
  bool anything = false;
  for (EntryText w : which) {
    anything = anything || !entry.Text(w).isEmpty();
    parts.append(Shown(entry, w));
  }
  return anything ? parts.join(separator) : QStringLiteral("-");
}

QString EntryLine(int32_t kind, int32_t units, const TemplateEntry& e) {
  const QString by = QStringLiteral(" x ");
  const QString comma = QStringLiteral(", ");
  const char* fold = e.fold == EntryFold::Rows      ? "rows"
                     : e.fold == EntryFold::Columns ? "columns"
                                                    : "none";
  return QStringList{
      QString::number(kind),
      QString::fromLatin1(kUnitOptionNames[units - 1]),
      e.Name(),
      Joined(e, {kEntryPaperWidth, kEntryPaperHeight}, by),
      Joined(e, {kEntryItemWidth, kEntryItemHeight}, by),
      Joined(e, {kEntryLeftMargin, kEntryTopMargin, kEntryRightMargin, kEntryBottomMargin}, comma),
      Joined(e, {kEntryRows, kEntryColumns}, by),
      Joined(e, {kEntryRowGap, kEntryColumnGap}, comma),
      QString::fromLatin1(fold),
  }
      .join(u'\t');
}

// The page description to apply: the kind's description for new files, changed as asked.
// Returns a usage error text when the template is not in the list.
std::optional<std::string> ChosenPageset(const PageChoice& choice, const TParams& params,
                                         int32_t kind, pageset_t& result) {
  PageDimensions form;
  form.Load(kind, params.pagesets[kind - 1]);
  if (choice.units) form.SetUnits(*choice.units);
  if (choice.templateName) {
    const int index = FindTemplate(form.units(), kind, *choice.templateName);
    if (index < 0) {
      const QStringList names = form.QuickSelectNames();
      std::string problem = "no template \"" + choice.templateName->toStdString() + "\" for " +
                            PageKindName(kind) + " in " + kUnitOptionNames[form.units() - 1];
      if (names.isEmpty()) return problem + "; that kind has no templates in that unit\n";
      problem += "; choose one of:\n";
      for (const QString& name : names)
        problem += "  " + name.toStdString() + '\n';
      return problem;
    }
    form.ChooseTemplate(index);
  }
  if (choice.landscape) form.SetOrientation(kLandscape);
  result = form.Store();
  return std::nullopt;
}

}  // namespace

std::optional<std::string> ParseKindOption(const std::string& text, PageChoice& choice) {
  const auto kind = ParseWholeNumber(QString::fromStdString(text));
  if (!kind || !IsPageKind(*kind)) {
    return "unknown page kind \"" + text + "\"; choose one of:\n" + KindChoices();
  }
  choice.kind = *kind;
  return std::nullopt;
}

std::optional<std::string> ParseUnitsOption(const std::string& text, PageChoice& choice) {
  for (int32_t units = 1; units <= 3; ++units) {
    if (text == kUnitOptionNames[units - 1]) {
      choice.units = units;
      return std::nullopt;
    }
  }
  return "unknown units \"" + text + "\"; choose one of: pixels, mm, inches";
}

int RunTemplates(const PageChoice& choice, std::ostream& out, std::ostream& err) {
  if (choice.templateName || choice.landscape) {
    err << "quillon: templates takes only --kind and --units\n";
    return kExitUsage;
  }
  for (int32_t kind = 1; kind <= kPageKindCount; ++kind) {
    if (choice.kind && kind != *choice.kind) continue;
    for (int32_t units = 1; units <= 3; ++units) {
      if (choice.units && units != *choice.units) continue;
      for (const TemplateEntry& entry : Catalogue(units, kind)) {
        out << EntryLine(kind, units, entry).toStdString() << '\n';
      }
    }
  }
  return kExitOk;
}

int RunNew(const PageChoice& choice, const std::string& output, int screenDpi, std::ostream& err) {
  if (!QString::fromStdString(output).endsWith(QStringLiteral(".qlln"), Qt::CaseInsensitive)) {
    err << "quillon: " << output << ": only .qlln documents can be written so far.\n";
    return kExitFailure;
  }
  const ScreenMetrics screen{screenDpi, screenDpi};
  TParams params(screen);
  LoadSettings(params);
  ItemList list(screen);
  if (choice.any()) {
    const int64_t chosen = std::abs(int64_t{params.pspage});
    const int32_t kind =
        choice.kind.value_or(chosen >= 1 && chosen <= kPageKindCount ? static_cast<int32_t>(chosen)
                                                                     : kKindIllustrations);
    pagesetArr_t sets = params.pagesets;
    if (const auto problem = ChosenPageset(choice, params, kind, sets[kind - 1])) {
      err << "quillon: " << *problem;
      return kExitUsage;
    }
    // As Page Setup > New Files followed by File > New would make it.
    NewDocumentAfterPageSetup(list, params, sets, kind, kFirstWindowNumber);
  } else {
    NewDocument(list, params, kFirstWindowNumber);
  }
  const FileResult written = WriteDocument(QString::fromStdString(output), list);
  if (!written.ok()) {
    err << "quillon: " << output << ": " << written.message << '\n';
    return kExitFailure;
  }
  return kExitOk;
}

}  // namespace quillon
