#pragma once
// The three things tolvane-mkdb does. Each reports progress and a summary on stderr and
// returns the tool's exit code.

#include "tools/mkdb/CommandLine.h"

TExitCode RunCommand(const TCommandLine& command);
