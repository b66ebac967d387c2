# SPDX-License-Identifier: GPL-3.0-or-later
zelmo_gtest(zelmo_cli_device_tests SOURCES port_choice.cpp port_choice_test.cpp LIBS zelmo_serial)
target_include_directories(zelmo_cli_device_tests PRIVATE ${PROJECT_SOURCE_DIR}/src)

# The device commands against the simulated unit on a real pseudo-terminal.
if(UNIX AND TARGET zelmo-unit-sim)
  set(e2e_work ${CMAKE_CURRENT_BINARY_DIR}/device_e2e)
  foreach(case read program_verify verify_mismatch monitor silent drop_every_2 corrupt_every_2 delay bad_echo_1
               bad_echo_20 unordered version_60 unplug saving_silent reconnect ports no_port output_checked
               standard_streams monitor_silent stop_signals)
    add_test(NAME cli_device_${case}
             COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/tests/device_e2e.sh $<TARGET_FILE:zelmo-cli>
                     $<TARGET_FILE:zelmo-unit-sim> ${e2e_work} ${case})
    set_tests_properties(cli_device_${case} PROPERTIES TIMEOUT 60 LABELS device_e2e)
  endforeach()
endif()
