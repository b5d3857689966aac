#include "server/editor_api.hpp"

#include <algorithm>
#include <nlohmann/json.hpp>
#include <optional>

#include "core/run_failure.hpp"
#include "core/sheet_frames.hpp"
#include "core/sheet_layout.hpp"
#include "core/sjis.hpp"
#include "core/wall_fields.hpp"
#include "input/layer_file.hpp"
#include "input/text_scan.hpp"
#include "input/title_file.hpp"
#include "input/wall_file.hpp"
#include "output/entity_sink.hpp"
#include "output/pdf/pdf_pages.hpp"
#include "output/sfc/sfc_sheets.hpp"
#include "server/display_list.hpp"
#include "server/embedded_files.hpp"
#include "sheet/run_sheet.hpp"

namespace lwall {

namespace {

using nlohmann::json;

constexpr std::string_view kWallFile = "PlenkL.dat";
constexpr std::string_view kLayerFile = "GasouL.dat";
constexpr std::string_view kTitleFile = kTitleFileName;
// The files of the folder a save replaces as one set, in the order they are written.
constexpr std::string_view kFolderFiles[] = {kWallFile, kLayerFile, kTitleFile};
// The files of the form, each with the key of its text in a request and in a load's answer.
constexpr std::pair<InputFile, std::string_view> kFormFiles[] = {{InputFile::wall, "wall"}, {InputFile::title, "title"}};

std::string dump(const json& j) { return j.dump(-1, ' ', false, json::error_handler_t::replace); }

EditorReply json_reply(int http_status, const json& j) {
    EditorReply r;
    r.http_status = http_status;
    r.body = dump(j);
    return r;
}

std::string_view example_file(std::string_view name) {
    const EmbeddedFile* f = find_embedded_file("example/" + std::string(name));
    return f != nullptr ? f->text() : std::string_view();
}

// The refusal of the first character of `utf8` that Shift_JIS lacks: of the value that holds it,
// or of its line where that is no value of a field.
RunFailure missing_character(std::string_view file, std::string_view utf8) {
    int line = 1;
    for (std::size_t i = 0; i < utf8.size();) {
        const Utf8Char c = decode_utf8(utf8.data() + i, utf8.size() - i);
        const std::size_t n = std::max<std::size_t>(c.length, 1);
        if (c.length == 0) break;
        const std::string_view character = utf8.substr(i, n);
        if (!utf8_to_sjis(character)) {
            const Message what = msg::character_lacks_sjis(character, c.code_point);
            const WallField* field = nullptr;
            if (file == kWallFile) field = wall_field_at(utf8, i, line);
            if (file == kTitleFile && line <= kTitleFileLines) field = &title_fields()[static_cast<std::size_t>(line - 1)];
            if (field != nullptr) return input_refusal({file, line, field->name, field->label_ja}, what);
            RunFailure f(kExitBadInput, msg::character_without_sjis(file, line, character, c.code_point));
            f.file = file;
            f.line = line;
            f.what = what;
            return f;
        }
        if (utf8[i] == '\n') ++line;
        i += n;
    }
    RunFailure f(kExitBadInput, msg::text_not_utf8(file));
    f.file = file;
    return f;
}

// A body's text as the readers take it; a character Shift_JIS lacks is refused, and written '?'.
std::string sjis_text(std::string_view file, const std::string& utf8, std::vector<RunFailure>& refused) {
    if (std::optional<std::string> sjis = utf8_to_sjis(utf8)) return std::move(*sjis);
    refused.push_back(missing_character(file, utf8));
    return utf8_to_sjis_marked(utf8);
}

// Every refused value of the texts, each field once: the page's own (held, a character without
// Shift_JIS), then each reader's in file order.
std::vector<RunFailure> refusals_of(const WallTexts& texts) {
    std::vector<RunFailure> all = texts.refused;
    const auto take = [&](std::vector<RunFailure> more) {
        for (RunFailure& f : more) {
            const bool named = std::any_of(all.begin(), all.end(), [&](const RunFailure& a) {
                return a.file == f.file && (a.field == f.field || (a.field.empty() && a.line == f.line));
            });
            if (!named) all.push_back(std::move(f));
        }
    };
    take(wall_file_refusals(texts.wall));
    if (texts.title) take(title_file_refusals(*texts.title));
    if (texts.layers) {
        try {
            read_layer_table(*texts.layers);
        } catch (const RunFailure& f) {
            take({f});
        }
    }
    return all;
}

// The failure of a run or a reader, as the command line prints it, with what it is about: the
// values to mark (the first, and all) and the failure with its fields and by how much.
void put_outcome(json& j, const SheetResult& r, Lang lang) {
    j["status"] = r.status;
    j["message"] = r.message.in(lang);
    j["detail"] = r.detail.in(lang);
    j["line"] = r.line;
    j["field"] = r.field;
    j["fields"] = r.fields;
    j["file"] = r.file;
}

// {"error", "error_ja", "error_en"}.
json error_json(const Message& m, Lang lang) { return {{"error", m.in(lang)}, {"error_ja", m.ja}, {"error_en", m.en}}; }

// 422 for a run that did not draw the sheet, as the command line ends it.
EditorReply stop_reply(const SheetResult& sheet, Lang lang) {
    json j = error_json(sheet.detail, lang);
    put_outcome(j, sheet, lang);
    return json_reply(422, j);
}

EditorReply refusal_reply(const RunFailure& f, Lang lang) {
    SheetResult r;
    take_failure(r, f);
    return stop_reply(r, lang);
}

// The files the page offers for download, in the order it shows them: what the command line writes,
// and the wall file as the page holds it.
struct Download {
    std::string_view name;
    std::string_view type;
};
constexpr Download kDownloads[] = {{"Lwall.dxf", "application/dxf"},
                                   {"plenk.scr", "text/plain; charset=Shift_JIS"},
                                   {"Lwall.csv", "text/csv; charset=Shift_JIS"},
                                   {"Lwall.svg", "image/svg+xml"},
                                   {kWallFile, "text/plain; charset=Shift_JIS"}};

constexpr std::string_view kPdfFile = "Lwall.pdf";

// The files the editor hands out for a sheet of `frames` frames: the command line's, an SXF sheet
// per frame, and the plot where the server can make it.
json download_names(bool pdf, std::size_t frames) {
    json names = json::array();
    for (const Download& d : kDownloads) names.push_back(d.name);
    for (std::size_t n = 1; n <= frames; ++n) names.push_back(sfc_file_name(static_cast<int>(n)));
    if (pdf) names.push_back(kPdfFile);
    return names;
}

std::string download_list() {
    std::string list;
    for (const Download& d : kDownloads) list += (list.empty() ? "" : ", ") + std::string(d.name);
    return list + ", Lwall-1.sfc ... Lwall-N.sfc, " + std::string(kLayerFile) + ", " + std::string(kTitleFile);
}

// The sheet of a request, or the stop of the command line where the folder has no GasouL.dat.
SheetResult sheet_of(const WallTexts& texts, const SheetRequest& request) {
    if (texts.layers) return run_sheet(texts.wall, *texts.layers, texts.title.value_or(""), request);
    RunFailure missing(kExitLayerFile, msg::cant_create(kLayerFile));
    missing.file = kLayerFile;
    missing.detail = msg::layer_file_missing();
    SheetResult r;
    take_failure(r, missing);
    return r;
}

// The files of the set as the folder holds them, for the page.
json folder_files(const FolderState& state, Lang lang) {
    json files = json::array();
    for (const FolderFile& f : state.files) {
        files.push_back({{"name", f.name},
                         {"exists", f.state != FileState::missing},
                         {"loaded", f.state == FileState::loaded},
                         {"size", f.size},
                         {"problem", f.problem.empty() ? json(nullptr) : json(f.problem.in(lang))}});
    }
    return files;
}

json version_of(const FolderState& state) { return state.version ? json(*state.version) : json(nullptr); }

const char* part_name(FieldPart p) {
    switch (p) {
    case FieldPart::scalar: return "scalar";
    case FieldPart::zones: return "zones";
    case FieldPart::dia: return "dia";
    case FieldPart::opt: return "opt";
    case FieldPart::pitch: return "pitch";
    case FieldPart::count: return "count";
    case FieldPart::tie_dia: return "tie_dia";
    case FieldPart::title_text: return "title_text";
    case FieldPart::condition_real: return "condition_real";
    case FieldPart::condition_grade: return "condition_grade";
    case FieldPart::condition_method: return "condition_method";
    }
    return "";
}

const char* opt_role_name(OptRole r) {
    switch (r) {
    case OptRole::none: return "";
    case OptRole::zone_diameter: return "zone_diameter";
    case OptRole::second_diameter: return "second_diameter";
    case OptRole::offset: return "offset";
    case OptRole::unused: return "unused";
    }
    return "";
}

}  // namespace

EditorReply error_reply(int http_status, const Message& message, Lang lang) {
    return json_reply(http_status, error_json(message, lang));
}

std::variant<WallTexts, EditorReply> read_wall_texts(std::string_view body, Lang lang) {
    const json j = json::parse(body.begin(), body.end(), nullptr, false);
    if (j.is_discarded()) return error_reply(400, msg::body_not_json(), lang);
    if (!j.is_object()) return error_reply(400, msg::body_not_object(), lang);
    WallTexts texts;
    const auto lang_value = j.find("lang");
    if (lang_value != j.end() && lang_value->is_string()) {
        lang = parse_lang(lang_value->get_ref<const std::string&>()).value_or(lang);
    }
    texts.lang = lang;
    const auto wall = j.find("wall");
    if (wall == j.end() || !wall->is_string()) return error_reply(400, msg::body_without_wall(), lang);
    const auto layers = j.find("layers");
    if (layers != j.end() && !layers->is_string() && !layers->is_null()) {
        return error_reply(400, msg::body_value_not_string("layers", kLayerFile), lang);
    }
    const auto title = j.find("title");
    if (title != j.end() && !title->is_string() && !title->is_null()) {
        return error_reply(400, msg::body_value_not_string("title", kTitleFile), lang);
    }
    const auto version = j.find("version");
    if (version != j.end() && version->is_string()) texts.version = version->get<std::string>();
    texts.wall = sjis_text(kWallFile, wall->get_ref<const std::string&>(), texts.refused);
    if (layers != j.end() && layers->is_string()) {
        texts.layers = sjis_text(kLayerFile, layers->get_ref<const std::string&>(), texts.refused);
    }
    if (title != j.end() && title->is_string()) {
        texts.title = sjis_text(kTitleFile, title->get_ref<const std::string&>(), texts.refused);
    }
    // The values the page could not put into the wall's text, each in its own field.
    const auto held = j.find("held");
    if (held != j.end() && held->is_object()) {
        const WallReading reading = read_wall_file(texts.wall);
        std::vector<RunFailure> several;
        for (const WallField& f : wall_fields()) {
            const auto value = held->find(f.name);
            if (value == held->end() || !value->is_string()) continue;
            const std::string shown = shown_in_message(utf8_to_sjis_marked(value->get_ref<const std::string&>()));
            several.push_back(input_refusal(wall_field_ref(reading.input, f.name), msg::several_values(shown)));
        }
        texts.refused.insert(texts.refused.begin(), several.begin(), several.end());
    }
    return texts;
}

EditorReply preview_reply(const WallTexts& texts, bool pdf, const Message& pdf_missing) {
    DisplayList display;
    SheetRequest request;
    request.drawing_file = false;
    request.observer = &display;
    SheetResult sheet;
    if (texts.refused.empty()) sheet = sheet_of(texts, request);
    else take_failure(sheet, texts.refused.front());  // the form holds what no file can: nothing drawn
    json j;
    put_outcome(j, sheet, texts.lang);
    // A stop on a refused value lists every refused value, each once, the stop first.
    json refusals = json::array();
    if (sheet.status == kExitBadInput && !sheet.file.empty()) {
        std::vector<RunFailure> all = refusals_of(texts);
        const auto stop = std::find_if(all.begin(), all.end(), [&](const RunFailure& f) {
            return f.file == sheet.file && f.field == sheet.field && f.line == sheet.line;
        });
        if (stop != all.end()) std::rotate(all.begin(), stop, stop + 1);
        else {
            RunFailure own(sheet.status, sheet.detail);
            own.file = sheet.file;
            own.line = sheet.line;
            own.field = sheet.field;
            own.what = sheet.what;
            all.insert(all.begin(), own);
        }
        for (const RunFailure& f : all) {
            refusals.push_back({{"file", f.file},
                                {"line", f.line},
                                {"field", f.field},
                                {"text", (f.what.empty() ? f.message : f.what).in(texts.lang)},
                                {"message", f.message.in(texts.lang)}});
        }
    }
    j["refusals"] = std::move(refusals);
    json findings = json::array();
    for (const Finding& f : sheet.findings) {
        findings.push_back({{"line", f.line},
                            {"field", f.field},
                            {"text", f.text.in(texts.lang)},
                            {"message", f.message.in(texts.lang)}});
    }
    j["findings"] = std::move(findings);
    const SheetLayout& s = sheet.layout;
    if (s.scale > 0) {
        j["sheet"] = {{"scale", s.scale}, {"width", s.sheet_width}, {"height", s.sheet_height}, {"gap", kFrameGap}};
    } else {
        j["sheet"] = nullptr;
    }
    json frames = json::array();
    for (const SheetFrame& f : sheet.frames) {
        frames.push_back({{"number", f.number}, {"x", f.x}, {"y", f.y}, {"width", f.width}, {"height", f.height},
                          {"scale", f.scale}});
    }
    j["frames"] = std::move(frames);
    // Only a sheet that is drawn is handed out.
    j["downloads"] = sheet.status == kExitOk ? download_names(pdf, sheet.frames.size()) : json::array();
    if (!pdf && !pdf_missing.empty()) j["pdf_missing"] = pdf_missing.in(texts.lang);
    // The sheet's entities go last, written straight into the answer; texts and circles take the
    // colour of their layer as the run read the layers, lines the pen width at their frame's scale.
    std::optional<LayerTable> layers;
    try {
        if (texts.layers) layers = with_title_block_layers(read_layer_table(*texts.layers));
    } catch (const RunFailure&) {
        // refused before anything was drawn
    }
    PictureScales scales;
    scales.set_scale(s.scale > 0 ? s.scale : 1);
    for (const SheetFrame& f : sheet.frames) {
        if (f.scale != s.scale) scales.set_frame_scale(f.x, f.x + f.width, f.scale);
    }
    EditorReply r;
    r.body = dump(j);
    r.body.pop_back();  // the object's closing brace
    r.body += ",\"display\":";
    display.append_json(r.body, layers ? &*layers : nullptr, scales);
    r.body += '}';
    return r;
}

EditorReply file_reply(std::string_view name, const WallTexts& texts) {
    const auto it = std::find_if(std::begin(kDownloads), std::end(kDownloads),
                                 [&](const Download& d) { return d.name == name; });
    // The SXF sheets, one per frame: Lwall-1.sfc ... by the exact name only.
    const int sheet_number = sfc_file_number(name);
    const Message no_such = msg::no_such_download(download_list());
    // The other two files of the set, as the page holds them: taken back in a conflict, never listed.
    if (name == kLayerFile || name == kTitleFile) {
        const std::optional<std::string>& text = name == kLayerFile ? texts.layers : texts.title;
        if (!text) return error_reply(404, no_such, texts.lang);
        if (!texts.refused.empty()) return refusal_reply(texts.refused.front(), texts.lang);
        try {
            if (name == kLayerFile) read_layer_table(*text);
            else read_title_input(*text);
        } catch (const RunFailure& f) {
            return refusal_reply(f, texts.lang);
        }
        EditorReply r;
        r.content_type = "text/plain; charset=Shift_JIS";
        r.download_name = std::string(name);
        r.body = *text;
        return r;
    }
    if (it == std::end(kDownloads) && sheet_number == 0) return error_reply(404, no_such, texts.lang);
    EditorReply r;
    r.content_type = it != std::end(kDownloads) ? std::string(it->type) : "text/plain; charset=Shift_JIS";
    r.download_name = std::string(name);
    if (!texts.refused.empty()) return refusal_reply(texts.refused.front(), texts.lang);
    if (name == kWallFile) {
        const WallReading reading = read_wall_file(texts.wall);
        if (reading.refusal) return refusal_reply(*reading.refusal, texts.lang);
        r.body = texts.wall;
        return r;
    }
    SheetRequest request;
    request.picture = name == "Lwall.svg";
    request.quantities = name == "Lwall.csv";
    request.sheets = sheet_number > 0;
    SheetResult sheet = sheet_of(texts, request);
    if (sheet.status != kExitOk) return stop_reply(sheet, texts.lang);
    if (sheet_number > 0) {
        // A sheet of a frame the set does not have is none.
        if (static_cast<std::size_t>(sheet_number) > sheet.sfc.size()) return error_reply(404, no_such, texts.lang);
        r.body = std::move(sheet.sfc[static_cast<std::size_t>(sheet_number) - 1]);
    } else if (name == "Lwall.dxf") r.body = std::move(sheet.dxf);
    else if (name == "plenk.scr") r.body = std::move(sheet.scr);
    else if (name == "Lwall.csv") r.body = std::move(sheet.csv);
    else r.body = std::move(sheet.svg);
    return r;
}

EditorReply pdf_reply(const WallTexts& texts, const PdfWriter& writer) {
    if (!texts.refused.empty()) return refusal_reply(texts.refused.front(), texts.lang);
    PdfPages pages;
    SheetRequest request;
    request.drawing_file = false;
    request.observer = &pages;
    const SheetResult sheet = sheet_of(texts, request);
    if (sheet.status != kExitOk) return stop_reply(sheet, texts.lang);
    EditorReply r;
    std::string why;
    if (!writer.write(pages.layout(sheet.frames, sheet.title), r.body, why)) {
        return error_reply(500, msg::cant_write_because(kPdfFile, why), texts.lang);
    }
    r.content_type = "application/pdf";
    r.download_name = std::string(kPdfFile);
    return r;
}

EditorReply catalogue_reply(Lang lang) {
    const auto field_json = [lang](const WallField& f) {
        return json{{"name", f.name},
                    {"file", input_file_name(f.file)},
                    {"line", f.line},
                    {"position", f.position},
                    {"kind", f.kind == FieldKind::whole ? "whole" : f.kind == FieldKind::text ? "text" : "decimal"},
                    {"unit", f.unit},
                    {"label_ja", f.label_ja},
                    {"label_en", f.label_en},
                    {"meaning", lang == Lang::en ? f.meaning : f.meaning_ja},
                    {"meaning_ja", f.meaning_ja},
                    {"meaning_en", f.meaning},
                    {"group", f.group},
                    {"part", part_name(f.part)},
                    {"index", f.index},
                    {"opt_role", opt_role_name(f.opt_role)},
                    {"used", f.used},
                    {"max_bytes", f.max_bytes}};
    };
    // The form of PlenkL.dat; the title file's fields beside it, in a group of their own.
    json groups = json::array();
    json title_group;
    for (const WallFieldGroup& g : field_groups()) {
        const json group = {{"key", g.key}, {"label_ja", g.label_ja}, {"label_en", g.label_en}};
        if (g.file == InputFile::wall) groups.push_back(group);
        else if (g.file == InputFile::title) title_group = group;
    }
    json fields = json::array();
    for (const WallField& f : wall_fields()) fields.push_back(field_json(f));
    json title = json::array();
    for (const WallField& f : title_fields()) title.push_back(field_json(f));
    // Every file of the form, each with its groups and fields and the key its text has in a request.
    json files = json::array();
    for (const auto& [file, key] : kFormFiles) {
        json file_groups = json::array();
        for (std::size_t g = 0; g < field_groups().size(); ++g) {
            const WallFieldGroup& group = field_groups()[g];
            if (group.file != file) continue;
            file_groups.push_back({{"key", group.key}, {"label_ja", group.label_ja}, {"label_en", group.label_en}, {"index", g}});
        }
        json file_fields = json::array();
        int lines = 0;
        for (const WallField& f : input_fields(file)) {
            file_fields.push_back(field_json(f));
            lines = std::max(lines, f.line);
        }
        files.push_back({{"name", input_file_name(file)},
                         {"key", key},
                         {"lines", lines},
                         {"groups", std::move(file_groups)},
                         {"fields", std::move(file_fields)}});
    }
    return json_reply(200, {{"files", std::move(files)},
                            {"lines", kWallFileLines},
                            {"groups", std::move(groups)},
                            {"fields", std::move(fields)},
                            {"title_file",
                             {{"name", kTitleFileName},
                              {"lines", kTitleFileLines},
                              {"group", std::move(title_group)},
                              {"fields", std::move(title)}}}});
}

EditorReply example_reply() {
    return json_reply(200, {{"wall", sjis_to_utf8(example_file(kWallFile))}, {"layers", sjis_to_utf8(example_file(kLayerFile))}});
}

EditorReply load_reply(const std::filesystem::path& dir, Lang lang) {
    const FolderState state = read_folder(dir, kFolderFiles);
    const std::u8string folder = dir.u8string();
    json j = {{"folder", std::string(folder.begin(), folder.end())},
              {"version", version_of(state)},
              {"files", folder_files(state, lang)}};
    if (const FolderFile* f = state.file(kWallFile); f->state == FileState::loaded) j["wall"] = sjis_to_utf8(f->bytes);
    if (const FolderFile* f = state.file(kLayerFile); f->state == FileState::loaded) j["layers"] = sjis_to_utf8(f->bytes);
    if (const FolderFile* f = state.file(kTitleFile); f->state == FileState::loaded) j["title"] = sjis_to_utf8(f->bytes);
    return json_reply(200, j);
}

EditorReply save_reply(const std::filesystem::path& dir, const WallTexts& texts, const BeforeRename& before_rename) {
    const Lang lang = texts.lang;
    if (!texts.refused.empty()) return refusal_reply(texts.refused.front(), lang);
    const WallReading reading = read_wall_file(texts.wall);
    if (reading.refusal) return refusal_reply(*reading.refusal, lang);
    if (texts.layers) {
        try {
            read_layer_table(*texts.layers);
        } catch (const RunFailure& f) {
            return refusal_reply(f, lang);
        }
    }
    if (texts.title) {
        const TitleReading title = read_title_file(*texts.title);
        if (title.refusal) return refusal_reply(*title.refusal, lang);
    }
    if (!texts.version) return error_reply(428, msg::save_needs_version(), lang);
    // What the folder holds now must be what the page loaded: nothing is written over a file the
    // editor could not open, over a change made elsewhere, or over another save that came first.
    const FolderState before = read_folder(dir, kFolderFiles);
    const auto conflict = [&](const Message& why) {
        json j = error_json(why, lang);
        j["version"] = version_of(before);
        j["files"] = folder_files(before, lang);
        return json_reply(409, j);
    };
    if (!before.version) {
        const auto unloaded = std::find_if(before.files.begin(), before.files.end(),
                                           [](const FolderFile& f) { return !f.problem.empty(); });
        return conflict(msg::folder_file_not_loaded(unloaded->problem));
    }
    if (*before.version != *texts.version) return conflict(msg::folder_changed());

    std::vector<NewFile> files;
    const auto add = [&](std::string_view name, const std::string& text) {
        const FolderFile* old = before.file(name);
        files.push_back({std::string(name), old->state == FileState::loaded ? keep_original_codes(text, old->bytes) : text});
    };
    add(kWallFile, texts.wall);
    if (texts.layers) add(kLayerFile, *texts.layers);
    if (texts.title) add(kTitleFile, *texts.title);
    const SaveOutcome saved = replace_folder_files(dir, files, before, before_rename);
    const FolderState after = read_folder(dir, kFolderFiles);
    json j = {{"saved", saved.written},
              {"unchanged", saved.unchanged},
              {"version", version_of(after)},
              {"files", folder_files(after, lang)}};
    if (saved.ok) return json_reply(200, j);
    j.update(error_json(msg::save_stopped(saved.failure, saved.written, saved.unchanged), lang));
    return json_reply(500, j);
}

}  // namespace lwall
