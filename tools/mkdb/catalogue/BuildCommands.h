#pragma once
// tolvane-mkdb create and add: building a data file from a catalogue folder, and adding one
// Oracle version from an Oracle home.

#include <memory>

#include "tools/cli/Command.h"

std::unique_ptr<TCommand> CreateCommand();
std::unique_ptr<TCommand> AddCommand();
