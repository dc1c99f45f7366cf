// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"

#include <algorithm>

#include <QFile>
#include <QFileInfo>
#include <QString>
#include <charconv>
#include <optional>

#include "app/OutputCommands.h"
#include "app/PageCommands.h"
#include "app/RecordReport.h"
#include "document/DocumentFile.h"
#include "document/ReplacingFile.h"

namespace quillon {
namespace {

constexpr char kUsage[] =
    "Usage: quillon COMMAND [OPTIONS] FILE...\n"
    "\n"
    "Commands:\n"
    "  info [--json] FILE.qlln     show the records of a document as read\n"
    "  convert IN.qlln OUT.qlln    read a document and write it again\n"
    "  convert [--smooth | --dpi N] IN.qlln OUT.jpg|.png|.bmp|.ico\n"
    "                              export the sheet as a picture (\"Exact\", or \"Smooth\",\n"
    "                              or at N pixels per inch, 72 to 2400);\n"
    "                              any other extension, or none, writes a JPEG\n"
    "  print [--pdf OUT.pdf | --printer NAME] [--copies N] [--select TEXT] [--resolution DPI]\n"
    "        [--first-card N] [--correction PRINTER|none] FILE.qlln\n"
    "                              print the sheet (default: the default printer);\n"
    "                              --select has one character per card, x leaves it blank;\n"
    "                              --first-card leaves the cards before card N blank;\n"
    "                              --correction prints with that printer's stored correction\n"
    "                              (default: the printer's own, none for a PDF);\n"
    "                              --resolution is for PDF files (default 600)\n"
    "  templates [--kind K] [--units U]\n"
    "                              list the Quick select templates, one per line: kind, units,\n"
    "                              name, paper, item, margins, rows x columns, gaps, folds\n"
    "                              (tab-separated; - for an empty text)\n"
    "  new [--kind K] [--units U] [--template NAME] [--landscape] OUT.qlln\n"
    "                              write the document File > New makes with your settings,\n"
    "                              with the page setup of kind K in units U applied\n"
    "  --help                      show this text\n"
    "\n"
    "Options:\n"
    "  --screen-dpi N   the screen resolution to assume (default 96 without a screen)\n"
    "  --force          open a file that does not look like a Quillon document anyway\n"
    "  --kind K         page kind 1 to 11 (1 Illustrations ... 11 Tent Cards)\n"
    "  --units U        pixels, mm or inches\n"
    "  --template NAME  a template's name exactly as \"quillon templates\" lists it\n"
    "  --landscape      switch the page to landscape\n";

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

// A usage error: the problem in one line and where the usage is, not the whole usage.
int UsageError(std::ostream& err, const std::string& problem) {
  err << "quillon: " << problem << "\nRun \"quillon --help\" to see the usage.\n";
  return kExitUsage;
}

// A file name as the system's bytes: names that Qt cannot carry unchanged (bytes that are not
// UTF-8) are refused rather than replaced by another name.
std::optional<QString> FileName(const std::string& bytes, std::ostream& err) {
  const QByteArray raw = QByteArray::fromStdString(bytes);
  const QString name = QFile::decodeName(raw);
  if (QFile::encodeName(name) == raw) return name;
  err << "quillon: " << bytes
      << ": the file name is not UTF-8 text, which is all Quillon can open or write.\n";
  return std::nullopt;
}

struct Options {
  std::string command;
  std::vector<std::string> files;
  bool json = false;
  bool force = false;
  int screenDpi = 96;
  PageChoice page;
  OutputChoice output;
};

// A message's lines joined by blanks, for one line of standard error.
std::string OneLine(std::string_view text) {
  std::string line;
  for (char c : text) {
    if (c == '\n') continue;
    line += c == '\r' ? ' ' : c;
  }
  return line;
}

// Answers the reader's questions from the options; warnings go to standard error.
class CommandLinePrompter : public Prompter {
 public:
  CommandLinePrompter(bool force, std::string file, std::ostream& err)
      : force_(force), file_(std::move(file)), err_(err) {}

  PromptAnswer Ask(std::string_view text, PromptStyle, PromptButtons buttons) override {
    if (buttons == PromptButtons::Ok) {
      err_ << "quillon: warning: " << file_ << ": " << OneLine(text) << '\n';
      return PromptAnswer::Ok;
    }
    return force_ ? PromptAnswer::Yes : PromptAnswer::No;
  }

 private:
  bool force_;
  std::string file_;
  std::ostream& err_;
};

std::optional<int> ParseDpi(const std::string& text) {
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || value < 1 || value > 10000) {
    return std::nullopt;
  }
  return value;
}

// Fills options from args; returns an error text for a usage error.
std::optional<std::string> Parse(const std::vector<std::string>& args, Options& options) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--json") {
      options.json = true;
    } else if (arg == "--force") {
      options.force = true;
    } else if (arg == "--screen-dpi") {
      if (i + 1 >= args.size()) return "--screen-dpi needs a number";
      const auto dpi = ParseDpi(args[++i]);
      if (!dpi) return "--screen-dpi needs a whole number from 1 to 10000";
      options.screenDpi = *dpi;
    } else if (arg == "--kind" || arg == "--units" || arg == "--template") {
      if (i + 1 >= args.size()) return arg + " needs a value";
      const std::string& value = args[++i];
      if (arg == "--template") {
        options.page.templateName = QString::fromStdString(value);
      } else if (auto problem = arg == "--kind" ? ParseKindOption(value, options.page)
                                                : ParseUnitsOption(value, options.page)) {
        return problem;
      }
    } else if (arg == "--landscape") {
      options.page.landscape = true;
    } else if (auto problem = TakeOutputOption(args, i, options.output)) {
      if (!problem->empty()) return problem;
    } else if (arg.size() > 1 && arg[0] == '-' && arg != "--help" && arg != "-h") {
      return "unknown option " + arg;
    } else if (options.command.empty()) {
      options.command = arg;
    } else {
      options.files.push_back(arg);
    }
  }
  return std::nullopt;
}

