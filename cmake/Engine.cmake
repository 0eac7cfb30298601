# The SQLite engine is never linked: the program loads it at run time by its bare file name,
# and the copy beside the executable must be the one that loads (as on Windows, where the
# program's own directory comes first in the search order). tolvane_place_engine() copies
# the engine next to a target and gives the target an rpath of its own directory.
#
# The engine is our own build of Debian's sqlite3 source, tuned for this data file, for every
# target alike. Where the source cannot be had (no network on a first build), a developer's
# build places the system's library instead and says so; a build whose tests must test what
# the package ships (TOLVANE_REQUIRE_OWN_ENGINE, set by the ci and asan presets) stops instead.
option(TOLVANE_OWN_ENGINE "Build the engine beside the program from Debian's sqlite3 source" ON)
option(TOLVANE_REQUIRE_OWN_ENGINE
       "Stop the build rather than place the system's engine when ours cannot be built" OFF)
set(TOLVANE_ENGINE_CACHE "${PROJECT_SOURCE_DIR}/build/engine" CACHE PATH
    "Where the engine's amalgamation is kept between builds")
if(TOLVANE_REQUIRE_OWN_ENGINE AND NOT TOLVANE_OWN_ENGINE)
  message(FATAL_ERROR "TOLVANE_REQUIRE_OWN_ENGINE is ON, but TOLVANE_OWN_ENGINE is OFF: "
                      "this build would test the system's engine instead of ours.")
endif()

if(WIN32)
  set(TOLVANE_ENGINE_NAME "sqlite3.dll")
else()
  set(TOLVANE_ENGINE_NAME "libsqlite3.so.0")
  find_library(TOLVANE_SYSTEM_SQLITE3 NAMES libsqlite3.so.0 sqlite3 REQUIRED)
  file(REAL_PATH "${TOLVANE_SYSTEM_SQLITE3}" TOLVANE_SYSTEM_ENGINE)
  # Kept in the cache for the test run against the system's engine (LD_LIBRARY_PATH).
  get_filename_component(system_engine_dir "${TOLVANE_SYSTEM_ENGINE}" DIRECTORY)
  set(TOLVANE_SYSTEM_ENGINE_DIR "${system_engine_dir}" CACHE INTERNAL "")
endif()

if(TOLVANE_OWN_ENGINE AND NOT EXISTS "${TOLVANE_ENGINE_CACHE}/sqlite3.c")
  message(STATUS "Getting the engine's source into ${TOLVANE_ENGINE_CACHE}")
  execute_process(COMMAND bash "${PROJECT_SOURCE_DIR}/scripts/fetch-sqlite-source.sh"
                          "${TOLVANE_ENGINE_CACHE}"
                  RESULT_VARIABLE fetched OUTPUT_QUIET ERROR_VARIABLE fetch_errors)
  if(NOT fetched EQUAL 0)
    string(STRIP "${fetch_errors}" fetch_errors)
    string(CONCAT missing
           "The engine's source, sqlite3.c and sqlite3.h made from Debian's sqlite3 source "
           "package, is not in ${TOLVANE_ENGINE_CACHE} and could not be fetched into it "
           "(scripts/fetch-sqlite-source.sh: ${fetch_errors}).")
    if(TOLVANE_REQUIRE_OWN_ENGINE)
      message(FATAL_ERROR "${missing} This build tests the engine the package ships "
                          "(TOLVANE_REQUIRE_OWN_ENGINE, set by the ci and asan presets), so it "
                          "does not fall back to the system's: let the fetch reach Debian's "
                          "source archive, or point -DTOLVANE_ENGINE_CACHE=DIR at a folder that "
                          "holds both files.")
    endif()
    message(WARNING "${missing} The system's engine is placed beside the program instead of "
                    "our own build.")
  endif()
endif()

