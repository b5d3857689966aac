#pragma once
// What the editor's requests do, HTTP aside: a request body read into the bytes the readers take,
// the preview of a sheet, a file as the command line writes it, the field catalogue for the form,
// and the wall in the served folder loaded and saved. Every call works on its own data and runs its
// own sheet, so requests in parallel share nothing that changes.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <variant>

namespace lwall {

// The largest request body the editor takes; a wall file is under 2 KB.
inline constexpr std::size_t kMaxRequestBody = 256 * 1024;

// An answer: HTTP status, content type, body and, for a download, the file's name.
struct EditorReply {
    int http_status = 200;
    std::string content_type = "application/json; charset=utf-8";
    std::string body;
    std::string download_name;  // when set, the body is a file to save under this name
};

// {"error": "<message>"}: one line of JSON.
EditorReply error_reply(int http_status, std::string_view message);

// The two input files of a request, as the readers take them (Shift_JIS).
struct WallTexts {
    std::string wall;
    std::string layers;          // the example layer set when the request brings none
    bool layers_given = false;
};

// Reads {"wall": "<PlenkL.dat>", "layers": "<GasouL.dat>"} (UTF-8, layers optional or null).
// Malformed JSON or a missing wall: 400. A character Shift_JIS lacks: 422 naming it.
std::variant<WallTexts, EditorReply> read_wall_texts(std::string_view body);

// {"status", "message", "line", "field", "file", "findings": [{"line", "field", "text"}], "sheet":
// {"scale", "width", "height", "gap"} or null, "tables": {"x", "y", "width", "height"} or null,
// "frames": [{"number", "x", "y", "width", "height", "scale"}], "display"}: the run as the command
// line ends it (message in UTF-8), what the checks found, the sheet's frames and where the schedule
// and quantity tables lie (drawing units, y upward), and what was drawn as a display list (see
// DisplayList), also before a stop.
EditorReply preview_reply(const WallTexts& texts);

// Lwall.dxf, plenk.scr, Lwall.csv, Lwall.svg as the command line writes them for the same files, or
// PlenkL.dat as the reader takes it. A run that does not end with status 0 (for PlenkL.dat: a
// text the reader refuses) gives 422 with {"status", "message", ...}; another name 404.
EditorReply file_reply(std::string_view name, const WallTexts& texts);

// {"lines", "groups": [...], "fields": [...]}: the catalogue of PlenkL.dat for the form.
EditorReply catalogue_reply();

// {"wall", "layers"}: the level example, the wall a new editor starts from.
EditorReply example_reply();

// {"wall", "layers"}: the files in `dir` (layers left out when GasouL.dat is missing); 404 without
// a PlenkL.dat.
EditorReply load_reply(const std::filesystem::path& dir);

// Replaces PlenkL.dat (and GasouL.dat when given) in `dir`, each atomically. Text a reader refuses
// is refused with 422 and nothing is written.
EditorReply save_reply(const std::filesystem::path& dir, const WallTexts& texts);

}  // namespace lwall
