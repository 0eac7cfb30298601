#include "app/StartUp.h"

#include "app/ProgramFiles.h"
#include "app/QtText.h"
#include "app/SettingsStore.h"
#include "app/StartUpRules.h"
#include "app/UserShell.h"
#include "data/passql.h"
#include "platform/AnsiText.h"
#include "platform/Files.h"

namespace {

// Runs a list statement and restores the stored selection; nothing when the statement fails
// (reported with the connection's error text).
std::optional<TPickList> ReadPickList(TSQLDB& db, const std::u16string& statement,
                                      const QString& selectionKey, TSettingsStore& settings,
                                      TUserShell& shell) {
  if (!db.QueryW(statement)) {
    shell.ShowMessage(QStringLiteral("ERROR: ") +
                      ToQString(Platform::AnsiToWide(db.GetErrorMessage())));
    return std::nullopt;
  }
  TPickList list;
  list.Entries.append(QString());
  for (std::int32_t row = 0; row < db.RowCount(); ++row) {
    list.Entries.append(ToQString(db.Row(row).Field(0).AsWideString()));
  }
  // Copied first: reading the setting replaces the connection's current result.
  list.Selected = RestoredEntry(list.Entries, settings.LoadParam(selectionKey));
  return list;
}

}  // namespace

TStartUpState LoadStartUpState(TSQLDB& db, const std::string& dataFile, TSettingsStore& settings,
                               TUserShell& shell) {
  TStartUpState state;
  if (!Platform::FileExists(EngineLibraryPath())) {
    shell.ShowMessage(EngineMissingMessage());
    return state;
  }
  // Checked first because opening a missing file would create an empty one.
  if (!Platform::FileExists(dataFile) || !db.Use(dataFile)) {
    shell.ShowMessage(DataFileMissingMessage());
    return state;
  }
  if (const auto problem =
          CompatibilityProblem(settings.LoadParam(QStringLiteral("min_req_exe_vers")))) {
    shell.ShowMessage(*problem);
    shell.RequestTermination();
  }

  state.Stage = TStartUpState::TStage::ListsFailed;
  state.Versions = ReadPickList(db, u"SELECT vers_name FROM version",
                                QStringLiteral("last_err_vers"), settings, shell);
  if (!state.Versions) {
    return state;
  }
  state.Prefixes = ReadPickList(db, u"SELECT pref_name, pref_desc FROM prefix",
                                QStringLiteral("last_err_pref"), settings, shell);
  if (!state.Prefixes) {
    return state;
  }
  state.Code = settings.LoadParam(QStringLiteral("last_err_code"));
  state.MaxFetchRows = RowLimitFromSetting(settings.LoadParam(QStringLiteral("max_fetch_rows")));
  state.Stage = TStartUpState::TStage::Ready;
  return state;
}
