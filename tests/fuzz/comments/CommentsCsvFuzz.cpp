// Feeds arbitrary bytes to the comments file reader. A refusal must name the file and a line;
// comments it accepts must survive being written and read again unchanged.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "tools/mkdb/CommentsCsv.h"

namespace {

void Check(bool condition) {
  if (!condition) {
    std::abort();
  }
}

std::vector<TCommentRecord> WithoutLines(std::vector<TCommentRecord> records) {
  for (TCommentRecord& record : records) {
    record.Line = 0;
  }
  return records;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view content(reinterpret_cast<const char*>(data), size);
  std::vector<TCommentRecord> records;
  std::string error;
  if (!ParseCommentsCsv(content, "c.csv", records, error)) {
    Check(error.starts_with("c.csv:") && records.empty());
    return 0;
  }
  Check(error.empty());
  std::vector<TCommentRecord> again;
  Check(ParseCommentsCsv(CommentsCsv(records), "again.csv", again, error));
  Check(WithoutLines(again) == WithoutLines(records));
  return 0;
}
