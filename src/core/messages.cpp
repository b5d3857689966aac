#include "core/messages.hpp"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <system_error>

#include "core/number_format.hpp"
#include "core/sjis.hpp"

namespace lwall {

namespace {

std::string lower(std::string_view s) {
    std::string out;
    for (char c : s) out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

const char* first_set(std::initializer_list<const char*> values) {
    for (const char* v : values) {
        if (v != nullptr && *v != '\0') return v;
    }
    return "";
}

// A length as messages print it: whole millimetres, halves away from zero.
std::string num(double v) { return std::string(TextBuf().fixed(v, 0, 0).view()); }
std::string mm(double v) { return num(v) + " mm"; }
std::string str(long long v) { return std::to_string(v); }

std::string quoted_en(std::string_view shown) { return "\"" + std::string(shown) + "\""; }
std::string quoted_ja(std::string_view shown) { return "「" + std::string(shown) + "」"; }

Message both(std::string ja, std::string en) { return {std::move(ja), std::move(en)}; }

std::string joined(const std::vector<std::string>& names, std::string_view none) {
    if (names.empty()) return std::string(none);
    std::string out;
    for (const std::string& n : names) out += (out.empty() ? "" : ", ") + n;
    return out;
}

constexpr std::string_view kUsageLine =
    "lwall [--svg] [--csv] [--pdf] [--sfc] | --check | --explain | --report | --help | --version | serve [--port N] [--host ADDR] "
    "[--dir DIR] [--open]  (--lang ja|en)";
constexpr std::string_view kServeUsageLine = "lwall serve [--port N] [--host ADDR] [--dir DIR] [--open] [--lang ja|en]";

}  // namespace

std::optional<Lang> parse_lang(std::string_view text) {
    const std::string t = lower(text.substr(0, 2));
    if (t == "ja" && (text.size() == 2 || text[2] == '_' || text[2] == '-' || text[2] == '.')) return Lang::ja;
    if (t == "en" && (text.size() == 2 || text[2] == '_' || text[2] == '-' || text[2] == '.')) return Lang::en;
    return std::nullopt;
}

Lang lang_from_locale(const char* lc_all, const char* lc_messages, const char* lang) {
    const std::string_view v = first_set({lc_all, lc_messages, lang});
    return parse_lang(v) == Lang::en ? Lang::en : Lang::ja;
}

bool locale_is_utf8(const char* lc_all, const char* lc_ctype, const char* lang) {
    const std::string v = lower(first_set({lc_all, lc_ctype, lang}));
    return v.find("utf-8") != std::string::npos || v.find("utf8") != std::string::npos;
}

std::string console_text(std::string_view utf8_text, const ConsoleStyle& style) {
    return style.utf8 ? std::string(utf8_text) : utf8_to_sjis_marked(utf8_text);
}

Message same_text(std::string_view text) { return {std::string(text), std::string(text)}; }

Message field_message(const FieldRef& f, const Message& what) {
    const std::string line = std::to_string(f.line);
    return both(std::string(f.label_ja) + " (" + std::string(f.name) + ", " + std::string(f.file) + " " + line +
                    "行目): " + what.ja,
                std::string(f.file) + " line " + line + ", " + std::string(f.name) + ": " + what.en);
}

namespace msg {

// ---- Reading the input files -------------------------------------------------------------------

Message not_a_number(std::string_view shown, bool whole) {
    return both((whole ? "整数でない" : "数値でない") + quoted_ja(shown),
                (whole ? "expected a whole number, found " : "expected a number, found ") + quoted_en(shown));
}

namespace {
std::string byte_text(unsigned b) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "0x%02X", b & 0xFFu);
    return buf;
}
}  // namespace

Message title_value_is_utf8() {
    return both("UTF-8 の文字。HyodaiL.dat は Shift_JIS で保存する", "UTF-8 text; save HyodaiL.dat as Shift_JIS");
}

Message not_sjis_byte(unsigned byte, std::size_t at) {
    return both(std::to_string(at) + " バイト目の " + byte_text(byte) + " が Shift_JIS でない",
                "not Shift_JIS: byte " + byte_text(byte) + " at byte " + std::to_string(at));
}

Message control_character(unsigned byte, std::size_t at) {
    return both(std::to_string(at) + " バイト目に制御文字 " + byte_text(byte),
                "holds the control character " + byte_text(byte) + " at byte " + std::to_string(at));
}

Message too_long_for_box(std::size_t bytes, std::size_t box) {
    return both(std::to_string(bytes) + " バイトあり、枠に入るのは " + std::to_string(box) + " バイト (全角 " +
                    std::to_string(box / 2) + " 文字) まで",
                std::to_string(bytes) + " bytes long; its box holds " + std::to_string(box) + " (" +
                    std::to_string(box / 2) + " double-byte characters)");
}

Message ends_sheet_comment() {
    return both("「*/」がある。SXF 図面 (Lwall-n.sfc) では図形を囲む注記の終わりと読まれ、図面が壊れる",
                "holds \"*/\", which an SXF sheet (Lwall-n.sfc) reads as the end of the comment around a feature");
}

Message title_value_beyond_last(int line, int values) {
    return both("値は1行に1つ、" + std::to_string(values) + "行まで。" + std::to_string(line) + "行目にもう1つある",
                "the file holds " + std::to_string(values) + " values, one a line; line " + std::to_string(line) +
                    " holds one more");
}

std::string title_extra_value_label() { return "余分な値"; }

Message explain_no_title_file(std::string_view default_name) {
    const std::string name(default_name);
    return both("フォルダになし。表題欄の枠は空のまま、図面名は " + name,
                "not in the folder; the title block's boxes stay empty, 図面名 reads " + name);
}

Message explain_empty() { return both("(空)", "(empty)"); }

Message explain_empty_default(std::string_view default_name) {
    const std::string name(default_name);
    return both("(空: " + name + ")", "(empty: " + name + ")");
}

Message not_whole(std::string_view shown) {
    return both("整数の欄に小数点のある数" + quoted_ja(shown),
                "expected a whole number without a decimal point, found " + quoted_en(shown));
}

Message not_finite(std::string_view shown) {
    return both("有限の数でない" + quoted_ja(shown), "expected a finite number, found " + quoted_en(shown));
}

Message out_of_range(std::string_view shown, bool whole, long long limit) {
    const std::string range = "-" + str(limit) + " から " + str(limit);
    return both(range + " までの" + (whole ? "整数" : "数") + "でない" + quoted_ja(shown),
                std::string(whole ? "expected a whole number" : "expected a number") + " between -" + str(limit) +
                    " and " + str(limit) + ", found " + quoted_en(shown));
}

Message zones_out_of_range(int found) {
    return both("0 から 5 までの数でない: " + str(found), "must be 0 to 5, found " + str(found));
}

Message value_empty() { return both("値がない (空欄)", "no value (the field is empty)"); }

Message several_values(std::string_view shown) {
    return both("値が1つではない" + quoted_ja(shown) + "。コンマと改行は値の区切りになるため、1つの欄には値を1つだけ書く",
                "more than one value, " + quoted_en(shown) + ": a comma or a line break separates values, and a "
                "field holds one");
}

Message blank_before_comma() { return both("コンマの前に空白がある", "a blank stands before the comma"); }

Message expected_comma_or_end(std::string_view shown) {
    return both("値の後にコンマも行末もなく" + quoted_ja(shown) + "がある",
                "expected ',' or the line end after the value, found " + quoted_en(shown));
}

Message number_after_comma() { return both("コンマの後に数値がない", "expected a number after ','"); }

Message more_values_than_line(int holds) {
    return both("この行に入る " + str(holds) + " 個より値が多い",
                "more values than the " + str(holds) + " this line holds");
}

Message expected_line_end(std::string_view shown) {
    return both("値の後に行末がなく" + quoted_ja(shown) + "がある",
                "expected the line end after the value, found " + quoted_en(shown));
}

Message layer_file_ends_in_row() {
    return both("画層の行の途中でファイルが終わっている", "the file ends in the middle of a layer row");
}

Message negative_layer_count(int found) {
    return both("0 以上でない: " + str(found), "must be 0 or more, found " + str(found));
}

std::string layer_count_label() { return "画層数"; }

std::string layer_row_name(int row, LayerPart part) {
    static constexpr const char* kParts[] = {"colour", "line type", "pen width", "name"};
    return "row " + str(row) + " " + kParts[static_cast<int>(part)];
}

std::string layer_row_label(int row, LayerPart part) {
    static constexpr const char* kParts[] = {"色番号", "線種", "線幅", "名前"};
    return "画層" + str(row) + "の" + kParts[static_cast<int>(part)];
}

// ---- A wall the drawings cannot hold ---------------------------------------------------------

Message must_not_be_negative() { return both("負の値は使えない", "must not be negative"); }

Message must_be_positive() { return both("0 より大きい値が要る", "must be more than 0"); }

Message pitch_below_minimum(double minimum) {
    return both("鉄筋のある区間では " + num(minimum) + " 以上 (" + num(minimum) + " mm より狭い間隔には鉄筋を並べられない)",
                "must be " + num(minimum) + " or more where the zone has bars (bars closer than " + num(minimum) +
                    " mm cannot be placed)");
}

Message zones_span_too_far(std::string_view mark, double span, Measure measure, double size, double times) {
    static constexpr const char* kJa[] = {"壁の延長", "壁の高さ", "底版の幅"};
    static constexpr const char* kEn[] = {"wall length", "wall height", "footing width"};
    const int m = static_cast<int>(measure);
    const std::string twice_ja = times == 2 ? "2倍" : num(times) + "倍";
    const std::string twice_en = times == 2 ? "twice" : num(times) + " times";
    return both(std::string(mark) + " の区間の合計 " + mm(span) + " が" + kJa[m] + " " + mm(size) + " の" + twice_ja +
                    "を超える",
                "the zones of " + std::string(mark) + " span " + mm(span) + ", more than " + twice_en + " the " +
                    kEn[m] + " of " + mm(size));
}

Message wall_end_too_high(double height, double limit, double limit_at_reference) {
    return both("壁端の高さ " + mm(height) + " が、基準点で " + mm(limit_at_reference) + " 以下の壁の届く " + mm(limit) +
                    " を超える",
                "a wall end " + mm(height) + " high, more than the " + mm(limit) + " any wall of at most " +
                    mm(limit_at_reference) + " at its reference point reaches");
}

Message wall_without_length() {
    return both("壁の延長がない (length_left + length_right が 0)",
                "the wall has no length (length_left + length_right is 0)");
}

Message diameter_too_large(int diameter, int limit) {
    return both("鉄筋径 " + str(diameter) + " mm はどの鉄筋より太い (上限 " + str(limit) + ")",
                "a bar diameter of " + str(diameter) + " mm, more than any bar (" + str(limit) + ")");
}

Message too_many_s2_ties(long long ties) {
    return both("F3.count[2] と F3.count[3] とあわせて S2 幅止め筋が " + str(ties) + " 本になり、どの底版にも収まらない",
                "with F3.count[2] and F3.count[3] lays out " + str(ties) + " S2 ties, more than any footing holds");
}

Message no_run_between_end_covers() {
    return both("端部かぶりで壁沿いの鉄筋の長さがなくなる (length_left + length_right - end_cover_left - "
                "end_cover_right を 0 より大きく)",
                "the end covers leave no length for the bars along the wall (length_left + length_right "
                "- end_cover_left - end_cover_right must be above 0)");
}

Message sheet_beyond_work_bound(long long bars, long long bound, std::string_view marks) {
    return both("図面の鉄筋がおよそ " + str(bars) + " 本 (" + std::string(marks) + ") になり、上限 " + str(bound) +
                    " 本 (実在のどの壁よりはるかに多い) を超える。延長と間隔数を見直すこと",
                "the sheet would draw about " + str(bars) + " bars (" + std::string(marks) + "), more than the bound of " +
                    str(bound) + ", far beyond any real wall; check the wall's length and the numbers of spacings");
}

// ---- The stops of a run --------------------------------------------------------------------------

Message cant_create(std::string_view file) { return same_text("can't create " + std::string(file)); }

Message layer_file_missing() {
    return both("フォルダに GasouL.dat (画層ファイル) がないため作図できない",
                "the folder holds no GasouL.dat (the layer file), so the sheet cannot be drawn");
}

Message cant_read(std::string_view file) {
    return both(std::string(file) + " を読めません", "can't read " + std::string(file));
}

Message cant_write(std::string_view file) {
    return both(std::string(file) + " を書き込めません", "can't write " + std::string(file));
}

Message cant_remove_spreadsheet() {
    return both("Lwall.csv を削除できません。前の数量表が残っています",
                "can't remove Lwall.csv: an earlier run's quantities are left in it");
}

Message cant_write_because(std::string_view file, std::string_view why) {
    const std::string f(file);
    const std::string w(why);
    return both(f + " を書き込めません (" + w + ")", "can't write " + f + " (" + w + ")");
}

Message pdf_not_in_build() {
    return both("このビルドではPDFを書けません。エディタの印刷表示を使ってください。",
                "lwall --pdf: this build of lwall cannot write PDF; print from the editor, lwall serve, instead");
}

Message pdf_module_not_loaded(std::string_view why) {
    return both("PDFを書くモジュールを読み込めません: " + std::string(why),
                "lwall --pdf: can't load the PDF writer: " + std::string(why));
}

Message pdf_module_of_another_build(std::string_view path) {
    const std::string p(path);
    return both("PDFを書くモジュール " + p + " がこのプログラムと合いません",
                "lwall --pdf: " + p + " belongs to another build of lwall");
}

Message pdf_no_japanese_font() {
    return both("日本語のフォントが見つかりません。IPAゴシック (fonts-ipafont-gothic) を入れてください。",
                "lwall --pdf: no installed font holds Japanese text; install fonts-ipafont-gothic");
}

Message pdf_font_stands_in(std::string_view family) {
    const std::string f(family);
    return both("Lwall.pdf: IPAゴシックがないため、文字を " + f + " で書きます",
                "Lwall.pdf: IPAGothic is not installed; the text is set in " + f);
}

Message too_wide() { return same_text("幅の制限を超えています。"); }

Message too_high() { return same_text("高さの制限を超えています。"); }

Message over_limit(std::string_view what_ja, std::string_view what_en, double sum, double limit) {
    return both(mm(sum) + " が" + std::string(what_ja) + "の制限 " + mm(limit) + " を " + mm(sum - limit) + " 超えている",
                mm(sum) + ", " + mm(sum - limit) + " more than the " + std::string(what_en) + " limit of " + mm(limit));
}

Message member_too_long() { return same_text("最大部材長を長くするか擁壁延長を短くしてください。"); }

Message member_too_long_detail(double second_piece, double max_length, double run) {
    return both("F3 (底版上側配力筋) の2本目の部材が " + mm(second_piece) + " で、最大部材長 " + mm(max_length) + " より " +
                    mm(second_piece - max_length) + " 長い (壁沿いの " + mm(run) + " を2本を継いで作る)",
                "the second piece of F3 (top longitudinal footing bars) is " + mm(second_piece) + ", " +
                    mm(second_piece - max_length) + " longer than the maximum member length of " + mm(max_length) +
                    " (the " + mm(run) + " run along the wall is made of two lapped pieces)");
}

std::string member_box_caption() { return "エラーです"; }

std::string member_box_text() { return "注意：最大部材長を長くするか擁壁延長を短くしてください。"; }

Message internal_error(std::string_view what) {
    return both("内部エラー: " + std::string(what), "internal error: " + std::string(what));
}

// ---- Findings of the checks ----------------------------------------------------------------------

namespace {

// Zones as a message lists them: "2, 1" and "2 and 1".
std::pair<std::string, std::string> zone_list(const std::vector<int>& zones) {
    std::string ja;
    std::string en;
    for (int z : zones) {
        ja += (ja.empty() ? "" : ", ") + str(z);
        en += (en.empty() ? "" : " and ") + str(z);
    }
    return {ja, en};
}

}  // namespace

Message zones_past_end_cover(const std::vector<int>& zones, WallEnd end, double span, double room) {
    const auto [list_ja, list_en] = zone_list(zones);
    const bool left = end == WallEnd::left;
    return both("区間 " + list_ja + " が" + (left ? "左端" : "右端") + "へ " + mm(span) + " 延び、端部かぶりを " +
                    mm(span - room) + " 越える (そちらの壁は " + mm(room) + ")",
                "zones " + list_en + " run " + mm(span) + " toward the " + (left ? "left" : "right") + " end, " +
                    mm(span - room) + " beyond its end cover (" + mm(room) + " of wall there)");
}

Message rows_above_top(double reach, TopOf top, double limit) {
    static constexpr const char* kJa[] = {"水平な天端", "低い側の端の天端", "高い側の端の天端"};
    static constexpr const char* kEn[] = {"level", "lower end's", "higher end's"};
    const int t = static_cast<int>(top);
    return both("横筋が " + mm(reach) + " まで届き、" + kJa[t] + "から cover_wall_top を引いた高さ (" + mm(limit) +
                    ") を " + mm(reach - limit) + " 越える",
                "the rows reach " + mm(reach) + ", " + mm(reach - limit) + " above the " + kEn[t] +
                    " wall top less cover_wall_top (" + mm(limit) + ")");
}

Message faces_with_each_others_counts(int zone, int w3_count, int w4_count) {
    const std::string z = str(zone);
    return both("天端が水平な壁では背面を W4 の、前面を W3 の間隔数で描くが、W3.count[" + z + "] は " + str(w3_count) +
                    "、W4.count[" + z + "] は " + str(w4_count) + " なので、加工表の W3, W4 の本数が立面図と違う",
                "on a level top the back face is drawn with W4's counts and the front face with W3's; W3.count[" + z +
                    "] is " + str(w3_count) + " and W4.count[" + z + "] is " + str(w4_count) +
                    ", so the schedule orders other numbers of W3 and W4 bars than the elevations draw");
}

Message zones_wider_than_footing(double span, double room) {
    return both("区間が底版を横切って " + mm(span) + " になり、端部かぶりの間の " + mm(room) + " より " +
                    mm(span - room) + " 長い",
                "the zones span " + mm(span) + " across the footing, " + mm(span - room) + " more than the " +
                    mm(room) + " between its end covers");
}

namespace {

// How far `need` passes `thickness`, in words: "300 mm を 109 mm 超える", or "300 mm ちょうどで".
Message past_thickness(double need, double thickness) {
    if (num(need) == num(thickness)) {
        return both(mm(thickness) + " ちょうどになり、鉄筋の間がまったく残らない", "exactly the " + mm(thickness));
    }
    return both(mm(thickness) + " を " + mm(need - thickness) + " 超える",
                mm(need - thickness) + " more than the " + mm(thickness));
}

}  // namespace

Message wall_covers_leave_no_room(int front_dia, int back_dia, double need, double thickness) {
    const Message past = past_thickness(need, thickness);
    return both("かぶりが大きすぎて鉄筋が入らない: cover3 + cover6 と縦筋 D" + str(front_dia) + ", D" + str(back_dia) +
                    " で " + mm(need) + " となり、壁厚 " + past.ja,
                "the covers leave no room for the bars: cover3 + cover6 and the vertical bars D" + str(front_dia) +
                    " and D" + str(back_dia) + " take " + mm(need) + ", " + past.en + " wall thickness");
}

Message footing_covers_leave_no_room(double need, double thickness) {
    const Message past = past_thickness(need, thickness);
    return both("かぶりが大きすぎて鉄筋が入らない: cover1 + cover2 で " + mm(need) + " となり、底版厚 " + past.ja,
                "the covers leave no room for the bars: cover1 + cover2 take " + mm(need) + ", " + past.en +
                    " footing thickness");
}

Message second_piece_too_long(LongBar bar, double second, double max_length) {
    static constexpr const char* kJa[] = {"全長の W3 横筋", "全長の W4 横筋", "傾斜した天端に沿う W3 横筋",
                                          "傾斜した天端に沿う W4 横筋", "F3 底版上側配力筋", "F4 底版下側配力筋"};
    static constexpr const char* kEn[] = {"the full-length W3 bars", "the full-length W4 bars",
                                          "the W3 bar along the sloped top", "the W4 bar along the sloped top",
                                          "F3 (the drawing stops there)", "F4"};
    const int b = static_cast<int>(bar);
    return both(std::string(kJa[b]) + "の2本目の部材が " + mm(second) + " で、最大部材長より " + mm(second - max_length) +
                    " 長い" + (bar == LongBar::f3 ? " (作図はここで止まる)" : ""),
                "the second piece of " + std::string(kEn[b]) + " is " + mm(second) + ", " + mm(second - max_length) +
                    " longer than the maximum member length");
}

Message no_unit_mass(int diameter) {
    const std::string d = "D" + str(diameter);
    return both(d + " には単位質量がなく、その鉄筋が質量表と材料表から抜ける",
                d + " has no unit mass: its steel would be missing from the mass and material tables");
}

Message zone_without_spacings(int zone, std::string_view mark, int zones) {
    const std::string m(mark);
    return both("区間 " + str(zone) + " は使われている (" + m + ".zones が " + str(zones) + ") のに間隔数がない",
                "zone " + str(zone) + " is in use (" + m + ".zones is " + str(zones) + ") but has no spacings");
}

Message zones_short_of_end(const std::vector<int>& zones, WallEnd end, double bare, double pitch) {
    const auto [list_ja, list_en] = zone_list(zones);
    const bool left = end == WallEnd::left;
    return both("区間 " + list_ja + " が" + (left ? "左端" : "右端") + "の端部かぶりの " + mm(bare) +
                    " 手前で終わり、1 間隔 (" + mm(pitch) + ") を超えて鉄筋のない壁が残る",
                "zones " + list_en + " stop " + mm(bare) + " short of the " + (left ? "left" : "right") +
                    " end cover, leaving more than one spacing (" + mm(pitch) + ") of wall without bars");
}

Message longer_than_stock_bars(double max_length, double longest) {
    return both("最大部材長 " + mm(max_length) + " が定尺鉄筋の最長 " + mm(longest) + " を " + mm(max_length - longest) +
                    " 超え、その長さの鉄筋は手に入らない",
                "a maximum member length of " + mm(max_length) + " is " + mm(max_length - longest) +
                    " beyond the longest stock bar, " + mm(longest) + ": no mill supplies such bars");
}

Message splice_shorter_than_stated(std::string_view first, std::string_view second, double overlap, double stated) {
    const std::string a(first), b(second);
    return both(a + " と " + b + " の重ねが " + mm(overlap) + " で、加工図の重ね継手長 " + num(stated) + "以上 に " +
                    mm(stated - overlap) + " 足りない",
                a + " and " + b + " overlap by " + mm(overlap) + ", " + mm(stated - overlap) +
                    " short of the lap the bending drawings state (" + num(stated) + " or more)");
}

Message cap_lap_too_short(std::string_view bar, double x, double overlap, int cap_dia, double rule) {
    const std::string b(bar);
    return both(b + " と天端筋 W5 の重ねが基準点から x = " + num(x) + " の位置で " + mm(overlap) + " しかなく、W5 の 20 × D" +
                    str(cap_dia) + " = " + mm(rule) + " に " + mm(rule - overlap) + " 足りない",
                b + " overlaps the cap bar W5 by only " + mm(overlap) + " at x = " + num(x) + " from the reference point, " +
                    mm(rule - overlap) + " short of 20 x D" + str(cap_dia) + " = " + mm(rule));
}

Message audit_label_without_row(std::string_view label) {
    const std::string l(label);
    return both("加工図のラベル「" + l + "」の記号が加工表にない",
                "the bending-drawing label \"" + l + "\" names a mark the bending schedule does not list");
}

Message audit_label_against_row(std::string_view mark, std::string_view what_ja, std::string_view what_en,
                                std::string_view drawn, std::string_view listed) {
    const std::string m(mark);
    return both("加工図の " + m + " の" + std::string(what_ja) + "「" + std::string(drawn) + "」が加工表の「" +
                    std::string(listed) + "」と違う",
                "the bending drawing of " + m + " gives its " + std::string(what_en) + " as \"" + std::string(drawn) +
                    "\", the bending schedule as \"" + std::string(listed) + "\"");
}

Message audit_row_not_drawn(std::string_view mark) {
    const std::string m(mark);
    return both("加工表の " + m + " に加工図がない", "the bending schedule lists " + m + ", which no bending drawing shows");
}

Message audit_legs_against_length(SheetPart where, std::string_view mark, double legs, double length) {
    const std::string m(mark);
    const bool drawing = where == SheetPart::bending_drawing;
    return both(std::string(drawing ? "加工図" : "加工表") + "の " + m + " の脚長の和 " + mm(legs) + " が切断長 " +
                    mm(length) + " と違う",
                "the legs of " + m + " in the " + (drawing ? "bending drawing" : "bending schedule") + " add up to " +
                    mm(legs) + ", its cut length is " + mm(length));
}

Message audit_lap_against_stated(std::string_view first, std::string_view second, double overlap, double stated) {
    const std::string a(first), b(second);
    return both("加工図の " + a + " と " + b + " は " + mm(overlap) + " しか重ならないのに、重ねを " + num(stated) + "以上 としている",
                "the bending drawing of " + a + " and " + b + " overlaps them by " + mm(overlap) + " and states a lap of " +
                    num(stated) + " or more");
}

Message audit_callout_without_row(std::string_view mark) {
    const std::string m(mark);
    return both("図の引出し " + m + " が加工表にない", "the call-out " + m + " names no row of the bending schedule");
}

Message audit_callout_size(std::string_view mark, std::string_view drawn, std::string_view listed) {
    const std::string m(mark);
    return both("図の引出し " + m + " の径 " + std::string(drawn) + " が加工表の " + std::string(listed) + " と違う",
                "the call-out " + m + " gives " + std::string(drawn) + ", the bending schedule " + std::string(listed));
}

Message audit_mass_row(std::string_view mark, std::string_view what_ja, std::string_view what_en,
                       std::string_view printed, std::string_view expected) {
    const std::string m(mark);
    return both("鉄筋質量表の " + m + " の" + std::string(what_ja) + "が「" + std::string(printed) + "」で、「" +
                    std::string(expected) + "」のはず",
                "the bar mass table gives " + m + " a " + std::string(what_en) + " of \"" + std::string(printed) +
                    "\" where \"" + std::string(expected) + "\" is due");
}

Message audit_steel_total(std::string_view size, std::string_view printed, std::string_view expected) {
    const std::string s(size);
    return both("材料表の鉄筋 " + s + " の全延長が " + std::string(printed) + " kg で、鉄筋質量表の和 " +
                    std::string(expected) + " kg と違う",
                "the material table gives the whole wall's steel " + s + " as " + std::string(printed) +
                    " kg, the bar mass table adds up to " + std::string(expected) + " kg");
}

Message audit_table_missing(std::string_view title) {
    const std::string t(title);
    return both("シートに「" + t + "」の表が見つからない", "the sheet holds no table titled \"" + t + "\"");
}

Message audit_failed(int disagreements) {
    return both("シートの自己点検で食い違いが " + str(disagreements) + " 件見つかった (上の行)",
                "the sheet read back disagrees with itself in " + str(disagreements) + " place" +
                    (disagreements == 1 ? "" : "s") + " (see above)");
}

Message warning_line(const Message& finding) { return both("警告: " + finding.ja, "warning: " + finding.en); }

// ---- The command line ----------------------------------------------------------------------------

Message usage() { return both("使い方: " + std::string(kUsageLine), "usage: " + std::string(kUsageLine)); }

Message help() {
    return both(
        "PlenkL.dat (寸法、かぶり、鉄筋の間隔) と GasouL.dat (画層) の L 型擁壁の配筋図を、今のフォルダの\n"
        "Lwall.dxf (図面) と plenk.scr (寸法線を描く CAD のコマンドスクリプト) に描きます。\n"
        "\n"
        "  --svg      Lwall.svg (図面の絵) も書く\n"
        "  --csv      Lwall.csv (鉄筋加工表、鉄筋質量表、材料表) も書く\n"
        "  --pdf      Lwall.pdf (図枠ごとに A1 の1ページ、実尺、黒一色、出図用) も書く\n"
        "  --sfc      Lwall-1.sfc … (図枠ごとに A1 の SXF 図面 (SFC)、電子納品用) も書く\n"
        "  --check    照査する技術者のように PlenkL.dat を調べ、見つけたことをすべて出す。ファイルは書かない\n"
        "  --explain  lwall の読んだとおりに PlenkL.dat を出す: 値ごとに行、名前、値、単位、名称。\n"
        "             受け付けないファイルでは、拒否までに読んだ値と拒否の理由\n"
        "  --report   SekkeiL.dat (設計条件) による安定計算と部材の照査を Lwall-calc.pdf (計算書) と\n"
        "             Lwall-calc.csv に書く。SekkeiL.dat があれば --check も照査の結果を出す\n"
        "  --lang L   メッセージの言語: ja (日本語、既定) か en (英語)。LANG=en_US などでも英語になる\n"
        "  --help     この説明を出す\n"
        "  --version  版を出す\n"
        "\n"
        "lwall serve [--port N] [--host ADDR] [--dir DIR] [--open] で編集画面を http://127.0.0.1:8750/ に\n"
        "開きます (値ごとの欄、入力に合わせて描き直す図面、欄の横の照査結果、実寸の印刷)。DIR (今の\n"
        "フォルダ) に保存し、止めるまで動きます。--open でブラウザも開きます。--host はほかのマシンから\n"
        "入れる唯一の方法です。\n"
        "\n"
        "終了状態: 0 作図した (--check では何も見つからない); 1 Lwall.dxf を書けない、または壁の幅が 2500 か\n"
        "高さが 3000 を超える; 2 plenk.scr を書けない; 3 PlenkL.dat か 4 GasouL.dat を開けない; 5 底版の鉄筋が\n"
        "最大部材長より長い; 6 入力を受け付けない; 7 --check が何か見つけた (満たさない設計照査も); 8 知らないオプション;\n"
        "9 Lwall.svg、Lwall.csv、Lwall.pdf か Lwall-n.sfc を書けない; 10 lwall serve がポートで待ち受けられない;\n"
        "11 --pdf か --report で PDF を作れない (この版に PDF を書く部分がない (Windows など)、または日本語の\n"
        "フォントがない。--report は Lwall-calc.csv だけ書く)。\n",
        "Draws the reinforcement of the L-shaped retaining wall described by PlenkL.dat (dimensions,\n"
        "covers, bar spacings) and GasouL.dat (layers) in the current folder into Lwall.dxf (the sheet)\n"
        "and plenk.scr (its dimensions as a CAD command script).\n"
        "\n"
        "  --svg      also write Lwall.svg, a picture of the sheet\n"
        "  --csv      also write Lwall.csv: bending schedule, bar masses and material quantities\n"
        "  --pdf      also write Lwall.pdf: one A1 page per sheet frame at its true scale, in black, for plotting\n"
        "  --sfc      also write Lwall-1.sfc ...: one SXF sheet (SFC) per sheet frame, A1, for electronic delivery\n"
        "  --check    check PlenkL.dat as a checking engineer would and print every finding; writes no file\n"
        "  --explain  print PlenkL.dat as lwall reads it: every field with its line, name, value, unit and\n"
        "             label; on a refused file, the fields read up to the refusal, then the refusal\n"
        "  --report   write the stability and member checks with the design conditions of SekkeiL.dat as\n"
        "             Lwall-calc.pdf (a calculation report) and Lwall-calc.csv; with SekkeiL.dat, --check\n"
        "             prints the checks too\n"
        "  --lang L   the language of the messages: ja (Japanese, the default) or en (English); LANG=en_US\n"
        "             and the like also give English\n"
        "  --help     print this help\n"
        "  --version  print the version\n"
        "\n"
        "lwall serve [--port N] [--host ADDR] [--dir DIR] [--open] opens the editor at http://127.0.0.1:8750/\n"
        "(every field named, the sheet redrawn as you type, the checks beside their fields, a true-scale\n"
        "print); it saves to DIR (the current folder) and serves until interrupted. --open opens the browser\n"
        "on it. --host is the only way to let other machines reach it.\n"
        "\n"
        "Exit status: 0 drawn (with --check: nothing found); 1 Lwall.dxf cannot be written, or the wall is\n"
        "wider than 2500 or higher than 3000; 2 plenk.scr cannot be written; 3 PlenkL.dat or 4 GasouL.dat\n"
        "cannot be opened; 5 a footing bar longer than the maximum member length; 6 input refused;\n"
        "7 --check found something (a design check that fails too); 8 unknown option; 9 Lwall.svg, Lwall.csv, Lwall.pdf or Lwall-n.sfc cannot\n"
        "be written; 10 lwall serve cannot listen on its port; 11 --pdf or --report where no PDF can be made (no\n"
        "PDF writer in this build, as on Windows, or no Japanese font; --report then writes Lwall-calc.csv only).\n");
}

Message unknown_option(std::string_view option) {
    const Message u = usage();
    return both("lwall: 知らないオプション " + std::string(option) + "; " + u.ja,
                "lwall: unknown option " + std::string(option) + "; " + u.en);
}

Message option_alone(std::string_view option) {
    const Message u = usage();
    if (option == "--report") {
        return both("lwall: --report はほかのオプションと一緒には使えません; " + u.ja,
                    "lwall: --report takes no other option; " + u.en);
    }
    return both("lwall: " + std::string(option) + " はファイルを書かず、ほかのオプションと一緒には使えません; " + u.ja,
                "lwall: " + std::string(option) + " writes no file and takes no other option; " + u.en);
}

Message lang_value(std::string_view found) {
    return both("lwall: --lang は ja か en です。「" + std::string(found) + "」ではありません",
                "lwall: --lang takes ja or en, found \"" + std::string(found) + "\"");
}

Message serve_not_built(std::string_view why) {
    return both("lwall: この lwall には serve が入っていません: " + std::string(why),
                "lwall: serve is not in this build of lwall: " + std::string(why));
}

Message serve_module_not_loaded(std::string_view why) {
    return both("lwall: 編集画面のモジュールを読み込めません: " + std::string(why),
                "lwall: can't load the editor's module: " + std::string(why));
}

Message serve_module_of_another_build(std::string_view path) {
    const std::string p(path);
    return both("lwall: 編集画面のモジュール " + p + " がこのプログラムと合いません",
                "lwall: " + p + " belongs to another build of lwall");
}

std::string explain_line_word(Lang lang) { return lang == Lang::en ? "line " : "行 "; }

Message explain_not_in_file() { return both("(ファイルになし: 0)", "(not in the file: 0)"); }

Message explain_refused() { return both("(拒否)", "(refused)"); }

Message explain_not_used() { return both("(使われない)", "(not used)"); }

// ---- lwall serve ---------------------------------------------------------------------------------

Message serve_usage() {
    return both("使い方: " + std::string(kServeUsageLine), "usage: " + std::string(kServeUsageLine));
}

Message serve_unknown_option(std::string_view option) {
    const Message u = serve_usage();
    return both("lwall serve: 知らないオプション " + std::string(option) + "; " + u.ja,
                "lwall serve: unknown option " + std::string(option) + "; " + u.en);
}

Message serve_needs_value(std::string_view option) {
    const Message u = serve_usage();
    return both("lwall serve: " + std::string(option) + " には値が要ります; " + u.ja,
                "lwall serve: " + std::string(option) + " needs a value; " + u.en);
}

Message serve_port_range(std::string_view found) {
    return both("lwall serve: --port は 0 から 65535 までの数です。「" + std::string(found) + "」ではありません",
                "lwall serve: --port takes a number from 0 to 65535, found " + std::string(found));
}

Message serve_not_a_folder(std::string_view folder) {
    return both("lwall serve: --dir " + std::string(folder) + " はフォルダではありません",
                "lwall serve: --dir " + std::string(folder) + " is not a folder");
}

Message serve_cant_listen(std::string_view address) {
    return both("lwall serve: " + std::string(address) +
                    " で待ち受けられません: ポートが使用中か、このマシンのアドレスではありません",
                "lwall serve: can't listen on " + std::string(address) +
                    ": the port is in use, or the address is not one of this machine's");
}

Message serving(std::string_view url) {
    return both("lwall: 編集画面 " + std::string(url) + " を開いています", "lwall: serving " + std::string(url));
}

Message serve_cant_open_browser(const Message& why) {
    return both("lwall serve: ブラウザを開けません: " + why.ja, "lwall serve: can't open a browser: " + why.en);
}

Message no_browser_program() {
    return both("ウェブのアドレスを開くプログラムがこのシステムにありません", "the system has no program for web addresses");
}

Message cant_run_opener(std::string_view program, const Message& reason) {
    const std::string p(program);
    return both(p + " を実行できません: " + reason.ja, "can't run " + p + ": " + reason.en);
}

Message serve_stopped(std::string_view url) {
    return both("lwall serve: " + std::string(url) + " での待ち受けが止まりました",
                "lwall serve: the server stopped listening on " + std::string(url));
}

Message serve_open_to_network(std::string_view host, std::string_view folder) {
    const std::string h(host);
    const std::string f(folder);
    return both("lwall serve: 注意: " + h + " で待ち受けます。ネットワークでここに届くだれもが、フォルダ " + f +
                    " の壁を読み、書き換えられます。パスワードも暗号化もありません",
                "lwall serve: warning: listening on " + h + ", anyone on the network who reaches it can read and "
                "change the wall in the folder " + f + "; there is no password and no encryption");
}

// ---- The editor's answers ------------------------------------------------------------------------

Message foreign_host() {
    return both("要求の Host がこの編集画面のアドレスではありません",
                "the Host of the request is not the address this editor serves");
}

Message token_needed() {
    return both("保存には編集画面のページのトークンが要ります", "saving needs the token of the editor's page");
}

Message foreign_origin() {
    return both("ほかのサイトのページからの要求 (Origin) は受け付けません",
                "a request from a page of another site (its Origin) is refused");
}

Message method_not_allowed(std::string_view method, std::string_view allowed) {
    return both("このアドレスでは " + std::string(method) + " は使えません (使えるのは " + std::string(allowed) + ")",
                std::string(method) + " is not allowed here (allowed: " + std::string(allowed) + ")");
}

Message json_body_needed() {
    return both("本文は Content-Type: application/json で送ってください",
                "the body must be sent with Content-Type: application/json");
}

Message length_needed() {
    return both("本文の長さ (Content-Length) がありません", "the request body has no length (Content-Length)");
}

Message body_too_large(std::size_t limit) {
    const std::string kib = str(static_cast<long long>(limit / 1024));
    return both("要求の本文が " + kib + " KiB の上限を超えています", "the request body is larger than " + kib + " KiB");
}

Message head_too_large(int lines, std::size_t bytes) {
    const std::string n = str(lines);
    const std::string kib = str(static_cast<long long>(bytes / 1024));
    return both("要求のヘッダーが " + n + " 行か " + kib + " KiB の上限を超えています",
                "the request has more than " + n + " header lines or more than " + kib + " KiB of them");
}

Message address_too_long(std::size_t bytes) {
    const std::string kib = str(static_cast<long long>(bytes / 1024));
    return both("要求の行 (アドレス) が " + kib + " KiB の上限を超えています",
                "the request line (the address) is longer than " + kib + " KiB");
}

Message request_too_slow() {
    return both("要求が時間内に届きませんでした", "the request did not arrive in time");
}

Message malformed_request() { return both("要求の形が正しくありません", "malformed request"); }

Message no_such_page() { return both("そのページはありません", "no such page"); }

Message no_such_download(std::string_view names) {
    return both("そのファイルはありません: 渡せるのは " + std::string(names),
                "no such file: the editor hands out " + std::string(names));
}

Message body_not_json() { return both("本文が JSON ではありません", "the body is not JSON"); }

Message body_not_object() { return both("本文が JSON のオブジェクトではありません", "the body is not a JSON object"); }

Message body_without_wall() {
    return both("本文に PlenkL.dat の中身 \"wall\" (文字列) がありません",
                "the body has no \"wall\" string, the text of PlenkL.dat");
}

Message body_value_not_string(std::string_view key, std::string_view file) {
    const std::string k(key);
    return both("\"" + k + "\" (" + std::string(file) + ") が文字列ではありません",
                "\"" + k + "\", the text of " + std::string(file) + ", is not a string");
}

Message character_without_sjis(std::string_view file, int line, std::string_view character, char32_t code) {
    char u[16];
    std::snprintf(u, sizeof u, "U+%04X", static_cast<unsigned>(code));
    const std::string f(file);
    return both(f + " " + str(line) + "行目: 文字「" + std::string(character) + "」(" + u + ") は Shift_JIS にありません",
                f + " line " + str(line) + ": the character \"" + std::string(character) + "\" (" + u +
                    ") has no Shift_JIS form");
}

Message character_lacks_sjis(std::string_view character, char32_t code) {
    char u[16];
    std::snprintf(u, sizeof u, "U+%04X", static_cast<unsigned>(code));
    return both("文字「" + std::string(character) + "」(" + u + ") は Shift_JIS になく、ファイルに書けない",
                "the character \"" + std::string(character) + "\" (" + u + ") has no Shift_JIS form, so no file can hold it");
}

Message text_not_utf8(std::string_view file) {
    return both(std::string(file) + ": 本文が UTF-8 ではありません", std::string(file) + ": the text is not UTF-8");
}

Message save_needs_version() {
    return both("保存には、読み込んだときのフォルダの版 \"version\" が要ります",
                "saving needs the \"version\" of the folder's files the page loaded");
}

Message folder_changed() {
    return both("フォルダのファイルが、読み込んだ後にほかで変わりました。上書きせずに止めます。読み込み直してください",
                "the folder's files changed after the page loaded them; nothing was overwritten, load them again");
}

Message folder_file_not_loaded(const Message& why) {
    return both("フォルダのファイルを編集画面で開けないので、上書きしません: " + why.ja,
                "the editor could not open the folder's files, so it overwrites nothing: " + why.en);
}

Message internal_server_error() { return both("内部エラー", "internal error"); }

Message file_missing(std::string_view file) {
    return both("フォルダに " + std::string(file) + " がありません", "the folder holds no " + std::string(file));
}

Message file_too_large(std::string_view file, std::uintmax_t size, std::size_t limit) {
    const std::string f(file);
    const std::string s = str(static_cast<long long>(size));
    const std::string l = str(static_cast<long long>(limit));
    return both(f + " は " + s + " バイトで、編集画面で開ける " + l + " バイトを超えています (コマンドラインではそのまま使えます)",
                f + " is " + s + " bytes, more than the " + l + " bytes the editor opens (the command line reads it "
                "as it is)");
}

Message file_unreadable(std::string_view file, const Message& reason) {
    return both(std::string(file) + " を読めません: " + reason.ja, "can't read " + std::string(file) + ": " + reason.en);
}

Message file_not_sjis(std::string_view file, int line) {
    const std::string f(file);
    return both(f + " の " + str(line) + "行目に Shift_JIS の文字でないバイトがあります",
                f + " line " + str(line) + " holds bytes that are not Shift_JIS text");
}

Message system_reason(int error_number) {
    const std::string en = std::generic_category().message(error_number);
    const char* ja = nullptr;
    switch (error_number) {
    case EACCES:
    case EPERM: ja = "アクセスが許されていません"; break;
    case ENOENT: ja = "見つかりません"; break;
    case ENOSPC: ja = "ディスクがいっぱいです"; break;
    case EROFS: ja = "読み取り専用のファイルシステムです"; break;
    case EISDIR: ja = "フォルダです"; break;
    case ENOTDIR: ja = "フォルダではありません"; break;
    case EBUSY: ja = "使用中です"; break;
    case EIO: ja = "入出力エラーです"; break;
#ifdef EDQUOT
    case EDQUOT: ja = "ディスクの割り当てを超えています"; break;
#endif
    default: break;
    }
    return both(ja != nullptr ? std::string(ja) + " (" + en + ")" : "システムのエラー (" + en + ")", en);
}

Message cant_create_temporary(std::string_view file, const Message& reason) {
    const std::string f(file);
    return both(f + " の一時ファイルを作れません: " + reason.ja,
                "can't create a temporary file beside " + f + ": " + reason.en);
}

Message cant_write_file(std::string_view file, const Message& reason) {
    return both(std::string(file) + " を書き込めません: " + reason.ja, "can't write " + std::string(file) + ": " + reason.en);
}

Message cant_replace(std::string_view file, const Message& reason) {
    return both(std::string(file) + " を置き換えられません: " + reason.ja,
                "can't replace " + std::string(file) + ": " + reason.en);
}

Message save_stopped(const Message& why, const std::vector<std::string>& written,
                     const std::vector<std::string>& unchanged) {
    return both(why.ja + "。新しい内容になったファイル: " + joined(written, "なし") + "。もとのままのファイル: " +
                    joined(unchanged, "なし"),
                why.en + "; files holding the new text: " + joined(written, "none") +
                    "; files as they were: " + joined(unchanged, "none"));
}

// ---- The design conditions (SekkeiL.dat) and the design checks ------------------------------------

namespace {

std::string plain(double v) { return std::string(TextBuf().plain(v).view()); }
std::string fixed(double v, int decimals) { return std::string(TextBuf().fixed(v, 0, decimals).view()); }

}  // namespace

Message condition_out_of_range(double low, double high, bool low_open, bool high_open, std::string_view unit) {
    const std::string u = unit.empty() ? "" : " " + std::string(unit);
    return both(plain(low) + (low_open ? " より大きく " : " 以上 ") + plain(high) + (high_open ? " 未満" : " 以下") + u +
                    " であること",
                "must be " + std::string(low_open ? "more than " : "at least ") + plain(low) + " and " +
                    (high_open ? "less than " : "at most ") + plain(high) + u);
}

Message unknown_steel_grade(std::string_view shown) {
    return both("鉄筋の材質は SD295 か SD345 (" + quoted_ja(shown) + "は許容応力度の表にない)",
                "the steel grade must be SD295 or SD345 (no allowable stresses for " + quoted_en(shown) + ")");
}

Message slope_not_below_friction(double beta, double phi) {
    return both("地表面勾配 " + plain(beta) + "° がせん断抵抗角 " + plain(phi) + "° 以上で、裏込め土が斜面として立たない",
                "a backfill slope of " + plain(beta) + "° is not below the friction angle of " + plain(phi) +
                    "°: the backfill cannot stand at it");
}

Message seismic_slope_too_steep(double beta, double theta, double phi) {
    return both("地表面勾配 " + plain(beta) + "° と地震合成角 " + fixed(theta, 2) + "° の和がせん断抵抗角 " + plain(phi) +
                    "° 以上で、地震時の主働土圧が定まらない",
                "the backfill slope " + plain(beta) + "° and the seismic angle " + fixed(theta, 2) +
                    "° add up to the friction angle " + plain(phi) + "° or more: no active pressure in the seismic case");
}

Message conditions_value_beyond_last(int line, int last) {
    return both(str(line) + "行目に値がある。SekkeiL.dat の値は " + str(last) + " 行目まで",
                "a value on line " + str(line) + "; SekkeiL.dat holds " + str(last) + " values");
}

Message no_conditions_file() {
    return both("SekkeiL.dat (設計条件) がないため計算書を作れません",
                "lwall --report: no SekkeiL.dat (design conditions) in this folder");
}

Message explain_no_conditions_file() {
    return both("フォルダになし。設計照査はしない", "not in the folder; no design checks");
}

Message explain_default(std::string_view default_text) {
    return both("(既定値 " + std::string(default_text) + ")", "(default " + std::string(default_text) + ")");
}

Message report_pdf_not_written(const Message& why) {
    return both("Lwall-calc.csv は書いたが Lwall-calc.pdf は書けない: " + why.ja,
                "wrote Lwall-calc.csv but not Lwall-calc.pdf: " + why.en);
}

Message cant_remove_report(std::string_view file) {
    return both(std::string(file) + " を削除できません。前の計算書が残っています",
                "can't remove " + std::string(file) + ": an earlier run's report is left in it");
}

Message load_case_name(LoadCase lc) { return lc == LoadCase::seismic ? both("地震時", "seismic") : both("常時", "normal"); }

Message design_section_name(double height_m, bool lowest) {
    const std::string h = fixed(height_m, 3);
    return lowest ? both("最低断面 H=" + h + "m", "lowest section, H = " + h + " m")
                  : both("最高断面 H=" + h + "m", "highest section, H = " + h + " m");
}

Message design_member_name(Member m) {
    switch (m) {
    case Member::heel: return both("かかと版", "heel");
    case Member::toe: return both("つま先版", "toe");
    default: return both("たて壁", "stem");
    }
}

Message design_force_name(ForceKind f) {
    switch (f) {
    case ForceKind::stem: return both("たて壁 自重", "stem, own weight");
    case ForceKind::footing: return both("底版 自重", "footing, own weight");
    case ForceKind::soil_block: return both("かかと上の土", "soil over the heel");
    case ForceKind::soil_wedge: return both("かかと上の土 (盛土三角部)", "soil over the heel, sloping part");
    case ForceKind::surcharge: return both("かかと上の上載荷重", "surcharge over the heel");
    case ForceKind::pressure_h: return both("土圧 水平成分 PH", "earth pressure, horizontal PH");
    case ForceKind::pressure_v: return both("土圧 鉛直成分 PV", "earth pressure, vertical PV");
    }
    return {};
}

Message design_check_name(CheckKind k) {
    switch (k) {
    case CheckKind::eccentricity: return both("転倒 偏心量 |e|", "overturning, eccentricity |e|");
    case CheckKind::sliding: return both("滑動 安全率 Fs", "sliding factor Fs");
    case CheckKind::moment_ratio: return both("転倒 モーメント比 Mr/Mo", "moment ratio Mr/Mo");
    case CheckKind::bearing_toe: return both("地盤反力 つま先 q1", "base pressure at the toe q1");
    case CheckKind::bearing_heel: return both("地盤反力 かかと q2", "base pressure at the heel q2");
    case CheckKind::sigma_c: return both("コンクリート圧縮応力度 σc", "concrete compressive stress σc");
    case CheckKind::sigma_s: return both("鉄筋引張応力度 σs", "steel tensile stress σs");
    case CheckKind::tau: return both("平均せん断応力度 τm", "mean shear stress τm");
    }
    return {};
}

Message design_result(const Message& name, const Message& where, std::string_view value, std::string_view limit,
                      bool at_most, bool ok, const Message& why) {
    const std::string head_ja = name.ja + " (" + where.ja + "): ";
    const std::string head_en = name.en + " (" + where.en + "): ";
    if (value.empty()) return both(head_ja + why.ja + "  " + (ok ? "OK" : "NG"), head_en + why.en + "  " + (ok ? "OK" : "NG"));
    if (limit.empty()) return both(head_ja + std::string(value) + "  (参考値)", head_en + std::string(value) + "  (for reference)");
    const std::string v(value), l(limit);
    return both(head_ja + v + (at_most ? " ≦ " : " ≧ ") + l + "  " + (ok ? "OK" : "NG"),
                head_en + v + (at_most ? " <= " : " >= ") + l + "  " + (ok ? "OK" : "NG"));
}

Message design_check_failed(const Message& name, const Message& where, std::string_view value,
                            std::string_view limit, bool at_most, const Message& why) {
    const std::string head_ja = "設計照査 (SekkeiL.dat): " + name.ja + " (" + where.ja + "): ";
    const std::string head_en = "design check (SekkeiL.dat): " + name.en + ", " + where.en + ": ";
    if (value.empty()) return both(head_ja + why.ja, head_en + why.en);
    const std::string v(value), l(limit);
    return at_most ? both(head_ja + v + " が許容値 " + l + " を超える", head_en + v + " exceeds the limit " + l)
                   : both(head_ja + v + " が必要値 " + l + " を下回る", head_en + v + " is below the required " + l);
}

Message design_no_value(CheckKind k) {
    switch (k) {
    case CheckKind::sliding:
    case CheckKind::moment_ratio: return both("水平力がない", "no horizontal force");
    case CheckKind::sigma_c:
    case CheckKind::sigma_s:
    case CheckKind::tau: return both("引張側の鉄筋か有効高さがなく計算できない", "no tension bars or no effective depth to compute with");
    default: return both("合力の作用位置が底版の外にある", "the resultant acts outside the base");
    }
}

Message design_conditions_heading(bool with_file) {
    return with_file ? both("# 設計照査 (SekkeiL.dat)", "# design checks (SekkeiL.dat)")
                     : both("# 設計照査: SekkeiL.dat がないため行わない", "# design checks: none, no SekkeiL.dat");
}

}  // namespace msg

}  // namespace lwall
