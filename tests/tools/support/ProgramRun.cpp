#include "tests/tools/support/ProgramRun.h"

#include <chrono>
#include <memory>
#include <random>
#include <thread>

#include "platform/ProgramDirectory.h"
#include "tests/support/FileBytes.h"

namespace fs = std::filesystem;
using TClock = std::chrono::steady_clock;

namespace {

fs::path CaptureFile(const char* stream) {
  return fs::temp_directory_path() /
         ("tolvane-run-" + std::to_string(std::random_device()()) + stream);
}

// The tests read lines ending in LF alone, whatever the system writes.
std::string Captured(const fs::path& file) {
  std::string text = FileBytes(file);
  for (std::size_t at = text.find("\r\n"); SystemProcess::kLinesEndInCrLf && at != text.npos;
       at = text.find("\r\n", at)) {
    text.erase(at, 1);
  }
  return text;
}

void Pause(int milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace

TRunningProgram::TRunningProgram(const TProgramStart& start)
    : Began(TClock::now()), OutFile(CaptureFile(".out")), ErrFile(CaptureFile(".err")) {
  Process = SystemProcess::Start(
      start, Platform::ProgramDirectory() + start.Program + SystemProcess::kExecutableSuffix,
      OutFile, ErrFile);
}

TRunningProgram::~TRunningProgram() {
  Kill();
  SystemProcess::Release(Process);
  std::error_code ignored;
  fs::remove(OutFile, ignored);
  fs::remove(ErrFile, ignored);
}

bool TRunningProgram::Ended() {
  if (Done || !Started()) {
    return true;
  }
  if (!SystemProcess::Ended(Process, Exit)) {
    return false;
  }
  Seconds = std::chrono::duration<double>(TClock::now() - Began).count();
  Done = true;
  return true;
}

void TRunningProgram::Kill() {
  if (!Ended()) {
    SystemProcess::Kill(Process);
    while (!Ended()) {
      Pause(1);
    }
    Exit = -1;
  }
}

TProgramRun TRunningProgram::Result() {
  while (!Ended()) {
    Pause(5);
  }
  return {Exit, Captured(OutFile), Captured(ErrFile), Seconds};
}

TProgramRun RunProgram(const TProgramStart& start) {
  return TRunningProgram(start).Result();
}

std::vector<TProgramRun> RunTogether(const std::vector<TProgramStart>& starts) {
  std::vector<std::unique_ptr<TRunningProgram>> running;
  for (const TProgramStart& start : starts) {
    running.push_back(std::make_unique<TRunningProgram>(start));
  }
  // Polled, so that each one's time ends when it ends, not when it is waited for.
  for (bool all = false; !all; Pause(all ? 0 : 5)) {
    all = true;
    for (const auto& program : running) {
      all = program->Ended() && all;
    }
  }
  std::vector<TProgramRun> results;
  for (const auto& program : running) {
    results.push_back(program->Result());
  }
  return results;
}
