#include "output/pdf/pdf_pages.hpp"

#include <gtest/gtest.h>

#include <string>

#include "core/sjis.hpp"

namespace lwall {
namespace {

// The creation date is the title block's date where 年月日 gives a day of the calendar, in any way
// an engineer writes it, else one fixed date: never the clock.
TEST(PdfPages, TheCreationDateIsTheTitlesDateOrAFixedOne) {
    const std::pair<const char*, const char*> dates[] = {
        {"2026年12月7日", "2026-12-07T00:00:00"},  {"２０２６/１２/０７", "2026-12-07T00:00:00"},
        {"令和8年2月29日", "1970-01-01T00:00:00Z"}, {"R6.2.29", "2024-02-29T00:00:00"},
        {"平成元年1月8日", "1989-01-08T00:00:00"}, {"2026年12月", "1970-01-01T00:00:00Z"},
        {"2026年2月30日", "1970-01-01T00:00:00Z"}, {"0/1/1", "1970-01-01T00:00:00Z"},
        {"2026.13.1", "1970-01-01T00:00:00Z"},    {"", "1970-01-01T00:00:00Z"},
    };
    for (const auto& [written, date] : dates) {
        TitleInput title;
        title.values[kDrawingDate] = *utf8_to_sjis(written);
        EXPECT_EQ(pdf_creation_date(title), date) << written;
        EXPECT_STREQ(PdfPages().layout({}, title).view().creation_date, date) << written;
    }
}

// Three frames, the third at a scale of its own (as a frame of tables may be): each entity lands
// on the page of the frame that holds its anchor, at that frame's scale, in millimetres from the
// page's upper left corner with the frame centred; what lies between frames is on no page.
TEST(PdfPages, EachEntityOnItsFramesPageAtThatFramesScale) {
    const SheetFrames frames = {{1, 0, 0, 40000, 27500, 50},
                                {2, 42000, 0, 40000, 27500, 50},
                                {3, 84000, 0, 80000, 55000, 100}};
    PdfPages pages;
    pages.line({"D-STR", 7, 0.35, 1000.4, 2000, 3000, 2000.6});  // held as 1000, 2000 - 3000, 2001
    pages.circle({"D-STR-STR1", 0, 94000, 50000, 500});          // width 0: the thinnest pen
    pages.text({TextForm::aligned, "D-STR-HTXT", 0.25, 4, 250, u8"鉄 筋"_sj, 1, 90, "KANJI", 46000, 27500, 0, 0});
    TextEntity between;
    between.height = 125;
    between.text = "W1";
    between.x1 = 41000;
    between.y1 = 100;
    pages.text(between);
    pages.line({"D-STR", 7, 0.5, 39000, 100, 43500, 100});  // across the gap, its midpoint in neither

    const PdfDocument doc = pages.layout(frames, TitleInput{});
    const LwallPdfDocument v = doc.view();
    ASSERT_EQ(v.page_count, 3u);
    EXPECT_EQ(v.width, 841);
    EXPECT_EQ(v.height, 594);
    const LwallPdfPage& p1 = v.pages[0];
    const LwallPdfPage& p2 = v.pages[1];
    const LwallPdfPage& p3 = v.pages[2];
    ASSERT_EQ(p1.line_count + p1.circle_count + p1.text_count, 1u);
    ASSERT_EQ(p2.line_count + p2.circle_count + p2.text_count, 1u);
    ASSERT_EQ(p3.line_count + p3.circle_count + p3.text_count, 1u);
    ASSERT_EQ(p1.line_count, 1u);
    EXPECT_DOUBLE_EQ(p1.lines[0].x1, 20.5 + 1000 / 50.0);
    EXPECT_DOUBLE_EQ(p1.lines[0].y1, 22 + 550 - 2000 / 50.0);
    EXPECT_DOUBLE_EQ(p1.lines[0].x2, 20.5 + 3000 / 50.0);
    EXPECT_DOUBLE_EQ(p1.lines[0].y2, 22 + 550 - 2001 / 50.0);
    EXPECT_DOUBLE_EQ(p1.lines[0].width, 0.35);
    ASSERT_EQ(p2.text_count, 1u);  // on the frame's top edge
    EXPECT_DOUBLE_EQ(p2.texts[0].x, 20.5 + 4000 / 50.0);
    EXPECT_DOUBLE_EQ(p2.texts[0].y, 22);
    EXPECT_DOUBLE_EQ(p2.texts[0].height, 5);
    EXPECT_DOUBLE_EQ(p2.texts[0].rotation, 90);
    EXPECT_EQ(std::string(p2.texts[0].utf8), "鉄 筋");
    ASSERT_EQ(p3.circle_count, 1u);
    EXPECT_DOUBLE_EQ(p3.circles[0].x, 20.5 + 10000 / 100.0);
    EXPECT_DOUBLE_EQ(p3.circles[0].y, 22 + 550 - 50000 / 100.0);
    EXPECT_DOUBLE_EQ(p3.circles[0].radius, 5);
    EXPECT_DOUBLE_EQ(p3.circles[0].width, kThinnestPen);
}

}  // namespace
}  // namespace lwall
