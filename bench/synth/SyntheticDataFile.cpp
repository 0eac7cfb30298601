#include "bench/synth/SyntheticDataFile.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "bench/synth/SyntheticText.h"
#include "tools/mkdb/catalogue/DataFileWriter.h"

namespace {

// In name order, the order in which a version's messages are stored (see DataFileBuilder).
constexpr std::array<const char*, 36> kPrefixNames{
    "DBV",  "EXP", "IMP", "KUP", "LCD",  "LFI", "LPX", "LRM", "LSX", "NCR", "NID", "NMP",
    "NNC",  "NNL", "NNO", "NZE", "O2F",  "O2I", "OCI", "ORA", "PCB", "PCC", "PLS", "PRCD",
    "PRKA", "PRO", "QSM", "RDE", "RMAN", "SBT", "SP2", "SQL", "TNS", "UDE", "UDI", "VID"};
constexpr std::array<const char*, 6> kVersionNames{"19c", "8.1.7", "9.2", "10.2", "11.2", "12.2"};
// Codes of one prefix in one version: SP2 has four digits, every other prefix five.
constexpr std::int64_t kShortCodeCapacity = 9000;

std::string Code(const char* prefix, std::int64_t ordinal) {
  char code[8];
  const bool shortCode = std::string_view(prefix) == "SP2";
  // Five-digit codes come with gaps, as Oracle's do.
  const std::int64_t value = shortCode ? ordinal : ordinal * 3;
  std::snprintf(code, sizeof code, shortCode ? "%04lld" : "%05lld", static_cast<long long>(value));
  return code;
}

std::string Description(const char* prefix) {
  std::string description = "Messages of the ";
  description += prefix;
  description += " component";
  return description;
}

bool WriteMessages(TDataFileWriter& writer, std::int64_t messageCount,
                   const std::vector<std::int64_t>& prefixKeys) {
  const std::int64_t perVersion =
      kPrefixNames.size() * kShortCodeCapacity;  // what one version can hold
  const std::int64_t versions =
      std::max<std::int64_t>(kVersionNames.size(), (messageCount + perVersion - 1) / perVersion);
  TSyntheticText text(20240601);
  std::int64_t written = 0;
  for (std::int64_t v = 0; v < versions; ++v) {
    std::string name = std::to_string(v + 1);  // "v7" and on beyond the named versions
    name.insert(0, 1, 'v');
    if (v < static_cast<std::int64_t>(kVersionNames.size())) {
      name = kVersionNames[static_cast<std::size_t>(v)];
    }
    std::int64_t versionKey = 0;
    if (!writer.AddVersion(name, versionKey)) {
      return false;
    }
    const std::int64_t share = (messageCount - written) / (versions - v);
    const auto prefixCount = static_cast<std::int64_t>(kPrefixNames.size());
    for (std::size_t prefix = 0; prefix < kPrefixNames.size(); ++prefix) {
      const auto p = static_cast<std::int64_t>(prefix);
      const std::int64_t count = share / prefixCount + (p < share % prefixCount ? 1 : 0);
      for (std::int64_t ordinal = 1; ordinal <= count; ++ordinal) {
        TCatalogueMessage message{Code(kPrefixNames[prefix], ordinal), text.MessageText(),
                                  text.Description(100), text.Description(80)};
        if (text.Below(30) == 0) {
          message.Cause.reset();  // some messages say nothing about their cause
        }
        if (!writer.AddMessage(versionKey, prefixKeys[prefix], message)) {
          return false;
        }
      }
    }
    written += share;
  }
  return true;
}

}  // namespace

bool WriteSyntheticDataFile(const std::string& path, std::int64_t messageCount,
                            const TProgressEvent& progress, TSyntheticSummary& summary,
                            std::string& error) {
  TDataFileWriter writer(path);
  writer.OnProgress = progress;
  std::vector<std::int64_t> prefixKeys;
  bool written = writer.Create() && writer.AddSetting(kMinimumProgramKey, kMinimumProgramDefault) &&
                 writer.AddSetting("max_fetch_rows", "500");
  for (const char* name : kPrefixNames) {
    std::int64_t key = 0;
    written = written && writer.AddPrefix({name, Description(name)}, key);
    prefixKeys.push_back(key);
  }
  if (!written || !WriteMessages(writer, messageCount, prefixKeys) || !writer.Finish()) {
    error = writer.Error();
    return false;
  }
  summary = {writer.VersionsWritten(), writer.PrefixesWritten(), writer.MessagesWritten()};
  return true;
}
