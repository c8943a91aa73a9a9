# Cross-building the Windows x64 programs with Debian's MinGW-w64 (POSIX
# threads, for std::thread and std::mutex). The libraries come from the prefix
# scripts/build-windows fills (VANTREL_WINDOWS_PREFIX); nothing of the host's
# is searched, and test programs run through Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(VANTREL_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VANTREL_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VANTREL_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${VANTREL_TRIPLE}-windres)

if(NOT VANTREL_WINDOWS_PREFIX)
  set(VANTREL_WINDOWS_PREFIX "$ENV{VANTREL_WINDOWS_PREFIX}")
endif()
set(VANTREL_WINDOWS_PREFIX "${VANTREL_WINDOWS_PREFIX}" CACHE PATH "Libraries built for Windows by scripts/build-windows")
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES VANTREL_WINDOWS_PREFIX)

set(CMAKE_FIND_ROOT_PATH /usr/${VANTREL_TRIPLE} ${VANTREL_WINDOWS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# pkg-config reads only the prefix's .pc files: the host's flags never reach MinGW.
set(ENV{PKG_CONFIG_LIBDIR} "${VANTREL_WINDOWS_PREFIX}/lib/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")
set(ENV{PKG_CONFIG_SYSROOT_DIR} "")
set(PKG_CONFIG_ARGN --static)
set(wxWidgets_CONFIG_EXECUTABLE "${VANTREL_WINDOWS_PREFIX}/bin/wx-config" CACHE FILEPATH "")

find_program(VANTREL_WINE wine REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${VANTREL_WINE})
