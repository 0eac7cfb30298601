#pragma once
// Windows only: the shell's "open" verb, which shows a web address in the default browser.

#include <string_view>

namespace Platform {

// Asks the shell to open `address`; returns whether it accepted the request.
bool OpenWithShell(std::u16string_view address);

}  // namespace Platform
