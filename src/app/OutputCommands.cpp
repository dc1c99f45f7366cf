// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/OutputCommands.h"

#include <QString>
#include <charconv>

#include "app/ConsoleProgress.h"
#include "document/PageSetup.h"
#include "output/Export.h"
#include "output/PictureWriters.h"
#include "output/PrintDriver.h"
#include "output/PrintSelection.h"
#include "output/PrinterSettings.h"
#include "output/UsedCards.h"
#include "output/print/PrintDevices.h"
#include "settings/SettingsStore.h"

namespace quillon {
namespace {

std::optional<int> WholeNumber(const std::string& text, int low, int high) {
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || value < low || value > high) {
    return std::nullopt;
  }
  return value;
}

// The correction the print is made with, from the settings store; nullopt (with the reason
// told) when it must not print.
std::optional<PageCorrection> ChosenCorrection(const OutputChoice& choice, bool toPdf, QSizeF paper,
                                               const std::string& title, std::ostream& err) {
  const std::string printer =
      choice.correction.empty() && !toPdf ? choice.printer : choice.correction;
  if (printer.empty() || printer == "none") return PageCorrection{};
  const std::unique_ptr<QSettings> store = OpenSettingsStore();
  const QString name = QString::fromStdString(printer);
  if (!choice.correction.empty() && !CorrectedPrinters(*store).contains(name)) {
    err << "quillon: " << title << ": no correction is stored for the printer \"" << printer
        << "\".\n";
    return std::nullopt;
  }
  std::string note;
  const PrinterCorrection correction = ReadPrinterCorrection(*store, name, note);
  if (!note.empty()) err << "quillon: note: " << note << '\n';
  if (const std::string problem = CorrectionProblem(correction, paper); !problem.empty()) {
    err << "quillon: " << title << ": " << problem << '\n';
    return std::nullopt;
  }
  return AsPageCorrection(correction);
}

}  // namespace

std::optional<std::string> TakeOutputOption(const std::vector<std::string>& args, std::size_t& i,
                                            OutputChoice& choice) {
  const std::string& arg = args[i];
  if (arg == "--smooth") {
    choice.smooth = true;
    return std::string();
  }
  if (arg != "--pdf" && arg != "--printer" && arg != "--copies" && arg != "--select" &&
      arg != "--resolution" && arg != "--first-card" && arg != "--correction" &&
      arg != "--dpi") {
    return std::nullopt;
  }
  if (i + 1 >= args.size()) return arg + " needs a value";
  const std::string& value = args[++i];
  if (arg == "--pdf") {
    choice.pdf = value;
  } else if (arg == "--printer") {
    choice.printer = value;
  } else if (arg == "--select") {
    choice.selection = QString::fromStdString(value).toStdU16String();
  } else if (arg == "--correction") {
    choice.correction = value;
  } else if (arg == "--first-card") {
    const auto first = WholeNumber(value, 1, kMapMaxCards);
    if (!first)
      return "--first-card needs a whole number from 1 to " + std::to_string(kMapMaxCards);
    choice.firstCard = *first;
  } else if (arg == "--copies") {
    const auto copies = WholeNumber(value, 1, 999);
    if (!copies) return "--copies needs a whole number from 1 to 999";
    choice.copies = *copies;
  } else if (arg == "--dpi") {
    const auto dpi = WholeNumber(value, kLowestExportDpi, kHighestExportDpi);
    if (!dpi) {
      return "--dpi needs a whole number from " + std::to_string(kLowestExportDpi) + " to " +
             std::to_string(kHighestExportDpi);
    }
    choice.dpi = *dpi;
  } else {
    const auto dpi = WholeNumber(value, 72, 2400);
    if (!dpi) return "--resolution needs a whole number from 72 to 2400";
    choice.resolution = *dpi;
  }
  return std::string();
}

int RunExport(const ItemList& list, const QString& out, const OutputChoice& choice,
              std::ostream& err) {
  if (choice.dpi > 0 && choice.smooth) {
    err << "quillon: --dpi and --smooth do not go together: a picture at a resolution is drawn "
           "at that resolution\nRun \"quillon --help\" to see the usage.\n";
    return 2;
  }
  Bitmap picture;
  const auto exportSheet = choice.smooth ? ExportSmooth : ExportExact;
  ConsoleProgress progress(err, ErrIsTerminal(err), "exporting " + out.toStdString());
  const ComposeResult made =
      choice.dpi > 0
          ? ExportAtResolution(list, list.screen(), choice.dpi, PrintQualityRenderer(), picture,
                               progress.Report())
          : exportSheet(list, list.screen(), PrintQualityRenderer(), picture, progress.Report());
  progress.Finish();
  if (!made.ok) {
    err << "quillon: " << out.toStdString() << ": " << made.message << '\n';
    return 1;
  }
  const WriteResult written =
      WritePicture(out, picture, choice.dpi > 0 ? choice.dpi : list.screen().dpiX);
  if (!written.ok) {
    err << "quillon: " << written.message << '\n';
    return 1;
  }
  return 0;
}

int RunPrint(const ItemList& list, const std::string& title, const QString& pdf,
             const OutputChoice& choice, std::ostream& err) {
  if (choice.dpi > 0) {
    err << "quillon: --dpi is for pictures (convert); print takes --resolution\nRun \"quillon "
           "--help\" to see the usage.\n";
    return 2;
  }
  const ItemRecord* page = FindPageRecord(list);
  if (page == nullptr) {
    err << "quillon: " << title << ": the document has no page setup.\n";
    return 1;
  }
  const QSizeF paper = PaperMillimetres(*page, list.screen());
  if (!pdf.isEmpty() && !PdfPaperInRange(paper)) {
    err << "quillon: " << title << ": the paper size of the page setup is out of range.\n";
    return 1;
  }
  std::u16string selection = choice.selection;
  if (choice.firstCard > 1) {
    const int cards = CardCount(list);
    if (choice.firstCard > cards) {
      err << "quillon: " << title << ": the sheet has " << cards
          << (cards == 1 ? " card" : " cards") << "; there is no card " << choice.firstCard
          << " to start at.\n";
      return 1;
    }
    selection = SelectionForPrint(selection, choice.firstCard, u"", cards);
  }
  const std::optional<PageCorrection> correction =
      ChosenCorrection(choice, !pdf.isEmpty(), paper, title, err);
  if (!correction) return 1;
  std::string unavailable;
  const std::unique_ptr<PrintDevice> device =
      pdf.isEmpty() ? OpenPrinterDevice(QString::fromLocal8Bit(choice.printer.c_str()), unavailable)
                    : OpenPdfDevice(pdf, paper, choice.resolution, unavailable);
  if (!device) {
    err << "quillon: " << title << ": " << unavailable << '\n';
    return 1;
  }
  ConsoleProgress progress(err, ErrIsTerminal(err), "printing " + title);
  const PrintResult printed =
      PrintSheet(list, title, selection, choice.copies, *device, list.screen(),
                 PrintQualityRenderer(), progress.Report(), *correction);
  progress.Finish();
  if (!printed.ok) {
    err << "quillon: " << title << ": " << printed.message << '\n';
    return 1;
  }
  return 0;
}

}  // namespace quillon
