#pragma once
// `tolvane-oerr explain`: every distinct error of one or more texts (logs, pasted stacks),
// explained once in the order of its first appearance, the codes that no version has listed
// last. The texts are streamed: memory grows with the number of distinct errors only.

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

class TSQLDB;

struct TExplainOptions {
  std::vector<std::string> Inputs;  // file names; empty or "-" is standard input
  std::optional<std::string> Version;
  bool Json = false;
  std::size_t Width = 0;  // 0: no wrapping
};

// Returns the exit code: 0 when at least one error was explained, 1 when none was, 3 when a
// lookup failed. An input that cannot be read is reported on `errors` as "FILE: reason" and
// the others are still read.
int Explain(TSQLDB& db, const std::vector<std::string>& prefixes, const TExplainOptions& options,
            std::istream& standardInput, std::ostream& out, std::ostream& errors);
