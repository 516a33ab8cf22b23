# Bench: the readings stream with the list window open (processor time at
# 19200 baud, and a 1 MB backlog).
add_executable(live-bench ${CMAKE_SOURCE_DIR}/bench/live_bench.cpp)
target_link_libraries(live-bench PRIVATE ctr_testsupport)
set_target_properties(live-bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
add_test(NAME bench/live_cpu
         COMMAND bash ${CMAKE_SOURCE_DIR}/bench/live-cpu.sh $<TARGET_FILE:live-bench>)
set_tests_properties(bench/live_cpu PROPERTIES
  ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 120)

# Bench: drawing cost of the plot and graph windows (10,000 records each,
# and a full repaint).
add_executable(chart-bench ${CMAKE_SOURCE_DIR}/bench/chart_bench.cpp)
target_link_libraries(chart-bench PRIVATE ctr_testsupport)
set_target_properties(chart-bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
add_test(NAME bench/chart_draw COMMAND chart-bench)
set_tests_properties(bench/chart_draw PROPERTIES
  ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 120)
