#include "core/title_block.hpp"

#include <cmath>
#include <iterator>
#include <string>
#include <utility>

namespace lwall {

namespace {

// Captions 2.5 mm high in a column 30 mm wide; values 2.5 mm high (the drawing's name 3.5 mm, in a
// row of its own 15 mm high) in the 140 mm beside them.
constexpr TitleBox caption(double x0, double y0, double x1, double y1, int v) {
    return {x0, y0, x1, y1, TitleBoxText::caption, v, kTitleItems[v].label_ja};
}
constexpr TitleBox value(double x0, double y0, double x1, double y1, int v, double text_height = 2.5) {
    return {x0, y0, x1, y1, TitleBoxText::value, v, "", text_height};
}

constexpr TitleBox kBoxes[] = {
    caption(0, 75, 30, 85, kProjectName),
    value(30, 75, 170, 85, kProjectName),
    caption(0, 65, 30, 75, kRouteAndPlace),
    value(30, 65, 170, 75, kRouteAndPlace),
    caption(0, 50, 30, 65, kDrawingName),
    value(30, 50, 170, 65, kDrawingName, 3.5),
    {0, 40, 30, 50, TitleBoxText::caption, -1, "縮尺"},
    {30, 40, 55, 50, TitleBoxText::scale},
    caption(55, 40, 85, 50, kDrawingNumber),
    value(85, 40, 145, 50, kDrawingNumber),
    {145, 40, 170, 50, TitleBoxText::sheet_number},
    caption(0, 30, 30, 40, kDrawingDate),
    value(30, 30, 170, 40, kDrawingDate),
    caption(0, 20, 30, 30, kCompany),
    value(30, 20, 170, 30, kCompany),
    caption(0, 10, 30, 20, kDesigner),
    value(30, 10, 170, 20, kDesigner),
    caption(0, 0, 30, 10, kOffice),
    value(30, 0, 170, 10, kOffice),
};

}  // namespace

std::span<const TitleBox> title_boxes() { return kBoxes; }

const TitleBox& title_value_box(int v) {
    for (const TitleBox& b : kBoxes) {
        if (b.shows == TitleBoxText::value && b.value == v) return b;
    }
    return kBoxes[1];
}

std::size_t title_box_bytes(const TitleBox& box) {
    return static_cast<std::size_t>(std::floor((box.x1 - box.x0 - 2 * kTitleTextInset) / box.text_height));
}

double title_text_x(const TitleBox& box) { return box.x0 + kTitleTextInset; }

std::string frame_contents_name(unsigned holds) {
    std::string name;
    for (const auto& [flag, part] : {std::pair{kHoldsViews, u8"配筋図"_sj}, {kHoldsBendingDrawings, u8"加工図"_sj},
                                     {kHoldsTables, u8"鉄筋表・材料表"_sj}}) {
        if ((holds & flag) == 0) continue;
        if (!name.empty()) name += u8"・"_sj;
        name += part;
    }
    return name;
}

std::string frame_drawing_name(std::string_view drawing_name, unsigned holds) {
    std::string name(drawing_name.empty() ? kDefaultDrawingName : drawing_name);
    const std::string contents = frame_contents_name(holds);
    if (!contents.empty()) name += std::string(u8"（"_sj) + contents + std::string(u8"）"_sj);
    return name;
}

double title_text_y(const TitleBox& box) {
    return box.y0 + std::floor((box.y1 - box.y0 - box.text_height)) / 2;
}

namespace {

// The first byte of a double-byte Shift_JIS character.
bool sjis_lead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

}  // namespace

TitleDate read_title_date(std::string_view sjis) {
    // Full-width digits (0x824F ... 0x8258) to ASCII, other characters kept whole.
    std::string a;
    for (std::size_t i = 0; i < sjis.size(); ++i) {
        const auto c = static_cast<unsigned char>(sjis[i]);
        if (sjis_lead(c) && i + 1 < sjis.size()) {
            const auto t = static_cast<unsigned char>(sjis[i + 1]);
            if (c == 0x82 && t >= 0x4F && t <= 0x58) a += static_cast<char>('0' + (t - 0x4F));
            else a += sjis.substr(i, 2);
            ++i;
        } else {
            a += static_cast<char>(c);
        }
    }
    struct Era {
        std::string_view name;
        int base;
    };
    static constexpr Era kEras[] = {{u8"令和"_sj, 2018}, {u8"平成"_sj, 1988}, {u8"昭和"_sj, 1925},
                                    {"R", 2018},         {"H", 1988},         {"S", 1925}};
    int base = 0;
    std::size_t from = 0;
    for (const Era& e : kEras) {
        const std::size_t at = a.find(e.name);
        if (at != std::string::npos) {
            base = e.base;
            from = at + e.name.size();
            break;
        }
    }
    int numbers[3] = {0, 0, 0};
    int found = 0;
    constexpr std::string_view kFirstYear = u8"元"_sj;
    if (base != 0 && std::string_view(a).substr(from).starts_with(kFirstYear)) {
        numbers[found++] = 1;
        from += kFirstYear.size();
    }
    for (std::size_t i = from; i < a.size() && found < 3;) {
        const auto c = static_cast<unsigned char>(a[i]);
        if (c >= '0' && c <= '9') {
            long n = 0;
            while (i < a.size() && a[i] >= '0' && a[i] <= '9') {
                if (n < 100000) n = n * 10 + (a[i] - '0');
                ++i;
            }
            numbers[found++] = static_cast<int>(n);
        } else {
            i += sjis_lead(c) ? 2 : 1;
        }
    }
    if (found < 3) return {};
    return {numbers[0] + base, numbers[1], numbers[2]};
}

}  // namespace lwall
