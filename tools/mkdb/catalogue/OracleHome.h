#pragma once
// Reading the messages of one Oracle version from an Oracle home: DIR/lib/facility.lis names
// the facilities ("facility:component:rename:description"; blank lines and "#" lines are
// ignored), and each facility's messages are in DIR/<component>/mesg/<facility>us.msg when
// that file exists.

#include <filesystem>
#include <string>
#include <vector>

#include "tools/mkdb/catalogue/Catalogue.h"

struct TOracleHomeVersion {
  TCatalogueVersion Version;
  // The facilities that have a message file, upper-cased, in facility.lis order, with the
  // description facility.lis gives them.
  std::vector<TCataloguePrefix> Prefixes;
};

// Returns false with `error` ("FILE:LINE: reason" where a line is to blame) on bad input.
bool ReadOracleHome(const std::filesystem::path& home, const std::string& versionName,
                    TOracleHomeVersion& read, std::vector<std::string>& warnings,
                    std::string& error);
