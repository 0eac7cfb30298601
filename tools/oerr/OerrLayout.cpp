#include "tools/oerr/OerrLayout.h"

#include <algorithm>

namespace {

std::size_t Characters(const std::string& text) {
  std::size_t count = 0;
  for (const char byte : text) {
    count += (static_cast<unsigned char>(byte) & 0xC0) != 0x80 ? 1 : 0;
  }
  return count;
}

// Each line with the blanks that wrapping or an empty line left at its end taken off.
void AppendLines(std::string& out, const std::vector<std::string>& lines) {
  for (const std::string& line : lines) {
    out.append(line, 0, line.find_last_not_of(' ') + 1);
    out += '\n';
  }
}

// One stored paragraph wrapped: whole words as long as they fit after the line's start.
void WrapParagraph(const std::string& paragraph, const std::string& lead, const std::string& follow,
                   std::size_t width, std::vector<std::string>& lines) {
  std::string line = lead;
  std::size_t used = Characters(lead);
  bool empty = true;  // no word on the line yet
  std::size_t at = 0;
  while (at <= paragraph.size()) {
    std::size_t end = paragraph.find(' ', at);
    if (end == std::string::npos) {
      end = paragraph.size();
    }
    const std::string word = paragraph.substr(at, end - at);
    const std::size_t length = Characters(word);
    if (!empty && width > 0 && used + 1 + length > width) {
      lines.push_back(line);
      line = follow;
      used = Characters(follow);
      empty = true;
    }
    if (!empty) {
      line += ' ';
      ++used;
    }
    line += word;
    used += length;
    empty = false;
    at = end + 1;
  }
  lines.push_back(line);
}

// "// *Cause:  text", the text starting where the longest label's does ("// *Action: ").
std::vector<std::string> Section(const char* label, const std::optional<std::string>& text,
                                 std::size_t width) {
  constexpr std::size_t kTextColumn = 12;
  std::string lead = std::string("// *") + label + ":";
  if (!text || text->empty()) {
    return {lead};
  }
  lead.resize(std::max(kTextColumn, lead.size() + 1), ' ');
  return WrapText(*text, lead, "//" + std::string(lead.size() - 2, ' '), width);
}

// The message line, cause and action.
std::string FormatTexts(const TFoundMessage& message, std::size_t width) {
  std::string out;
  const std::string head = message.Code + ", 00000, \"";
  AppendLines(out,
              WrapText(message.Message + "\"", head, std::string(Characters(head), ' '), width));
  AppendLines(out, Section("Cause", message.Cause, width));
  AppendLines(out, Section("Action", message.Action, width));
  return out;
}

}  // namespace

std::vector<std::string> WrapText(const std::string& text, const std::string& lead,
                                  const std::string& follow, std::size_t width) {
  std::vector<std::string> lines;
  std::size_t at = 0;
  bool first = true;
  while (at <= text.size()) {
    std::size_t end = text.find('\n', at);
    if (end == std::string::npos) {
      end = text.size();
    }
    std::string paragraph = text.substr(at, end - at);
    if (!paragraph.empty() && paragraph.back() == '\r') {
      paragraph.pop_back();  // a CR LF break is one break
    }
    WrapParagraph(paragraph, first ? lead : follow, follow, width, lines);
    first = false;
    at = end + 1;
  }
  return lines;
}

std::string FormatMessages(const std::vector<TFoundMessage>& messages, std::size_t width) {
  std::vector<std::vector<const TFoundMessage*>> entries;  // in the order of the first version
  for (const TFoundMessage& message : messages) {
    const auto same = std::find_if(entries.begin(), entries.end(), [&message](const auto& entry) {
      const TFoundMessage& first = *entry.front();
      return first.Code == message.Code && first.Message == message.Message &&
             first.Cause == message.Cause && first.Action == message.Action;
    });
    if (same == entries.end()) {
      entries.push_back({&message});
    } else {
      same->push_back(&message);
    }
  }
  std::string out;
  for (const auto& entry : entries) {
    if (!out.empty()) {
      out += '\n';
    }
    if (messages.size() > 1) {
      out += entry.size() > 1 ? "Versions " : "Version ";
      for (std::size_t at = 0; at < entry.size(); ++at) {
        out += (at > 0 ? ", " : "") + entry[at]->Version;
      }
      out += '\n';
    }
    out += FormatTexts(*entry.front(), width);
    for (const TFoundMessage* member : entry) {
      if (member->Comment) {
        const std::string label =
            entry.size() > 1 ? "My comment (" + member->Version + ")" : std::string("My comment");
        AppendLines(out, Section(label.c_str(), member->Comment, width));
      }
    }
  }
  return out;
}

std::string FormatMatch(const TFoundMessage& message, std::size_t width) {
  const std::string head = message.Prefix + "-" + message.Code + "  " + message.Version + "  ";
  std::string out;
  AppendLines(out, WrapText(message.Message, head, std::string(Characters(head), ' '), width));
  return out;
}
