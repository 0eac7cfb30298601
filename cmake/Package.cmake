# The portable folder: `cmake --build --preset ci --target package` (Linux) or `--preset
# windows` makes an archive holding tolvane/, which the user unpacks where they can write. The
# window program, its engine and its data file live side by side there, as the program
# expects. The sample data file goes in under its own name, never as tolv2_msg.db: unpacking
# over an older folder must keep the user's comments. The program puts it in place on its
# first start.

# The sample data file, built from sample/ by the builder itself (under wine for Windows).
file(GLOB_RECURSE sample_inputs CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/sample/*)
set(TOLVANE_SAMPLE_DB ${CMAKE_BINARY_DIR}/package/tolv2_msg.sample.db)
add_custom_command(OUTPUT ${TOLVANE_SAMPLE_DB}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/package
  COMMAND tolvane-mkdb create ${TOLVANE_SAMPLE_DB} --from ${PROJECT_SOURCE_DIR}/sample
  DEPENDS tolvane-mkdb ${sample_inputs}
  COMMENT "Building the sample data file from sample/"
  VERBATIM)
add_custom_target(tolvane_sample_db ALL DEPENDS ${TOLVANE_SAMPLE_DB})

set(CPACK_PACKAGE_NAME tolvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
set(CPACK_STRIP_FILES ON)
if(WIN32)
  include(${CMAKE_CURRENT_LIST_DIR}/PackageWindows.cmake)
else()
  include(${CMAKE_CURRENT_LIST_DIR}/PackageLinux.cmake)
endif()
include(CPack)
