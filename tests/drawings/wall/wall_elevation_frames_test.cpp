#include "drawings/wall/wall_elevation_frames.hpp"

#include <gtest/gtest.h>

#include "core/sjis.hpp"
#include "drawings/wall/wall_test_support.hpp"

namespace lwall {
namespace {

struct Frame {
    std::unique_ptr<RunContext> ctx = std::make_unique<RunContext>();
    std::vector<test::DxfEntity> e;
    std::vector<std::string> script;
    Point origin;
};

Frame draw_frame(const WallInput& w, WallFace face = WallFace::back) {
    Frame f;
    test::load_example_layers(*f.ctx);
    f.ctx->input = w;
    f.ctx->layout = compute_sheet_layout(w);
    draw_wall_elevation_frame(*f.ctx, face);
    f.e = test::entities(f.ctx->canvas);
    f.script = test::crlf_lines(f.ctx->canvas.scr_out.contents());
    f.origin = wall_face_origin(*f.ctx, face);
    return f;
}

// The dimension labels (TEXT on D-STR-DIM) in drawing order, with their position in the view.
struct Label {
    std::string text;
    double x, y;
};
std::vector<Label> labels(const Frame& f) {
    std::vector<Label> out;
    for (const auto& e : f.e) {
        if (e.type == "TEXT" && e.get(8) == "D-STR-DIM") {
            out.push_back({e.get(1), e.num(10) - f.origin.x, e.num(20) - f.origin.y});
        }
    }
    return out;
}

// The script's vertical dimensions as (x, y1, y2) in the view.
std::vector<std::array<double, 3>> script_verticals(const Frame& f) {
    std::vector<std::array<double, 3>> out;
    for (const std::string& l : f.script) {
        double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        if (l.find(" V ") != std::string::npos &&
            std::sscanf(l.c_str(), "dimlinear %lf,%lf %lf,%lf", &x1, &y1, &x2, &y2) == 4) {
            out.push_back({x1 - f.origin.x, y1 - f.origin.y, y2 - f.origin.y});
        }
    }
    return out;
}

TEST(WallElevationFrame, LevelWallIsARectangleWithBothChainsUpToTheTop) {
    const Frame f = draw_frame(test::level_wall());
    // The outline: four lines on D-STR, first of all.
    for (int i = 0; i < 4; ++i) EXPECT_EQ(f.e[static_cast<std::size_t>(i)].get(8), "D-STR");
    EXPECT_EQ(f.e[1].num(21) - f.origin.y, 2400);
    EXPECT_EQ(f.e[2].num(21) - f.origin.y, 2400);
    // Script: on each side the overall height, 0-100, 100-300, 6 x 250, 2 x 150, the rest up to
    // the top less cover and the cover; then the bottom chain.
    using V = std::array<double, 3>;
    const std::vector<V> expected = {{-5000, 2400, 0},    {-5000, 0, 100},     {-5000, 100, 300},
                                     {-5000, 300, 1800},  {-5000, 1800, 2100}, {-5000, 2100, 2300},
                                     {-5000, 2300, 2400}, {5000, 0, 2400},     {5000, 0, 100},
                                     {5000, 100, 300},    {5000, 300, 1800},   {5000, 1800, 2100},
                                     {5000, 2100, 2300},  {5000, 2300, 2400}};
    EXPECT_EQ(script_verticals(f), expected);
    EXPECT_EQ(f.script.size(), 14u + 6u + 2u);  // two bottom zones carry a text override line
    // Labels: the overall height, the two footing covers, two zones of two texts each, the rest and
    // the top cover on each side; below, W1's zones 2 and 1 to the left (8 x 250, 9 x 300, the
    // rest of 300 to the end) and zones 3 and 4 to the right (12 x 150, 15 x 200, 200).
    const std::vector<Label> l = labels(f);
    std::vector<std::string> texts;
    for (const Label& x : l) texts.push_back(x.text);
    const std::string times = std::string(u8"×"_sj);
    const std::vector<std::string> side = {" 2400",  "  100", "  200", "6" + times + "250", "= 1500",
                                           "2" + times + "150", "=  300", "  200", "  100"};
    std::vector<std::string> expected_texts = side;                                     // left
    expected_texts.insert(expected_texts.end(), side.begin(), side.end());             // right
    for (const std::string& t : {"8" + times + "250", std::string("= 2000"), "9" + times + "300",
                                 std::string("= 2700"), std::string("  300"),           // bottom left
                                 "12" + times + "150", std::string("= 1800"), "15" + times + "200",
                                 std::string("= 3000"), std::string("  200")}) {        // bottom right
        expected_texts.push_back(t);
    }
    EXPECT_EQ(texts, expected_texts);
}

TEST(WallElevationFrame, LabelsSitBesideTheirLinesCentredByTheirBytes) {
    const Frame f = draw_frame(test::example_wall("level"));
    const std::vector<Label> l = labels(f);
    // The overall left height: line at -6500, label 50 inside it, centred on 1200.
    EXPECT_EQ(l[0].x, -6550);
    EXPECT_EQ(l[0].y, 1200 - 5 * 125 / 2.0 + 0.5);  // 887.5, written as 888
    // A single zone on the left at -50, on the right the single zone-2 label at -350.
    EXPECT_EQ(l[5].x, -6050);
    EXPECT_EQ(l[12].x, 6000 - 350);
    // Two-text zone: "7×250" (6 bytes) at -200, "= 1750" at -50.
    EXPECT_EQ(l[3].x, -6200);
    EXPECT_EQ(l[3].y, 1175 - 6 * 125 / 2);
    EXPECT_EQ(l[4].x, -6050);
    // Bottom chain: zone texts 250 and 50 above the line at -1000, the rest 200 below it.
    EXPECT_EQ(l[14].y, -750);
    EXPECT_EQ(l[15].y, -950);
    EXPECT_EQ(l[18].y, -1200);
    // -5187.5 in the view; the half is rounded in sheet coordinates (24800 - 5187.5), upward.
    EXPECT_EQ(l[18].x, -5187);
}

TEST(WallElevationFrame, ZoneOfOneSpacingAndEmptyZones) {
    WallInput w = test::example_wall("sloped");
    w.W3.count[1] = 1;       // right: one spacing, labelled by its length at +300
    w.W3.count[2] = 0;       // right segment 4 has no length: neither script nor drawing
    w.W4.count[2] = 0;       // left segment 4 not drawn
    const Frame f = draw_frame(w);
    using V = std::array<double, 3>;
    const std::vector<V> v = script_verticals(f);
    const std::vector<V> right(v.begin() + 6, v.end());
    const std::vector<V> expected_right = {
        {6000, 0, 3050}, {6000, 0, 100}, {6000, 100, 350}, {6000, 350, 600}, {6000, 600, 2950}, {6000, 2950, 3050}};
    EXPECT_EQ(right, expected_right);
    EXPECT_EQ(v.size(), 12u);  // the left chain has no second zone either
    bool single = false;
    for (const Label& l : labels(f)) {
        if (l.text == "  250" && l.x == 7000 + 300) single = true;
    }
    EXPECT_TRUE(single);
}

TEST(WallElevationFrame, BottomChainWritesTheZonesNextToTheReferencePointWithTheirText) {
    const Frame f = draw_frame(test::example_wall("sloped"), WallFace::front);
    const std::string times = std::string(u8"×"_sj);
    std::vector<std::string> overridden;
    for (std::size_t i = 0; i < f.script.size(); ++i) {
        if (f.script[i].find(" M ") != std::string::npos) overridden.push_back(f.script[i].substr(f.script[i].find(" M ") + 3));
    }
    EXPECT_EQ(overridden, (std::vector<std::string>{"11" + times + "250= 2750", "11" + times + "250= 2750"}));
    // The front face has its title and no heading; the centre line runs from -500 to T + 2000.
    int titles = 0;
    for (const auto& e : f.e) {
        if (e.type == "TEXT" && e.get(8) == "D-STR-HTXT") {
            ++titles;
            EXPECT_EQ(e.get(1), std::string(u8"(前  面)"_sj));
            EXPECT_EQ(e.get(7), "KANJI");
        }
        if (e.type == "LINE" && e.get(8) == "D-BMK") {
            EXPECT_EQ(e.num(20) - f.origin.y, -500);
            EXPECT_EQ(e.num(21) - f.origin.y, 450 + 2300 + 2000);
        }
    }
    EXPECT_EQ(titles, 1);
}

}  // namespace
}  // namespace lwall
