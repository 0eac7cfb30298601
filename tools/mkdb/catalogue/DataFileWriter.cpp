#include "tools/mkdb/catalogue/DataFileWriter.h"

#include <algorithm>
#include <system_error>

#include "data/LiteDb.h"
#include "tools/cli/OutputFile.h"
#include "tools/cli/Paths.h"
#include "tools/mkdb/catalogue/DataFileSchema.h"
#include "tools/mkdb/catalogue/ScrambledText.h"

namespace fs = std::filesystem;

namespace {

// The temporary file is thrown away on any failure, so the engine need not journal it.
constexpr const char* kBulkLoadPragmas =
    "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; PRAGMA cache_size=-262144;";

}  // namespace

TDataFileWriter::TDataFileWriter(const std::string& targetPath)
    : Target(PathFromArgument(targetPath)), Temporary(TemporaryBeside(Target)) {}

TDataFileWriter::~TDataFileWriter() {
  if (!Finished) {
    Discard();
  }
}

void TDataFileWriter::Discard() {
  if (DB) {
    DB->Close();
    DB.reset();
  }
  std::error_code ignored;
  fs::remove(PathFromUtf8(Temporary), ignored);
  fs::remove(PathFromUtf8(Temporary + "-journal"), ignored);
}

bool TDataFileWriter::Fail(std::string message) {
  LastError = std::move(message);
  return false;
}

bool TDataFileWriter::Run(const std::string& sql) {
  if (DB->Query(sql)) {
    return true;
  }
  return Fail("writing " + Temporary + ": " + DB->GetErrorMessage());
}

bool TDataFileWriter::Open() {
  const fs::path folder = PathFromUtf8(Target).parent_path();
  std::error_code error;
  if (!fs::is_directory(folder, error)) {
    return Fail("the folder " + Utf8Path(folder) + " does not exist");
  }
  DB = std::make_unique<TLiteDB>();
  DB->UniCode = true;
  if (!DB->Use(Temporary)) {
    return Fail("cannot open " + Temporary + ": " + DB->GetErrorMessage());
  }
  return Run(kBulkLoadPragmas) && Run("BEGIN");
}

// A connection opened for wide text would make a new file UTF-16; UTF-8 keeps the mostly
// ASCII texts at half the size, and Upper and LIKE work on UTF-8 without converting every row.
bool TDataFileWriter::Create() {
  return Open() && Run("PRAGMA encoding='UTF-8'") && Run(std::string(kCreateTablesSql));
}

bool TDataFileWriter::ExtendExisting() {
  std::error_code error;
  if (!fs::copy_file(PathFromUtf8(Target), PathFromUtf8(Temporary), error)) {
    return Fail("cannot copy " + Target + ": " + error.message());
  }
  return Open() && ReadExistingKeys();
}

bool TDataFileWriter::ReadExistingKeys() {
  if (!Run("SELECT vers_pk, vers_name FROM version")) {
    return false;
  }
  for (std::int32_t i = 0; i < DB->RowCount(); ++i) {
    NextVersionKey = std::max<std::int64_t>(NextVersionKey, DB->Row(i).Field(0).AsInteger() + 1);
    VersionNames.insert(DB->Row(i).Field(1).Value);
  }
  if (!Run("SELECT pref_pk, pref_name FROM prefix")) {
    return false;
  }
  for (std::int32_t i = 0; i < DB->RowCount(); ++i) {
    const std::int64_t key = DB->Row(i).Field(0).AsInteger();
    NextPrefixKey = std::max(NextPrefixKey, key + 1);
    PrefixKeys.emplace(DB->Row(i).Field(1).Value, key);
  }
  DB->ClearResults();
  return true;
}

std::int64_t TDataFileWriter::PrefixKey(const std::string& name) const {
  const auto found = PrefixKeys.find(name);
  return found == PrefixKeys.end() ? 0 : found->second;
}

