# "Settings.SSS" lies beside the program. The one shipped opens no port
# (character 16 is 0), so the program starts offline until the user sets
# the port. It is copied only when the program's folder has none, so that a
# rebuild never undoes the user's settings or what Put Setup wrote there.
add_custom_target(link_settings_file ALL
  COMMAND ${CMAKE_COMMAND}
          -DSRC=${CMAKE_CURRENT_SOURCE_DIR}/link/Settings.SSS
          -DDST=${APP_DIR}/Settings.SSS
          -P ${CMAKE_CURRENT_SOURCE_DIR}/link/CopyIfMissing.cmake
  COMMENT "Settings.SSS beside the program"
  VERBATIM)
add_dependencies(counter-setup link_settings_file)

# Bench: the program's processor time while it waits for the meter.
add_executable(link-bench ${CMAKE_SOURCE_DIR}/bench/link_bench.cpp)
target_link_libraries(link-bench PRIVATE ctr_testsupport)
set_target_properties(link-bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
add_test(NAME bench/link_cpu
         COMMAND bash ${CMAKE_SOURCE_DIR}/bench/link-cpu.sh $<TARGET_FILE:link-bench>)
set_tests_properties(bench/link_cpu PROPERTIES
  ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 120)
