#pragma once
// Reading a catalogue folder (the format is described in docs/catalogue-format.md):
//   DIR/catalogue.txt                the manifest: settings, prefixes, versions
//   DIR/lang/<code>.txt              one interface translation per language
//   DIR/<version>/<prefix>us.msg     the messages of one prefix in one version

#include <filesystem>
#include <string>
#include <vector>

#include "tools/mkdb/catalogue/Catalogue.h"

// Returns false with `error` ("FILE:LINE: reason" where a line is to blame) on bad input.
// Messages skipped by the message-file reader are listed in `warnings`.
bool ReadCatalogueFolder(const std::filesystem::path& folder, TCatalogue& catalogue,
                         std::vector<std::string>& warnings, std::string& error);
