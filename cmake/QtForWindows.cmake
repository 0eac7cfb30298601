# The Windows build of the window: Qt cross-built from Debian's own source into a cache outside
# the checkout (scripts/build-qt-windows.sh; about half an hour the first time, nothing after),
# and what a Windows program loads placed beside each executable that links Qt.

execute_process(COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/build-qt-windows.sh
                OUTPUT_VARIABLE qt_output RESULT_VARIABLE qt_built)
if(NOT qt_built EQUAL 0)
  message(FATAL_ERROR "Qt for Windows could not be built (scripts/build-qt-windows.sh)")
endif()
string(STRIP "${qt_output}" qt_output)
string(REGEX REPLACE ".*\n" "" TOLVANE_QT_WINDOWS_PREFIX "${qt_output}")
message(STATUS "Qt for Windows: ${TOLVANE_QT_WINDOWS_PREFIX}")

# The toolchain looks for packages under the target's tree only; Qt's prefix is one more such
# tree. moc, rcc and uic are the host's, of the same version.
list(APPEND CMAKE_FIND_ROOT_PATH ${TOLVANE_QT_WINDOWS_PREFIX})
list(APPEND CMAKE_PREFIX_PATH ${TOLVANE_QT_WINDOWS_PREFIX})
set(QT_HOST_PATH /usr CACHE PATH "Where the host's Qt tools live")
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake CACHE PATH "")
# Found here, at the top, so that its plugins' targets are seen by every folder below.
find_package(Qt6 REQUIRED COMPONENTS Core Gui Widgets)

# Qt's DLLs link the compiler's runtime dynamically: it goes beside them, without the debug
# sections Debian's copy carries (they would make libstdc++ 24 MB instead of 2).
set(TOLVANE_MINGW_RUNTIME_DLLS "")
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                  OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
  file(REAL_PATH "${path}" path)
  if(NOT EXISTS "${path}")
    message(FATAL_ERROR "The compiler's runtime ${dll} is missing")
  endif()
  set(stripped ${CMAKE_BINARY_DIR}/mingw-runtime/${dll})
  if(NOT EXISTS ${stripped} OR ${path} IS_NEWER_THAN ${stripped})
    file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/mingw-runtime)
    execute_process(COMMAND ${CMAKE_STRIP} --strip-unneeded -o ${stripped} ${path}
                    RESULT_VARIABLE stripped_ok)
    if(NOT stripped_ok EQUAL 0)
      message(FATAL_ERROR "The compiler's runtime ${dll} could not be stripped")
    endif()
  endif()
  list(APPEND TOLVANE_MINGW_RUNTIME_DLLS ${stripped})
endforeach()

# tolvane_deploy_qt(target): Qt's DLLs the target links, the compiler's runtime, and the
# plugins Qt loads from beside the program: the Windows platform (and the offscreen and
# minimal ones, which tests pick with -platform) and the style Qt picks on Windows.
function(tolvane_deploy_qt target)
  set(dir $<TARGET_FILE_DIR:${target}>)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_RUNTIME_DLLS:${target}>
            ${TOLVANE_MINGW_RUNTIME_DLLS} ${dir}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}/platforms ${dir}/styles
    COMMAND ${CMAKE_COMMAND} -E copy_if_different
            $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin>
            $<TARGET_FILE:Qt6::QOffscreenIntegrationPlugin>
            $<TARGET_FILE:Qt6::QMinimalIntegrationPlugin> ${dir}/platforms
    COMMAND ${CMAKE_COMMAND} -E copy_if_different
            $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin> ${dir}/styles
    COMMAND_EXPAND_LISTS VERBATIM)
endfunction()
