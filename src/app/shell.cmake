# SPDX-License-Identifier: GPL-3.0-or-later
# The about box and the help command, kept in their own small library so their
# tests need nothing else of the window.
add_library(zelmo_shell STATIC
  ${CMAKE_CURRENT_LIST_DIR}/about_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/about_logo.cpp
  ${CMAKE_CURRENT_LIST_DIR}/help.cpp)
target_link_libraries(zelmo_shell PUBLIC zelmo_core Qt6::Widgets)
target_compile_definitions(zelmo_shell PRIVATE
  ZELMO_INSTALLED_MANUAL_DIR="${CMAKE_INSTALL_PREFIX}/${ZELMO_MANUAL_DIR}"
  ZELMO_RELATIVE_MANUAL_DIR="${ZELMO_MANUAL_DIR}")
zelmo_warnings(zelmo_shell)
if(TARGET zelmo_app)
  target_link_libraries(zelmo_app PUBLIC zelmo_shell)
endif()

if(ZELMO_BUILD_TESTS)
  # One Qt Test program per file, as for the window.
  foreach(test about_dialog help)
    add_executable(${test}_test ${CMAKE_CURRENT_LIST_DIR}/${test}_test.cpp)
    target_link_libraries(${test}_test PRIVATE zelmo_shell Qt6::Test)
    zelmo_warnings(${test}_test)
    add_test(NAME ${test}_test COMMAND ${test}_test)
    set_tests_properties(${test}_test PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
  endforeach()
endif()
