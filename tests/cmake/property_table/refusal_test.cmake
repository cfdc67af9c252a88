# Compiles one made-up property table of contradictions.cpp and checks the build's verdict: the
# sound table compiles, every other is refused with the reason given.
#   cmake -DCXX=<compiler> -DROOT=<source tree> -DCASE=<name> -DEXPECT=<reason or "accepted">
#         -P refusal_test.cmake
cmake_minimum_required(VERSION 3.25)

string(TOUPPER "${CASE}" define)
execute_process(
  COMMAND ${CXX} -std=c++20 -fsyntax-only -I${ROOT} -DCASE_${define}
          ${CMAKE_CURRENT_LIST_DIR}/contradictions.cpp
  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(EXPECT STREQUAL "accepted")
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${CASE}: a sound table was refused:\n${output}")
  endif()
elseif(result EQUAL 0)
  message(FATAL_ERROR "${CASE}: the build accepted a table that says '${EXPECT}'")
else()
  string(FIND "${output}" "${EXPECT}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${CASE}: refused, but not with '${EXPECT}':\n${output}")
  endif()
endif()
message(STATUS "${CASE}: ${EXPECT}")
