// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A full debug terminal: 100,000 lines of 100 characters appended to a shown
// window, with the event loop running between bursts so that painting
// happens as in real use. Reports the resident size of the whole process.
// Run each benchmark in its own process so that one's memory does not count
// in another's figure:
//   bench_terminal --benchmark_filter='^BM_TerminalFill/'
//   bench_terminal --benchmark_filter='^BM_TerminalFillPaintEveryPass/'
//   bench_terminal --benchmark_filter='^BM_PlainTextFill/'
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWidget>

#include <cstdio>
#include <string_view>

#include "app/app_context.h"
#include "sim/simulated_bus.h"
#include "ui/app_fonts.h"
#include "ui/desktop_shell.h"
#include "ui/terminal_view.h"
#include "ui/tfrm_comms.h"
#include "ui/tfrm_main.h"
#include "silent_prompts.h"

namespace {

constexpr int kLines = 100000;
constexpr int kLineChars = 100;
// Lines appended between two passes of the event loop, as a busy drain step
// delivers them.
constexpr int kLinesPerPass = 50;
// The debug terminal window's client area.
constexpr int kWidth = 679;
constexpr int kHeight = 626;

void StartApplication() {
  static int argc = 1;
  static char name[] = "bench_terminal";
  static char* argv[] = {name, nullptr};
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // Never destroyed: as a static it would go after Qt's own statics at exit,
  // and its pointing device with them.
  static QApplication* app = new QApplication(argc, argv);
  (void)app;
}

// VmRSS of this process in MB, or -1 when it cannot be read.
double ResidentMb() {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) return -1;
  for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine())
    if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').front().toDouble() / 1024.0;
  return -1;
}

// Line i: a reply-like text, different for every line, exactly 100 characters.
std::string_view MakeLine(int i, char (&buffer)[kLineChars + 1]) {
  int length = std::snprintf(buffer, sizeof buffer, "+STATS,%06d,1,1,4.10,0,4.05,12.60,21,1,3,9,7,1,", i);
  for (; length < kLineChars; ++length) buffer[length] = static_cast<char>('a' + (i + length) % 26);
  return std::string_view(buffer, kLineChars);
}

// Counts the paint events of the text area.
class PaintCounter : public QObject {
 public:
  explicit PaintCounter(QWidget* target) { target->installEventFilter(this); }
  int paints = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

// Shows the window, fills its text area through append(line) and reports
// the figures. afterPass runs after each pass of the event loop.
template <typename Append, typename AfterPass>
void Fill(benchmark::State& state, QWidget& window, QWidget* area, Append append, AfterPass afterPass) {
  window.resize(kWidth, kHeight);
  window.show();
  QApplication::processEvents();
  const double startMb = ResidentMb();
  PaintCounter counter(area);
  char buffer[kLineChars + 1];
  for (auto _ : state) {
    for (int i = 0; i < kLines; ++i) {
      append(MakeLine(i, buffer));
      if (i % kLinesPerPass == kLinesPerPass - 1) {
        QApplication::processEvents();
        afterPass();
      }
    }
    QApplication::processEvents();
  }
  state.counters["start_mb"] = startMb;
  state.counters["resident_mb"] = ResidentMb();
  state.counters["paints"] = counter.paints;
  state.SetItemsProcessed(int64_t(state.iterations()) * kLines);
}

void TerminalFill(benchmark::State& state, bool paintEveryPass) {
  StartApplication();
  QWidget window;
  auto* view = new wr::TerminalView;
  view->setFont(wr::TerminalFont());
  auto* layout = new QVBoxLayout(&window);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(view);
  QWidget* area = view->viewport();
  Fill(
      state, window, area, [view](std::string_view line) { view->AppendLine(line); },
      [area, paintEveryPass] {
        if (paintEveryPass) area->repaint();
      });
  if (view->LineCount() != kLines) state.SkipWithError("lines missing");
}

using wr::bench::SilentPrompts;

class SilentShell : public wr::DesktopShell {
 public:
  bool OpenAddress(const QString&) override { return true; }
};

// The tool's own debug terminal, in the tool as start-up builds it (main
// window and all), with no unit attached so that only the terminal fills.
void BM_TerminalFill(benchmark::State& state) {
  StartApplication();
  wr::SimulatedBus bus;
  bus.Unplug();
  SilentPrompts prompts;
  SilentShell shell;
  wr::AppContext app(bus, prompts, shell);
  app.Main().show();
  wr::TfrmComms& terminal = app.Comms();
  Fill(
      state, terminal, terminal.redtDebug->viewport(),
      [&terminal](std::string_view line) { terminal.AppendLine(line); }, [] {});
  if (terminal.redtDebug->LineCount() != kLines) state.SkipWithError("lines missing");
  app.Shutdown();
}
BENCHMARK(BM_TerminalFill)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// The view alone, painted after every pass, as often as the text area below
// paints, to show what painting costs with a full history.
void BM_TerminalFillPaintEveryPass(benchmark::State& state) { TerminalFill(state, true); }
BENCHMARK(BM_TerminalFillPaintEveryPass)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// The text area the window uses today, set up as it is there.
void BM_PlainTextFill(benchmark::State& state) {
  StartApplication();
  QWidget window;
  auto* edit = new QPlainTextEdit;
  edit->setFont(wr::TerminalFont());
  edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  edit->setLineWrapMode(QPlainTextEdit::NoWrap);
  edit->setMaximumBlockCount(kLines);
  edit->setUndoRedoEnabled(false);
  auto* layout = new QVBoxLayout(&window);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(edit);
  QScrollBar* bar = edit->verticalScrollBar();
  Fill(
      state, window, edit->viewport(),
      [edit, bar](std::string_view line) {
        edit->appendPlainText(QString::fromLatin1(line.data(), qsizetype(line.size())));
        bar->setValue(bar->maximum());
      },
      [] {});
  if (edit->blockCount() != kLines) state.SkipWithError("lines missing");
}
BENCHMARK(BM_PlainTextFill)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
