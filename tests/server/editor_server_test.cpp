// The editor's server as a client meets it, over loopback: every refusal, saving the folder's files
// as a set and byte for byte, the files it hands out against the command line's on the examples
// and on random walls, many clients at once, and clients that try to wear it down.

#include <gtest/gtest.h>
#include <httplib.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "core/sjis.hpp"
#include "server/editor_api.hpp"
#include "server/editor_server.hpp"
#include "server/http_connection.hpp"
#include "sheet/random_walls.hpp"
#include "test_support.hpp"

namespace lwall {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;
using Clock = std::chrono::steady_clock;

std::string wall_body(const std::string& wall_sjis, const std::string* layers_sjis, const json& version = nullptr) {
    json j = {{"wall", sjis_to_utf8(wall_sjis)}};
    if (layers_sjis != nullptr) j["layers"] = sjis_to_utf8(*layers_sjis);
    if (!version.is_null()) j["version"] = version;
    return j.dump();
}

void write_file(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

// A client on a raw socket, for requests no library would send.
class RawClient {
public:
    explicit RawClient(int port) : fd_(::socket(AF_INET, SOCK_STREAM, 0)) {
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_port = htons(static_cast<std::uint16_t>(port));
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        connected_ = ::connect(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
        timeval tv{20, 0};
        setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
    }
    ~RawClient() { ::close(fd_); }
    RawClient(const RawClient&) = delete;
    RawClient& operator=(const RawClient&) = delete;

    bool connected() const { return connected_; }
    // False once the server stopped taking bytes (it answered and closed).
    bool send(std::string_view bytes) {
        while (!bytes.empty()) {
            const ssize_t n = ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
            if (n <= 0) return false;
            bytes.remove_prefix(static_cast<std::size_t>(n));
        }
        return true;
    }
    // One answer, read up to the end of its body (its Content-Length); "" when the server closed.
    // What came after it stays for the next answer.
    std::string one_answer() {
        char buf[4096];
        for (;;) {
            const std::size_t head_end = unread_.find("\r\n\r\n");
            if (head_end != std::string::npos) {
                const std::size_t at = unread_.find("Content-Length: ");
                const std::size_t end = head_end + 4 + (at < head_end ? std::stoul(unread_.substr(at + 16)) : 0);
                if (unread_.size() >= end) {
                    std::string out = unread_.substr(0, end);
                    unread_.erase(0, end);
                    return out;
                }
            }
            const ssize_t n = ::recv(fd_, buf, sizeof buf, 0);
            if (n <= 0) return "";
            unread_.append(buf, static_cast<std::size_t>(n));
        }
    }
    // Whether an answer has come in.
    bool answered() {
        char c = 0;
        return ::recv(fd_, &c, 1, MSG_PEEK | MSG_DONTWAIT) > 0;
    }
    // Everything the server sends until it closes (or 20 s pass).
    std::string answer() {
        std::string out = std::exchange(unread_, "");
        char buf[4096];
        ssize_t n = 0;
        while ((n = ::recv(fd_, buf, sizeof buf, 0)) > 0) out.append(buf, static_cast<std::size_t>(n));
        return out;
    }
    // The status of the answer; -1 when its status line is not HTTP's, with the standard's phrase.
    int status() {
        const std::string a = answer();
        if (!a.starts_with("HTTP/1.1 ")) return -1;
        const int status = std::stoi(a.substr(9, 3));
        return a.starts_with(status_line(status)) ? status : -1;
    }
    static std::string status_line(int status) {
        static const std::map<int, std::string> phrases = {
            {200, "OK"}, {400, "Bad Request"}, {403, "Forbidden"}, {404, "Not Found"}, {405, "Method Not Allowed"},
            {408, "Request Timeout"}, {411, "Length Required"}, {413, "Payload Too Large"}, {414, "URI Too Long"},
            {415, "Unsupported Media Type"}, {431, "Request Header Fields Too Large"}};
        return "HTTP/1.1 " + std::to_string(status) + " " + (phrases.contains(status) ? phrases.at(status) : "") + "\r\n";
    }

private:
    int fd_;
    bool connected_ = false;
    std::string unread_;
};

long resident_kib() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.starts_with("VmRSS:")) return std::stol(line.substr(6));
    }
    return 0;
}

class EditorServerTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(served_);
        EditorSettings settings;
        settings.host = "127.0.0.1";
        settings.port = 0;
        settings.dir = served_;
        server_ = std::make_unique<EditorServer>(settings);
        ASSERT_TRUE(server_->bind());
        thread_ = std::thread([this] { server_->run(); });
        while (!server_->running()) std::this_thread::yield();
    }
    void TearDown() override {
        server_->stop();
        thread_.join();
    }

    httplib::Client client() const {
        httplib::Client c("127.0.0.1", server_->port());
        c.set_read_timeout(60, 0);
        return c;
    }
    std::string host() const { return "127.0.0.1:" + std::to_string(server_->port()); }
    json load() const { return json::parse(client().Get("/api/wall")->body); }
    httplib::Result save(const std::string& body) const {
        return client().Put("/api/wall", {{"X-Lwall-Token", server_->token()}}, body, "application/json");
    }
    // Loads the folder's files and saves them back as the page got them.
    httplib::Result save_as_loaded() const {
        const json folder = load();
        json body = {{"wall", folder.value("wall", "")}, {"version", folder["version"]}};
        if (folder.contains("layers")) body["layers"] = folder["layers"];
        if (folder.contains("title")) body["title"] = folder["title"];
        return save(body.dump());
    }
    std::string served(const char* name) const { return test::read_file((served_ / name).string()); }

    // Seconds a preview of the level example takes on a connection of its own.
    double preview_seconds() const {
        const std::string wall = test::example_file("level", "PlenkL.dat");
        const std::string layers = test::example_file("level", "GasouL.dat");
        const auto began = Clock::now();
        const auto r = client().Post("/api/preview", wall_body(wall, &layers), "application/json");
        const double s = std::chrono::duration<double>(Clock::now() - began).count();
        EXPECT_TRUE(r && r->status == 200 && json::parse(r->body)["status"] == 0);
        return s;
    }

    // The command line's run on the same files, in a folder of its own.
    test::ProgramRun command_line(const std::string& wall, const std::string* layers, const std::string& args) {
        fs::remove_all(cli_);
        fs::create_directories(cli_);
        write_file(cli_ / "PlenkL.dat", wall);
        if (layers != nullptr) write_file(cli_ / "GasouL.dat", *layers);
        return test::run_program(cli_.string(), args);
    }
    std::string cli_file(const char* name) const { return test::read_file((cli_ / name).string()); }

    test::TempFolder folder_;
    const fs::path served_ = folder_.path() / "served";
    const fs::path cli_ = folder_.path() / "cli";
    std::unique_ptr<EditorServer> server_;
    std::thread thread_;
};

