# Bench: how long the menu view takes to build its rows and show itself.
add_executable(menu-bench ${CMAKE_SOURCE_DIR}/bench/menu_bench.cpp)
target_link_libraries(menu-bench PRIVATE ctr_mainmenu)
set_target_properties(menu-bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
add_test(NAME bench/menu_speed COMMAND menu-bench)
set_tests_properties(bench/menu_speed PROPERTIES
  ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 120)
