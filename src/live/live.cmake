# Bench: the readings stream with the list window open (processor time at
# 19200 baud, and a 1 MB backlog).
add_executable(live-bench ${CMAKE_SOURCE_DIR}/bench/live_bench.cpp)
target_link_libraries(live-bench PRIVATE ctr_testsupport)
set_target_properties(live-bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
add_test(NAME bench/live_cpu
         COMMAND bash ${CMAKE_SOURCE_DIR}/bench/live-cpu.sh $<TARGET_FILE:live-bench>)
set_tests_properties(bench/live_cpu PROPERTIES
  ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 120)
