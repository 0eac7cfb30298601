#pragma once
// Writing a message data file from a catalogue. The file is written under a temporary name
// beside `path` and renamed over it only when everything succeeded, so a failure never
// leaves a half-built data file.

#include <string>

#include "tools/mkdb/Catalogue.h"

// Returns false with a message in `error` on failure. Cause and action are stored scrambled
// with ReadTxt keyed by each message's code.
bool BuildDataFile(const std::string& path, const TCatalogue& catalogue, std::string& error);
