# tolvane_json: nlohmann_json, a library of headers only. Its CMake package names /usr/include
# as its include folder, which would bring the host's C headers into a cross build for Windows
# (bits/libc-header-start.h not found). Every build takes its header folder alone instead,
# copied into the build tree.
find_path(TOLVANE_JSON_INCLUDE nlohmann/json.hpp NO_CMAKE_FIND_ROOT_PATH REQUIRED)
set(tolvane_json_folder ${CMAKE_BINARY_DIR}/json-include)
file(COPY ${TOLVANE_JSON_INCLUDE}/nlohmann DESTINATION ${tolvane_json_folder})
add_library(tolvane_json INTERFACE)
target_include_directories(tolvane_json SYSTEM INTERFACE ${tolvane_json_folder})
