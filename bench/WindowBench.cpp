// SPDX-License-Identifier: GPL-3.0-or-later
// The drawing window's speed on the offscreen platform: from start to the first painted empty
// document, opening a large document until it takes clicks and until its progressive rendering
// ends, and a full repaint of a canvas tile.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <optional>

#include "canvas/TSandbox.h"
#include "document/DocumentFile.h"
#include "document/PageSetup.h"
#include "settings/SettingsStore.h"
#include "shell/TForm1.h"

namespace quillon {
namespace {

class NoQuestions : public Prompter {
 public:
  PromptAnswer Ask(std::string_view, PromptStyle, PromptButtons) override {
    return PromptAnswer::No;
  }
};

class NoDialogs : public FileDialogs {
 public:
  QString ChooseFileToOpen(const FileDialogRequest&) override { return {}; }
  QString ChooseFileToSave(const FileDialogRequest&, int*) override { return {}; }
};

class NoColours : public ColourChooser {
 public:
  std::optional<uint32_t> ChooseColour(uint32_t, CustomColourSlots&) override { return {}; }
};

class NoClipboard : public Clipboard {
 public:
  bool PutPicture(const QImage&) override { return true; }
  bool HasPicture() const override { return false; }
  QImage Picture() const override { return QImage(); }
};

struct Services {
  NoQuestions prompter;
  NoDialogs dialogs;
  NoColours colours;
  NoClipboard clipboard;
  ShellServices shell{&prompter, &dialogs, &colours, &clipboard, nullptr};
};

// Notices when the canvas of a drawing window is painted on the screen.
class PaintWatch : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && watched->objectName() == QStringLiteral("Image1")) {
      painted = true;
    }
    return false;
  }
  bool painted = false;
};

// A pixel page of the given size with count items: rectangles and lines in rows.
QString WriteDocument(const QString& path, int side, int count) {
  ItemList list(ScreenMetrics{96, 96});
  ItemRecord& page = NewRecord(list, kKindPageSetup);
  page.setRecordClass(kClassPageSetup);
  page.setPageUnits(kUnitPixels);
  page.setPixelsPerUnitX(1);
  page.setPixelsPerUnitY(1);
  page.setZoom(1);
  page.setDesignWidth(side);
  page.setDesignHeight(side);
  page.setPageWidth(side);
  page.setPageHeight(side);
  NewRecord(list, kKindAnchors);
  const int columns = (side - 40) / 36;
  for (int i = 0; i < count; ++i) {
    const int x = 10 + i % columns * 36;
    const int y = 10 + i / columns % columns * 36;
    ItemRecord& r = NewRecord(list, i % 2 == 0 ? kKindRectangle : kKindLine);
    r.setX1(x);
    r.setY1(y);
    r.setX2(x + 28);
    r.setY2(y + 20);
    if (r.kind() == kKindRectangle) {
      for (Point p : {Point{x, y}, Point{x + 28, y}, Point{x + 28, y + 20}, Point{x, y + 20}}) {
        NewPoint(r.points).point = p;
      }
      r.setFillColor(0x99CCFF);
    }
    RecomputeDerived(r, list.screen());
    r.setStackLevel(i + 1);
  }
  return quillon::WriteDocument(path, list).ok() ? path : QString();
}

