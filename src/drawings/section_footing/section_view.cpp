#include "drawings/section_footing/section_view.hpp"

namespace lwall {

// TODO(#4): the section view.
void draw_section_view(RunContext&) {}

}  // namespace lwall
