#include "drawings/section_footing/footing_input_checks.hpp"

namespace lwall {

void check_footing_input(const WallInput&) {}

}  // namespace lwall
