#pragma once
// The rules start-up applies to what it reads from the data file: whether the file allows
// this program and the row limit for searches.

#include <optional>
#include <string>

// The program's own compatibility number; a data file asking for more needs a newer program.
inline constexpr int kExeVersion = 20;

// The message refusing a data file by its stored min_req_exe_vers, or nothing when the file
// may be used.
std::optional<std::u16string> CompatibilityProblem(const std::u16string& minReqExeVers);

// The row limit for searches from the stored max_fetch_rows: "500" when it is no integer,
// "1000" above 1000, otherwise the number in plain decimal (zero and negatives pass).
std::u16string RowLimitFromSetting(const std::u16string& maxFetchRows);

// A stored setting read as an integer from its 8-bit text: ASCII blanks around it, an optional
// sign, decimal digits, within the range of a 32-bit int; nothing otherwise.
std::optional<int> StoredInteger(const std::u16string& stored);
