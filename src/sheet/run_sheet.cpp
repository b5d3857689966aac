#include "driver/run.hpp"

#include <cmath>
#include <exception>
#include <memory>
#include <string>

#include "drawings/section_footing/footing_input_checks.hpp"
#include "drawings/section_footing/footing_views.hpp"
#include "drawings/section_footing/section_view.hpp"
#include "drawings/wall/wall_elevations.hpp"
#include "drawings/wall/wall_input_checks.hpp"
#include "driver/message_box.hpp"
#include "driver/run_failure.hpp"
#include "input/layout_limits.hpp"
#include "output/csv/quantities_csv.hpp"
#include "output/dxf/dxf_document.hpp"
#include "output/sjis.hpp"
#include "schedule/schedule_drawings.hpp"
#include "schedule/schedule_input_checks.hpp"

namespace lwall {

namespace {

// Width of the picture of the sheet, in pixels.
constexpr int kPictureWidth = 2400;

struct FileCloser {
    void operator()(std::FILE* f) const {
        if (f != nullptr) std::fclose(f);
    }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

void print_line(std::FILE* console, std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), console);
    std::fputc('\n', console);
    std::fflush(console);
}

std::string read_all(std::FILE* f) {
    std::string text;
    char buf[1 << 14];
    std::size_t n = 0;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) text.append(buf, n);
    return text;
}

// Closes an output file; false when its last bytes could not be written.
bool finish_file(OutputSink& sink, File& file) {
    bool ok = sink.flush();
    if (std::fclose(file.release()) != 0) ok = false;
    return ok;
}

}  // namespace

void check_size_limits(const WallInput& w) {
    static constexpr auto kTooWide = u8"幅の制限を超えています。"_sj;
    static constexpr auto kTooHigh = u8"高さの制限を超えています。"_sj;
    if (w.footing_left_width + w.wall_thickness + w.footing_right_width > kMaxBaseWidth) {
        throw RunFailure(kExitDrawingFile, std::string(kTooWide));
    }
    if (w.footing_thickness + w.wall_height > kMaxTotalHeight) {
        throw RunFailure(kExitDrawingFile, std::string(kTooHigh));
    }
}

void check_wall_input(const WallInput& w) {
    check_size_limits(w);
    check_layout_limits(w);
    check_wall_elevation_input(w);
    check_footing_input(w);
    check_schedule_input(w);
}

void start_sheet(RunContext& ctx, std::string_view wall_file_text, std::string_view layer_file_text) {
    DxfWriter& out = ctx.canvas.dxf;
    dxf_ltype_table(out);
    ctx.layers = dxf_layer_table(out, layer_file_text);
    ctx.picture.set_layers(ctx.layers);
    dxf_style_table(out);
    dxf_open_entities(out);
    ctx.input = read_wall_input(wall_file_text);
    check_wall_input(ctx.input);
    ctx.findings = check_wall(ctx.input);
    ctx.layout = compute_sheet_layout(ctx.input);
    ctx.picture.set_scale(ctx.layout.scale);
}

void draw_sheet(RunContext& ctx) {
    draw_wall_elevations(ctx);
    draw_footing_views(ctx);
    draw_section_view(ctx);
    draw_schedule_sheet(ctx);
    dxf_document_end(ctx.canvas.dxf);
}

void run_sheet(RunContext& ctx, std::string_view wall_file_text, std::string_view layer_file_text) {
    start_sheet(ctx, wall_file_text, layer_file_text);
    draw_sheet(ctx);
}

