# Runs the include check over small made-up trees against the README's own layer table, so that
# what is tried here is the rule the build applies: each include across the layers is refused
# with the file, the header and the rule named, and the includes the layers allow pass. A few
# trees bring a small table of their own, for how the table is read.
#   cmake -DCHECKER=<CheckIncludes.cmake> -DREADME=<README.md> -DWORK=<scratch folder> -P include_layers_test.cmake
cmake_minimum_required(VERSION 3.25)

# check(NAME EXPECT <"pass" or regex ...> [TABLE <README text>] [TEXT path text ...]
#       FILES path "include" ...)
# Every regex must be found in the check's message.
function(check name)
  cmake_parse_arguments(ARG "" "TABLE" "EXPECT;TEXT;FILES" ${ARGN})
  set(root ${WORK}/${name})
  file(REMOVE_RECURSE ${root})
  file(MAKE_DIRECTORY ${root})
  set(table ${README})
  if(DEFINED ARG_TABLE)
    set(table ${root}/README.md)
    file(WRITE ${table} "${ARG_TABLE}")
  endif()
  while(ARG_TEXT)
    list(POP_FRONT ARG_TEXT path text)
    file(APPEND ${root}/${path} "${text}")
  endwhile()
  while(ARG_FILES)
    list(POP_FRONT ARG_FILES path header)
    file(APPEND ${root}/${path} "  #  include \"${header}\"  // trailing words\n")
  endwhile()
  execute_process(COMMAND ${CMAKE_COMMAND} -DROOT=${root} -DTABLE=${table} -P ${CHECKER}
    RESULT_VARIABLE result ERROR_VARIABLE output OUTPUT_VARIABLE output)
  if(ARG_EXPECT STREQUAL "pass")
    if(NOT result EQUAL 0)
      message(FATAL_ERROR "${name}: refused a tree the layers allow:\n${output}")
    endif()
    return()
  endif()
  if(result EQUAL 0)
    message(FATAL_ERROR "${name}: accepted a tree that breaks the layers")
  endif()
  # CMake wraps the first paragraph of a message: the words count, not where the lines break.
  string(REGEX REPLACE "[ \n]+" " " flat "${output}")
  foreach(expected IN LISTS ARG_EXPECT)
    if(NOT flat MATCHES "${expected}")
      message(FATAL_ERROR "${name}: expected a refusal matching '${expected}', got:\n${output}")
    endif()
  endforeach()
endfunction()

# Everything each folder may see, a unit type's nested folders, headers that are not ours, and
# folders that are not ours (a build tree, a hidden folder).
check(allowed EXPECT pass
  TEXT build/CMakeCache.txt "# a build tree\n"
       build/moc_unit.cpp "#include \"host/host.h\"\n"
       .work/scratch.cpp "#include \"app/toolbox.h\"\n"
       units/window/window.cpp "// #include \"host/host.h\" in a comment\n#include <host/host.h>\n"
  FILES
  platform/gbk.cpp platform/gbk.h
  imaging/decode.cpp platform/little_endian.h
  base/template/reader.cpp base/program/memory.h
  base/values/value.h platform/gbk.h
  contract/unit.h base/program/program_header.h
  contract/unit.cpp base/program/notify_codes.h
  contract/data.cpp base/program/memory.h
  contract/event_report.h base/values/value.h
  contract/edge_style.cpp platform/edge_painter.h
  host/host.cpp base/template/unit_list.h
  host/host.cpp contract/unit.h
  host/host.cpp imaging/picture_cache.h
  units/window/window.cpp base/program/notify_codes.h
  units/window/window.cpp base/values/number_text.h
  units/window/window.cpp imaging/image.h
  units/window/window.cpp units/window/window_unit.h
  units/window/window.cpp unit_test.moc
  units/webbrowser/engine/page.cpp units/webbrowser/web_view.h
  libraries/core.cpp units/window/window_unit.h
  libraries/core.cpp units/editbox/editbox_unit.h
  libraries/core.cpp contract/unit.h
  app/main.cpp host/host.h
  app/main.cpp platform/desktop_session.h
  app/program_data.cpp libraries/support_libraries.h
  app/program_data.cpp base/program/bridge.h
  app/program_data.cpp base/values/value.h
  tools/formtool/catalogue.cpp libraries/core_library.h
  tools/formtool/catalogue.cpp host/window_access.h
  tests/app/toolbox_test.cpp app/toolbox.h
  fuzz/window_build.cpp units/window/window_unit.h)

