#include "drawings/section_footing/footing_views.hpp"

#include "drawings/section_footing/bar_arrangement_view.hpp"
#include "drawings/section_footing/footing_plan.hpp"

namespace lwall {

void draw_footing_views(RunContext& ctx) {
    draw_bar_arrangement_view(ctx);
    draw_footing_plan(ctx);
}

}  // namespace lwall