bool TDataFileWriter::AddVersion(const std::string& name, std::int64_t& key) {
  if (!VersionNames.insert(name).second) {
    return Fail("version \"" + name + "\" is listed twice");
  }
  key = NextVersionKey++;
  ++VersionCount;
  std::string sql = "INSERT INTO version (vers_pk, vers_name) VALUES (" + std::to_string(key) + ",";
  AppendSqlText(sql, name);
  return Run(sql + ")");
}

bool TDataFileWriter::AddPrefix(const TCataloguePrefix& prefix, std::int64_t& key) {
  if (PrefixKeys.contains(prefix.Name)) {
    return Fail("prefix \"" + prefix.Name + "\" is listed twice");
  }
  key = NextPrefixKey++;
  ++PrefixCount;
  PrefixKeys.emplace(prefix.Name, key);
  std::string sql =
      "INSERT INTO prefix (pref_pk, pref_name, pref_desc) VALUES (" + std::to_string(key) + ",";
  AppendSqlText(sql, prefix.Name);
  sql += ',';
  AppendSqlText(sql, prefix.Description);
  return Run(sql + ")");
}

bool TDataFileWriter::AddMessage(std::int64_t versionKey, std::int64_t prefixKey,
                                 const TCatalogueMessage& message) {
  std::optional<std::string> cause;
  std::optional<std::string> action;
  for (const auto& [plain, stored] :
       {std::pair{&message.Cause, &cause}, std::pair{&message.Action, &action}}) {
    if (*plain) {
      *stored = ScrambleForDataFile(message.Code, **plain);
      if (!*stored) {
        return Fail("message " + message.Code +
                    ": the cause or action is not UTF-8, or has a character outside the Basic "
                    "Multilingual Plane where the scrambling exchanges neighbours, so it could "
                    "not be stored intact");
      }
    }
  }
  std::string& row = Messages.BeginRow();
  row += std::to_string(versionKey) + ',' + std::to_string(prefixKey) + ',';
  AppendSqlText(row, message.Code);
  row += ',';
  AppendSqlText(row, message.Text);
  row += ',';
  AppendSqlTextOrNull(row, cause);
  row += ',';
  AppendSqlTextOrNull(row, action);
  Messages.EndRow();
  ++MessageCount;
  return !Messages.Full() || Flush();
}

bool TDataFileWriter::Flush() {
  if (Messages.Empty()) {
    return true;
  }
  const bool written = Run(Messages.Statement());
  Messages.Clear();
  if (written && OnProgress) {
    OnProgress(MessageCount);
  }
  return written;
}

bool TDataFileWriter::AddSetting(const std::string& key, const std::string& value) {
  std::string sql = "INSERT INTO sys_data (param, value) VALUES (";
  AppendSqlText(sql, key);
  sql += ',';
  AppendSqlText(sql, value);
  return Run(sql + ")");
}

bool TDataFileWriter::AddTranslation(const std::string& language, const std::string& english,
                                     const std::string& translated) {
  auto [entry, isNew] = EnglishKeys.emplace(english, NextEnglishKey);
  if (isNew) {
    ++NextEnglishKey;
    std::string sql =
        "INSERT INTO language_en (lang_pk, en_text) VALUES (" + std::to_string(entry->second) + ",";
    AppendSqlText(sql, english);
    if (!Run(sql + ")")) {
      return false;
    }
  }
  std::string sql = "INSERT INTO language_int (lang_fk, lang_abr, int_text) VALUES (" +
                    std::to_string(entry->second) + ",";
  AppendSqlText(sql, language);
  sql += ',';
  AppendSqlText(sql, translated);
  return Run(sql + ")");
}

bool TDataFileWriter::Finish() {
  if (!Flush() || !Run(std::string(kCreateIndexesSql)) || !Run("COMMIT")) {
    return false;
  }
  DB->Close();
  DB.reset();
  // The engine wrote without syncing (kBulkLoadPragmas): the file reaches the disk here.
  std::string error;
  if (!PutInPlace(Temporary, Target, error)) {
    return Fail(error);
  }
  Finished = true;
  return true;
}
