# Writes compiled window template data as a C++ source that defines it as
# <NAMESPACE>::kTemplateData and <NAMESPACE>::kTemplateLength:
#   cmake -DINPUT=<form.tpl> -DOUTPUT=<source.cpp> -DNAMESPACE=<name> -P QuarlexEmbedTemplate.cmake
file(READ "${INPUT}" bytes HEX)
string(LENGTH "${bytes}" digits)
math(EXPR length "${digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${bytes}")
# 24 bytes a line keeps the generated file readable in an editor.
string(REGEX REPLACE "((0x[0-9a-f][0-9a-f],){24})" "\\1\n" bytes "${bytes}")
get_filename_component(form "${INPUT}" NAME)
file(WRITE "${OUTPUT}.tmp"
  "// Generated from ${form} at build time; do not edit.\n"
  "#include <cstdint>\n\n"
  "namespace ${NAMESPACE} {\n\n"
  "extern const ::std::uint8_t kTemplateData[];\n"
  "extern const ::std::uint32_t kTemplateLength;\n\n"
  "const ::std::uint8_t kTemplateData[] = {\n${bytes}\n};\n"
  "const ::std::uint32_t kTemplateLength = ${length};\n\n"
  "}  // namespace ${NAMESPACE}\n")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
