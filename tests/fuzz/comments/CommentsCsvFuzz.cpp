// Feeds arbitrary bytes to the comments file reader. A refusal must name the file and a line;
// comments it accepts must survive being written and read again unchanged.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "tools/mkdb/comments/CommentsCsv.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view content(reinterpret_cast<const char*>(data), size);
  std::vector<TCommentRecord> records;
  std::vector<TCommentRecord> again;
  std::string error;
  const bool read = ParseCommentsCsv(content, "c.csv", records, error);
  // The written form holds every field, so the same bytes again mean the same comments.
  const std::string written = CommentsCsv(records);
  const bool held = read ? error.empty() && ParseCommentsCsv(written, "again.csv", again, error) &&
                               CommentsCsv(again) == written
                         : error.starts_with("c.csv:") && records.empty();
  if (!held) {
    std::abort();
  }
  return 0;
}
