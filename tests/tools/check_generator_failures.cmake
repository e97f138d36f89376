# The generators must fail loudly, never leave a build half-done in silence: a picture, a sound or
# a manual that cannot be written ends the generator with status 1, every other picture is still
# written, and a manual that fails to render leaves the previous Manual.pdf as it was.
#
# Usage: cmake -DMAKE_PICTURES=<exe> -DMAKE_MANUAL=<exe> -DMAKE_SOUNDS=<exe> -DMANUAL_SOURCE=<html>
#              -DWORK_DIR=<dir> -P check_generator_failures.cmake     (with QT_QPA_PLATFORM=offscreen)

cmake_minimum_required(VERSION 3.25)

foreach(variable MAKE_PICTURES MAKE_MANUAL MAKE_SOUNDS MANUAL_SOURCE WORK_DIR)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "${variable} is not set")
  endif()
endforeach()

file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
# A plain file where a folder should be: no folder below it can be created, even by root.
file(WRITE "${WORK_DIR}/blocker" "not a folder")

# Runs a generator and expects status 1 with a message on stderr.
function(expect_failure case)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE errors)
  if(NOT status STREQUAL "1")
    message(SEND_ERROR "${case}: exit status '${status}', expected 1")
  elseif(errors STREQUAL "")
    message(SEND_ERROR "${case}: failed without saying why")
  endif()
endfunction()

expect_failure("pictures into a folder that cannot be created"
  "${MAKE_PICTURES}" "${WORK_DIR}/blocker/image")

# One picture blocked by a folder of its name: the run fails, the others are still drawn.
file(MAKE_DIRECTORY "${WORK_DIR}/image/card.bmp")
expect_failure("one picture that cannot be written" "${MAKE_PICTURES}" "${WORK_DIR}/image")
foreach(picture D1.bmp H13.bmp chip0_5.bmp chip5000.bmp)
  if(NOT EXISTS "${WORK_DIR}/image/${picture}")
    message(SEND_ERROR "a blocked card.bmp stopped image/${picture} from being written")
  endif()
endforeach()

expect_failure("manual into a folder that cannot be created"
  "${MAKE_MANUAL}" "${MANUAL_SOURCE}" "${WORK_DIR}/blocker/Manual.pdf")

file(WRITE "${WORK_DIR}/Manual.pdf" "previous manual")
expect_failure("manual from a missing source"
  "${MAKE_MANUAL}" "${WORK_DIR}/missing.html" "${WORK_DIR}/Manual.pdf")
file(WRITE "${WORK_DIR}/empty.html" "  \n")
expect_failure("manual from an empty source"
  "${MAKE_MANUAL}" "${WORK_DIR}/empty.html" "${WORK_DIR}/Manual.pdf")
file(READ "${WORK_DIR}/Manual.pdf" kept)
if(NOT kept STREQUAL "previous manual")
  message(SEND_ERROR "a failed render replaced the previous Manual.pdf")
endif()

expect_failure("sounds into a folder that cannot be created"
  "${MAKE_SOUNDS}" "${WORK_DIR}/blocker/sound" "${WORK_DIR}/sound_lengths.txt")

file(REMOVE_RECURSE "${WORK_DIR}")
