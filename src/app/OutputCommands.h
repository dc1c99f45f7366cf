// SPDX-License-Identifier: GPL-3.0-or-later
// The command line's output commands: exporting a picture and printing a sheet.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include <QString>

#include "document/ItemList.h"
#include "output/PrintDriver.h"

namespace quillon {

struct OutputChoice {
  bool smooth = false;
  std::string pdf;      // print to this PDF file
  std::string printer;  // print to this printer; the default printer when empty
  int copies = 1;
  std::u16string selection;         // one character per card, "x" leaves a card blank
  int resolution = kPdfResolution;  // printer pixels per inch of a PDF
  int firstCard = 1;                // the cards before it are left blank
  // The printer whose stored correction the page is printed with: by default the one printed
  // to, none for a PDF; "none" prints without a correction.
  std::string correction;
  int dpi = 0;                      // a picture at this many pixels per inch; 0: the screen's
};

// Takes the output option at args[i] (and its value, advancing i); nullopt when args[i] is not
// an output option, an empty string when it was taken, otherwise the usage problem.
std::optional<std::string> TakeOutputOption(const std::vector<std::string>& args, std::size_t& i,
                                            OutputChoice& choice);

// Exports the document's sheet as the picture file out (JPEG, PNG, BMP or ICO by extension),
// at the screen's resolution or at choice.dpi.
int RunExport(const ItemList& list, const QString& out, const OutputChoice& choice,
              std::ostream& err);
// Prints the document's sheet to the PDF file pdf, or to the chosen printer when pdf is empty;
// title names the print job.
int RunPrint(const ItemList& list, const std::string& title, const QString& pdf,
             const OutputChoice& choice, std::ostream& err);

}  // namespace quillon
