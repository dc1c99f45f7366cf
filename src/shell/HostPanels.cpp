// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/HostPanels.h"

#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QTimer>
#include <QVBoxLayout>

#include "canvas/TPict.h"
#include "canvas/TSandbox.h"
#include "document/PageSetup.h"
#include "document/ToolNumbers.h"
#include "output/PrinterSettings.h"
#include "output/UsedCards.h"
#include "output/ui/OutputDialogs.h"
#include "output/ui/TPreview.h"
#include "output/ui/TPrsel.h"
#include "page/AnchorLines.h"
#include "page/ui/TPage.h"
#include "render/decoders/DecodePicture.h"
#include "settings/GridOptions.h"
#include "settings/NewDocument.h"
#include "settings/SettingsStore.h"
#include "settings/ui/CustomizeDialogs.h"
#include "settings/ui/TOptions.h"
#include "settings/ui/Tspeed.h"
#include "shell/FrameCommands.h"
#include "shell/FrameTimers.h"
#include "shell/HostTable.h"
#include "shell/PictureCommands.h"
#include "shell/RecoveryCopies.h"
#include "shell/ShellRequests.h"
#include "shell/TForm1.h"
#include "shell/TInstall.h"

namespace quillon {
namespace {

TSandbox* WindowNumbered(TForm1& form, int32_t number) {
  for (TSandbox* window : form.Windows()) {
    if (window->GetWindowId() == number) return window;
  }
  return nullptr;
}

// Save keeps the dialog open, saying why, while a value cannot be kept.
template <class Dialog, class... Args>
HostPanel Customization(TForm1& form, Args... args) {
  auto* dialog = new Dialog(form.Params(), args...);
  return {dialog, [dialog] { dialog->Save(); },
          [&form, dialog] {
            const QString refusal = dialog->Refusal();
            if (refusal.isEmpty()) return true;
            form.Prompts().Ask(refusal.toStdString(), PromptStyle::Warning, PromptButtons::Ok);
            return false;
          }};
}

// The speed dialog works on the window it was opened for; the live-drag switch and the
// recovery interval are the program's.
HostPanel Speed(TForm1& form, int32_t number) {
  SpeedSwitches switches;
  if (TSandbox* window = WindowNumbered(form, number)) {
    const DisplayOptions display = window->GetDisplayOptions();
    switches = {display.showPictures, display.showShadows, display.showSurfaces, true};
  }
  switches.liveDrag = form.Params().liveDrag;
  switches.recoveryInterval = form.Params().recoveryInterval;
  auto* dialog = new Tspeed(switches);
  // The window itself, not its number, which a window opened later may take.
  QPointer<TSandbox> target(WindowNumbered(form, number));
  return {dialog, [&form, dialog, target] {
            const SpeedSwitches chosen = dialog->Switches();
            form.Params().liveDrag = chosen.liveDrag;
            form.Copies().SetInterval(chosen.recoveryInterval);
            // The window may have closed while the dialog was open.
            if (target != nullptr && !target->IsClosing()) {
              target->SetDisplayOptions({chosen.pictures, chosen.shadows, chosen.surfaces});
            }
          }};
}

// Grid and Snap for new files, or for the window it was opened for (number): Save applies to
// that window even when another one is active by then, and the dialog closes with the window.
HostPanel GridAndSnap(TForm1& form, int32_t number) {
  TSandbox* window = number != 0 ? WindowNumbered(form, number) : nullptr;
  const ItemRecord* page = window != nullptr ? window->GetItems().PageRecord() : nullptr;
  if (page == nullptr) {
    auto* dialog = new TOptions(GridOptionsForNewFiles(form.Params()));
    return {dialog,
            [&form, dialog] { SaveGridOptionsForNewFiles(form.Params(), dialog->WorkingCopy()); }};
  }
  auto* dialog = new TOptions(GridOptionsForDocument(form.Params(), *page));
  QObject::connect(window, &QObject::destroyed, dialog, [&form] { form.HostX()->hide(); });
  QPointer<TSandbox> target(window);
  return {dialog, [&form, dialog, target] {
            if (target == nullptr) return;
            ItemRecord* record = target->GetItems().PageRecord();
            if (record == nullptr) return;
            SaveGridOptionsForDocument(*record, dialog->WorkingCopy());
            target->ResetGrid(kResetBoth);
            if (form.ActiveWindow() == target) form.SetGridMenus(*record);
          }};
}

// Proceed needs a unit; it then completes the setup.
HostPanel Setup(TForm1& form) {
  auto* panel = new TInstall;
  return {panel, [&form, panel] { form.Setup().Proceed(panel->ChosenUnits()); },
          [&form, panel] {
            if (panel->ChosenUnits() != 0) return true;
            form.Prompts().Ask(kChooseUnitsMessage, PromptStyle::Error, PromptButtons::Ok);
            return false;
          }};
}

// The print selection of the active window: Print (or Preview) keeps the selection in the
// window and prints it (or shows its preview) once the host has closed, provided the window
// is still there and still active.
HostPanel PrintSelection(TForm1& form, bool preview) {
  TSandbox* active = form.ActiveWindow();
  if (active == nullptr) return {};
  std::string ignored;  // told when the print reads the memory again
  const ItemList& list = active->GetItems();
  auto* panel = new TPrsel(
      list, active->PrintSelection(),
      ReadUsedCards(*OpenSettingsStore(), SheetLayoutName(list), CardCount(list), ignored));
  QPointer<TSandbox> window(active);
  return {panel, [&form, panel, window, preview] {
            if (window == nullptr || form.ActiveWindow() != window) return;
            window->PrintSelection() = panel->Selection();
            form.Output().SetFirstCard(window->GetItems(), panel->FirstCard());
            QTimer::singleShot(0, &form, [&form, window, preview] {
              if (window == nullptr) return;
              preview ? form.Files().OpenPreview(*window) : form.Files().PrintWindow(*window);
            });
          }};
}

// The preview of the active window: its export saves the picture shown, and its Print (the
// host's or its own) closes the host and prints the window if it is still there.
HostPanel Preview(TForm1& form) {
  TSandbox* active = form.ActiveWindow();
  if (active == nullptr) return {};
  QPointer<TSandbox> window(active);
  const ItemList& list = active->GetItems();
  std::string ignored;  // told when the print reads the memory again
  const std::u16string used =
      ReadUsedCards(*OpenSettingsStore(), SheetLayoutName(list), CardCount(list), ignored);
  const int first = form.Output().FirstCard(list);
  // The sheet as it will print: the cards before the first one and the used ones blank.
  const std::u16string shown =
      first > 1 || !used.empty()
          ? SelectionForPrint(active->PrintSelection(), first, used, CardCount(list))
          : active->PrintSelection();
  auto* panel = new TPreview(active, list, shown, used);
  // A PDF file prints with the correction the preview shows, if one is chosen there.
  auto print = [&form, window, panel] {
    const QString landing = panel->LandingPrinter();
    QTimer::singleShot(0, &form, [&form, window, landing] {
      if (window == nullptr) return;
      form.Output().PrintDocument(window->GetItems(), window->GetTitle(), window->PrintSelection(),
                                  landing);
    });
  };
  panel->onExport = [&form, window](const Bitmap& picture) {
    if (window != nullptr) form.Output().SavePicture(window->GetItems(), picture);
  };
  panel->onPrint = [&form, print] {
    print();
    form.HostX()->hide();
  };
  return {panel, print};
}

// The page setup wizard for a window (number above 0) or for new files. A window closed
// meanwhile is not found and its setup is dropped; the wizard holds the window itself, not its
// number, which a new window may take.
HostPanel PageSetup(TForm1& form, int32_t number) {
  TSandbox* window = number > 0 ? WindowNumbered(form, number) : nullptr;
  const ItemList* document = window != nullptr ? &window->GetItems() : nullptr;
  const ItemRecord* page = document != nullptr ? FindPageRecord(*document) : nullptr;
  auto* panel = new TPage(form.Params().pagesets, page, document);
  QPointer<TSandbox> target(window);
  const bool newFiles = number <= 0;
  return {panel,
          [&form, panel, target, newFiles] {
            const int32_t kind = panel->Finish();
            if (kind == 0) return;
            if (newFiles) {
              ApplyPageSetupToNewFiles(form.Params(), panel->WorkingPagesets(), kind);
            } else if (target != nullptr && !target->IsClosing()) {
              target->ApplyPageSetup(panel->WorkingPagesets()[kind - 1], kind,
                                     form.Params().NewFileGrids());
            }
          },
          // A field that cannot be applied keeps the wizard open, marked, and applies nothing.
          [panel] { return panel->CanApply(); }};
}

// "Web" opens the user guide installed with the program.
HostPanel About(TForm1& form) {
  return {new TAbout,
          [&form] { QTimer::singleShot(500, &form, [&form] { form.Tools().Contents1Click(); }); }};
}

}  // namespace

TAbout::TAbout(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("TAbout"));
  auto* column = new QVBoxLayout(this);
  auto* name = new QLabel(QStringLiteral("Quillon"), this);
  QFont big = name->font();
  big.setPointSize(big.pointSize() * 2);
  big.setBold(true);
  name->setFont(big);
  column->addWidget(name);
  const QString version = QCoreApplication::applicationVersion();
  column->addWidget(new QLabel(
      version.isEmpty() ? QStringLiteral("Version 0.1") : QStringLiteral("Version ") + version,
      this));
  auto* purpose = new QLabel(
      QStringLiteral("Cards, labels, CD and DVD labels and inserts, brochures, tent cards and "
                     "pictures for the web: design them, print them on every card of a sheet "
                     "or export them as pictures."),
      this);
  purpose->setWordWrap(true);
  column->addWidget(purpose);
  column->addStretch();
}

