#include "footing_fixture.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>

#include "core/sheet_layout.hpp"
#include "core/sjis.hpp"
#include "drawings/section_footing/footing_input_checks.hpp"
#include "input/wall_file.hpp"

namespace lwall::test {

namespace {

// Every zone has a spacing of its own, and the two halves of the plan, the toe and the heel and the
// two faces differ, so that a bar laid out with another zone's spacing or count shows; cover3 and
// cover4 differ, so that a bar placed by the other cover shows.
const std::vector<std::string> kFittingWall = {
    "600,400,1200",             // 1: toe, wall, heel: base 2200
    "2400,500,2400,2400",       // 2: level top, footing 500
    "5000,5000",                // 3
    "100,100,100,80,100,100",   // 4: covers; cover4 80
    "100",                      // 5
    "100,100,12000",            // 6: end covers, maximum member length
    // F1, right half: 8 x 250 then 14 x 200 = 4800 of 4900; left half: 10 x 150 + 11 x 300.
    "4", "16,0,0,0,0", "200,250,150,300,0", "14,8,10,11,0",
    // F2, left half: 6 x 300 then 20 x 150 = 4800; right half: 12 x 200 + 10 x 250.
    "4", "16,0,0,0,0", "150,300,200,250,0", "20,6,12,10,0",
    "3", "13,13,13,0,0", "250,150,200,0,0", "2,2,6,0,0",    // F3, toe to heel: 500 + 300 + 1200 = 2200 - 2 x 100
    "3", "13,13,13,0,0", "200,300,100,0,0", "3,2,8,0,0",    // F4: 600 + 600 + 800
    // W1, left: 10 x 200 then 11 x 250 = 4750 of 4900; right: 8 x 300 then 16 x 150 = 4800.
    "4", "16,16,0,0,0", "250,200,300,150,0", "11,10,8,16,0",
    // W2, left: 12 x 150 then 10 x 300 = 4800; right: 9 x 250 then 13 x 200 = 4850.
    "4", "13,13,0,0,0", "300,150,250,200,0", "10,12,9,13,0",
    // W3 and W4, one grid of rows from 400: 6 x 200, then 4 x 300 up to the top less cover (2800).
    "2", "13,13,0,0,0", "200,300,0,0,0", "6,4,0,0,0",        // W3
    "2", "13,13,0,0,0", "200,300,0,0,0", "6,4,0,0,0",        // W4
    // W5, left: 14 x 125 then 10 x 300 = 4750; right: 12 x 200 then 10 x 250 = 4900.
    "4", "13,0,0,0,0", "300,125,200,250,0", "10,14,12,10,0",
    "13,13",                                                 // 43: S1, S2
};

double number(const std::string& s) { return std::stod(s); }

}  // namespace

std::string fitting_wall(const std::map<int, std::string>& replaced) {
    std::string text;
    for (std::size_t i = 0; i < kFittingWall.size(); ++i) {
        const auto it = replaced.find(static_cast<int>(i) + 1);
        text += (it != replaced.end() ? it->second : kFittingWall[i]) + "\n";
    }
    return text;
}

std::unique_ptr<RunContext> footing_context(std::string_view wall_text) {
    auto ctx = std::make_unique<RunContext>();
    ctx->input = read_wall_input(wall_text);
    check_footing_input(ctx->input);
    ctx->layout = compute_sheet_layout(ctx->input);
    load_example_layers(*ctx);
    ScheduleRow& w1 = ctx->bar_list.fixed(1);
    w1.mark = "W1";
    w1.len1 = 2260;
    w1.len2 = 240;
    ScheduleRow& w2 = ctx->bar_list.fixed(2);
    w2.mark = "W2";
    w2.len1 = 2305;
    w2.len2 = 195;
    ctx->handed.w5_leg_length = 260;
    return ctx;
}

std::vector<Segment> lines_on(const std::vector<DxfEntity>& e, std::string_view layer, Point origin) {
    std::vector<Segment> out;
    for (const DxfEntity& x : e) {
        if (x.type != "LINE" || x.get(8) != layer) continue;
        out.push_back({x.num(10) - origin.x, x.num(20) - origin.y, x.num(11) - origin.x, x.num(21) - origin.y});
    }
    return out;
}

std::vector<DrawnDimension> drawn_dimensions(const std::vector<DxfEntity>& e) {
    // A dimension is its path of three LINEs, four tick LINEs and a styled TEXT (group 7) on the
    // dimension layer.
    std::vector<DrawnDimension> out;
    for (std::size_t i = 7; i < e.size(); ++i) {
        const DxfEntity& t = e[i];
        const bool styled = t.type == "TEXT" && t.get(8) == "D-STR-DIM" &&
                            std::any_of(t.groups.begin(), t.groups.end(), [](const auto& g) { return g.first == 7; });
        if (!styled) continue;
        bool lines = true;
        for (std::size_t k = i - 7; k < i; ++k) lines = lines && e[k].type == "LINE";
        if (!lines) continue;
        const DxfEntity& first = e[i - 7];
        const DxfEntity& second = e[i - 6];
        const DxfEntity& third = e[i - 5];
        const bool path = first.num(11) == second.num(10) && first.num(21) == second.num(20) &&
                          second.num(11) == third.num(10) && second.num(21) == third.num(20);
        if (!path) continue;
        const bool vertical = second.num(10) == second.num(11);
        const double measured = vertical ? std::fabs(first.num(20) - third.num(21))
                                         : std::fabs(first.num(10) - third.num(11));
        out.push_back({vertical, measured, t.get(1)});
    }
    return out;
}

void expect_label_matches(const DrawnDimension& d) {
    const std::string times(u8"×"_sj);
    std::string label = d.label;
    const std::size_t x = label.find(times);
    if (x != std::string::npos) {
        const double product = number(label.substr(0, x)) * number(label.substr(x + times.size()));
        EXPECT_NEAR(product, d.measured, 0.5) << "label " << label;
        return;
    }
    if (!label.empty() && label[0] == '=') label = label.substr(1);
    EXPECT_NEAR(number(label), d.measured, 0.5) << "label " << d.label;
}

std::vector<ScriptDimension> script_dimensions(std::string_view script) {
    std::vector<ScriptDimension> out;
    const std::vector<std::string> lines = crlf_lines(script);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!lines[i].starts_with("dimlinear ")) continue;
        std::istringstream in(lines[i].substr(10));
        ScriptDimension d{};
        char comma = 0;
        in >> d.p1.x >> comma >> d.p1.y >> d.p2.x >> comma >> d.p2.y >> d.direction;
        if (d.direction == 'M') {
            std::getline(in, d.text);
            if (!d.text.empty() && d.text[0] == ' ') d.text.erase(0, 1);
        }
        out.push_back(d);
    }
    return out;
}

bool has_nan_or_inf(std::string_view text) {
    for (const std::string_view bad : {"nan", "NAN", "inf", "INF"}) {
        if (text.find(bad) != std::string_view::npos) return true;
    }
    return false;
}

}  // namespace lwall::test
