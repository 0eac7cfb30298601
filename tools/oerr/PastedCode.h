#pragma once
// What the terminal lookup was asked to do, read from its command line.

#include <optional>
#include <string>
#include <variant>
#include <vector>

struct TOerrRequest {
  enum class TMode { Lookup, Grep, Comment, Explain, Help };
  TMode Mode = TMode::Lookup;
  std::string Facility;                 // Lookup; Grep and Comment: may be empty (every facility)
  std::string Code;                     // Lookup
  std::string Words;                    // Grep, Comment
  std::optional<std::string> Version;   // --version NAME
  std::optional<std::string> DataFile;  // --db FILE
  std::vector<std::string> Inputs;      // Explain; empty or "-" is standard input
  bool Json = false;                    // Explain --json
};

// The request, or what is wrong with the command line. `arguments` excludes the program name.
std::variant<TOerrRequest, std::string> ParseOerrCommandLine(
    const std::vector<std::string>& arguments);

// The usage text of --help, in the layout of a manual page.
std::string OerrUsage();
