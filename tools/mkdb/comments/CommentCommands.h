#pragma once
// The comments commands: export, import and carry. Each reports on stderr (every comment left
// without a message by its identity) and returns the tool's exit code.

#include "tools/mkdb/CommandLine.h"

TExitCode RunCommentsCommand(const TCommandLine& command);
