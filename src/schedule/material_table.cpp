#include "schedule/material_table.hpp"

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/number_format.hpp"
#include "core/sjis.hpp"
#include "output/primitives/primitives.hpp"
#include "schedule/quantity_basis.hpp"

namespace lwall {

namespace {

constexpr double kWidth = 6600;

void line(Canvas& cv, double x1, double y1, double x2, double y2) { draw_polyline(cv, {{x1, y1}, {x2, y2}}); }

// A whole-wall steel mass (kg) per metre of a wall `length` mm long, to the gram. The whole-wall
// masses are sums of printed row masses, so whole grams, and grams per millimetre are kilograms per
// metre: divided out exactly, so that the printed value is the decimal quotient rounded.
double steel_per_metre(double whole_kg, double length) {
    return divide_to_decimals(std::round(whole_kg * 1000), length, 3);
}

}  // namespace

void draw_material_table(RunContext& ctx) {
    Canvas& cv = ctx.canvas;
    const WallInput& w = ctx.input;
    const SheetLayout& s = ctx.layout;
    const RebarMassTotals& steel = ctx.mass_totals;

    const double base_width = w.footing_left_width + w.wall_thickness + w.footing_right_width;
    const double wall_concrete = w.wall_thickness * w.wall_height / 1000000;
    const double footing_concrete = base_width * w.footing_thickness / 1000000;
    const double concrete_total = wall_concrete + footing_concrete;
    const double wall_formwork = w.wall_height * 2 / 1000;
    const double footing_formwork = w.footing_thickness * 2 / 1000;
    const double end_formwork = concrete_total;  // the area of one cross-section, m2
    const double formwork_total = wall_formwork + footing_formwork;
    // Both base materials are laid 0.1 m wider than the footing on each side, over the whole wall.
    const double base_area = (base_width / 1000 + 0.1 + 0.1) * wall_length(w) / 1000;
    // The steel of the mass table weighs the bars of the whole wall; the table prints it per metre.
    // The reader refuses a wall without length, so the division has a length to divide by.
    auto per_metre = [&](double whole_kg) { return steel_per_metre(whole_kg, wall_length(w)); };

    // The sizes with steel, smallest first: the first stands in the lowest steel row.
    std::vector<std::size_t> sizes;
    for (std::size_t i = 0; i < steel.mass_by_size.size(); ++i) {
        if (steel.mass_by_size[i] != 0) sizes.push_back(i);
    }
    // Steel rows: one per size used, at least three. A size can be used and weigh nothing (a
    // count of 0), so there are never more sizes with steel than rows.
    const int r = std::max(steel.sizes_used, 3);
    const double steel_row_y = -400.0 * r - 3200;  // the steel total; the i-th size stands 400 i above
    auto size_y = [&](int i) { return 400.0 * i + steel_row_y; };

    set_origin(cv, s.sheet_width + 23000 + s.scale * 32000 / 50, s.scale * 1000 / 50);

    // Title.
    pen_select_layer(ctx, "D-MTR-TXT");
    draw_kanji_text(cv, {250, 500}, {800, 500}, 400, u8"材 料 表"_sj);
    draw_kanji_text(cv, {2150, 500}, {2450, 500}, 125, kNotToScale);
    draw_kanji_text(cv, {5000, 500}, {5500, 500}, 125, u8"(1m当たり)"_sj);

    // Frame.
    const double bottom = -400.0 * r - 4100;
    pen_select_layer(ctx, "D-MTR-FRAM");
    for (const double y : {300.0, -100.0, -1300.0, -2900.0, -400.0 * r - 3300, bottom}) line(cv, 0, y, kWidth, y);
    for (const double y : {-500.0, -900.0, -1700.0, -2100.0, -2500.0}) line(cv, 1800, y, kWidth, y);
    for (int i = 1; i <= r; ++i) line(cv, 1800, -400.0 * i - 2900, kWidth, -400.0 * i - 2900);
    line(cv, 1800, -400.0 * r - 3700, kWidth, -400.0 * r - 3700);
    line(cv, 0, 300, 0, bottom);
    line(cv, 1800, -100, 1800, bottom);
    for (const double x : {3200.0, 4000.0, 5300.0, 6600.0}) line(cv, x, 300, x, bottom);

    // Headings.
    pen_select_layer(ctx, "D-MTR-TXT");
    {
        constexpr double x0 = 50;
        draw_kanji_text(cv, {x0 + 500, 0}, {x0 + 1000, 0}, 125, u8"種     別"_sj);
        draw_kanji_text(cv, {x0 + 2900, 0}, {x0 + 3500, 0}, 125, u8"単 位"_sj);
        draw_kanji_text(cv, {x0 + 4000, 0}, {x0 + 4500, 0}, 125, u8"数 量"_sj);
        draw_kanji_text(cv, {x0 + 5500, 0}, {x0 + 6000, 0}, 125, u8"摘 要"_sj);
    }

    // Group and row names; the pen stays the one of the headings.
    {
        constexpr double x0 = 200;
        draw_kanji_text(cv, {x0, -600}, {x0 + 500, -750}, 125, u8"ｺﾝｸﾘｰﾄ"_sj);
        draw_kanji_text(cv, {x0, -2080}, {x0 + 500, -2600}, 125, u8"型　枠"_sj);
        draw_kanji_text(cv, {x0, -3600}, {x0 + 500, -4500}, 125, u8"鉄　筋"_sj);
        draw_kanji_text(cv, {x0, -400.0 * r - 3600}, {x0 + 500, -6000}, 125, u8"基礎材"_sj);
        draw_kanji_text(cv, {x0 + 1800, -400}, {x0 + 2300, -500}, 125, u8"たて壁"_sj);
        draw_kanji_text(cv, {x0 + 1800, -800}, {x0 + 2300, -1000}, 125, u8"底　版"_sj);
        draw_kanji_text(cv, {x0 + 1800, -1200}, {x0 + 2300, -1500}, 125, u8"　計　"_sj);
        draw_kanji_text(cv, {x0 + 1800, -1600}, {x0 + 2300, -2000}, 125, u8"たて壁"_sj);
        draw_kanji_text(cv, {x0 + 1800, -2000}, {x0 + 2300, -2500}, 125, u8"底　版"_sj);
        draw_kanji_text(cv, {x0 + 1800, -2400}, {x0 + 2300, -3000}, 125, u8"端型枠"_sj);
        draw_kanji_text(cv, {x0 + 1800, -2800}, {x0 + 2300, -3500}, 125, u8"　計　"_sj);
        for (std::size_t i = 0; i < sizes.size(); ++i) {
            draw_kanji_text(cv, {x0 + 1800, size_y(static_cast<int>(i) + 1)}, {x0 + 2300, -4000}, 200,
                   RebarMassTotals::kSizes[sizes[i]]);
        }
        draw_kanji_text(cv, {x0 + 1800, steel_row_y}, {x0 + 2300, -5500}, 125, u8"　計　"_sj);
        draw_kanji_text(cv, {1850, -400.0 * r - 3600}, {2550, -6000}, 150, u8"均しｺﾝｸﾘｰﾄ"_sj);
        draw_kanji_text(cv, {1850, -400.0 * r - 4000}, {2350, -5200}, 150, u8"ｸﾗｯｼｬﾗﾝ"_sj);
    }

    // Units.
    {
        constexpr double x = 50 + 3500;
        for (const double y : {-400.0, -800.0, -1200.0}) draw_text(cv, x, y, 150, 0, "m3");
        for (const double y : {-1600.0, -2000.0, -2400.0, -2800.0}) draw_text(cv, x, y, 150, 0, "m2");
        for (int i = 1; i <= r + 1; ++i) draw_text(cv, x, -400.0 * i - 2800, 150, 0, "kg");
        draw_text(cv, x, -400.0 * r - 3600, 150, 0, "m2");
        draw_text(cv, x, -400.0 * r - 4000, 150, 0, "m2");
    }

    // Quantities, each kept with its group, item, unit, remark and basis as the table prints them.
    // A remark stands in the remarks column at the height of its quantity.
    pen_select_layer(ctx, "D-MTR-MTXT");
    {
        constexpr double x0 = 50;
        constexpr double x = x0 + 4000;
        constexpr double remark_x = x0 + 5300;
        auto mass = [](double v) { return TextBuf().fixed(v, 5, 3); };
        auto& rows = ctx.printed.material;
        rows.clear();
        const std::string concrete(u8"ｺﾝｸﾘｰﾄ"_sj), formwork(u8"型　枠"_sj), bars(u8"鉄　筋"_sj), base(u8"基礎材"_sj);
        const std::string wall(u8"たて壁"_sj), slab(u8"底　版"_sj), total(u8"　計　"_sj);
        const std::string per_metre_basis(kPerMetreBasis);
        const std::string whole_wall(whole_wall_basis(w).view());
        auto quantity = [&](const std::string& group, std::string_view item, std::string_view unit, double y,
                            const TextBuf& value, const std::string& basis, std::string_view remark = {}) {
            draw_text(cv, x, y, 125, 0, value);
            if (!remark.empty()) draw_text(cv, remark_x, y, 125, 0, remark);
            rows.push_back({group, std::string(item), std::string(unit), std::string(value.view()), std::string(remark),
                            basis});
        };
        // The whole-wall steel of a row, beside its mass per metre.
        auto whole_wall_steel = [&](double kg) { return TextBuf().text(u8"全延長 "_sj).fixed(kg, 5, 3); };
        quantity(concrete, wall, "m3", -400, mass(wall_concrete), per_metre_basis);
        quantity(concrete, slab, "m3", -800, mass(footing_concrete), per_metre_basis);
        quantity(concrete, total, "m3", -1200, mass(concrete_total), per_metre_basis);
        quantity(formwork, wall, "m2", -1600, mass(wall_formwork), per_metre_basis);
        quantity(formwork, slab, "m2", -2000, mass(footing_formwork), per_metre_basis);
        // The end formwork stands in the remarks column. It is the area of one cross-section of
        // the wall, neither per metre nor for the whole wall, and says so before its number.
        const TextBuf end_remark = TextBuf().text(u8"断面1面 "_sj).fixed(end_formwork, 5, 3);
        draw_text(cv, remark_x, -2400, 125, 0, end_remark);
        rows.push_back({formwork, std::string(u8"端型枠"_sj), "m2", "", std::string(end_remark.view()),
                        std::string(u8"断面1面当たり"_sj)});
        quantity(formwork, total, "m2", -2800, mass(formwork_total), per_metre_basis);
        const std::size_t first_steel = rows.size();
        for (int i = 1; i <= r; ++i) {
            const std::size_t n = static_cast<std::size_t>(i);
            const bool named = n <= sizes.size();
            const double kg = named ? steel.mass_by_size[sizes[n - 1]] : 0.0;
            const TextBuf value = mass(per_metre(kg));
            draw_kanji_text(cv, {x, size_y(i)}, {x0 + 2300, -4000}, 125, value);
            TextBuf remark;
            if (named) {
                remark = whole_wall_steel(kg);
                draw_text(cv, remark_x, size_y(i), 125, 0, remark);
            }
            // Read from the top down, the largest size first.
            rows.insert(rows.begin() + static_cast<std::ptrdiff_t>(first_steel),
                        {bars, named ? RebarMassTotals::kSizes[sizes[n - 1]] : "", "kg", std::string(value.view()),
                         std::string(remark.view()), per_metre_basis});
        }
        quantity(bars, total, "kg", steel_row_y, mass(per_metre(steel.mass_total)), per_metre_basis,
                 whole_wall_steel(steel.mass_total));
        quantity(base, u8"均しｺﾝｸﾘｰﾄ"_sj, "m2", -400.0 * r - 3600, TextBuf().fixed(base_area, 5, 1), whole_wall,
                 u8"全延長 t=10cm"_sj);
        quantity(base, u8"ｸﾗｯｼｬﾗﾝ"_sj, "m2", -400.0 * r - 4000, TextBuf().fixed(base_area, 5, 1), whole_wall,
                 u8"全延長 t=20cm"_sj);
    }
}

}  // namespace lwall
