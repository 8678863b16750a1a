# GoogleTest for both presets, and the helpers that add test executables.
#   native: the Debian package.
#   win32/win64: the Debian-shipped sources, built with the cross toolchain; tests run through
#           Wine's loader of the build's bitness.
enable_testing()

if(CMAKE_SYSTEM_NAME STREQUAL "Windows")
  set(QS_GTEST_SRC /usr/src/googletest CACHE PATH "GoogleTest sources to cross-build")
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  add_subdirectory(${QS_GTEST_SRC} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

  # Every Windows test runs under Wine in the build tree's own prefix (made once, kept warm), a
  # win64 prefix and loader for the 64-bit build, a win32 one for the 32-bit build.
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(QS_WINE_ARCH win64 CACHE INTERNAL "Wine prefix kind of this build")
  else()
    set(QS_WINE_ARCH win32 CACHE INTERNAL "Wine prefix kind of this build")
  endif()
  set(QS_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix CACHE PATH "Wine prefix for the tests")
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/cmake/wine-run.sh ${QS_WINEPREFIX} ${QS_WINE_ARCH})

  # The poisoning, quarantining operator new and delete, compiled once and linked into every test
  # as an object: an archive member would be linked only if the linker chose it over libstdc++'s.
  add_library(qs_poison_heap OBJECT ${CMAKE_SOURCE_DIR}/tests/support/poison_heap.cpp)
  target_link_libraries(qs_poison_heap PRIVATE qs_warnings)
else()
  find_package(GTest REQUIRED)
endif()

# qs_add_test(NAME SOURCES... [LIBS ...] [PLAIN_HEAP]): one gtest executable, discovered test by
# test. PLAIN_HEAP leaves out the quarantining heap, whose held blocks would hide what a soak
# measures of the process's memory.
function(qs_add_test name)
  cmake_parse_arguments(ARG "PLAIN_HEAP" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES} ${ARG_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main qs_warnings)
  if(CMAKE_SYSTEM_NAME STREQUAL "Windows")
    if(NOT ARG_PLAIN_HEAP)
      target_sources(${name} PRIVATE $<TARGET_OBJECTS:qs_poison_heap>)
    endif()
    # Discovery under Wine costs a process start per executable; one CTest entry per exe is cheaper.
    add_test(NAME ${name} COMMAND ${name} --gtest_color=no)
    set_tests_properties(${name} PROPERTIES RUN_SERIAL TRUE TIMEOUT 300)
  else()
    include(GoogleTest)
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST)
  endif()
endfunction()
