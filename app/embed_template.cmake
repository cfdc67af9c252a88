# Writes a compiled file of the forms as a C++ array: cmake -DINPUT=... -DOUTPUT=... [-DSYMBOL=...] -P
# The array is SYMBOL followed by Data, its length SYMBOL followed by Length (kTemplateData and
# kTemplateLength when SYMBOL is not given).
if(NOT SYMBOL)
  set(SYMBOL kTemplate)
endif()
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
  "const uint8_t ${SYMBOL}Data[] = {\n${bytes}\n};\n"
  "const uint32_t ${SYMBOL}Length = ${length};\n\n"
  "}  // namespace toolbox\n")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
