#pragma once
// tolvane-mkdb comments export, import and carry: the user's comments moved between data
// files and the comments file (tools/mkdb/comments/CommentsCsv.h).

#include <memory>

#include "tools/cli/Command.h"

std::unique_ptr<TCommand> CommentsExportCommand();
std::unique_ptr<TCommand> CommentsImportCommand();
std::unique_ptr<TCommand> CommentsCarryCommand();
