#include "tools/mkdb/MkdbProgram.h"

#include "tools/mkdb/catalogue/BuildCommands.h"
#include "tools/mkdb/check/CheckCommand.h"
#include "tools/mkdb/comments/CommentCommands.h"

TProgram MkdbProgram() {
  TProgram program("tolvane-mkdb",
                   "Builds and vets Tolvane's message data file tolv2_msg.db, and moves your "
                   "comments between data files.",
                   {{kExitOk, "done; check: the file is sound"},
                    {kExitFailed, "bad input or a data error; check: problems found"},
                    {kExitUsage, "wrong command line"},
                    {3,
                     "comments import and carry: some comments found no message; check: no "
                     "data file at all"},
                    {kExitLocked,
                     "another program held a data file locked for longer than the "
                     "wait"}});
  program.Add(CreateCommand());
  program.Add(AddCommand());
  program.Add(CommentsExportCommand());
  program.Add(CommentsImportCommand());
  program.Add(CommentsCarryCommand());
  program.Add(CheckCommand());
  return program;
}
