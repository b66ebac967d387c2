# SPDX-License-Identifier: GPL-3.0-or-later
# Runs one fuzzer for RUNS inputs: the empty WORK folder first, so that new
# inputs and crash reports land there, the committed CORPUS second.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/new)
execute_process(
  COMMAND ${FUZZER} -runs=${RUNS} -max_len=4096 -max_total_time=120 -timeout=10
          -artifact_prefix=${WORK}/ ${WORK}/new ${CORPUS}
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${FUZZER} failed (${result}); inputs and crash reports are in ${WORK}")
endif()
