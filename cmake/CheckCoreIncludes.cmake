# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the includes of one core subsystem against the layering declared in
# src/core/CMakeLists.txt. Run by the build (cmake -P) with:
#   SUBSYSTEM     the folder name, e.g. files
#   FOLDER        its full path
#   ROOT          the project's source folder, for the paths in the messages
#   ALLOWED       comma-separated subsystems its sources may include (itself among them)
#   TEST_ALLOWED  the same for its test files (*_test.cpp, *_test.h, *_test_support.h)
#   STAMP         written when every include is allowed
# Every quoted include in the core names its file from src/ as
# "core/<subsystem>/...", so that a look at that prefix is enough; an include
# of a subsystem outside the list stops the build with file, line and the
# forbidden dependency.
#
# The core is the same on every system; what differs sits in its platform
# files, named platform_*.h / platform_*.cpp. A preprocessor test of the
# system (_WIN32, __linux__ ...) anywhere else stops the build too.
cmake_minimum_required(VERSION 3.25)

foreach(var SUBSYSTEM FOLDER ROOT STAMP)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "CheckCoreIncludes.cmake needs -D${var}=...")
  endif()
endforeach()
string(REPLACE "," ";" allowed "${ALLOWED}")
string(REPLACE "," ";" test_allowed "${TEST_ALLOWED}")

set(platform_regex "^[ \t]*#[ \t]*(if|ifdef|ifndef|elif)[ \t(!].*(_WIN32|_WIN64|WIN32|__linux|__unix|__APPLE__|__MACH__|_MSC_VER|__MINGW|__CYGWIN__|_POSIX_|__FreeBSD__)")
set(include_regex "^[ \t]*#[ \t]*include[ \t]*([\"<])([^\">]*)[\">]")

# What is wrong with one include target of a file, or nothing.
function(zelmo_include_problem result delimiter target allowed_list)
  set(problem "")
  if(target MATCHES "^core/([^/]+)/")
    set(used "${CMAKE_MATCH_1}")
    if(NOT used IN_LIST allowed_list)
      list(REMOVE_ITEM allowed_list ${SUBSYSTEM})
      list(TRANSFORM allowed_list PREPEND "core/")
      list(JOIN allowed_list ", " may)
      if(may STREQUAL "")
        set(may "no other subsystem")
      endif()
      string(CONCAT problem "core/${SUBSYSTEM} must not depend on core/${used} (includes ${target}); "
                            "allowed here: ${may} (the table in src/core/CMakeLists.txt)")
    endif()
  elseif(delimiter STREQUAL "\"")
    set(problem "quoted includes in the core name their file as \"core/<subsystem>/...\" (found \"${target}\")")
  endif()
  set(${result} "${problem}" PARENT_SCOPE)
endfunction()

file(GLOB files ${FOLDER}/*.cpp ${FOLDER}/*.h)
list(SORT files)
set(count 0)
foreach(file ${files})
  get_filename_component(name ${file} NAME)
  if(name MATCHES "_test(_support)?\\.(cpp|h)$")
    set(may ${test_allowed})
  else()
    set(may ${allowed})
  endif()
  file(READ ${file} content)
  # One list element per line: characters that CMake lists treat specially
  # become blanks first, so the line numbers stay right.
  string(REGEX REPLACE "[][;\\\\]" " " content "${content}")
  string(REPLACE "\n" ";" lines "${content}")
  file(RELATIVE_PATH shown ${ROOT} ${file})
  set(number 0)
  foreach(line IN LISTS lines)
    math(EXPR number "${number} + 1")
    if(NOT name MATCHES "^platform_" AND line MATCHES "${platform_regex}")
      message(NOTICE "${shown}:${number}: error: a test of the system belongs in a platform file "
                     "(platform_*.h / platform_*.cpp of the subsystem)")
      math(EXPR count "${count} + 1")
    endif()
    if(line MATCHES "${include_regex}")
      zelmo_include_problem(problem "${CMAKE_MATCH_1}" "${CMAKE_MATCH_2}" "${may}")
      if(problem)
        message(NOTICE "${shown}:${number}: error: ${problem}")
        math(EXPR count "${count} + 1")
      endif()
    endif()
  endforeach()
endforeach()

if(count GREATER 0)
  message(FATAL_ERROR "core/${SUBSYSTEM}: ${count} include(s) across the layering or system test(s) outside a platform file")
endif()
file(TOUCH ${STAMP})
