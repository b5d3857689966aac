#pragma once
// Everything one run shares between its steps, passed by reference: the input records, the
// sheet, the canvas with both output files and the drawing state, and the bar list with the
// values the drawings hand to each other. A test can build one and run a single drawing on it.

#include <optional>
#include <string_view>

#include "core/bar_list.hpp"
#include "core/design_conditions.hpp"
#include "core/findings.hpp"
#include "core/layer_table.hpp"
#include "core/printed_tables.hpp"
#include "core/sheet_frames.hpp"
#include "core/sheet_layout.hpp"
#include "core/title_block.hpp"
#include "core/wall_input.hpp"
#include "output/primitives/canvas.hpp"
#include "output/svg/svg_writer.hpp"

namespace lwall {

// A block of the final drawing step where it went: its role, how far it moved, its extent there and
// its frame.
struct PlacedBlock {
    BlockRole role = BlockRole::drawing;
    double dx = 0, dy = 0;
    Extent extent;
    int frame = 0;
};

struct RunContext {
    Canvas canvas;
    WallInput input;
    TitleInput title;  // the values of the title block
    std::optional<DesignConditions> conditions;  // the design conditions; none without SekkeiL.dat
    SheetLayout layout;
    LayerTable layers;           // as the layer file defines them: the pens of the drawings
    LayerTable declared_layers;  // as the drawing file declares them: with the title block's layers
    SheetFrames frames;               // the frames drawn, left to right, once the set is placed
    std::vector<PlacedBlock> blocks;  // the blocks of the final step, in drawing order
    std::vector<ViewMove> view_moves;  // how far frame 1's elevations, plan and section moved
    BarList bar_list;
    HandedValues handed;
    RebarMassTotals mass_totals;
    std::vector<Finding> findings;  // what the checks found in the wall, warnings only
    PrintedTables printed;          // the tables as the sheet prints them
    SvgWriter picture;              // the sheet as a picture, when added to canvas.entities
    // Where only the drawing file, the script and the sheet's read-back take the sheet: frame 1's
    // views go straight into the drawing file (StreamedBlocks), and the read-back, not yet among
    // canvas.entities, is handed their texts once they are placed, then added.
    EntitySink* read_back_after_views = nullptr;
};

inline void pen_select_layer(RunContext& ctx, std::string_view name) {
    pen_select_layer(ctx.canvas.pen, ctx.layers, name);
}

}  // namespace lwall
