#pragma once
// Every file a tool writes appears whole or not at all: it is written to a temporary file
// beside its place, forced to the disk, and only then renamed over the old file. A full disk,
// a failure or a killed tool leaves the old file as it was, and no reader ever sees part of
// the new one.

#include <string>
#include <string_view>

// A name beside `target` (UTF-8) that no file has yet.
std::string TemporaryBeside(const std::string& target);

// Writes `content` as the file `path` (a name relative to the working folder). False with
// `error` as "PATH: cannot be written: <the system's reason>"; the old file is then unchanged.
bool WriteOutputFile(const std::string& path, std::string_view content, std::string& error);

// Puts the complete file `temporary` in place of `target`: forced to the disk, then renamed
// over it. False with `error` as WriteOutputFile says it; the temporary file is then removed.
bool PutInPlace(const std::string& temporary, const std::string& target, std::string& error);
