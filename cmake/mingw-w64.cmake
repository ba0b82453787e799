# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (the posix thread
# model, which std::thread and Qt need).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(ORVO_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ORVO_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ORVO_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${ORVO_MINGW}-windres)
# Libraries and packages only from the target's own folders: MinGW's, and
# any given in CMAKE_FIND_ROOT_PATH (the preset adds Qt for Windows).
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${ORVO_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
