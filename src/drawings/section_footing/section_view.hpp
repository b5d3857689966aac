#pragma once

#include "driver/run_context.hpp"

namespace lwall {

// The cross-section of the wall with its bars, dimensions and covers; fills row 51 (S1).
void draw_section_view(RunContext& ctx);

}  // namespace lwall
