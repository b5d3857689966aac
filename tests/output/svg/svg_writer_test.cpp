#include "output/svg/svg_writer.hpp"

#include <gtest/gtest.h>

#include "core/sjis.hpp"
#include "input/layer_file.hpp"

namespace lwall {
namespace {

TEST(SvgWriter, EntitiesAsTheDrawingFileHoldsThemWithYUpsideDown) {
    LayerTable layers = read_layer_table("2\n4 1 0.25 D-STR-HTXT\n2 1 0.35 D-STR-STR1\n");
    SvgWriter svg;
    svg.set_layers(layers);
    svg.set_scale(50);
    svg.line({"D-STR", 7, 0.5, 1234.5, 20, 5000, 20.4});
    svg.circle({"D-STR-STR1", 0.35, 101, 202, 0.5});
    svg.text({TextForm::aligned, "D-STR-HTXT", 0.13, 0, 400, u8"断　面"_sj, 1, 90, "KANJI", 10, 20, 30, 40});
    TextEntity simple;
    simple.layer = "D-MISSING";
    simple.height = 125;
    simple.text = "a<b&c";
    simple.x1 = -50.5;
    simple.y1 = 300;
    svg.text(simple);
    const std::string doc = svg.document(1000);
    EXPECT_NE(doc.find("<line x1=\"1235\" y1=\"-20\" x2=\"5000\" y2=\"-20\" stroke=\"#ffffff\" stroke-width=\"25\"/>"),
              std::string::npos)
        << doc;
    EXPECT_NE(doc.find("<circle cx=\"101\" cy=\"-202\" r=\"1\" stroke=\"#ffff00\" stroke-width=\"17.5\"/>"),
              std::string::npos)
        << doc;
    // Text in the layer's colour, rotated counterclockwise about its insertion point, in UTF-8.
    EXPECT_NE(doc.find("<text x=\"10\" y=\"-20\" font-size=\"400\" fill=\"#00ffff\" transform=\"rotate(-90 10 -20)\">"
                       "断　面</text>"),
              std::string::npos)
        << doc;
    // A layer the file does not define is drawn white; markup characters are escaped.
    EXPECT_NE(doc.find("fill=\"#ffffff\">a&lt;b&amp;c</text>"), std::string::npos) << doc;
}

// Picture numbers: whole ones bare, others to two places without trailing zeros.
TEST(SvgWriter, PictureNumbersTakeAtMostTwoPlaces) {
    const std::pair<double, std::string_view> cases[] = {{12, "12"},      {-7, "-7"},       {0.5, "0.5"},
                                                        {-3.25, "-3.25"}, {2.3456, "2.35"}, {17.504, "17.5"},
                                                        {1.996, "2"},     {-0.125, "-0.13"}};
    for (const auto& [v, want] : cases) {
        std::string out = "x";
        append_picture_number(out, v);
        EXPECT_EQ(out, "x" + std::string(want)) << v;
    }
}

TEST(SvgWriter, DocumentFramesEverythingDrawnWithAMargin) {
    SvgWriter svg;
    svg.line({"L", 3, 0.25, 0, 0, 10000, 5000});
    const std::string doc = svg.document(1200);
    // 12000 x 7000 with the margin of 1000: 1200 pixels wide, 700 high.
    EXPECT_NE(doc.find("width=\"1200\" height=\"700\" viewBox=\"-1000 -6000 12000 7000\""), std::string::npos) << doc;
    EXPECT_TRUE(doc.starts_with("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg "));
    EXPECT_TRUE(doc.ends_with("</svg>\n"));
}

}  // namespace
}  // namespace lwall
