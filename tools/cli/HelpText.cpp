#include "tools/cli/HelpText.h"

#include <algorithm>
#include <map>

#include "tools/cli/ArgumentReader.h"

namespace {

constexpr std::size_t kWidth = 79;

// `text` broken at blanks into lines of at most kWidth characters, the first starting with
// `lead`, the others with as many blanks.
std::string Wrapped(const std::string& lead, const std::string& text) {
  std::string out = lead;
  std::size_t column = lead.size();
  const std::string indent(lead.size(), ' ');
  bool first = true;
  for (std::size_t at = 0; at < text.size();) {
    std::size_t end = text.find(' ', at);
    end = end == std::string::npos ? text.size() : end;
    const std::string word = text.substr(at, end - at);
    if (!first && column + 1 + word.size() > kWidth) {
      out += "\n" + indent;
      column = indent.size();
    } else if (!first) {
      out += ' ';
      ++column;
    }
    out += word;
    column += word.size();
    first = false;
    at = end + 1;
  }
  return out + "\n";
}

std::string Invocation(const std::string& program, const TCommandDefinition& definition) {
  return definition.Name.empty() ? program : program + " " + definition.Name;
}

std::string OptionLines(const std::vector<TOption>& options) {
  std::size_t widest = 0;
  for (const TOption& option : options) {
    widest =
        std::max(widest, option.Name.size() + (option.Value.empty() ? 0 : 1 + option.Value.size()));
  }
  std::string out = "Options:\n";
  for (const TOption& option : options) {
    std::string lead = "  " + option.Name + (option.Value.empty() ? "" : " " + option.Value);
    lead.resize(widest + 4, ' ');
    out += Wrapped(lead, option.Help);
  }
  return out;
}

std::string ExitLines(const std::vector<std::pair<int, std::string>>& codes) {
  std::string out = "Exit status:\n";
  for (const auto& [code, meaning] : codes) {
    out += Wrapped("  " + std::to_string(code) + "  ", meaning);
  }
  return out;
}

// The command's own codes with the shared ones, in the order of their numbers.
std::vector<std::pair<int, std::string>> WithSharedCodes(const TCommandDefinition& definition) {
  std::multimap<int, std::string> codes(definition.ExitCodes.begin(), definition.ExitCodes.end());
  codes.emplace(kExitUsage, "wrong command line");
  if (definition.WaitsForDataFiles) {
    codes.emplace(kExitLocked, "another program held a data file locked for longer than the wait");
  }
  return {codes.begin(), codes.end()};
}

std::string Paragraphs(const std::string& text) {
  return text.empty() ? std::string() : text + "\n";
}

const char* const kFilesNote = "\nFiles are named relative to the working folder.\n\n";

}  // namespace

std::string CommandHelp(const std::string& program, const TCommandDefinition& definition) {
  std::string out;
  for (std::size_t at = 0; at < definition.Forms.size(); ++at) {
    out += (at == 0 ? "Usage: " : "  or:  ") + Invocation(program, definition) + " " +
           definition.Forms[at] + "\n";
  }
  out += Paragraphs(definition.Description) + "\n";
  std::vector<TOption> options = definition.Options;
  for (TOption& shared : SharedOptions(definition.WaitsForDataFiles)) {
    options.push_back(std::move(shared));
  }
  return out + OptionLines(options) + kFilesNote + ExitLines(WithSharedCodes(definition));
}

std::string ProgramHelp(const TProgramText& text) {
  std::string out = "Usage:\n";
  bool waits = false;
  const TCommandDefinition* own = nullptr;
  for (const TCommandDefinition* definition : text.Commands) {
    for (const std::string& form : definition->Forms) {
      out += "  " + Invocation(text.Name, *definition) + " " + form + "\n";
    }
    out += Wrapped("      ", definition->Summary);
    waits = waits || definition->WaitsForDataFiles;
    own = definition->Name.empty() ? definition : own;
  }
  out += "\n" + Wrapped("", text.Summary);
  std::vector<TOption> options;
  if (own != nullptr) {
    out += "\n" + Paragraphs(own->Description);
    options = own->Options;
  }
  for (TOption& shared : SharedOptions(waits)) {
    options.push_back(std::move(shared));
  }
  out += "\n" + OptionLines(options) + kFilesNote + ExitLines(text.ExitCodes);
  const bool named =
      std::any_of(text.Commands.begin(), text.Commands.end(),
                  [](const TCommandDefinition* definition) { return !definition->Name.empty(); });
  if (named) {
    out += "\n'" + text.Name + " COMMAND --help' describes one command.\n";
  }
  return out;
}
