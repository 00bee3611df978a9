# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 (its POSIX thread flavour,
# which C++17's threads and SDL's need). Used by tools/windows.sh for SDL and the game.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VANTOREL_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VANTOREL_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VANTOREL_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${VANTOREL_MINGW}-windres)
set(CMAKE_AR /usr/bin/${VANTOREL_MINGW}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB /usr/bin/${VANTOREL_MINGW}-ranlib CACHE FILEPATH "")
set(CMAKE_STRIP /usr/bin/${VANTOREL_MINGW}-strip CACHE FILEPATH "")
set(CMAKE_OBJDUMP /usr/bin/${VANTOREL_MINGW}-objdump CACHE FILEPATH "")

# Libraries and headers from the target's tree and the prefixes handed in (SDL's);
# programs from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${VANTOREL_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
