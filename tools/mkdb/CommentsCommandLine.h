#pragma once
// The comments commands of tolvane-mkdb:
//   tolvane-mkdb comments export DB [--out FILE]
//   tolvane-mkdb comments import DB FILE [--overwrite]
//   tolvane-mkdb comments carry OLD NEW [--overwrite]

#include <string>
#include <vector>

#include "tools/mkdb/CommandLine.h"

// `arguments` start with "comments". Returns false with `error` for any other form.
bool ParseCommentsCommandLine(const std::vector<std::string>& arguments, TCommandLine& parsed,
                              std::string& error);
