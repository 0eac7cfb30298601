#include "tools/mkdb/comments/CommentsCsv.h"

#include <array>

#include "tools/mkdb/catalogue/TextLines.h"

const std::string_view kCommentsCsvHeader = "version,prefix,code,comment,lastdate";

namespace {

constexpr std::size_t kFields = 5;
constexpr std::string_view kRecordEnd = "\r\n";

void AppendField(std::string& csv, std::string_view field) {
  if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
    csv += field;
    return;
  }
  csv += '"';
  for (const char c : field) {
    csv += c;
    if (c == '"') {
      csv += '"';
    }
  }
  csv += '"';
}

// Splits the content into records of fields, counting lines by their LF.
class TCsvReader {
 public:
  TCsvReader(std::string_view content, const std::string& name) : Content(content), Name(name) {}

  // Reads the next record into `fields`; false at the end of the content or on a problem
  // (then `error` is set).
  bool Next(std::vector<std::string>& fields, std::size_t& line, std::string& error) {
    fields.clear();
    if (At >= Content.size()) {
      return false;
    }
    line = Line;
    fields.emplace_back();
    for (;;) {
      if (!ReadField(fields.back(), error)) {
        return false;
      }
      if (At >= Content.size()) {
        return true;  // the last record may lack its line end
      }
      const char c = Content[At++];
      if (c == ',') {
        fields.emplace_back();
      } else if (c == '\n') {
        ++Line;
        return true;
      } else {  // CR: a record end only with its LF
        if (At >= Content.size() || Content[At] != '\n') {
          return Fail("a carriage return outside quotes that does not end the line", error);
        }
        ++At;
        ++Line;
        return true;
      }
    }
  }

 private:
  // Reads one field up to the comma or line end that follows it.
  bool ReadField(std::string& field, std::string& error) {
    if (At < Content.size() && Content[At] == '"') {
      return ReadQuotedField(field, error);
    }
    const std::size_t end = Content.find_first_of(",\r\n\"", At);
    field.assign(Content.substr(At, end - At));
    At = end == std::string_view::npos ? Content.size() : end;
    if (At < Content.size() && Content[At] == '"') {
      return Fail("a double quote inside a field that does not start with one", error);
    }
    return true;
  }

  bool ReadQuotedField(std::string& field, std::string& error) {
    const std::size_t opened = Line;
    ++At;
    for (;;) {
      const std::size_t quote = Content.find('"', At);
      if (quote == std::string_view::npos) {
        Line = opened;
        return Fail("a quoted field that is never closed", error);
      }
      const std::string_view part = Content.substr(At, quote - At);
      for (const char c : part) {
        Line += c == '\n' ? 1 : 0;
      }
      field += part;
      At = quote + 1;
      if (At < Content.size() && Content[At] == '"') {
        field += '"';  // a doubled quote stands for one
        ++At;
        continue;
      }
      if (At < Content.size() && Content.find_first_of(",\r\n", At) != At) {
        return Fail("text after the closing double quote of a field", error);
      }
      return true;
    }
  }

  bool Fail(const std::string& what, std::string& error) const {
    error = Name + ":" + std::to_string(Line) + ": " + what;
    return false;
  }

  std::string_view Content;
  const std::string& Name;
  std::size_t At = 0;
  std::size_t Line = 1;
};

}  // namespace

void AppendCommentsCsvHeader(std::string& csv) {
  csv += kCommentsCsvHeader;
  csv += kRecordEnd;
}

void AppendCommentsCsvRecord(std::string& csv, const TCommentRecord& record) {
  const std::array<const std::string*, kFields> fields{
      &record.Version, &record.Prefix, &record.Code, &record.Text, &record.LastDate};
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) {
      csv += ',';
    }
    AppendField(csv, *fields[i]);
  }
  csv += kRecordEnd;
}

std::string CommentsCsv(const std::vector<TCommentRecord>& records) {
  std::string csv;
  AppendCommentsCsvHeader(csv);
  for (const TCommentRecord& record : records) {
    AppendCommentsCsvRecord(csv, record);
  }
  return csv;
}

bool ParseCommentsCsv(std::string_view content, const std::string& name,
                      std::vector<TCommentRecord>& records, std::string& error) {
  records.clear();
  if (const std::optional<TTextProblem> problem = CheckUtf8Text(content)) {
    error = name + ":" + std::to_string(problem->Line) + ": " + problem->Reason;
    return false;
  }
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (content.starts_with(kByteOrderMark)) {
    content.remove_prefix(kByteOrderMark.size());
  }
  TCsvReader reader(content, name);
  std::vector<std::string> fields;
  std::size_t line = 1;
  if (!reader.Next(fields, line, error)) {
    if (error.empty()) {
      error = name + ":1: the header row is missing";
    }
    return false;
  }
  std::string header;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    header += (i > 0 ? "," : "") + fields[i];
  }
  if (fields.size() != kFields || header != kCommentsCsvHeader) {
    error = name + ":1: the header row is not " + std::string(kCommentsCsvHeader);
    return false;
  }
  std::vector<TCommentRecord> read;
  while (reader.Next(fields, line, error)) {
    if (fields.size() != kFields) {
      error = name + ":" + std::to_string(line) + ": " + std::to_string(fields.size()) +
              " field(s) where a comment has " + std::to_string(kFields);
      return false;
    }
    read.push_back({std::move(fields[0]), std::move(fields[1]), std::move(fields[2]),
                    std::move(fields[3]), std::move(fields[4]), line});
  }
  if (!error.empty()) {
    return false;
  }
  records = std::move(read);
  return true;
}
