# Writes a C++ source holding files as byte arrays: the editor's page (HTML, CSS, scripts) and the
# example walls it starts from, so that lwall serve needs no file beside the program.
# Usage: cmake -DOUTPUT=<file.cpp> -DFILES=<name>=<path>|<name>=<path>... -P embed_files.cmake
string(REPLACE "|" ";" FILES "${FILES}")
set(arrays "")
set(entries "")
set(i 0)
foreach(entry ${FILES})
  string(FIND "${entry}" "=" eq)
  string(SUBSTRING "${entry}" 0 ${eq} name)
  math(EXPR from "${eq} + 1")
  string(SUBSTRING "${entry}" ${from} -1 path)
  file(READ "${path}" hex HEX)
  string(LENGTH "${hex}" digits)
  math(EXPR size "${digits} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "((0x[0-9a-f][0-9a-f],){24})" "\\1\n    " bytes "${bytes}")
  # A trailing zero keeps an empty file's array legal; it is not counted in the size.
  string(APPEND arrays "const unsigned char k${i}[] = {\n    ${bytes}0};\n")
  string(APPEND entries "    {\"${name}\", k${i}, ${size}},\n")
  math(EXPR i "${i} + 1")
endforeach()
file(WRITE "${OUTPUT}.new" "// Made by cmake/embed_files.cmake from the files it names at build time; not edited by hand.

#include \"server/embedded_files.hpp\"

namespace lwall {

namespace {

${arrays}
const EmbeddedFile kFiles[] = {
${entries}};

}  // namespace

std::span<const EmbeddedFile> embedded_files() { return kFiles; }

}  // namespace lwall
")
# Only a changed file is replaced, so that an unchanged page does not relink the program.
execute_process(COMMAND ${CMAKE_COMMAND} -E copy_if_different "${OUTPUT}.new" "${OUTPUT}")
file(REMOVE "${OUTPUT}.new")
