#pragma once
// One message line of an Oracle message file: CODE, NUMBER, "text". The blank after a comma
// may be missing; the second number is read and dropped. In the text \" stands for a quote,
// \n for a line break and \\ for one backslash; any other backslash stays as it is.

#include <string>
#include <string_view>

struct TMessageLine {
  std::string Code;  // as it stands, without surrounding blanks
  std::string Text;  // with the escapes resolved
};

// Empty on success, else what is wrong with the line (without its location).
std::string ParseMessageLine(std::string_view line, TMessageLine& parsed);
