# The SQLite engine is never linked: the program loads it at run time by its bare file name,
# and the copy beside the executable must be the one that loads (as on Windows, where the
# program's own directory comes first in the search order). tolvane_place_engine() copies
# the engine next to a target and gives the target an rpath of its own directory.
if(WIN32)
  set(TOLVANE_ENGINE_NAME "sqlite3.dll")
  set(TOLVANE_SQLITE3_DLL "" CACHE FILEPATH "sqlite3.dll built for the target")
  set(TOLVANE_ENGINE_SOURCE "${TOLVANE_SQLITE3_DLL}")
else()
  set(TOLVANE_ENGINE_NAME "libsqlite3.so.0")
  find_library(TOLVANE_SYSTEM_SQLITE3 NAMES libsqlite3.so.0 sqlite3 REQUIRED)
  file(REAL_PATH "${TOLVANE_SYSTEM_SQLITE3}" TOLVANE_ENGINE_SOURCE)
endif()

function(tolvane_place_engine target)
  if(TOLVANE_ENGINE_SOURCE)
    add_custom_command(TARGET ${target} POST_BUILD
      COMMAND ${CMAKE_COMMAND} -E copy_if_different "${TOLVANE_ENGINE_SOURCE}"
              "$<TARGET_FILE_DIR:${target}>/${TOLVANE_ENGINE_NAME}"
      VERBATIM)
  endif()
  if(NOT WIN32)
    set_target_properties(${target} PROPERTIES BUILD_RPATH "$ORIGIN" INSTALL_RPATH "$ORIGIN")
  endif()
endfunction()
