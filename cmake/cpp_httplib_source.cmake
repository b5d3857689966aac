# Debian's cpp-httplib as its source package holds it: the library's single header with everything
# inline, with the patches Debian applies. Debian's binary package ships the library compiled
# (with OpenSSL, zlib and brotli behind it), which every start of lwall would then load, the batch
# run included, and which a cross-build for Windows cannot use; the header from the same Debian
# source serves both and adds nothing to a batch run.
#
# Sets LWALL_HTTPLIB_HEADER_DIR to a folder holding httplib.h, or leaves it empty when the source
# cannot be had (no network and no copy in the download folder).
set(httplib_version "0.11.4+ds")
set(httplib_debian "${httplib_version}-1+deb12u1")
set(httplib_files
    "cpp-httplib_${httplib_version}.orig.tar.xz=8b1a5df569003b6a4f24c68489bbda5c64aec94697bdc9ebba5d79408b2ae7eb"
    "cpp-httplib_${httplib_debian}.debian.tar.xz=a0adf8a38610806f6d94ba69839438635e5e6580775e28ff31d6a081e34f1484")
set(httplib_mirrors "http://deb.debian.org/debian/pool/main/c/cpp-httplib"
                    "http://snapshot.debian.org/archive/debian/20250520T000000Z/pool/main/c/cpp-httplib")
# Downloads are kept beside the sources, so that every build folder (plain, sanitized, Windows)
# takes them from there; a machine without network can be given them by hand.
set(LWALL_DOWNLOADS "${CMAKE_SOURCE_DIR}/.downloads" CACHE PATH "Where the sources fetched from Debian are kept")
set(header_dir "${CMAKE_BINARY_DIR}/cpp-httplib/include")
set(LWALL_HTTPLIB_HEADER_DIR "")

if(EXISTS "${header_dir}/httplib.h")
  set(LWALL_HTTPLIB_HEADER_DIR "${header_dir}")
  return()
endif()

file(MAKE_DIRECTORY "${LWALL_DOWNLOADS}")
foreach(entry ${httplib_files})
  string(REPLACE "=" ";" entry "${entry}")
  list(GET entry 0 name)
  list(GET entry 1 sha256)
  set(archive "${LWALL_DOWNLOADS}/${name}")
  if(EXISTS "${archive}")
    file(SHA256 "${archive}" have)
    if(have STREQUAL sha256)
      continue()
    endif()
    file(REMOVE "${archive}")
  endif()
  foreach(mirror ${httplib_mirrors})
    file(DOWNLOAD "${mirror}/${name}" "${archive}.part" TIMEOUT 60 STATUS status EXPECTED_HASH SHA256=${sha256})
    list(GET status 0 code)
    if(code EQUAL 0)
      file(RENAME "${archive}.part" "${archive}")
      break()
    endif()
    file(REMOVE "${archive}.part")
  endforeach()
  if(NOT EXISTS "${archive}")
    message(STATUS "Debian's source of cpp-httplib could not be fetched (${name})")
    return()
  endif()
endforeach()

find_program(LWALL_PATCH patch)
if(NOT LWALL_PATCH)
  message(STATUS "cpp-httplib's source needs the program patch (Debian: patch) for Debian's fixes")
  return()
endif()
set(work "${CMAKE_BINARY_DIR}/cpp-httplib/source")
file(REMOVE_RECURSE "${work}")
file(MAKE_DIRECTORY "${work}")
foreach(entry ${httplib_files})
  string(REGEX REPLACE "=.*" "" name "${entry}")
  file(ARCHIVE_EXTRACT INPUT "${LWALL_DOWNLOADS}/${name}" DESTINATION "${work}")
endforeach()
file(GLOB upstream LIST_DIRECTORIES true "${work}/*-cpp-httplib-*")
file(STRINGS "${work}/debian/patches/series" patches REGEX "^[^#]")
foreach(p ${patches})
  execute_process(COMMAND "${LWALL_PATCH}" -p1 -s -i "${work}/debian/patches/${p}"
                  WORKING_DIRECTORY "${upstream}" RESULT_VARIABLE failed)
  if(failed)
    message(STATUS "Debian's patch ${p} does not apply to cpp-httplib's source")
    return()
  endif()
endforeach()
file(MAKE_DIRECTORY "${header_dir}")
file(COPY "${upstream}/httplib.h" DESTINATION "${header_dir}")
file(COPY "${upstream}/LICENSE" DESTINATION "${header_dir}/..")
set(LWALL_HTTPLIB_HEADER_DIR "${header_dir}")
