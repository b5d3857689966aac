# The release archive: lwall (lwall.exe from the Windows cross-build), the two example walls, the
# README and the notices of the libraries compiled into the program.
#   cmake --build build-win --target package   ->  build-win/lwall-<version>-windows-x64.zip
install(TARGETS lwall RUNTIME DESTINATION .)
install(DIRECTORY examples/ DESTINATION examples)
install(FILES README.md DESTINATION .)

# The licences of what the program carries inside it: the editor's two libraries, and for the
# Windows program the runtime mingw-w64 links in (winpthreads and the rest of its C runtime).
set(notices "${CMAKE_BINARY_DIR}/THIRD-PARTY-NOTICES.txt")
set(notice_text "lwall carries these libraries inside it; their licences follow.\n")
set(notice_files)
if(LWALL_EDITOR)
  list(APPEND notice_files "cpp-httplib=${LWALL_HTTPLIB_LICENSE}"
                           "nlohmann-json=/usr/share/doc/nlohmann-json3-dev/copyright")
endif()
if(WIN32)
  list(APPEND notice_files "mingw-w64 runtime=/usr/share/doc/mingw-w64-x86-64-dev/copyright")
endif()
foreach(entry ${notice_files})
  string(REPLACE "=" ";" entry "${entry}")
  list(GET entry 0 name)
  list(GET entry 1 path)
  if(EXISTS "${path}")
    file(READ "${path}" text)
    string(APPEND notice_text "\n==== ${name} ====\n\n${text}")
  endif()
endforeach()
file(WRITE "${notices}" "${notice_text}")
install(FILES "${notices}" DESTINATION .)

set(CPACK_PACKAGE_NAME lwall)
set(CPACK_PACKAGE_VENDOR lwall)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Reinforcement drawing of an L-shaped retaining wall")
if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME "lwall-${PROJECT_VERSION}-windows-x64")
else()
  set(CPACK_GENERATOR TGZ)
  set(CPACK_PACKAGE_FILE_NAME "lwall-${PROJECT_VERSION}-${CMAKE_SYSTEM_NAME}-${CMAKE_SYSTEM_PROCESSOR}")
endif()
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
include(CPack)
