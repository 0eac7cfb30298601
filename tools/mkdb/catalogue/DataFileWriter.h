#pragma once
// Writes a message data file row by row through the database layer. Everything goes into a
// temporary file beside the target inside one transaction; Finish adds the indexes and the
// planner's statistics and only then puts the temporary file in place of the target
// (tools/cli/OutputFile.h). A writer destroyed before Finish succeeded removes its temporary
// file and leaves the target as it was.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "tools/mkdb/catalogue/Catalogue.h"
#include "tools/mkdb/catalogue/SqlText.h"

class TLiteDB;

// The oldest program that may read the files this builder writes, unless told otherwise.
constexpr const char* kMinimumProgramKey = "min_req_exe_vers";
constexpr const char* kMinimumProgramDefault = "20";

class TDataFileWriter {
 public:
  // `targetPath`: UTF-8 path of the data file to write.
  explicit TDataFileWriter(const std::string& targetPath);
  ~TDataFileWriter();
  TDataFileWriter(const TDataFileWriter&) = delete;
  TDataFileWriter& operator=(const TDataFileWriter&) = delete;

  // Starts an empty data file. Every operation returns false on failure, with Error() set.
  bool Create();
  // Starts from a copy of the existing target, keeping its versions, prefixes and messages.
  bool ExtendExisting();

  bool HasVersion(const std::string& name) const { return VersionNames.contains(name); }
  // Key of a prefix already written, or 0.
  std::int64_t PrefixKey(const std::string& name) const;

  bool AddVersion(const std::string& name, std::int64_t& key);
  bool AddPrefix(const TCataloguePrefix& prefix, std::int64_t& key);
  // Stores cause and action scrambled with ReadTxt keyed by the message's code.
  bool AddMessage(std::int64_t versionKey, std::int64_t prefixKey,
                  const TCatalogueMessage& message);
  bool AddSetting(const std::string& key, const std::string& value);
  bool AddTranslation(const std::string& language, const std::string& english,
                      const std::string& translated);
  bool Finish();

  const std::string& Error() const { return LastError; }
  std::int64_t MessagesWritten() const { return MessageCount; }
  std::int64_t VersionsWritten() const { return VersionCount; }
  std::int64_t PrefixesWritten() const { return PrefixCount; }
  // Called with the number of messages written so far after every batch that reached the file.
  std::function<void(std::int64_t)> OnProgress;

 private:
  bool Run(const std::string& sql);
  bool Flush();
  bool Fail(std::string message);
  bool Open();
  bool ReadExistingKeys();
  void Discard();

  std::string Target;     // UTF-8, full
  std::string Temporary;  // beside it
  std::unique_ptr<TLiteDB> DB;
  bool Finished = false;
  std::string LastError;

  std::set<std::string> VersionNames;
  std::map<std::string, std::int64_t> PrefixKeys;
  std::map<std::string, std::int64_t> EnglishKeys;
  std::int64_t NextVersionKey = 1;
  std::int64_t NextPrefixKey = 1;
  std::int64_t NextEnglishKey = 1;
  std::int64_t MessageCount = 0;
  std::int64_t VersionCount = 0;
  std::int64_t PrefixCount = 0;
  TInsertBatch Messages{
      "INSERT INTO error (vers_fk, pref_fk, e_code, e_message, e_cause, e_action) VALUES "};
};
