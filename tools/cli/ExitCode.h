#pragma once
// The exit codes of the terminal tools: one scheme for both programs. What 1 and 3 mean for a
// command is said in its help; 2 and 4 mean the same everywhere.

#include <string>

enum TExitCode : int {
  kExitOk = 0,        // done, found, sound
  kExitFailed = 1,    // nothing found, problems found, bad input
  kExitUsage = 2,     // a wrong command line
  kExitUnusable = 3,  // the lookup and check: the data file cannot be used at all
  kExitUnplaced = 3,  // comments import and carry: some comments found no message
  kExitLocked = 4,    // another program held a data file locked for longer than the wait
};

// Why a command could not do its work: the exit code and the one line to say on standard
// error (it names the file it concerns).
struct TFailure {
  int Exit = kExitFailed;
  std::string Text;
};
