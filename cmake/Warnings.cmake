# SPDX-License-Identifier: GPL-3.0-or-later
# Warnings for every target of the project; ZELMO_WERROR makes them fatal (CI does).
function(zelmo_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow)
  if(ZELMO_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# Adds one GoogleTest executable and registers its cases with CTest.
function(zelmo_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
  zelmo_warnings(${name})
  if(CMAKE_CROSSCOMPILING)
    # Each start of a program under the emulator costs a good part of a
    # second: one run per program, whose output names any failed case.
    add_test(NAME ${name} COMMAND ${name})
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 30)
  endif()
endfunction()
