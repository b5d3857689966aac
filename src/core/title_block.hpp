#pragma once
// The title block (表題欄) of every frame and the values it shows.
//
// After the national CAD drawing standard for civil works (土木 CAD製図基準): the title block
// stands in the lower right corner of the drawing, inside its border, and measures 170 x 75 mm on
// an A1 sheet; it names the works, the drawing, its scale and number, the date, who made it and the
// client's office it goes to. Here it is 170 x 85 mm: the standard's 75 mm and a row for the office.
// It is drawn at each frame's scale, so that it prints the same size on every frame. Its items, top
// to bottom and left to right:
//
//   工事名      | the works                                       (HyodaiL.dat line 1)
//   路線・箇所  | route and place                                 (line 2)
//   図面名      | the drawing's name, "擁壁配筋図" when left empty,  (line 3)
//               | and what this frame holds: （配筋図・加工図）
//   縮尺 | 1:50 | 図面番号 | the project's number | n/N          (line 4; 縮尺 and n/N are the program's)
//   年月日      | date                                            (line 5)
//   会社名      | company                                         (line 6)
//   設計者      | designer                                        (line 7)
//   事務所名    | the client's office                             (line 8, added after the seven
//               |                                                  lines files have always had)
//
// Sizes are paper millimetres from the block's lower left corner. Texts stand 2 mm in from the left
// of their box; a value longer than its box (by the sheet's measure of text: each Shift_JIS byte as
// wide as the text is high) is refused when the file is read.

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "core/sjis.hpp"

namespace lwall {

inline constexpr int kTitleValueCount = 8;

// The values of HyodaiL.dat in file order (Shift_JIS, without line ends); empty when not given.
struct TitleInput {
    std::array<std::string, kTitleValueCount> values;
};

// Indices into TitleInput::values.
enum TitleValue : int {
    kProjectName, kRouteAndPlace, kDrawingName, kDrawingNumber, kDrawingDate, kCompany, kDesigner, kOffice
};

// The eight values as the field catalogue lists them: name, labels (UTF-8) and meaning in English
// and in Japanese.
struct TitleItem {
    const char* name;
    const char* label_ja;
    const char* label_en;
    const char* meaning;
    const char* meaning_ja;
};

inline constexpr TitleItem kTitleItems[kTitleValueCount] = {
    {"project", "工事名", "project", "name of the works the wall belongs to", "擁壁が属する工事の名前"},
    {"route_and_place", "路線・箇所", "route and place", "route and place of the wall", "擁壁のある路線と箇所"},
    {"drawing_name", "図面名", "drawing name", "name of the drawing; empty: 擁壁配筋図", "図面の名前。空欄なら 擁壁配筋図"},
    {"drawing_number", "図面番号", "drawing number",
     "the drawing's number in the project; each frame adds its own n/N beside it",
     "工事の中での図面の番号。図枠ごとにその n/N が横に付く"},
    {"date", "年月日", "date",
     "date of the drawing, as it is to be printed; also the date of the SXF sheets and of Lwall.pdf",
     "図面の日付。書いたとおりに印刷し、SXF 図面と Lwall.pdf の日付にもなる"},
    {"company", "会社名", "company", "company that made the drawing", "図面を作った会社"},
    {"designer", "設計者", "designer", "who designed the wall", "擁壁を設計した人"},
    {"office", "事務所名", "client's office", "the client's office the drawing is delivered to", "図面の納め先である発注者の事務所"},
};

inline constexpr double kTitleBlockWidth = 170;   // paper millimetres
inline constexpr double kTitleBlockHeight = 85;   // paper millimetres
inline constexpr double kTitleTextInset = 2;      // paper millimetres from the left of a box

// What a box of the title block shows.
enum class TitleBoxText {
    caption,      // the label of the value in the box beside it, or "縮尺"
    value,        // one of the values of the file
    scale,        // "1:50", the frame's own
    sheet_number  // "n/N", the frame's place in the set
};

struct TitleBox {
    double x0, y0, x1, y1;  // paper millimetres from the block's lower left corner
    TitleBoxText shows;
    int value = -1;           // the value shown, or captioned; -1 for the scale and the sheet number
    const char* caption = "";  // UTF-8
    double text_height = 2.5;    // paper millimetres
};

// Every box, labels and values, top row first.
std::span<const TitleBox> title_boxes();

// The box that shows value `v`.
const TitleBox& title_value_box(int v);

// The most Shift_JIS bytes a box holds at its text height.
std::size_t title_box_bytes(const TitleBox& box);

// Where a text stands in its box: 2 mm in from the left, the baseline so that the text sits in the
// middle of the box's height (on a half millimetre).
double title_text_x(const TitleBox& box);
double title_text_y(const TitleBox& box);

// The date of 年月日 as an engineer writes it: "2026年12月7日", "2026/12/7", "2026.12.07",
// "令和8年12月7日", "R8.12.7", in full-width digits too (元年 is year 1 of its era). The SXF sheets'
// attribute and Lwall.pdf's creation date take it, so that neither reads a clock.
struct TitleDate {
    int year = 0, month = 0, day = 0;
    // A month and a day (the year may be anything the text held); a text that gives no date is none.
    bool valid() const { return month >= 1 && month <= 12 && day >= 1 && day <= 31; }
};
TitleDate read_title_date(std::string_view sjis);

// The drawing's name when the file leaves it empty (Shift_JIS).
inline constexpr std::string_view kDefaultDrawingName = u8"擁壁配筋図"_sj;

// What a frame of the sheet set holds, for the name of its drawing: flags of FrameHolds.
enum FrameHolds : unsigned {
    kHoldsViews = 1,             // the elevations, the plan, the section, the arrangement view
    kHoldsBendingDrawings = 2,   // the true-size bending drawings
    kHoldsTables = 4,            // the bending schedule, the bar mass table, the material table
};

// What a frame holds, as its name says it: "配筋図・加工図" (Shift_JIS); empty for nothing.
std::string frame_contents_name(unsigned holds);

// The name of the drawing on a frame: the file's 図面名 (or the default) and what the frame holds,
// "擁壁配筋図（配筋図・加工図）" (Shift_JIS).
std::string frame_drawing_name(std::string_view drawing_name, unsigned holds);

}  // namespace lwall