# A unit type sees no other type, no library, not the host, and of the base not the template.
check(unit_types
  EXPECT "units/picbox/picbox_unit.cpp includes units/editbox/edge_style.h: units/<type>/ sees its own folder, no other of its kind"
         "units/picbox/picbox_type.cpp includes libraries/core_library.h: units/<type>/ sees only its own folder and contract/"
         "units/webbrowser/engine/page.cpp includes host/window_access.h: units/<type>/ sees only"
         "units/window/window_unit.cpp includes base/template/unit_record.h: units/<type>/ sees only"
  FILES units/picbox/picbox_unit.cpp units/editbox/edge_style.h
        units/picbox/picbox_type.cpp libraries/core_library.h
        units/webbrowser/engine/page.cpp host/window_access.h
        units/window/window_unit.cpp base/template/unit_record.h)

check(libraries
  EXPECT "libraries/core_library.h includes host/host.h: libraries/ sees only its own folder and units/"
         "libraries/web_library.cpp includes app/toolbox.h: libraries/ sees only"
  FILES libraries/core_library.h host/host.h
        libraries/web_library.cpp app/toolbox.h)

# The contract sees of the base only the program header, the notify codes, the memory service
# and the value records.
check(contract
  EXPECT "contract/unit.h includes host/host_state.h: contract/ sees only its own folder and base/program/program_header.h"
         "contract/records.cpp includes base/template/unit_record.h: contract/ sees only"
         "contract/records.cpp includes base/program/program.h: contract/ sees only"
         "contract/unit.h includes units/window/window_unit.h: contract/ sees only"
         "contract/unit.cpp includes libraries/core_library.h: contract/ sees only"
  FILES contract/unit.h host/host_state.h
        contract/records.cpp base/template/unit_record.h
        contract/records.cpp base/program/program.h
        contract/unit.h units/window/window_unit.h
        contract/unit.cpp libraries/core_library.h)

check(base_and_host
  EXPECT "base/program/bridge.cpp includes host/host.h: base/ sees only its own folder and platform/"
         "base/template/reader.h includes contract/unit.h: base/ sees only"
         "base/values/to_text.cpp includes imaging/image.h: base/ sees only"
         "host/window_manager.cpp includes units/window/window_unit.h: host/ sees only its own folder and base/"
         "host/host_start.cpp includes libraries/core_library.h: host/ sees only"
         "host/host_start.cpp includes app/toolbox.h: host/ sees only"
  FILES base/program/bridge.cpp host/host.h
        base/template/reader.h contract/unit.h
        base/values/to_text.cpp imaging/image.h
        host/window_manager.cpp units/window/window_unit.h
        host/host_start.cpp libraries/core_library.h
        host/host_start.cpp app/toolbox.h)

check(imaging_and_platform
  EXPECT "imaging/bytes.h includes base/values/value.h: imaging/ sees only its own folder and platform/"
         "platform/bitmaps.cpp includes imaging/image.h: platform/ sees nothing of ours but its own folder"
         "platform/sound.cpp includes base/program/main_thread.h: platform/ sees nothing"
  FILES imaging/bytes.h base/values/value.h
        platform/bitmaps.cpp imaging/image.h
        platform/sound.cpp base/program/main_thread.h)

