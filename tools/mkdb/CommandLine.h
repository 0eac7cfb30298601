#pragma once
// The command line of tolvane-mkdb:
//   tolvane-mkdb create OUT --from DIR
//   tolvane-mkdb add OUT --version NAME --oracle-home DIR
//   tolvane-mkdb synth OUT --messages N
//   tolvane-mkdb comments ... (see CommentsCommandLine.h)
//   tolvane-mkdb check DB
//   tolvane-mkdb --help

#include <cstdint>
#include <string>
#include <vector>

// Exit codes of the tool.
enum TExitCode : int {
  kExitOk = 0,
  kExitBadData = 1,
  kExitUsage = 2,
  kExitUnplaced = 3,    // comments: some had no message
  kExitNoDataFile = 3,  // check: missing, not a database, unreadable
};

struct TCommandLine {
  enum class TCommand {
    Help,
    Create,
    Add,
    Synth,
    CommentsExport,
    CommentsImport,
    CommentsCarry,
    Check
  };
  TCommand Command = TCommand::Help;
  std::string Out;
  std::string From;           // create
  std::string Version;        // add
  std::string OracleHome;     // add
  std::int64_t Messages = 0;  // synth
  // comments: Out is the data file read (export) or written (import, carry NEW).
  std::string CommentsFile;  // import FILE, export --out (empty: standard output)
  std::string OldDataFile;   // carry OLD
  bool Overwrite = false;    // import, carry
};

extern const char* const kUsageText;

// Returns false with `error` for a command line that is not one of the forms above.
bool ParseCommandLine(const std::vector<std::string>& arguments, TCommandLine& parsed,
                      std::string& error);
