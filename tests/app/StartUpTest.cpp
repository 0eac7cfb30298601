#include "app/StartUp.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/SettingsStore.h"
#include "data/passqlite.h"
#include "tests/app/DataFileEdits.h"
#include "tests/support/ProgramDirectory.h"
#include "tests/support/ScriptedShell.h"

namespace {

using TStage = TStartUpState::TStage;

// One start-up against a staged program directory.
struct TStartUpRun {
  explicit TStartUpRun(bool withEngine = true) : Dir(withEngine) { DB.UniCode = true; }
  TStartUpState Run() { return LoadStartUpState(DB, Store, Shell); }

  TTempProgramDirectory Dir;
  TLiteDB DB;
  TScriptedShell Shell;
  TSettingsStore Store{DB, Shell};
};

TEST(StartUpTest, ReadyFillsBothListsAfterAnEmptyEntry) {
  TStartUpRun run;
  run.Dir.WriteDataFile(SmallCatalogue());
  const TStartUpState state = run.Run();
  EXPECT_EQ(state.Stage, TStage::Ready);
  ASSERT_TRUE(state.Versions && state.Prefixes);
  EXPECT_EQ(state.Versions->Entries, (QStringList{"", "10.2", "11.2"}));
  EXPECT_EQ(state.Prefixes->Entries, (QStringList{"", "ORA", "TNS", "SP2"}));
  EXPECT_EQ(state.Versions->Selected, 0);
  EXPECT_EQ(state.MaxFetchRows, QStringLiteral("500"));
  EXPECT_TRUE(run.Shell.Messages.isEmpty());
  EXPECT_EQ(run.Shell.TerminationRequests, 0);
}

TEST(StartUpTest, MissingEngineStopsBeforeTheDataFile) {
  TStartUpRun run(false);
  run.Dir.WriteDataFile(SmallCatalogue());
  const TStartUpState state = run.Run();
  EXPECT_EQ(state.Stage, TStage::FilesMissing);
#ifdef _WIN32
  EXPECT_EQ(run.Shell.Messages, QStringList{"ERROR: sqlite3.dll not found"});
#else
  EXPECT_EQ(run.Shell.Messages, QStringList{"ERROR: libsqlite3.so.0 not found"});
#endif
  EXPECT_FALSE(run.DB.Active());
}

TEST(StartUpTest, MissingDataFileIsReportedAndNotCreated) {
  TStartUpRun run;
  const TStartUpState state = run.Run();
  EXPECT_EQ(state.Stage, TStage::FilesMissing);
  EXPECT_EQ(run.Shell.Messages, QStringList{"ERROR: tolv2_msg.db not found"});
  EXPECT_FALSE(std::filesystem::exists(run.Dir.DataFile()));
  EXPECT_TRUE(state.MaxFetchRows.isEmpty());
}

TEST(StartUpTest, CompatibilityFailureAsksToEndButReadsOn) {
  const std::pair<const char*, const char*> cases[] = {
      {nullptr, "E: Datafile is broken"},
      {"abc", "E: Datafile is broken"},
      {"21", "E: Can't load error messages form file. Program's version too old."}};
  for (const auto& [stored, message] : cases) {
    TStartUpRun run;
    run.Dir.WriteDataFile(WithSetting(SmallCatalogue(), "min_req_exe_vers", stored));
    if (stored == nullptr) {  // the builder writes a default; take it out again
      ASSERT_TRUE(ChangeDataFile(run.Dir.DataFile(),
                                 "DELETE FROM sys_data WHERE param = 'min_req_exe_vers'"));
    }
    const TStartUpState state = run.Run();
    EXPECT_EQ(run.Shell.Messages, QStringList{QString::fromLatin1(message)});
    EXPECT_EQ(run.Shell.TerminationRequests, 1);
    EXPECT_EQ(state.Stage, TStage::Ready);
  }
}

TEST(StartUpTest, FailingVersionStatementKeepsTheGroupUsableWithoutLists) {
  TStartUpRun run;
  run.Dir.WriteDataFile(SmallCatalogue());
  ASSERT_TRUE(ChangeDataFile(run.Dir.DataFile(), "DROP TABLE version"));
  const TStartUpState state = run.Run();
  EXPECT_EQ(state.Stage, TStage::ListsFailed);
  EXPECT_FALSE(state.Versions);
  EXPECT_FALSE(state.Prefixes);
  ASSERT_EQ(run.Shell.Messages.size(), 1);
  EXPECT_TRUE(run.Shell.Messages[0].startsWith("ERROR: "));
  EXPECT_TRUE(run.Shell.Messages[0].contains("version"));
  EXPECT_TRUE(state.MaxFetchRows.isEmpty());
}

TEST(StartUpTest, FailingPrefixStatementKeepsTheVersionList) {
  TStartUpRun run;
  run.Dir.WriteDataFile(SmallCatalogue());
  ASSERT_TRUE(ChangeDataFile(run.Dir.DataFile(), "DROP TABLE prefix"));
  const TStartUpState state = run.Run();
  EXPECT_EQ(state.Stage, TStage::ListsFailed);
  ASSERT_TRUE(state.Versions);
  EXPECT_EQ(state.Versions->Entries.size(), 3);
  EXPECT_FALSE(state.Prefixes);
  ASSERT_EQ(run.Shell.Messages.size(), 1);
  EXPECT_TRUE(run.Shell.Messages[0].contains("prefix"));
}

TEST(StartUpTest, EmptyTablesGiveListsWithOnlyTheEmptyEntry) {
  TStartUpRun run;
  run.Dir.WriteDataFile(SmallCatalogue());
  ASSERT_TRUE(ChangeDataFile(run.Dir.DataFile(), "DELETE FROM version; DELETE FROM prefix"));
  const TStartUpState state = run.Run();
  ASSERT_EQ(state.Stage, TStage::Ready);
  EXPECT_EQ(state.Versions->Entries, QStringList{QString()});
  EXPECT_EQ(state.Prefixes->Entries, QStringList{QString()});
}

TEST(StartUpTest, RestoresCriteriaIgnoringLetterCaseAndDroppingVanishedOnes) {
  TStartUpRun run;
  TCatalogue catalogue = WithSetting(SmallCatalogue(), "last_err_pref", "tns");
  catalogue = WithSetting(catalogue, "last_err_vers", "9.2");
  catalogue = WithSetting(catalogue, "last_err_code", "O'X%");
  run.Dir.WriteDataFile(catalogue);
  const TStartUpState state = run.Run();
  ASSERT_EQ(state.Stage, TStage::Ready);
  EXPECT_EQ(state.Prefixes->Selected, 2);
  EXPECT_EQ(state.Versions->Selected, 0);
  EXPECT_EQ(state.Code, QStringLiteral("O'X%"));
}

TEST(StartUpTest, RowLimitComesFromTheDataFile) {
  const std::pair<const char*, const char*> cases[] = {
      {nullptr, "500"}, {"abc", "500"}, {"5000", "1000"}, {"1000", "1000"},
      {"0", "0"},       {"-1", "-1"},   {"0200", "200"}};
  for (const auto& [stored, limit] : cases) {
    TStartUpRun run;
    run.Dir.WriteDataFile(WithSetting(SmallCatalogue(), "max_fetch_rows", stored));
    EXPECT_EQ(run.Run().MaxFetchRows, QString::fromLatin1(limit)) << (stored ? stored : "absent");
  }
}

}  // namespace
