#pragma once
// The manifest of a catalogue folder, catalogue.txt: one entry per line, blank lines and
// lines starting with "#" ignored.
//   setting <key> <value>       the value is the rest of the line after one blank
//   prefix <NAME> <description> the description is the rest of the line
//   version <name>              the name is the rest of the line
// Prefixes and versions keep the order of the lines.

#include <string>
#include <string_view>

#include "tools/mkdb/catalogue/Catalogue.h"

// Fills the settings, the prefixes and the version names (without messages) of `catalogue`.
// Returns false with `error` ("FILE:LINE: reason") on a malformed or repeated entry.
bool ParseManifest(std::string_view content, const std::string& fileName, TCatalogue& catalogue,
                   std::string& error);

// "ora" for "ORA": the file name stem of a prefix's message files.
std::string LowerCaseAscii(std::string_view text);
