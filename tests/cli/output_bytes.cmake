# Runs COMMAND ("|" between its words: the emulator, if any, then qalix and its arguments) with
# its output in OUT, and fails unless every line ends in "\n" alone: what qalix prints is the
# same bytes on every system.
string(REPLACE "|" ";" command "${COMMAND}")
execute_process(COMMAND ${command} OUTPUT_FILE "${OUT}" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${command} ended with ${status}")
endif()
file(READ "${OUT}" bytes HEX)
if(NOT bytes MATCHES "0a$")
  message(FATAL_ERROR "the output does not end with a line feed: ${bytes}")
endif()
if(bytes MATCHES "^(..)*0d")
  message(FATAL_ERROR "the output holds a carriage return: ${bytes}")
endif()
