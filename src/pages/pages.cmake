# Bench: how long setup page 1 takes to show itself and follow a choice.
add_executable(page-bench ${CMAKE_SOURCE_DIR}/bench/page_bench.cpp)
target_link_libraries(page-bench PRIVATE ctr_mainmenu)
set_target_properties(page-bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
add_test(NAME bench/page_speed COMMAND page-bench)
set_tests_properties(bench/page_speed PROPERTIES
  ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 120)
