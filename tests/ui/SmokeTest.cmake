# The real program in a real window on a virtual X server: it starts beside its engine and a
# data file built from sample/, takes a typed search, and closes. The screenshot it leaves in
# the build folder (window-smoke.png) is worth a look after layout changes.
find_program(TOLVANE_XVFB_RUN xvfb-run)
find_program(TOLVANE_XDOTOOL xdotool)
if(TOLVANE_XVFB_RUN AND TOLVANE_XDOTOOL AND TARGET tolvane AND TARGET tolvane-mkdb)
  add_test(NAME WindowSmoke
           COMMAND ${TOLVANE_XVFB_RUN} -a -s "-screen 0 1024x768x24 -nolisten tcp"
                   bash ${CMAKE_CURRENT_SOURCE_DIR}/smoke.sh $<TARGET_FILE:tolvane>
                   $<TARGET_FILE:tolvane-mkdb> ${PROJECT_SOURCE_DIR}/sample
                   ${CMAKE_CURRENT_BINARY_DIR}/window-smoke.png)
  set_tests_properties(WindowSmoke PROPERTIES TIMEOUT 120 ENVIRONMENT "LC_ALL=C.UTF-8")
endif()
