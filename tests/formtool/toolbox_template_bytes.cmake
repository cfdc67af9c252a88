# The toolbox's template, compiled from its form description written by property name, must be
# byte for byte the template the program has always carried: the description changed how it is
# written, never what it says.
#   cmake -DTEMPLATE=path/to/toolbox_forms.tpl -P toolbox_template_bytes.cmake
set(expected_size 119526)
set(expected_sha256 b1aa3c475cd4bc1efe7eacf4a97cee02a218f18d208a1745df6df52bdb238af2)
file(SIZE "${TEMPLATE}" size)
file(SHA256 "${TEMPLATE}" sha256)
if(NOT size EQUAL expected_size OR NOT sha256 STREQUAL expected_sha256)
  message(FATAL_ERROR "the toolbox's template changed: ${size} bytes, SHA-256 ${sha256}; "
                      "expected ${expected_size} bytes, SHA-256 ${expected_sha256}")
endif()
