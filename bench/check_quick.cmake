# Runs tavrik_bench --quick: it must exit 0 and print its table. Usage:
#   cmake -DBENCH=path/to/tavrik_bench -P check_quick.cmake
execute_process(COMMAND ${BENCH} --quick
                RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE errors
                TIMEOUT 100)
message("${output}")
if(NOT status EQUAL 0)
  message(FATAL_ERROR "tavrik_bench --quick exited with ${status}:\n${errors}")
endif()
string(FIND "${output}" "| row | measurement | measured | target | result |" header_at)
if(header_at EQUAL -1)
  message(FATAL_ERROR "tavrik_bench --quick printed no table")
endif()
