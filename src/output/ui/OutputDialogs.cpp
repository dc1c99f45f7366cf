// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/ui/OutputDialogs.h"

#include <QFileInfo>

#include "document/PageSetup.h"
#include "output/Export.h"
#include "output/PictureWriters.h"
#include "output/print/QtPrintDevice.h"
#include "output/ui/ResolutionDialog.h"

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

bool OutputDialogs::PrintDocument(const ItemList& list, const QString& title,
                                  const std::u16string& selection) {
  const ItemRecord* page = FindPageRecord(list);
  if (page == nullptr || services_.printDialog == nullptr) return false;
  const QSizeF paper = PaperMillimetres(*page, list.screen());
  auto device = QtPrintDevice::ForDialog(paper);
  if (!services_.printDialog->Choose(device->printer())) return false;
  if (device->printer().outputFormat() == QPrinter::PdfFormat && !PdfPaperInRange(paper)) {
    Report("The paper size of the page setup is out of range for a PDF file.");
    return false;
  }
  device->SettleDialogChoice(kPdfResolution);
  const int copies = device->printer().copyCount();
  if (copies < 1) return false;
  const PrintResult printed = WithProgress("Printing...", [&](const ProgressReport& report) {
    return PrintSheet(list, title.toStdString(), selection, copies, *device, list.screen(),
                      PrintQualityRenderer(), report);
  });
  if (!printed.ok) {
    if (!printed.cancelled) Report(printed.message);
    return false;
  }
  return true;
}

}  // namespace quillon
