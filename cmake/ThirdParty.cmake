# Debian ships OpenCV's per-module -dev packages without CMake or pkg-config
# files, and libpotrace-dev without either; find them by hand.
find_path(OPENCV_INCLUDE_DIR opencv2/core.hpp PATH_SUFFIXES opencv4 REQUIRED)
add_library(plimb_opencv INTERFACE)
target_include_directories(plimb_opencv SYSTEM INTERFACE ${OPENCV_INCLUDE_DIR})
foreach(module core imgproc imgcodecs)
    find_library(OPENCV_${module}_LIBRARY opencv_${module} REQUIRED)
    target_link_libraries(plimb_opencv INTERFACE ${OPENCV_${module}_LIBRARY})
endforeach()

find_path(POTRACE_INCLUDE_DIR potracelib.h REQUIRED)
find_library(POTRACE_LIBRARY potrace REQUIRED)
add_library(plimb_potrace INTERFACE)
target_include_directories(plimb_potrace SYSTEM INTERFACE ${POTRACE_INCLUDE_DIR})
target_link_libraries(plimb_potrace INTERFACE ${POTRACE_LIBRARY})

# Qt5::Svg drags in QtWidgets' include path and link interface. The core only
# needs QSvgRenderer, so it gets QtSvg without them: a widget header included
# in core code then fails to compile instead of slipping through.
get_target_property(qtsvg_location Qt5::Svg LOCATION)
get_target_property(qtsvg_includes Qt5::Svg INTERFACE_INCLUDE_DIRECTORIES)
list(FILTER qtsvg_includes EXCLUDE REGEX "QtWidgets")
add_library(plimb_qtsvg_core INTERFACE)
target_include_directories(plimb_qtsvg_core SYSTEM INTERFACE ${qtsvg_includes})
target_compile_definitions(plimb_qtsvg_core INTERFACE QT_SVG_LIB)
target_link_libraries(plimb_qtsvg_core INTERFACE ${qtsvg_location} Qt5::Gui Qt5::Core)
