#pragma once
// Where the program's own modules stand: beside the program's file, whichever folder it was started
// from (the PDF writer lwall-pdf.so, the editor lwall-serve.so where it is a module).

#include <filesystem>
#include <string_view>

namespace lwall {

// The file `name` in the folder of the running program; just `name` where the program's own path
// cannot be read.
std::filesystem::path beside_program(std::string_view name);

}  // namespace lwall