// A query parameter by its whole key, wherever it stands.
TEST(RequestHead, FindsAQueryParameterByItsWholeKeyWhereverItStands) {
    const std::pair<const char*, std::optional<std::string_view>> cases[] = {
        {"/api/wall", std::nullopt},           {"/api/wall?", std::nullopt},
        {"/api/wall?lang=en", "en"},           {"/api/wall?v=2&lang=en", "en"},
        {"/api/wall?v=2&x&lang=", ""},         {"/api/wall?v=2&lang", ""},
        {"/api/wall?language=ja&lang=en", "en"}, {"/api/wall?language=ja", std::nullopt},
        {"/api/wall?v=lang&w=1", std::nullopt}, {"/api/wall?lang=en&lang=ja", "en"},
    };
    for (const auto& [target, value] : cases) {
        RequestHead head;
        head.target = target;
        EXPECT_EQ(head.query("lang"), value) << target;
    }
}

// Each refusal answers one line of JSON with an "error".
void expect_refusal(const httplib::Result& r, int status) {
    ASSERT_TRUE(r) << httplib::to_string(r.error());
    EXPECT_EQ(r->status, status) << r->body;
    EXPECT_EQ(r->body.find('\n'), std::string::npos) << r->body;
    const json j = json::parse(r->body, nullptr, false);
    ASSERT_TRUE(j.is_object()) << r->body;
    EXPECT_TRUE(j.contains("error")) << r->body;
}

TEST_F(EditorServerTest, RefusesForeignHostsForeignWritersAndMalformedBodies) {
    httplib::Client c = client();
    const std::string level = test::example_file("level", "PlenkL.dat");
    const std::string body = wall_body(level, nullptr);

    // A refusal of the guard is one line of JSON too; nothing is written.
    expect_refusal(c.Get("/api/fields", {{"Host", "attacker.example:" + std::to_string(server_->port())}}), 403);
    expect_refusal(c.Put("/api/wall", body, "application/json"), 403);
    EXPECT_TRUE(fs::is_empty(served_));

    // The body limit, read and refused in Japanese unless English is asked for.
    std::string limit(kMaxRequestBody, ' ');
    expect_refusal(c.Post("/api/preview", limit, "application/json"), 400);  // read, and not JSON
    const auto over = c.Post("/api/preview?v=2&lang=en", limit + " ", "application/json");
    expect_refusal(over, 413);
    EXPECT_EQ(json::parse(over->body)["error"], "the request body is larger than 7168 KiB");

    expect_refusal(c.Post("/api/preview", "{\"wall\": \"1,2", "application/json"), 400);
    expect_refusal(c.Post("/api/preview", "[\"wall\"]", "application/json"), 400);
    expect_refusal(c.Post("/api/preview", "{\"walls\": \"\"}", "application/json"), 400);
    const auto layers_number = c.Post("/api/preview", "{\"wall\": \"\", \"layers\": 9}", "application/json");
    expect_refusal(layers_number, 400);
    EXPECT_EQ(json::parse(layers_number->body)["error"], "\"layers\" (GasouL.dat) が文字列ではありません");
    // A "lang" that is not a language's name is passed over: the answer keeps the request's language.
    for (const char* lang : {"7", "null", "\"xx\""}) {
        const auto odd = c.Post("/api/preview", std::string("{\"wall\": \"\", \"layers\": 9, \"lang\": ") + lang + "}",
                                "application/json");
        ASSERT_TRUE(odd) << lang;
        EXPECT_EQ(odd->body, layers_number->body) << lang;
    }

    // A character Shift_JIS lacks is refused as the value that holds it: its field, line and status 6.
    const json euro_body = {{"wall", "500,300,1000\n2000,400,2000,2000 \xE2\x82\xAC\n"}, {"lang", "en"}};
    const auto euro = c.Post("/api/preview", euro_body.dump(), "application/json");
    ASSERT_EQ(euro->status, 200);
    const json euro_stop = json::parse(euro->body);
    EXPECT_EQ(euro_stop["status"], 6);
    EXPECT_EQ(euro_stop["field"], "height_right");
    EXPECT_EQ(euro_stop["message"], "PlenkL.dat line 2, height_right: the character \"\xE2\x82\xAC\" (U+20AC) has no "
                                    "Shift_JIS form, so no file can hold it");
    EXPECT_EQ(euro_stop["downloads"], json::array());
    expect_refusal(c.Post("/api/file/PlenkL.dat", euro_body.dump(), "application/json"), 422);

    // Only the fixed names are handed out.
    expect_refusal(c.Post("/api/file/..%2FPlenkL.dat", body, "application/json"), 404);
    expect_refusal(c.Post("/api/file/GasouL.dat", body, "application/json"), 404);
    // The SXF sheets by their exact names, as many as the set has frames (two of the example).
    const std::string layers = test::example_file("level", "GasouL.dat");
    const std::string drawn = wall_body(test::example_file("sloped", "PlenkL.dat"), &layers);
    const auto sheet = c.Post("/api/file/Lwall-2.sfc", drawn, "application/json");
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->status, 200);
    EXPECT_TRUE(sheet->body.starts_with("ISO-10303-21;\r\n"));
    for (const char* name : {"Lwall-0.sfc", "Lwall-01.sfc", "Lwall-3.sfc", "Lwall-1.sfc%2F..", "Lwall-x.sfc"}) {
        expect_refusal(c.Post(std::string("/api/file/") + name, drawn, "application/json"), 404);
    }
    expect_refusal(c.Get("/../PlenkL.dat"), 404);
    // The page's own files, each with the type a browser runs it as (a module must be JavaScript).
    for (const auto& [path, type] : {std::pair<const char*, const char*>{"/", "text/html; charset=utf-8"},
                                     {"/editor.css", "text/css; charset=utf-8"},
                                     {"/wall_form.js", "text/javascript; charset=utf-8"}}) {
        const auto r = c.Get(path);
        ASSERT_TRUE(r) << path;
        EXPECT_EQ(r->status, 200) << path;
        EXPECT_EQ(r->get_header_value("Content-Type"), type) << path;
    }
}

