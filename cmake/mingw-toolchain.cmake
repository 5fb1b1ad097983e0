# What both Windows toolchains share; each sets MOX_MINGW_PREFIX and
# CMAKE_SYSTEM_PROCESSOR first. The -posix compilers are the ones with
# std::thread and std::mutex, which GoogleTest needs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${MOX_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MOX_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${MOX_MINGW_PREFIX}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${MOX_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
