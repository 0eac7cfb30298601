#pragma once
// How a file is opened read-only. Internal to data/.
//
// A file in write-ahead-log mode needs its -wal and -shm files beside it: a read-only
// connection creates them and leaves them behind, and in a read-only folder it cannot open the
// file at all. When the file has no log to read (none, or an empty one, as a clean close
// leaves it), everything is in the file itself: it is then opened immutable, which reads it
// without locks, log or shared memory. A writer that started meanwhile would only append to
// a log of its own until it closes, so a reader of a few seconds sees the file as it was.

#include <optional>
#include <string>

// The engine's "file:" name with immutable=1 for such a file at `path` (UTF-8), or nothing
// when it is to be opened by its plain name.
std::optional<std::string> ImmutableFileName(const std::string& path);
