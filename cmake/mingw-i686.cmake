# Cross toolchain: 32-bit Windows with mingw-w64 (posix threads), tests run under Wine.
set(MINGW_TRIPLE i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
find_program(WINE_EXECUTABLE NAMES wine REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${WINE_EXECUTABLE})
