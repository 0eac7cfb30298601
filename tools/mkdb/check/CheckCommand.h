#pragma once
// tolvane-mkdb check: vetting a data file that came from elsewhere.

#include <memory>

#include "tools/cli/Command.h"

std::unique_ptr<TCommand> CheckCommand();
