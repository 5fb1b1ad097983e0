# Windows x86_64: the target that runs here under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(MOX_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${MOX_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MOX_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${MOX_MINGW_PREFIX}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${MOX_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Windows test programs run under Wine through a wrapper that uses the test
# run's own prefix, wine server and X display (see tests/wine/).
set(MOX_RUNS_UNDER_WINE ON)
