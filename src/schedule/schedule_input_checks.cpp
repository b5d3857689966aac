#include "schedule/schedule_input_checks.hpp"

namespace lwall {

void check_schedule_input(const WallInput&) {}

}  // namespace lwall
