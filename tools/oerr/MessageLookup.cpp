#include "tools/oerr/MessageLookup.h"

#include "data/FormatSql.h"
#include "data/Utf8Text.h"
#include "data/passql.h"
#include "details/ReadTxt.h"
#include "platform/UpperCase.h"
#include "search/SearchStatement.h"

namespace {

constexpr std::size_t kWidestCode = 10;
constexpr std::size_t kDetailCodeCharacters = 5;

// Upper-cased as the window upper-cases what is typed.
std::string UpperCased(const std::string& utf8) {
  return Utf16ToUtf8Exact(Platform::UpperCaseWide(Utf8ToUtf16Exact(utf8)));
}

std::optional<std::string> Text(TResultRow& row, int field) {
  const TResultCell cell = row.Field(field);
  if (cell.IsNull) {
    return std::nullopt;
  }
  return Utf16ToUtf8Exact(cell.AsWideString());
}

std::optional<std::string> Unscrambled(TResultRow& row, int field, const std::string& code) {
  const TResultCell cell = row.Field(field);
  if (cell.IsNull) {
    return std::nullopt;
  }
  return Utf16ToUtf8Exact(ReadTxt(code, cell.AsWideString()));
}

TLookupOutcome Failed(TSQLDB& db) {
  TLookupOutcome outcome;
  outcome.Ok = false;
  outcome.Error = db.GetErrorMessage();
  db.ClearResults();
  return outcome;
}

}  // namespace

std::optional<std::string> FindPrefix(const std::vector<std::string>& prefixes,
                                      const std::string& facility) {
  const std::string wanted = UpperCased(facility);
  for (const std::string& prefix : prefixes) {
    if (UpperCased(prefix) == wanted) {
      return prefix;
    }
  }
  return std::nullopt;
}

std::vector<std::string> CodeCandidates(const std::string& typed) {
  const std::size_t significant = typed.find_first_not_of('0');
  const std::string digits = significant == std::string::npos ? "0" : typed.substr(significant);
  std::vector<std::string> candidates;
  for (std::size_t width = digits.size(); width <= kWidestCode; ++width) {
    candidates.push_back(std::string(width - digits.size(), '0') + digits);
  }
  return candidates;
}

std::string LookupStatement(const std::string& prefix, const std::string& code,
                            const std::optional<std::string>& version) {
  std::string sql =
      "SELECT v.vers_name, p.pref_name, e.e_code, e.e_message, e.e_cause, e.e_action, "
      "(SELECT c.commentary FROM usr_comment c WHERE c.e_fk = e.e_pk LIMIT 1) "
      "FROM error e, prefix p, version v "
      "WHERE e.vers_fk = v.vers_pk AND e.pref_fk = p.pref_pk AND p.pref_name = %s "
      "AND e.e_code IN (";
  std::vector<TSqlArg> args{TSqlArg::WideString(Utf8ToUtf16Exact(prefix))};
  const std::vector<std::string> candidates = CodeCandidates(code);
  for (std::size_t at = 0; at < candidates.size(); ++at) {
    sql += at == 0 ? "%s" : ", %s";
    args.push_back(TSqlArg::WideString(Utf8ToUtf16Exact(candidates[at])));
  }
  sql += ") ";
  if (version) {
    sql += "AND v.vers_name = %s ";
    args.push_back(TSqlArg::WideString(Utf8ToUtf16Exact(*version)));
  }
  sql += "ORDER BY v.vers_name, p.pref_name, e.e_code";
  // Only text arguments for "%s": the building cannot fail.
  return *FormatSQLUtf8(sql, args);
}

TLookupOutcome LookUpMessages(TSQLDB& db, const std::string& prefix, const std::string& code,
                              const std::optional<std::string>& version) {
  // The comments are the user's own texts, of whatever length the engine holds: each is shown
  // whole, however long.
  const TFetchMemoryLimitScope wholeComments(db, TSQLDB::kLargestFetchMemoryLimit);
  if (!db.QueryW(Utf8ToUtf16Exact(LookupStatement(prefix, code, version)))) {
    return Failed(db);
  }
  TLookupOutcome outcome;
  for (std::int32_t at = 0; at < db.RowCount(); ++at) {
    TResultRow& row = db.Row(at);
    TFoundMessage message;
    message.Version = *Text(row, 0);
    message.Prefix = *Text(row, 1);
    message.Code = *Text(row, 2);
    message.Message = Text(row, 3).value_or(std::string());
    // Unscrambled by the code as the detail view holds it: its first five characters.
    const std::string key = row.Field(2).Value.substr(0, kDetailCodeCharacters);
    message.Cause = Unscrambled(row, 4, key);
    message.Action = Unscrambled(row, 5, key);
    message.Comment = Text(row, 6);
    if (message.Comment && message.Comment->empty()) {
      message.Comment.reset();  // an empty comment is shown as none, as in the window
    }
    outcome.Messages.push_back(std::move(message));
  }
  db.ClearResults();
  return outcome;
}

TLookupOutcome SearchMessages(TSQLDB& db, const std::string& words, bool comment,
                              const std::string& prefix, const std::optional<std::string>& version,
                              const std::string& rowLimit) {
  TSearchCriteria criteria;
  criteria.Version = Utf8ToUtf16Exact(version.value_or(std::string()));
  criteria.Prefix = Utf8ToUtf16Exact(prefix);
  (comment ? criteria.Comment : criteria.Message) = Utf8ToUtf16Exact(words);
  if (!db.QueryW(BuildSearchStatement(PrepareCriteria(criteria), Utf8ToUtf16Exact(rowLimit)))) {
    return Failed(db);
  }
  TLookupOutcome outcome;
  for (std::int32_t at = 0; at < db.RowCount(); ++at) {
    TResultRow& row = db.Row(at);
    TFoundMessage message;
    message.Version = Text(row, 1).value_or(std::string());
    message.Prefix = Text(row, 2).value_or(std::string());
    message.Code = Text(row, 3).value_or(std::string());
    message.Message = Text(row, 4).value_or(std::string());
    outcome.Messages.push_back(std::move(message));
  }
  db.ClearResults();
  return outcome;
}
