# Cross-builds Plinth for 64-bit Windows with Debian's mingw-w64 (POSIX
# thread model). Everything is linked statically, so Plinth.exe needs no DLL
# besides the system's.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(PLINTH_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${PLINTH_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${PLINTH_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${PLINTH_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${PLINTH_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# GCC 12 reports -Wrestrict overlaps inside std::string assignments that
# cannot happen (GCC bug 105329); with -Werror they would stop the build.
set(CMAKE_CXX_FLAGS_INIT "-Wno-restrict")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Test programs run under Wine, in a prefix of the build's own.
get_filename_component(PLINTH_SOURCE_DIR ${CMAKE_CURRENT_LIST_DIR}/.. ABSOLUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${PLINTH_SOURCE_DIR}/scripts/wine-run.sh ${CMAKE_BINARY_DIR}/wine)
