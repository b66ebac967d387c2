# SPDX-License-Identifier: GPL-3.0-or-later
# Every source file of the project names its licence in one of its first
# lines. Run as: cmake -DROOT=<source tree> -P CheckSpdx.cmake
set(tag "SPDX-License-Identifier: GPL-3.0-or-later")
file(GLOB_RECURSE sources LIST_DIRECTORIES false
     ${ROOT}/src/*.cpp ${ROOT}/src/*.h ${ROOT}/src/*.sh ${ROOT}/src/*CMakeLists.txt ${ROOT}/src/*.cmake
     ${ROOT}/fuzz/*.cpp ${ROOT}/fuzz/CMakeLists.txt ${ROOT}/fuzz/*.cmake
     ${ROOT}/bench/*.cpp ${ROOT}/bench/*.h ${ROOT}/bench/*.sh ${ROOT}/bench/*.py ${ROOT}/bench/*CMakeLists.txt
     ${ROOT}/cmake/*.cmake ${ROOT}/cmake/*.in ${ROOT}/scripts/* ${ROOT}/packaging/*.sh ${ROOT}/packaging/*.cmake)
list(APPEND sources ${ROOT}/CMakeLists.txt ${ROOT}/.ci/run)
set(missing "")
foreach(source IN LISTS sources)
  file(STRINGS ${source} head LIMIT_COUNT 3)
  string(FIND "${head}" "${tag}" at)
  if(at EQUAL -1)
    file(RELATIVE_PATH name ${ROOT} ${source})
    list(APPEND missing ${name})
  endif()
endforeach()
if(missing)
  list(JOIN missing "\n  " text)
  message(FATAL_ERROR "these files lack the line \"${tag}\" at their top:\n  ${text}")
endif()
