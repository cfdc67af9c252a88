# Fails when a source file includes a header of a layer it must not see. Run as a script:
#   cmake -DROOT=<source tree> -P CheckIncludes.cmake
#
# The layers, from the bottom: the runtime's base (program data, memory, values, template
# reading), the contract (contract/), then the host (host/) and the unit types
# (units/<type>, libraries/) side by side.
# - The base sees neither the host nor any unit code.
# - The contract sees, of the runtime, only the program data structures, the notify codes, the
#   value records and the memory service, and of the units only itself.
# - Unit types reach the host only through the notify codes and the contract, never its headers.

cmake_minimum_required(VERSION 3.25)

if(NOT ROOT)
  message(FATAL_ERROR "CheckIncludes.cmake needs -DROOT=<source tree>")
endif()

set(contract_runtime_headers
  base/program/program_header.h
  base/program/notify_codes.h
  base/program/memory.h
  base/values/value.h)

# Why an include of `header` from `file` breaks the layers; empty when it does not.
function(layer_violation file header out)
  set(reason "")
  if(file MATCHES "^base/")
    if(header MATCHES "^(host|contract|units|libraries)/")
      set(reason "the runtime's base sees neither the host nor the units")
    endif()
  elseif(file MATCHES "^contract/")
    if(header MATCHES "^(base|host)/" AND NOT header IN_LIST contract_runtime_headers)
      list(JOIN contract_runtime_headers ", " allowed)
      set(reason "the unit contract sees of the runtime only ${allowed}")
    elseif(header MATCHES "^(units|libraries)/")
      set(reason "the unit contract sees no unit type")
    endif()
  elseif(file MATCHES "^(units|libraries)/")
    if(header MATCHES "^host/")
      set(reason "unit types reach the host only through notify codes and the unit contract")
    endif()
  endif()
  set(${out} "${reason}" PARENT_SCOPE)
endfunction()

file(GLOB_RECURSE sources RELATIVE ${ROOT}
  ${ROOT}/base/*.h ${ROOT}/base/*.cpp ${ROOT}/contract/*.h ${ROOT}/contract/*.cpp ${ROOT}/host/*.h
  ${ROOT}/host/*.cpp ${ROOT}/libraries/*.h ${ROOT}/libraries/*.cpp ${ROOT}/units/*.h ${ROOT}/units/*.cpp)
list(SORT sources)
set(violations "")
foreach(file IN LISTS sources)
  file(STRINGS ${ROOT}/${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*$" "\\1" header "${line}")
    layer_violation(${file} ${header} reason)
    if(reason)
      string(APPEND violations "\n  ${file} includes ${header}: ${reason}")
    endif()
  endforeach()
endforeach()
if(violations)
  message(FATAL_ERROR "Includes across the layers:${violations}")
endif()
