#include "tools/oerr/OerrProgram.h"

#include "tools/oerr/LookupCommands.h"

TProgram OerrProgram() {
  TProgram program("tolvane-oerr",
                   "Oracle error messages from the Tolvane data file, in a terminal.",
                   {{kExitOk, "found"},
                    {kExitFailed, "nothing found"},
                    {kExitUsage, "wrong command line"},
                    {kExitUnusable,
                     "the data file is missing, broken or needs a newer program; "
                     "explain: no FILE could be read"},
                    {kExitLocked,
                     "another program held the data file locked for longer than "
                     "the wait"}});
  program.Add(LookupCommand());
  program.Add(ExplainCommand());
  return program;
}
