#include "sheet/run_sheet.hpp"

#include <exception>
#include <memory>

#include "checks/sheet_audit.hpp"
#include "checks/wall_checks.hpp"
#include "core/wall_fields.hpp"
#include "drawings/section_footing/footing_input_checks.hpp"
#include "drawings/wall/wall_input_checks.hpp"
#include "input/layer_file.hpp"
#include "input/conditions_file.hpp"
#include "input/layout_limits.hpp"
#include "input/title_file.hpp"
#include "input/wall_file.hpp"
#include "output/csv/quantities_csv.hpp"
#include "output/dxf/dxf_document.hpp"
#include "output/sfc/sfc_sheets.hpp"
#include "output/streamed_blocks.hpp"
#include "schedule/schedule_input_checks.hpp"
#include "sheet/sheet_set.hpp"
#include "sheet/work_bound.hpp"

namespace lwall {

namespace {

// Width of the picture of the sheet, in pixels.
constexpr int kPictureWidth = 2400;

// A size limit passed by a sum of fields, all on one line of the file.
[[noreturn]] void stop_over_limit(const WallInput& w, Message line, std::vector<std::string> fields,
                                  std::string_view what_ja, std::string_view what_en, double sum, double limit) {
    std::string names;
    std::string labels;
    for (const std::string& f : fields) {
        names += (names.empty() ? "" : " + ") + f;
        labels += (labels.empty() ? "" : " + ") + find_wall_field(f)->label_ja;
    }
    RunFailure failure(kExitDrawingFile, std::move(line));
    failure.file = kWallFileName;
    failure.line = wall_field_line(w, fields.front());
    failure.detail = field_message({kWallFileName, failure.line, names, labels},
                                   msg::over_limit(what_ja, what_en, sum, limit));
    failure.field = fields.front();
    failure.fields = std::move(fields);
    throw failure;
}

}  // namespace

void take_failure(SheetResult& r, const RunFailure& f) {
    r.status = f.status;
    r.message = f.message;
    r.detail = f.details();
    r.box_caption = f.box_caption;
    r.box_text = f.box_text;
    r.file = f.file;
    r.line = f.line;
    r.field = f.field;
    r.fields = f.fields;
    r.what = f.what;
}

void check_size_limits(const WallInput& w) {
    const double width = w.footing_left_width + w.wall_thickness + w.footing_right_width;
    if (width > kMaxBaseWidth) {
        stop_over_limit(w, msg::too_wide(), {"footing_left_width", "wall_thickness", "footing_right_width"}, "幅",
                        "width", width, kMaxBaseWidth);
    }
    const double height = w.footing_thickness + w.wall_height;
    if (height > kMaxTotalHeight) {
        stop_over_limit(w, msg::too_high(), {"footing_thickness", "wall_height"}, "高さ", "height", height,
                        kMaxTotalHeight);
    }
}

void check_wall_input(const WallInput& w) {
    check_size_limits(w);
    check_layout_limits(w);
    check_wall_elevation_input(w);
    check_footing_input(w);
    check_schedule_input(w);
    check_work_bound(w);
}

void start_sheet(RunContext& ctx, std::string_view wall_file_text, std::string_view layer_file_text,
                 std::string_view title_file_text, std::string_view conditions_file_text) {
    DxfWriter& out = ctx.canvas.dxf;
    dxf_ltype_table(out);
    ctx.layers = read_layer_table(layer_file_text);
    ctx.declared_layers = with_title_block_layers(ctx.layers);
    dxf_layer_table(out, ctx.declared_layers);
    ctx.picture.set_layers(ctx.declared_layers);
    dxf_style_table(out);
    dxf_open_entities(out);
    ctx.input = read_wall_input(wall_file_text);
    check_wall_input(ctx.input);
    ctx.findings = check_wall(ctx.input);
    ctx.title = read_title_input(title_file_text);
    if (!conditions_file_text.empty()) ctx.conditions = read_conditions_input(conditions_file_text);
    ctx.layout = compute_sheet_layout(ctx.input);
    ctx.picture.set_scale(ctx.layout.scale);
}

void draw_sheet(RunContext& ctx) {
    draw_sheet_frames(ctx);
    dxf_document_end(ctx.canvas.dxf);
}

void draw_whole_sheet(RunContext& ctx, std::string_view wall_file_text, std::string_view layer_file_text,
                      std::string_view title_file_text, std::string_view conditions_file_text) {
    start_sheet(ctx, wall_file_text, layer_file_text, title_file_text, conditions_file_text);
    draw_sheet(ctx);
}

SheetResult run_sheet(std::string_view wall_text, std::string_view layer_text, std::string_view title_text,
                      const SheetRequest& request) {
    return run_sheet(wall_text, layer_text, title_text, {}, request);
}

SheetResult run_sheet(std::string_view wall_text, std::string_view layer_text, std::string_view title_text,
                      std::string_view conditions_text, const SheetRequest& request) {
    SheetResult result;
    auto ctx = std::make_unique<RunContext>();
    auto audit = std::make_unique<SheetAudit>();
    SfcSheets sheets;
    // Where only the drawing file and the script take the sheet, frame 1's views go straight into
    // the drawing file, and what the overlap pass moves is written over where it stands; the rare
    // sheet whose views must move whole is started over and drawn again, the views recorded.
    const auto start = [&](bool stream) {
        ctx = std::make_unique<RunContext>();
        audit = std::make_unique<SheetAudit>();
        Canvas& cv = ctx->canvas;
        cv.dxf_out.attach(request.dxf_file);
        cv.scr_out.attach(request.scr_file);
        if (!request.drawing_file) cv.entities = EntityFanOut();  // without the drawing file's entities
        if (request.picture) cv.entities.add(ctx->picture);
        if (request.sheets) cv.entities.add(sheets);
        if (request.observer != nullptr) cv.entities.add(*request.observer);
        // Every run reads its sheet back as it is made.
        if (stream && cv.dxf_out.rewritable() && cv.scr_out.rewritable()) ctx->read_back_after_views = audit.get();
        else cv.entities.add(*audit);
    };
    start(request.drawing_file && !request.picture && !request.sheets && request.observer == nullptr);
    try {
        try {
            draw_whole_sheet(*ctx, wall_text, layer_text, title_text, conditions_text);
        } catch (const ViewsMustMove&) {
            if (!ctx->canvas.dxf_out.start_over()) throw RunFailure(kExitDrawingFile, msg::cant_write("Lwall.dxf"));
            if (!ctx->canvas.scr_out.start_over()) throw RunFailure(kExitScriptFile, msg::cant_write("plenk.scr"));
            start(false);
            draw_whole_sheet(*ctx, wall_text, layer_text, title_text, conditions_text);
        }
    } catch (const RunFailure& f) {
        take_failure(result, f);
    } catch (const std::exception& e) {
        take_failure(result, RunFailure(kExitBadInput, msg::internal_error(e.what())));
    }
    // The laps as the drawings laid them out, also of a run that stopped in the footing plan.
    add_findings(ctx->findings, check_laps(ctx->input, ctx->handed.laps));
    // A sheet drawn whole is read back: any place it disagrees with itself fails the run.
    if (result.status == kExitOk) {
        result.disagreements = audit->disagreements();
        if (!result.disagreements.empty()) {
            RunFailure f(kExitAudit, msg::audit_failed(static_cast<int>(result.disagreements.size())));
            // The editor shows the detail: every disagreement, one a line.
            for (const Message& m : result.disagreements) {
                f.detail.ja += (f.detail.ja.empty() ? "" : "\n") + m.ja;
                f.detail.en += (f.detail.en.empty() ? "" : "\n") + m.en;
            }
            take_failure(result, f);
        }
    }
    result.findings = std::move(ctx->findings);
    if (ctx->conditions) result.design = design_wall(ctx->input, *ctx->conditions);
    result.layout = ctx->layout;
    result.frames = ctx->frames;
    result.title = ctx->title;
    if (result.status == kExitMemberLength) {
        // Stopped in the footing drawing, which had drawn frame 1.
        result.frames = {frame_at(1, 0, ctx->layout.scale)};
    }
    // What was written before a failure stays written.
    Canvas& cv = ctx->canvas;
    const bool dxf_ok = cv.dxf_out.flush();
    const bool scr_ok = cv.scr_out.flush();
    if (result.status == kExitOk && !dxf_ok) take_failure(result, RunFailure(kExitDrawingFile, msg::cant_write("Lwall.dxf")));
    else if (result.status == kExitOk && !scr_ok) take_failure(result, RunFailure(kExitScriptFile, msg::cant_write("plenk.scr")));
    if (request.dxf_file == nullptr && request.drawing_file) result.dxf = cv.dxf_out.contents();
    if (request.scr_file == nullptr) result.scr = cv.scr_out.contents();
    // The picture shows what was drawn and the spreadsheet what was printed, even after a failure.
    if (request.picture) result.svg = ctx->picture.document(kPictureWidth);
    if (request.quantities) result.csv = quantities_csv(ctx->printed);
    // Like the picture, the sheets show what was drawn on each frame, also after a stop.
    if (request.sheets) {
        try {
            result.sfc = sheets.files(result.frames, ctx->declared_layers, ctx->title);
        } catch (const RunFailure& f) {
            if (result.status == kExitOk) take_failure(result, f);
        }
    }
    return result;
}

WallCheck check_wall_text(std::string_view wall_text) {
    WallCheck check;
    try {
        const WallInput w = read_wall_input(wall_text);
        check_wall_input(w);
    } catch (const RunFailure& f) {
        check.status = f.status;
        check.message = f.details();
        return check;
    }
    // Drawn in memory, to find what only the drawings lay out (the laps) and to read the sheet back.
    // A wall whose footing plan stops (a member too long) is checked as far as it was drawn; its
    // findings say why.
    const SheetResult sheet = run_sheet(wall_text, {}, {}, {.drawing_file = false});
    check.findings = sheet.findings;
    check.disagreements = sheet.disagreements;
    if (sheet.status == kExitAudit) {
        check.status = kExitAudit;
        check.message = sheet.message;
    }
    return check;
}

DesignRun check_design_text(std::string_view wall_text, std::string_view conditions_text) {
    DesignRun run;
    run.wall = check_wall_text(wall_text);
    if ((run.wall.status != kExitOk && run.wall.status != kExitAudit) || conditions_text.empty()) return run;
    try {
        run.design = design_wall(read_wall_input(wall_text), read_conditions_input(conditions_text));
    } catch (const RunFailure& f) {
        run.wall.status = f.status;
        run.wall.message = f.details();
    }
    return run;
}

}  // namespace lwall
