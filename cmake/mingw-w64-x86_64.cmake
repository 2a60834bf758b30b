# Cross-compiles for 64-bit Windows with Debian's mingw-w64 (posix threads, which Qt's
# std::thread and std::mutex use).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CRATEFALL_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${CRATEFALL_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${CRATEFALL_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${CRATEFALL_MINGW_TRIPLET}-windres)
set(CMAKE_AR ${CRATEFALL_MINGW_TRIPLET}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${CRATEFALL_MINGW_TRIPLET}-gcc-ranlib-posix CACHE FILEPATH "")

# Libraries and headers come from the sysroot and the prefixes given (Qt for Windows); programs
# run during the build come from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${CRATEFALL_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
