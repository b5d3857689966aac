#include "cli/directory_run.hpp"

#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "cli/message_box.hpp"
#include "cli/wall_explain.hpp"
#include "core/run_failure.hpp"
#include "core/wall_fields.hpp"
#include "design/calc_report.hpp"
#include "design/design_text.hpp"
#include "input/title_file.hpp"
#include "output/file.hpp"
#include "output/pdf/pdf_pages.hpp"
#include "output/pdf/pdf_writer.hpp"
#include "output/sfc/sfc_sheets.hpp"
#include "sheet/run_sheet.hpp"

namespace lwall {

namespace {

std::string read_all(std::FILE* f) {
    std::string text;
    char buf[1 << 14];
    std::size_t n = 0;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) text.append(buf, n);
    return text;
}

// The title file HyodaiL.dat and the design conditions SekkeiL.dat are optional: without the one the
// title block's boxes stay empty, without the other no design check is made. One that is there and
// cannot be read is refused.
enum class OptionalFile { missing, read, unreadable };

OptionalFile read_optional_file_in(const std::filesystem::path& dir, std::string_view name, std::string& text) {
    const std::filesystem::path path = dir / std::filesystem::path(name);
    std::error_code ec;
    if (!std::filesystem::exists(path, ec) && !ec) return OptionalFile::missing;
    const File file = open_file(path, "rb");
    if (!file) return OptionalFile::unreadable;
    text = read_all(file.get());
    return std::ferror(file.get()) == 0 ? OptionalFile::read : OptionalFile::unreadable;
}

File open_in(const std::filesystem::path& dir, const char* name, const char* mode) { return open_file(dir / name, mode); }

// Reads PlenkL.dat; prints the opening failure and returns false when it cannot be opened.
bool read_wall_file_in(const std::filesystem::path& dir, std::FILE* console, const ConsoleStyle& style,
                       std::string& text) {
    const File file = open_in(dir, "PlenkL.dat", "rb");
    if (!file) {
        print_console_line(console, style, msg::cant_create("PlenkL.dat").in(style.lang));
        return false;
    }
    text = read_all(file.get());
    return true;
}

// Writes a whole extra output; false when it could not be written or closed.
bool write_whole(File& file, const std::string& text) {
    const bool written = std::fwrite(text.data(), 1, text.size(), file.get()) == text.size();
    return std::fclose(file.release()) == 0 && written;
}

// Writes the pages of the frames drawn; false when they could not be written or closed, with what
// went wrong beyond the file in `why`. A run that stopped before any frame was drawn leaves the
// file empty: a PDF without a page is no document.
bool write_pages(File& file, const PdfWriter& writer, const PdfPages& pages, const SheetResult& sheet,
                 std::string& why) {
    const PdfDocument doc = pages.layout(sheet.frames, sheet.title);
    const bool written = doc.page_count() == 0 || writer.write(doc, file.get(), why);
    return std::fclose(file.release()) == 0 && written;
}

// After a stop, no spreadsheet is left that could be taken for this wall's quantities: neither the
// one this run opened nor one an earlier run wrote for another wall. A folder of that name is not
// a spreadsheet and stays.
void remove_output(const std::filesystem::path& dir, std::string_view name, const Message& failure, std::FILE* errors,
                   const ConsoleStyle& style) {
    const std::filesystem::path path = dir / std::filesystem::path(name);
    std::error_code ec;
    const std::filesystem::file_status found = std::filesystem::symlink_status(path, ec);
    if (ec || !std::filesystem::exists(found) || std::filesystem::is_directory(found)) return;
    if (!std::filesystem::remove(path, ec)) print_console_line(errors, style, msg::warning_line(failure).in(style.lang));
}

void remove_spreadsheet(const std::filesystem::path& dir, std::FILE* errors, const ConsoleStyle& style) {
    remove_output(dir, "Lwall.csv", msg::cant_remove_spreadsheet(), errors, style);
}

// Writes the SXF sheets of the frames drawn, Lwall-1.sfc ... Lwall-N.sfc, and removes the sheets
// an earlier run left beyond them (Lwall-N+1.sfc and on, while there are any), so that the folder
// holds this run's set and no other wall's sheet; a run that drew no frame leaves none. Returns the
// console line of the first sheet that could not be written, or nothing.
Message write_sheets(const std::filesystem::path& dir, const std::vector<std::string>& sheets) {
    Message failure;
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        const std::string name = sfc_file_name(static_cast<int>(i) + 1);
        File file = open_in(dir, name.c_str(), "wb");
        if (!file) {
            if (failure.empty()) failure = msg::cant_create(name);
            continue;
        }
        if (!write_whole(file, sheets[i]) && failure.empty()) failure = msg::cant_write(name);
    }
    for (int k = static_cast<int>(sheets.size()) + 1;; ++k) {
        const std::filesystem::path stale = dir / sfc_file_name(k);
        std::error_code ec;
        if (!std::filesystem::is_regular_file(std::filesystem::symlink_status(stale, ec)) ||
            !std::filesystem::remove(stale, ec)) {
            break;
        }
    }
    return failure;
}