if(TOLVANE_OWN_ENGINE AND EXISTS "${TOLVANE_ENGINE_CACHE}/sqlite3.c")
  add_library(tolvane_engine SHARED "${TOLVANE_ENGINE_CACHE}/sqlite3.c")
  # The engine keeps none of the project's flags (warnings, sanitizers, fuzzing): it is
  # third-party code, and a plain library loads into an instrumented program as well.
  set_property(TARGET tolvane_engine PROPERTY COMPILE_OPTIONS -O3)
  set_property(TARGET tolvane_engine PROPERTY LINK_OPTIONS "")
  # From SQLite's "Compile-time Options" page; every entry point that data/SqliteBinding
  # binds stays, the UTF-16 calls included, and so do LIKE and Upper for text.
  target_compile_definitions(tolvane_engine PRIVATE
    NDEBUG
    # The data layer serialises its own use of a connection, but the window and a tool may
    # share the library in one process some day: keep the default, fully serialised mode.
    SQLITE_THREADSAFE=1
    # Speed, as the engine's own list of recommended options gives it:
    SQLITE_DEFAULT_MEMSTATUS=0          # no memory statistics: the allocator takes no lock
    SQLITE_LIKE_DOESNT_MATCH_BLOBS      # LIKE skips BLOBs at once; every text here is TEXT
    SQLITE_OMIT_DEPRECATED              # none of those calls is bound
    SQLITE_OMIT_SHARED_CACHE            # never enabled; leaves the lock paths shorter
    SQLITE_USE_ALLOCA                   # scratch memory on the stack
    # Reading a large data file: map up to 1 GiB of it instead of copying pages through
    # read(), and keep 64 MiB of pages cached per connection.
    SQLITE_DEFAULT_MMAP_SIZE=1073741824
    SQLITE_DEFAULT_CACHE_SIZE=-65536
    # A deleted comment is overwritten in the file, not left in its free pages (as in
    # Debian's own build).
    SQLITE_SECURE_DELETE
    # Distrust what a data file from elsewhere carries: functions with side effects cannot
    # run from its views and triggers, and no extension can be loaded into the engine.
    SQLITE_TRUSTED_SCHEMA=0
    SQLITE_OMIT_LOAD_EXTENSION)
  if(WIN32)
    set_target_properties(tolvane_engine PROPERTIES OUTPUT_NAME sqlite3 PREFIX "")
    target_link_options(tolvane_engine PRIVATE -static-libgcc)
  else()
    set_target_properties(tolvane_engine PROPERTIES OUTPUT_NAME sqlite3 SUFFIX ".so.0")
    target_link_libraries(tolvane_engine PRIVATE ${CMAKE_DL_LIBS} m)
    find_package(Threads REQUIRED)
    target_link_libraries(tolvane_engine PRIVATE Threads::Threads)
  endif()
  set(TOLVANE_ENGINE_SOURCE "$<TARGET_FILE:tolvane_engine>")
  set(TOLVANE_ENGINE_IS_OWN ON)
  message(STATUS "The engine beside the program: our own build of ${TOLVANE_ENGINE_CACHE}")
elseif(WIN32)
  message(FATAL_ERROR "A Windows build needs the engine's source: there is no system engine")
else()
  set(TOLVANE_ENGINE_SOURCE "${TOLVANE_SYSTEM_ENGINE}")
  set(TOLVANE_ENGINE_IS_OWN OFF)
  message(STATUS "The engine beside the program: the system's ${TOLVANE_SYSTEM_ENGINE}")
endif()

function(tolvane_place_engine target)
  if(TOLVANE_ENGINE_IS_OWN)
    add_dependencies(${target} tolvane_engine)
  endif()
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different "${TOLVANE_ENGINE_SOURCE}"
            "$<TARGET_FILE_DIR:${target}>/${TOLVANE_ENGINE_NAME}"
    VERBATIM)
  if(NOT WIN32)
    # The install path from the start: a build path padded for rewriting at install time
    # would end in an empty entry, which the loader reads as the working folder.
    set_target_properties(${target} PROPERTIES INSTALL_RPATH "$ORIGIN"
                          BUILD_WITH_INSTALL_RPATH ON)
  endif()
endfunction()

# The sanitizers' runtime opens libraries on the program's behalf, and the loader then looks
# along that runtime's own search path instead of the program's rpath: the system's engine
# would load. Tests of such a build name the engine's folder in the environment instead.
function(tolvane_test_loads_engine_of test target)
  if((TOLVANE_SANITIZE OR TOLVANE_FUZZ) AND NOT WIN32)
    set_property(TEST ${test} APPEND PROPERTY ENVIRONMENT
                 "LD_LIBRARY_PATH=$<TARGET_FILE_DIR:${target}>")
  endif()
endfunction()
