# The performance benchmarks: two floor programs (a bare window, a bare web
# view), a launcher that measures programs from outside under X, a driver that
# times clicks inside the real main window, and the judge that prints the
# verdict. bench/run builds and runs them all.

add_library(bench_probe STATIC
  ${CMAKE_CURRENT_SOURCE_DIR}/probe/ProcTree.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/probe/Verdict.cpp)
target_include_directories(bench_probe PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})

add_executable(bench_judge ${CMAKE_CURRENT_SOURCE_DIR}/bench_judge.cpp)
target_link_libraries(bench_judge PRIVATE bench_probe)

find_package(X11 QUIET)
if(X11_FOUND)
  add_executable(benchx ${CMAKE_CURRENT_SOURCE_DIR}/benchx.cpp)
  target_link_libraries(benchx PRIVATE bench_probe X11::X11)
endif()

add_executable(floor_window ${CMAKE_CURRENT_SOURCE_DIR}/floor_window.cpp)
target_link_libraries(floor_window PRIVATE Qt6::Widgets)

add_executable(floor_webview ${CMAKE_CURRENT_SOURCE_DIR}/floor_webview.cpp)
target_link_libraries(floor_webview PRIVATE Qt6::Widgets Qt6::WebEngineWidgets)

# Beside the program, where it finds the question view module as the program does.
add_executable(bench_driver ${CMAKE_CURRENT_SOURCE_DIR}/bench_driver.cpp)
target_link_libraries(bench_driver PRIVATE quillora_gui quillora_store Qt6::Test)
set_target_properties(bench_driver PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
add_dependencies(bench_driver quillora_web)

add_executable(test_bench_probe ${CMAKE_CURRENT_SOURCE_DIR}/tests/test_bench_probe.cpp)
target_link_libraries(test_bench_probe PRIVATE bench_probe Qt6::Test)
add_test(NAME test_bench_probe COMMAND test_bench_probe)
set_tests_properties(test_bench_probe PROPERTIES ENVIRONMENT "LC_ALL=C.UTF-8" TIMEOUT 60)

add_library(bench_noflush MODULE ${CMAKE_CURRENT_SOURCE_DIR}/noflush.cpp)
