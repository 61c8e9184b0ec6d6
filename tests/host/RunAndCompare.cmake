# Runs PROGRAM on DOCUMENT and fails unless it exits 0 and prints exactly the text of EXPECTED.
execute_process(COMMAND ${PROGRAM} ${DOCUMENT} OUTPUT_VARIABLE output RESULT_VARIABLE status)
file(READ ${EXPECTED} expected)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${PROGRAM} exited with ${status}")
endif()
if(NOT output STREQUAL expected)
    message(FATAL_ERROR "${PROGRAM} printed:\n${output}\nexpected:\n${expected}")
endif()
