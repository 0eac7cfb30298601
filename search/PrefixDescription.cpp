#include "search/PrefixDescription.h"

#include "app/QtText.h"
#include "data/SqlDb.h"

std::optional<QString> PrefixDescriptionText(TSQLDB& db, const QString& prefix) {
  if (prefix.isEmpty()) {
    return std::nullopt;
  }
  if (!db.FormatQuery(u"SELECT pref_desc FROM prefix WHERE pref_name=%s",
                      {TSqlArg::WideString(ToWide(prefix))})) {
    return std::nullopt;
  }
  if (db.RowCount() != 1) {
    return std::nullopt;
  }
  // LF before CR, as the message has always been laid out.
  return QStringLiteral("Prefix description:\n\r") + ToQString(db.Row(0).Field(0).AsWideString());
}