bool Read(const Options& options, const std::string& path, ItemList& list, std::ostream& err) {
  const std::optional<QString> name = FileName(path, err);
  if (!name) return false;
  CommandLinePrompter prompter(options.force, path, err);
  const FileResult result = ReadDocument(*name, list, prompter);
  if (result.status == FileResult::Status::Declined) {
    err << "quillon: " << path << ": not a valid Quillon file (use --force to open it anyway).\n";
    return false;
  }
  if (!result.ok()) {
    err << "quillon: " << path << ": " << result.message << '\n';
    return false;
  }
  return true;
}

int RunInfo(const Options& options, std::ostream& out, std::ostream& err) {
  if (options.files.size() != 1) return UsageError(err, "info takes one document");
  ItemList list(ScreenMetrics{options.screenDpi, options.screenDpi});
  if (!Read(options, options.files[0], list, err)) return kExitFailure;
  if (options.json) {
    WriteRecordsJson(list, out);
  } else {
    out << options.files[0] << ": ";
    WriteRecordsSummary(list, out);
  }
  return kExitOk;
}

// Whether the output is a document: its extension, with blanks typed around it ignored as the
// picture types ignore them, is "qlln" in any case.
bool EndsWithDocumentExtension(const QString& path) {
  return QFileInfo(path).suffix().trimmed().compare(QLatin1String("qlln"), Qt::CaseInsensitive) ==
         0;
}

// Refuses an output that would replace the input document.
bool KeepsInput(const QString& input, const QString& output, const std::string& name,
                std::ostream& err) {
  if (!SameFile(input, output)) return true;
  err << "quillon: " << name << ": this is the input document, which is not written over.\n";
  return false;
}

int RunConvert(const Options& options, std::ostream& err) {
  if (options.files.size() != 2) {
    return UsageError(err, "convert takes an input and an output file");
  }
  const std::string& output = options.files[1];
  const std::optional<QString> input = FileName(options.files[0], err);
  const std::optional<QString> outputName = input ? FileName(output, err) : std::nullopt;
  if (!outputName) return kExitFailure;
  // A document written over its input would lose the undo history and unused picture sources
  // the input holds, and the unread part of a damaged one.
  if (!KeepsInput(*input, *outputName, output, err)) return kExitFailure;
  ItemList list(ScreenMetrics{options.screenDpi, options.screenDpi});
  if (!Read(options, options.files[0], list, err)) return kExitFailure;
  if (!EndsWithDocumentExtension(*outputName)) {
    return RunExport(list, *outputName, options.output, err);
  }
  const FileResult written = WriteDocument(*outputName, list);
  if (!written.ok()) {
    err << "quillon: " << output << ": " << written.message << '\n';
    return kExitFailure;
  }
  return kExitOk;
}

}  // namespace

int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  Options options;
  if (const auto problem = Parse(args, options)) return UsageError(err, *problem);
  // "--help" anywhere, as in "quillon new --help", shows the usage rather than taking a file.
  const bool help = std::any_of(options.files.begin(), options.files.end(),
                                [](const auto& f) { return f == "--help" || f == "-h"; });
  if (help || options.command.empty() || options.command == "--help" || options.command == "-h" ||
      options.command == "help") {
    out << kUsage;
    return kExitOk;
  }
  if (options.command == "info") return RunInfo(options, out, err);
  if (options.command == "convert") return RunConvert(options, err);
  if (options.command == "print") {
    if (options.files.size() != 1) return UsageError(err, "print takes one document");
    const std::optional<QString> input = FileName(options.files[0], err);
    if (!input) return kExitFailure;
    std::optional<QString> pdf;
    if (!options.output.pdf.empty()) {
      pdf = FileName(options.output.pdf, err);
      if (!pdf || !KeepsInput(*input, *pdf, options.output.pdf, err)) return kExitFailure;
    }
    ItemList list(ScreenMetrics{options.screenDpi, options.screenDpi});
    if (!Read(options, options.files[0], list, err)) return kExitFailure;
    const QString title = QFileInfo(*input).completeBaseName();
    return RunPrint(list, title.toStdString(), pdf.value_or(QString()), options.output, err);
  }
  if (options.command == "templates" || options.command == "new") {
    if (options.command == "templates" && options.files.empty()) {
      return RunTemplates(options.page, out, err);
    }
    if (options.command == "new" && options.files.size() == 1) {
      if (!FileName(options.files[0], err)) return kExitFailure;
      return RunNew(options.page, options.files[0], options.screenDpi, err);
    }
    return UsageError(
        err, options.command +
                 (options.command == "new" ? " takes one output document" : " takes no file"));
  }
  // `quillon FILE` reaches here only when FILE is not there: a name with a folder or an
  // extension is a file the user meant to open, not a command.
  if (options.files.empty() && options.command.find_first_of("/.") != std::string::npos) {
    const std::optional<QString> name = FileName(options.command, err);
    if (!name) return kExitFailure;
    if (!QFileInfo::exists(*name)) {
      err << "quillon: " << options.command << ": the file does not exist.\n";
      return kExitFailure;
    }
  }
  return UsageError(err, "unknown command " + options.command);
}

}  // namespace quillon
