#include "core/program_path.hpp"

#include <system_error>

namespace lwall {

std::filesystem::path beside_program(std::string_view name) {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return (error ? std::filesystem::path() : program.parent_path()) / name;
}

}  // namespace lwall
