// The engine's Upper replaced by the program's own upper-casing, so that typed words (which the
// search upper-cases with the platform's Unicode mapping) and stored texts are folded alike:
// the engine's built-in Upper changes only a to z, and "prüfen" would never find "Prüfen".
#include <string>
#include <string_view>

#include "data/EngineApi.h"
#include "data/LiteDb.h"
#include "data/Utf8Text.h"
#include "platform/UpperCase.h"

namespace {

// Most stored texts are ASCII: those are folded byte by byte into `out` without converting
// them. False, with `out` unspecified, for a text with other characters.
bool FoldAscii(std::string_view text, std::string& out) {
  out.resize(text.size());
  char* to = out.data();
  for (const char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) {
      return false;
    }
    *to++ = c >= 'a' && c <= 'z' ? static_cast<char>(c - ('a' - 'A')) : c;
  }
  return true;
}

void UpperOfValue(Engine::TSqlite3Context* context, int /*count*/, Engine::TSqlite3Value** values) {
  const Engine::TSqlite3Api& api = Engine::Sqlite3();
  const unsigned char* text = api.ValueText(values[0]);
  if (text == nullptr) {
    api.ResultNull(context);  // NULL, or no memory to convert the value to text
    return;
  }
  const std::string_view value(reinterpret_cast<const char*>(text),
                               static_cast<std::size_t>(api.ValueBytes(values[0])));
  try {
    // Kept between calls: a search calls this once a row, and the engine copies the result.
    thread_local std::string upper;
    if (!FoldAscii(value, upper)) {
      upper.clear();
      AppendUtf16AsUtf8Exact(Platform::UpperCaseWide(Utf8ToUtf16Exact(value)), upper);
    }
    api.ResultText(context, upper.data(), static_cast<int>(upper.size()), Engine::TransientText());
  } catch (...) {
    // No exception may cross the engine's frames.
    api.ResultErrorNoMem(context);
  }
}

}  // namespace

bool TLiteDB::RegisterUnicodeUpper(Engine::TSqlite3* db) {
  const Engine::TSqlite3Api& api = Engine::Sqlite3();
  if (api.CreateFunctionV2 == nullptr || api.ValueText == nullptr || api.ValueBytes == nullptr ||
      api.ResultText == nullptr || api.ResultNull == nullptr || api.ResultErrorNoMem == nullptr) {
    return false;
  }
  // Deterministic, and innocuous since it has no side effects: the engine may then use it in
  // indexes and in a schema it does not trust. An engine older than the innocuous flag refuses
  // it, and gets the function without.
  const int flags = Engine::kTextUtf8 | Engine::kFunctionDeterministic;
  for (const int extra : {Engine::kFunctionInnocuous, 0}) {
    if (api.CreateFunctionV2(db, "upper", 1, flags | extra, nullptr, &UpperOfValue, nullptr,
                             nullptr, nullptr) == Engine::kOk) {
      return true;
    }
  }
  return false;
}