# The program sees the program data, the bridge, values, the one list of the support libraries
# and the host's start; formtool sees everything but the program.
check(app_and_tools
  EXPECT "app/program_data.cpp includes libraries/core_library.h: app/ sees only its own folder and base/program/"
         "app/entry_stub.cpp includes contract/unit.h: app/ sees only"
         "app/window_openers.cpp includes host/window_access.h: app/ sees only"
         "app/main.cpp includes platform/gbk.h: app/ sees only"
         "tools/formtool/program_unit_types.cpp includes app/toolbox_ids.h: tools/ sees everything but app/"
  FILES app/program_data.cpp libraries/core_library.h
        app/entry_stub.cpp contract/unit.h
        app/window_openers.cpp host/window_access.h
        app/main.cpp platform/gbk.h
        tools/formtool/program_unit_types.cpp app/toolbox_ids.h)

# A source no row of the table covers is refused, whatever it includes; and every offence is
# listed, not only the first.
check(strays
  EXPECT "scripts/helper.cpp: no folder of the layer table holds it"
         "units/shared.h: no folder of the layer table holds it"
         "stray.cpp: no folder of the layer table holds it"
  FILES scripts/helper.cpp platform/gbk.h
        units/shared.h contract/unit.h
        stray.cpp platform/gbk.h)

# How a table is read: a `<type>` among the names is the file's own type; "everything but" and
# "nothing of ours"; words outside backquotes are for readers only.
set(small_table "Before the table.\n<!-- layers -->\n| Folder | Holds | May include |\n|---|---|---|\n\
| `lib/` | the bottom | nothing of ours, not even the tools |\n\
| `kinds/<type>/` | one kind | `lib/`, no other kind |\n\
| `checks/<type>/` | the checks of one kind | its kind, `kinds/<type>/` |\n\
| `tools/` | tools | everything but `checks/` |\n<!-- /layers -->\nAfter the table: `kinds/` is not a rule.\n")
check(own_table_allowed EXPECT pass TABLE "${small_table}" FILES
  kinds/round/round.cpp lib/base.h
  checks/round/round_test.cpp kinds/round/round.h
  tools/all.cpp kinds/round/round.h
  tools/all.cpp outside/header.h)
check(own_table_refused TABLE "${small_table}"
  EXPECT "checks/round/round_test.cpp includes kinds/square/square.h: checks/<type>/ sees only its own folder and kinds/<type>/"
         "kinds/round/round.cpp includes kinds/square/square.h: kinds/<type>/ sees its own folder, no other of its kind"
         "tools/all.cpp includes checks/round/round_test.h: tools/ sees everything but checks/"
  FILES checks/round/round_test.cpp kinds/square/square.h
        kinds/round/round.cpp kinds/square/square.h
        tools/all.cpp checks/round/round_test.h)

# A table the check cannot read stops it instead of checking less.
check(table_missing TABLE "## Layout\n| `lib/` | the bottom | nothing |\n"
  EXPECT "holds no layer table between <!-- layers --> and <!-- /layers -->" FILES lib/a.cpp lib/b.h)
check(table_empty TABLE "<!-- layers -->\n| Folder | Holds | May include |\n|---|---|---|\n<!-- /layers -->\n"
  EXPECT "the layer table has no rows" FILES lib/a.cpp lib/b.h)
check(table_short_row TABLE "<!-- layers -->\n|---|---|---|\n| `lib/` | nothing of ours |\n<!-- /layers -->\n"
  EXPECT "a row of the layer table needs three cells" FILES lib/a.cpp lib/b.h)
check(table_word_in_backquotes TABLE "<!-- layers -->\n|---|---|---|\n| `lib/` | the bottom | `nothing` |\n<!-- /layers -->\n"
  EXPECT "`nothing` in the layer table is neither a folder nor a file of ours" FILES lib/a.cpp lib/b.h)
check(table_folder_without_slash TABLE "<!-- layers -->\n|---|---|---|\n| `lib` | the bottom | nothing |\n<!-- /layers -->\n"
  EXPECT "`lib` in the layer table is not a folder ending in /" FILES lib/a.cpp lib/b.h)
check(table_row_without_folder TABLE "<!-- layers -->\n|---|---|---|\n| lib | the bottom | nothing |\n<!-- /layers -->\n"
  EXPECT "names no folder in backquotes" FILES lib/a.cpp lib/b.h)
