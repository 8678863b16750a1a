# Tools that run during the build (form compiler, skin packer) must run on the build machine, also
# in the cross build. qs_host_tool builds one from its sources with the host's C++ compiler there;
# in a native build it is an ordinary executable.
#
#   qs_host_tool(NAME SOURCES a.cpp b.cpp ... [INCLUDE_DIRS dir ...] [DEFINITIONS NAME=VALUE ...])
#   qs_host_tool_command(NAME EXE_VAR DEPENDS_VAR)
#
# The second gives what a custom command needs: the executable to put in COMMAND and what to list
# in DEPENDS so the command reruns when the tool changes.
#
#   qs_host_tool_command(formc formc_exe formc_deps)
#   add_custom_command(OUTPUT x COMMAND ${formc_exe} in x DEPENDS in ${formc_deps})
include_guard(GLOBAL)

if(CMAKE_CROSSCOMPILING)
  find_program(QS_HOST_CXX NAMES c++ g++ clang++ REQUIRED DOC "C++ compiler for tools that run during the build")
endif()

function(qs_host_tool name)
  cmake_parse_arguments(ARG "" "" "SOURCES;INCLUDE_DIRS;DEFINITIONS" ${ARGN})
  set(sources)
  foreach(src IN LISTS ARG_SOURCES)
    get_filename_component(src ${src} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
    list(APPEND sources ${src})
  endforeach()

  if(NOT CMAKE_CROSSCOMPILING)
    add_executable(${name} ${sources})
    target_include_directories(${name} PRIVATE ${ARG_INCLUDE_DIRS})
    target_compile_definitions(${name} PRIVATE ${ARG_DEFINITIONS})
    target_link_libraries(${name} PRIVATE qs_warnings)
    set_property(GLOBAL PROPERTY QS_HOST_TOOL_${name}_EXE $<TARGET_FILE:${name}>)
    set_property(GLOBAL PROPERTY QS_HOST_TOOL_${name}_DEPENDS ${name})
    return()
  endif()

  set(dir ${CMAKE_BINARY_DIR}/host-tools/${name})
  set(exe ${dir}/${name})
  set(flags -std=c++20 -O2 -Wall -Wextra -Wno-unused-parameter)
  foreach(inc IN LISTS ARG_INCLUDE_DIRS)
    list(APPEND flags -I${inc})
  endforeach()
  foreach(def IN LISTS ARG_DEFINITIONS)
    list(APPEND flags -D${def})
  endforeach()

  # One object per source, each with its depfile, so a header change rebuilds just what uses it.
  set(objects)
  foreach(src IN LISTS sources)
    file(RELATIVE_PATH rel ${CMAKE_SOURCE_DIR} ${src})
    string(REGEX REPLACE "[/.]" "_" stem ${rel})
    set(obj ${dir}/${stem}.o)
    add_custom_command(
      OUTPUT ${obj}
      COMMAND ${QS_HOST_CXX} ${flags} -MD -MF ${obj}.d -c ${src} -o ${obj}
      DEPENDS ${src}
      DEPFILE ${obj}.d
      COMMENT "Compiling ${rel} for the host tool ${name}"
      VERBATIM)
    list(APPEND objects ${obj})
  endforeach()
  add_custom_command(
    OUTPUT ${exe}
    COMMAND ${QS_HOST_CXX} ${objects} -o ${exe}
    DEPENDS ${objects}
    COMMENT "Linking host tool ${name}"
    VERBATIM)
  add_custom_target(${name} DEPENDS ${exe})
  set_property(GLOBAL PROPERTY QS_HOST_TOOL_${name}_EXE ${exe})
  set_property(GLOBAL PROPERTY QS_HOST_TOOL_${name}_DEPENDS ${exe} ${name})
endfunction()

function(qs_host_tool_command name exe_var depends_var)
  get_property(exe GLOBAL PROPERTY QS_HOST_TOOL_${name}_EXE)
  if(NOT exe)
    message(FATAL_ERROR "qs_host_tool_command: no host tool ${name} (qs_host_tool must come first)")
  endif()
  get_property(deps GLOBAL PROPERTY QS_HOST_TOOL_${name}_DEPENDS)
  set(${exe_var} ${exe} PARENT_SCOPE)
  set(${depends_var} ${deps} PARENT_SCOPE)
endfunction()
