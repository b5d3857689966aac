#include "checks/sheet_audit.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/sjis.hpp"
#include "sheet/run_sheet.hpp"
#include "test_support.hpp"

namespace lwall {
namespace {

// The texts of a sheet as they passed, kept, so that a fault can be planted in them.
struct KeptText {
    std::string layer, text;
    double x = 0, y = 0;
    int height = 0;
};

class Keeper final : public EntitySink {
public:
    std::vector<KeptText> texts;
    void line(const LineEntity&) override {}
    void circle(const CircleEntity&) override {}
    void text(const TextEntity& e) override {
        texts.push_back({std::string(e.layer), std::string(e.text), e.x1, e.y1, e.height});
    }
};

std::vector<std::string> read_back(const std::vector<KeptText>& texts) {
    SheetAudit audit;
    for (const KeptText& k : texts) {
        TextEntity e;
        e.layer = k.layer;
        e.text = k.text;
        e.x1 = k.x;
        e.y1 = k.y;
        e.height = k.height;
        audit.text(e);
    }
    std::vector<std::string> out;
    for (const Message& m : audit.disagreements()) out.push_back(m.en);
    return out;
}

std::vector<KeptText> sheet_of(const std::string& wall) {
    Keeper keeper;
    SheetRequest r;
    r.drawing_file = false;
    r.observer = &keeper;
    const SheetResult s = run_sheet(wall, test::example_file("level", "GasouL.dat"), {}, r);
    EXPECT_EQ(s.status, 0);
    return keeper.texts;
}

// The first text on `layer` that starts with `start`; fails the test where there is none.
KeptText& find(std::vector<KeptText>& texts, std::string_view layer, std::string_view start) {
    for (KeptText& k : texts) {
        if (k.layer == layer && k.text.starts_with(start)) return k;
    }
    ADD_FAILURE() << "no text " << start << " on " << layer;
    return texts.front();
}

// A fault a drawing could make, planted in the sloped example's sheet (two length classes, bars in
// two pieces), and the disagreement the checker must then report.
TEST(SheetAudit, EachFaultPlantedInTheSheetIsFoundWithItsMarkAndBothValues) {
    const std::string dim = "D-STR-DIM", call = "D-STR-HTXT", cell = "D-MTR-MTXT";
    struct Case {
        const char* what;
        std::function<void(std::vector<KeptText>&)> plant;
        std::vector<std::string> found;
    };
    const Case cases[] = {
        {"a second piece labelled with the first piece's mark",
         [&](auto& t) { find(t, dim, "W3-2 9-D13").text.replace(0, 4, "W3-1"); },
         {"the bending drawing of W3-1 gives its length as \"3500\", the bending schedule as \"9000\"",
          "the bending schedule lists W3-2, which no bending drawing shows"}},
        {"a leg of a bending drawing a millimetre off",
         [&](auto& t) { find(t, dim, "  528").text = "  529"; },
         {"the legs of S2 in the bending drawing add up to 1291 mm, its cut length is 1290 mm"}},
        {"a leg of the schedule a millimetre off",
         [&](auto& t) { find(t, cell, "  202").text = "  203"; },
         {"the legs of S1 in the bending schedule add up to 411 mm, its cut length is 410 mm"}},
        {"a label's count",
         [&](auto& t) { find(t, dim, "W5   47-").text.replace(5, 2, "46"); },
         {"the bending drawing of W5 gives its count as \"46\", the bending schedule as \"47\""}},
        {"a label's size",
         [&](auto& t) { find(t, dim, "F1   44-D16").text.replace(8, 3, "D19"); },
         {"the bending drawing of F1 gives its size as \"D19\", the bending schedule as \"D16\""}},
        {"a label that names no row",
         [&](auto& t) { find(t, dim, "S2   32-").text.replace(0, 2, "S3"); },
         {"the bending-drawing label \"S3   32-D13 × 1290\" names a mark the bending schedule does not list",
          "the bending schedule lists S2, which no bending drawing shows"}},
        {"two pieces that no longer lap as the drawing states",
         [&](auto& t) { find(t, dim, "11800").text = "12200"; },
         {"the bending drawing of W3-2 and W3-1 overlaps them by 300 mm and states a lap of 400 or more"}},
        {"a call-out's size",
         [&](auto& t) {
             for (std::size_t i = 0; i + 1 < t.size(); ++i) {
                 if (t[i].layer == call && t[i].text == "W1-2") {
                     t[i + 1].text = "D19";
                     return;
                 }
             }
         },
         {"the call-out W1-2 gives D19, the bending schedule D16"}},
        {"a call-out of a mark the schedule lists only by its classes",
         [&](auto& t) { find(t, call, "W2-2").text = "W2"; },
         {}},  // W2 names the rows of its classes: W2-1 and W2-2
        {"a call-out of no row", [&](auto& t) { find(t, call, "F2").text = "F5"; },
         {"the call-out F5 names no row of the bending schedule"}},
        {"the mass of one bar", [&](auto& t) { find(t, cell, "2.239").text = "2.240"; },
         {"the bar mass table gives W5 a mass of one bar of \"2.240\" where \"2.239\" is due",
          "the bar mass table gives W5 a mass of \"105.233\" where \"105.280\" is due"}},
        {"the mass of a row", [&](auto& t) { find(t, cell, "105.233").text = "105.234"; },
         {"the bar mass table gives W5 a mass of \"105.234\" where \"105.233\" is due",
          "the material table gives the whole wall's steel D13 as 551.090 kg, the bar mass table adds up to "
          "551.091 kg",
          "the material table gives the whole wall's steel 計 as 1445.438 kg, the bar mass table adds up to "
          "1445.439 kg"}},
        {"the whole wall's steel of a size",
         [&](auto& t) { find(t, cell, std::string(u8"全延長 894.348"_sj)).text = std::string(u8"全延長 894.349"_sj); },
         {"the material table gives the whole wall's steel D16 as 894.349 kg, the bar mass table adds up to "
          "894.348 kg"}},
    };
    const std::vector<KeptText> sloped = sheet_of(test::example_file("sloped", "PlenkL.dat"));
    EXPECT_EQ(read_back(sloped), std::vector<std::string>{});
    for (const Case& c : cases) {
        std::vector<KeptText> t = sloped;
        c.plant(t);
        EXPECT_EQ(read_back(t), c.found) << c.what;
    }
}

// A sheet whose tables were lost reads back as such, not as a sheet that agrees.
TEST(SheetAudit, ASheetWithoutItsTablesDisagrees) {
    std::vector<KeptText> t = sheet_of(test::example_file("level", "PlenkL.dat"));
    EXPECT_EQ(read_back(t), std::vector<std::string>{});
    std::erase_if(t, [](const KeptText& k) { return k.layer == "D-MTR-TXT" || k.layer == "D-MTR-MTXT"; });
    EXPECT_EQ(read_back(t), std::vector<std::string>{"the sheet holds no table titled \"鉄 筋 加 工 図\""});
}

}  // namespace
}  // namespace lwall
