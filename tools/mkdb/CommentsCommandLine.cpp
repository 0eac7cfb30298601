#include "tools/mkdb/CommentsCommandLine.h"

#include <algorithm>

namespace {

// Takes "--overwrite" and "--out FILE" out of `words`, where allowed.
bool ReadFlags(std::vector<std::string>& words, bool allowOut, TCommandLine& parsed,
               std::string& error) {
  std::vector<std::string> rest;
  bool outGiven = false;
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (word == "--overwrite" && !allowOut && !parsed.Overwrite) {
      parsed.Overwrite = true;
    } else if (word == "--out" && allowOut && !outGiven) {
      if (i + 1 >= words.size()) {
        error = "--out needs a value";
        return false;
      }
      parsed.CommentsFile = words[++i];
      outGiven = true;
    } else if (word.starts_with("--")) {
      error = "unexpected argument " + word;
      return false;
    } else {
      rest.push_back(word);
    }
  }
  words = std::move(rest);
  return true;
}

}  // namespace

bool ParseCommentsCommandLine(const std::vector<std::string>& arguments, TCommandLine& parsed,
                              std::string& error) {
  if (arguments.size() < 2) {
    error = "comments needs export, import or carry";
    return false;
  }
  const std::string& action = arguments[1];
  std::vector<std::string> words(arguments.begin() + 2, arguments.end());
  struct TForm {
    const char* Action;
    TCommandLine::TCommand Command;
    std::size_t Files;
    const char* Needs;
  };
  constexpr TForm kForms[] = {
      {"export", TCommandLine::TCommand::CommentsExport, 1, "comments export needs DB"},
      {"import", TCommandLine::TCommand::CommentsImport, 2, "comments import needs DB and FILE"},
      {"carry", TCommandLine::TCommand::CommentsCarry, 2, "comments carry needs OLD and NEW"}};
  const auto* form =
      std::ranges::find_if(kForms, [&](const TForm& f) { return action == f.Action; });
  if (form == std::end(kForms)) {
    error = "unknown comments command " + action;
    return false;
  }
  if (!ReadFlags(words, form->Command == TCommandLine::TCommand::CommentsExport, parsed, error)) {
    return false;
  }
  if (words.size() != form->Files) {
    error = form->Needs;
    return false;
  }
  parsed.Command = form->Command;
  if (form->Command == TCommandLine::TCommand::CommentsCarry) {
    parsed.OldDataFile = words[0];
    parsed.Out = words[1];
  } else {
    parsed.Out = words[0];
    if (form->Command == TCommandLine::TCommand::CommentsImport) {
      parsed.CommentsFile = words[1];
    }
  }
  return true;
}
