#include "cli/directory_run.hpp"

#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "cli/message_box.hpp"
#include "cli/wall_explain.hpp"
#include "core/run_failure.hpp"
#include "core/wall_fields.hpp"
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

// The title file HyodaiL.dat is optional: without it the title block's boxes stay empty. One that is
// there and cannot be read is refused.
enum class TitleFile { missing, read, unreadable };

TitleFile read_title_file_in(const std::filesystem::path& dir, std::string& text) {
    const std::filesystem::path path = dir / "HyodaiL.dat";
    std::error_code ec;
    if (!std::filesystem::exists(path, ec) && !ec) return TitleFile::missing;
    const File file = open_file(path, "rb");
    if (!file) return TitleFile::unreadable;
    text = read_all(file.get());
    return std::ferror(file.get()) == 0 ? TitleFile::read : TitleFile::unreadable;
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
void remove_spreadsheet(const std::filesystem::path& dir, std::FILE* errors, const ConsoleStyle& style) {
    const std::filesystem::path csv = dir / "Lwall.csv";
    std::error_code ec;
    const std::filesystem::file_status found = std::filesystem::symlink_status(csv, ec);
    if (ec || !std::filesystem::exists(found) || std::filesystem::is_directory(found)) return;
    if (!std::filesystem::remove(csv, ec)) {
        print_console_line(errors, style, msg::warning_line(msg::cant_remove_spreadsheet()).in(style.lang));
    }
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
    if (read_title_file_in(dir, title_text) == TitleFile::unreadable) {
        print_line(console, msg::cant_read(kTitleFileName));
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
    const SheetResult sheet = run_sheet(wall_text, layer_text, title_text, request);
    for (const Finding& f : sheet.findings) print_line(errors, msg::warning_line(f.message));
    if (sheet.status != kExitOk) {
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
    const WallCheck check = check_wall_text(text);
    if (check.status != kExitOk) {
        print_console_line(console, style, check.message.in(style.lang));
        return check.status;
    }
    for (const Finding& f : check.findings) print_console_line(console, style, f.message.in(style.lang));
    return check.findings.empty() ? kExitOk : kExitFindings;
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
    const TitleFile title = read_title_file_in(dir, title_text);
    if (title == TitleFile::unreadable) {
        print_console_line(console, style, msg::cant_read(kTitleFileName).in(style.lang));
        return kExitBadInput;
    }
    const WallExplanation t = explain_title(
        title == TitleFile::read ? std::optional<std::string_view>(title_text) : std::nullopt, style.lang);
    print_console_text(console, style, t.text);
    std::fflush(console);
    return t.status;
}

}  // namespace lwall
