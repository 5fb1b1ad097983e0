# Windows i686: the shipped 32-bit target. Built, never run here (this kernel
# runs no 32-bit programs, so Wine cannot start them).
set(CMAKE_SYSTEM_PROCESSOR i686)
set(MOX_MINGW_PREFIX i686-w64-mingw32)
set(MOX_RUNS_UNDER_WINE OFF)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain.cmake)
