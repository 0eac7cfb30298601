#include "app/StartUp.h"

#include "app/QtText.h"
#include "app/UserShell.h"

namespace {

// The index of the first entry equal to `stored` with letter case ignored; 0 (the empty
// first entry) when `stored` is empty or matches none.
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

std::optional<TPickList> PickList(const std::optional<TStartUpNames>& names) {
  if (!names) {
    return std::nullopt;
  }
  TPickList list;
  list.Entries.append(QString());
  for (const std::u16string& name : names->Names) {
    list.Entries.append(ToQString(name));
  }
  list.Selected = RestoredEntry(list.Entries, ToQString(names->StoredSelection));
  return list;
}

}  // namespace

TStartUpState LoadStartUpState(TSQLDB& db, const std::string& dataFile, TSettingsStore& settings,
                               TUserShell& shell) {
  const TStartUpData data = ReadStartUpData(db, dataFile, settings, shell);
  return TStartUpState{data.Stage, PickList(data.Versions), PickList(data.Prefixes),
                       ToQString(data.Code), ToQString(data.MaxFetchRows)};
}
