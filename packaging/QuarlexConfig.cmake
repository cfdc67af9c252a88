# The Quarlex runtime's CMake package: its libraries and formtool as Quarlex:: targets, and
# quarlex_add_program(), which turns a form and handler sources into a program on the runtime
# (QuarlexProgram.cmake says how). find_package(Quarlex) with the prefix the runtime was installed
# under in CMAKE_PREFIX_PATH.
include(CMakeFindDependencyMacro)
find_dependency(Qt6 6.4 COMPONENTS Core Gui Widgets)
find_dependency(PNG)
find_dependency(JPEG)
find_dependency(ZLIB)
# The platform layer talks to the X server itself where the runtime was built with it.
if(@PLATFORM_XCB_FOUND@ AND NOT TARGET PkgConfig::PLATFORM_XCB)
  find_dependency(PkgConfig)
  pkg_check_modules(PLATFORM_XCB REQUIRED IMPORTED_TARGET xcb)
endif()

include(${CMAKE_CURRENT_LIST_DIR}/QuarlexTargets.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/QuarlexProgram.cmake)
