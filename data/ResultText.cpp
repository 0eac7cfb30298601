// Plain-text renderings of a result; NULL renders as empty text, values as raw UTF-8.
#include "data/ResultSet.h"

namespace {

constexpr std::int32_t kRowsPerBlock = 20;

}  // namespace

std::string TResultSet::ResultAsText() const {
  if (!HasResult) {
    return {};
  }
  std::string text;
  std::string block;
  for (std::int32_t i = 0; i < RowCount; ++i) {
    const TResultRow& row = Rows[static_cast<std::size_t>(i)];
    for (int c = 0; c < row.Count(); ++c) {
      if (c > 0) {
        block += '\t';
      }
      block += row.ValueAt(c);
    }
    block += "\r\n";
    if ((i + 1) % kRowsPerBlock == 0) {
      text += block;
      block.clear();
    }
  }
  return text + block;
}

std::string TResultSet::ResultAsCommaSeperated() const {
  if (!HasResult) {
    return {};
  }
  std::string text;
  for (std::int32_t i = 0; i < RowCount; ++i) {
    const TResultRow& row = Rows[static_cast<std::size_t>(i)];
    for (int c = 0; c < row.Count(); ++c) {
      text += c > 0 ? ", \"" : "\"";
      text += row.ValueAt(c);
      text += '"';
    }
    text += "\r\n";
  }
  return text;
}

std::string TResultSet::ResultAsHTML() const {
  if (!HasResult) {
    return "<!-- no result -->";
  }
  std::string html = "<TABLE>\r\n";
  for (std::int32_t i = 0; i < RowCount; ++i) {
    const TResultRow& row = Rows[static_cast<std::size_t>(i)];
    html += "<TR>";
    for (int c = 0; c < row.Count(); ++c) {
      html += "<TD>";
      html += row.ValueAt(c);
      html += "</TD>";
    }
    html += "</TR>\r\n";
  }
  return html + "</TABLE>\r\n";
}