// The guard of every request: the served address in Host (DNS rebinding names another), a writer's
// Origin that is the served address itself, and the page's token for a save, whole and exact.
TEST_F(EditorServerTest, GuardsHostOriginAndToken) {
    const std::string port = std::to_string(server_->port());
    const std::string h = "Host: " + host() + "\r\n";
    const std::string foreign = "Origin: http://attacker.example" + std::string("\r\n");
    const std::string token = server_->token();
    const std::string empty_json = "Content-Type: application/json\r\nContent-Length: 2\r\nConnection: close\r\n\r\n{}";
    const std::string read = "GET /api/fields HTTP/1.1\r\n";
    const std::string preview = "POST /api/preview HTTP/1.1\r\n" + h;
    const std::string save = "PUT /api/wall HTTP/1.1\r\n" + h;
    const std::string with_token = save + "X-Lwall-Token: " + token + "\r\n";
    std::string upper = token;
    for (char& ch : upper) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    // 400: past the guard, refused for its empty body.
    const std::pair<std::string, int> cases[] = {
        {read + h, 200},
        {read + "Host: LOCALHOST:" + port + "\r\n", 200},
        {read + "Host: [::1]:" + port + "\r\n", 200},
        {read + "Host: attacker.example:" + port + "\r\n", 403},
        {read + "Host: localhost.attacker.example\r\n", 403},
        {read + "Host: 127.0.0.1\r\n", 403},
        {read + "Host: 127.0.0.1:" + std::to_string(server_->port() + 1) + "\r\n", 403},
        {read, 403},
        {read + h + h, 403},
        {read + h + foreign, 200},  // a read another site cannot see
        {preview + empty_json, 400},
        {preview + "Origin: http://" + host() + "\r\n" + empty_json, 400},
        {preview + "Origin: HTTP://" + host() + "\r\n" + empty_json, 400},
        {preview + foreign + empty_json, 403},
        {preview + "Origin: http://localhost:" + port + "\r\n" + empty_json, 403},
        {preview + "Origin: https://" + host() + "\r\n" + empty_json, 403},
        {preview + "Origin: http://" + host() + ".attacker.example\r\n" + empty_json, 403},
        {with_token + empty_json, 400},
        {with_token + "Origin: http://" + host() + "\r\n" + empty_json, 400},
        {with_token + "Origin: null\r\n" + empty_json, 403},
        {save + empty_json, 403},
        {save + "X-Lwall-Token: \r\n" + empty_json, 403},
        {save + "X-Lwall-Token: " + token + "0\r\n" + empty_json, 403},
        {save + "X-Lwall-Token: " + token.substr(1) + "\r\n" + empty_json, 403},
        {save + "X-Lwall-Token: " + std::string(32, '0') + "\r\n" + empty_json, 403},
        {save + "X-Lwall-Token: " + upper + "\r\n" + empty_json, 403},
    };
    for (const auto& [request, status] : cases) {
        RawClient raw(server_->port());
        ASSERT_TRUE(raw.connected());
        raw.send(request + (request.ends_with("}") ? "" : "Connection: close\r\n\r\n"));
        EXPECT_EQ(raw.status(), status) << request;
    }
    EXPECT_TRUE(fs::is_empty(served_));
}

TEST_F(EditorServerTest, SavesWhatTheReaderTakesWholeAndRefusesTheRest) {
    // An empty folder: nothing loaded, and a version of its own that a first save names.
    const json empty = load();
    EXPECT_FALSE(empty.contains("wall"));
    EXPECT_EQ(empty["folder"], served_.string());
    EXPECT_EQ(empty["files"][0], (json{{"name", "PlenkL.dat"}, {"exists", false}, {"loaded", false}, {"size", 0},
                                       {"problem", nullptr}}));

    std::string crlf;
    for (char ch : test::example_file("sloped", "PlenkL.dat")) crlf += ch == '\n' ? std::string("\r\n") : std::string(1, ch);
    const std::string layers = "1\r\n7 1 0.5 D-STR\r\n";
    expect_refusal(save(wall_body(crlf, &layers)), 428);  // no version: nothing written
    const auto saved = save(wall_body(crlf, &layers, empty["version"]));
    ASSERT_EQ(saved->status, 200) << saved->body;
    EXPECT_EQ(json::parse(saved->body)["saved"], (json{"PlenkL.dat", "GasouL.dat"}));
    EXPECT_EQ(served("PlenkL.dat"), crlf);
    EXPECT_EQ(served("GasouL.dat"), layers);
    const json loaded = load();
    EXPECT_EQ(loaded["wall"], crlf);
    EXPECT_EQ(loaded["layers"], layers);
    EXPECT_EQ(loaded["version"], json::parse(saved->body)["version"]);

    // A letter in a whole-number field: refused with its line and field, and the old file stays.
    std::string bad = crlf;
    bad.replace(bad.find("\r\n4\r\n"), 5, "\r\n4x\r\n");  // F1.zones
    const auto refused = save(wall_body(bad, nullptr, loaded["version"]));
    expect_refusal(refused, 422);
    const json why = json::parse(refused->body);
    EXPECT_EQ(why["field"], "F1.zones");
    EXPECT_EQ(why["line"], 7);
    EXPECT_EQ(why["status"], 6);
    EXPECT_EQ(why["message"], "区間数 (F1.zones, PlenkL.dat 7行目): 整数でない「4x」");
    const std::string broken_layers = "2\n7 1 0.5 D-STR\n3 x 0.25 D-STR-DIM\n";
    expect_refusal(save(wall_body(crlf, &broken_layers, loaded["version"])), 422);
    EXPECT_EQ(served("PlenkL.dat"), crlf);
    EXPECT_EQ(served("GasouL.dat"), layers);

    // A wall the sheet cannot hold is still a file the reader takes: saved, as work in progress.
    std::string wide = crlf;
    wide.replace(0, wide.find('\r'), "900,700,1200");
    ASSERT_EQ(save(wall_body(wide, nullptr, loaded["version"]))->status, 200);
    EXPECT_EQ(served("PlenkL.dat"), wide);
    EXPECT_EQ(served("GasouL.dat"), layers);  // not sent: kept
    for (const auto& e : fs::directory_iterator(served_)) {
        EXPECT_TRUE(e.path().filename() == "PlenkL.dat" || e.path().filename() == "GasouL.dat") << e.path();
    }
}

// A file in the folder that the editor cannot open is said so, never replaced by the example, and
// never saved over; a file over the old 256 KiB limit that the command line reads opens.
TEST_F(EditorServerTest, FilesTheEditorCannotOpenAreNeverSavedOver) {
    const std::string wall = test::example_file("level", "PlenkL.dat");
    const std::string layers = test::example_file("level", "GasouL.dat");
    std::string notes = wall;
    notes.append(300 * 1024, '\n');  // blank lines after the wall, which the reader skips
    write_file(served_ / "PlenkL.dat", notes);
    write_file(served_ / "GasouL.dat", layers);
    ASSERT_EQ(command_line(notes, &layers, "").status, 0);
    EXPECT_EQ(load()["wall"], notes);
    const json version = load()["version"];

    std::string huge = wall;
    huge.append(kMaxFolderFile, ' ');
    write_file(served_ / "PlenkL.dat", huge);
    ASSERT_EQ(command_line(huge, &layers, "").status, 0);
    json folder = load();
    EXPECT_FALSE(folder.contains("wall"));
    EXPECT_TRUE(folder["version"].is_null());
    EXPECT_EQ(folder["files"][0]["exists"], true);
    EXPECT_EQ(folder["files"][0]["loaded"], false);
    EXPECT_TRUE(folder["files"][0]["problem"].get<std::string>().starts_with(
        "PlenkL.dat は " + std::to_string(huge.size()) + " バイトで、編集画面で開ける 1048576 バイトを超えています"))
        << folder["files"][0]["problem"];
    const auto refused = save(wall_body(wall, &layers, version));
    expect_refusal(refused, 409);
    EXPECT_EQ(served("PlenkL.dat"), huge);
    EXPECT_EQ(served("GasouL.dat"), layers);

    // Bytes that are not Shift_JIS text: the same.
    write_file(served_ / "PlenkL.dat", wall);
    write_file(served_ / "GasouL.dat", "1\n7 1 0.5 D-STR\x80\n");
    folder = load();
    EXPECT_TRUE(folder["version"].is_null());
    EXPECT_EQ(folder["wall"], wall);
    EXPECT_EQ(folder["files"][1]["problem"], "GasouL.dat の 2行目に Shift_JIS の文字でないバイトがあります");
    expect_refusal(save(wall_body(wall, &layers, version)), 409);
    EXPECT_EQ(served("GasouL.dat"), "1\n7 1 0.5 D-STR\x80\n");
}

