# One interface target carries the project's warning flags, so that third-party code
# (GoogleTest, Qt's generated sources) is not held to them.
add_library(tolvane_warnings INTERFACE)
target_compile_options(tolvane_warnings INTERFACE
  $<$<OR:$<CXX_COMPILER_ID:GNU>,$<CXX_COMPILER_ID:Clang>>:
    -Wall -Wextra -Wshadow -Wold-style-cast -Wnon-virtual-dtor -Woverloaded-virtual
    $<$<BOOL:${TOLVANE_WERROR}>:-Werror>>)
