# Checks the Windows-1252 writer that makes LISEZMOI.txt: the bytes Notepad
# gets, and the texts it must refuse.
#   cmake -DWORK_DIR=<scratch folder> -P check_windows_1252.cmake
set(converter ${CMAKE_CURRENT_LIST_DIR}/windows_1252.cmake)
include(${converter})
if(NOT DEFINED WORK_DIR)
  set(WORK_DIR ${CMAKE_CURRENT_BINARY_DIR}/windows_1252_check)
endif()
file(MAKE_DIRECTORY ${WORK_DIR})

function(expect_bytes name utf8 expectedHex)
  file(WRITE ${WORK_DIR}/${name}.in "${utf8}")
  icotrace_write_windows_1252(${WORK_DIR}/${name}.in ${WORK_DIR}/${name}.out)
  file(READ ${WORK_DIR}/${name}.out actual HEX)
  string(REPLACE " " "" expectedHex "${expectedHex}")
  if(NOT actual STREQUAL expectedHex)
    message(SEND_ERROR "${name}: wrote ${actual}, expected ${expectedHex}")
  endif()
endfunction()

function(expect_refused name utf8)
  file(WRITE ${WORK_DIR}/${name}.in "${utf8}")
  execute_process(
    COMMAND ${CMAKE_COMMAND} -DINPUT=${WORK_DIR}/${name}.in -DOUTPUT=${WORK_DIR}/${name}.out
            -P ${converter}
    RESULT_VARIABLE result OUTPUT_QUIET ERROR_QUIET)
  if(result EQUAL 0)
    message(SEND_ERROR "${name}: converted, expected a refusal")
  endif()
endfunction()

# French letters, the guillemets and the 0x80-0x9F punctuation of the code page.
expect_bytes(french "àâçéèêëîïôùûüÿ ÀÇÉÈÊÔ « » œŒ €’…–—"
  "e0e2e7e9e8eaebeeeff4f9fbfcff20c0c7c9c8cad420ab20bb209c8c20809285969 70d0a")
# A converted byte never joins its neighbour into a new UTF-8 sequence.
string(ASCII 194 160 nbsp)
expect_bytes(no_second_pass "Ã© Â${nbsp}" "c3a920c2a0 0d0a")
# Line ends: LF and CR LF both become CR LF; a last line gets its end.
expect_bytes(line_ends "a\nb\r\n\nc" "610d0a 620d0a 0d0a 630d0a")
expect_bytes(tab_and_semicolons "Nom;X;Y\tfin" "4e6f6d3b583b5909 66696e 0d0a")

expect_refused(greek "Ωμέγα\n")
expect_refused(arrow "a → b\n")
string(ASCII 233 latin1E)
expect_refused(latin1_bytes_not_utf8 "caf${latin1E}\n")
string(ASCII 7 bell)
expect_refused(control_character "a${bell}b\n")

# The text shipped in the archives converts.
icotrace_write_windows_1252(${CMAKE_CURRENT_LIST_DIR}/LISEZMOI.txt ${WORK_DIR}/LISEZMOI.txt)
