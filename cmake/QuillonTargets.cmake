# SPDX-License-Identifier: GPL-3.0-or-later
# Compile settings shared by every Quillon target, and the helper that registers a test.

add_library(quillon_options INTERFACE)
target_compile_options(quillon_options INTERFACE -Wall -Wextra -Werror)
if(QUILLON_SANITIZE)
  target_compile_options(quillon_options INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  target_link_options(quillon_options INTERFACE -fsanitize=address,undefined)
endif()
if(QUILLON_FUZZ)
  # Coverage instrumentation for every library the fuzz targets reach.
  target_compile_options(quillon_options INTERFACE -fsanitize=fuzzer-no-link)
endif()

# quillon_add_test(NAME SOURCES ... LIBS ...): one GoogleTest program, each test listed in CTest.
function(quillon_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main quillon_options)
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ASAN_OPTIONS=detect_leaks=1")
endfunction()
