# The real program in a real window on a virtual X server: it starts beside its engine and a
# data file built from sample/, takes a typed search, copies the details through the context
# menu, and closes. The script starts the X server itself and skips when Xvfb is missing; it
# needs xdotool, xclip and ImageMagick's import. The screenshots it leaves in the build folder
# (window-smoke.png, window-smoke-menu.png) are worth a look after layout changes.
# On Linux: the Windows program is driven the same way from its zip (tests/package).
if(TARGET tolvane AND TARGET tolvane-mkdb AND NOT WIN32)
  add_test(NAME WindowSmoke
           COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/smoke.sh $<TARGET_FILE:tolvane>
                   $<TARGET_FILE:tolvane-mkdb> ${PROJECT_SOURCE_DIR}/sample
                   ${CMAKE_CURRENT_BINARY_DIR}/window-smoke.png)
  set_tests_properties(WindowSmoke PROPERTIES TIMEOUT 120 ENVIRONMENT "LC_ALL=C.UTF-8")
  tolvane_test_loads_engine_of(WindowSmoke tolvane)
endif()
