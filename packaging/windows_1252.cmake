# Turns a UTF-8 text into Windows-1252 with CR LF line ends, the form Notepad
# reads on a French Windows. A character that code page lacks stops the build
# rather than becoming a wrong byte.
#
# As a script:  cmake -DINPUT=<utf-8 file> -DOUTPUT=<file> -P windows_1252.cmake

# The code points of 0x80-0x9F that Windows-1252 fills, as UTF-8 bytes = byte.
set(_icotrace_1252_extras
    "E2 82 AC=128" "E2 80 9A=130" "C6 92=131" "E2 80 9E=132" "E2 80 A6=133" "E2 80 A0=134"
    "E2 80 A1=135" "CB 86=136" "E2 80 B0=137" "C5 A0=138" "E2 80 B9=139" "C5 92=140"
    "C5 BD=142" "E2 80 98=145" "E2 80 99=146" "E2 80 9C=147" "E2 80 9D=148" "E2 80 A2=149"
    "E2 80 93=150" "E2 80 94=151" "CB 9C=152" "E2 84 A2=153" "C5 A1=154" "E2 80 BA=155"
    "C5 93=156" "C5 BE=158" "C5 B8=159")

# Every character above ASCII that the code page holds: its UTF-8 bytes
# (as hex pairs) = its byte in Windows-1252.
function(_icotrace_1252_table out)
  set(table ${_icotrace_1252_extras})
  foreach(code RANGE 160 255)
    # U+00A0-U+00FF: two UTF-8 bytes, C2 or C3 then 80-BF.
    math(EXPR lead "0xC2 + (${code} >> 6) - 2" OUTPUT_FORMAT HEXADECIMAL)
    math(EXPR trail "0x80 | (${code} & 0x3F)" OUTPUT_FORMAT HEXADECIMAL)
    string(SUBSTRING "${lead}" 2 -1 lead)
    string(SUBSTRING "${trail}" 2 -1 trail)
    list(APPEND table "${lead} ${trail}=${code}")
  endforeach()
  set(${out} "${table}" PARENT_SCOPE)
endfunction()

function(_icotrace_bytes hexPairs out)
  string(REPLACE " " ";" pairs "${hexPairs}")
  set(bytes "")
  foreach(pair IN LISTS pairs)
    math(EXPR value "0x${pair}")
    string(ASCII ${value} byte)
    string(APPEND bytes "${byte}")
  endforeach()
  set(${out} "${bytes}" PARENT_SCOPE)
endfunction()

function(icotrace_write_windows_1252 source destination)
  file(READ "${source}" text)
  _icotrace_1252_table(table)
  # One pass through placeholders: a byte already converted must never meet
  # its neighbour and read as UTF-8 again ("Ã©" stays two characters).
  string(ASCII 1 open)
  string(ASCII 2 close)
  foreach(entry IN LISTS table)
    string(REPLACE "=" ";" parts "${entry}")
    list(GET parts 0 hexPairs)
    list(GET parts 1 code)
    _icotrace_bytes("${hexPairs}" utf8)
    string(REPLACE "${utf8}" "${open}${code}${close}" text "${text}")
  endforeach()

  string(REGEX REPLACE "${open}[0-9]+${close}" "" rest "${text}")
  string(REGEX REPLACE "[\t\r\n -~]" "" rest "${rest}")
  if(NOT rest STREQUAL "")
    message(FATAL_ERROR "${source}: not UTF-8 text that Windows-1252 can hold (a character "
                        "outside that code page, a control character, or bytes that are "
                        "not UTF-8)")
  endif()

  foreach(code RANGE 128 255)
    string(ASCII ${code} byte)
    string(REPLACE "${open}${code}${close}" "${byte}" text "${text}")
  endforeach()
  string(REPLACE "\r\n" "\n" text "${text}")
  if(NOT text MATCHES "\n$")
    string(APPEND text "\n")
  endif()

  # file(WRITE) opens in text mode on Windows, where "\n" already becomes
  # CR LF; so write either way and keep the one whose bytes read back right.
  string(REPLACE "\n" "\r\n" wanted "${text}")
  string(HEX "${wanted}" wantedHex)
  foreach(lineEnd "\r\n" "\n")
    string(REPLACE "\n" "${lineEnd}" written "${text}")
    file(WRITE "${destination}" "${written}")
    file(READ "${destination}" writtenHex HEX)
    if(writtenHex STREQUAL wantedHex)
      return()
    endif()
  endforeach()
  message(FATAL_ERROR "${destination}: could not write CR LF line ends")
endfunction()

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  if(NOT DEFINED INPUT OR NOT DEFINED OUTPUT)
    message(FATAL_ERROR "usage: cmake -DINPUT=<utf-8 file> -DOUTPUT=<file> -P ${CMAKE_CURRENT_LIST_FILE}")
  endif()
  icotrace_write_windows_1252("${INPUT}" "${OUTPUT}")
endif()
