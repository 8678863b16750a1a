# Shared by the MinGW-w64 toolchain files: set CMAKE_SYSTEM_PROCESSOR and QS_MINGW_TRIPLE, then
# include this. Posix threads, so std::mutex exists; the runtime is linked statically so every
# .exe runs with no DLL beside it.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${QS_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QS_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${QS_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${QS_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
