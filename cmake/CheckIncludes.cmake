# Fails when a source file includes a header of a layer it must not see. Run as a script:
#   cmake -DROOT=<source tree> -P CheckIncludes.cmake
#
# The layers, from the bottom: the runtime's base (program data, memory, values, template
# reading), the unit contract (units/framework), then the host (runtime/host) and the unit types
# (units/<type>, units/libraries) side by side.
# - The base sees neither the host nor any unit code.
# - The contract sees, of the runtime, only the program data structures, the notify codes, the
#   value records and the memory service, and of the units only itself.
# - Unit types reach the host only through the notify codes and the contract, never its headers.

cmake_minimum_required(VERSION 3.25)

if(NOT ROOT)
  message(FATAL_ERROR "CheckIncludes.cmake needs -DROOT=<source tree>")
endif()

set(contract_runtime_headers
  runtime/program/program_header.h
  runtime/program/notify_codes.h
  runtime/program/memory.h
  runtime/values/value.h)

# Why an include of `header` from `file` breaks the layers; empty when it does not.
function(layer_violation file header out)
  set(reason "")
  if(file MATCHES "^runtime/(program|values|template)/")
    if(header MATCHES "^runtime/host/" OR header MATCHES "^units/")
      set(reason "the runtime's base sees neither the host nor the units")
    endif()
  elseif(file MATCHES "^units/framework/")
    if(header MATCHES "^runtime/" AND NOT header IN_LIST contract_runtime_headers)
      list(JOIN contract_runtime_headers ", " allowed)
      set(reason "the unit contract sees of the runtime only ${allowed}")
    elseif(header MATCHES "^units/" AND NOT header MATCHES "^units/framework/")
      set(reason "the unit contract sees no unit type")
    endif()
  elseif(file MATCHES "^units/")
    if(header MATCHES "^runtime/host/")
      set(reason "unit types reach the host only through notify codes and the unit contract")
    endif()
  endif()
  set(${out} "${reason}" PARENT_SCOPE)
endfunction()

file(GLOB_RECURSE sources RELATIVE ${ROOT}
  ${ROOT}/runtime/*.h ${ROOT}/runtime/*.cpp ${ROOT}/units/*.h ${ROOT}/units/*.cpp)
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
