# Windows x86_64: the target that runs here under Wine. Its test programs run
# under Wine with a prefix, server and display of the test run's own (see
# tests/wine/).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(MOX_MINGW_PREFIX x86_64-w64-mingw32)
set(MOX_RUNS_UNDER_WINE ON)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain.cmake)