// The picture clip editor on a picture file (code 51) or on the selected picture; a picture
// that cannot be shown says so, and Insert stays disabled.
HostPanel ClipEditorPanel(TForm1& form, int code) {
  // Editing a clip needs a selected picture that still has its source; without one the host
  // does not open.
  const ItemRecord* picture = nullptr;
  TSandbox* window = form.ActiveWindow();
  if (code != kToolNewPicture) {
    picture = window != nullptr ? SoleSelected(window->GetItems()) : nullptr;
    if (picture == nullptr || picture->kind() != kKindPicture ||
        FindSource(window->GetItems(), picture->sourceNumber()) == nullptr) {
      HostPanel none;
      none.hideAtOnce = true;
      return none;
    }
  }
  auto* pict = new TPict;
  bool opened = false;
  if (code == kToolNewPicture && !form.Pictures().PendingPictureBytes().empty()) {
    opened = pict->OpenBytes(code, form.Pictures().PendingPicture(),
                             form.Pictures().PendingPictureBytes(), kPictureBmp);
  } else if (code == kToolNewPicture) {
    const QString path = form.Pictures().PendingPicture();
    QFile file(path);
    // Larger files than the largest picture a decoder takes are not read at all.
    constexpr qint64 kLargestPictureFile = qint64{1} << 30;
    if (file.open(QIODevice::ReadOnly) && file.size() <= kLargestPictureFile) {
      const QByteArray data = file.readAll();
      opened = pict->OpenBytes(code, path, std::vector<uint8_t>(data.begin(), data.end()),
                               PictureTypeOfName(path.toStdU16String()));
    }
  } else {
    opened = pict->OpenPicture(code, *picture, window->GetItems());
  }
  if (!opened) form.Prompts().Ask(kNotAValidFile, PromptStyle::Warning, PromptButtons::Ok);
  // A new picture brings the picture insertion panel beside the drawing windows.
  if (opened && code == kToolNewPicture) form.ShowTool(kToolInsertPicture);
  const QPointer<TPict> guard(pict);
  HostPanel panel(
      pict,
      [&form, guard] {
        if (guard) form.Pictures().PlaceClips(*guard);
      },
      [guard] { return guard && guard->HasPicture(); });
  panel.firstEnabled = opened;
  return panel;
}