// The run itself; the files it opened are closed when it returns.
int draw_in_directory(const std::filesystem::path& dir, const RunOptions& options, std::FILE* console,
                      std::FILE* errors, const ConsoleStyle& style) {
    const auto print_line = [&](std::FILE* out, const Message& m) { print_console_line(out, style, m.in(style.lang)); };
    // Where no PDF can be made, --pdf is refused before any file is touched.
    PdfWriter pdf_writer;
    if (options.pdf) {
        Message warning;
        const Message refusal = pdf_writer.open(warning);
        if (!refusal.empty()) {
            print_line(console, refusal);
            return kExitNoPdf;
        }
        if (!warning.empty()) print_line(errors, msg::warning_line(warning));
    }
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
        files[i] = open_in(dir, kFiles[i].name, kFiles[i].mode);
        if (!files[i]) {
            print_line(console, msg::cant_create(kFiles[i].name));
            return kFiles[i].status;
        }
    }
    // The picture, the spreadsheet and the pages, when asked for, after the four files of every run.
    File svg_file;
    File csv_file;
    File pdf_file;
    if (options.svg && !(svg_file = open_in(dir, "Lwall.svg", "wb"))) {
        print_line(console, msg::cant_create("Lwall.svg"));
        return kExitExtraFile;
    }
    if (options.csv && !(csv_file = open_in(dir, "Lwall.csv", "wb"))) {
        print_line(console, msg::cant_create("Lwall.csv"));
        return kExitExtraFile;
    }
    if (options.pdf && !(pdf_file = open_in(dir, "Lwall.pdf", "wb"))) {
        print_line(console, msg::cant_create("Lwall.pdf"));
        return kExitExtraFile;
    }
    const std::string wall_text = read_all(files[2].get());
    files[2].reset();  // the wall input is closed once read
    const std::string layer_text = read_all(files[3].get());
    std::string title_text;
    if (read_optional_file_in(dir, kTitleFileName, title_text) == OptionalFile::unreadable) {
        print_line(console, msg::cant_read(kTitleFileName));
        return kExitBadInput;
    }
    std::string conditions_text;
    if (read_optional_file_in(dir, kConditionsFileName, conditions_text) == OptionalFile::unreadable) {
        print_line(console, msg::cant_read(kConditionsFileName));
        return kExitBadInput;
    }

    SheetRequest request;
    request.picture = options.svg;
    request.quantities = options.csv;
    request.sheets = options.sfc;
    request.dxf_file = files[0].get();
    request.scr_file = files[1].get();
    PdfPages pages;
    if (options.pdf) request.observer = &pages;
    const SheetResult sheet = run_sheet(wall_text, layer_text, title_text, conditions_text, request);
    for (const Finding& f : sheet.findings) print_line(errors, msg::warning_line(f.message));
    if (sheet.design) {
        for (const Finding& f : design_findings(*sheet.design)) print_line(errors, msg::warning_line(f.message));
    }
    if (sheet.status != kExitOk) {
        for (const Message& m : sheet.disagreements) print_line(console, m);
        print_line(console, sheet.message);
        if (!sheet.box_caption.empty()) {
            show_message_box(sheet.box_caption, sheet.box_text, is_interactive_console(console), errors, style);
        }
    }
    int status = sheet.status;
    // A file the system could not finish writing is a failure of a run that otherwise succeeded.
    const std::pair<File*, const char*> finished[] = {{&files[0], "Lwall.dxf"}, {&files[1], "plenk.scr"}};
    for (const auto& [file, name] : finished) {
        if (std::fclose(file->release()) != 0 && status == kExitOk) {
            print_line(console, msg::cant_write(name));
            status = file == &files[0] ? kExitDrawingFile : kExitScriptFile;
        }
    }
    const std::tuple<File*, const std::string*, const char*> extras[] = {{&svg_file, &sheet.svg, "Lwall.svg"},
                                                                         {&csv_file, &sheet.csv, "Lwall.csv"}};
    for (const auto& [file, text, name] : extras) {
        // The spreadsheet holds the quantities of a drawn sheet only.
        if (file == &csv_file && status != kExitOk) continue;
        if (*file && !write_whole(*file, *text) && status == kExitOk) {
            print_line(console, msg::cant_write(name));
            status = kExitExtraFile;
        }
    }
    // Like the picture, the pages show what was drawn, also after a stop: each frame drawn a page.
    std::string why;
    if (pdf_file && !write_pages(pdf_file, pdf_writer, pages, sheet, why) && status == kExitOk) {
        print_line(console, why.empty() ? msg::cant_write("Lwall.pdf") : msg::cant_write_because("Lwall.pdf", why));
        status = kExitExtraFile;
    }
    // Like the pages, the sheets show what was drawn, also after a stop: each frame drawn a sheet.
    if (options.sfc) {
        const Message failure = write_sheets(dir, sheet.sfc);
        if (!failure.empty() && status == kExitOk) {
            print_line(console, failure);
            status = kExitExtraFile;
        }
    }
    return status;
}

}  // namespace

