# Tests of the bank's renderer, its validators and the content tool. Included
# by tools/CMakeLists.txt; also run as a script (cmake -P) by the
# reproducibility test below.

# --- script mode: render the bank and compare it with content/store ----------
if(CMAKE_SCRIPT_MODE_FILE)
  file(REMOVE_RECURSE "${WORK}")
  file(MAKE_DIRECTORY "${WORK}")
  execute_process(COMMAND "${RENDERER}" "${WORK}" --source "${SOURCE}" RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "quillora-gen-bank failed (${status})")
  endif()
  # Only the bank's own items: question archives and the 30xxx text items.
  file(GLOB fresh RELATIVE "${WORK}/store" "${WORK}/store/*.mht" "${WORK}/store/30*.txt")
  file(GLOB shipped RELATIVE "${STORE}" "${STORE}/*.mht" "${STORE}/30*.txt")
  list(SORT fresh)
  list(SORT shipped)
  if(NOT fresh STREQUAL shipped)
    set(only_fresh ${fresh})
    list(REMOVE_ITEM only_fresh ${shipped})
    set(only_shipped ${shipped})
    list(REMOVE_ITEM only_shipped ${fresh})
    message(FATAL_ERROR "store items differ; only rendered: ${only_fresh}; "
                        "only committed: ${only_shipped}")
  endif()
  set(differing "")
  foreach(name IN LISTS fresh)
    file(SHA256 "${WORK}/store/${name}" a)
    file(SHA256 "${STORE}/${name}" b)
    if(NOT a STREQUAL b)
      list(APPEND differing ${name})
    endif()
  endforeach()
  if(differing)
    list(LENGTH differing count)
    message(FATAL_ERROR "${count} items differ from content/store, e.g. ${differing}. "
                        "Run quillora-gen-bank content to render the store again.")
  endif()
  list(LENGTH fresh count)
  message(STATUS "${count} items identical")
  file(REMOVE_RECURSE "${WORK}")
  return()
endif()

# --- the tests -------------------------------------------------------------------
add_test(NAME bank_store_reproducible
         COMMAND ${CMAKE_COMMAND}
                 -DRENDERER=$<TARGET_FILE:quillora-gen-bank>
                 -DSTORE=${CMAKE_SOURCE_DIR}/content/store
                 -DSOURCE=${CMAKE_SOURCE_DIR}/content/source
                 -DWORK=${CMAKE_CURRENT_BINARY_DIR}/bank-rendered
                 -P ${CMAKE_CURRENT_LIST_FILE})
set_tests_properties(bank_store_reproducible PROPERTIES TIMEOUT 300)

# Each tools/tests/test_*.cpp is one QtTest program over the renderer's parts;
# they read the archives back with the program's own reader.
file(GLOB BANK_TESTS CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/test_*.cpp)
foreach(src ${BANK_TESTS})
  get_filename_component(name ${src} NAME_WE)
  add_executable(${name} ${src})
  target_link_libraries(${name} PRIVATE quillora_bank quillora_core Qt6::Test)
  target_compile_definitions(${name} PRIVATE
                             QUILLORA_CONTENT_SOURCE="${CMAKE_SOURCE_DIR}/content/source")
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES TIMEOUT 300 ENVIRONMENT "LC_ALL=C.UTF-8")
endforeach()

# The shipped store must validate without a single problem.
add_test(NAME content_validate COMMAND quillora-content validate)
set_tests_properties(content_validate PROPERTIES ENVIRONMENT "LC_ALL=C.UTF-8" TIMEOUT 300)

# The bank's sources must validate as well.
add_test(NAME content_validate_sources
         COMMAND quillora-content validate --source ${CMAKE_SOURCE_DIR}/content/source)
set_tests_properties(content_validate_sources PROPERTIES ENVIRONMENT "LC_ALL=C.UTF-8" TIMEOUT 300)

add_executable(test_content_checks
  ${CMAKE_CURRENT_LIST_DIR}/content_tool/tests/test_content_checks.cpp)
target_link_libraries(test_content_checks PRIVATE quillora_content_checks Qt6::Test)
add_test(NAME test_content_checks COMMAND test_content_checks)
set_tests_properties(test_content_checks PROPERTIES TIMEOUT 300)

# The sample teacher's module, packed where the program's window tests find
# it: ${CMAKE_BINARY_DIR}/samples/sample.qmodule (target sample_module).
file(GLOB SAMPLE_MODULE_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/content/samples/*)
set(SAMPLE_MODULE ${CMAKE_BINARY_DIR}/samples/sample.qmodule)
add_custom_command(OUTPUT ${SAMPLE_MODULE}
                   COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/samples
                   COMMAND quillora-content pack ${CMAKE_SOURCE_DIR}/content/samples ${SAMPLE_MODULE}
                   DEPENDS quillora-content ${SAMPLE_MODULE_SOURCES}
                   COMMENT "Packing the sample module"
                   VERBATIM)
add_custom_target(sample_module ALL DEPENDS ${SAMPLE_MODULE})
add_dependencies(test_module_pack sample_module)
# The packed sample passes the module file's validator, through the tool.
add_test(NAME content_validate_sample_module COMMAND quillora-content validate ${SAMPLE_MODULE})
set_tests_properties(content_validate_sample_module PROPERTIES ENVIRONMENT "LC_ALL=C.UTF-8")
