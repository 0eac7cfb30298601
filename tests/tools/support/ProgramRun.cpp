#include "tests/tools/support/ProgramRun.h"

#include <thread>

TProgramRun RunProgram(const TProgramStart& start) {
  TRunningProgram running(start);
  return running.Result();
}

std::vector<TProgramRun> RunTogether(const std::vector<TProgramStart>& starts) {
  std::vector<std::unique_ptr<TRunningProgram>> running;
  for (const TProgramStart& start : starts) {
    running.push_back(std::make_unique<TRunningProgram>(start));
  }
  // Polled, so that each one's time ends when it ends, not when it is waited for.
  for (bool all = false; !all;) {
    all = true;
    for (const auto& program : running) {
      all = program->Ended() && all;
    }
    if (!all) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  }
  std::vector<TProgramRun> results;
  for (const auto& program : running) {
    results.push_back(program->Result());
  }
  return results;
}
