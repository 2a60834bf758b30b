# The design's face, built into the program as a Qt resource where the system may not have it
# (Windows, a browser); shell::prepareApplication loads it.
# Liberation 2 is in fonts-liberation2's own folder on Debian 12; from Debian 13 on it is
# fonts-liberation's, in that package's folder (where Debian 12 has the older Liberation 1).
find_path(CRATEFALL_FONT_DIR LiberationSans-Regular.ttf
    PATHS /usr/share/fonts/truetype/liberation2 /usr/share/fonts/truetype/liberation
    NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH DOC "Where fonts-liberation2 keeps Liberation Sans")
set(font_files)
foreach(face Regular Bold)
    set(font ${CRATEFALL_FONT_DIR}/LiberationSans-${face}.ttf)
    if(NOT EXISTS ${font})
        message(FATAL_ERROR "${font} is missing: the game carries it (fonts-liberation2)")
    endif()
    list(APPEND font_files ${font})
endforeach()
qt_add_resources(cratefall_core cratefall_fonts
    PREFIX /fonts
    BASE ${CRATEFALL_FONT_DIR}
    FILES ${font_files}
)
