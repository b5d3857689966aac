// The editor's server as a client meets it, over loopback: every refusal, saving, the files it hands
// out against the command line's on the examples and on random walls, and many clients at once.

#include <gtest/gtest.h>
#include <httplib.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>
#include <thread>
#include <vector>

#include "core/sjis.hpp"
#include "server/editor_server.hpp"
#include "sheet/random_walls.hpp"
#include "test_support.hpp"

namespace lwall {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

std::string wall_body(const std::string& wall_sjis, const std::string* layers_sjis = nullptr) {
    json j = {{"wall", sjis_to_utf8(wall_sjis)}};
    if (layers_sjis != nullptr) j["layers"] = sjis_to_utf8(*layers_sjis);
    return j.dump();
}

class EditorServerTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::path(::testing::TempDir()) /
               (std::string("lwall_serve_") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_ / "served");
        EditorSettings settings;
        settings.host = "127.0.0.1";
        settings.port = 0;
        settings.dir = dir_ / "served";
        server_ = std::make_unique<EditorServer>(settings);
        ASSERT_TRUE(server_->bind());
        thread_ = std::thread([this] { server_->run(); });
        while (!server_->running()) std::this_thread::yield();
    }
    void TearDown() override {
        server_->stop();
        thread_.join();
        fs::remove_all(dir_);
    }

    httplib::Client client() const {
        httplib::Client c("127.0.0.1", server_->port());
        c.set_read_timeout(60, 0);
        return c;
    }
    std::string host() const { return "127.0.0.1:" + std::to_string(server_->port()); }

    // The command line's run on the same files, in a folder of its own.
    test::ProgramRun command_line(const std::string& wall, const std::string& layers, const std::string& args) {
        const fs::path run = dir_ / "cli";
        fs::create_directories(run);
        std::ofstream(run / "PlenkL.dat", std::ios::binary) << wall;
        std::ofstream(run / "GasouL.dat", std::ios::binary) << layers;
        return test::run_program(run.string(), args);
    }
    std::string cli_file(const char* name) const { return test::read_file((dir_ / "cli" / name).string()); }

    fs::path dir_;
    std::unique_ptr<EditorServer> server_;
    std::thread thread_;
};

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
    const std::string body = wall_body(level);

    // DNS rebinding: a name that resolves here is not the served address.
    expect_refusal(c.Get("/api/fields", {{"Host", "attacker.example:" + std::to_string(server_->port())}}), 403);
    expect_refusal(c.Post("/api/preview", {{"Host", "localhost.attacker.example"}}, body, "application/json"), 403);
    EXPECT_EQ(c.Get("/api/fields", {{"Host", "localhost:" + std::to_string(server_->port())}})->status, 200);

    // Writing needs the page's token; without it, or with another, nothing is written.
    expect_refusal(c.Put("/api/wall", body, "application/json"), 403);
    expect_refusal(c.Put("/api/wall", {{"X-Lwall-Token", std::string(32, '0')}}, body, "application/json"), 403);
    expect_refusal(c.Put("/api/wall", {{"X-Lwall-Token", server_->token() + "0"}}, body, "application/json"), 403);
    EXPECT_TRUE(fs::is_empty(dir_ / "served"));

    // 256 KiB is the most a body may hold.
    std::string limit(256 * 1024, ' ');
    expect_refusal(c.Post("/api/preview", limit, "application/json"), 400);  // read, and not JSON
    expect_refusal(c.Post("/api/preview", limit + " ", "application/json"), 413);

    expect_refusal(c.Post("/api/preview", "{\"wall\": \"1,2", "application/json"), 400);
    expect_refusal(c.Post("/api/preview", "[\"wall\"]", "application/json"), 400);
    expect_refusal(c.Post("/api/preview", "{\"walls\": \"\"}", "application/json"), 400);
    expect_refusal(c.Post("/api/preview", "{\"wall\": \"\", \"layers\": 9}", "application/json"), 400);

    // A character Shift_JIS lacks is named with its line.
    const auto euro = c.Post("/api/preview", json{{"wall", "500,300,1000\n2000,400,2000,2000 \xE2\x82\xAC\n"}}.dump(),
                             "application/json");
    expect_refusal(euro, 422);
    EXPECT_NE(euro->body.find("line 2"), std::string::npos) << euro->body;
    EXPECT_NE(euro->body.find("U+20AC"), std::string::npos) << euro->body;

    // Only the fixed names are handed out.
    expect_refusal(c.Post("/api/file/..%2FPlenkL.dat", body, "application/json"), 404);
    expect_refusal(c.Post("/api/file/GasouL.dat", body, "application/json"), 404);
    expect_refusal(c.Get("/../PlenkL.dat"), 404);
}