namespace {

// The light direction saved reaches the open documents too.
HostPanel Shadows(TForm1& form) {
  HostPanel panel = Customization<TShadow>(form);
  panel.firstAction = [&form, save = std::move(panel.firstAction)] {
    save();
    form.Timers().RedrawShadowsSoon();
  };
  return panel;
}

using Title = HostTitle;
constexpr HostKind X = HostKind::X;
constexpr HostKind Y = HostKind::Y;
constexpr char kSave[] = "Save";
constexpr char kCancel[] = "Cancel";

const HostEntry kHosts[] = {
    {Y, kHostLineWeights, "Customize Line Weights", Title::None, kSave, kCancel, 5,
     [](TForm1& form, int, int32_t) { return Customization<TThickness>(form); }},
    {Y, kHostShadows, "Customize Shadows", Title::None, kSave, kCancel, 13,
     [](TForm1& form, int, int32_t) { return Shadows(form); }},
    {Y, kHostSpeed, "", Title::Only, "Apply", kCancel, 14,
     [](TForm1& form, int, int32_t number) { return Speed(form, number); }},
    {Y, kHostPrintSelection, "Options", Title::None, "Print", kCancel, 16,
     [](TForm1& form, int, int32_t) { return PrintSelection(form, false); }},
    {Y, kHostPreviewSelection, "Options", Title::None, "Preview", kCancel, 16,
     [](TForm1& form, int, int32_t) { return PrintSelection(form, true); }},
    {X, kHostLinePatterns, "Customize Line Patterns", Title::None, kSave, kCancel, 6,
     [](TForm1& form, int, int32_t) { return Customization<TPatterns>(form); }},
    {X, kHostLineAngles, "Customize Line Angles", Title::None, kSave, kCancel, 7,
     [](TForm1& form, int, int32_t) {
       return Customization<TDirections>(form, DirectionRole::LineDirections);
     }},
    {X, kHostGridForNewFiles, "Grid and Snap", Title::AfterDash, kSave, kCancel, 8,
     [](TForm1& form, int, int32_t number) { return GridAndSnap(form, number); }},
    {X, kHostGridForWindow, "Grid and Snap", Title::AfterDash, kSave, kCancel, 8,
     [](TForm1& form, int, int32_t number) { return GridAndSnap(form, number); }},
    {X, kHostTextAngles, "Customize Text Angles", Title::None, kSave, kCancel, 9,
     [](TForm1& form, int, int32_t) {
       return Customization<TDirections>(form, DirectionRole::TextAngles);
     }},
    {X, kHostFontSizes, "Customize Font Sizes", Title::None, kSave, kCancel, 9,
     [](TForm1& form, int, int32_t) {
       return Customization<TDirections>(form, DirectionRole::FontSizes);
     }},
    {X, kHostAbout, "About", Title::None, "Web", "Close", 1,
     [](TForm1& form, int, int32_t) { return About(form); }},
    {X, kToolNewPicture, "", Title::Only, "Insert", kCancel, 2,
     [](TForm1& form, int code, int32_t) { return ClipEditorPanel(form, code); }},
    {X, kToolAddClip, "", Title::Only, "Insert", kCancel, 2,
     [](TForm1& form, int code, int32_t) { return ClipEditorPanel(form, code); }},
    // Editing a placed picture changes it rather than adding one.
    {X, kToolEditClip, "", Title::Only, "Apply", kCancel, 2,
     [](TForm1& form, int code, int32_t) { return ClipEditorPanel(form, code); }},
    {X, kHostPageSetup, "Page Setup - ", Title::After, "Apply", kCancel, 4,
     [](TForm1& form, int, int32_t number) { return PageSetup(form, number); }},
    {X, kHostPreview, "", Title::Only, "Print", kCancel, 3,
     [](TForm1& form, int, int32_t) { return Preview(form); }},
    {X, kHostFirstTimeSetup, "First-time Setup", Title::None, "Proceed", kCancel, 12,
     [](TForm1& form, int, int32_t) { return Setup(form); }},
};

}  // namespace

const HostEntry* FindHost(HostKind kind, int code) {
  for (const HostEntry& entry : kHosts) {
    if (entry.kind == kind && entry.code == code) return &entry;
  }
  return nullptr;
}

HostPanel MakeHostPanel(TForm1& form, HostKind kind, int code, int32_t number) {
  const HostEntry* entry = FindHost(kind, code);
  return entry != nullptr ? entry->panel(form, code, number) : HostPanel{};
}

}  // namespace quillon
