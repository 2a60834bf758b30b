# The recipe for Qt for Windows, as an initial cache for Qt's own CMake: a shared Release Qt with
# its own copies of the image, text and font libraries (so the game ships no other DLLs), and
# only what a Widgets and PrintSupport program and its tests need.
# Recipe revision 1: Debian's source with Wine's wintab headers (dev/windows/qt.sh).
set(CMAKE_BUILD_TYPE Release CACHE STRING "")
set(BUILD_SHARED_LIBS ON CACHE BOOL "")
set(QT_BUILD_EXAMPLES OFF CACHE BOOL "")
set(QT_BUILD_TESTS OFF CACHE BOOL "")
set(QT_BUILD_BENCHMARKS OFF CACHE BOOL "")
set(FEATURE_pkg_config OFF CACHE BOOL "")
foreach(module sql network dbus xml concurrent vulkan)
    set(FEATURE_${module} OFF CACHE BOOL "")
endforeach()
foreach(library zlib png jpeg pcre2 harfbuzz freetype)
    set(FEATURE_system_${library} OFF CACHE BOOL "")
endforeach()
foreach(wanted widgets printsupport testlib freetype harfbuzz png jpeg)
    set(FEATURE_${wanted} ON CACHE BOOL "")
endforeach()