int run_in_directory(const std::filesystem::path& dir, const RunOptions& options, std::FILE* console,
                     std::FILE* errors) {
    (void)options;
    const auto ctx = std::make_unique<RunContext>();
    ctx->layout.pi = 4 * std::atan(1.0);

    struct Opening {
        const char* name;
        const char* mode;
        int status;
    };
    static constexpr Opening kFiles[] = {{"Lwall.dxf", "wb", kExitDrawingFile},
                                         {"plenk.scr", "wb", kExitScriptFile},
                                         {"PlenkL.dat", "rb", kExitWallInput},
                                         {"GasouL.dat", "rb", kExitLayerFile}};
    File files[4];
    for (int i = 0; i < 4; ++i) {
        files[i].reset(std::fopen((dir / kFiles[i].name).string().c_str(), kFiles[i].mode));
        if (!files[i]) {
            print_line(console, std::string("can't create ") + kFiles[i].name);
            return kFiles[i].status;
        }
    }
    // The picture and the spreadsheet, when asked for, after the four files of every run.
    File svg_file;
    File csv_file;
    if (options.svg) {
        svg_file.reset(std::fopen((dir / "Lwall.svg").string().c_str(), "wb"));
        if (!svg_file) {
            print_line(console, "can't create Lwall.svg");
            return kExitExtraFile;
        }
        ctx->canvas.dxf.svg = &ctx->picture;
    }
    if (options.csv) {
        csv_file.reset(std::fopen((dir / "Lwall.csv").string().c_str(), "wb"));
        if (!csv_file) {
            print_line(console, "can't create Lwall.csv");
            return kExitExtraFile;
        }
    }
    const std::string wall_text = read_all(files[2].get());
    files[2].reset();  // the wall input is closed once read
    const std::string layer_text = read_all(files[3].get());

    ctx->canvas.dxf_out.attach(files[0].get());
    ctx->canvas.scr_out.attach(files[1].get());
    int status = kExitOk;
    try {
        start_sheet(*ctx, wall_text, layer_text);
        for (const Finding& f : ctx->findings) print_line(errors, "warning: " + f.message);
        draw_sheet(*ctx);
    } catch (const RunFailure& f) {
        print_line(console, f.message);
        if (!f.box_caption.empty()) show_message_box(f.box_caption, f.box_text);
        status = f.status;
    } catch (const std::exception& e) {
        print_line(console, std::string("internal error: ") + e.what());
        status = kExitBadInput;
    }
    // What was written before a failure stays in the files.
    const bool dxf_ok = finish_file(ctx->canvas.dxf_out, files[0]);
    const bool scr_ok = finish_file(ctx->canvas.scr_out, files[1]);
    if (status == kExitOk && !dxf_ok) {
        print_line(console, "can't write Lwall.dxf");
        status = kExitDrawingFile;
    } else if (status == kExitOk && !scr_ok) {
        print_line(console, "can't write plenk.scr");
        status = kExitScriptFile;
    }
    // The picture shows what was drawn and the spreadsheet what was printed, even after a failure.
    const std::pair<File*, std::string> extras[] = {
        {&svg_file, svg_file ? ctx->picture.document(kPictureWidth) : std::string()},
        {&csv_file, csv_file ? quantities_csv(ctx->printed) : std::string()}};
    for (const auto& [file, text] : extras) {
        if (!*file) continue;
        const bool written = std::fwrite(text.data(), 1, text.size(), file->get()) == text.size();
        if (std::fclose(file->release()) != 0 || !written) {
            if (status == kExitOk) {
                print_line(console, file == &svg_file ? "can't write Lwall.svg" : "can't write Lwall.csv");
                status = kExitExtraFile;
            }
        }
    }
    return status;
}

int check_in_directory(const std::filesystem::path& dir, std::FILE* console) {
    const File file(std::fopen((dir / "PlenkL.dat").string().c_str(), "rb"));
    if (!file) {
        print_line(console, "can't create PlenkL.dat");
        return kExitWallInput;
    }
    std::vector<Finding> findings;
    try {
        const WallInput w = read_wall_input(read_all(file.get()));
        check_wall_input(w);
        findings = check_wall(w);
    } catch (const RunFailure& f) {
        print_line(console, f.message);
        return f.status;
    }
    for (const Finding& f : findings) print_line(console, f.message);
    return findings.empty() ? kExitOk : kExitFindings;
}

}  // namespace lwall
