#pragma once
// tolvane-oerr with its commands: the lookup and search of its own, and explain.

#include "tools/cli/Program.h"

TProgram OerrProgram();
