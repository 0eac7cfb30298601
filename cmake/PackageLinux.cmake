# The Linux folder: Qt comes from the system; a launcher checks for it.
set(folder tolvane)
# The window program goes under another name: `tolvane` is the launcher, which checks for Qt.
# The program puts the sample in place as the data file on its first start.
install(PROGRAMS $<TARGET_FILE:tolvane> DESTINATION ${folder} RENAME tolvane-window)
install(PROGRAMS ${PROJECT_SOURCE_DIR}/package/tolvane DESTINATION ${folder})
install(TARGETS tolvane-mkdb RUNTIME DESTINATION ${folder})
if(TARGET tolvane-oerr)
  install(TARGETS tolvane-oerr RUNTIME DESTINATION ${folder})
endif()
install(PROGRAMS ${TOLVANE_ENGINE_SOURCE} DESTINATION ${folder} RENAME ${TOLVANE_ENGINE_NAME})
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
set(CPACK_PACKAGE_FILE_NAME tolvane-${PROJECT_VERSION}-linux-${CMAKE_SYSTEM_PROCESSOR})
