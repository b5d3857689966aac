# Finds the two libraries of the editor (lwall serve): cpp-httplib for HTTP and nlohmann-json for
# JSON. Sets LWALL_EDITOR to TRUE and defines the targets lwall_httplib and lwall_json when both are
# there; otherwise the program is built without the editor and says why.
#
# cpp-httplib comes as the single header of Debian's source package, which tools/setup.sh puts in
# .deps/cpp-httplib/ beside the sources (apt-get source, Debian's patches applied). Where it is
# missing (or with -DLWALL_HTTPLIB=compiled), Debian's compiled library described to pkg-config
# serves instead (its header must be read with the definitions the library was built with, which
# only pkg-config knows). That library brings TLS and compression with it, which a batch run must
# never load: the editor is then a module of its own beside the program (LWALL_EDITOR_MODULE,
# lwall-serve.so), which only lwall serve loads. Configure never fetches anything.
set(LWALL_EDITOR FALSE)
set(LWALL_EDITOR_MODULE FALSE)
set(LWALL_DEPS_DIR "${CMAKE_SOURCE_DIR}/.deps" CACHE PATH "Where tools/setup.sh puts what it takes from Debian's sources")
set(LWALL_HTTPLIB auto CACHE STRING
    "cpp-httplib: auto (the header in .deps, else Debian's compiled library), or compiled (Debian's, always)")
set_property(CACHE LWALL_HTTPLIB PROPERTY STRINGS auto compiled)
set(httplib_source "${LWALL_DEPS_DIR}/cpp-httplib")
set(LWALL_HTTPLIB_LICENSE "")
if(EXISTS "${httplib_source}/include/httplib.h" AND NOT LWALL_HTTPLIB STREQUAL "compiled")
  # The single header, compiled into the editor alone: no TLS and no compression, which a server on
  # the engineer's own machine does not need, and poll() as Debian builds it. The batch run loads
  # nothing more than without the editor, and the cross-build for Windows takes the same header.
  add_library(lwall_httplib INTERFACE)
  target_include_directories(lwall_httplib SYSTEM INTERFACE "${httplib_source}/include")
  # A header line may be as long as the editor lets all of a request's header lines be (16 KiB); a
  # burst of connections waits in the system's queue rather than for the client's second SYN (the
  # library's queue of 5 holds up the sixth connection of a burst by a second).
  target_compile_definitions(lwall_httplib INTERFACE CPPHTTPLIB_USE_POLL CPPHTTPLIB_HEADER_MAX_LENGTH=16400
                                                     CPPHTTPLIB_LISTEN_BACKLOG=128)
  set(LWALL_HTTPLIB_LICENSE "${httplib_source}/LICENSE")
  set(httplib_version "")
  if(EXISTS "${httplib_source}/VERSION")
    file(STRINGS "${httplib_source}/VERSION" httplib_version LIMIT_COUNT 1)
  endif()
  message(STATUS "lwall serve: cpp-httplib ${httplib_version} from Debian's source package in ${httplib_source}")
elseif(NOT CMAKE_CROSSCOMPILING)
  # The build machine's compiled library serves only a program for the build machine.
  find_package(PkgConfig QUIET)
  if(PKG_CONFIG_FOUND)
    pkg_check_modules(LWALL_CPP_HTTPLIB QUIET IMPORTED_TARGET cpp-httplib)
  endif()
  if(TARGET PkgConfig::LWALL_CPP_HTTPLIB)
    add_library(lwall_httplib INTERFACE)
    target_link_libraries(lwall_httplib INTERFACE PkgConfig::LWALL_CPP_HTTPLIB)
    set(LWALL_HTTPLIB_LICENSE "/usr/share/doc/libcpp-httplib-dev/copyright")
    set(LWALL_EDITOR_MODULE TRUE)
    message(STATUS "lwall serve: Debian's compiled cpp-httplib (no header in ${httplib_source}, which "
                   "tools/setup.sh fills, or LWALL_HTTPLIB=compiled), in the module lwall-serve.so that only "
                   "lwall serve loads")
  endif()
endif()
if(NOT TARGET lwall_httplib AND NOT LWALL_EDITOR_MISSING)
  set(LWALL_EDITOR_MISSING "cpp-httplib")
endif()

find_package(nlohmann_json 3 CONFIG QUIET)
if(TARGET nlohmann_json::nlohmann_json)
  add_library(lwall_json INTERFACE)
  target_link_libraries(lwall_json INTERFACE nlohmann_json::nlohmann_json)
else()
  # A cross-build looks only in its target's folders: nlohmann-json is headers of plain C++, so
  # Debian's copy serves any target. Copied beside the build, so that the rest of /usr/include
  # (the build machine's C library) never reaches the target's compiler.
  find_path(LWALL_JSON_INCLUDE_DIR nlohmann/json.hpp)
  if(NOT LWALL_JSON_INCLUDE_DIR AND CMAKE_CROSSCOMPILING)
    find_path(LWALL_HOST_JSON_INCLUDE_DIR nlohmann/json.hpp PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH NO_DEFAULT_PATH)
    if(LWALL_HOST_JSON_INCLUDE_DIR)
      file(COPY "${LWALL_HOST_JSON_INCLUDE_DIR}/nlohmann" DESTINATION "${CMAKE_BINARY_DIR}/nlohmann-json/include")
      set(LWALL_JSON_INCLUDE_DIR "${CMAKE_BINARY_DIR}/nlohmann-json/include")
    endif()
  endif()
  if(LWALL_JSON_INCLUDE_DIR)
    add_library(lwall_json INTERFACE)
    target_include_directories(lwall_json SYSTEM INTERFACE "${LWALL_JSON_INCLUDE_DIR}")
  elseif(LWALL_EDITOR_MISSING)
    string(APPEND LWALL_EDITOR_MISSING " and nlohmann-json")
  else()
    set(LWALL_EDITOR_MISSING "nlohmann-json")
  endif()
endif()

if(TARGET lwall_httplib AND TARGET lwall_json)
  find_package(Threads REQUIRED)
  target_link_libraries(lwall_httplib INTERFACE Threads::Threads)
  if(WIN32)
    target_link_libraries(lwall_httplib INTERFACE ws2_32)
  endif()
  set(LWALL_EDITOR TRUE)
else()
  if(LWALL_EDITOR_MISSING MATCHES " and ")
    set(LWALL_EDITOR_MISSING "${LWALL_EDITOR_MISSING} were not found when it was built")
  else()
    set(LWALL_EDITOR_MISSING "${LWALL_EDITOR_MISSING} was not found when it was built")
  endif()
  message(STATUS "lwall serve is left out: ${LWALL_EDITOR_MISSING} (tools/setup.sh fetches and installs both)")
endif()
