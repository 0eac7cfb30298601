# cmake -DSOURCE_DIR=DIR -DWORK_DIR=DIR -DGENERATOR=NAME -P EngineFallbackCheck.cmake
# Configures the project where the engine's source cannot be had (its folder cannot even be
# made): with TOLVANE_REQUIRE_OWN_ENGINE, as the ci and asan presets set it, the configuration
# must stop and say what is missing; without it, as a developer's build, it must place the
# system's engine and warn.
set(unreachable "/dev/null/engine")  # below a file: the fetch fails at once, without network
foreach(required ON OFF)
  set(build "${WORK_DIR}/require-${required}")
  file(REMOVE_RECURSE "${build}")
  execute_process(
    COMMAND "${CMAKE_COMMAND}" -S "${SOURCE_DIR}" -B "${build}" -G "${GENERATOR}"
            -DTOLVANE_REQUIRE_OWN_ENGINE=${required} -DTOLVANE_ENGINE_CACHE=${unreachable}
            -DTOLVANE_WITH_QT=OFF -DTOLVANE_BENCH=OFF -DBUILD_TESTING=OFF
    RESULT_VARIABLE failed OUTPUT_VARIABLE out ERROR_VARIABLE out)
  file(REMOVE_RECURSE "${build}")
  string(REGEX REPLACE "[ \n]+" " " said "${out}")  # CMake wraps its messages
  if(required AND (NOT failed OR NOT said MATCHES "sqlite3.c and sqlite3.h .* is not in ${unreachable}"
                   OR NOT said MATCHES "TOLVANE_REQUIRE_OWN_ENGINE"))
    message(FATAL_ERROR "A build that requires our engine did not stop for its missing source:\n${out}")
  endif()
  if(NOT required AND (failed OR NOT said MATCHES "The system's engine is placed beside the program"))
    message(FATAL_ERROR "A developer's build did not fall back to the system's engine:\n${out}")
  endif()
endforeach()
