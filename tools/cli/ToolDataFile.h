#pragma once
// An existing data file as a terminal tool opens it.
//  - The name is checked first, so that a missing file is not created and a folder or a
//    symbolic-link loop is named as such, with the same exit code as a missing file.
//  - Another program's lock is waited for once per run: the first statement that waits the
//    whole bound marks the file as held, and every later statement gives up at once, so that
//    a tool that runs many statements still ends after the bound, saying that the file is held.
//  - A file in write-ahead-log mode whose log cannot be read in a read-only folder is named as
//    such, not as broken.

#include <chrono>
#include <optional>
#include <string>

#include "data/LiteDb.h"
#include "tools/cli/ExitCode.h"

class TToolDataFile {
 public:
  struct TOptions {
    bool ReadOnly = true;
    std::chrono::milliseconds Wait{5000};
    int NoFileExit = kExitUnusable;  // the exit code when the name stands for no data file
  };

  // `name`: as the user gave it, relative to the working folder.
  TToolDataFile(std::string name, TOptions options);
  TToolDataFile(const TToolDataFile&) = delete;
  TToolDataFile& operator=(const TToolDataFile&) = delete;

  // Whether the name stands for a file; false with OpenFailure() set.
  bool Check();
  // Check, then open the file on Db(); false with OpenFailure() set.
  bool Open();

  // The connection, set up for the tool (UTF-16 statements, read-only as asked, the wait).
  TLiteDB& Db() { return DB; }
  const std::string& Name() const { return FileName; }
  const std::string& Path() const { return FullPath; }  // UTF-8, for Db().Use
  bool Locked() const { return WasLocked; }
  const TFailure& OpenFailure() const { return Opening; }

  // What stopped the statements, whatever each said about it: another program holding the
  // file (exit code 4) once a statement gave up waiting, or a log that cannot be read in a
  // read-only folder; nothing otherwise.
  std::optional<TFailure> Hindrance() const;
  // The hindrance if there is one, else "NAME: detail" with `exit`.
  TFailure Failure(const std::string& detail, int exit = kExitFailed) const;

 private:
  std::string FileName;
  std::string FullPath;
  TOptions Options;
  TLiteDB DB;
  bool WasLocked = false;
  TFailure Opening;
};

// "NAME: another program holds this file locked; gave up after 5 s (--wait sets how long)".
std::string HeldText(const std::string& name, std::chrono::milliseconds wait);
