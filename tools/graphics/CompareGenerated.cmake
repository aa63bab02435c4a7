# Runs the graphics generator into WORK and checks that it reproduces the
# committed graphics (and desktop icons) byte for byte, with no file missing
# or extra. Called by CTest with -DGENERATOR= -DEXPECTED_GRAPHICS=
# -DEXPECTED_ICONS= -DWORK=.

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
execute_process(
  COMMAND "${GENERATOR}" "${WORK}" --icons "${WORK}/icons"
  RESULT_VARIABLE status
  ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "generator failed (${status}): ${errors}")
endif()

set(problems "")
function(compare_tree expected actual)
  file(GLOB_RECURSE want RELATIVE "${expected}" "${expected}/*")
  file(GLOB_RECURSE got RELATIVE "${actual}" "${actual}/*")
  foreach(f IN LISTS want)
    if(NOT EXISTS "${actual}/${f}")
      list(APPEND problems "not generated: ${f}")
      continue()
    endif()
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${expected}/${f}" "${actual}/${f}"
                    RESULT_VARIABLE differs)
    if(NOT differs EQUAL 0)
      list(APPEND problems "differs: ${f}")
    endif()
  endforeach()
  foreach(f IN LISTS got)
    if(NOT EXISTS "${expected}/${f}")
      list(APPEND problems "generated but not committed: ${f}")
    endif()
  endforeach()
  set(problems "${problems}" PARENT_SCOPE)
endfunction()

compare_tree("${EXPECTED_GRAPHICS}" "${WORK}/graphics")
if(EXPECTED_ICONS)
  compare_tree("${EXPECTED_ICONS}" "${WORK}/icons")
endif()

list(LENGTH problems count)
if(count GREATER 0)
  list(JOIN problems "\n  " text)
  message(FATAL_ERROR "${count} problem(s):\n  ${text}")
endif()
message(STATUS "generated graphics match the committed files")
