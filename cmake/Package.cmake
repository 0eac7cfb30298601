# The portable folder: `cmake --build --preset ci --target package` makes
# tolvane-VERSION-linux-x86_64.tar.gz holding tolvane/, which the user unpacks where they can
# write. The window program, its engine and its data file live side by side there, as the
# program expects; Qt comes from the system.

# The sample data file, built from sample/ by the builder itself.
file(GLOB_RECURSE sample_inputs CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/sample/*)
set(TOLVANE_SAMPLE_DB ${CMAKE_BINARY_DIR}/package/tolv2_msg.sample.db)
add_custom_command(OUTPUT ${TOLVANE_SAMPLE_DB}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/package
  COMMAND tolvane-mkdb create ${TOLVANE_SAMPLE_DB} --from ${PROJECT_SOURCE_DIR}/sample
  DEPENDS tolvane-mkdb ${sample_inputs}
  COMMENT "Building the sample data file from sample/"
  VERBATIM)
add_custom_target(tolvane_sample_db ALL DEPENDS ${TOLVANE_SAMPLE_DB})

set(folder tolvane)
# The window program goes under another name: `tolvane` is the launcher, which checks for Qt
# and puts the sample in place on the first start.
install(PROGRAMS $<TARGET_FILE:tolvane> DESTINATION ${folder} RENAME tolvane-window)
install(PROGRAMS ${PROJECT_SOURCE_DIR}/package/tolvane DESTINATION ${folder})
install(TARGETS tolvane-mkdb RUNTIME DESTINATION ${folder})
if(TARGET tolvane-oerr)
  install(TARGETS tolvane-oerr RUNTIME DESTINATION ${folder})
endif()
install(PROGRAMS ${TOLVANE_ENGINE_SOURCE} DESTINATION ${folder} RENAME ${TOLVANE_ENGINE_NAME})
# Never tolv2_msg.db itself: unpacking over an older folder must keep the user's comments.
install(FILES ${TOLVANE_SAMPLE_DB}
              ${PROJECT_SOURCE_DIR}/package/tolvane.desktop
              ${PROJECT_SOURCE_DIR}/package/tolvane.svg
              ${PROJECT_SOURCE_DIR}/package/tolvane.png
              ${PROJECT_SOURCE_DIR}/package/README.txt
        DESTINATION ${folder})

# Debug information stays in the build tree; the folder gets the lean binaries.
if(CMAKE_STRIP)
  install(CODE "
    foreach(binary tolvane-window ${TOLVANE_ENGINE_NAME})
      execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-unneeded
                              \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${folder}/\${binary}\")
    endforeach()")
endif()

set(CPACK_GENERATOR TGZ)
set(CPACK_PACKAGE_NAME tolvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME tolvane-${PROJECT_VERSION}-linux-${CMAKE_SYSTEM_PROCESSOR})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
set(CPACK_STRIP_FILES ON)
include(CPack)
