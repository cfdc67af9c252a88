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
  file(WRITE ${root}/units/framework/unit.h
    "#include \"runtime/program/program_header.h\"\n#include \"runtime/values/value.h\"\n#include <QWidget>\n")
  file(WRITE ${root}/runtime/host/host.cpp "#include \"units/framework/unit.h\"\n#include \"runtime/template/unit_list.h\"\n")
  file(WRITE ${root}/units/window/window.cpp
    "#include \"units/framework/unit.h\"\n#include \"runtime/values/number_text.h\"\n// #include \"runtime/host/host.h\" in a comment\n")
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
  units/libraries/core.cpp units/window/window_unit.h
  units/framework/unit.cpp runtime/program/notify_codes.h
  units/framework/data.cpp runtime/program/memory.h
  runtime/template/reader.cpp runtime/program/memory.h)
check(unit_type_includes_host
  EXPECT "units/picbox/picture_box.cpp includes runtime/host/window_access.h: unit types reach the host only"
  FILES units/picbox/picture_box.cpp runtime/host/window_access.h)
check(library_includes_host EXPECT "units/libraries/core.h includes runtime/host/host.h"
  FILES units/libraries/core.h runtime/host/host.h)
check(contract_includes_host EXPECT "units/framework/unit.h includes runtime/host/host_state.h: the unit contract"
  FILES units/framework/unit.h runtime/host/host_state.h)
check(contract_includes_template EXPECT "units/framework/records.cpp includes runtime/template/unit_record.h"
  FILES units/framework/records.cpp runtime/template/unit_record.h)
check(contract_includes_unit_type EXPECT "units/framework/unit.h includes units/window/window_unit.h: the unit contract sees no unit type"
  FILES units/framework/unit.h units/window/window_unit.h)
check(base_includes_host EXPECT "runtime/program/bridge.cpp includes runtime/host/host.h: the runtime's base"
  FILES runtime/program/bridge.cpp runtime/host/host.h)
check(base_includes_units EXPECT "runtime/template/reader.h includes units/framework/unit.h: the runtime's base"
  FILES runtime/template/reader.h units/framework/unit.h)
# Every offence is listed, not only the first.
check(all_offences_listed EXPECT "units/editbox/a.cpp includes runtime/host/host.h.*units/groupbox/b.cpp includes runtime/host/host.h"
  FILES units/editbox/a.cpp runtime/host/host.h units/groupbox/b.cpp runtime/host/host.h)
