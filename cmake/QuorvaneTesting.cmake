# GoogleTest from Debian's sources, built with the cross compiler, and one
# CTest entry per test executable, run through Wine in a throw-away prefix.
enable_testing()

set(GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
add_subdirectory(${GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

set(QUORVANE_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)

# The source tree as Wine sees it (drive Z: maps the Unix root).
string(REPLACE "/" "\\\\" QUORVANE_SOURCE_DIR_WINE "Z:${CMAKE_SOURCE_DIR}")

add_subdirectory(${CMAKE_SOURCE_DIR}/testing ${CMAKE_BINARY_DIR}/testing)

# quorvane_add_test(<name> [WINDOWS] [TIMEOUT <seconds>] SOURCES ... LIBS ... [RESOURCES ...])
# WINDOWS: the tests show and activate top-level windows. Such executables run
# one at a time: side by side, each would take the activation from the
# others, and a command bar rightly leaves its keyboard mode when it loses it.
function(quorvane_add_test name)
  cmake_parse_arguments(T "WINDOWS" "TIMEOUT" "SOURCES;LIBS;RESOURCES" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 600)
  endif()
  add_executable(${name} ${T_SOURCES} ${T_RESOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} quorvane_testing)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "WINEPREFIX=${QUORVANE_WINEPREFIX};WINEDEBUG=-all"
    TIMEOUT ${T_TIMEOUT})
  if(T_WINDOWS)
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK desktop)
  endif()
endfunction()
