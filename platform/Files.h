#pragma once
// File checks and whole-file writes on UTF-8 paths.

#include <cstddef>
#include <string>
#include <string_view>

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

// Writes `bytes` into a new file at `path`, which must not exist yet, and forces them to the
// disk before closing it. False with the system's reason in `error` (the file may then exist
// in part: its writer removes it).
bool WriteNewFile(const std::string& path, std::string_view bytes, std::string& error);

// Forces the content of a file written by other means (the engine's) to the disk.
bool SyncFile(const std::string& path, std::string& error);

// Renames `from` over `to` in one step: `to` is either its old file or the new one, never
// neither. An existing `to` hands its permissions on to the new file. False with the system's
// reason in `error`.
bool RenameOver(const std::string& from, const std::string& to, std::string& error);

}  // namespace Platform