// What the page saves unedited comes back byte for byte: line ends of each file as they were,
// blank lines, trailing blanks, notes after the last line in Japanese whose second bytes are 0x5C
// (表, ソ), and characters the code page holds twice in their second codes.
TEST_F(EditorServerTest, UneditedFilesSaveByteForByte) {
    const std::string wall = test::example_file("sloped", "PlenkL.dat");
    std::string crlf;
    for (char ch : wall) crlf += ch == '\n' ? std::string("\r\n") : std::string(1, ch);
    std::string loose = "\n" + wall;
    loose.insert(loose.find('\n', 5), "  \t");
    loose += "\n\n" + *utf8_to_sjis("表ソ 能\\ メモ ") + "\x87\x90\xFA\x4A" + "\r\n";  // ≒ and Ⅰ in their second codes
    const std::string layers_crlf = *utf8_to_sjis("2\r\n7 1 0.50 D-STR\r\n3 1 0.25 表示\r\n");
    const std::string layers_dual = "1\n7 1 0.5 D-STR\xED\x40\n";  // 纊, NEC's copy of an IBM extension
    struct Case {
        std::string wall, layers;
    };
    for (const Case& c : {Case{crlf, layers_crlf}, Case{wall, test::example_file("level", "GasouL.dat")},
                          Case{loose, layers_dual}}) {
        write_file(served_ / "PlenkL.dat", c.wall);
        write_file(served_ / "GasouL.dat", c.layers);
        const auto r = save_as_loaded();
        ASSERT_EQ(r->status, 200) << r->body;
        EXPECT_EQ(served("PlenkL.dat"), c.wall);
        EXPECT_EQ(served("GasouL.dat"), c.layers);
    }
    // An edited value keeps the codes of every line it did not touch.
    json folder = load();
    std::string edited = folder["wall"];
    edited.insert(edited.find(','), "0");
    ASSERT_EQ(save(json{{"wall", edited}, {"version", folder["version"]}}.dump())->status, 200);
    std::string expected = loose;
    expected.insert(expected.find(','), "0");
    EXPECT_EQ(served("PlenkL.dat"), expected);
}

// HyodaiL.dat is one of the set: loaded, saved only when sent (a folder without one keeps none),
// byte for byte when unedited, refused beside its field, and drawn into the files as the command
// line draws it.
TEST_F(EditorServerTest, TheTitleFileIsOneOfTheSet) {
    const std::string wall = test::example_file("level", "PlenkL.dat");
    const std::string layers = test::example_file("level", "GasouL.dat");
    write_file(served_ / "PlenkL.dat", wall);
    write_file(served_ / "GasouL.dat", layers);
    ASSERT_EQ(save_as_loaded()->status, 200);
    EXPECT_FALSE(fs::exists(served_ / "HyodaiL.dat"));

    const std::string title = *utf8_to_sjis("県道改良工事\r\n\r\n擁壁配筋図\r\nS-3  \r\n");
    json body = json::parse(wall_body(wall, &layers, load()["version"]));
    body["title"] = sjis_to_utf8(title);
    const auto saved = save(body.dump());
    ASSERT_EQ(saved->status, 200) << saved->body;
    EXPECT_EQ(json::parse(saved->body)["saved"], (json{"PlenkL.dat", "GasouL.dat", "HyodaiL.dat"}));
    EXPECT_EQ(served("HyodaiL.dat"), title);
    EXPECT_EQ(load()["title"], sjis_to_utf8(title));
    ASSERT_EQ(save_as_loaded()->status, 200);
    EXPECT_EQ(served("HyodaiL.dat"), title);

    body = json::parse(wall_body(wall, &layers, load()["version"]));
    body["title"] = "県道\r\n\r\n\r\n" + std::string(23, 'X') + "\r\n";  // a box of 22 bytes
    const auto refused = save(body.dump());
    expect_refusal(refused, 422);
    const json why = json::parse(refused->body);
    EXPECT_EQ(why["file"], "HyodaiL.dat");
    EXPECT_EQ(why["field"], "drawing_number");
    EXPECT_EQ(why["line"], 4);
    EXPECT_EQ(served("HyodaiL.dat"), title);
    // A character Shift_JIS lacks: the refusal of its title value, with its file, line and field.
    body["title"] = "県道\r\n\r\n\r\n\r\n\r\n\xF0\x9F\x98\x80\r\n";
    const auto emoji = client().Post("/api/preview", body.dump(), "application/json");
    ASSERT_EQ(emoji->status, 200);
    EXPECT_EQ(json::parse(emoji->body)["status"], 6);
    EXPECT_EQ(json::parse(emoji->body)["file"], "HyodaiL.dat");
    EXPECT_EQ(json::parse(emoji->body)["line"], 6);
    EXPECT_EQ(json::parse(emoji->body)["field"], "company");
    expect_refusal(save(body.dump()), 422);
    EXPECT_EQ(served("HyodaiL.dat"), title);

    // The drawing file with the title's values, as the command line draws it from the folder.
    command_line(wall, &layers, "");
    write_file(cli_ / "HyodaiL.dat", title);
    ASSERT_EQ(test::run_program(cli_.string(), "").status, 0);
    body = json::parse(wall_body(wall, &layers));
    body["title"] = sjis_to_utf8(title);
    const auto dxf = client().Post("/api/file/Lwall.dxf", body.dump(), "application/json");
    ASSERT_EQ(dxf->status, 200);
    EXPECT_TRUE(dxf->body == cli_file("Lwall.dxf"));
    EXPECT_NE(dxf->body.find(*utf8_to_sjis("県道改良工事")), std::string::npos);
}

