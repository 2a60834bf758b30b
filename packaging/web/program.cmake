# What the browser's game carries: the design's face, which a browser does not have. Qt writes the
# module's loader beside it (qt_add_executable); the release takes its own page instead of Qt's.
include(${PROJECT_SOURCE_DIR}/cmake/carried_fonts.cmake)
