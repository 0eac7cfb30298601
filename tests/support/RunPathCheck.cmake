# cmake -DPROGRAM=FILE -P RunPathCheck.cmake
# Fails unless the program's run path is exactly its own folder: an empty entry would make the
# loader look for libraries in whatever folder the program is started from.
execute_process(COMMAND readelf -d "${PROGRAM}" OUTPUT_VARIABLE dynamic RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "readelf could not read ${PROGRAM}")
endif()
string(REGEX MATCHALL "\\((RPATH|RUNPATH)\\)[^\n]*" paths "${dynamic}")
if(NOT paths MATCHES "^\\(RUNPATH\\) +Library runpath: \\[\\$ORIGIN\\]$")
  message(FATAL_ERROR "${PROGRAM}: run path is '${paths}', not [$ORIGIN] alone")
endif()
