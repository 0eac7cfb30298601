# tolvane_qt_library(NAME target [LIBRARIES ...] [EXCLUDE file...])
# A subsystem folder above the data layer becomes one static library of every .cpp/.h in it,
# so that files can be added without touching the build.
find_package(Qt6 REQUIRED COMPONENTS Core Gui Widgets)
set(CMAKE_AUTOMOC ON)

if(NOT COMMAND tolvane_deploy_qt)
  # Elsewhere than on Windows, Qt comes from the system's folders.
  function(tolvane_deploy_qt target)
  endfunction()
endif()

function(tolvane_qt_library)
  cmake_parse_arguments(arg "" "NAME" "LIBRARIES;EXCLUDE" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  foreach(excluded ${arg_EXCLUDE})
    list(REMOVE_ITEM sources ${CMAKE_CURRENT_SOURCE_DIR}/${excluded})
  endforeach()
  add_library(${arg_NAME} STATIC ${sources})
  set_target_properties(${arg_NAME} PROPERTIES AUTOMOC ON)
  target_include_directories(${arg_NAME} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${arg_NAME} PUBLIC ${arg_LIBRARIES} PRIVATE tolvane_warnings)
endfunction()
