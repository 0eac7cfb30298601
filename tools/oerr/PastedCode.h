#pragma once
// A code as a DBA pastes it from a session or a log: "ORA-00942: table or view does not
// exist", "ORA-00942:", "ORA-00942.", "ora 942", "ORA-942", whether the shell split the line
// into words or kept it whole. The first token that is a code counts; the rest of the line is
// ignored.

#include <string>
#include <variant>
#include <vector>

struct TPastedCode {
  std::string Facility;  // as typed
  std::string Code;      // digits, as typed
};

// The facility and code, or what is wrong with the words (a code is digits).
std::variant<TPastedCode, std::string> ReadPastedCode(const std::vector<std::string>& words);
