#pragma once
// The comments file: CSV as RFC 4180 has it, in UTF-8. A header row names the five columns;
// every record is one comment with the identity of its message. Fields holding a comma, a
// double quote, CR or LF are quoted (quotes doubled), records end with CRLF, and the bytes of
// a comment come back exactly as they were written.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

struct TCommentRecord {
  std::string Version;
  std::string Prefix;
  std::string Code;
  std::string Text;
  std::string LastDate;  // as stored; empty when the row has none
  std::size_t Line = 0;  // where the record starts in the file it was read from; 0 otherwise

  bool operator==(const TCommentRecord&) const = default;
};

extern const std::string_view kCommentsCsvHeader;  // "version,prefix,code,comment,lastdate"

// Appends the header row, or one record, to `csv`.
void AppendCommentsCsvHeader(std::string& csv);
void AppendCommentsCsvRecord(std::string& csv, const TCommentRecord& record);
// The whole file: the header and every record.
std::string CommentsCsv(const std::vector<TCommentRecord>& records);

// Reads a whole file's content. A leading byte order mark is skipped and a record may also end
// with a bare LF (as a checkout may have turned it). Returns false with `error` as
// "NAME:LINE: what is wrong" for text that is not UTF-8 (or holds a NUL), a missing or wrong
// header, a broken quote, or a record without exactly five fields.
bool ParseCommentsCsv(std::string_view content, const std::string& name,
                      std::vector<TCommentRecord>& records, std::string& error);