void print_console_text(std::FILE* out, const ConsoleStyle& style, std::string_view utf8_text) {
    const std::string text = console_text(utf8_text, style);
    std::fwrite(text.data(), 1, text.size(), out);
    std::fflush(out);
}

void print_console_line(std::FILE* out, const ConsoleStyle& style, std::string_view utf8_line) {
    print_console_text(out, style, std::string(utf8_line) + "\n");
}

int run_in_directory(const std::filesystem::path& dir, const RunOptions& options, std::FILE* console,
                     std::FILE* errors, const ConsoleStyle& style) {
    const int status = draw_in_directory(dir, options, console, errors, style);
    // A --pdf this build cannot honour is refused before any file is touched: the folder stays as
    // the last run left it, spreadsheet and drawing alike.
    if (status != kExitOk && status != kExitNoPdf && options.csv) remove_spreadsheet(dir, errors, style);
    return status;
}

int check_in_directory(const std::filesystem::path& dir, std::FILE* console, const ConsoleStyle& style) {
    std::string text;
    if (!read_wall_file_in(dir, console, style, text)) return kExitWallInput;
    std::string conditions_text;
    const OptionalFile conditions = read_optional_file_in(dir, kConditionsFileName, conditions_text);
    if (conditions == OptionalFile::unreadable) {
        print_console_line(console, style, msg::cant_read(kConditionsFileName).in(style.lang));
        return kExitBadInput;
    }
    // The wall's findings, with design conditions every design result with its limit, then what
    // the sheet read back disagrees in.
    const DesignRun run = check_design_text(text, conditions_text);
    const WallCheck& check = run.wall;
    if (check.status != kExitOk && check.status != kExitAudit) {
        print_console_line(console, style, check.message.in(style.lang));
        return check.status;
    }
    for (const Finding& f : check.findings) print_console_line(console, style, f.message.in(style.lang));
    if (run.design) {
        print_console_line(console, style, msg::design_conditions_heading(true).in(style.lang));
        for (const Message& m : design_result_lines(*run.design)) print_console_line(console, style, m.in(style.lang));
    }
    if (check.status == kExitAudit) {
        for (const Message& m : check.disagreements) print_console_line(console, style, m.in(style.lang));
        print_console_line(console, style, check.message.in(style.lang));
        return kExitAudit;
    }
    return check.findings.empty() && (!run.design || run.design->ok()) ? kExitOk : kExitFindings;
}

