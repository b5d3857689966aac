#pragma once
// The one entry that draws a sheet: the input texts in (the wall, the layers, the title block's
// values, empty when there is no title file, and the design conditions, empty when there is no
// conditions file); the drawing file, the script, the picture and the spreadsheet out, with the
// run's status, its message, what the checks found and, with design conditions, the design checks. The command line,
// the editor and the fuzz harness all draw through run_sheet.

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "context/run_context.hpp"
#include "core/findings.hpp"
#include "core/run_failure.hpp"
#include "core/sheet_frames.hpp"
#include "core/sheet_layout.hpp"
#include "design/wall_design.hpp"
#include "output/entity_sink.hpp"

namespace lwall {

struct SheetRequest {
    bool picture = false;     // also draw Lwall.svg
    bool quantities = false;  // also write Lwall.csv
    bool sheets = false;      // also write Lwall-1.sfc ... Lwall-N.sfc, an SXF sheet per frame
    // False: the entities are not written to the drawing file (dxf stays empty), for a view of the
    // sheet that needs only the entities (the editor's live sheet).
    bool drawing_file = true;
    // When set, the drawing file and the script stream to these open files in large blocks
    // instead of staying in memory, so that a run's memory does not grow with the wall.
    std::FILE* dxf_file = nullptr;
    std::FILE* scr_file = nullptr;
    // Another view of the sheet (the editor's measure of where the tables lie, the pages of
    // Lwall.pdf): handed every entity after the drawing file and the picture.
    EntitySink* observer = nullptr;
};

struct SheetResult {
    int status = kExitOk;
    Message message;  // the console line of a failure (no line end); empty when drawn
    Message detail;   // the failure with its fields and by how much (the message itself for a refusal)
    // The message box of the member-length stop (empty caption: none), UTF-8. Only a front door
    // shows it.
    std::string box_caption;
    std::string box_text;
    std::string file;    // the input values the failure is about, where there are some: their file,
    int line = 0;        // the line ...
    std::string field;   // ... and the name of the first ("W1.pitch[2]", "row 3 colour") ...
    std::vector<std::string> fields;  // ... and every one of them
    Message what;                     // a refused value: what is wrong with it, without its field
    std::vector<Finding> findings;  // the checks' warnings, once the wall was read and accepted
    // Where the sheet, read back once drawn, disagrees with itself (status kExitAudit); each names
    // the mark and both values.
    std::vector<Message> disagreements;
    SheetLayout layout;             // the sheet's scale and size; scale 0 when the run stopped before
    SheetFrames frames;             // the frames drawn, left to right; empty when the run stopped before
                                    // the footing drawing (the first two when it stopped there)
    TitleInput title;               // the title block's values as read (empty when the file was refused)
    // The outputs: what was written before a failure stays written. dxf and scr stay empty when
    // streamed to files; svg, csv and the sheets are empty unless asked for.
    std::string dxf;
    std::string scr;
    std::string svg;
    std::string csv;
    std::vector<std::string> sfc;  // per frame drawn, Lwall-1.sfc ... (core/sheet_frames.hpp)
    // The design checks of the wall (design/design_text.hpp lists them), where the design
    // conditions were given and read; also when the drawing stopped after reading them.
    std::optional<DesignReport> design;
};

SheetResult run_sheet(std::string_view wall_text, std::string_view layer_text, std::string_view title_text,
                      std::string_view conditions_text, const SheetRequest& request = {});
// Without design conditions.
SheetResult run_sheet(std::string_view wall_text, std::string_view layer_text, std::string_view title_text = {},
                      const SheetRequest& request = {});

// The status, messages and values of a failure, into a result.
void take_failure(SheetResult& r, const RunFailure& f);

// What lwall --check reports: the wall read and refused, or checked and its sheet drawn in memory
// (with no layer file: the pens do not matter to a check) and read back; no file is written.
struct WallCheck {
    int status = kExitOk;  // a refusal's status, kExitAudit where the sheet disagrees with itself,
                           // else kExitOk (also with findings)
    Message message;       // the refusal, with its fields and by how much; or the audit's line
    std::vector<Finding> findings;
    std::vector<Message> disagreements;
};
WallCheck check_wall_text(std::string_view wall_text);

// lwall --check and --report: the wall checked as check_wall_text checks it, then, with design
// conditions (not empty), the conditions read or refused and the design checks; nothing written.
struct DesignRun {
    WallCheck wall;                     // a refusal of the wall ends here
    std::optional<DesignReport> design; // the checks, once both files were accepted
};
DesignRun check_design_text(std::string_view wall_text, std::string_view conditions_text);

// The steps of run_sheet, for a test that builds its own context. All throw RunFailure.
//
// Status 1 when the footing is wider than 2500 or footing and wall are higher than 3000 (width
// first; the limits themselves pass): the drawing program's line, with a detail that names the
// fields added up and by how much they pass the limit.
void check_size_limits(const WallInput& w);
// Every refusal of a wall that was read: the size limits, then the limits of a layout any wall could
// hold, then what each drawing cannot draw from, then the work bound.
void check_wall_input(const WallInput& w);
// The tables, the wall read, refused or checked (ctx.findings), the title block's values and the
// design conditions read or refused, and the sheet laid out.
void start_sheet(RunContext& ctx, std::string_view wall_file_text, std::string_view layer_file_text,
                 std::string_view title_file_text = {}, std::string_view conditions_file_text = {});
// The entities of all drawings, in their fixed order, and the document end.
void draw_sheet(RunContext& ctx);
// Both.
void draw_whole_sheet(RunContext& ctx, std::string_view wall_file_text, std::string_view layer_file_text,
                      std::string_view title_file_text = {}, std::string_view conditions_file_text = {});

}  // namespace lwall
