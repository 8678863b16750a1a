# Cross toolchain: 64-bit Windows, the same program for 64-bit systems.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(QS_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
