#include "server/editor_api.hpp"

#include <algorithm>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <optional>

#include "core/run_failure.hpp"
#include "core/sheet_layout.hpp"
#include "core/sjis.hpp"
#include "core/wall_fields.hpp"
#include "input/layer_file.hpp"
#include "input/wall_file.hpp"
#include "output/entity_sink.hpp"
#include "server/display_list.hpp"
#include "server/embedded_files.hpp"
#include "server/wall_folder.hpp"
#include "sheet/run_sheet.hpp"

namespace lwall {

namespace {

using nlohmann::json;

constexpr std::string_view kWallFile = "PlenkL.dat";
constexpr std::string_view kLayerFile = "GasouL.dat";

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

// "PlenkL.dat line 3: the character "é" (U+00E9) has no Shift_JIS form" for the first character of
// `utf8` that Shift_JIS lacks.
std::string missing_character(std::string_view file, std::string_view utf8) {
    int line = 1;
    for (std::size_t i = 0; i < utf8.size();) {
        const Utf8Char c = decode_utf8(utf8.data() + i, utf8.size() - i);
        const std::size_t n = std::max<std::size_t>(c.length, 1);
        if (c.length == 0 || !utf8_to_sjis(utf8.substr(i, n))) {
            char code[16];
            std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(c.code_point));
            return std::string(file) + " line " + std::to_string(line) + ": the character \"" +
                   std::string(utf8.substr(i, n)) + "\" (" + code + ") has no Shift_JIS form";
        }
        if (utf8[i] == '\n') ++line;
        i += n;
    }
    return std::string(file) + ": the text is not UTF-8";
}

// The failure of a run or a reader, as the command line prints it, and where the page marks it.
void put_outcome(json& j, int status, std::string_view message, int line, std::string_view field) {
    j["status"] = status;
    j["message"] = sjis_to_utf8(message);
    j["line"] = line;
    j["field"] = sjis_to_utf8(field);
    std::string_view file;
    if (message.starts_with(kLayerFile)) file = kLayerFile;
    else if (message.starts_with(kWallFile)) file = kWallFile;
    j["file"] = file;
}

EditorReply refusal_reply(const RunFailure& f) {
    json j = {{"error", sjis_to_utf8(f.message)}};
    put_outcome(j, f.status, f.message, f.line, f.field);
    return json_reply(422, j);
}

// Where the schedule, the mass table and the material table lie on the sheet: their frames, grown to
// hold the titles and headings that stand on them.
class TableExtent final : public EntitySink {
public:
    void line(const LineEntity& e) override {
        if (e.layer != "D-MTR-FRAM") return;
        frames_.cover(e.x1, e.y1);
        frames_.cover(e.x2, e.y2);
    }
    void text(const TextEntity& e) override {
        if (e.layer == "D-MTR-TXT" || e.layer == "D-MTR-MTXT") texts_.push_back({e.x1, e.y1, e.height});
    }
    void circle(const CircleEntity&) override {}