// A preview of a form with several refused values lists each once, the stop first: a value the page
// held back because it would split into several (drawn nothing, saved and handed out nowhere), then
// the wall's and the title's in file order. Only a drawn sheet offers its files.
TEST_F(EditorServerTest, APreviewListsEveryRefusedValueOnce) {
    const std::string layers = test::example_file("level", "GasouL.dat");
    std::string wall = test::example_file("level", "PlenkL.dat");
    wall.replace(0, 3, "5x0");
    wall.replace(wall.find("2000,400,"), 9, "2000,,");
    json body = json::parse(wall_body(wall, &layers));
    body["title"] = "県道\r\n\r\n\r\n" + std::string(23, 'X') + "\r\n";
    body["lang"] = "en";
    const auto fields_of = [](const json& answer) {
        std::vector<std::string> names;
        for (const json& r : answer["refusals"]) names.push_back(r["field"]);
        return names;
    };
    const json read = json::parse(client().Post("/api/preview", body.dump(), "application/json")->body);
    EXPECT_EQ(read["status"], 6);
    EXPECT_EQ(read["field"], "footing_left_width");
    EXPECT_EQ(fields_of(read), (std::vector<std::string>{"footing_left_width", "footing_thickness", "drawing_number"}));
    EXPECT_EQ(read["refusals"][1]["text"], "no value (the field is empty)");
    EXPECT_EQ(read["refusals"][1]["message"], "PlenkL.dat line 2, footing_thickness: no value (the field is empty)");
    EXPECT_EQ(read["downloads"], json::array());

    body["held"] = {{"wall_height", "2,45"}, {"no_such_field", "1,2"}};
    const json held = json::parse(client().Post("/api/preview", body.dump(), "application/json")->body);
    EXPECT_EQ(held["status"], 6);
    EXPECT_EQ(held["field"], "wall_height");
    EXPECT_EQ(held["message"], "PlenkL.dat line 2, wall_height: more than one value, \"2,45\": a comma or a line break "
                               "separates values, and a field holds one");
    EXPECT_EQ(fields_of(held),
              (std::vector<std::string>{"wall_height", "footing_left_width", "footing_thickness", "drawing_number"}));
    EXPECT_EQ(held["display"]["counts"], (json{0, 0, 0}));
    body["version"] = load()["version"];
    const auto refused = save(body.dump());
    expect_refusal(refused, 422);
    EXPECT_EQ(json::parse(refused->body)["field"], "wall_height");
    EXPECT_TRUE(json::parse(refused->body)["error_ja"].get<std::string>().starts_with("たて壁高 (wall_height, "));
    EXPECT_FALSE(fs::exists(served_ / "PlenkL.dat"));
    expect_refusal(client().Post("/api/file/PlenkL.dat", body.dump(), "application/json"), 422);

    // A character Shift_JIS lacks is its value's one refusal, not also the reader's of what is left.
    std::string euro = sjis_to_utf8(test::example_file("level", "PlenkL.dat"));
    euro.replace(euro.find("1000"), 4, "10\xE2\x82\xAC" "0");
    const json one = json::parse(
        client().Post("/api/preview", json{{"wall", euro}, {"layers", sjis_to_utf8(layers)}}.dump(), "application/json")->body);
    EXPECT_EQ(fields_of(one), (std::vector<std::string>{"footing_right_width"}));

    // Drawn: every file offered, the input files taken back as the page holds them.
    body = json::parse(wall_body(test::example_file("level", "PlenkL.dat"), &layers));
    body["title"] = "県道\r\n";
    const json drawn = json::parse(client().Post("/api/preview", body.dump(), "application/json")->body);
    EXPECT_EQ(drawn["status"], 0);
    EXPECT_EQ(drawn["refusals"], json::array());
    EXPECT_EQ(drawn["downloads"][0], "Lwall.dxf");
    // This program has no PDF writer beside it (the tests' own): the answer says why, in Japanese.
    EXPECT_EQ(std::count(drawn["downloads"].begin(), drawn["downloads"].end(), "Lwall.pdf"), 0);
    EXPECT_NE(drawn.value("pdf_missing", "").find("PDF"), std::string::npos) << drawn.value("pdf_missing", "");
    EXPECT_NE(drawn.value("pdf_missing", "").find("\xE3"), std::string::npos) << drawn.value("pdf_missing", "");
    for (const auto& [name, text] : {std::pair<const char*, std::string>{"GasouL.dat", layers},
                                     {"HyodaiL.dat", *utf8_to_sjis("県道\r\n")}}) {
        const auto file = client().Post(std::string("/api/file/") + name, body.dump(), "application/json");
        ASSERT_EQ(file->status, 200) << name;
        EXPECT_TRUE(file->body == text) << name;
    }
}

// The catalogue's meanings in the language asked for (Japanese without one), and in both for a page
// that switches: for every field of both files.
TEST_F(EditorServerTest, TheCatalogueSpeaksTheLanguageAskedFor) {
    for (const char* lang : {"", "ja", "en"}) {
        const json c = json::parse(client().Get(std::string("/api/fields") + (*lang ? "?lang=" : "") + lang)->body);
        json fields = c["fields"];
        for (const json& f : c["title_file"]["fields"]) fields.push_back(f);
        ASSERT_EQ(fields.size(), 165u + kTitleValueCount);
        for (const json& f : fields) {
            EXPECT_EQ(f["meaning"], std::string(lang) == "en" ? f["meaning_en"] : f["meaning_ja"]) << f["name"] << lang;
            EXPECT_NE(f["meaning_ja"], f["meaning_en"]) << f["name"];
        }
    }
}

// A save goes only over the files the page loaded: not over a change made elsewhere since, nor over
// another page's save that came first.
TEST_F(EditorServerTest, StaleSavesAreRefused) {
    const std::string wall = test::example_file("level", "PlenkL.dat");
    const std::string layers = test::example_file("level", "GasouL.dat");
    write_file(served_ / "PlenkL.dat", wall);
    write_file(served_ / "GasouL.dat", layers);
    const json first = load();
    const json second = load();
    ASSERT_EQ(save(json{{"wall", first["wall"]}, {"version", first["version"]}}.dump())->status, 200);
    write_file(served_ / "GasouL.dat", layers + "\n");  // an edit made elsewhere
    const auto stale = save(json{{"wall", second["wall"]}, {"layers", second["layers"]}, {"version", second["version"]},
                                 {"lang", "en"}}
                                .dump());
    expect_refusal(stale, 409);
    EXPECT_EQ(json::parse(stale->body)["error"],
              "the folder's files changed after the page loaded them; nothing was overwritten, load them again");
    EXPECT_EQ(served("GasouL.dat"), layers + "\n");
    EXPECT_EQ(save(json{{"wall", wall}, {"version", load()["version"]}}.dump())->status, 200);
}

// Two pages saving at once over the same loaded files: one save wins whole, the other is turned
// away, and the folder never holds one page's wall beside the other's layers.
TEST_F(EditorServerTest, TwoSavesAtOnceOneWinsWholeTheOtherIsTurnedAway) {
    write_file(served_ / "PlenkL.dat", test::example_file("level", "PlenkL.dat"));
    for (int round = 0; round < 8; ++round) {
        const json version = load()["version"];
        std::string walls[2], layers[2];
        int status[2] = {0, 0};
        for (int k = 0; k < 2; ++k) {
            const std::string blank(static_cast<std::size_t>(2 * round + k + 1), '\n');  // a file of this save's own
            walls[k] = test::example_file(k == 0 ? "level" : "sloped", "PlenkL.dat") + blank;
            layers[k] = test::example_file("level", "GasouL.dat") + blank;
        }
        std::thread pages[2];
        for (int k = 0; k < 2; ++k) {
            pages[k] = std::thread([&, k] {
                const auto r = save(wall_body(walls[k], &layers[k], version));
                status[k] = r ? r->status : -1;
            });
        }
        for (std::thread& t : pages) t.join();
        ASSERT_EQ(std::min(status[0], status[1]), 200) << status[0] << " " << status[1];
        ASSERT_EQ(std::max(status[0], status[1]), 409) << status[0] << " " << status[1];
        const int won = status[0] == 200 ? 0 : 1;
        EXPECT_EQ(served("PlenkL.dat"), walls[won]);
        EXPECT_EQ(served("GasouL.dat"), layers[won]);
    }
}

