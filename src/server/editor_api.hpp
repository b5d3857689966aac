#pragma once
// What the editor's requests do, HTTP aside: a request body read into the bytes the readers take,
// the preview of a sheet, a file as the command line writes it, the field catalogue for the form,
// and the wall in the served folder loaded and saved as one set. Every call but a save works on its
// own data and runs its own sheet, so requests in parallel share nothing that changes; saves are
// taken one at a time by the server.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/messages.hpp"
#include "core/run_failure.hpp"
#include "output/pdf/pdf_writer.hpp"
#include "server/wall_folder.hpp"

namespace lwall {

// The largest request body the editor takes: the three files it opens (kMaxFolderFile each) as JSON
// even when every byte is a line end, which JSON writes in two.
inline constexpr std::size_t kMaxRequestBody = 7 * 1024 * 1024;

// An answer: HTTP status, content type, body and, for a download, the file's name.
struct EditorReply {
    int http_status = 200;
    std::string content_type = "application/json; charset=utf-8";
    std::string body;
    std::string download_name;  // when set, the body is a file to save under this name
};

// {"error": "<message>", "error_ja", "error_en"}: one line of JSON, in the language asked for and in
// both, so that a page can change its language without asking again.
EditorReply error_reply(int http_status, const Message& message, Lang lang);

// The input files of a request, as the readers take them (Shift_JIS).
struct WallTexts {
    std::string wall;
    std::optional<std::string> layers;   // none: the request brings no GasouL.dat
    std::optional<std::string> title;    // none: the request brings no HyodaiL.dat (its boxes stay empty)
    std::optional<std::string> version;  // the folder's version the page loaded (a save needs it)
    Lang lang = Lang::ja;
    // Values the page holds that no file can: a field holding several values ("held" of the body),
    // a character Shift_JIS lacks (written '?' in the text above). Each a refusal of its field
    // (status 6); a request with one draws, saves and hands out nothing.
    std::vector<RunFailure> refused;
};

// Reads {"wall": "<PlenkL.dat>", "layers": "<GasouL.dat>" or null, "title": "<HyodaiL.dat>" or null,
// "version": "...", "lang": "en", "held": {"wall_height": "2,45"}} (UTF-8; all but wall optional;
// `lang` of the body over `lang` of the address). Malformed JSON or a missing wall: 400.
std::variant<WallTexts, EditorReply> read_wall_texts(std::string_view body, Lang lang);

// {"status", "message", "detail", "line", "field", "fields", "file", "findings": [{"line", "field",
// "text", "message"}], "sheet": {"scale", "width", "height", "gap"} or null, "frames": [{"number",
// "x", "y", "width", "height", "scale"}], "downloads": ["Lwall.dxf", ...], "display"}: the run as the
// command line ends it, what the checks found, the sheet's frames (drawing units, y upward), the
// files file_reply makes, and what was drawn as a display list (see DisplayList), also before a
// stop. Without layers the run ends as the command
// line does without a GasouL.dat: status 4.
// "refusals": [{"file", "line", "field", "text", "message"}]: every value of the texts that is refused,
// each once, where the run stops on a refused value (its first is the stop). The downloads only
// where the sheet is drawn (status 0).
// `pdf`: the server can make Lwall.pdf, which the downloads then name too; else `pdf_missing` says why
// ("pdf_missing" of the answer).
EditorReply preview_reply(const WallTexts& texts, bool pdf = false, const Message& pdf_missing = {});

// Lwall.dxf, plenk.scr, Lwall.csv, Lwall.svg as the command line writes them for the same files, or
// PlenkL.dat, GasouL.dat or HyodaiL.dat as the reader takes it. A run that does not end with status 0
// (for an input file: a text its reader refuses) gives 422 with {"status", "message", ...}; another
// name, or an input file the request does not bring, 404.
EditorReply file_reply(std::string_view name, const WallTexts& texts);

// Lwall.pdf as lwall --pdf writes it for the same files, one page per frame; 422 as file_reply when
// the run does not end with status 0, 500 when the writer fails.
EditorReply pdf_reply(const WallTexts& texts, const PdfWriter& writer);

// {"files": [{"name", "key", "lines", "groups": [...], "fields": [...]}], "lines", "groups": [...],
// "fields": [...], "title_file": {"name", "lines", "group", "fields"}}: the catalogue of PlenkL.dat and
// of HyodaiL.dat for the form, every file of the form with the key its text has in a request, and
// PlenkL.dat's and the title file's again on their own; each field's "meaning" in `lang`, and in
// both languages as "meaning_ja" and "meaning_en" for a page that switches.
EditorReply catalogue_reply(Lang lang);

// {"wall", "layers"}: the level example, the wall a new editor starts from.
EditorReply example_reply();

// {"folder", "version", "files": [{"name", "exists", "loaded", "size", "problem"}], "wall",
// "layers", "title"}: the files in `dir`, each text where it loaded; version null when one is there that
// could not be loaded.
EditorReply load_reply(const std::filesystem::path& dir, Lang lang);

// Replaces PlenkL.dat (and GasouL.dat and HyodaiL.dat when given) in `dir` as one set, when the request carries
// the version of the files it loaded and they are still so: 428 without one, 409 when they changed
// or one could not be loaded. Text a reader refuses: 422. Unedited lines keep their bytes.
EditorReply save_reply(const std::filesystem::path& dir, const WallTexts& texts,
                       const BeforeRename& before_rename = {});

}  // namespace lwall
