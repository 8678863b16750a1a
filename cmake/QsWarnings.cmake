# One warning set for every target of ours.
add_library(qs_warnings INTERFACE)
target_compile_options(qs_warnings INTERFACE -Wall -Wextra -Wno-unused-parameter)
if(CMAKE_SYSTEM_NAME STREQUAL "Windows")
  # The engine's window code is ANSI unless a control needs Unicode; target XP-era APIs and up.
  target_compile_definitions(qs_warnings INTERFACE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
endif()
