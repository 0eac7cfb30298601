#include "tools/cli/ArgumentReader.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

// The longest wait that the data layer's milliseconds can hold, about 24 days.
constexpr double kLongestWaitSeconds = 2'000'000;

TReading Wrong(std::string what) {
  TReading reading;
  reading.Kind = TReading::TKind::Wrong;
  reading.Wrong = std::move(what);
  return reading;
}

bool Asks(const std::vector<std::string>& words, std::initializer_list<std::string_view> names) {
  for (const std::string& word : words) {
    if (word == "--") {
      return false;
    }
    if (std::find(names.begin(), names.end(), word) != names.end()) {
      return true;
    }
  }
  return false;
}

std::optional<std::chrono::milliseconds> WaitFromText(const std::string& text) {
  double seconds = -1;
  const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), seconds);
  if (failure != std::errc() || end != text.data() + text.size() || !std::isfinite(seconds) ||
      seconds < 0 || seconds > kLongestWaitSeconds) {
    return std::nullopt;
  }
  return std::chrono::milliseconds(std::llround(seconds * 1000));
}

// "--version NAME" named the Oracle version where --release does now: a command line of the
// old form would otherwise print the version and end with success, having done nothing.
std::optional<std::string> OldReleaseOption(const TCommandDefinition& definition,
                                            const std::vector<std::string>& words) {
  const bool releases =
      std::any_of(definition.Options.begin(), definition.Options.end(),
                  [](const TOption& option) { return option.Name == "--release"; });
  const auto version = std::find(words.begin(), words.end(), "--version");
  if (!releases || version == words.end() || version + 1 == words.end() ||
      (version + 1)->starts_with('-')) {
    return std::nullopt;
  }
  return "--version takes no value: the Oracle version is --release " + *(version + 1);
}

}  // namespace

std::vector<TOption> SharedOptions(bool waits) {
  std::vector<TOption> options;
  if (waits) {
    options.push_back({"--wait", "SECONDS",
                       "how long to wait for a data file that another program holds locked "
                       "(default 5; 0: not at all), then give up with exit code 4"});
  }
  options.push_back({"--help", "", "show this help and exit"});
  options.push_back({"--version", "", "show the program's name and version and exit"});
  return options;
}

bool AsksForHelp(const std::vector<std::string>& words) {
  return Asks(words, {"--help", "-h"});
}

TReading ReadArguments(const TCommandDefinition& definition,
                       const std::vector<std::string>& words) {
  TReading reading;
  if (AsksForHelp(words)) {
    reading.Kind = TReading::TKind::Help;
    return reading;
  }
  if (Asks(words, {"--version"})) {
    if (const std::optional<std::string> renamed = OldReleaseOption(definition, words)) {
      return Wrong(*renamed);
    }
    reading.Kind = TReading::TKind::Version;
    return reading;
  }
  std::vector<TOption> options = definition.Options;
  for (TOption& shared : SharedOptions(definition.WaitsForDataFiles)) {
    options.push_back(std::move(shared));
  }
  TArguments& arguments = reading.Arguments;
  bool optionsEnded = false;
  for (std::size_t at = 0; at < words.size(); ++at) {
    const std::string& word = words[at];
    if (optionsEnded || word == "-" || !word.starts_with('-')) {
      arguments.Operands.push_back(word);
      continue;
    }
    if (word == "--") {
      optionsEnded = true;
      continue;
    }
    const std::size_t equals = word.find('=');
    const std::string name = word.substr(0, equals);
    const auto option = std::find_if(options.begin(), options.end(),
                                     [&](const TOption& o) { return o.Name == name; });
    if (option == options.end()) {
      return Wrong("unknown option '" + name + "'");
    }
    std::string value;
    if (option->Value.empty()) {
      if (equals != std::string::npos) {
        return Wrong("option '" + name + "' takes no value");
      }
    } else if (equals != std::string::npos) {
      value = word.substr(equals + 1);
    } else if (at + 1 < words.size()) {
      value = words[++at];
    } else {
      return Wrong("option '" + name + "' needs a value: " + name + " " + option->Value);
    }
    if (!arguments.Options.emplace(name, value).second) {
      return Wrong("option '" + name + "' is given twice");
    }
  }
  if (arguments.Operands.size() < definition.LeastOperands) {
    return Wrong(definition.Needs);
  }
  if (arguments.Operands.size() > definition.MostOperands) {
    return Wrong("unexpected operand '" + arguments.Operands[definition.MostOperands] + "'");
  }
  if (const std::optional<std::string> wait = arguments.Value("--wait")) {
    const std::optional<std::chrono::milliseconds> bound = WaitFromText(*wait);
    if (!bound) {
      return Wrong("--wait needs a number of seconds, as in: --wait 10");
    }
    arguments.Wait = *bound;
  }
  return reading;
}
