# Help files: the topic texts are kept readable in help/topics.txt; the
# host tool mkhelp turns them into HelpNN.S10 / HelpNN.R10 beside the program.

set(HELP_SOURCE ${PROJECT_SOURCE_DIR}/help/topics.txt)

add_executable(mkhelp
  ${PROJECT_SOURCE_DIR}/tools/mkhelp/mkhelp.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/help/HelpBuild.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/help/HelpFiles.cpp)
target_include_directories(mkhelp PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(mkhelp PRIVATE Qt6::Core)

# The groups present decide which files come out; re-read them whenever the
# source changes so that a new group is a new output.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${HELP_SOURCE})
file(STRINGS ${HELP_SOURCE} _help_heads REGEX "^@@")
set(_help_files)
foreach(_head IN LISTS _help_heads)
  if(_head MATCHES "^@@[ ]*([0-9]+)")
    math(EXPR _group "${CMAKE_MATCH_1} / 100")
    list(APPEND _help_files ${APP_DIR}/Help${_group}.S10 ${APP_DIR}/Help${_group}.R10)
  endif()
endforeach()
list(REMOVE_DUPLICATES _help_files)

add_custom_command(
  OUTPUT ${_help_files}
  COMMAND mkhelp ${HELP_SOURCE} ${APP_DIR}
  DEPENDS mkhelp ${HELP_SOURCE}
  COMMENT "Generating the help files"
  VERBATIM)
add_custom_target(help-files DEPENDS ${_help_files})
add_dependencies(counter-setup help-files)
