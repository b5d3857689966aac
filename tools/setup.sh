#!/usr/bin/env bash
# Installs what lwall needs on a Debian machine, and nothing that is already there.
#   tools/setup.sh          the build: compiler, CMake, GoogleTest, the editor's two libraries,
#                           patch (for Debian's fixes to cpp-httplib's source, which the build
#                           fetches from Debian), pkg-config (for Debian's compiled cpp-httplib,
#                           used where that source cannot be fetched, and for cairo), and cairo with
#                           the Japanese font IPAGothic for the PDF writer of lwall --pdf
#   tools/setup.sh --test   also what the tests use: a DXF reader, Chromium with its driver,
#                           Selenium, and poppler's PDF tools for the print test and Lwall.pdf
#   tools/setup.sh --windows  the cross-build of lwall.exe (mingw-w64) and Wine to try it
# Used by the README's commands and by .ci/run.
set -euo pipefail

need=()
want() {  # want <package> <test that says it is there>
  local package=$1
  shift
  "$@" >/dev/null 2>&1 || need+=("$package")
}
has_file() { [ -e "$1" ]; }

want cmake command -v cmake
want g++ command -v g++
want libgtest-dev sh -c '[ -e /usr/lib/x86_64-linux-gnu/cmake/GTest ] || [ -e /usr/lib/cmake/GTest ]'
want libcpp-httplib-dev has_file /usr/include/httplib.h
want pkg-config command -v pkg-config
want patch command -v patch
want nlohmann-json3-dev has_file /usr/include/nlohmann/json.hpp
want libcairo2-dev pkg-config --exists cairo-pdf cairo-ft fontconfig
want fonts-ipafont-gothic sh -c 'fc-list | grep -qi ipagothic'
if [ "${1:-}" = "--windows" ]; then
  want g++-mingw-w64-x86-64-posix command -v x86_64-w64-mingw32-g++-posix
  want wine command -v wine
  want wine64 sh -c '[ -e /usr/lib/wine/wine64 ]'
fi
if [ "${1:-}" = "--test" ]; then
  want python3-ezdxf /usr/bin/python3 -c 'import ezdxf'
  want python3-selenium /usr/bin/python3 -c 'import selenium'
  want chromium command -v chromium
  want chromium-driver command -v chromedriver
  want poppler-utils command -v pdfinfo
fi

if [ ${#need[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${need[@]}"
fi
