#pragma once

#include "core/wall_input.hpp"

namespace lwall {

// Refuses, with status 6 and before anything is drawn, input that the bending drawings, the
// schedule and the tables could not be drawn from: values that would divide by zero, index
// outside a list or run without end.
void check_schedule_input(const WallInput& w);

}  // namespace lwall
