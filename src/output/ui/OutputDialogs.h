// SPDX-License-Identifier: GPL-3.0-or-later
// File > Export and File > Print of a drawing window: the export dialog in front of the
// picture writers, and the system's print dialog in front of the print driver. The pictures
// and pages are the ones the command line writes for the same document.
#pragma once

#include <QString>
#include <map>
#include <string>

class QWidget;

#include "document/ItemList.h"
#include "platform/FileDialogs.h"
#include "platform/PrintDialog.h"
#include "platform/Progress.h"
#include "platform/Prompter.h"
#include "render/Bitmap.h"
#include "settings/TParams.h"

namespace quillon {

inline constexpr char kExportFilter[] =
    "JPEG Image Files (*.jpg,*.jpeg)|*.jpg;*.jpeg|Bitmaps (*.bmp)|*.bmp|PNG Images (*.png)|*.png";
inline constexpr char kExportTitle[] = "Export";
// The export filter's choices: 1 JPEG, 2 bitmap, 3 PNG.
constexpr bool IsExportFilter(int index) {
  return index >= 1 && index <= 3;
}
inline constexpr char kExportExtension[] = "jpg";
inline constexpr char kRememberUsedCards[] = "Remember that these cards of this sheet are used?";
inline constexpr char kSheetUsedUp[] =
    "Every card of this sheet is now used. The next print starts on a new sheet.";

struct OutputServices {
  FileDialogs* files = nullptr;
  Prompter* prompter = nullptr;
  PrintDialog* printDialog = nullptr;   // none, nothing is printed
  ProgressDialogs* progress = nullptr;  // none, the work shows no progress and runs to its end
};

class OutputDialogs {
 public:
  OutputDialogs(OutputServices services, TParams& params);

  // Whether a print or an export is under way. Its progress dialog lets events through, so
  // whatever would change or close a document waits until it is over.
  bool Busy() const { return working_ != nullptr; }

  // Export Exact (smooth false) or Smooth: asks for the file, and whether to replace an
  // existing one, then writes the sheet as a picture. Whether a file was written; a failure is
  // reported to the user. A document without a page setup exports nothing.
  bool ExportPicture(const ItemList& list, bool smooth);
  // File > Export > "Picture at a resolution...": the resolution dialog in front of parent,
  // then the export file dialog, then the sheet drawn at that resolution is written (the
  // resolution goes into the file's header). Whether a file was written.
  bool ExportAtResolution(const ItemList& list, QWidget* parent);
  // File > Screenshot: asks for a name and writes the capture of the main window as NAME_400w.jpg
  // and NAME_4wx3h.jpg, asking before replacing either.
  void ExportScreenshot(const Bitmap& capture);
  // Saves a picture already made (the print preview's) through the same dialog.
  bool SavePicture(const ItemList& list, const Bitmap& picture);

  // The print dialog, then the sheet printed with the selection (one character per card, "x"
  // leaves a card blank) as the job title. Whether the sheet was printed; a failure is
  // reported to the user. On a sheet of several cards, the cards before the first card chosen
  // for the document (SetFirstCard) and the cards earlier prints used stay blank, and after the
  // print the user is offered to remember the cards printed as used. A printer's stored
  // correction is applied to the whole page; a PDF file is printed as designed, or with the
  // correction of the printer named by pdfCorrection.
  bool PrintDocument(const ItemList& list, const QString& title, const std::u16string& selection,
                     const QString& pdfCorrection = {});
  // The card the next print of the document starts at (from 1), as the print selection chose it.
  void SetFirstCard(const ItemList& list, int first);
  int FirstCard(const ItemList& list) const;

 private:
  // The export file dialog: the full path chosen, empty when cancelled or when the user keeps
  // an existing file.
  QString ChooseExportFile();
  // Writes one picture unless it exists and the user keeps it.
  void WriteAsked(const QString& path, const Bitmap& picture);
  void Report(const std::string& message);
  // Shows a piece of work under a caption; null without progress dialogs.
  std::unique_ptr<ProgressShow> BeginWork(const char* caption);
  // Runs the work with its progress shown; Busy() holds meanwhile.
  template <class Work>
  auto WithProgress(const char* caption, Work work);

  // The used cards of the document's sheet from the settings; a note on an entry that had to
  // be ignored is shown.
  std::u16string UsedCardsOf(const ItemList& list);
  // After a print: offers to remember the cards it printed (and skipped) as used.
  void OfferToRemember(const ItemList& list, const std::u16string& used,
                       const std::u16string& printed, int firstCard);

  OutputServices services_;
  TParams& params_;
  // The first card chosen per document; set by the print selection just before it prints.
  std::map<const ItemList*, int> firstCards_;
  ProgressShow* working_ = nullptr;  // the work under way, if any
  int lastDpi_ = 300;                // the resolution chosen last, offered again
};

}  // namespace quillon
