# formtool's header of form.json built into a program with the form's handlers:
#   complete  the program links and finds every handler through the table by its offset;
#   missing   without one handler the form names, the program does not link, and the linker
#             names the handler;
#   ids_only  a source that uses only the ids links without the handlers.
#   cmake -DFORMTOOL=<formtool> -DCXX=<compiler> -DROOT=<source tree> -DWORK=<folder> -DCASE=<case>
#         -P header_test.cmake
cmake_minimum_required(VERSION 3.25)

set(here ${CMAKE_CURRENT_LIST_DIR})
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
execute_process(
  COMMAND ${FORMTOOL} compile ${here}/form.json -o ${WORK}/form.tpl --header ${WORK}/form.h --namespace hello
  RESULT_VARIABLE result ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "formtool compile failed:\n${output}")
endif()

set(sources ${here}/program.cpp ${here}/handlers.cpp)
set(defines)
if(CASE STREQUAL "missing")
  set(defines -DLEAVE_OUT_FIXED)
elseif(CASE STREQUAL "ids_only")
  set(sources ${here}/program.cpp)
  set(defines -DUSE_IDS_ONLY)
endif()
execute_process(
  COMMAND ${CXX} -std=c++20 -Wall -Wextra -Werror -I${ROOT} -I${WORK} ${defines} ${sources} -o ${WORK}/program
  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)

if(CASE STREQUAL "missing")
  if(result EQUAL 0)
    message(FATAL_ERROR "a program without the handler Fixed, which the form names, was built")
  endif()
  if(NOT output MATCHES "undefined reference to [`']hello::Fixed\\(")
    message(FATAL_ERROR "the build failed, but not for the missing handler Fixed:\n${output}")
  endif()
  message(STATUS "the missing handler stops the link:\n${output}")
  return()
endif()
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the program on the header was not built:\n${output}")
endif()
execute_process(COMMAND ${WORK}/program RESULT_VARIABLE result OUTPUT_VARIABLE output)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the program on the header answered ${result}:\n${output}")
endif()
message(STATUS "${output}")
