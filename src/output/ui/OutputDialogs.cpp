// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/ui/OutputDialogs.h"

#include <QFileInfo>

#include "document/PageSetup.h"
#include "output/Export.h"
#include "output/PictureWriters.h"
#include "output/PrinterSettings.h"
#include "output/UsedCards.h"
#include "output/print/QtPrintDevice.h"
#include "output/ui/ResolutionDialog.h"
#include "settings/SettingsStore.h"

namespace quillon {

OutputDialogs::OutputDialogs(OutputServices services, TParams& params)
    : services_(services), params_(params) {}

void OutputDialogs::Report(const std::string& message) {
  if (services_.prompter != nullptr) {
    services_.prompter->Ask(message, PromptStyle::Error, PromptButtons::Ok);
  }
}

std::unique_ptr<ProgressShow> OutputDialogs::BeginWork(const char* caption) {
  if (services_.progress == nullptr) return nullptr;
  return services_.progress->Begin(QString::fromLatin1(caption));
}

template <class Work>
auto OutputDialogs::WithProgress(const char* caption, Work work) {
  std::unique_ptr<ProgressShow> show = BeginWork(caption);
  ProgressReport report;
  if (show != nullptr) report = [&show](double done) { return show->Report(done); };
  working_ = show.get();
  auto result = work(report);
  working_ = nullptr;
  return result;
}

QString OutputDialogs::ChooseExportFile() {
  if (services_.files == nullptr) return {};
  FileDialogRequest request;
  request.title = QString::fromLatin1(kExportTitle);
  request.filter = QString::fromLatin1(kExportFilter);
  // The JPEG, bitmap and PNG choices are remembered; anything else stored starts on JPEG.
  request.filterIndex = IsExportFilter(params_.expndx) ? params_.expndx : 1;
  request.defaultExtension = QString::fromLatin1(kExportExtension);
  if (QFileInfo(params_.expdir).isDir()) request.initialFolder = params_.expdir;
  int chosenFilter = 0;
  const QString chosen = services_.files->ChooseFileToSave(request, &chosenFilter).trimmed();
  if (chosen.isEmpty()) return {};
  QFileInfo info(chosen);
  params_.expdir = info.absolutePath();
  if (IsExportFilter(chosenFilter)) params_.expndx = chosenFilter;
  QString path = info.absoluteFilePath();
  // A name typed without an extension is a JPEG picture and says so.
  if (info.suffix().isEmpty()) path += u'.' + QString::fromLatin1(kExportExtension);
  if (QFileInfo::exists(path) && services_.prompter != nullptr &&
      services_.prompter->Ask(kReplaceQuestion, PromptStyle::Confirmation, PromptButtons::YesNo) !=
          PromptAnswer::Yes) {
    return {};
  }
  return path;
}

bool OutputDialogs::ExportPicture(const ItemList& list, bool smooth) {
  if (FindPageRecord(list) == nullptr) return false;
  const QString path = ChooseExportFile();
  if (path.isEmpty()) return false;
  Bitmap picture;
  const auto exportSheet = smooth ? ExportSmooth : ExportExact;
  // Stopped, the picture is never written: the file, new or old, stays as it was.
  const ComposeResult made =
      WithProgress("Exporting the picture...", [&](const ProgressReport& report) {
        return exportSheet(list, list.screen(), PrintQualityRenderer(), picture, report);
      });
  if (!made.ok) {
    if (!made.cancelled) Report(made.message);
    return false;
  }
  const WriteResult written = WritePicture(path, picture, list.screen().dpiX);
  if (!written.ok) {
    Report(written.message);
    return false;
  }
  return true;
}

bool OutputDialogs::ExportAtResolution(const ItemList& list, QWidget* parent) {
  const ItemRecord* page = FindPageRecord(list);
  if (page == nullptr) return false;
  int dpi = 0;
  {
    ResolutionDialog dialog(*page, list.screen(), lastDpi_, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    dpi = dialog.Dpi();
  }
  lastDpi_ = dpi;
  const QString path = ChooseExportFile();
  if (path.isEmpty()) return false;
  Bitmap picture;
  const ComposeResult made =
      WithProgress("Exporting the picture...", [&](const ProgressReport& report) {
        return quillon::ExportAtResolution(list, list.screen(), dpi, PrintQualityRenderer(),
                                           picture, report);
      });
  if (!made.ok) {
    if (!made.cancelled) Report(made.message);
    return false;
  }
  const WriteResult written = WritePicture(path, picture, dpi);
  if (!written.ok) Report(written.message);
  return written.ok;
}

void OutputDialogs::WriteAsked(const QString& path, const Bitmap& picture) {
  if (QFileInfo::exists(path) && services_.prompter != nullptr &&
      services_.prompter->Ask(kReplaceQuestion, PromptStyle::Confirmation, PromptButtons::YesNo) ==
          PromptAnswer::No) {
    return;
  }
  const WriteResult written = WritePicture(path, picture, params_.screen.dpiX);
  if (!written.ok) Report(written.message);
}

void OutputDialogs::ExportScreenshot(const Bitmap& capture) {
  if (services_.files == nullptr || capture.empty()) return;
  FileDialogRequest request;
  request.title = QString::fromLatin1(kExportTitle);
  request.filter = QString::fromLatin1(kExportFilter);
  request.filterIndex = 1;  // the remembered filter belongs to the picture exports
  request.defaultExtension = QString::fromLatin1(kExportExtension);
  if (QFileInfo(params_.expdir).isDir()) request.initialFolder = params_.expdir;
  const QString chosen = services_.files->ChooseFileToSave(request).trimmed();
  if (chosen.isEmpty()) return;
  const QFileInfo info(chosen);
  params_.expdir = info.absolutePath();
  const QString suffix = info.suffix();
  QString base = info.absoluteFilePath();
  if (!suffix.isEmpty()) base.chop(suffix.size() + 1);
  const ScreenshotPictures pictures = MakeScreenshotPictures(capture);
  WriteAsked(base + QStringLiteral("_400w.jpg"), pictures.narrow);
  WriteAsked(base + QStringLiteral("_4wx3h.jpg"), pictures.framed);
}

bool OutputDialogs::SavePicture(const ItemList& list, const Bitmap& picture) {
  if (FindPageRecord(list) == nullptr || picture.empty()) return false;
  const QString path = ChooseExportFile();
  if (path.isEmpty()) return false;
  const WriteResult written = WritePicture(path, picture, list.screen().dpiX);
  if (!written.ok) Report(written.message);
  return written.ok;
}

void OutputDialogs::SetFirstCard(const ItemList& list, int first) {
  if (first > 1) {
    firstCards_[&list] = first;
  } else {
    firstCards_.erase(&list);
  }
}

int OutputDialogs::FirstCard(const ItemList& list) const {
  const auto found = firstCards_.find(&list);
  return found != firstCards_.end() ? found->second : 1;
}

std::u16string OutputDialogs::UsedCardsOf(const ItemList& list) {
  std::string note;
  std::u16string used =
      ReadUsedCards(*OpenSettingsStore(), SheetLayoutName(list), CardCount(list), note);
  if (!note.empty() && services_.prompter != nullptr) {
    services_.prompter->Ask(note, PromptStyle::Information, PromptButtons::Ok);
  }
  return used;
}

void OutputDialogs::OfferToRemember(const ItemList& list, const std::u16string& used,
                                    const std::u16string& printed, int firstCard) {
  if (services_.prompter == nullptr ||
      services_.prompter->Ask(kRememberUsedCards, PromptStyle::Confirmation,
                              PromptButtons::YesNo) != PromptAnswer::Yes) {
    return;
  }
  const int cards = CardCount(list);
  std::u16string after = UsedAfterPrint(used, printed, firstCard, cards);
  if (AllCardsUsed(after, cards)) {
    // A sheet with no card left is put away; the next print takes a fresh one.
    after.clear();
    services_.prompter->Ask(kSheetUsedUp, PromptStyle::Information, PromptButtons::Ok);
  }
  WriteUsedCards(*OpenSettingsStore(), SheetLayoutName(list), after);
}

bool OutputDialogs::PrintDocument(const ItemList& list, const QString& title,
                                  const std::u16string& selection, const QString& pdfCorrection) {
  const ItemRecord* page = FindPageRecord(list);
  if (page == nullptr || services_.printDialog == nullptr) return false;
  const bool sheetOfCards = LayoutOf(*page, list.screen()).multiCard;
  const int firstCard = sheetOfCards ? FirstCard(list) : 1;
  firstCards_.erase(&list);
  const int cards = CardCount(list);
  const std::u16string used = sheetOfCards ? UsedCardsOf(list) : std::u16string();
  std::u16string toPrint = selection;
  if (firstCard > 1 || !used.empty()) {
    toPrint = SelectionForPrint(selection, firstCard, used, cards);
    if (!PrintsAnyCard(toPrint, cards)) {
      Report(
          "No card of this sheet is left to print: the cards before the first card and the "
          "used cards stay blank.");
      return false;
    }
  }
  const QSizeF paper = PaperMillimetres(*page, list.screen());
  auto device = QtPrintDevice::ForDialog(paper);
  // Printed from the menu, a print to a file may take a stored correction chosen in the dialog.
  QString fileCorrection = pdfCorrection;
  const bool chosen =
      pdfCorrection.isEmpty()
          ? services_.printDialog->ChooseWithCorrection(
                device->printer(), CorrectedPrinters(*OpenSettingsStore()), fileCorrection)
          : services_.printDialog->Choose(device->printer());
  if (!chosen) return false;
  const bool toFile = device->printer().outputFormat() == QPrinter::PdfFormat;
  if (toFile && !PdfPaperInRange(paper)) {
    Report("The paper size of the page setup is out of range for a PDF file.");
    return false;
  }
  device->SettleDialogChoice(kPdfResolution);
  const int copies = device->printer().copyCount();
  if (copies < 1) return false;
  // A printer prints with its own correction; a file as designed unless one was chosen.
  PrinterCorrection correction;
  const QString corrected = toFile ? fileCorrection : device->printer().printerName();
  if (!corrected.isEmpty()) {
    std::string note;
    correction = ReadPrinterCorrection(*OpenSettingsStore(), corrected, note);
    if (!note.empty() && services_.prompter != nullptr) {
      services_.prompter->Ask(note, PromptStyle::Information, PromptButtons::Ok);
    }
    if (const std::string problem = CorrectionProblem(correction, paper); !problem.empty()) {
      Report(problem + " Nothing was printed.");
      return false;
    }
  }
  const PrintResult printed = WithProgress("Printing...", [&](const ProgressReport& report) {
    return PrintSheet(list, title.toStdString(), toPrint, copies, *device, list.screen(),
                      PrintQualityRenderer(), report, AsPageCorrection(correction));
  });
  if (!printed.ok) {
    if (!printed.cancelled) Report(printed.message);
    return false;
  }
  if (sheetOfCards)
    OfferToRemember(list, used, SelectionForPrint(toPrint, 1, {}, cards), firstCard);
  return true;
}

}  // namespace quillon
