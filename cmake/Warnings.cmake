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
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 30)
endfunction()
