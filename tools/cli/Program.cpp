#include "tools/cli/Program.h"

#include <algorithm>
#include <ostream>
#include <sstream>

#include "tools/cli/ArgumentReader.h"
#include "tools/cli/HelpText.h"

namespace {

std::vector<std::string> Words(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> words;
  for (std::string word; in >> word;) {
    words.push_back(word);
  }
  return words;
}

}  // namespace

TProgram::TProgram(std::string name, std::string summary,
                   std::vector<std::pair<int, std::string>> exitCodes)
    : ProgramName(std::move(name)), Summary(std::move(summary)), Codes(std::move(exitCodes)) {}

void TProgram::Add(std::unique_ptr<TCommand> command) {
  // The program's own command leads its help.
  const auto at = command->Definition().Name.empty() ? Commands.begin() : Commands.end();
  Commands.insert(at, std::move(command));
}

std::string TProgram::Version() const {
  return ProgramName + " (Tolvane) " TOLVANE_VERSION;
}

std::string TProgram::Help(const std::string& group) const {
  TProgramText text{ProgramName, Summary, {}, Codes};
  for (const auto& command : Commands) {
    const std::string& name = command->Definition().Name;
    if (group.empty() || name == group || name.starts_with(group + " ")) {
      text.Commands.push_back(&command->Definition());
    }
  }
  return ProgramHelp(text);
}

std::vector<const TCommandDefinition*> TProgram::Definitions() const {
  std::vector<const TCommandDefinition*> definitions;
  for (const auto& command : Commands) {
    definitions.push_back(&command->Definition());
  }
  return definitions;
}

std::vector<std::string> TProgram::GroupCommands(const std::string& group) const {
  std::vector<std::string> names;
  for (const auto& command : Commands) {
    const std::string& name = command->Definition().Name;
    if (!group.empty() && name.starts_with(group + " ")) {
      names.push_back(name.substr(group.size() + 1));
    }
  }
  return names;
}

bool TProgram::TakesValue(const std::string& option) const {
  return std::any_of(Commands.begin(), Commands.end(), [&option](const auto& command) {
    const std::vector<TOption>& options = command->Definition().Options;
    return option == "--wait" ||
           std::any_of(options.begin(), options.end(), [&option](const TOption& o) {
             return o.Name == option && !o.Value.empty();
           });
  });
}

TProgram::TFound TProgram::Find(const std::vector<std::string>& words) const {
  // Where the words stand that are neither an option nor an option's value.
  std::vector<std::size_t> plain;
  for (std::size_t at = 0; at < words.size() && words[at] != "--"; ++at) {
    if (words[at] == "-" || !words[at].starts_with('-')) {
      plain.push_back(at);
    } else if (words[at].find('=') == std::string::npos && TakesValue(words[at])) {
      ++at;
    }
  }
  TFound found;
  std::size_t longest = 0;
  for (const auto& command : Commands) {
    const std::vector<std::string> name = Words(command->Definition().Name);
    const bool matches =
        name.size() <= plain.size() &&
        std::equal(name.begin(), name.end(), plain.begin(),
                   [&words](const std::string& part, std::size_t at) { return words[at] == part; });
    if (matches && (found.Command == nullptr || name.size() > longest)) {
      found.Command = command.get();
      longest = name.size();
    }
  }
  for (std::size_t at = 0; at < words.size(); ++at) {
    if (std::find(plain.begin(), plain.begin() + static_cast<std::ptrdiff_t>(longest), at) ==
        plain.begin() + static_cast<std::ptrdiff_t>(longest)) {
      found.Rest.push_back(words[at]);
    }
  }
  if (found.Command == nullptr && !plain.empty()) {
    found.Group = words[plain.front()];
  }
  return found;
}

int TProgram::Wrong(const std::string& what, const std::string& command,
                    TToolContext& context) const {
  context.Say(what);
  context.Err << "Try '" << ProgramName << (command.empty() ? "" : " " + command) << " --help'.\n";
  return kExitUsage;
}

int TProgram::Main(const std::vector<std::string>& arguments, TToolContext& context) const {
  const TFound found = Find(arguments);
  if (found.Command == nullptr) {
    // No command: the program's help and version, or what is missing or unknown.
    const std::vector<std::string> group = GroupCommands(found.Group);
    const TReading reading = ReadArguments({}, arguments);
    if (reading.Kind == TReading::TKind::Help) {
      context.Out << Help(group.empty() ? "" : found.Group);
      return kExitOk;
    }
    if (reading.Kind == TReading::TKind::Version) {
      context.Out << Version() << '\n';
      return kExitOk;
    }
    if (found.Group.empty()) {
      return Wrong(reading.Kind == TReading::TKind::Wrong ? reading.Wrong : "a command is needed",
                   "", context);
    }
    if (group.empty()) {
      return Wrong("unknown command '" + found.Group + "'", "", context);
    }
    std::string names;
    for (const std::string& name : group) {
      names += (names.empty() ? "" : ", ") + name;
    }
    return Wrong(found.Group + " needs one of: " + names, found.Group, context);
  }
  const TCommandDefinition& definition = found.Command->Definition();
  const TReading reading = ReadArguments(definition, found.Rest);
  switch (reading.Kind) {
    case TReading::TKind::Help:
      context.Out << (definition.Name.empty() ? Help() : CommandHelp(ProgramName, definition));
      return kExitOk;
    case TReading::TKind::Version:
      context.Out << Version() << '\n';
      return kExitOk;
    case TReading::TKind::Wrong:
      return Wrong(reading.Wrong, definition.Name, context);
    case TReading::TKind::Arguments:
      break;
  }
  if (const std::optional<std::string> wrong = found.Command->Check(reading.Arguments)) {
    return Wrong(*wrong, definition.Name, context);
  }
  return found.Command->Run(reading.Arguments, context);
}
