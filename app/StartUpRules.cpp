#include "app/StartUpRules.h"

#include "app/QtText.h"
#include "platform/AnsiText.h"

namespace {

// The stored text as the 8-bit text the integer is read from.
std::optional<int> StoredInteger(const QString& stored) {
  const QByteArray ansi = QByteArray::fromStdString(Platform::WideToAnsi(ToWide(stored)));
  bool ok = false;
  const int value = ansi.toInt(&ok);
  if (!ok) {
    return std::nullopt;
  }
  return value;
}

}  // namespace

std::optional<QString> CompatibilityProblem(const QString& minReqExeVers) {
  const std::optional<int> required = StoredInteger(minReqExeVers);
  if (!required) {
    return QStringLiteral("E: Datafile is broken");
  }
  if (*required > kExeVersion) {
    return QStringLiteral("E: Can't load error messages form file. Program's version too old.");
  }
  return std::nullopt;
}

QString RowLimitFromSetting(const QString& maxFetchRows) {
  const std::optional<int> limit = StoredInteger(maxFetchRows);
  if (!limit) {
    return QStringLiteral("500");
  }
  return QString::number(*limit > 1000 ? 1000 : *limit);
}

int RestoredEntry(const QStringList& entries, const QString& stored) {
  if (stored.isEmpty()) {
    return 0;
  }
  for (int i = 0; i < entries.size(); ++i) {
    if (entries[i].compare(stored, Qt::CaseInsensitive) == 0) {
      return i;
    }
  }
  return 0;
}
