cmake_minimum_required(VERSION 3.25)

# Runs one console transcript: NAME.in is fed to `pelmark console`, its answers must equal NAME.out
# line for line. In both files @SAMPLE@ stands for a freshly written sample trip and @WORK@ for an
# empty scratch folder. Comment lines of NAME.in may carry directives for the runner:
#   # exit: N        the exit code expected (default 0)
#   # options: ...   more options for the console (the settings store always lives in @WORK@)
# Called with -DPELMARK=<program> -DTRANSCRIPT=<path without extension> -DWORK=<folder> [-DMODE=widgets].

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/sample ${WORK}/scratch)
set(sample ${WORK}/sample)
set(scratch ${WORK}/scratch)

execute_process(COMMAND ${PELMARK} sample ${sample} RESULT_VARIABLE sample_result OUTPUT_QUIET)
if(NOT sample_result EQUAL 0)
  message(FATAL_ERROR "pelmark sample failed: ${sample_result}")
endif()

file(READ ${TRANSCRIPT}.in script)
file(READ ${TRANSCRIPT}.out expected)
foreach(text script expected)
  string(REPLACE "@SAMPLE@" "${sample}" ${text} "${${text}}")
  string(REPLACE "@WORK@" "${scratch}" ${text} "${${text}}")
endforeach()
file(WRITE ${WORK}/script.in "${script}")

set(expected_exit 0)
if(script MATCHES "# exit: ([0-9]+)")
  set(expected_exit ${CMAKE_MATCH_1})
endif()
set(options --settings ${WORK}/settings)
if(script MATCHES "# options: ([^\n]*)")
  separate_arguments(more UNIX_COMMAND "${CMAKE_MATCH_1}")
  list(APPEND options ${more})
endif()
if(MODE STREQUAL "widgets")
  list(APPEND options --widgets)
endif()

# In the work folder, where relative paths find the sample trip as `sample/` (the worked examples use
# them, as a reader would type them).
execute_process(COMMAND ${PELMARK} console ${options} INPUT_FILE ${WORK}/script.in OUTPUT_VARIABLE actual
                RESULT_VARIABLE exit_code WORKING_DIRECTORY ${WORK})

if(NOT actual STREQUAL expected)
  file(WRITE ${WORK}/actual.out "${actual}")
  file(WRITE ${WORK}/expected.out "${expected}")
  execute_process(COMMAND diff -u ${WORK}/expected.out ${WORK}/actual.out OUTPUT_VARIABLE difference)
  message(FATAL_ERROR "answers differ from ${TRANSCRIPT}.out:\n${difference}")
endif()
if(NOT exit_code STREQUAL expected_exit)
  message(FATAL_ERROR "exit code ${exit_code}, expected ${expected_exit}")
endif()
