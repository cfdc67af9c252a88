# Writes compiled window template data, and the table of accessible names compiled beside it, as
# a C++ source that defines them as <NAMESPACE>::kTemplateData and kTemplateLength, and
# <NAMESPACE>::kAccessibleNamesData and kAccessibleNamesLength:
#   cmake -DINPUT=<form.tpl> -DNAMES=<form.names> -DOUTPUT=<source.cpp> -DNAMESPACE=<name>
#         -P QuarlexEmbedTemplate.cmake

# The bytes of `file` as the lines of an array initialiser, and their count.
function(quarlex_array_of file bytes_var length_var)
  file(READ "${file}" bytes HEX)
  string(LENGTH "${bytes}" digits)
  math(EXPR length "${digits} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${bytes}")
  # 24 bytes a line keeps the generated file readable in an editor.
  string(REGEX REPLACE "((0x[0-9a-f][0-9a-f],){24})" "\\1\n" bytes "${bytes}")
  # An empty table still needs one element: the length says there is none.
  if(length EQUAL 0)
    set(bytes "0x00,")
  endif()
  set(${bytes_var} "${bytes}" PARENT_SCOPE)
  set(${length_var} ${length} PARENT_SCOPE)
endfunction()

quarlex_array_of("${INPUT}" template template_length)
quarlex_array_of("${NAMES}" names names_length)
get_filename_component(form "${INPUT}" NAME)
file(WRITE "${OUTPUT}.tmp"
  "// Generated from ${form} at build time; do not edit.\n"
  "#include <cstdint>\n\n"
  "namespace ${NAMESPACE} {\n\n"
  "extern const ::std::uint8_t kTemplateData[];\n"
  "extern const ::std::uint32_t kTemplateLength;\n"
  "extern const ::std::uint8_t kAccessibleNamesData[];\n"
  "extern const ::std::uint32_t kAccessibleNamesLength;\n\n"
  "const ::std::uint8_t kTemplateData[] = {\n${template}\n};\n"
  "const ::std::uint32_t kTemplateLength = ${template_length};\n\n"
  "const ::std::uint8_t kAccessibleNamesData[] = {\n${names}\n};\n"
  "const ::std::uint32_t kAccessibleNamesLength = ${names_length};\n\n"
  "}  // namespace ${NAMESPACE}\n")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
