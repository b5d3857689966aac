// The title block of a frame, against a golden record of its entities as the drawing file writes
// them (tests/drawings/sheet_set/title_block/).

#include "drawings/sheet_set/title_block.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "input/layer_file.hpp"
#include "input/title_file.hpp"
#include "test_support.hpp"

namespace lwall {
namespace {

const std::string kFolder = std::string(LWALL_SOURCE_DIR) + "/tests/drawings/sheet_set/title_block/";

// One line per entity: its type and its groups as written, "code=value" joined by '|'.
std::string records(const Canvas& cv) {
    std::string out;
    for (const test::DxfEntity& e : test::parse_entities(cv.dxf_out.contents())) {
        out += e.type;
        for (const auto& [code, value] : e.groups) out += "|" + std::to_string(code) + "=" + value;
        out += "\n";
    }
    return out;
}

TEST(TitleBlock, SecondOfThreeFramesAt1To60WithTheLayerFileLackingTheTitleLayers) {
    auto ctx = std::make_unique<RunContext>();
    ctx->layers = read_layer_table(test::example_file("level", "GasouL.dat"));
    ctx->declared_layers = with_title_block_layers(ctx->layers);
    ctx->title = read_title_input(test::read_file(kFolder + "HyodaiL.dat"));
    SheetFrame frame = frame_at(2, 50000, 60);
    frame.holds = kHoldsBendingDrawings | kHoldsTables;
    draw_title_block(*ctx, frame, 3);
    const std::string drawn = records(ctx->canvas);
    EXPECT_EQ(drawn, test::read_file(kFolder + "entities.txt")) << drawn;
}

}  // namespace
}  // namespace lwall
