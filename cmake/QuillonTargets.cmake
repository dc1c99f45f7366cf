# SPDX-License-Identifier: GPL-3.0-or-later
# Compile settings shared by every Quillon target, and the helper that registers a test.

add_library(quillon_options INTERFACE)
target_compile_options(quillon_options INTERFACE -Wall -Wextra -Werror
  # Position-independent code may still call and inline its own functions directly.
  -fno-semantic-interposition)
if(QUILLON_SANITIZE)
  target_compile_options(quillon_options INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  target_link_options(quillon_options INTERFACE -fsanitize=address,undefined)
endif()
if(QUILLON_FUZZ)
  # Coverage instrumentation for every library the fuzz targets reach.
  target_compile_options(quillon_options INTERFACE -fsanitize=fuzzer-no-link)
endif()

# quillon_add_test(NAME [QT_APP|QT_WIDGETS] SOURCES ... LIBS ...): one GoogleTest program, each
# test listed in CTest. QT_APP: the tests run inside a Qt application on the offscreen platform;
# QT_WIDGETS: inside a widgets application there, at 96 dots per inch, with a settings store of
# their own.
function(quillon_add_test name)
  cmake_parse_arguments(ARG "QT_APP;QT_WIDGETS" "" "SOURCES;LIBS" ${ARGN})
  if(ARG_QT_APP)
    list(APPEND ARG_SOURCES ${PROJECT_SOURCE_DIR}/tests/support/QtTestMain.cpp)
  endif()
  if(ARG_QT_WIDGETS)
    find_package(Qt6 REQUIRED COMPONENTS Widgets Test)
    list(APPEND ARG_SOURCES ${PROJECT_SOURCE_DIR}/tests/support/QtWidgetsTestMain.cpp)
    list(APPEND ARG_LIBS Qt6::Widgets Qt6::Test)
    set(ARG_QT_APP ON)
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest quillon_options)
  if(NOT ARG_QT_APP)
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT
      "QT_QPA_PLATFORM=offscreen;ASAN_OPTIONS=detect_leaks=1;XDG_STATE_HOME=${CMAKE_BINARY_DIR}/test-state")
endfunction()
