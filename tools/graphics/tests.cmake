# Tests of the store's generated graphics and of the content tool, run on the
# shipped store. Included from tools/CMakeLists.txt.

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
endif()

# The shipped store must validate without a single problem.
add_test(NAME content_validate COMMAND quillora-content validate)
set_tests_properties(content_validate PROPERTIES ENVIRONMENT "LC_ALL=C.UTF-8" TIMEOUT 300)
