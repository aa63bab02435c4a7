# Reliability tests: a worker killed at random moments over a real program
# folder, and input at the edges. Included from tests/CMakeLists.txt.

set(QUILLORA_RELIABILITY_DIR ${CMAKE_CURRENT_SOURCE_DIR}/reliability)

add_executable(crash_worker ${QUILLORA_RELIABILITY_DIR}/crash_worker.cpp
                            ${QUILLORA_RELIABILITY_DIR}/WorkerSteps.h)
target_link_libraries(crash_worker PRIVATE quillora_core quillora_store)

function(quillora_add_reliability_test name)
  add_executable(${name} ${QUILLORA_RELIABILITY_DIR}/${name}.cpp ${ARGN})
  target_include_directories(${name} PRIVATE ${QUILLORA_RELIABILITY_DIR}
                                             ${CMAKE_CURRENT_SOURCE_DIR}/core)
  target_link_libraries(${name} PRIVATE quillora_core quillora_store Qt6::Test)
  target_compile_definitions(${name} PRIVATE
    QUILLORA_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    QUILLORA_TEST_DATA_DIR="${CMAKE_CURRENT_SOURCE_DIR}/data")
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${QUILLORA_TEST_ENV}" TIMEOUT 300)
endfunction()

quillora_add_reliability_test(test_crash_safety
  ${QUILLORA_RELIABILITY_DIR}/WorkerSteps.h)
target_compile_definitions(test_crash_safety PRIVATE
  QUILLORA_CRASH_WORKER="$<TARGET_FILE:crash_worker>")
add_dependencies(test_crash_safety crash_worker)

quillora_add_reliability_test(test_input_edges)
