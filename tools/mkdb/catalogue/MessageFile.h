#pragma once
// Oracle's plain-text message files (<facility>us.msg). Lines that begin with "/" but not
// "//" are comments; a message line is CODE, NUMBER, "text" (see MessageLine.h); the "//"
// lines after a message describe it with the tags *Cause:, *Action:, *Document:, *Comment:
// and *Params:, each tag's text running on over the following "//" lines. Wrapped lines are
// joined with single blanks into one paragraph, a blank "//" line starts a new paragraph
// ("\n"). A message without *Cause: (or *Action:) has none (NULL); an empty tag gives an
// empty text. Only cause and action are kept.
//
// Codes the program could not show (more than five characters, or not all digits) are
// skipped with a warning, together with their description lines, so that an odd file in an
// Oracle home does not stop an import. Everything else that is not in this format is an error.

#include <string>
#include <string_view>
#include <vector>

#include "tools/mkdb/catalogue/Catalogue.h"

struct TParsedMessages {
  std::vector<TCatalogueMessage> Messages;  // in file order
  std::vector<std::string> Warnings;        // "FILE:LINE: ..." for every skipped message
};

// `content`: the whole file; `fileName` names it in errors and warnings. Returns false with
// `error` ("FILE:LINE: reason") for a file not in the format: not UTF-8, a malformed message
// line, a "//" line before any message, an unknown or repeated tag, description text outside
// any tag, a code given twice, or no message line at all.
bool ParseMessageFile(std::string_view content, const std::string& fileName,
                      TParsedMessages& parsed, std::string& error);
