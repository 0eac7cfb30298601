// Feeds arbitrary bytes to the message-file, manifest and language-file readers. Each must
// either succeed or fail with an error that names the file; a success must hold nothing the
// data file could not store (no NUL character, codes of at most five digits).

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "tools/mkdb/catalogue/LanguageFile.h"
#include "tools/mkdb/catalogue/Manifest.h"
#include "tools/mkdb/catalogue/MessageFile.h"

namespace {

void Check(bool condition) {
  if (!condition) {
    std::abort();
  }
}

bool HasNul(std::string_view text) {
  return text.find('\0') != std::string_view::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view content(reinterpret_cast<const char*>(data), size);
  std::string error;

  TParsedMessages parsed;
  if (ParseMessageFile(content, "f.msg", parsed, error)) {
    // A file whose every message has a code the program cannot show succeeds with warnings.
    Check(error.empty() && (!parsed.Messages.empty() || !parsed.Warnings.empty()));
    for (const TCatalogueMessage& message : parsed.Messages) {
      Check(!message.Code.empty() && message.Code.size() <= 5);
      Check(message.Code.find_first_not_of("0123456789") == std::string::npos);
      Check(!HasNul(message.Text) && !HasNul(message.Cause.value_or("")) &&
            !HasNul(message.Action.value_or("")));
    }
  } else {
    Check(error.starts_with("f.msg:"));
  }

  error.clear();
  TCatalogue catalogue;
  Check(ParseManifest(content, "m.txt", catalogue, error) || error.starts_with("m.txt:"));

  error.clear();
  TCaptionPairs pairs;
  Check(ParseLanguageFile(content, "l.txt", pairs, error) || error.starts_with("l.txt:"));
  return 0;
}
