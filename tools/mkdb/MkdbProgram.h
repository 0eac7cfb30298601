#pragma once
// tolvane-mkdb with its commands: building a data file, moving comments, vetting a file.

#include "tools/cli/Program.h"

TProgram MkdbProgram();
