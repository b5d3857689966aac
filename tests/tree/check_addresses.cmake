# Fails on an http:// or https:// address in the tracked tree that names a host beyond this
# machine: the build takes nothing by address (packages come by name through apt or npm), and no
# package host is written down. Allowed: loopback (the editor's own address), an address put
# together while running ("http://" + host), a placeholder in capitals (http://HOST:PORT/), the
# names reserved for examples and tests (example.com, *.example, *.invalid, *.test) and XML
# namespaces (http://www.w3.org/2000/svg), which name no place to fetch from.
# Usage: cmake -DSOURCE_DIR=<the checkout> -P check_addresses.cmake
find_program(GIT git)
if(NOT GIT)
  message("git is missing: the tracked tree cannot be listed; skipped")
  return()
endif()
# One pass over the tracked text files; an address runs up to a blank, a quote or a bracket.
execute_process(COMMAND "${GIT}" -C "${SOURCE_DIR}" grep -n -I -o -i -E "https?://[^][ \"'<>(){}`|*,;]*"
                RESULT_VARIABLE rc OUTPUT_VARIABLE hits ERROR_VARIABLE error)
if(rc EQUAL 1)
  return()  # no address at all
elseif(NOT rc EQUAL 0)
  message("not a git checkout (${error}); skipped")
  return()
endif()
string(REPLACE "\\" "" hits "${hits}")  # addresses inside regular expressions: 127\.0\.0\.1
string(REPLACE ";" "," hits "${hits}")
string(REGEX REPLACE "\n$" "" hits "${hits}")
string(REPLACE "\n" ";" hits "${hits}")
set(loopback "^(127\\.[0-9.]+|localhost|\\[::1\\]|0\\.0\\.0\\.0)$")
set(reserved "^(.*\\.)?(example\\.(com|net|org)|[^.]*\\.example|[^.]*\\.invalid|[^.]*\\.test|[^.]*\\.localhost)$")
set(faults "")
foreach(hit ${hits})
  string(REGEX MATCH "^([^:]*):([0-9]+):([A-Za-z]+://([^/:]*).*)" found "${hit}")
  set(where "${CMAKE_MATCH_1} line ${CMAKE_MATCH_2}")
  set(address "${CMAKE_MATCH_3}")
  set(host "${CMAKE_MATCH_4}")
  string(TOLOWER "${host}" lower)
  if(host STREQUAL "" OR host MATCHES "^[A-Z_]+$" OR lower MATCHES "${loopback}" OR lower MATCHES "${reserved}"
     OR lower STREQUAL "www.w3.org")
    continue()
  endif()
  string(APPEND faults "\n  ${where}: ${address}")
endforeach()
if(faults)
  message(FATAL_ERROR "addresses of other hosts in the tracked tree (packages come by name, never by address):${faults}")
endif()
