# Run by CPack once the zip is made (CPACK_POST_BUILD_SCRIPTS): the setup program, built by
# makensis from the same staged folder as the zip, beside it in the package folder.
set(stage "${CPACK_TEMPORARY_DIRECTORY}/tolvane")
if(NOT IS_DIRECTORY "${stage}")
  message(FATAL_ERROR "The staged folder ${stage} is missing")
endif()

# The uninstaller deletes exactly what the setup installs: every file, then every folder from
# the deepest up, and only when it is empty.
file(GLOB_RECURSE files LIST_DIRECTORIES true RELATIVE "${stage}" "${stage}/*")
set(deletes "")
set(folders "")
foreach(entry IN LISTS files)
  string(REPLACE "/" "\\" windows_entry "${entry}")
  if(IS_DIRECTORY "${stage}/${entry}")
    list(APPEND folders "RMDir \"$INSTDIR\\${windows_entry}\"\n")
  else()
    string(APPEND deletes "Delete \"$INSTDIR\\${windows_entry}\"\n")
  endif()
endforeach()
list(SORT folders ORDER DESCENDING)
list(JOIN folders "" folder_lines)
set(file_list "${CPACK_TOPLEVEL_DIRECTORY}/tolvane-files.nsh")
file(WRITE "${file_list}" "${deletes}${folder_lines}")

set(setup "${CPACK_PACKAGE_DIRECTORY}/${CPACK_PACKAGE_FILE_NAME}-setup.exe")
execute_process(
  COMMAND ${CPACK_TOLVANE_MAKENSIS} -V2 -DSTAGE=${stage} -DFILES=${file_list} -DICON=${CPACK_TOLVANE_ICON}
          -DVERSION=${CPACK_PACKAGE_VERSION} -DOUTFILE=${setup} ${CPACK_TOLVANE_NSIS_SCRIPT}
  RESULT_VARIABLE built)
if(NOT built EQUAL 0)
  message(FATAL_ERROR "makensis could not build ${setup}")
endif()
message(STATUS "Setup: ${setup}")
