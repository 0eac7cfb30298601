# The options with which scripts/build-qt-windows.sh configures Debian's qtbase source for
# Windows (loaded with `cmake -C`). The cache of the built Qt is keyed by this file's contents:
# change an option here and the next Windows configure builds Qt anew.
set(CMAKE_BUILD_TYPE Release CACHE STRING "")
set(BUILD_SHARED_LIBS ON CACHE BOOL "")
set(QT_BUILD_EXAMPLES OFF CACHE BOOL "")
set(QT_BUILD_TESTS OFF CACHE BOOL "")

# The third-party libraries Qt bundles, built into Qt's own DLLs: the mingw tree has none of
# them, and the program then needs no further DLL beside it.
foreach(library zlib pcre2 harfbuzz freetype png jpeg)
  set(FEATURE_system_${library} OFF CACHE BOOL "")
endforeach()

# Modules and features the program does not use; fewer objects to build and DLLs to ship.
foreach(feature
    sql network dbus xml concurrent printsupport  # no module of these is linked
    vulkan                                        # the window draws with the raster engine
    jpeg gif                                      # no image of these kinds is shown
    direct2d)                                     # a second Windows platform plugin
  set(FEATURE_${feature} OFF CACHE BOOL "")
endforeach()
# No OpenGL at all, by Qt's own switch (configure's -opengl no): turning the feature "opengl"
# off alone leaves "opengl-dynamic" and "dynamicgl" on, and 6.4.2's Windows platform plugin
# then does not compile (QOpenGLStaticContext undeclared in qwindowswindow.cpp).
set(INPUT_opengl no CACHE STRING "")
# Qt's DirectWrite font database is built into QtGui only together with Direct 2D, but the
# Windows platform plugin asks for it whenever this is on; the default GDI one stays.
set(FEATURE_directwrite3 OFF CACHE BOOL "")
# Its Windows code needs wintab.h, which Debian removed from the source.
set(FEATURE_tabletevent OFF CACHE BOOL "")
