# Configures the outer project beside it afresh in BUILD, with Quenlor's
# tests and benchmarks off, and builds the arithmetic library there on two
# cores: a path into the wrong tree fails the configuration or this build.
file(REMOVE_RECURSE ${BUILD})
execute_process(
  COMMAND ${CMAKE_COMMAND} -S ${CMAKE_CURRENT_LIST_DIR} -B ${BUILD} -G ${GENERATOR}
          -DCMAKE_MAKE_PROGRAM=${MAKE_PROGRAM} -DCMAKE_CXX_COMPILER=${CXX_COMPILER} -DCMAKE_BUILD_TYPE=${BUILD_TYPE}
          -DQUENLOR_SOURCE=${QUENLOR_SOURCE} -DQUENLOR_SANITIZE=${SANITIZE} -DQUENLOR_TESTS=OFF -DQUENLOR_BENCH=OFF
  COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD} --target quenlor_arithmetic -j 2 COMMAND_ERROR_IS_FATAL ANY)