namespace {

int write_report(const std::filesystem::path& dir, std::FILE* console, std::FILE* errors, const ConsoleStyle& style) {
    const auto print_line = [&](std::FILE* out, const Message& m) { print_console_line(out, style, m.in(style.lang)); };
    std::string text;
    if (!read_wall_file_in(dir, console, style, text)) return kExitWallInput;
    std::string conditions_text;
    switch (read_optional_file_in(dir, kConditionsFileName, conditions_text)) {
    case OptionalFile::unreadable: print_line(console, msg::cant_read(kConditionsFileName)); return kExitBadInput;
    case OptionalFile::missing: print_line(console, msg::no_conditions_file()); return kExitBadInput;
    case OptionalFile::read: break;
    }
    if (conditions_text.empty()) {
        print_line(console, msg::no_conditions_file());
        return kExitBadInput;
    }
    // The title file names the works at the head of the report, as it does in the title blocks.
    std::string title_text;
    if (read_optional_file_in(dir, kTitleFileName, title_text) == OptionalFile::unreadable) {
        print_line(console, msg::cant_read(kTitleFileName));
        return kExitBadInput;
    }
    TitleInput title;
    DesignRun run;
    try {
        title = read_title_input(title_text);
        run = check_design_text(text, conditions_text);
    } catch (const RunFailure& f) {
        run.wall.status = f.status;
        run.wall.message = f.details();
    }
    // A sheet that disagrees with itself when read back is the drawing's matter, not the design's.
    if (run.wall.status != kExitOk && run.wall.status != kExitAudit) {
        print_line(console, run.wall.message);
        return run.wall.status;
    }
    const DesignReport& design = *run.design;
    for (const Finding& f : design_findings(design)) print_line(errors, msg::warning_line(f.message));
    // The spreadsheet needs no library: it is written first, also where no PDF can be made.
    File csv = open_in(dir, "Lwall-calc.csv", "wb");
    if (!csv) {
        print_line(console, msg::cant_create("Lwall-calc.csv"));
        return kExitExtraFile;
    }
    if (!write_whole(csv, design_csv(design))) {
        print_line(console, msg::cant_write("Lwall-calc.csv"));
        return kExitExtraFile;
    }
    PdfWriter writer;
    Message warning;
    const Message refusal = writer.open(warning);
    if (!refusal.empty()) {
        print_line(console, msg::report_pdf_not_written(refusal));
        return kExitNoPdf;
    }
    if (!warning.empty()) print_line(errors, msg::warning_line(warning));
    ReportDocument report("Lwall-calc", pdf_creation_date(title));
    draw_calc_report(report, design, title_text.empty() ? nullptr : &title);
    File pdf = open_in(dir, "Lwall-calc.pdf", "wb");
    if (!pdf) {
        print_line(console, msg::cant_create("Lwall-calc.pdf"));
        return kExitExtraFile;
    }
    std::string why;
    const bool written = writer.write(report, pdf.get(), why);
    if (std::fclose(pdf.release()) != 0 || !written) {
        print_line(console, why.empty() ? msg::cant_write("Lwall-calc.pdf") : msg::cant_write_because("Lwall-calc.pdf", why));
        return kExitExtraFile;
    }
    return kExitOk;
}

}  // namespace

int report_in_directory(const std::filesystem::path& dir, std::FILE* console, std::FILE* errors,
                        const ConsoleStyle& style) {
    const int status = write_report(dir, console, errors, style);
    // No report is left that could be taken for this wall's: after a stop neither file of an earlier
    // run stays, and without a PDF (status 11) not the earlier PDF beside the new spreadsheet.
    if (status != kExitOk) {
        for (const char* name : {"Lwall-calc.pdf", "Lwall-calc.csv"}) {
            if (status == kExitNoPdf && std::string_view(name) == "Lwall-calc.csv") continue;
            remove_output(dir, name, msg::cant_remove_report(name), errors, style);
        }
    }
    return status;
}

int explain_in_directory(const std::filesystem::path& dir, std::FILE* console, const ConsoleStyle& style) {
    std::string text;
    if (!read_wall_file_in(dir, console, style, text)) return kExitWallInput;
    const WallExplanation e = explain_wall(text, style.lang);
    print_console_text(console, style, e.text);
    if (e.status != kExitOk) {
        std::fflush(console);
        return e.status;
    }
    std::string title_text;
    const OptionalFile title = read_optional_file_in(dir, kTitleFileName, title_text);
    if (title == OptionalFile::unreadable) {
        print_console_line(console, style, msg::cant_read(kTitleFileName).in(style.lang));
        return kExitBadInput;
    }
    const WallExplanation t = explain_title(
        title == OptionalFile::read ? std::optional<std::string_view>(title_text) : std::nullopt, style.lang);
    print_console_text(console, style, t.text);
    if (t.status != kExitOk) {
        std::fflush(console);
        return t.status;
    }
    std::string conditions_text;
    const OptionalFile conditions = read_optional_file_in(dir, kConditionsFileName, conditions_text);
    if (conditions == OptionalFile::unreadable) {
        print_console_line(console, style, msg::cant_read(kConditionsFileName).in(style.lang));
        return kExitBadInput;
    }
    const WallExplanation c = explain_conditions(
        conditions == OptionalFile::read ? std::optional<std::string_view>(conditions_text) : std::nullopt, style.lang);
    print_console_text(console, style, c.text);
    std::fflush(console);
    return c.status;
}

}  // namespace lwall
