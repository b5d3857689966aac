#include "schedule/sheet_notes.hpp"

#include <charconv>
#include <string_view>

#include "core/bar_rules.hpp"
#include "core/number_format.hpp"
#include "core/sjis.hpp"
#include "output/primitives/primitives.hpp"

namespace lwall {

namespace {

constexpr int kLineHeight = 150;
constexpr double kLinePitch = 300;
constexpr double kColumn[] = {300, 1300, 2800, 4300};  // the lap table's column lines
constexpr double kRowPitch = 250;

void line(Canvas& cv, double x1, double y1, double x2, double y2) { draw_polyline(cv, {{x1, y1}, {x2, y2}}); }

}  // namespace

std::vector<SizeLengths> noted_sizes(const RunContext& ctx) {
    std::vector<SizeLengths> out;
    const RebarMassTotals& m = ctx.mass_totals;
    for (std::size_t i = 0; i < m.size_used.size(); ++i) {
        if (!m.size_used[i]) continue;
        const std::string_view size = RebarMassTotals::kSizes[i];
        int d = 0;
        std::from_chars(size.data() + 1, size.data() + size.size(), d);
        out.push_back({d, stated_lap_length(d), wall_bar_anchorage(d)});
    }
    return out;
}

void draw_sheet_notes(RunContext& ctx) {
    Canvas& cv = ctx.canvas;
    const SheetLayout& s = ctx.layout;
    const MaterialNote material = material_note(ctx.conditions ? &*ctx.conditions : nullptr);
    const std::vector<SizeLengths> sizes = noted_sizes(ctx);
    const bool w5 = ctx.bar_list.fixed(BarList::kW5).used();
    const bool s2 = ctx.bar_list.fixed(BarList::kS2).used();

    open_block(cv, BlockRole::table);
    // Drawn right of the material table; the sheet set places the block.
    set_origin(cv, s.sheet_width + 31000 + s.scale * 32000 / 50, s.scale * 1000 / 50);

    // 1. Title.
    pen_select_layer(ctx, "D-MTR-TXT");
    draw_kanji_text(cv, {250, 500}, {800, 500}, 400, u8"注　記"_sj);

    // 2. The notes, numbered, one a line; the lap table under the fourth.
    double y = -100;
    int n = 0;
    const auto note = [&](const TextBuf& t) {
        TextBuf numbered;
        numbered.integer(++n).text(". ").text(t.view());
        draw_kanji_text(cv, {100, y}, {600, y}, kLineHeight, numbered.view());
        y -= kLinePitch;
    };
    note(TextBuf().text(u8"寸法の単位は mm とする。"_sj));
    note(TextBuf()
             .text(u8"使用材料　鉄筋 "_sj)
             .text(material.steel_grade)
             .text(u8"　コンクリート σck="_sj)
             .plain(material.concrete_strength)
             .text(" N/mm2"));
    note(TextBuf().text(u8"かぶりは、コンクリート表面から鉄筋の中心までの寸法とする。"_sj));
    note(TextBuf().text(u8"重ね継手長と定着長 (mm) は次の長さ以上とする。"_sj));

    // The lap table: a heading row, then a row per bar size.
    {
        const double top = y + kLinePitch - 150;
        const double bottom = top - kRowPitch * static_cast<double>(sizes.size() + 1);
        pen_select_layer(ctx, "D-MTR-FRAM");
        for (std::size_t r = 0; r <= sizes.size() + 1; ++r) {
            const double ry = top - kRowPitch * static_cast<double>(r);
            line(cv, kColumn[0], ry, kColumn[3], ry);
        }
        for (const double x : kColumn) line(cv, x, top, x, bottom);
        pen_select_layer(ctx, "D-MTR-TXT");
        const double text_dy = -kRowPitch + 65;
        draw_kanji_text(cv, {kColumn[0] + 350, top + text_dy}, {kColumn[0] + 650, top + text_dy}, 125, u8"径"_sj);
        draw_kanji_text(cv, {kColumn[1] + 250, top + text_dy}, {kColumn[1] + 750, top + text_dy}, 125,
                        u8"重ね継手長"_sj);
        draw_kanji_text(cv, {kColumn[2] + 450, top + text_dy}, {kColumn[2] + 750, top + text_dy}, 125,
                        u8"定着長"_sj);
        double ry = top - kRowPitch;
        for (const SizeLengths& z : sizes) {
            draw_kanji_text(cv, {kColumn[0] + 300, ry + text_dy}, {kColumn[0] + 600, ry + text_dy}, 125,
                            bar_size_text(z.diameter).view());
            draw_kanji_text(cv, {kColumn[1] + 550, ry + text_dy}, {kColumn[1] + 850, ry + text_dy}, 125,
                            TextBuf().fixed(z.lap, 5, 0).view());
            draw_kanji_text(cv, {kColumn[2] + 550, ry + text_dy}, {kColumn[2] + 850, ry + text_dy}, 125,
                            TextBuf().fixed(z.anchorage, 5, 0).view());
            ry -= kRowPitch;
        }
        y = bottom - 250;
        draw_kanji_text(cv, {kColumn[0], y}, {kColumn[0] + 500, y}, 125,
                        u8"重ね継手長 31.25d (10mm 未満切り捨て)、定着長はたて壁の鉄筋の底版への定着 31.25d "
                        u8"(10mm 未満切り上げ)"_sj);
        y -= kLinePitch + 50;
    }
    if (w5) note(TextBuf().text(u8"天端筋 W5 の脚は、縦筋と W5 の径の 20 倍以上重ねる。"_sj));
    note(TextBuf().text(u8"加工寸法は鉄筋の外側寸法とし、切断長は各辺の長さの和とする (曲げによる伸びは見込まない)。"_sj));
    if (s2) {
        note(TextBuf().text(u8"曲げは直角とし、S2 の両端のフックには切断長から各辺を除いた長さを等分する。"_sj));
    } else {
        note(TextBuf().text(u8"曲げは直角とする。"_sj));
    }
}

}  // namespace lwall
