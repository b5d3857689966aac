// The preview's display list is the picture the command line draws, entity for entity: every
// line, circle and text at the same place, in the same colour and width, and the same frame; also
// where the tables' frame has a scale of its own, and with a title block's values.

#include <gtest/gtest.h>

#include <algorithm>
#include <nlohmann/json.hpp>
#include <regex>
#include <string>
#include <vector>

#include "server/display_list.hpp"
#include "server/editor_api.hpp"
#include "sheet/run_sheet.hpp"
#include "test_support.hpp"

namespace lwall {
namespace {

using nlohmann::json;

std::string number(const json& v) {
    const double d = v.get<double>() + 0.0;  // -0 as 0
    char buf[40];
    std::snprintf(buf, sizeof buf, "%g", d);
    return buf;
}

// Every entity of the picture as one line of text, sorted: "line x1 y1 x2 y2 colour width", ...
std::vector<std::string> picture_entities(const std::string& svg, std::string& view_box) {
    std::vector<std::string> out;
    const std::regex line(R"re(<line x1="(\S+)" y1="(\S+)" x2="(\S+)" y2="(\S+)" stroke="(#\w+)" stroke-width="(\S+)"/>)re");
    const std::regex circle(R"re(<circle cx="(\S+)" cy="(\S+)" r="(\S+)" stroke="(#\w+)" stroke-width="(\S+)"/>)re");
    const std::regex text(
        R"re(<text x="(\S+)" y="(\S+)" font-size="(\S+)" fill="(#\w+)"(?: transform="rotate\((\S+) \S+ \S+\)")?>([^<]*)</text>)re");
    const auto num = [](const std::string& s) { return number(json(std::stod(s))); };
    for (std::sregex_iterator it(svg.begin(), svg.end(), line), end; it != end; ++it) {
        const std::smatch& m = *it;
        out.push_back("line " + num(m[1]) + " " + num(m[2]) + " " + num(m[3]) + " " + num(m[4]) + " " + m[5].str() + " " +
                      num(m[6]));
    }
    for (std::sregex_iterator it(svg.begin(), svg.end(), circle), end; it != end; ++it) {
        const std::smatch& m = *it;
        out.push_back("circle " + num(m[1]) + " " + num(m[2]) + " " + num(m[3]) + " " + m[4].str() + " " + num(m[5]));
    }
    for (std::sregex_iterator it(svg.begin(), svg.end(), text), end; it != end; ++it) {
        const std::smatch& m = *it;
        std::string s = m[6].str();
        for (const auto& [from, to] : {std::pair{"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&amp;", "&"}}) {
            for (std::size_t at; (at = s.find(from)) != std::string::npos;) s.replace(at, std::string(from).size(), to);
        }
        out.push_back("text " + num(m[1]) + " " + num(m[2]) + " " + num(m[3]) + " " + m[4].str() + " " +
                      (m[5].matched ? num(m[5]) : "0") + " " + s);
    }
    std::smatch box;
    if (std::regex_search(svg, box, std::regex(R"re(viewBox="([^"]+)")re"))) view_box = box[1];
    std::sort(out.begin(), out.end());
    return out;
}

std::vector<std::string> display_entities(const json& d, std::string& frame) {
    std::vector<std::string> out;
    for (const json& s : d["strokes"]) {
        const std::string pen = s["colour"].get<std::string>() + " " + number(s["width"]);
        const json& l = s["lines"];
        for (std::size_t i = 0; i + 3 < l.size(); i += 4) {
            out.push_back("line " + number(l[i]) + " " + number(l[i + 1]) + " " + number(l[i + 2]) + " " +
                          number(l[i + 3]) + " " + pen);
        }
        const json& c = s["circles"];
        for (std::size_t i = 0; i + 2 < c.size(); i += 3) {
            out.push_back("circle " + number(c[i]) + " " + number(c[i + 1]) + " " + number(c[i + 2]) + " " + pen);
        }
    }
    for (const json& t : d["texts"]) {
        const json& at = t["at"];
        for (std::size_t i = 0; i < t["strings"].size(); ++i) {
            out.push_back("text " + number(at[3 * i]) + " " + number(at[3 * i + 1]) + " " + number(t["size"]) + " " +
                          t["colour"].get<std::string>() + " " + number(at[3 * i + 2]) + " " +
                          t["strings"][i].get<std::string>());
        }
    }
    for (const json& v : d["frame"]) frame += (frame.empty() ? "" : " ") + number(v);
    std::sort(out.begin(), out.end());
    return out;
}

TEST(DisplayList, IsThePictureEntityForEntity) {
    // The sloped example, 20 m and 16 m long (1:100, the tables in a frame of their own at 1:50), on
    // layers of colours of their own, the text layer's colour not its lines'.
    const std::string wall = test::example_wall_with("sloped", {{3, "20000,16000"}, {6, "100,100,21000"}});
    const std::string title = "\x8C\xA7\x93\xB9\r\n\r\n\r\nS-3\r\n";  // 県道, S-3
    const std::string layers =
        "5\r\n1 1 0.40 D-STR\r\n2 1 0.30 D-STR-STR1\r\n6 1 0.18 D-STR-DIM\r\n4 1 0.25 D-STR-HTXT\r\n9 3 0.13 D-BMK\r\n";
    SheetRequest request;
    request.picture = true;
    const SheetResult sheet = run_sheet(wall, layers, title, request);
    ASSERT_EQ(sheet.status, 0) << sheet.message;
    ASSERT_TRUE(std::any_of(sheet.frames.begin(), sheet.frames.end(),
                            [&](const SheetFrame& f) { return f.scale != sheet.layout.scale; }));

    const json answer = json::parse(preview_reply(WallTexts{wall, layers, title, std::nullopt, Lang::ja, {}}).body);
    ASSERT_EQ(answer["status"], 0);
    const json& display = answer["display"];

    // As many of each kind as the drawing file holds.
    std::size_t lines = 0, circles = 0, texts = 0;
    for (const test::DxfEntity& e : test::file_entities(sheet.dxf)) {
        lines += e.type == "LINE";
        circles += e.type == "CIRCLE";
        texts += e.type == "TEXT";
    }
    ASSERT_GT(circles, 0u);
    EXPECT_EQ(display["counts"], json({lines, circles, texts}));

    std::string view_box, frame;
    const std::vector<std::string> picture = picture_entities(sheet.svg, view_box);
    const std::vector<std::string> listed = display_entities(display, frame);
    ASSERT_EQ(picture.size(), lines + circles + texts);
    EXPECT_EQ(frame, view_box);
    ASSERT_EQ(listed.size(), picture.size());
    const auto diff = std::mismatch(picture.begin(), picture.end(), listed.begin());
    EXPECT_TRUE(diff.first == picture.end()) << *diff.first << " against " << *diff.second;
    // Entities spelled out: the wall's title in the back elevation, in its layer's colour (4, cyan),
    // y downward.
    EXPECT_TRUE(std::binary_search(listed.begin(), listed.end(), std::string("text 37030 -51850 400 #00ffff 0 た　て　壁")));
    // The title file's first value in the title block of the tables' frame, at its 1:50.
    EXPECT_TRUE(std::binary_search(listed.begin(), listed.end(), std::string("text 115100 -3925 125 #ffffff 0 県道")));
}

// A text reaches the page as JSON whatever it holds: quotes, backslashes, line ends, tabs and the
// other control characters escaped, everything else (Japanese too) as it is.
TEST(DisplayList, TextsAreEscapedAsJsonStrings) {
    std::string out = "[";
    append_json_string(out, std::string("a\"b\\c\n\r\t\x01\x1f\x7f", 11) + std::string(1, '\0') + "擁壁");
    EXPECT_EQ(out, "[a\\\"b\\\\c\\n\\r\\t\\u0001\\u001f\x7f\\u0000擁壁");
    EXPECT_EQ(json::parse("\"" + out.substr(1) + "\"").get<std::string>(),
              std::string("a\"b\\c\n\r\t\x01\x1f\x7f", 11) + std::string(1, '\0') + "擁壁");
}

}  // namespace
}  // namespace lwall
