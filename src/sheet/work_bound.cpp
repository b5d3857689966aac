#include "sheet/work_bound.hpp"

#include <algorithm>

#include "core/run_failure.hpp"
#include "core/wall_fields.hpp"
#include "drawings/section_footing/footing_plan.hpp"

namespace lwall {

namespace {

// The bars of a mark's zones, and the count of its largest zone.
MarkBars zone_bars(const char* mark, const BarGroup& g) {
    MarkBars m{mark, 1, mark_field_name(mark, "count", 1)};
    int largest = 1;
    for (int i = 1; i <= 5; ++i) {
        m.bars += std::max(g.count[i], 0);
        if (g.count[i] > g.count[largest]) largest = i;
    }
    m.field = mark_field_name(mark, "count", largest);
    return m;
}

}  // namespace

SheetWork estimate_sheet_work(const WallInput& w) {
    SheetWork work;
    const std::pair<const char*, const BarGroup*> marks[] = {{"W1", &w.W1}, {"W2", &w.W2}, {"W3", &w.W3},
                                                             {"W4", &w.W4}, {"W5", &w.W5}, {"F1", &w.F1},
                                                             {"F2", &w.F2}, {"F3", &w.F3}, {"F4", &w.F4}};
    for (const auto& [mark, g] : marks) work.marks.push_back(zone_bars(mark, *g));
    // S1: at most ten ties on each W2 bar column, in the elevation and in the band left of the
    // reference point.
    const MarkBars& w2 = work.marks[1];
    work.marks.push_back({"S1", 10 * (w2.bars + std::max(w.W2.count[1], 0) + std::max(w.W2.count[2], 0)), w2.field});
    const S2TieTotals s2 = count_s2_ties(w);
    work.marks.push_back({"S2", s2.drawn + s2.counted, "F1.count[2]"});
    for (const MarkBars& m : work.marks) work.bars += m.bars;
    return work;
}

void check_work_bound(const WallInput& w) {
    const SheetWork work = estimate_sheet_work(w);
    if (work.bars <= kMaxSheetBars) return;
    std::vector<const MarkBars*> by_size;
    for (const MarkBars& m : work.marks) by_size.push_back(&m);
    std::stable_sort(by_size.begin(), by_size.end(), [](const MarkBars* a, const MarkBars* b) { return a->bars > b->bars; });
    std::string listed;
    std::vector<std::string> fields = {"length_left", "length_right"};
    for (const MarkBars* m : by_size) {
        if (m->bars * 5 < work.bars) break;
        listed += (listed.empty() ? "" : ", ") + m->mark + " " + std::to_string(m->bars);
        if (std::find(fields.begin(), fields.end(), m->field) == fields.end()) fields.push_back(m->field);
    }
    RunFailure f = input_refusal(wall_field_ref(w, by_size.front()->field),
                                 msg::sheet_beyond_work_bound(work.bars, kMaxSheetBars, listed));
    f.fields = std::move(fields);
    throw f;
}

}  // namespace lwall
