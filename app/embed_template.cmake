# Writes the compiled window template data as a C++ array: cmake -DINPUT=... -DOUTPUT=... -P
file(READ "${INPUT}" bytes HEX)
string(LENGTH "${bytes}" digits)
math(EXPR length "${digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${bytes}")
# 24 bytes a line keeps the generated file readable in an editor.
string(REGEX REPLACE "((0x[0-9a-f][0-9a-f],){24})" "\\1\n" bytes "${bytes}")
file(WRITE "${OUTPUT}.tmp"
  "// Generated from the form sources at build time; do not edit.\n"
  "#include \"app/template_data.h\"\n\n"
  "namespace toolbox {\n\n"
  "const uint8_t kTemplateData[] = {\n${bytes}\n};\n"
  "const uint32_t kTemplateLength = ${length};\n\n"
  "}  // namespace toolbox\n")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
