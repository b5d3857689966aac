#pragma once
// One command of plenk.scr in a form that can wait and move: its kind, its points in sheet
// coordinates and its override text. The script writer makes one per command; a block of the sheet
// keeps its commands this way until it is placed, and writes them moved with it.

#include <string>

#include "output/output_sink.hpp"
#include "output/primitives/geometry.hpp"

namespace lwall {

struct ScriptCommand {
    enum class Kind {
        dimlinear_v,     // "dimlinear p1 p2 V p3"
        dimlinear_h,     // "dimlinear p1 p2 H p3"
        dimlinear_text,  // "dimlinear p1 p2 M text", then p3 on a line of its own
        qleader,         // "qleader p1 p2 p3", then an empty line
        line,            // the text as it stands
    };
    Kind kind = Kind::line;
    Point p1, p2, p3;  // sheet coordinates
    std::string text;
};

// Writes the command with every point moved by (dx, dy); lines end in CR LF.
void write_script_command(OutputSink& out, const ScriptCommand& c, double dx = 0, double dy = 0);

}  // namespace lwall
