# Included by tests/CMakeLists.txt in the Windows build: every test program runs under Wine, in a
# prefix and on an X server of its own (run_in_wine.sh), finding Qt's and the compiler's DLLs
# where the build found them.
get_filename_component(qt_prefix "${QT6_INSTALL_PREFIX}" ABSOLUTE)
set(dll_dirs ${qt_prefix}/bin)
foreach(runtime libstdc++-6.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${runtime}
                    OUTPUT_VARIABLE runtime_path OUTPUT_STRIP_TRAILING_WHITESPACE)
    get_filename_component(runtime_dir "${runtime_path}" DIRECTORY)
    get_filename_component(runtime_dir "${runtime_dir}" ABSOLUTE)
    list(APPEND dll_dirs ${runtime_dir})
endforeach()
list(REMOVE_DUPLICATES dll_dirs)
string(REPLACE ";" ":" CRATEFALL_WINE_DLL_DIRS "${dll_dirs}")
set(CRATEFALL_WINE_ROOT ${PROJECT_BINARY_DIR}/wine)
set(CMAKE_CROSSCOMPILING_EMULATOR
    bash ${CMAKE_CURRENT_LIST_DIR}/run_in_wine.sh ${CRATEFALL_WINE_ROOT} ${CRATEFALL_WINE_DLL_DIRS})
