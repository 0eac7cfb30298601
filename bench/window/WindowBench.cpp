// Start-up to a ready window, and the memory a full result list costs, on a data file of a
// million messages. Targets: start-up below 0.5 s, resident memory below 100 MB after a
// search that lists 1000 rows.
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <fstream>
#include <memory>
#include <string>

#include "app/UserShell.h"
#include "bench/window/BenchProgramDirectory.h"
#include "data/passqlite.h"
#include "search/ResultTree.h"
#include "ui/MainUnit.h"
#include "ui/StatusPanel.h"

namespace {

constexpr long long kMessages = 1'000'000;

// Anything the window would say is a failed measurement.
class TSilentShell : public TUserShell {
 public:
  void ShowMessage(const QString& text) override {
    std::fprintf(stderr, "unexpected message: %s\n", qPrintable(text));
    std::exit(1);
  }
  bool Confirm(const QString&) override { return false; }
  void RequestTermination() override {}
  bool TerminationRequested() const override { return false; }
  TCommentDialogAnswer EditComment(const TCommentDialogRequest&) override { return {}; }
};

double ResidentMegabytes() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmRSS:", 0) == 0) {
      return std::stod(line.substr(6)) / 1024.0;
    }
  }
  return -1;
}

std::unique_ptr<TMainForm> ReadyWindow(TSilentShell& shell) {
  auto form = std::make_unique<TMainForm>(shell);
  form->show();  // the first showing opens the file and fills the lists
  QCoreApplication::processEvents();
  return form;
}

void StartUpToReadyWindow(benchmark::State& state) {
  TSilentShell shell;
  for (auto _ : state) {
    // Destroyed without closing: nothing is written back between iterations.
    benchmark::DoNotOptimize(ReadyWindow(shell));
  }
}

void SearchListing1000Rows(benchmark::State& state) {
  TSilentShell shell;
  const std::unique_ptr<TMainForm> form = ReadyWindow(shell);
  const TMainControls& ui = form->Controls();
  ui.eMsgEdit->setText(QStringLiteral("%"));
  for (auto _ : state) {
    ui.FindBtn->click();
  }
  if (ui.ResultTree->model()->rowCount() != 1000) {
    state.SkipWithError(qPrintable(QStringLiteral("listed: ") + ui.SBar->Caption()));
  }
  state.counters["rss_MB"] = ResidentMegabytes();
}

}  // namespace

// The search first, so that its memory figure is not inflated by the windows made before.
BENCHMARK(SearchListing1000Rows)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(StartUpToReadyWindow)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  const std::filesystem::path dataFile =
      std::filesystem::canonical("/proc/self/exe").parent_path() / "window-bench-1m.db";
  if (SynthesiseDataFileOnce(dataFile, kMessages)) {
    // Measured in a fresh process: the synthesis leaves its memory with the allocator.
    execv("/proc/self/exe", argv);
    return 1;
  }
  QApplication application(argc, argv);
  const TBenchProgramDirectory directory(dataFile);
  {
    TLiteDB db;
    if (!db.Use(directory.DataFile().string()) ||
        !db.Query("UPDATE sys_data SET value = '1000' WHERE param = 'max_fetch_rows'")) {
      std::fprintf(stderr, "could not raise the row limit: %s\n", db.GetErrorMessage().c_str());
      return 1;
    }
  }
  {
    // The first window of the process also binds the engine and loads the fonts.
    TSilentShell shell;
    QElapsedTimer clock;
    clock.start();
    const std::unique_ptr<TMainForm> first = ReadyWindow(shell);
    std::printf("First window of the process ready in %.1f ms\n", clock.nsecsElapsed() / 1e6);
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::printf("Targets: start-up < 500 ms, rss_MB < 100 after the 1000-row search.\n");
  return 0;
}
