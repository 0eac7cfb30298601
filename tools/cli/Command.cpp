#include "tools/cli/Command.h"

#include <ostream>

std::optional<std::string> TArguments::Value(const std::string& option) const {
  const auto found = Options.find(option);
  return found == Options.end() ? std::nullopt : std::optional<std::string>(found->second);
}

void TToolContext::Say(const std::string& text) const {
  Err << Name << ": " << text << '\n';
}

void TToolContext::Warn(const std::string& text) const {
  Say("warning: " + text);
}

int TToolContext::Fail(const TFailure& failure) const {
  Say(failure.Text);
  return failure.Exit;
}
