# Cross build for 32-bit Windows with Debian's mingw-w64 i686 toolchain.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(TAVRIK_MINGW_PREFIX i686-w64-mingw32)
# The posix threading variant: its C++ library has std::mutex, which GoogleTest needs. Everything
# is linked statically, so no threading DLL is needed at run time.
set(CMAKE_C_COMPILER ${TAVRIK_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TAVRIK_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TAVRIK_MINGW_PREFIX}-windres)
set(CMAKE_OBJDUMP ${TAVRIK_MINGW_PREFIX}-objdump)

set(CMAKE_FIND_ROOT_PATH /usr/${TAVRIK_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Test programs run under Wine in a private prefix inside the build tree.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh)
