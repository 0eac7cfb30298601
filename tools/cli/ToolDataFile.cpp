#include "tools/cli/ToolDataFile.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <system_error>

#include "platform/EngineLibrary.h"
#include "platform/Files.h"
#include "tools/cli/OutputFile.h"
#include "tools/cli/Paths.h"

namespace {

constexpr int kEngineBusy = 5;
constexpr int kGiveUpAtOnce = 1;  // milliseconds; the data layer takes 0 as "for ever"

// In write-ahead-log mode with a log to read, but in a folder where the engine cannot create
// the shared-memory file that reading the log needs: the system's reason, or nothing.
std::optional<std::string> LogUnreadable(const std::string& path) {
  const std::string head = Platform::ReadFileHead(path, 20);
  const bool logMode = head.size() == 20 && head[18] == 2 && head[19] == 2;
  if (!logMode || Platform::ReadFileHead(path + "-wal", 1).empty() ||
      Platform::FileExists(path + "-shm")) {
    return std::nullopt;
  }
  const std::string probe = TemporaryBeside(path);
  std::string reason;
  if (Platform::WriteNewFile(probe, {}, reason)) {
    std::error_code ignored;
    std::filesystem::remove(PathFromUtf8(probe), ignored);
    return std::nullopt;
  }
  return reason;
}

}  // namespace

std::string HeldText(const std::string& name, std::chrono::milliseconds wait) {
  char seconds[32];
  std::snprintf(seconds, sizeof seconds, "%g", static_cast<double>(wait.count()) / 1000);
  return name + ": another program holds this file locked; gave up after " + seconds +
         " s (--wait sets how long)";
}

TToolDataFile::TToolDataFile(std::string name, TOptions options)
    : FileName(std::move(name)), FullPath(PathFromArgument(FileName)), Options(options) {
  DB.UniCode = true;
  DB.ReadOnly = Options.ReadOnly;
  DB.BusyTimeoutMilliseconds = std::max(kGiveUpAtOnce, static_cast<int>(Options.Wait.count()));
  DB.OnError = [this](TSQLDB& db) {
    if ((db.CurrentResult().ErrorCode & 0xFF) == kEngineBusy) {
      WasLocked = true;
      DB.BusyTimeoutMilliseconds = kGiveUpAtOnce;
    }
  };
}

bool TToolDataFile::Check() {
  if (const std::optional<std::string> problem = NotAFile(FileName, "no such data file", true)) {
    Opening = {Options.NoFileExit, FileName + ": " + *problem};
    return false;
  }
  return true;
}

bool TToolDataFile::Open() {
  if (!Check()) {
    return false;
  }
  // Opening reads the lists of tables: a failure there is the first statement's.
  if (!DB.Use(FullPath) || DB.CurrentResult().ErrorCode != 0) {
    if (!DB.DllLoaded()) {
      Opening = {Options.NoFileExit,
                 std::string(Platform::kSqlite3LibraryName) + ": not found beside the program"};
      return false;
    }
    const std::string engine = DB.GetErrorMessage();
    Opening =
        Failure("cannot be opened: " + (engine.empty() ? DB.CurrentResult().ErrorText : engine),
                Options.NoFileExit);
    return false;
  }
  return true;
}

std::optional<TFailure> TToolDataFile::Hindrance() const {
  if (WasLocked) {
    return TFailure{kExitLocked, HeldText(FileName, Options.Wait)};
  }
  if (Options.ReadOnly) {
    if (const std::optional<std::string> reason = LogUnreadable(FullPath)) {
      return TFailure{Options.NoFileExit,
                      FileName + ": the file is in write-ahead-log mode, and its log " + FileName +
                          "-wal cannot be read in this folder (" + *reason +
                          "): copy both files into a folder you can write"};
    }
  }
  return std::nullopt;
}

TFailure TToolDataFile::Failure(const std::string& detail, int exit) const {
  return Hindrance().value_or(TFailure{exit, FileName + ": " + detail});
}
