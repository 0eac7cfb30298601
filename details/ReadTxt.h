#pragma once
// The stored cause and action texts have neighbouring characters exchanged, at a step derived
// from the message's code. ReadTxt applies the exchanges; applying it twice with the same code
// gives the text back, so the same routine scrambles (the data-file builder) and unscrambles
// (the detail view). A code that is empty or not all digits gives empty text.

#include <string>
#include <string_view>

// `code`: the message code as 8-bit text; `text`: UTF-16, positions count code units.
std::u16string ReadTxt(std::string_view code, std::u16string_view text);

// The swap step derived from a code of digits (exposed for tests and the builder's checks);
// -1 for a code that is empty or not all digits.
int SwapStep(std::string_view code);
