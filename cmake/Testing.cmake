# tolvane_add_gtest(NAME name SOURCES ... LIBRARIES ... [ENVIRONMENT ...])
# One GoogleTest executable, registered as one CTest entry, with the engine library beside it.
function(tolvane_add_gtest)
  cmake_parse_arguments(arg "" "NAME" "SOURCES;LIBRARIES;ENVIRONMENT" ${ARGN})
  add_executable(${arg_NAME} ${arg_SOURCES})
  target_link_libraries(${arg_NAME} PRIVATE ${arg_LIBRARIES} GTest::gtest GTest::gtest_main
                        tolvane_warnings)
  tolvane_place_engine(${arg_NAME})
  add_test(NAME ${arg_NAME} COMMAND ${arg_NAME})
  if(arg_ENVIRONMENT)
    set_tests_properties(${arg_NAME} PROPERTIES ENVIRONMENT "${arg_ENVIRONMENT}")
  endif()
  tolvane_test_loads_engine_of(${arg_NAME} ${arg_NAME})
endfunction()
