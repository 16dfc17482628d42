# Cross-building for 64-bit Windows with Debian's MinGW-w64 (posix threads:
# the win32-thread variant has no std::thread). QUORVANE_WX_PREFIX and
# QUORVANE_GTEST_PREFIX name the cross-built wxWidgets and GoogleTest.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(QUORVANE_MINGW x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${QUORVANE_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUORVANE_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${QUORVANE_MINGW}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${QUORVANE_MINGW} ${QUORVANE_WX_PREFIX} ${QUORVANE_GTEST_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
if(QUORVANE_WX_PREFIX)
  set(wxWidgets_CONFIG_EXECUTABLE ${QUORVANE_WX_PREFIX}/bin/wx-config)
endif()

# One self-contained executable each: no MinGW runtime DLLs to ship.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
