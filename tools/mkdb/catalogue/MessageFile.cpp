#include "tools/mkdb/catalogue/MessageFile.h"

#include <algorithm>
#include <array>
#include <map>
#include <optional>

#include "tools/mkdb/catalogue/MessageLine.h"
#include "tools/mkdb/catalogue/TextLines.h"

namespace {

enum class TTag { Cause, Action, Ignored };

struct TTagName {
  std::string_view Name;
  TTag Tag;
};

constexpr std::array<TTagName, 5> kTags{{{"cause", TTag::Cause},
                                         {"action", TTag::Action},
                                         {"document", TTag::Ignored},
                                         {"comment", TTag::Ignored},
                                         {"params", TTag::Ignored}}};

bool SameLetters(std::string_view a, std::string_view lowerCase) {
  return std::ranges::equal(a, lowerCase, [](char x, char y) {
    return (x >= 'A' && x <= 'Z' ? static_cast<char>(x - 'A' + 'a') : x) == y;
  });
}

// The tag name of a description line of the form "*Name:" (blanks allowed before the colon),
// with `rest` set to the text after the colon; nullopt for a line of plain text.
std::optional<std::string_view> TagName(std::string_view text, std::string_view& rest) {
  if (!text.starts_with('*')) {
    return std::nullopt;
  }
  const std::size_t end =
      text.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 1);
  if (end == 1 || end == std::string_view::npos) {
    return std::nullopt;
  }
  const std::size_t colon = text.find_first_not_of(" \t", end);
  if (colon == std::string_view::npos || text[colon] != ':') {
    return std::nullopt;
  }
  rest = text.substr(colon + 1);
  return text.substr(1, end - 1);
}

bool IsShowableCode(std::string_view code) {
  return code.size() <= 5 && code.find_first_not_of("0123456789") == std::string_view::npos;
}

// Adds one description line to a tag's text: wrapped lines join with a blank, a blank line
// separates paragraphs.
void AppendDescription(std::string& text, bool& paragraphBreak, std::string_view line) {
  if (line.empty()) {
    paragraphBreak = !text.empty();
    return;
  }
  if (!text.empty()) {
    text += paragraphBreak ? '\n' : ' ';
  }
  text += line;
  paragraphBreak = false;
}

class TMessageFileParser {
 public:
  TMessageFileParser(const std::string& fileName, TParsedMessages& parsed)
      : FileName(fileName), Parsed(parsed) {}

  // Empty on success, else the reason for the current line.
  std::string ParseLine(std::string_view line);
  std::string Finish();
  std::size_t LineNumber = 0;

 private:
  std::string ParseMessage(std::string_view line);
  std::string ParseDescription(std::string_view text);
  std::string Where() const { return FileName + ":" + std::to_string(LineNumber) + ": "; }

  const std::string& FileName;
  TParsedMessages& Parsed;
  std::map<std::string, std::size_t> FirstLineOfCode;
  bool SawMessageLine = false;
  bool SkippingMessage = false;
  TCatalogueMessage* Current = nullptr;
  std::string* CurrentText = nullptr;  // the text of the current tag; null for ignored tags
  bool InTag = false;
  bool ParagraphBreak = false;
};

std::string TMessageFileParser::ParseLine(std::string_view line) {
  if (line.starts_with("//")) {
    return ParseDescription(TrimBlanks(line.substr(2)));
  }
  if (line.starts_with('/') || TrimBlanks(line).empty()) {
    return {};
  }
  return ParseMessage(line);
}

std::string TMessageFileParser::ParseMessage(std::string_view line) {
  TMessageLine message;
  if (std::string problem = ParseMessageLine(line, message); !problem.empty()) {
    return problem;
  }
  SawMessageLine = true;
  Current = nullptr;
  CurrentText = nullptr;
  InTag = false;
  SkippingMessage = !IsShowableCode(message.Code);
  if (SkippingMessage) {
    Parsed.Warnings.push_back(Where() + "message \"" + message.Code +
                              "\" skipped: codes are shown only up to five digits");
    return {};
  }
  const auto [first, isNew] = FirstLineOfCode.emplace(message.Code, LineNumber);
  if (!isNew) {
    return "code " + message.Code + " appears twice (first on line " +
           std::to_string(first->second) + ")";
  }
  Parsed.Messages.push_back({message.Code, message.Text, std::nullopt, std::nullopt});
  Current = &Parsed.Messages.back();
  return {};
}

std::string TMessageFileParser::ParseDescription(std::string_view text) {
  if (!SawMessageLine) {
    return "a \"//\" line before any message";
  }
  std::string_view rest;
  const std::optional<std::string_view> name = TagName(text, rest);
  const auto known =
      name ? std::ranges::find_if(kTags,
                                  [&](const TTagName& tag) { return SameLetters(*name, tag.Name); })
           : kTags.end();
  if (name && known == kTags.end()) {
    return "unknown tag *" + std::string(*name) + ":";
  }
  if (SkippingMessage) {
    return {};
  }
  if (name) {
    std::optional<std::string>* field = known->Tag == TTag::Cause    ? &Current->Cause
                                        : known->Tag == TTag::Action ? &Current->Action
                                                                     : nullptr;
    if (field && field->has_value()) {
      return "a second *" + std::string(*name) + ": for message " + Current->Code;
    }
    InTag = true;
    CurrentText = field ? &field->emplace() : nullptr;
    ParagraphBreak = false;
    text = TrimBlanks(rest);
  } else if (!InTag) {
    if (text.empty()) {
      return {};
    }
    return "description text outside any *Cause: or *Action: tag";
  }
  if (CurrentText) {
    AppendDescription(*CurrentText, ParagraphBreak, text);
  }
  return {};
}

std::string TMessageFileParser::Finish() {
  return SawMessageLine ? std::string() : "holds no message";
}

}  // namespace

bool ParseMessageFile(std::string_view content, const std::string& fileName,
                      TParsedMessages& parsed, std::string& error) {
  if (const std::optional<TTextProblem> problem = CheckUtf8Text(content)) {
    error = fileName + ":" + std::to_string(problem->Line) + ": " + problem->Reason;
    return false;
  }
  TMessageFileParser parser(fileName, parsed);
  for (const std::string_view line : SplitLines(content)) {
    ++parser.LineNumber;
    if (std::string problem = parser.ParseLine(line); !problem.empty()) {
      error = fileName + ":" + std::to_string(parser.LineNumber) + ": " + problem;
      return false;
    }
  }
  if (std::string problem = parser.Finish(); !problem.empty()) {
    error = fileName + ": " + problem;
    return false;
  }
  return true;
}
