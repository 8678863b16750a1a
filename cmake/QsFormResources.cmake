# Form texts compiled into the executable's resources at build time.
#
#   qs_add_form_resources(TARGET
#     FORMS unit_capscr.txt unit_option.txt ...
#     [DEPENDS files the forms reference that should rebuild them even without a depfile ...]
#     [BASE_DIR dir]          # where {file "..."} paths start; default: each form's own folder
#     [OUTPUTS var])          # receives the compiled .res-bin paths
#
# Each form becomes <binary dir>/<TARGET>_forms/<name>.res-bin. In the Windows build a generated
# resource script embeds it as RCDATA named after the form's class in upper case ("TFORM1") and is
# added to TARGET; the form layer finds it with FindResource. The compiler reports every file a
# form references, so editing a skin recompiles the form that embeds it.
include_guard(GLOBAL)
include(QsHostTools)

if(CMAKE_SYSTEM_NAME STREQUAL "Windows" AND NOT CMAKE_RC_COMPILER_LOADED)
  enable_language(RC)
endif()

function(qs_add_form_resources target)
  cmake_parse_arguments(ARG "" "BASE_DIR;OUTPUTS" "FORMS;DEPENDS" ${ARGN})
  if(NOT ARG_FORMS)
    message(FATAL_ERROR "qs_add_form_resources(${target}): no FORMS")
  endif()
  qs_host_tool_command(formc formc_exe formc_deps)
  set(out_dir ${CMAKE_CURRENT_BINARY_DIR}/${target}_forms)
  file(MAKE_DIRECTORY ${out_dir})

  set(bins)
  set(scripts)
  foreach(form IN LISTS ARG_FORMS)
    get_filename_component(src ${form} ABSOLUTE)
    get_filename_component(stem ${form} NAME_WE)
    set(bin ${out_dir}/${stem}.res-bin)
    set(rc ${out_dir}/${stem}.rc)
    set(args ${src} ${bin} --rc ${rc} --depfile ${bin}.d)
    if(ARG_BASE_DIR)
      get_filename_component(base ${ARG_BASE_DIR} ABSOLUTE)
      list(APPEND args --base-dir ${base})
    endif()
    add_custom_command(
      OUTPUT ${bin} ${rc}
      COMMAND ${formc_exe} ${args}
      DEPENDS ${src} ${ARG_DEPENDS} ${formc_deps}
      DEPFILE ${bin}.d
      COMMENT "Compiling form ${form}"
      VERBATIM)
    list(APPEND bins ${bin})
    list(APPEND scripts ${rc})
  endforeach()

  if(CMAKE_SYSTEM_NAME STREQUAL "Windows")
    set_source_files_properties(${scripts} PROPERTIES GENERATED TRUE OBJECT_DEPENDS "${bins}")
    target_sources(${target} PRIVATE ${scripts})
  else()
    add_custom_target(${target}_forms DEPENDS ${bins})
    add_dependencies(${target} ${target}_forms)
  endif()
  if(ARG_OUTPUTS)
    set(${ARG_OUTPUTS} ${bins} PARENT_SCOPE)
  endif()
endfunction()
