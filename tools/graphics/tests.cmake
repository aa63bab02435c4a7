# Tests of the store's generated graphics. Included from tools/CMakeLists.txt.

if(TARGET quillora-gen-graphics)
  add_test(NAME graphics_reproducible
    COMMAND ${CMAKE_COMMAND}
      -DGENERATOR=$<TARGET_FILE:quillora-gen-graphics>
      -DEXPECTED_GRAPHICS=${CMAKE_SOURCE_DIR}/content/graphics
      -DEXPECTED_ICONS=${CMAKE_SOURCE_DIR}/packaging/icons
      -DWORK=${CMAKE_CURRENT_BINARY_DIR}/graphics_reproducible
      -P ${CMAKE_CURRENT_LIST_DIR}/CompareGenerated.cmake)
  set_tests_properties(graphics_reproducible PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 300)

  # The same bytes from other processors, emulated: without SSE4.1 (Qt's
  # generic drawing and conversion paths), with SSE4.2 and with AVX2. The
  # emulator computes the approximate-reciprocal instructions that Qt's
  # vector paths use differently from any real processor, so a picture that
  # depends on them differs here.
  find_program(QEMU_X86_64 qemu-x86_64)
  add_test(NAME graphics_processor_independent
    COMMAND ${CMAKE_COMMAND}
      -DGENERATOR=$<TARGET_FILE:quillora-gen-graphics>
      -DEMULATOR=${QEMU_X86_64} -DCPU_MODELS=qemu64,Nehalem,max
      -DEXPECTED_GRAPHICS=${CMAKE_SOURCE_DIR}/content/graphics
      -DEXPECTED_ICONS=${CMAKE_SOURCE_DIR}/packaging/icons
      -DWORK=${CMAKE_CURRENT_BINARY_DIR}/graphics_processor_independent
      -P ${CMAKE_CURRENT_LIST_DIR}/CompareGenerated.cmake)
  set_tests_properties(graphics_processor_independent PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 600)

  add_executable(test_graphics_output ${CMAKE_CURRENT_LIST_DIR}/tests/test_graphics_output.cpp)
  target_link_libraries(test_graphics_output PRIVATE quillora_graphics Qt6::Test)
  target_compile_definitions(test_graphics_output PRIVATE
    CMAKE_COMMAND_PATH="${CMAKE_COMMAND}"
    COMPARE_SCRIPT="${CMAKE_CURRENT_LIST_DIR}/CompareGenerated.cmake"
    COMMITTED_GRAPHICS="${CMAKE_SOURCE_DIR}/content/graphics"
    COMMITTED_ICONS="${CMAKE_SOURCE_DIR}/packaging/icons")
  add_test(NAME test_graphics_output COMMAND test_graphics_output)
  set_tests_properties(test_graphics_output PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 300)
endif()
