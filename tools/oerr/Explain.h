#pragma once
// `tolvane-oerr explain`: every distinct error of one or more texts (logs, pasted stacks),
// explained once in the order of its first appearance, the codes that no version has listed
// last. The texts are streamed: memory grows with the number of distinct errors only.

#include <optional>
#include <string>
#include <vector>

#include "tools/cli/Command.h"

class TToolDataFile;

struct TExplainOptions {
  std::vector<std::string> Inputs;  // file names; empty or "-" is standard input
  std::optional<std::string> Version;
  bool Json = false;
  std::size_t Width = 0;  // 0: no wrapping
};

// Reads the inputs (standard input from `context`) and writes the explanations to its output.
// Returns the exit code: 0 when at least one error was explained, 1 when none was, 3 when no
// input could be read, or what a failed lookup on `file` means (4: held by another program).
// An input that cannot be read is named with the system's reason, as a warning when another
// could be read.
int Explain(TToolDataFile& file, const std::vector<std::string>& prefixes,
            const TExplainOptions& options, TToolContext& context);
