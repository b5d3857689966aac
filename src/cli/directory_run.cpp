#include "cli/directory_run.hpp"

#include <string>
#include <string_view>

#include "cli/message_box.hpp"
#include "cli/wall_explain.hpp"
#include "core/run_failure.hpp"
#include "output/file.hpp"
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
    const auto print_line = [&](std::FILE* out, const Message& m) { print_console_line(out, style, m.in(style.lang)); };
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
    // The picture and the spreadsheet, when asked for, after the four files of every run.
    File svg_file;
    File csv_file;
    if (options.svg && !(svg_file = open_in(dir, "Lwall.svg", "wb"))) {
        print_line(console, msg::cant_create("Lwall.svg"));
        return kExitExtraFile;
    }
    if (options.csv && !(csv_file = open_in(dir, "Lwall.csv", "wb"))) {
        print_line(console, msg::cant_create("Lwall.csv"));
        return kExitExtraFile;
    }
    const std::string wall_text = read_all(files[2].get());
    files[2].reset();  // the wall input is closed once read
    const std::string layer_text = read_all(files[3].get());

    SheetRequest request;
    request.picture = options.svg;
    request.quantities = options.csv;
    request.dxf_file = files[0].get();
    request.scr_file = files[1].get();
    const SheetResult sheet = run_sheet(wall_text, layer_text, request);
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
        if (*file && !write_whole(*file, *text) && status == kExitOk) {
            print_line(console, msg::cant_write(name));
            status = kExitExtraFile;
        }
    }
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
    return e.status;
}

}  // namespace lwall
