#pragma once
// The catalogue of messages: every text a user reads, in Japanese and in English, beside the
// catalogue of the fields it names. The readers' refusals, the checks' findings, the stops of a
// run, the command line's own lines and the editor's answers are all made here and nowhere else;
// the code that finds a fault hands over its numbers and names, never words.
//
// Texts are UTF-8 here, like the field labels; the console and the files get them through
// core/sjis. Japanese is the default everywhere; English is asked for (--lang en, LANG=en_US, a
// "lang" of the editor's request). The console lines the drawing program has always printed
// ("can't create PlenkL.dat", 「幅の制限を超えています。」, the member-length sentence) are the same
// in both languages.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/design_conditions.hpp"

namespace lwall {

enum class Lang { ja, en };

// "ja" or "en" (also "en_US.UTF-8", "en-GB", "ja_JP"); nothing for any other text.
std::optional<Lang> parse_lang(std::string_view text);

// The language of messages from the locale variables as POSIX orders them: the first of LC_ALL,
// LC_MESSAGES and LANG that is set and not empty decides; English when it starts with "en",
// Japanese otherwise (also "C" and "POSIX").
Lang lang_from_locale(const char* lc_all, const char* lc_messages, const char* lang);

// Whether the console takes UTF-8, from LC_ALL, LC_CTYPE and LANG in that order (the first set and
// not empty decides): true when it names UTF-8 ("ja_JP.UTF-8", "C.utf8").
bool locale_is_utf8(const char* lc_all, const char* lc_ctype, const char* lang);

// How a console takes messages: in which language, and as UTF-8 or as Shift_JIS (a Windows
// console, and a POSIX one whose locale does not say UTF-8).
struct ConsoleStyle {
    Lang lang = Lang::ja;
    bool utf8 = false;
};

// UTF-8 text as the console takes it (a character Shift_JIS lacks as '?').
std::string console_text(std::string_view utf8_text, const ConsoleStyle& style);

// One message in both languages (UTF-8).
struct Message {
    std::string ja;
    std::string en;

