# Cross-compiling Veskora for 64-bit Windows with MinGW-w64 (the posix thread
# model, which GoogleTest needs); the test programs run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VESKORA_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VESKORA_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VESKORA_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${VESKORA_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VESKORA_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# scripts/wine-exec runs a Windows program in the project's own Wine prefix.
set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-exec")
