#include "core/wall_fields.hpp"

#include <iterator>
#include <stdexcept>

#include "core/run_failure.hpp"

namespace lwall {

namespace {

constexpr int kOutline = 0, kCovers = 1, kMemberLength = 2;

// Lines 1 to 6: the outline, the covers and the member length.
struct Scalar {
    int line;
    int group;
    const char* name;
    double WallInput::*member;
    const char* label_ja;
    const char* label_en;
    const char* meaning;
    const char* meaning_ja;
};

const Scalar kScalars[] = {
    {1, kOutline, "footing_left_width", &WallInput::footing_left_width, "つま先版幅", "toe width",
     "footing beyond the wall's front face (left in the section)", "たて壁の前面より先に出る底版の幅 (断面図の左側)"},
    {1, kOutline, "wall_thickness", &WallInput::wall_thickness, "たて壁厚", "wall thickness",
     "thickness of the wall", "たて壁の厚さ"},
    {1, kOutline, "footing_right_width", &WallInput::footing_right_width, "かかと版幅", "heel width",
     "footing beyond the wall's back face (right in the section)", "たて壁の背面より先に出る底版の幅 (断面図の右側)"},
    {2, kOutline, "wall_height", &WallInput::wall_height, "たて壁高", "wall height",
     "wall height above the footing at the reference point; the height limit takes it",
     "基準点での底版上面からのたて壁の高さ。高さの制限はこの値で見る"},
    {2, kOutline, "footing_thickness", &WallInput::footing_thickness, "底版厚", "footing thickness",
     "thickness of the footing slab", "底版の厚さ"},
    {2, kOutline, "height_left", &WallInput::height_left, "左端壁高", "height, left end",
     "wall height above the footing at the left end", "左端での底版上面からのたて壁の高さ"},
    {2, kOutline, "height_right", &WallInput::height_right, "右端壁高", "height, right end",
     "wall height above the footing at the right end; equal end heights give a level top",
     "右端での底版上面からのたて壁の高さ。左右の端が同じ高さなら天端は水平"},
    {3, kOutline, "length_left", &WallInput::length_left, "左側延長", "length left",
     "wall length left of the reference point", "基準点より左側の擁壁の延長"},
    {3, kOutline, "length_right", &WallInput::length_right, "右側延長", "length right",
     "wall length right of the reference point", "基準点より右側の擁壁の延長"},
    {4, kCovers, "cover1", &WallInput::cover1, "底版下面かぶり", "cover, footing underside",
     "cover at the underside of the footing", "底版下面のかぶり"},
    {4, kCovers, "cover2", &WallInput::cover2, "底版上面かぶり", "cover, footing top",
     "cover at the top of the footing", "底版上面のかぶり"},
    {4, kCovers, "cover3", &WallInput::cover3, "前面かぶり(縦筋)", "cover, front face",
     "front face to the vertical bars; also the end cover of the longitudinal footing bars",
     "前面から縦筋までのかぶり。底版配力筋の端部のかぶりも兼ねる"},
    {4, kCovers, "cover4", &WallInput::cover4, "背面かぶり(幅止め筋)", "cover, back face, ties",
     "back face to the ties and the cap bar; also the ends of the transverse footing bars",
     "背面から幅止め筋と天端筋までのかぶり。底版主鉄筋の端部のかぶりも兼ねる"},
    {4, kCovers, "cover5", &WallInput::cover5, "前面かぶり(横筋)", "cover, front horizontal bars",
     "front face to the horizontal bars; also one end of the top transverse footing bar",
     "前面から横筋までのかぶり。底版上側主鉄筋の一方の端部のかぶりも兼ねる"},
    {4, kCovers, "cover6", &WallInput::cover6, "背面かぶり(縦筋)", "cover, back face",
     "back face to the vertical bars; also the other end of the top transverse footing bar",
     "背面から縦筋までのかぶり。底版上側主鉄筋のもう一方の端部のかぶりも兼ねる"},
    {5, kCovers, "cover_wall_top", &WallInput::cover_wall_top, "天端かぶり", "cover, wall top",
     "cover at the top of the wall", "たて壁の天端のかぶり"},
    {6, kCovers, "end_cover_left", &WallInput::end_cover_left, "左端かぶり", "end cover, left",
     "cut-back of the bars along the wall at the left end", "左端で壁に沿う鉄筋を止める、壁の端からの長さ"},
    {6, kCovers, "end_cover_right", &WallInput::end_cover_right, "右端かぶり", "end cover, right",
     "cut-back of the bars along the wall at the right end", "右端で壁に沿う鉄筋を止める、壁の端からの長さ"},
    {6, kMemberLength, "max_bar_length", &WallInput::max_bar_length, "最大部材長", "maximum member length",
     "longer bars are made of two lapped pieces", "これより長い鉄筋は2本を重ね継手でつないで作る"},
};

struct Mark {
    const char* key;
    BarGroup WallInput::*member;
    const char* label_ja;
    const char* label_en;
    // Where the zones lie, for the meaning of a spacing.
    const char* zone_place;
    const char* zone_place_ja;
    bool zones_read;  // the drawings read `zones` for this mark
    OptRole opt_roles[4];
};

const Mark kMarks[] = {
    {"F1", &WallInput::F1, "底版上側主鉄筋", "top transverse footing bars",
     "along the wall; the plan draws zones 2 then 1 toward the right end, 3 and 4 stand for the other half",
     "壁に沿って並び、平面図では右端へ向かって区間2、区間1の順に描く。区間3と4は残りの半分を表す", false,
     {OptRole::unused, OptRole::unused, OptRole::unused, OptRole::unused}},
    {"F2", &WallInput::F2, "底版下側主鉄筋", "bottom transverse footing bars",
     "along the wall; the plan draws zones 2 then 1 toward the left end, 3 and 4 stand for the other half",
     "壁に沿って並び、平面図では左端へ向かって区間2、区間1の順に描く。区間3と4は残りの半分を表す", false,
     {OptRole::unused, OptRole::unused, OptRole::unused, OptRole::unused}},
    {"F3", &WallInput::F3, "底版上側配力筋", "top longitudinal footing bars",
     "across the footing, zones 1, 2, 3 ... from the toe end to the heel end",
     "底版を横切って並び、つま先側の端からかかと側の端へ区間1、2、3 … の順", true,
     {OptRole::zone_diameter, OptRole::zone_diameter, OptRole::zone_diameter, OptRole::zone_diameter}},
    {"F4", &WallInput::F4, "底版下側配力筋", "bottom longitudinal footing bars",
     "across the footing, zones 1, 2, 3 ... from the toe end to the heel end",
     "底版を横切って並び、つま先側の端からかかと側の端へ区間1、2、3 … の順", true,
     {OptRole::zone_diameter, OptRole::zone_diameter, OptRole::zone_diameter, OptRole::zone_diameter}},
    {"W1", &WallInput::W1, "背面縦筋", "back-face vertical bars",
     "along the wall; zones 2 then 1 left of the reference point, 3 then 4 right of it",
     "壁に沿って並び、基準点の左に区間2、区間1、右に区間3、区間4の順", false,
     {OptRole::second_diameter, OptRole::unused, OptRole::unused, OptRole::unused}},
    {"W2", &WallInput::W2, "前面縦筋", "front-face vertical bars",
     "along the wall; zones 2 then 1 left of the reference point, 3 then 4 right of it",
     "壁に沿って並び、基準点の左に区間2、区間1、右に区間3、区間4の順", false,
     {OptRole::second_diameter, OptRole::unused, OptRole::unused, OptRole::unused}},
    {"W3", &WallInput::W3, "背面横筋", "back-face horizontal bars",
     "up the wall from the top of the footing less cover2, zone 1 then zone 2",
     "底版上面から cover2 を引いた高さから壁を上へ、区間1、区間2の順", true,
     {OptRole::zone_diameter, OptRole::zone_diameter, OptRole::zone_diameter, OptRole::zone_diameter}},
    {"W4", &WallInput::W4, "前面横筋", "front-face horizontal bars",
     "up the wall from the top of the footing less cover2, zone 1 then zone 2",
     "底版上面から cover2 を引いた高さから壁を上へ、区間1、区間2の順", true,
     {OptRole::zone_diameter, OptRole::zone_diameter, OptRole::zone_diameter, OptRole::zone_diameter}},
    {"W5", &WallInput::W5, "天端筋", "cap bars over the wall top",
     "along the wall; zones 2 then 1 left of the reference point, 3 then 4 right of it",
     "壁に沿って並び、基準点の左に区間2、区間1、右に区間3、区間4の順", false,
     {OptRole::offset, OptRole::offset, OptRole::offset, OptRole::unused}},
};

std::string zone_text(int i) { return std::to_string(i); }

void add_mark(std::vector<WallField>& out, const Mark& m, int first_line, int group) {
    const std::string key = m.key;
    auto field = [&](int line, int position, FieldPart part, int index, FieldKind kind) {
        WallField f;
        f.line = line;
        f.position = position;
        f.kind = kind;
        f.part = part;
        f.mark = m.member;
        f.index = index;
        f.group = group;
        return f;
    };

    WallField zones = field(first_line, 1, FieldPart::zones, 0, FieldKind::whole);
    zones.name = key + ".zones";
    zones.label_ja = "区間数";
    zones.label_en = "zones in use";
    zones.used = m.zones_read;
    zones.meaning = m.zones_read ? "number of spacing zones in use, 0 to 5"
                                 : "number of zones, 0 to 5; the drawings of " + key + " use fixed zones";
    zones.meaning_ja = m.zones_read ? "使う区間の数 (0 から 5)" : "区間の数 (0 から 5)。" + key + " の図面は決まった区間で描く";
    out.push_back(zones);

    WallField dia = field(first_line + 1, 1, FieldPart::dia, 0, FieldKind::whole);
    dia.name = key + ".dia";
    dia.unit = "mm";
    dia.label_ja = "径";
    dia.label_en = "diameter";
    dia.meaning = std::string("bar diameter of the ") + m.label_en + " (13 means D13)" +
                  (m.opt_roles[0] == OptRole::zone_diameter ? ", zone 1" : "");
    dia.meaning_ja = std::string(m.label_ja) + "の鉄筋径 (13 で D13)" +
                     (m.opt_roles[0] == OptRole::zone_diameter ? "。区間1の径" : "");
    out.push_back(dia);
    for (int i = 1; i <= 4; ++i) {
        WallField o = field(first_line + 1, 1 + i, FieldPart::opt, i, FieldKind::whole);
        o.name = mark_field_name(key, "opt", i);
        o.opt_role = m.opt_roles[i - 1];
        switch (o.opt_role) {
        case OptRole::zone_diameter:
            o.unit = "mm";
            o.label_ja = "区間" + zone_text(i + 1) + "の径";
            o.label_en = "diameter, zone " + zone_text(i + 1);
            o.meaning = "bar diameter of zone " + zone_text(i + 1) + " (0: no bars drawn in the section there)";
            o.meaning_ja = "区間" + zone_text(i + 1) + "の鉄筋径 (0: 断面図ではそこに鉄筋を描かない)";
            break;
        case OptRole::second_diameter:
            o.unit = "mm";
            o.label_ja = "第2径";
            o.label_en = "second diameter";
            o.meaning = "second bar diameter, for the anchor leg of a length class under a sloped top";
            o.meaning_ja = "傾斜した天端の下の長さの区分で、定着する脚に使う2つ目の鉄筋径";
            break;
        case OptRole::offset:
            o.unit = "mm";
            o.label_ja = "ずらし" + zone_text(i);
            o.label_en = "offset " + zone_text(i);
            o.meaning = "shifts the first cap bars of a zone off the plain grid (0: the plain grid)";
            o.meaning_ja = "区間の初めの天端筋を等間隔の位置からずらす量 (0: ずらさない)";
            break;
        default:
            o.used = false;
            o.label_ja = "予備" + zone_text(i);
            o.label_en = "spare " + zone_text(i);
            o.meaning = "read and not used for " + key;
            o.meaning_ja = key + " では読むだけで使わない値";
            break;
        }
        out.push_back(o);
    }
    for (int i = 1; i <= 5; ++i) {
        WallField p = field(first_line + 2, i, FieldPart::pitch, i, FieldKind::decimal);
        p.name = mark_field_name(key, "pitch", i);
        p.unit = "mm";
        p.label_ja = "区間" + zone_text(i) + "ピッチ";
        p.label_en = "spacing, zone " + zone_text(i);
        p.meaning = "bar spacing of zone " + zone_text(i) + "; zones lie " + m.zone_place;
        p.meaning_ja = "区間" + zone_text(i) + "の鉄筋の間隔。区間は" + m.zone_place_ja;
        out.push_back(p);
    }
    for (int i = 1; i <= 5; ++i) {
        WallField c = field(first_line + 3, i, FieldPart::count, i, FieldKind::whole);
        c.name = mark_field_name(key, "count", i);
        c.label_ja = "区間" + zone_text(i) + "間隔数";
        c.label_en = "spacings, zone " + zone_text(i);
        c.meaning = "number of spacings of zone " + zone_text(i) + "; the zone is count x pitch long";
        c.meaning_ja = "区間" + zone_text(i) + "の間隔の数。区間の長さは 間隔数 × ピッチ";
        out.push_back(c);
    }
}

struct Catalogue {
    std::vector<WallFieldGroup> groups;
    std::vector<WallField> fields;
    std::vector<WallField> title;
};

// SekkeiL.dat: one value a line. Each with its range and its default, which a blank line takes.
struct Condition {
    const char* name;
    FieldPart part;
    double DesignConditions::*member;
    FieldKind kind;
    const char* unit;
    const char* label_ja;
    const char* label_en;
    const char* meaning;
    const char* meaning_ja;
    FieldRange range;
    const char* default_text;
};

constexpr double kOpenEnd = 1e6;

const Condition kConditions[kConditionsValueCount] = {
    {"soil_unit_weight", FieldPart::condition_real, &DesignConditions::soil_unit_weight, FieldKind::decimal, "kN/m3",
     "裏込め土の単位体積重量", "backfill unit weight", "unit weight of the backfill, γ",
     "裏込め土の単位体積重量 γ", {0, 30, true, false}, "19"},
    {"friction_angle", FieldPart::condition_real, &DesignConditions::friction_angle, FieldKind::decimal, "deg",
     "裏込め土のせん断抵抗角", "backfill friction angle", "angle of internal friction of the backfill, φ",
     "裏込め土のせん断抵抗角 φ", {0, 60, true, true}, "30"},
    {"cohesion", FieldPart::condition_real, &DesignConditions::cohesion, FieldKind::decimal, "kN/m2",
     "裏込め土の粘着力", "backfill cohesion", "cohesion of the backfill, c; the trial wedge counts it on the slip plane",
     "裏込め土の粘着力 c (試行くさび法ではすべり面に作用させる)", {0, 200, false, false}, "0"},
    {"backfill_slope", FieldPart::condition_real, &DesignConditions::backfill_slope, FieldKind::decimal, "deg",
     "背面の地表面勾配", "backfill slope", "slope of the backfill surface from the wall top, β, rising away from the wall; less than φ",
     "壁天端から背面側へ上る地表面の角度 β (φ 未満)", {0, 45, false, true}, "0"},
    {"surcharge", FieldPart::condition_real, &DesignConditions::surcharge, FieldKind::decimal, "kN/m2",
     "上載荷重", "surcharge", "uniform load on the backfill surface, q; normal case only",
     "地表面に載る等分布荷重 q (常時のみ)", {0, 500, false, false}, "10"},
    {"surcharge_offset", FieldPart::condition_real, &DesignConditions::surcharge_offset, FieldKind::decimal, "m",
     "上載荷重の開始位置", "surcharge starts at", "distance from the wall's back face to where the surcharge starts",
     "壁背面から上載荷重の始まる位置までの水平距離", {0, 100, false, false}, "0"},
    {"seismic_coefficient", FieldPart::condition_real, &DesignConditions::seismic_coefficient, FieldKind::decimal, "",
     "設計水平震度", "seismic coefficient", "design horizontal seismic coefficient, kh; 0: no seismic case",
     "設計水平震度 kh (0: 地震時を計算しない)", {0, 0.5, false, false}, "0"},
    {"base_friction", FieldPart::condition_real, &DesignConditions::base_friction, FieldKind::decimal, "",
     "底面の摩擦係数", "base friction coefficient", "friction coefficient between the footing and the ground, μ",
     "底版と地盤の摩擦係数 μ", {0, 1, true, false}, "0.6"},
    {"bearing_normal", FieldPart::condition_real, &DesignConditions::bearing_normal, FieldKind::decimal, "kN/m2",
     "許容支持力度(常時)", "allowable bearing, normal", "allowable bearing pressure of the ground, normal case",
     "地盤の許容鉛直支持力度 (常時)", {0, kOpenEnd, true, false}, "300"},
    {"bearing_seismic", FieldPart::condition_real, &DesignConditions::bearing_seismic, FieldKind::decimal, "kN/m2",
     "許容支持力度(地震時)", "allowable bearing, seismic", "allowable bearing pressure of the ground, seismic case",
     "地盤の許容鉛直支持力度 (地震時)", {0, kOpenEnd, true, false}, "1.5 × bearing_normal"},
    {"concrete_unit_weight", FieldPart::condition_real, &DesignConditions::concrete_unit_weight, FieldKind::decimal,
     "kN/m3", "コンクリートの単位体積重量", "concrete unit weight", "unit weight of the reinforced concrete, γc",
     "鉄筋コンクリートの単位体積重量 γc", {0, 30, true, false}, "24.5"},
    {"concrete_strength", FieldPart::condition_real, &DesignConditions::concrete_strength, FieldKind::decimal,
     "N/mm2", "コンクリートの設計基準強度", "concrete design strength",
     "design strength of the concrete, σck; the allowable stresses cover 21 to 30",
     "コンクリートの設計基準強度 σck (許容応力度は 21 から 30 まで)", {21, 30, false, false}, "24"},
    {"steel_grade", FieldPart::condition_grade, nullptr, FieldKind::text, "", "鉄筋の材質", "steel grade",
     "grade of the reinforcing bars: SD295 or SD345", "鉄筋の材質: SD295 または SD345", {}, "SD345"},
    {"earth_pressure_method", FieldPart::condition_method, nullptr, FieldKind::whole, "", "土圧の算定方法",
     "earth-pressure method", "1: trial wedge (Coulomb), 2: Rankine, sloping backfill",
     "1: 試行くさび法 (クーロン), 2: ランキン (傾斜地表面)", {1, 2, false, false}, "1"},
};

// The design conditions' group stands last; its fields are made only when asked for, so that a run
// without design conditions does not pay for them.
void add_condition_group(Catalogue& c) {
    c.groups.push_back({InputFile::conditions, "design", "設計条件", "Design conditions"});
}

std::vector<WallField> build_conditions(int group) {
    std::vector<WallField> out;
    for (int v = 0; v < kConditionsValueCount; ++v) {
        const Condition& k = kConditions[v];
        WallField f;
        f.file = InputFile::conditions;
        f.line = v + 1;
        f.position = 1;
        f.name = k.name;
        f.kind = k.kind;
        f.unit = k.unit;
        f.label_ja = k.label_ja;
        f.label_en = k.label_en;
        f.meaning = std::string(k.meaning) + "; default " + k.default_text;
        f.meaning_ja = std::string(k.meaning_ja) + "。既定値 " + k.default_text;
        f.group = group;
        f.part = k.part;
        f.condition = k.member;
        f.index = v;
        f.range = k.range;
        f.default_text = k.default_text;
        out.push_back(f);
    }
    return out;
}

// HyodaiL.dat: one value a line, each shown in its box of the title block.
void add_title_fields(Catalogue& c) {
    c.groups.push_back({InputFile::title, "title", "表題欄", "Title block"});
    const int group = static_cast<int>(c.groups.size()) - 1;
    for (int v = 0; v < kTitleValueCount; ++v) {
        const TitleItem& item = kTitleItems[v];
        WallField f;
        f.file = InputFile::title;
        f.line = v + 1;
        f.position = 1;
        f.name = item.name;
        f.kind = FieldKind::text;
        f.label_ja = item.label_ja;
        f.label_en = item.label_en;
        f.group = group;
        f.part = FieldPart::title_text;
        f.index = v;
        f.max_bytes = title_box_bytes(title_value_box(v));
        f.meaning = std::string(item.meaning) + "; at most " + std::to_string(f.max_bytes) + " bytes (" +
                    std::to_string(f.max_bytes / 2) + " double-byte characters)";
        f.meaning_ja = std::string(item.meaning_ja) + "。" + std::to_string(f.max_bytes) + " バイト (全角 " +
                       std::to_string(f.max_bytes / 2) + " 文字) まで";
        c.title.push_back(f);
    }
}

Catalogue build() {
    Catalogue c;
    c.groups = {{InputFile::wall, "outline", "外形", "Outline"},
                {InputFile::wall, "covers", "かぶり", "Covers"},
                {InputFile::wall, "member_length", "最大部材長", "Member length"}};
    int position = 0;
    for (const Scalar& s : kScalars) {
        WallField f;
        f.line = s.line;
        position = !c.fields.empty() && c.fields.back().line == s.line ? position + 1 : 1;
        f.position = position;
        f.name = s.name;
        f.unit = "mm";
        f.label_ja = s.label_ja;
        f.label_en = s.label_en;
        f.meaning = s.meaning;
        f.meaning_ja = s.meaning_ja;
        f.group = s.group;
        f.scalar = s.member;
        c.fields.push_back(f);
    }
    int line = kScalars[std::size(kScalars) - 1].line + 1;
    for (const Mark& m : kMarks) {
        c.groups.push_back({InputFile::wall, m.key, std::string(m.key) + " " + m.label_ja, std::string(m.key) + " " + m.label_en});
        add_mark(c.fields, m, line, static_cast<int>(c.groups.size()) - 1);
        line += 4;
    }
    c.groups.push_back({InputFile::wall, "ties", "幅止め筋", "Ties"});
    const int ties = static_cast<int>(c.groups.size()) - 1;
    const std::pair<const char*, TieGroup WallInput::*> tie_marks[] = {{"S1", &WallInput::S1}, {"S2", &WallInput::S2}};
    const char* tie_meaning[] = {"diameter of the wall tie S1, across the wall (13 means D13)",
                                 "diameter of the footing tie S2, upright in the footing (13 means D13)"};
    const char* tie_meaning_ja[] = {"壁を横切る幅止め筋 S1 の鉄筋径 (13 で D13)",
                                    "底版の中に立てる幅止め筋 S2 の鉄筋径 (13 で D13)"};
    for (int k = 0; k < 2; ++k) {
        WallField f;
        f.line = line;
        f.position = k + 1;
        f.name = std::string(tie_marks[k].first) + ".dia";
        f.kind = FieldKind::whole;
        f.unit = "mm";
        f.label_ja = std::string(tie_marks[k].first) + " 径";
        f.label_en = std::string(tie_marks[k].first) + " diameter";
        f.meaning = tie_meaning[k];
        f.meaning_ja = tie_meaning_ja[k];
        f.group = ties;
        f.part = FieldPart::tie_dia;
        f.tie = tie_marks[k].second;
        c.fields.push_back(f);
    }
    add_title_fields(c);
    add_condition_group(c);
    return c;
}

const Catalogue& catalogue() {
    static const Catalogue c = build();
    return c;
}

}  // namespace

std::string_view input_file_name(InputFile file) {
    switch (file) {
    case InputFile::title: return kTitleFileName;
    case InputFile::conditions: return kConditionsFileName;
    default: return kWallFileName;
    }
}

const std::vector<WallField>& wall_fields() { return catalogue().fields; }
const std::vector<WallField>& title_fields() { return catalogue().title; }
const std::vector<WallField>& condition_fields() {
    static const std::vector<WallField> fields = build_conditions(static_cast<int>(field_groups().size()) - 1);
    return fields;
}
const std::vector<WallField>& input_fields(InputFile file) {
    switch (file) {
    case InputFile::title: return title_fields();
    case InputFile::conditions: return condition_fields();
    default: return wall_fields();
    }
}
const std::vector<WallFieldGroup>& field_groups() { return catalogue().groups; }

const WallField* find_wall_field(std::string_view name) {
    for (const WallField& f : wall_fields()) {
        if (f.name == name) return &f;
    }
    return nullptr;
}

std::vector<const WallField*> wall_fields_on_line(int line) {
    std::vector<const WallField*> out;
    for (const WallField& f : wall_fields()) {
        if (f.line == line) out.push_back(&f);
    }
    return out;
}

std::string mark_field_name(std::string_view mark, std::string_view part, int index) {
    std::string name(mark);
    name += '.';
    name += part;
    name += '[';
    name += std::to_string(index);
    name += ']';
    return name;
}

namespace {

// The place of a field's value in a record, const or not; nullptr for a field of the other kind.
template <typename Record>
auto real_slot(Record& w, const WallField& f) -> decltype(&w.cover1) {
    if (f.part == FieldPart::scalar) return &(w.*f.scalar);
    if (f.part == FieldPart::pitch) return &(w.*f.mark).pitch[f.index];
    return nullptr;
}

template <typename Record>
auto whole_slot(Record& w, const WallField& f) -> decltype(&w.S1.dia) {
    switch (f.part) {
    case FieldPart::zones: return &(w.*f.mark).zones;
    case FieldPart::dia: return &(w.*f.mark).dia;
    case FieldPart::opt: return &(w.*f.mark).opt[f.index];
    case FieldPart::count: return &(w.*f.mark).count[f.index];
    case FieldPart::tie_dia: return &(w.*f.tie).dia;
    default: return nullptr;
    }
}

}  // namespace

double* wall_field_real(WallInput& w, const WallField& f) { return real_slot(w, f); }
int* wall_field_whole(WallInput& w, const WallField& f) { return whole_slot(w, f); }

double wall_field_value(const WallInput& w, const WallField& f) {
    if (const double* r = real_slot(w, f)) return *r;
    return *whole_slot(w, f);
}

int wall_field_line(const WallInput& w, std::string_view field) {
    const WallField* f = find_wall_field(field);
    if (f == nullptr) throw std::logic_error("no wall input field is called " + std::string(field));
    return w.source_line[f->line] != 0 ? w.source_line[f->line] : f->line;
}

FieldRef wall_field_ref(const WallInput& w, std::string_view field) {
    const WallField* f = find_wall_field(field);
    if (f == nullptr) throw std::logic_error("no wall input field is called " + std::string(field));
    return {kWallFileName, wall_field_line(w, field), f->name, f->label_ja};
}

Message wall_field_message(const WallInput& w, std::string_view field, const Message& what) {
    return field_message(wall_field_ref(w, field), what);
}

void refuse_wall_field(const WallInput& w, std::string_view field, const Message& what) {
    throw input_refusal(wall_field_ref(w, field), what);
}

}  // namespace lwall