// What a fabricator could not build as drawn stands beside its field, in the page's language: a
// maximum member length beyond stock bars, a cap bar that laps the vertical bars too little, wall
// ends without bars.
TEST_F(EditorServerTest, AFabricatorsFindingsStandBesideTheirFields) {
    const std::string layers = test::example_file("level", "GasouL.dat");
    const std::tuple<const char*, std::map<int, std::string>, std::vector<std::string>> walls[] = {
        {"level", {{6, "100,100,100000"}}, {"max_bar_length"}},
        {"sloped", {{42, "0,0,11,12,0"}}, {"W5.dia", "W5.count[1]"}},
        {"level", {{3, "7500,7500"}}, {"W1.count[1]", "W1.count[4]", "W2.count[1]", "W2.count[4]", "W5.count[1]", "W5.count[4]"}},
    };
    for (const auto& [example, lines, fields] : walls) {
        const std::string wall = test::example_wall_with(example, lines);
        const json preview = json::parse(client().Post("/api/preview", wall_body(wall, &layers), "application/json")->body);
        EXPECT_EQ(preview["status"], 0);
        std::vector<std::string> named;
        for (const json& f : preview["findings"]) {
            named.push_back(f["field"]);
            // Japanese unless asked otherwise, with the field's label and line.
            EXPECT_NE(f["message"].get<std::string>().find(std::to_string(f["line"].get<int>()) + "行目"), std::string::npos);
        }
        EXPECT_EQ(named, fields);
    }
}

// A folder without GasouL.dat previews as the command line runs there (status 4), and a save
// without layers writes none.
TEST_F(EditorServerTest, AFolderWithoutLayersEndsAsTheCommandLineDoes) {
    const std::string wall = test::example_file("level", "PlenkL.dat");
    write_file(served_ / "PlenkL.dat", wall);
    const json folder = load();
    EXPECT_EQ(folder["files"][1]["exists"], false);
    EXPECT_FALSE(folder.contains("layers"));
    const auto cli = command_line(wall, nullptr, "");
    const json preview = json::parse(client().Post("/api/preview", wall_body(wall, nullptr), "application/json")->body);
    EXPECT_EQ(preview["status"], cli.status);
    EXPECT_EQ(preview["status"], 4);
    EXPECT_EQ(preview["message"].get<std::string>() + "\n", cli.console);
    EXPECT_EQ(preview["file"], "GasouL.dat");
    // What the command line's line means, for the page to say.
    EXPECT_EQ(preview["detail"], "フォルダに GasouL.dat (画層ファイル) がないため作図できない");
    EXPECT_EQ(preview["downloads"], json::array());
    ASSERT_EQ(save(wall_body(wall, nullptr, folder["version"]))->status, 200);
    EXPECT_FALSE(fs::exists(served_ / "GasouL.dat"));
}

// Both files are replaced or neither: when the second cannot be, the first gets its old bytes back.
// When the first cannot be put back either, the answer says it was saved, as it now stands.
TEST_F(EditorServerTest, ASaveThatStopsHalfWayPutsTheFirstFileBack) {
    const std::string wall = test::example_file("level", "PlenkL.dat");
    const std::string layers = test::example_file("level", "GasouL.dat");
    for (const bool first_blocked : {false, true}) {
        SCOPED_TRACE(first_blocked ? "the first cannot be put back" : "the first is put back");
        fs::remove_all(served_ / "PlenkL.dat");
        fs::remove_all(served_ / "GasouL.dat");
        write_file(served_ / "PlenkL.dat", wall);
        write_file(served_ / "GasouL.dat", layers);
        const json folder = load();
        std::string edited = wall;
        edited.replace(0, 3, "600");
        WallTexts texts;
        texts.wall = edited;
        texts.layers = layers + "\n";
        texts.version = folder["version"];
        const EditorReply r = save_reply(served_, texts, [&](const std::string& name) {
            if (name != "GasouL.dat") return;
            EXPECT_EQ(served("PlenkL.dat"), edited);  // the first is in place
            fs::remove(served_ / "GasouL.dat");
            fs::create_directories(served_ / "GasouL.dat" / "in the way");  // the second rename fails
            if (!first_blocked) return;
            fs::remove(served_ / "PlenkL.dat");
            fs::create_directories(served_ / "PlenkL.dat" / "in the way");  // and so does putting it back
        });
        EXPECT_EQ(r.http_status, 500) << r.body;
        const json answer = json::parse(r.body);
        const json saved = first_blocked ? json::array({"PlenkL.dat"}) : json::array();
        const json unchanged = first_blocked ? json::array({"GasouL.dat"}) : json::array({"PlenkL.dat", "GasouL.dat"});
        EXPECT_EQ(answer["saved"], saved);
        EXPECT_EQ(answer["unchanged"], unchanged);
        EXPECT_TRUE(answer["error"].get<std::string>().starts_with("GasouL.dat を置き換えられません")) << answer["error"];
        if (!first_blocked) {
            EXPECT_EQ(served("PlenkL.dat"), wall);
        }
        for (const auto& e : fs::directory_iterator(served_)) {
            EXPECT_FALSE(e.path().filename().string().ends_with(".tmp")) << e.path();
        }
    }
}

// Every file the editor hands out is the command line's byte for byte; a run that ends otherwise is
// refused with the command line's status and message.
TEST_F(EditorServerTest, FilesAreTheCommandLinesOnTheExamplesAndOnRandomWalls) {
    httplib::Client c = client();
    const std::string layers = test::example_file("level", "GasouL.dat");
    std::vector<std::string> walls = {test::example_file("level", "PlenkL.dat"),
                                      test::example_file("sloped", "PlenkL.dat")};
    test::WallMaker maker(7501);
    for (int n = 0; n < 40; ++n) walls.push_back(maker.next());
    walls.push_back(test::example_file("level", "PlenkL.dat").replace(0, 3, "2500"));  // too wide: status 1
    int refused = 0;
    int unlaid = 0;
    for (std::size_t n = 0; n < walls.size(); ++n) {
        SCOPED_TRACE("wall " + std::to_string(n) + ":\n" + walls[n]);
        const auto cli = command_line(walls[n], &layers, "--svg --csv --sfc");
        const std::string body = wall_body(walls[n], &layers);
        const json preview = json::parse(c.Post("/api/preview", body, "application/json")->body);
        EXPECT_EQ(preview["status"], cli.status);
        EXPECT_EQ(preview["message"], cli.status == 0 ? "" : sjis_to_utf8(cli.console.substr(0, cli.console.size() - 1)));
        // The sheet, where one was laid out (a wall stopped at the member length has its first frames).
        EXPECT_EQ(preview["sheet"].is_null(), preview["frames"].empty()) << preview["sheet"];
        EXPECT_TRUE(preview["sheet"].is_null() || preview["sheet"].value("scale", 0) > 0) << preview["sheet"];
        unlaid += preview["sheet"].is_null();
        if (cli.status == 0) {
            // The sheet on the page holds every line, circle and text of the command line's picture.
            const std::string svg = cli_file("Lwall.svg");
            const auto count = [&](std::string_view tag) {
                std::size_t n = 0;
                for (std::size_t at = svg.find(tag); at != std::string::npos; at = svg.find(tag, at + 1)) ++n;
                return n;
            };
            EXPECT_EQ(preview["display"]["counts"], json({count("<line "), count("<circle "), count("<text ")}));
        }
        for (const char* name : {"Lwall.dxf", "plenk.scr", "Lwall.csv", "Lwall.svg", "Lwall-2.sfc", "PlenkL.dat"}) {
            const auto r = c.Post(std::string("/api/file/") + name, body, "application/json");
            ASSERT_TRUE(r);
            if (cli.status != 0 && std::string(name) != "PlenkL.dat") {
                ASSERT_EQ(r->status, 422) << name;
                EXPECT_EQ(json::parse(r->body)["status"], cli.status) << name;
                continue;
            }
            ASSERT_EQ(r->status, 200) << name << ": " << r->body;
            EXPECT_EQ(r->get_header_value("Content-Disposition"), std::string("attachment; filename=\"") + name + "\"");
            EXPECT_TRUE(r->body == (std::string(name) == "PlenkL.dat" ? walls[n] : cli_file(name))) << name;
        }
        refused += cli.status != 0;
    }
    EXPECT_GT(refused, 0);  // the refusals were met too
    EXPECT_GT(unlaid, 0);   // one of them before the sheet was laid out
    // and many walls were drawn: the random walls stop at the member length about one time in three.
    EXPECT_GT(static_cast<int>(walls.size()) - refused, static_cast<int>(walls.size()) / 3);
}

