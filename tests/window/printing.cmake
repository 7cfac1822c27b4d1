# SPDX-License-Identifier: GPL-3.0-or-later
# Printing through a real CUPS printer: the test queues of
# tools/setup-test-printer (cups-pdf), read back with poppler's pdftotext.
# gtest_discover_tests makes every test a CTest test of its own, so each runs in
# its own process: libcups keeps its server and default printer per process.
add_library(print_test_support STATIC
  ${CMAKE_CURRENT_LIST_DIR}/print_pdf.cpp
  ${CMAKE_CURRENT_LIST_DIR}/print_silent_server.cpp
  ${CMAKE_CURRENT_LIST_DIR}/print_test_main.cpp
)
target_link_libraries(print_test_support PUBLIC window window_test_support Qt6::Test GTest::gtest
  PRIVATE velmorin_warnings)

# The printing tests share the test queue's PDF folder and take its newest PDF:
# never two at once, whatever ctest -j says.
# Their settings and data folder are their own, never the user's.
foreach(test print_sheet_test print_refusal_test print_job_test print_silent_server_test
    print_dialog_test)
  add_executable(${test} ${CMAKE_CURRENT_LIST_DIR}/${test}.cpp)
  target_link_libraries(${test} PRIVATE print_test_support section velmorin_warnings)
  set(home ${CMAKE_CURRENT_BINARY_DIR}/home-${test})
  gtest_discover_tests(${test} PROPERTIES TIMEOUT 60 RESOURCE_LOCK velmorin_test_queue
    ENVIRONMENT "XDG_DATA_HOME=${home}/data;XDG_CONFIG_HOME=${home}/config")
endforeach()
target_include_directories(print_sheet_test PRIVATE ${PROJECT_SOURCE_DIR}/tests/printout)
