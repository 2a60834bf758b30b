# What the Windows game carries beside its code: no console window, its own icon (the title
# tile, as on the Linux desktop) and version information, and the design's face, which Windows
# does not have, built in as a Qt resource (loaded by shell::prepareApplication).

set_target_properties(cratefall PROPERTIES WIN32_EXECUTABLE ON)

set(CRATEFALL_TITLE_TILE ${PROJECT_BINARY_DIR}/src/pictures/drawn/Tile01.ico)
string(REPLACE "." "," CRATEFALL_VERSION_COMMAS "${PROJECT_VERSION}.0")
configure_file(${CMAKE_CURRENT_LIST_DIR}/cratefall.rc.in ${CMAKE_CURRENT_BINARY_DIR}/cratefall.rc
               @ONLY)
target_sources(cratefall PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/cratefall.rc)
set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/cratefall.rc PROPERTIES
    OBJECT_DEPENDS ${CRATEFALL_TITLE_TILE})

include(${PROJECT_SOURCE_DIR}/cmake/carried_fonts.cmake)
