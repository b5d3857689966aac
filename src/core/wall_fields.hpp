#pragma once
// The catalogue of the input files: every one of the 165 fields of PlenkL.dat, the eight of the
// title file HyodaiL.dat and the fourteen of the design conditions SekkeiL.dat, in file order,
// with the file and line it stands on, its name as every
// message spells it ("footing_left_width", "W1.pitch[2]", "S2.dia", "project"), whether it is written
// whole, may have decimals or is text, its unit, a short Japanese and English label and a one-line
// meaning in both languages. The readers fill the records through it; the messages, lwall --explain, the README's
// input tables and the editor take their names and labels from it and from nowhere else.
//
// Japanese labels are UTF-8 here; the console and the files get them through to_sjis().

#include <string>
#include <string_view>
#include <vector>

#include "core/design_conditions.hpp"
#include "core/messages.hpp"
#include "core/title_block.hpp"
#include "core/wall_input.hpp"

namespace lwall {

inline constexpr std::string_view kWallFileName = "PlenkL.dat";
inline constexpr int kWallFileLines = 43;
inline constexpr int kWallFieldCount = 165;
inline constexpr std::string_view kTitleFileName = "HyodaiL.dat";
inline constexpr int kTitleFileLines = kTitleValueCount;
inline constexpr int kConditionsFileLines = kConditionsValueCount;

// The file a field or a group belongs to.
enum class InputFile { wall, title, conditions };
std::string_view input_file_name(InputFile file);

enum class FieldKind { decimal, whole, text };

// What an opt[i] value of a mark holds; the other fields hold what their name says.
enum class OptRole { none, zone_diameter, second_diameter, offset, unused };

// Where a field's value lives in WallInput.
enum class FieldPart { scalar, zones, dia, opt, pitch, count, tie_dia, title_text, condition_real, condition_grade,
                       condition_method };

// The values a design condition may take: from `low` to `high`, each end in or out.
struct FieldRange {
    double low = 0;
    double high = 0;
    bool low_open = false;
    bool high_open = false;
    bool holds(double v) const {
        return (low_open ? v > low : v >= low) && (high_open ? v < high : v <= high);
    }
};

// The groups of the file, in file order: the outline, the covers, the member length, one per bar
// mark (F1 ... W5) and the ties.
struct WallFieldGroup {
    InputFile file = InputFile::wall;
    std::string key;       // "outline", "covers", "member_length", "F1" ... "W5", "ties"; "title"; "design"
    std::string label_ja;  // "外形", "F1 底版上側主鉄筋" ...
    std::string label_en;  // "Outline", "F1 top transverse footing bars" ...
};

struct WallField {
    InputFile file = InputFile::wall;
    int line = 0;      // PlenkL.dat: 1 ... 43, the line as the file is written without blank lines;
                       // HyodaiL.dat: 1 ... 7, SekkeiL.dat: 1 ... 14, the line itself
    int position = 0;  // 1-based place of the value on its line
    std::string name;  // as every message spells it
    FieldKind kind = FieldKind::decimal;
    std::string unit;  // "mm", or empty for a number of zones or spacings and for a value not used
    std::string label_ja;
    std::string label_en;
    std::string meaning;     // one line, English
    std::string meaning_ja;  // the same line in Japanese
    int group = 0;        // index into field_groups()
    // Where the value lives: a length of the outline, the covers or the member length; or a value of
    // a bar mark (its zone or opt index 1 ... 5); or a tie's diameter; or a title value (its index
    // into TitleInput::values).
    FieldPart part = FieldPart::scalar;
    double WallInput::*scalar = nullptr;
    BarGroup WallInput::*mark = nullptr;
    TieGroup WallInput::*tie = nullptr;
    int index = 0;
    OptRole opt_role = OptRole::none;
    bool used = true;  // false for a value the drawings read and ignore
    std::size_t max_bytes = 0;  // text: the most Shift_JIS bytes its box holds
    // A design condition: where its number lives, the values it may take and its default as the
    // catalogue states it ("19", "SD345", "1.5 × bearing_normal").
    double DesignConditions::*condition = nullptr;
    FieldRange range;
    std::string_view default_text;
};

// The fields of PlenkL.dat, of HyodaiL.dat and of SekkeiL.dat.
const std::vector<WallField>& wall_fields();
const std::vector<WallField>& title_fields();
const std::vector<WallField>& condition_fields();
const std::vector<WallField>& input_fields(InputFile file);
// The groups of the files, PlenkL.dat's first, then HyodaiL.dat's, then SekkeiL.dat's.
const std::vector<WallFieldGroup>& field_groups();

// The field called `name`; nullptr when there is none.
const WallField* find_wall_field(std::string_view name);

// The fields of one line of the file (1 ... 43), in order.
std::vector<const WallField*> wall_fields_on_line(int line);

// "W1.pitch[2]": the name of a mark's field with its zone or opt index.
std::string mark_field_name(std::string_view mark, std::string_view part, int index);

// The value of a field, whole numbers as doubles.
double wall_field_value(const WallInput& w, const WallField& f);
// The place a field's value is stored: exactly one of the two is set, by the field's kind.
double* wall_field_real(WallInput& w, const WallField& f);
int* wall_field_whole(WallInput& w, const WallField& f);

// The line of PlenkL.dat that holds `field` ("W1.dia", "length_left", ...), counting blank lines;
// an unknown name is a fault of the program (std::logic_error).
int wall_field_line(const WallInput& w, std::string_view field);

// The field as a message names it: PlenkL.dat, its line (counting blank lines), name and label.
FieldRef wall_field_ref(const WallInput& w, std::string_view field);

// "たて壁厚 (wall_thickness, PlenkL.dat 1行目): …" / "PlenkL.dat line 1, wall_thickness: …", the
// one form of every message about a wall value.
Message wall_field_message(const WallInput& w, std::string_view field, const Message& what);

// Refuses a value that the reader accepted but the wall cannot be drawn with: throws RunFailure
// with status 6 and the message above.
[[noreturn]] void refuse_wall_field(const WallInput& w, std::string_view field, const Message& what);

}  // namespace lwall