TEST_F(EditorServerTest, SavesWhatTheReaderTakesWholeAndRefusesTheRest) {
    httplib::Client c = client();
    const httplib::Headers token = {{"X-Lwall-Token", server_->token()}};
    expect_refusal(c.Get("/api/wall"), 404);

    // CR LF line ends stay; the text goes to the disk as Shift_JIS.
    std::string wall = test::example_file("sloped", "PlenkL.dat");
    std::string crlf;
    for (char ch : wall) crlf += ch == '\n' ? std::string("\r\n") : std::string(1, ch);
    const std::string layers = "1\r\n7 1 0.5 D-STR\r\n";
    const auto saved = c.Put("/api/wall", token, wall_body(crlf, &layers), "application/json");
    ASSERT_EQ(saved->status, 200) << saved->body;
    EXPECT_EQ(test::read_file((dir_ / "served" / "PlenkL.dat").string()), crlf);
    EXPECT_EQ(test::read_file((dir_ / "served" / "GasouL.dat").string()), layers);
    const json loaded = json::parse(c.Get("/api/wall")->body);
    EXPECT_EQ(loaded["wall"], crlf);
    EXPECT_EQ(loaded["layers"], layers);

    // A letter in a whole-number field: refused with its line and field, and the old file stays.
    std::string bad = crlf;
    bad.replace(bad.find("\r\n4\r\n"), 5, "\r\n4x\r\n");  // F1.zones
    const auto refused = c.Put("/api/wall", token, wall_body(bad), "application/json");
    expect_refusal(refused, 422);
    const json why = json::parse(refused->body);
    EXPECT_EQ(why["field"], "F1.zones");
    EXPECT_EQ(why["line"], 7);
    EXPECT_EQ(why["status"], 6);
    const std::string broken_layers = "2\n7 1 0.5 D-STR\n3 x 0.25 D-STR-DIM\n";
    expect_refusal(c.Put("/api/wall", token, wall_body(crlf, &broken_layers), "application/json"), 422);
    EXPECT_EQ(test::read_file((dir_ / "served" / "PlenkL.dat").string()), crlf);
    EXPECT_EQ(test::read_file((dir_ / "served" / "GasouL.dat").string()), layers);

    // A wall the sheet cannot hold is still a file the reader takes: saved, as work in progress.
    std::string wide = crlf;
    wide.replace(0, wide.find('\r'), "900,700,1200");
    ASSERT_EQ(c.Put("/api/wall", token, wall_body(wide), "application/json")->status, 200);
    EXPECT_EQ(test::read_file((dir_ / "served" / "PlenkL.dat").string()), wide);
    EXPECT_EQ(test::read_file((dir_ / "served" / "GasouL.dat").string()), layers);  // not sent: kept
    for (const auto& e : fs::directory_iterator(dir_ / "served")) {
        EXPECT_TRUE(e.path().filename() == "PlenkL.dat" || e.path().filename() == "GasouL.dat") << e.path();
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
    for (std::size_t n = 0; n < walls.size(); ++n) {
        SCOPED_TRACE("wall " + std::to_string(n) + ":\n" + walls[n]);
        const auto cli = command_line(walls[n], layers, "--svg --csv");
        const std::string body = wall_body(walls[n], n % 2 == 0 ? &layers : nullptr);  // the example layers stand in
        const json preview = json::parse(c.Post("/api/preview", body, "application/json")->body);
        EXPECT_EQ(preview["status"], cli.status);
        EXPECT_EQ(preview["message"], cli.status == 0 ? "" : sjis_to_utf8(cli.console.substr(0, cli.console.size() - 1)));
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
        for (const char* name : {"Lwall.dxf", "plenk.scr", "Lwall.csv", "Lwall.svg", "PlenkL.dat"}) {
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
    EXPECT_LT(refused, static_cast<int>(walls.size()) / 2);  // and most walls were drawn
}

TEST_F(EditorServerTest, ManyClientsAtOnceEachGetTheirOwnSheet) {
    const std::string layers = test::example_file("level", "GasouL.dat");
    const std::string walls[] = {test::example_file("level", "PlenkL.dat"), test::example_file("sloped", "PlenkL.dat")};
    std::string dxf[2];
    for (int k = 0; k < 2; ++k) {
        ASSERT_EQ(command_line(walls[k], layers, "").status, 0);
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
                const auto r = c.Post(i % 5 == 0 ? "/api/preview" : "/api/file/Lwall.dxf", wall_body(walls[k]),
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

}  // namespace
}  // namespace lwall
