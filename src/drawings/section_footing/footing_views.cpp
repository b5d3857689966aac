#include "drawings/section_footing/footing_views.hpp"

namespace lwall {

// TODO(#4): sheet frames, bar arrangement view and footing plan.
void draw_footing_views(RunContext&) {}

}  // namespace lwall
