#include "app/StartUpData.h"

#include "app/NoticeSink.h"
#include "app/ProgramFiles.h"
#include "app/SettingsStore.h"
#include "app/StartUpRules.h"
#include "data/passql.h"
#include "platform/AnsiText.h"
#include "platform/Files.h"

namespace {

// Runs a list statement and reads the stored selection; nothing when the statement fails
// (reported with the connection's error text).
std::optional<TStartUpNames> ReadNames(TSQLDB& db, const std::u16string& statement,
                                       const std::u16string& selectionKey, TSettingsStore& settings,
                                       TNoticeSink& notices) {
  if (!db.QueryW(statement)) {
    notices.Notify(u"ERROR: " + Platform::AnsiToWide(db.GetErrorMessage()));
    return std::nullopt;
  }
  TStartUpNames names;
  for (std::int32_t row = 0; row < db.RowCount(); ++row) {
    names.Names.push_back(db.Row(row).Field(0).AsWideString());
  }
  // Copied first: reading the setting replaces the connection's current result.
  names.StoredSelection = settings.LoadParam(selectionKey);
  return names;
}

}  // namespace

TStartUpData ReadStartUpData(TSQLDB& db, const std::string& dataFile, TSettingsStore& settings,
                             TNoticeSink& notices) {
  TStartUpData data;
  if (!Platform::FileExists(EngineLibraryPath())) {
    notices.Notify(EngineMissingMessage());
    return data;
  }
  // Checked first because opening a missing file would create an empty one.
  if (!Platform::FileExists(dataFile) || !db.Use(dataFile)) {
    notices.Notify(DataFileMissingMessage());
    return data;
  }
  if (const auto problem = CompatibilityProblem(settings.LoadParam(u"min_req_exe_vers"))) {
    notices.Notify(*problem);
    notices.RequestTermination();
  }

  data.Stage = TStartUpStage::ListsFailed;
  data.Versions =
      ReadNames(db, u"SELECT vers_name FROM version", u"last_err_vers", settings, notices);
  if (!data.Versions) {
    return data;
  }
  data.Prefixes = ReadNames(db, u"SELECT pref_name, pref_desc FROM prefix", u"last_err_pref",
                            settings, notices);
  if (!data.Prefixes) {
    return data;
  }
  data.Code = settings.LoadParam(u"last_err_code");
  data.MaxFetchRows = RowLimitFromSetting(settings.LoadParam(u"max_fetch_rows"));
  data.Stage = TStartUpStage::Ready;
  return data;
}