    const std::string& in(Lang lang) const { return lang == Lang::en ? en : ja; }
    bool empty() const { return ja.empty() && en.empty(); }
    bool operator==(const Message&) const = default;
};

// A text that reads the same in both languages (a file name, a console line of the drawing program).
Message same_text(std::string_view text);

// A value of an input file as a message names it: its file, line, name ("wall_thickness", "row 2
// colour", "footing_left_width + wall_thickness + footing_right_width") and Japanese label.
struct FieldRef {
    std::string_view file;
    int line = 0;
    std::string_view name;
    std::string_view label_ja;
};

// The one form of every message about an input value:
//   ja: たて壁厚 (wall_thickness, PlenkL.dat 1行目): 数値でない「２３００」
//   en: PlenkL.dat line 1, wall_thickness: expected a number, found "２３００"
Message field_message(const FieldRef& field, const Message& what);

namespace msg {

// ---- Reading the input files -------------------------------------------------------------------
// `shown` is the offending text as the message shows it (UTF-8, shortened, control bytes as '?').
Message not_a_number(std::string_view shown, bool whole);
Message not_whole(std::string_view shown);
Message not_finite(std::string_view shown);
Message out_of_range(std::string_view shown, bool whole, long long limit);
Message zones_out_of_range(int found);
Message value_empty();  // an empty value between two commas, or an empty field of the editor
// A field of the editor holding what would be several values of the file ("2,45", pasted lines).
Message several_values(std::string_view shown);
Message blank_before_comma();
Message expected_comma_or_end(std::string_view shown);
Message number_after_comma();
Message more_values_than_line(int holds);
Message expected_line_end(std::string_view shown);
Message layer_file_ends_in_row();
Message negative_layer_count(int found);
// The values of HyodaiL.dat.
Message title_value_is_utf8();
Message not_sjis_byte(unsigned byte, std::size_t at);
Message control_character(unsigned byte, std::size_t at);
Message too_long_for_box(std::size_t bytes, std::size_t box);
// A text that reaches the SXF sheets holding "*/", which ends the comment each feature stands in.
Message ends_sheet_comment();
Message title_value_beyond_last(int line, int values);
std::string title_extra_value_label();
// lwall --explain of HyodaiL.dat
Message explain_no_title_file(std::string_view default_name);
Message explain_empty();
Message explain_empty_default(std::string_view default_name);
// The Japanese labels of the values of GasouL.dat.
std::string layer_count_label();
enum class LayerPart { colour, line_type, pen_width, name };
std::string layer_row_name(int row, LayerPart part);   // "row 2 colour"
std::string layer_row_label(int row, LayerPart part);  // 画層2の色番号

// ---- A wall the drawings cannot hold ---------------------------------------------------------
Message must_not_be_negative();
Message must_be_positive();
Message pitch_below_minimum(double minimum);
enum class Measure { wall_length, wall_height, footing_width };
Message zones_span_too_far(std::string_view mark, double span, Measure measure, double size, double times);
Message wall_end_too_high(double height, double limit, double limit_at_reference);
Message wall_without_length();
Message diameter_too_large(int diameter, int limit);
Message too_many_s2_ties(long long ties);
Message no_run_between_end_covers();
// The work bound: the sheet would draw far more than any real wall.
Message sheet_beyond_work_bound(long long bars, long long bound, std::string_view marks);

// ---- The stops of a run (the console line stays the drawing program's own; the detail names the
// fields and the limit for --check and the editor) -------------------------------------------------
Message cant_create(std::string_view file);  // "can't create PlenkL.dat", the same in both languages
Message cant_read(std::string_view file);  // a file that is there and cannot be read
Message layer_file_missing();  // what can't create GasouL.dat means, for the editor
Message cant_write(std::string_view file);
Message cant_remove_spreadsheet();  // after a stop, a Lwall.csv of an earlier run
Message cant_write_because(std::string_view file, std::string_view why);
// lwall --pdf where no PDF can be made, and the font that stands in for the sheet's own.
Message pdf_not_in_build();
Message pdf_module_not_loaded(std::string_view why);
Message pdf_module_of_another_build(std::string_view path);
Message pdf_no_japanese_font();
Message pdf_font_stands_in(std::string_view family);
Message too_wide();   // 幅の制限を超えています。
Message too_high();   // 高さの制限を超えています。
Message over_limit(std::string_view what_ja, std::string_view what_en, double sum, double limit);
Message member_too_long();  // 最大部材長を長くするか擁壁延長を短くしてください。
Message member_too_long_detail(double second_piece, double max_length, double run);
std::string member_box_caption();  // エラーです
std::string member_box_text();     // 注意：最大部材長を…
Message internal_error(std::string_view what);

// ---- Findings of the checks ----------------------------------------------------------------------
enum class WallEnd { left, right };
Message zones_past_end_cover(const std::vector<int>& zones, WallEnd end, double span, double room);
enum class TopOf { level, lower_end, higher_end };
Message rows_above_top(double reach, TopOf top, double limit);
Message faces_with_each_others_counts(int zone, int w3_count, int w4_count);
Message zones_wider_than_footing(double span, double room);
Message wall_covers_leave_no_room(int front_dia, int back_dia, double need, double thickness);
Message footing_covers_leave_no_room(double need, double thickness);
enum class LongBar { w3_full, w4_full, w3_along_slope, w4_along_slope, f3, f4 };
Message second_piece_too_long(LongBar bar, double second, double max_length);
Message no_unit_mass(int diameter);
Message zone_without_spacings(int zone, std::string_view mark, int zones);
Message zones_short_of_end(const std::vector<int>& zones, WallEnd end, double bare, double pitch);
Message longer_than_stock_bars(double max_length, double longest);
// A lap as the drawings lay it out, shorter than the sheet's rule for it: two pieces of one bar
// against the lap the bending drawings state ("400以上"), or a vertical bar against the legs of the
// cap bar W5 (20 diameters of W5).
Message splice_shorter_than_stated(std::string_view first, std::string_view second, double overlap, double stated);
Message cap_lap_too_short(std::string_view bar, double x, double overlap, int cap_dia, double rule);
Message warning_line(const Message& finding);  // "警告: …" / "warning: …"

// ---- The sheet read back: a label, a leg or a table that disagrees with the rest of the sheet ----
Message audit_label_without_row(std::string_view label);
Message audit_label_against_row(std::string_view mark, std::string_view what_ja, std::string_view what_en,
                                std::string_view drawn, std::string_view listed);
Message audit_row_not_drawn(std::string_view mark);
enum class SheetPart { bending_drawing, bending_schedule };
Message audit_legs_against_length(SheetPart where, std::string_view mark, double legs, double length);
Message audit_lap_against_stated(std::string_view first, std::string_view second, double overlap, double stated);
Message audit_callout_without_row(std::string_view mark);
Message audit_callout_size(std::string_view mark, std::string_view drawn, std::string_view listed);
Message audit_mass_row(std::string_view mark, std::string_view what_ja, std::string_view what_en,
                       std::string_view printed, std::string_view expected);
Message audit_steel_total(std::string_view size, std::string_view printed, std::string_view expected);
Message audit_table_missing(std::string_view title);
Message audit_failed(int disagreements);  // the run's console line

// ---- The command line ----------------------------------------------------------------------------
Message usage();
Message help();
Message unknown_option(std::string_view option);
Message option_alone(std::string_view option);
Message lang_value(std::string_view found);
Message serve_not_built(std::string_view why);
// Where the editor is a module beside the program (lwall-serve.so) that cannot be used.
Message serve_module_not_loaded(std::string_view why);
Message serve_module_of_another_build(std::string_view path);
// lwall --explain
std::string explain_line_word(Lang lang);  // "line" / "行"
Message explain_not_in_file();
Message explain_refused();
Message explain_not_used();

// ---- lwall serve ---------------------------------------------------------------------------------
Message serve_usage();
Message serve_unknown_option(std::string_view option);
Message serve_needs_value(std::string_view option);
Message serve_port_range(std::string_view found);
Message serve_not_a_folder(std::string_view folder);
Message serve_cant_listen(std::string_view address);
Message serving(std::string_view url);
Message serve_cant_open_browser(const Message& why);
Message no_browser_program();
Message cant_run_opener(std::string_view program, const Message& reason);
Message serve_stopped(std::string_view url);
Message serve_open_to_network(std::string_view host, std::string_view folder);

// ---- The editor's answers ------------------------------------------------------------------------
Message foreign_host();
Message token_needed();
Message foreign_origin();
Message method_not_allowed(std::string_view method, std::string_view allowed);
Message json_body_needed();
Message length_needed();
Message body_too_large(std::size_t limit);
Message head_too_large(int lines, std::size_t bytes);
Message address_too_long(std::size_t bytes);
Message request_too_slow();
Message malformed_request();
Message no_such_page();
Message no_such_download(std::string_view names);
Message body_not_json();
Message body_not_object();
Message body_without_wall();
Message body_value_not_string(std::string_view key, std::string_view file);
Message character_without_sjis(std::string_view file, int line, std::string_view character, char32_t code);
Message text_not_utf8(std::string_view file);
// The same as the refusal of a value (field_message gives its field).
Message character_lacks_sjis(std::string_view character, char32_t code);
Message save_needs_version();
Message folder_changed();
Message folder_file_not_loaded(const Message& why);
Message internal_server_error();

// The files of the served folder.
Message file_missing(std::string_view file);
Message file_too_large(std::string_view file, std::uintmax_t size, std::size_t limit);
Message file_unreadable(std::string_view file, const Message& reason);
Message file_not_sjis(std::string_view file, int line);
Message system_reason(int error_number);  // errno as a reason
Message cant_create_temporary(std::string_view file, const Message& reason);
Message cant_write_file(std::string_view file, const Message& reason);
Message cant_replace(std::string_view file, const Message& reason);
// A save that stopped half way: which files hold the new text and which the old.
Message save_stopped(const Message& why, const std::vector<std::string>& written,
                     const std::vector<std::string>& unchanged);

// ---- The design conditions (SekkeiL.dat) and the design checks ------------------------------------
Message condition_out_of_range(double low, double high, bool low_open, bool high_open, std::string_view unit);
Message unknown_steel_grade(std::string_view shown);
Message slope_not_below_friction(double beta, double phi);
Message seismic_slope_too_steep(double beta, double theta, double phi);
Message conditions_value_beyond_last(int line, int last);
Message no_conditions_file();  // lwall --report in a folder without SekkeiL.dat
Message explain_no_conditions_file();
Message explain_default(std::string_view default_text);  // (既定値 19) / (default 19)
Message report_pdf_not_written(const Message& why);     // --report wrote the CSV but no PDF
Message cant_remove_report(std::string_view file);       // after a stop, an earlier run's report
// The names the results are listed under.
Message load_case_name(LoadCase lc);                      // 常時 / normal
Message design_section_name(double height_m, bool lowest);  // 最高断面 H=2.300m / highest section, H = 2.300 m
Message design_member_name(Member m);                     // たて壁 / stem
Message design_force_name(ForceKind f);
Message design_check_name(CheckKind k);                   // 滑動 安全率 Fs / sliding factor Fs
// One result against its limit: "<name> (<case>, <section>[, <bars>]): <value> ≦ <limit>  OK".
// `bars` empty for the stability; `limit` empty for a value reported without a limit; `value`
// empty where none can be given (with `why`).
Message design_result(const Message& name, const Message& where, std::string_view value, std::string_view limit,
                      bool at_most, bool ok, const Message& why);
// A result that fails, as a finding: the check, the case, the value and the limit.
Message design_check_failed(const Message& name, const Message& where, std::string_view value,
                            std::string_view limit, bool at_most, const Message& why);
Message design_no_value(CheckKind k);  // why a result has no value (nothing pushes the wall ...)
Message design_conditions_heading(bool with_file);  // --check: the heading before the results

}  // namespace msg

}  // namespace lwall
