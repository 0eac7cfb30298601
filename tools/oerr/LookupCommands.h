#pragma once
// The commands of tolvane-oerr: its own, which looks a message up by its code or searches
// message and comment words, and explain, which explains every error of a log.

#include <memory>

#include "tools/cli/Command.h"

std::unique_ptr<TCommand> LookupCommand();
std::unique_ptr<TCommand> ExplainCommand();
