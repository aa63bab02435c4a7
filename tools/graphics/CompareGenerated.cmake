# Checks that the graphics generator reproduces the committed graphics (and
# desktop icons) byte for byte, with no file missing or extra. Called by CTest:
#
#   -DEXPECTED_GRAPHICS= -DEXPECTED_ICONS=  the committed folders
#   -DGENERATOR= -DWORK=                    run the generator into WORK and compare
#   -DEMULATOR= -DCPU_MODELS=a,b            ... once per emulated processor model
#   -DGENERATED=                            compare this output folder instead

set(problems "")
function(compare_tree label expected actual)
  file(GLOB_RECURSE want RELATIVE "${expected}" "${expected}/*")
  file(GLOB_RECURSE got RELATIVE "${actual}" "${actual}/*")
  foreach(f IN LISTS want)
    if(NOT EXISTS "${actual}/${f}")
      list(APPEND problems "${label}not generated: ${f}")
      continue()
    endif()
    # In-process digests: a compare_files process per file is slow on a busy machine.
    file(SHA256 "${expected}/${f}" want_sum)
    file(SHA256 "${actual}/${f}" got_sum)
    if(NOT want_sum STREQUAL got_sum)
      list(APPEND problems "${label}differs: ${f}")
    endif()
  endforeach()
  foreach(f IN LISTS got)
    if(NOT EXISTS "${expected}/${f}")
      list(APPEND problems "${label}generated but not committed: ${f}")
    endif()
  endforeach()
  set(problems "${problems}" PARENT_SCOPE)
endfunction()

function(compare_output label out)
  compare_tree("${label}" "${EXPECTED_GRAPHICS}" "${out}/graphics")
  if(EXPECTED_ICONS)
    compare_tree("${label}" "${EXPECTED_ICONS}" "${out}/icons")
  endif()
  set(problems "${problems}" PARENT_SCOPE)
endfunction()

function(generate out)
  file(REMOVE_RECURSE "${out}")
  file(MAKE_DIRECTORY "${out}")
  execute_process(COMMAND ${ARGN} "${GENERATOR}" "${out}" --icons "${out}/icons"
                  RESULT_VARIABLE status ERROR_VARIABLE errors)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "generator failed (${status}) ${ARGN}: ${errors}")
  endif()
endfunction()

if(GENERATED)
  compare_output("" "${GENERATED}")
elseif(EMULATOR)
  if(NOT EXISTS "${EMULATOR}")
    message(FATAL_ERROR "qemu-x86_64 not found: install qemu-user (scripts/install-deps.sh)")
  endif()
  string(REPLACE "," ";" models "${CPU_MODELS}")
  foreach(model IN LISTS models)
    generate("${WORK}/${model}" "${EMULATOR}" -cpu "${model}")
    compare_output("[${model}] " "${WORK}/${model}")
  endforeach()
else()
  generate("${WORK}")
  compare_output("" "${WORK}")
endif()

list(LENGTH problems count)
if(count GREATER 0)
  list(JOIN problems "\n  " text)
  message(FATAL_ERROR "${count} problem(s):\n  ${text}")
endif()
message(STATUS "generated graphics match the committed files")