void Spin(const std::function<bool()>& done) {
  while (!done())
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

void BM_StartToFirstPaintedDocument(benchmark::State& state) {
  Services services;
  for (auto _ : state) {
    PaintWatch watch;
    qApp->installEventFilter(&watch);
    QElapsedTimer clock;
    clock.start();
    {
      TForm1 form(services.shell, ScreenMetrics{96, 96});
      form.show();
      Spin([&] { return watch.painted; });
      state.SetIterationTime(clock.nsecsElapsed() / 1e9);
      for (TSandbox* window : form.Windows())
        window->ProgramEnding();
    }
    qApp->removeEventFilter(&watch);
  }
}

// The same without the start's half-second wait: File > New until the canvas is painted.
void BM_NewDocumentPainted(benchmark::State& state) {
  Services services;
  TForm1 form(services.shell, ScreenMetrics{96, 96});
  form.findChild<QTimer*>(QStringLiteral("Timer2"))->stop();
  form.show();
  for (auto _ : state) {
    PaintWatch watch;
    qApp->installEventFilter(&watch);
    QElapsedTimer clock;
    clock.start();
    form.OpenDocumentWindow(QString());
    Spin([&] { return watch.painted; });
    state.SetIterationTime(clock.nsecsElapsed() / 1e9);
    qApp->removeEventFilter(&watch);
    TSandbox* window = form.ActiveWindow();
    window->ProgramEnding();
    delete window;
  }
}

void BM_OpenLargeDocument(benchmark::State& state) {
  QTemporaryDir dir;
  const QString path =
      WriteDocument(dir.filePath("large.qlln"), 1600, static_cast<int>(state.range(0)));
  Services services;
  TForm1 form(services.shell, ScreenMetrics{96, 96});
  form.findChild<QTimer*>(QStringLiteral("Timer2"))->stop();
  form.show();
  double responsive = 0;
  double rendered = 0;
  double latency = 0;
  for (auto _ : state) {
    QElapsedTimer clock;
    clock.start();
    form.OpenDocumentWindow(path);
    TSandbox* window = form.ActiveWindow();
    responsive += clock.nsecsElapsed() / 1e6;
    // Once progressive rendering runs, a click waits for at most one item.
    auto* timer7 = window->findChild<QTimer*>(QStringLiteral("Timer7"));
    Spin([&] { return !timer7->isActive(); });
    QElapsedTimer wait;
    bool during = false;
    wait.start();
    QTimer::singleShot(0, window, [&] {
      latency += wait.nsecsElapsed() / 1e6;
      during = window->RenderingProgressively();
    });
    Spin([&] { return !window->RenderingProgressively(); });
    rendered += clock.nsecsElapsed() / 1e6;
    state.SetIterationTime(clock.nsecsElapsed() / 1e9);
    if (!during) state.SkipWithError("rendering ended before the click was handled");
    window->ProgramEnding();
    delete window;
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["responsive_ms"] = responsive / n;
  state.counters["rendered_ms"] = rendered / n;
  state.counters["click_latency_ms"] = latency / n;
}

void BM_FullRepaintOfATile(benchmark::State& state) {
  QTemporaryDir dir;
  const QString path =
      WriteDocument(dir.filePath("tile.qlln"), 1600, static_cast<int>(state.range(0)));
  Services services;
  TForm1 form(services.shell, ScreenMetrics{96, 96});
  form.findChild<QTimer*>(QStringLiteral("Timer2"))->stop();
  form.show();
  form.OpenDocumentWindow(path);
  TSandbox* window = form.ActiveWindow();
  Spin([&] { return !window->RenderingProgressively(); });
  if (window->Canvas().width() != 1600) state.SkipWithError("the tile is not 1600 wide");
  for (auto _ : state)
    window->FullRepaint(false);
  window->ProgramEnding();
}

// A window showing a document of count items, rendered and settled.
struct OpenWindow {
  explicit OpenWindow(int count) : form(services.shell, ScreenMetrics{96, 96}) {
    path = WriteDocument(dir.filePath("drag.qlln"), 1600, count);
    form.findChild<QTimer*>(QStringLiteral("Timer2"))->stop();
    form.show();
    form.OpenDocumentWindow(path);
    window = form.ActiveWindow();
    Spin([&] { return !window->RenderingProgressively(); });
  }
  ~OpenWindow() { window->ProgramEnding(); }
  QTemporaryDir dir;
  QString path;
  Services services;
  TForm1 form;
  TSandbox* window = nullptr;
};

// One pointer move while a rectangle's corner is dragged: the preview over the saved pixels.
void BM_DragPreviewStep(benchmark::State& state) {
  OpenWindow open(static_cast<int>(state.range(0)));
  TSandbox* window = open.window;
  const Point origin = window->TileOrigin();
  const auto at = [&](int x, int y) { return Point{x - origin.x, y - origin.y}; };
  window->Image1MouseUp(at(24, 10), {});  // selects the first rectangle
  window->Image1MouseDown(at(10, 10), {});
  if (window->Mode() != 46) state.SkipWithError("the press did not take a handle");
  const ItemRecord* dragged = FirstSelected(window->GetItems());
  int step = 0;
  for (auto _ : state) {
    ++step;
    window->Image1MouseMove(at(10 + step % 40, 10 + step % 30), {});
  }
  if (dragged == nullptr || dragged->points[0].point == Point{10, 10}) {
    state.SkipWithError("the corner did not follow the pointer");
  }
  window->Image1MouseUp(at(10, 10), {});
}

// One pointer move of a rubber band across a crowded page.
void BM_RubberBandStep(benchmark::State& state) {
  OpenWindow open(static_cast<int>(state.range(0)));
  TSandbox* window = open.window;
  const Point origin = window->TileOrigin();
  window->Image1MouseDown({5 - origin.x, 5 - origin.y}, Qt::ControlModifier);
  int step = 0;
  for (auto _ : state) {
    ++step;
    const int side = 200 + step % 200;
    window->Image1MouseMove({side - origin.x, side - origin.y}, Qt::ControlModifier);
  }
  window->Image1MouseUp({5 - origin.x, 5 - origin.y}, Qt::ControlModifier);
}

// A click that selects among many items.
void BM_ClickSelection(benchmark::State& state) {
  OpenWindow open(static_cast<int>(state.range(0)));
  TSandbox* window = open.window;
  const Point origin = window->TileOrigin();
  int step = 0;
  for (auto _ : state) {
    ++step;
    window->Image1MouseUp({24 + 36 * (step % 10) - origin.x, 10 - origin.y}, {});
  }
}

BENCHMARK(BM_DragPreviewStep)->Arg(5000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RubberBandStep)->Arg(5000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ClickSelection)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartToFirstPaintedDocument)
    ->UseManualTime()
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NewDocumentPainted)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenLargeDocument)
    ->Arg(5000)
    ->UseManualTime()
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FullRepaintOfATile)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond);