TEST_F(EditorServerTest, ManyClientsAtOnceEachGetTheirOwnSheet) {
    const std::string layers = test::example_file("level", "GasouL.dat");
    const std::string walls[] = {test::example_file("level", "PlenkL.dat"), test::example_file("sloped", "PlenkL.dat")};
    std::string dxf[2];
    for (int k = 0; k < 2; ++k) {
        ASSERT_EQ(command_line(walls[k], &layers, "").status, 0);
        dxf[k] = cli_file("Lwall.dxf");
    }
    constexpr int kClients = 8;
    constexpr int kRequests = 50;
    std::atomic<int> wrong{0};
    std::vector<std::thread> clients;
    for (int t = 0; t < kClients; ++t) {
        clients.emplace_back([&, t] {
            httplib::Client c = client();
            for (int i = 0; i < kRequests; ++i) {
                const int k = (t + i) % 2;
                const auto r = c.Post(i % 5 == 0 ? "/api/preview" : "/api/file/Lwall.dxf", wall_body(walls[k], &layers),
                                      "application/json");
                const bool right = r && r->status == 200 &&
                                   (i % 5 == 0 ? json::parse(r->body)["status"] == 0 : r->body == dxf[k]);
                if (!right) ++wrong;
            }
        });
    }
    for (std::thread& t : clients) t.join();
    EXPECT_EQ(wrong.load(), 0);
}

// Each method an address takes, the last of its list as well as the first, is answered.
TEST_F(EditorServerTest, EveryMethodAnAddressTakesIsAnswered) {
    write_file(served_ / "PlenkL.dat", test::example_file("level", "PlenkL.dat"));
    for (const char* path : {"/", "/api/wall", "/api/fields", "/api/example", "/editor.js"}) {
        const auto head = client().Head(path);
        ASSERT_TRUE(head) << path;
        EXPECT_EQ(head->status, 200) << path;
    }
}

// Requests refused by their head alone, each answered at once and the connection closed, with a
// preview answering meanwhile.
TEST_F(EditorServerTest, RequestsRefusedByTheirHead) {
    const std::string h = "Host: " + host() + "\r\n";
    const std::string json_body = "Content-Type: application/json\r\nContent-Length: 2\r\n\r\n{}";
    struct Case {
        const char* what;
        std::string request;
        int status;
    };
    const Case cases[] = {
        {"a form", "POST /api/preview HTTP/1.1\r\n" + h + "Content-Type: text/plain\r\nContent-Length: 2\r\n\r\n{}", 415},
        {"no type", "POST /api/file/Lwall.dxf HTTP/1.1\r\n" + h + "Content-Length: 2\r\n\r\n{}", 415},
        {"an unknown method", "PATCH /api/wall HTTP/1.1\r\n" + h + "\r\n", 405},
        {"a method of no one", "BREW /api/preview HTTP/1.1\r\n" + h + "\r\n", 405},
        {"a method the address does not take", "DELETE /api/wall HTTP/1.1\r\n" + h + "\r\n", 405},
        {"a read of a writing address", "GET /api/preview HTTP/1.1\r\n" + h + "\r\n", 405},
        {"a body without a length", "POST /api/preview HTTP/1.1\r\n" + h + "Content-Type: application/json\r\n\r\n{}", 411},
        {"101 headers", "GET /api/fields HTTP/1.1\r\n" + h + [] {
             std::string s;
             for (int i = 0; i < 100; ++i) s += "X-" + std::to_string(i) + ": 1\r\n";
             return s;
         }() + "\r\n", 431},
        {"17 KiB of headers", "GET /api/fields HTTP/1.1\r\n" + h + "X-Long: " + std::string(17 * 1024, 'a') + "\r\n\r\n", 431},
        {"an address of 8 KiB", "GET /" + std::string(8 * 1024, 'a') + " HTTP/1.1\r\n" + h + "\r\n", 414},
    };
    // The limits a refusal states, as the server keeps them.
    const std::map<int, std::string> limits = {{431, "100 行か 16 KiB の上限"}, {414, "8 KiB の上限"}};
    for (const Case& c : cases) {
        RawClient raw(server_->port());
        ASSERT_TRUE(raw.connected());
        raw.send(c.request);
        const std::string a = raw.answer();  // ends with the close
        EXPECT_TRUE(a.starts_with(RawClient::status_line(c.status))) << c.what << ":\n" << a;
        EXPECT_NE(a.find("Connection: close\r\n"), std::string::npos) << c.what;
        if (limits.contains(c.status)) {
            EXPECT_NE(a.find(limits.at(c.status)), std::string::npos) << a;
        }
        EXPECT_LT(preview_seconds(), 3) << c.what;
    }
    // 100 header lines, and 16 KiB of them, are still a request.
    std::string hundred;
    for (int i = 0; i < 98; ++i) hundred += "X-" + std::to_string(i) + ": 1\r\n";
    RawClient lines(server_->port());
    lines.send("GET /api/fields HTTP/1.1\r\n" + h + hundred + "Connection: close\r\n\r\n");
    EXPECT_EQ(lines.status(), 200);
    const std::string close = "Connection: close\r\n";
    const std::string quarter = "X-Long: " + std::string(4 * 1024 - 10, 'a') + "\r\n";  // 4 KiB a line
    const std::size_t room = 16 * 1024 - h.size() - close.size() - 3 * quarter.size() - std::string("X-Long: \r\n").size();
    RawClient bytes(server_->port());
    bytes.send("GET /api/fields HTTP/1.1\r\n" + h + quarter + quarter + quarter + "X-Long: " + std::string(room, 'a') +
               "\r\n" + close + "\r\n");
    EXPECT_EQ(bytes.status(), 200);
    EXPECT_TRUE(fs::is_empty(served_));
}

