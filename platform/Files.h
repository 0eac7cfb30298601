#pragma once
// File checks on UTF-8 paths.

#include <cstddef>
#include <string>

namespace Platform {

// True when a file (not a directory) of that name exists.
bool FileExists(const std::string& path);

// Up to `count` bytes from the start of the file, opened for reading while sharing it with
// other readers and writers. Any error gives the bytes read so far (often none).
std::string ReadFileHead(const std::string& path, std::size_t count);

// Copies the file `from` to `to` unless `to` exists, whole or not at all: the copy is made
// under a temporary name beside `to` and takes its name only if that name is still free.
// Returns false when `to` existed or the copy failed; `to` is then as it was.
bool CopyFileUnlessPresent(const std::string& from, const std::string& to);

// Makes standard output pass bytes as they are written: Windows would otherwise turn every LF
// into CRLF, doubling the CR of a CRLF line end.
void UseBinaryStandardOutput();

}  // namespace Platform
