#pragma once
// The rules start-up applies to what it reads from the data file: whether the file allows
// this program, the row limit for searches, and which list entry a stored criterion restores.

#include <QString>
#include <QStringList>
#include <optional>

// The program's own compatibility number; a data file asking for more needs a newer program.
inline constexpr int kExeVersion = 20;

// The message refusing a data file by its stored min_req_exe_vers, or nothing when the file
// may be used.
std::optional<QString> CompatibilityProblem(const QString& minReqExeVers);

// The row limit for searches from the stored max_fetch_rows: "500" when it is no integer,
// "1000" above 1000, otherwise the number in plain decimal (zero and negatives pass).
QString RowLimitFromSetting(const QString& maxFetchRows);

// The index of the first entry equal to `stored` with letter case ignored; 0 (the empty
// first entry) when `stored` is empty or matches none.
int RestoredEntry(const QStringList& entries, const QString& stored);
