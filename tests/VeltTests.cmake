# velt_add_test(NAME SOURCES a.cpp b.cpp LIBRARIES lib...)
# Builds a QTest executable and registers it with ctest under the offscreen platform.
function(velt_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE Qt6::Test ${ARG_LIBRARIES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/common)
  target_compile_definitions(${name} PRIVATE
    VELT_SOURCE_DIR="${PROJECT_SOURCE_DIR}" VELT_BINARY_DIR="${PROJECT_BINARY_DIR}")
  velt_set_warnings(${name})
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;XDG_RUNTIME_DIR=${CMAKE_BINARY_DIR}/xdg-runtime;QT_LOGGING_RULES=qt.qpa.*=false"
    TIMEOUT 300)
endfunction()
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/xdg-runtime)
