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

# Liberation 2 is in fonts-liberation2's own folder on Debian 12; from Debian 13 on it is
# fonts-liberation's, in that package's folder (where Debian 12 has the older Liberation 1).
find_path(CRATEFALL_FONT_DIR LiberationSans-Regular.ttf
    PATHS /usr/share/fonts/truetype/liberation2 /usr/share/fonts/truetype/liberation
    NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH DOC "Where fonts-liberation2 keeps Liberation Sans")
set(font_files)
foreach(face Regular Bold)
    set(font ${CRATEFALL_FONT_DIR}/LiberationSans-${face}.ttf)
    if(NOT EXISTS ${font})
        message(FATAL_ERROR "${font} is missing: the Windows build carries it (fonts-liberation2)")
    endif()
    list(APPEND font_files ${font})
endforeach()
qt_add_resources(cratefall_core cratefall_fonts
    PREFIX /fonts
    BASE ${CRATEFALL_FONT_DIR}
    FILES ${font_files}
)
