# The skins a program's main form carries, as its form text stores them: the skin component's own
# (the default skin, behind its byte count) and the ten items of its skin store.
#
#   qs_program_skins(STREAM_VAR ITEMS_VAR FILES_VAR)
#
# STREAM_VAR receives the default skin's stream file (for SkinStream = {file "..."}), ITEMS_VAR the
# store's item list (for Store = < ... >, items "SkinItem0" to "SkinItem9"), FILES_VAR every file
# the two name, which the form compilation depends on. The skins/ folder makes them (target qs_skins).
include_guard(GLOBAL)

function(qs_program_skins stream_var items_var files_var)
  get_property(packed GLOBAL PROPERTY QS_PACKED_SKINS)
  if(NOT packed)
    message(FATAL_ERROR "qs_program_skins: the skins are not packed in this build")
  endif()
  list(REMOVE_AT packed 0) # the default skin, carried as the stream
  set(stream ${CMAKE_BINARY_DIR}/skins/default.skinstream)
  set(items "")
  set(index 0)
  foreach(skin IN LISTS packed)
    string(APPEND items "      item\n        Name = 'SkinItem${index}'\n        DataStream = {file \"${skin}\"}\n      end\n")
    math(EXPR index "${index} + 1")
  endforeach()
  set(${stream_var} ${stream} PARENT_SCOPE)
  set(${items_var} "${items}" PARENT_SCOPE)
  set(${files_var} ${stream} ${packed} PARENT_SCOPE)
endfunction()
