#pragma once
// A message catalogue in memory: what a data file is built from. All text is UTF-8.

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

struct TCatalogueMessage {
  std::string Code;                  // as it stands in the message file, e.g. "00942"
  std::string Text;                  // the message text
  std::optional<std::string> Cause;  // plain (unscrambled) text; nullopt is stored as NULL
  std::optional<std::string> Action;
};

struct TCataloguePrefix {
  std::string Name;         // e.g. "ORA"
  std::string Description;  // e.g. "Oracle database server"
};

struct TCatalogueVersion {
  std::string Name;  // e.g. "10.2"
  // Messages per prefix name; every prefix named here is listed in TCatalogue::Prefixes.
  std::map<std::string, std::vector<TCatalogueMessage>> Messages;
};

struct TCatalogue {
  std::vector<TCatalogueVersion> Versions;  // in the order the program lists them
  std::vector<TCataloguePrefix> Prefixes;   // likewise
  // sys_data rows, in order (min_req_exe_vers, max_fetch_rows, interface_lang, ...).
  std::vector<std::pair<std::string, std::string>> Settings;
  // Language code -> (English caption, translated caption) pairs.
  std::map<std::string, std::vector<std::pair<std::string, std::string>>> Translations;
};
