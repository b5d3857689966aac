#include "drawings/section_footing/bar_labels.hpp"

#include "output/primitives/primitives.hpp"

namespace lwall {

void draw_footing_callout(Canvas& cv, double x, double y, std::string_view mark, int diameter) {
    draw_bar_callout(cv, x, y, 200, 125, 0, mark, bar_size_text(diameter));
}

int zone_count_sum(const BarGroup& g) { return g.count[1] + g.count[2] + g.count[3] + g.count[4] + g.count[5]; }

}  // namespace lwall
