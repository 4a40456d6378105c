# Cross toolchain: 64-bit Windows with mingw-w64 (posix threads), tests run
# under 64-bit Wine. The shipped driver is the 32-bit build; this one runs the
# Windows tests on machines that cannot execute 32-bit programs.
set(MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
find_program(WINE64_EXECUTABLE NAMES wine64 PATHS /usr/lib/wine REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${WINE64_EXECUTABLE})
