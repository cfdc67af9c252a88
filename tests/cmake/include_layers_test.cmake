# Runs the include check over small made-up trees: each include across the layers is refused
# with the file and the reason named, and the includes the layers allow pass.
#   cmake -DCHECKER=<CheckIncludes.cmake> -DWORK=<scratch folder> -P include_layers_test.cmake
cmake_minimum_required(VERSION 3.25)

# check(NAME EXPECT <regex or "pass"> FILES path "include" ...)
function(check name)
  cmake_parse_arguments(ARG "" "EXPECT" "FILES" ${ARGN})
  set(root ${WORK}/${name})
  file(REMOVE_RECURSE ${root})
  # Every tree holds some includes that are always allowed.
  file(WRITE ${root}/contract/unit.h
    "#include \"base/program/program_header.h\"\n#include \"base/values/value.h\"\n#include <QWidget>\n")
  file(WRITE ${root}/host/host.cpp "#include \"contract/unit.h\"\n#include \"base/template/unit_list.h\"\n")
  file(WRITE ${root}/units/window/window.cpp
    "#include \"contract/unit.h\"\n#include \"base/values/number_text.h\"\n// #include \"host/host.h\" in a comment\n")
  while(ARG_FILES)
    list(POP_FRONT ARG_FILES path header)
    file(APPEND ${root}/${path} "  #  include \"${header}\"  // trailing words\n")
  endwhile()
  execute_process(COMMAND ${CMAKE_COMMAND} -DROOT=${root} -P ${CHECKER}
    RESULT_VARIABLE result ERROR_VARIABLE output OUTPUT_VARIABLE output)
  if(ARG_EXPECT STREQUAL "pass")
    if(NOT result EQUAL 0)
      message(FATAL_ERROR "${name}: refused a tree the layers allow:\n${output}")
    endif()
  elseif(result EQUAL 0 OR NOT output MATCHES "${ARG_EXPECT}")
    message(FATAL_ERROR "${name}: expected a refusal matching '${ARG_EXPECT}', got (${result}):\n${output}")
  endif()
endfunction()

check(allowed EXPECT pass FILES
  libraries/core.cpp units/window/window_unit.h
  contract/unit.cpp base/program/notify_codes.h
  contract/data.cpp base/program/memory.h
  base/template/reader.cpp base/program/memory.h)
check(unit_type_includes_host
  EXPECT "units/picbox/picbox_unit.cpp includes host/window_access.h: unit types reach the host only"
  FILES units/picbox/picbox_unit.cpp host/window_access.h)
check(library_includes_host EXPECT "libraries/core.h includes host/host.h"
  FILES libraries/core.h host/host.h)
check(contract_includes_host EXPECT "contract/unit.h includes host/host_state.h: the unit contract"
  FILES contract/unit.h host/host_state.h)
check(contract_includes_template EXPECT "contract/records.cpp includes base/template/unit_record.h"
  FILES contract/records.cpp base/template/unit_record.h)
check(contract_includes_unit_type EXPECT "contract/unit.h includes units/window/window_unit.h: the unit contract sees no unit type"
  FILES contract/unit.h units/window/window_unit.h)
check(base_includes_host EXPECT "base/program/bridge.cpp includes host/host.h: the runtime's base"
  FILES base/program/bridge.cpp host/host.h)
check(base_includes_units EXPECT "base/template/reader.h includes contract/unit.h: the runtime's base"
  FILES base/template/reader.h contract/unit.h)
# Every offence is listed, not only the first.
check(all_offences_listed EXPECT "units/editbox/a.cpp includes host/host.h.*units/groupbox/b.cpp includes host/host.h"
  FILES units/editbox/a.cpp host/host.h units/groupbox/b.cpp host/host.h)