    // Null when no table was drawn. A text counts when it starts within 10 paper millimetres of the
    // frames (the title of the bending drawings, inside sheet 2, stays out).
    json extent(double scale) const {
        if (frames_.empty) return nullptr;
        Box box = frames_;
        const double near = 10 * scale;
        for (const Text& t : texts_) {
            if (t.x >= frames_.x0 - near && t.x <= frames_.x1 + near && t.y >= frames_.y0 - near &&
                t.y <= frames_.y1 + near) {
                box.cover(t.x, t.y);
                box.cover(t.x, t.y + t.height);
            }
        }
        return {{"x", box.x0}, {"y", box.y0}, {"width", box.x1 - box.x0}, {"height", box.y1 - box.y0}};
    }

private:
    struct Box {
        bool empty = true;
        double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
        void cover(double x, double y) {
            if (empty) {
                x0 = x1 = x;
                y0 = y1 = y;
                empty = false;
            }
            x0 = std::min(x0, x);
            x1 = std::max(x1, x);
            y0 = std::min(y0, y);
            y1 = std::max(y1, y);
        }
    };
    struct Text {
        double x, y;
        int height;
    };
    Box frames_;
    std::vector<Text> texts_;
};

const char* part_name(FieldPart p) {
    switch (p) {
    case FieldPart::scalar: return "scalar";
    case FieldPart::zones: return "zones";
    case FieldPart::dia: return "dia";
    case FieldPart::opt: return "opt";
    case FieldPart::pitch: return "pitch";
    case FieldPart::count: return "count";
    case FieldPart::tie_dia: return "tie_dia";
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

EditorReply error_reply(int http_status, std::string_view message) {
    return json_reply(http_status, {{"error", std::string(message)}});
}

std::variant<WallTexts, EditorReply> read_wall_texts(std::string_view body) {
    const json j = json::parse(body.begin(), body.end(), nullptr, false);
    if (j.is_discarded()) return error_reply(400, "the body is not JSON");
    if (!j.is_object()) return error_reply(400, "the body is not a JSON object");
    const auto wall = j.find("wall");
    if (wall == j.end() || !wall->is_string()) {
        return error_reply(400, "the body has no \"wall\" string, the text of PlenkL.dat");
    }
    const auto layers = j.find("layers");
    if (layers != j.end() && !layers->is_string() && !layers->is_null()) {
        return error_reply(400, "\"layers\", the text of GasouL.dat, is not a string");
    }
    WallTexts texts;
    std::optional<std::string> sjis = utf8_to_sjis(wall->get_ref<const std::string&>());
    if (!sjis) return error_reply(422, missing_character(kWallFile, wall->get_ref<const std::string&>()));
    texts.wall = std::move(*sjis);
    if (layers != j.end() && layers->is_string()) {
        sjis = utf8_to_sjis(layers->get_ref<const std::string&>());
        if (!sjis) return error_reply(422, missing_character(kLayerFile, layers->get_ref<const std::string&>()));
        texts.layers = std::move(*sjis);
        texts.layers_given = true;
    } else {
        texts.layers = std::string(example_file(kLayerFile));
    }
    return texts;
}

EditorReply preview_reply(const WallTexts& texts) {
    TableExtent tables;
    DisplayList display;
    EntityFanOut observers;
    observers.add(tables);
    observers.add(display);
    SheetRequest request;
    request.drawing_file = false;
    request.observer = &observers;
    SheetResult sheet = run_sheet(texts.wall, texts.layers, request);
    json j;
    put_outcome(j, sheet.status, sheet.message, sheet.line, sheet.field);
    json findings = json::array();
    for (const Finding& f : sheet.findings) {
        findings.push_back({{"line", f.line}, {"field", sjis_to_utf8(f.field)}, {"text", sjis_to_utf8(f.text)},
                            {"message", sjis_to_utf8(f.message)}});
    }
    j["findings"] = std::move(findings);
    const SheetLayout& s = sheet.layout;
    if (s.scale > 0) {
        j["sheet"] = {{"scale", s.scale}, {"width", s.sheet_width}, {"height", s.sheet_height}, {"gap", kSecondFrameGap}};
        j["tables"] = tables.extent(s.scale);
    } else {
        j["sheet"] = nullptr;
        j["tables"] = nullptr;
    }
    json frames = json::array();
    for (const SheetFrame& f : sheet.frames) {
        frames.push_back({{"number", f.number}, {"x", f.x}, {"y", f.y}, {"width", f.width}, {"height", f.height},
                          {"scale", f.scale}});
    }
    j["frames"] = std::move(frames);
    // The sheet's entities go last, written straight into the answer; texts and circles take the
    // colour of their layer as the run read the layers.
    std::optional<LayerTable> layers;
    try {
        layers = read_layer_table(texts.layers);
    } catch (const RunFailure&) {
        // refused before anything was drawn
    }
    EditorReply r;
    r.body = dump(j);
    r.body.pop_back();  // the object's closing brace
    r.body += ",\"display\":";
    display.append_json(r.body, layers ? &*layers : nullptr, s.scale > 0 ? s.scale : 1);
    r.body += '}';
    return r;
}

EditorReply file_reply(std::string_view name, const WallTexts& texts) {
    struct Download {
        std::string_view name;
        std::string_view type;
    };
    static constexpr Download kDownloads[] = {{"Lwall.dxf", "application/dxf"},
                                              {"plenk.scr", "text/plain; charset=Shift_JIS"},
                                              {"Lwall.csv", "text/csv; charset=Shift_JIS"},
                                              {"Lwall.svg", "image/svg+xml"},
                                              {"PlenkL.dat", "text/plain; charset=Shift_JIS"}};
    const auto it = std::find_if(std::begin(kDownloads), std::end(kDownloads),
                                 [&](const Download& d) { return d.name == name; });
    if (it == std::end(kDownloads)) {
        return error_reply(404, "no such file: the editor hands out Lwall.dxf, plenk.scr, Lwall.csv, Lwall.svg and PlenkL.dat");
    }
    EditorReply r;
    r.content_type = std::string(it->type);
    r.download_name = std::string(it->name);
    if (name == kWallFile) {
        const WallReading reading = read_wall_file(texts.wall);
        if (reading.refusal) return refusal_reply(*reading.refusal);
        r.body = texts.wall;
        return r;
    }
    SheetRequest request;
    request.picture = name == "Lwall.svg";
    request.quantities = name == "Lwall.csv";
    SheetResult sheet = run_sheet(texts.wall, texts.layers, request);
    if (sheet.status != kExitOk) {
        json j = {{"error", sjis_to_utf8(sheet.message)}};
        put_outcome(j, sheet.status, sheet.message, sheet.line, sheet.field);
        return json_reply(422, j);
    }
    if (name == "Lwall.dxf") r.body = std::move(sheet.dxf);
    else if (name == "plenk.scr") r.body = std::move(sheet.scr);
    else if (name == "Lwall.csv") r.body = std::move(sheet.csv);
    else r.body = std::move(sheet.svg);
    return r;
}

EditorReply catalogue_reply() {
    json groups = json::array();
    for (const WallFieldGroup& g : wall_field_groups()) {
        groups.push_back({{"key", g.key}, {"label_ja", g.label_ja}, {"label_en", g.label_en}});
    }
    json fields = json::array();
    for (const WallField& f : wall_fields()) {
        fields.push_back({{"name", f.name},
                          {"line", f.line},
                          {"position", f.position},
                          {"kind", f.kind == FieldKind::whole ? "whole" : "decimal"},
                          {"unit", f.unit},
                          {"label_ja", f.label_ja},
                          {"label_en", f.label_en},
                          {"meaning", f.meaning},
                          {"group", f.group},
                          {"part", part_name(f.part)},
                          {"index", f.index},
                          {"opt_role", opt_role_name(f.opt_role)},
                          {"used", f.used}});
    }
    return json_reply(200, {{"lines", kWallFileLines}, {"groups", std::move(groups)}, {"fields", std::move(fields)}});
}

EditorReply example_reply() {
    return json_reply(200, {{"wall", sjis_to_utf8(example_file(kWallFile))}, {"layers", sjis_to_utf8(example_file(kLayerFile))}});
}

EditorReply load_reply(const std::filesystem::path& dir) {
    std::string wall;
    std::string layers;
    switch (read_folder_file(dir, kWallFile, kMaxRequestBody, wall)) {
    case FolderRead::missing: return error_reply(404, "the folder holds no PlenkL.dat");
    case FolderRead::too_large: return error_reply(422, "PlenkL.dat in the folder is larger than 256 KiB");
    case FolderRead::read: break;
    }
    json j = {{"wall", sjis_to_utf8(wall)}};
    switch (read_folder_file(dir, kLayerFile, kMaxRequestBody, layers)) {
    case FolderRead::missing: break;
    case FolderRead::too_large: return error_reply(422, "GasouL.dat in the folder is larger than 256 KiB");
    case FolderRead::read: j["layers"] = sjis_to_utf8(layers); break;
    }
    return json_reply(200, j);
}

EditorReply save_reply(const std::filesystem::path& dir, const WallTexts& texts) {
    const WallReading reading = read_wall_file(texts.wall);
    if (reading.refusal) return refusal_reply(*reading.refusal);
    if (texts.layers_given) {
        try {
            read_layer_table(texts.layers);
        } catch (const RunFailure& f) {
            return refusal_reply(f);
        }
    }
    json saved = json::array();
    std::string failure = replace_folder_file(dir, kWallFile, texts.wall);
    if (failure.empty()) saved.push_back(kWallFile);
    if (failure.empty() && texts.layers_given) {
        failure = replace_folder_file(dir, kLayerFile, texts.layers);
        if (failure.empty()) saved.push_back(kLayerFile);
    }
    if (!failure.empty()) return json_reply(500, {{"error", failure}, {"saved", std::move(saved)}});
    return json_reply(200, {{"saved", std::move(saved)}});
}

}  // namespace lwall
