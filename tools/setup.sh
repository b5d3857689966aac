#!/usr/bin/env bash
# Installs what lwall needs on a Debian machine, and nothing that is already there.
#   tools/setup.sh          the build: compiler, CMake, GoogleTest, the editor's two libraries,
#                           dpkg-dev (unpacks Debian's source of cpp-httplib with Debian's fixes),
#                           pkg-config (for Debian's compiled cpp-httplib, used where that source
#                           is missing, and for cairo), and cairo with the Japanese font IPAGothic
#                           for the PDF writer of lwall --pdf; then cpp-httplib's single header from
#                           Debian's source package into .deps/cpp-httplib/, where configure reads it
#   tools/setup.sh --test   also what the tests use: a DXF reader, Chromium with its driver,
#                           Selenium, and poppler's PDF tools for the print test and Lwall.pdf
#   tools/setup.sh --windows  the cross-build of lwall.exe (mingw-w64) and Wine to try it
# Used by the README's commands and by .ci/run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

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
want dpkg-dev command -v dpkg-source
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
  want nodejs sh -c 'command -v node || command -v nodejs'
fi

if [ ${#need[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${need[@]}"
fi

# cpp-httplib as one header, from Debian's source package by name (apt-get source, which checks it
# against the signed package index and applies Debian's patches), into .deps/cpp-httplib/ beside
# the sources: include/httplib.h, LICENSE and VERSION. Configure reads it from there and never
# touches the network. apt takes the machine's own package sources (mirrors and proxies included),
# turned into source entries in a private apt folder that is removed afterwards; nothing under
# /etc changes. Done once: a header already there is kept.
fetch_httplib_source() {
  local dest="$root/.deps/cpp-httplib"
  [ -e "$dest/include/httplib.h" ] && return 0
  mkdir -p "$root/.deps"
  work=$(mktemp -d "$root/.deps/.fetch.XXXXXX")
  trap 'rm -rf "$work"' EXIT
  mkdir -p "$work/apt/sources.list.d" "$work/apt/lists/partial" "$work/apt/cache/archives/partial" "$work/src" \
           "$work/out/include"
  # Downloads run as apt's own user where apt runs as root: let it reach the folders.
  chmod 755 "$work"
  if [ "$(id -u)" -eq 0 ] && id _apt >/dev/null 2>&1; then chown _apt "$work/src"; fi
  local list parts f
  eval "$(apt-config shell list Dir::Etc::sourcelist/f parts Dir::Etc::sourceparts/d)"
  # One-line entries "deb [options] URI suite components", and deb822 paragraphs "Types: deb".
  to_source_lines() { sed -n 's/^[[:space:]]*deb[[:space:]]/deb-src /p' "$1"; }
  [ -f "$list" ] && to_source_lines "$list" > "$work/apt/sources.list"
  for f in "$parts"*.list; do [ -f "$f" ] && to_source_lines "$f" > "$work/apt/sources.list.d/${f##*/}"; done
  for f in "$parts"*.sources; do
    [ -f "$f" ] && sed 's/^Types:.*/Types: deb-src/' "$f" > "$work/apt/sources.list.d/${f##*/}"
  done
  local apt=(apt-get -q -o "Dir::Etc::sourcelist=$work/apt/sources.list"
             -o "Dir::Etc::sourceparts=$work/apt/sources.list.d" -o "Dir::State::lists=$work/apt/lists"
             -o "Dir::Cache=$work/apt/cache")
  # A source that carries no source packages (a third party's) fails its part of the update alone.
  "${apt[@]}" update >/dev/null || true
  if ! (cd "$work/src" && "${apt[@]}" source cpp-httplib >/dev/null) ||
     ! cp "$work"/src/cpp-httplib-*/httplib.h "$work/out/include/" ||
     ! cp "$work"/src/cpp-httplib-*/LICENSE "$work/out/"; then
    echo "tools/setup.sh: Debian's source of cpp-httplib could not be had through apt;" \
         "the build falls back to Debian's compiled library (which every start of lwall loads)" >&2
    return 0
  fi
  sed -n 's/^Version: //p' "$work"/src/cpp-httplib_*.dsc > "$work/out/VERSION"
  rm -rf "$dest"
  mv "$work/out" "$dest"
  echo "tools/setup.sh: cpp-httplib $(cat "$dest/VERSION") from Debian's source package in .deps/cpp-httplib"
}
fetch_httplib_source
