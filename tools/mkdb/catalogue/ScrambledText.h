#pragma once
// Cause and action texts as the data file stores them: scrambled with ReadTxt keyed by the
// message's code, so that the detail view's ReadTxt gives them back.

#include <optional>
#include <string>

// `plain` and the result are UTF-8. A code that is not all digits cannot key the scrambling
// (the program shows such texts empty whatever is stored): the text is kept as it is.
// Returns nullopt for text that is not UTF-8, and when the exchanged positions would split a
// surrogate pair: the engine would replace the halves, so the text could not come back.
std::optional<std::string> ScrambleForDataFile(const std::string& code, const std::string& plain);