// One pointer move of a drawing tool's preview after its first click (three-click tools after
// their second), on a crowded page.
void BM_CreationPreviewStep(benchmark::State& state) {
  OpenWindow open(5000);
  TSandbox* window = open.window;
  const int32_t tool = static_cast<int32_t>(state.range(0));
  const Point origin = window->TileOrigin();
  const auto at = [&](int x, int y) { return Point{x - origin.x, y - origin.y}; };
  window->SelectTool(tool);
  window->Image1MouseDown(at(400, 400), {});
  window->Image1MouseUp(at(400, 400), {});
  if (tool == 100 || tool == 102 || tool == 104 || tool == 105 || tool == 107 || tool == 108 ||
      (tool >= 109 && tool <= 112)) {
    window->Image1MouseMove(at(480, 380), {});
    window->Image1MouseDown(at(480, 380), {});
    window->Image1MouseUp(at(480, 380), {});
  }
  int step = 0;
  for (auto _ : state) {
    ++step;
    window->Image1MouseMove(at(450 + step % 60, 470 + step % 50), {});
  }
  window->KeyDown(Qt::Key_Escape, {});
}

// One character typed into a text of 2,000 characters that runs at 30 degrees.
void BM_TypeIntoLongTurnedText(benchmark::State& state) {
  OpenWindow open(100);
  TSandbox* window = open.window;
  open.form.Params().tdir = 30;
  const Point origin = window->TileOrigin();
  window->SelectTool(300);
  window->Image1MouseDown({200 - origin.x, 900 - origin.y}, {});
  window->Image1MouseUp({200 - origin.x, 900 - origin.y}, {});
  const QString text = QStringLiteral("The quick brown fox jumps over the lazy dog. ");
  for (int i = 0; i < 2000; ++i)
    window->CharTyped(text[i % text.size()]);
  window->KeyDown(Qt::Key_Home, {});
  for (auto _ : state) {
    window->CharTyped(QChar(u'x'));
    state.PauseTiming();
    window->CharTyped(QChar(8));
    state.ResumeTiming();
  }
  if (window->Text().Item() == nullptr || TextLength(*window->Text().Item()) != 2000) {
    state.SkipWithError("the text was not typed");
  }
}

BENCHMARK(BM_CreationPreviewStep)
    ->Arg(98)
    ->DenseRange(100, 105)
    ->Arg(107)
    ->Arg(108)
    ->DenseRange(109, 112)
    ->Arg(199)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TypeIntoLongTurnedText)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quillon

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  // The program's settings are never touched.
  QTemporaryDir store;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, store.path());
  // A user who has been through the first-time setup: the start opens an empty document.
  quillon::OpenSettingsStore()->setValue(QStringLiteral("CustomSettings/setup"), 1);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
