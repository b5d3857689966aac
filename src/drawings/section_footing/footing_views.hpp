#pragma once

#include "context/run_context.hpp"

namespace lwall {

// The two sheet frames, the sheet title, the bar arrangement view and the footing plan; fills the
// rows of W5, F1 to F4 and S2. The second drawing of every run.
void draw_footing_views(RunContext& ctx);

}  // namespace lwall
