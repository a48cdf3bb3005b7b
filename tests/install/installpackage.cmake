# cmake -P script of the install-package test (see CMakeLists.txt): install, configure the
# consumer against the installed prefix only, build it, run it.
function(run what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE output
    ERROR_VARIABLE output)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${what} failed (${result}):\n${output}")
  endif()
endfunction()

set(prefix ${WORK_DIR}/prefix)
set(consumer ${WORK_DIR}/consumer)
file(REMOVE_RECURSE ${prefix})

run("installing" ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})
run("configuring the consumer" ${CMAKE_COMMAND} -S ${CONSUMER_DIR} -B ${consumer}
  -G ${GENERATOR} -DCMAKE_BUILD_TYPE=Release
  -DCMAKE_CXX_COMPILER=${CXX_COMPILER} -DCMAKE_CXX_COMPILER_LAUNCHER=${CXX_LAUNCHER}
  -DCMAKE_PREFIX_PATH=${prefix} -DVELT_EXPECTED_PREFIX=${prefix}
  -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF)
run("building the consumer" ${CMAKE_COMMAND} --build ${consumer})
run("running the consumer" ${consumer}/velt-consumer)
