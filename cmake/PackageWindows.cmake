# The Windows folder: the three programs, our engine, Qt's DLLs and the plugins Qt loads from
# beside the program, and the compiler's runtime that Qt's DLLs link. Nothing comes from the
# system but Windows itself.
set(folder tolvane)
install(TARGETS tolvane tolvane-oerr tolvane-mkdb RUNTIME DESTINATION ${folder})
if(TOLVANE_ENGINE_IS_OWN)
  install(TARGETS tolvane_engine RUNTIME DESTINATION ${folder})
endif()
install(FILES $<TARGET_RUNTIME_DLLS:tolvane> ${TOLVANE_MINGW_RUNTIME_DLLS} DESTINATION ${folder})
install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin> DESTINATION ${folder}/platforms)
install(FILES $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin> DESTINATION ${folder}/styles)
install(FILES ${TOLVANE_SAMPLE_DB} DESTINATION ${folder})
install(FILES ${PROJECT_SOURCE_DIR}/package/windows/README.txt DESTINATION ${folder})

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_FILE_NAME tolvane-${PROJECT_VERSION}-windows-${CMAKE_SYSTEM_PROCESSOR})

# The setup (makensis, from Debian's nsis) is made from the same staged folder, beside the zip.
find_program(CPACK_TOLVANE_MAKENSIS makensis REQUIRED)
set(CPACK_TOLVANE_NSIS_SCRIPT ${PROJECT_SOURCE_DIR}/package/windows/tolvane.nsi)
set(CPACK_TOLVANE_ICON ${PROJECT_SOURCE_DIR}/package/windows/tolvane.ico)
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/WindowsSetup.cmake)