// A body over the limit is refused whether its length is told or it comes in chunks, without the
// server keeping it; two million headers neither; a preview answers meanwhile.
TEST_F(EditorServerTest, OverLimitBodiesAndHeadsAreRefusedWhileAPreviewAnswers) {
    const std::string h = "Host: " + host() + "\r\n";
    const long before = resident_kib();
    std::atomic<int> chunked{0};
    std::atomic<int> told{0};
    std::atomic<int> headers{0};
    std::thread chunks([&] {
        RawClient raw(server_->port());
        raw.send("POST /api/preview HTTP/1.1\r\n" + h + "Content-Type: application/json\r\nTransfer-Encoding: chunked\r\n\r\n");
        const std::string chunk = "10000\r\n" + std::string(0x10000, ' ') + "\r\n";
        for (int i = 0; i < 512 && raw.send(chunk); ++i) {  // 32 MiB
        }
        chunked = raw.status();
    });
    std::thread length([&] {
        RawClient raw(server_->port());
        raw.send("POST /api/preview HTTP/1.1\r\n" + h + "Content-Type: application/json\r\nContent-Length: 33554432\r\n\r\n");
        told = raw.status();
    });
    std::thread many([&] {
        RawClient raw(server_->port());
        raw.send("GET /api/fields HTTP/1.1\r\n" + h);
        const std::string lines = [] {
            std::string s;
            for (int i = 0; i < 10000; ++i) s += "X-A: b\r\n";
            return s;
        }();
        for (int i = 0; i < 200 && raw.send(lines); ++i) {  // two million headers
        }
        headers = raw.status();
    });
    for (int i = 0; i < 5; ++i) EXPECT_LT(preview_seconds(), 3);
    chunks.join();
    length.join();
    many.join();
    EXPECT_EQ(chunked.load(), 413);
    EXPECT_EQ(told.load(), 413);
    EXPECT_EQ(headers.load(), 431);
    // Kept, the two million headers would take over 200 MB (the sanitizers' quarantine of freed
    // memory alone adds some 50 MB here).
    EXPECT_LT(resident_kib() - before, 128 * 1024) << "kept what it refused";
}

// Idle connections and a client that sends a byte at a time hold up no preview; the slow client is
// cut off when its head has taken 10 s.
// A browser's connection left idle for a while, with no one else waiting, is still there for its
// next request.
TEST_F(EditorServerTest, AnIdleConnectionServesItsNextRequest) {
    RawClient raw(server_->port());
    const std::string request = "GET /api/wall HTTP/1.1\r\nHost: " + host() + "\r\n\r\n";
    ASSERT_TRUE(raw.send(request));
    EXPECT_TRUE(raw.one_answer().starts_with("HTTP/1.1 200 OK\r\n"));
    std::this_thread::sleep_for(std::chrono::milliseconds(900));
    ASSERT_TRUE(raw.send(request));
    EXPECT_TRUE(raw.one_answer().starts_with("HTTP/1.1 200 OK\r\n"));
}

// With every thread held by an idle browser connection, a further client is answered at once: the
// idle connections make way rather than sit out their keep-alive time.
TEST_F(EditorServerTest, IdleConnectionsMakeWayWhenEveryThreadIsTaken) {
    const std::string request = "GET /api/example HTTP/1.1\r\nHost: " + host() + "\r\n\r\n";
    std::vector<std::unique_ptr<RawClient>> idle;
    for (std::size_t i = 0; i < kMaxConnectionThreads; ++i) {
        idle.push_back(std::make_unique<RawClient>(server_->port()));
        ASSERT_TRUE(idle.back()->send(request));
        ASSERT_TRUE(idle.back()->one_answer().starts_with("HTTP/1.1 200 OK\r\n")) << i;
    }
    const auto began = Clock::now();
    RawClient late(server_->port());
    ASSERT_TRUE(late.send(request));
    EXPECT_TRUE(late.one_answer().starts_with("HTTP/1.1 200 OK\r\n"));
    EXPECT_LT(std::chrono::duration<double>(Clock::now() - began).count(), 0.5 * kKeepAlive.count());
}

// The server closes its side as soon as a connection's last request is answered: one that asked to
// close, one whose body came in chunks, and the last of the requests a connection may carry.
TEST_F(EditorServerTest, AConnectionEndsWithItsLastRequest) {
    const std::string get = "GET /api/example HTTP/1.1\r\nHost: " + host() + "\r\n";
    const std::string layers = test::example_file("level", "GasouL.dat");
    const std::string body = wall_body(test::example_file("level", "PlenkL.dat"), &layers);
    char size[16];
    std::snprintf(size, sizeof size, "%zx", body.size());
    std::string many;
    for (std::size_t i = 0; i < kKeepAliveRequests; ++i) many += get + "\r\n";
    const std::pair<std::string, std::size_t> cases[] = {
        {get + "Connection: close\r\n\r\n", 1},
        {"POST /api/preview HTTP/1.1\r\nHost: " + host() +
             "\r\nContent-Type: application/json\r\nTransfer-Encoding: chunked\r\n\r\n" + size + "\r\n" + body +
             "\r\n0\r\n\r\n",
         1},
        {many, kKeepAliveRequests},
    };
    for (const auto& [requests, answers] : cases) {
        RawClient raw(server_->port());
        ASSERT_TRUE(raw.send(requests));
        for (std::size_t i = 0; i < answers; ++i) ASSERT_TRUE(raw.one_answer().starts_with("HTTP/1.1 200 OK\r\n")) << i;
        const auto answered = Clock::now();
        EXPECT_EQ(raw.answer(), "") << requests.substr(0, 80);  // the server's close, and nothing more
        EXPECT_LT(std::chrono::duration<double>(Clock::now() - answered).count(), 0.5 * kKeepAlive.count())
            << requests.substr(0, 80);
    }
}

TEST_F(EditorServerTest, IdleAndSlowClientsHoldUpNoPreview) {
    std::vector<std::unique_ptr<RawClient>> idle;
    for (int i = 0; i < 64; ++i) idle.push_back(std::make_unique<RawClient>(server_->port()));
    std::atomic<int> slow_status{0};
    std::atomic<bool> slow_done{false};
    const auto slow_began = Clock::now();
    std::thread slow([&] {
        RawClient raw(server_->port());
        const std::string head = "POST /api/preview HTTP/1.1\r\nHost: " + host() + "\r\nX-Padding: " + std::string(200, 'a');
        for (const char c : head) {
            if (raw.answered() || !raw.send(std::string(1, c))) break;
            std::this_thread::sleep_for(std::chrono::milliseconds(500));
            if (Clock::now() - slow_began > std::chrono::seconds(15)) break;
        }
        slow_status = raw.status();
        slow_done = true;
    });
    for (int i = 0; i < 5; ++i) {
        EXPECT_LT(preview_seconds(), 3) << "preview " << i;
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
    }
    slow.join();
    EXPECT_EQ(slow_status.load(), 408);
    const double held = std::chrono::duration<double>(Clock::now() - slow_began).count();
    EXPECT_LT(held, 13);
}

}  // namespace
}  // namespace lwall
