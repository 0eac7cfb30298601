#pragma once
// Writing a message data file from a catalogue. The file is written under a temporary name
// beside `path` and renamed over it only when everything succeeded, so a failure never
// leaves a half-built data file.

#include <cstdint>
#include <functional>
#include <string>

#include "tools/mkdb/catalogue/Catalogue.h"

// Called now and then with the number of messages written so far.
using TProgressEvent = std::function<void(std::int64_t messagesWritten)>;

// Returns false with a message in `error` on failure. Cause and action are stored scrambled
// with ReadTxt keyed by each message's code. min_req_exe_vers is 20 unless the catalogue's
// settings give it.
bool BuildDataFile(const std::string& path, const TCatalogue& catalogue, std::string& error);
bool BuildDataFile(const std::string& path, const TCatalogue& catalogue,
                   const TProgressEvent& progress, std::string& error);
