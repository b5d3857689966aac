#include "design/calc_report.hpp"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <numbers>

#include "core/number_format.hpp"
#include "core/sjis.hpp"
#include "core/wall_fields.hpp"
#include "design/design_text.hpp"

namespace lwall {

namespace {

constexpr double kLeft = 20, kRight = 190, kTop = 20, kBottom = 280;  // the text area, mm
constexpr double kBody = 3.2;     // text height, mm
constexpr double kLeading = 5.2;  // line to line
constexpr double kThin = 0.18, kPen = 0.35;

std::string fx(double v, int decimals) { return std::string(TextBuf().fixed(v, 0, decimals).view()); }

// The width of a text as the font sets it: a half-width character half its height, a full-width
// one its height (the Shift_JIS bytes times half the height).
double text_width(std::string_view utf8, double height) {
    return static_cast<double>(utf8_to_sjis_marked(utf8).size()) * height / 2;
}

// Text flowing down the pages, with headings and ruled tables.
class Flow {
public:
    explicit Flow(ReportDocument& doc) : doc_(doc) { page(); }

    void heading(const std::string& text) {
        room(3 * kLeading);
        y_ += kLeading * 0.6;
        doc_.text(kLeft, y_, 4.2, text);
        y_ += kLeading * 1.2;
    }
    void line(const std::string& text, double indent = 0) {
        room(kLeading);
        doc_.text(kLeft + indent, y_, kBody, text);
        y_ += kLeading;
    }
    void gap(double mm) { y_ += mm; }

    // A table: each column's width in mm (numbers right-aligned after the first column).
    void table(const std::vector<double>& widths, const std::vector<std::string>& head,
               const std::vector<std::vector<std::string>>& rows) {
        room(kLeading * std::min<std::size_t>(rows.size() + 1, 6) + 2);
        rule();
        cells(widths, head, true);
        rule();
        for (const auto& r : rows) {
            if (y_ + kLeading > kBottom) {
                rule();
                page();
                rule();
                cells(widths, head, true);
                rule();
            }
            cells(widths, r, false);
        }
        rule();
        y_ += 2;
    }

    // Room for a figure `height` mm tall; returns its top.
    double block(double height) {
        room(height);
        const double top = y_;
        y_ += height;
        return top;
    }

private:
    void page() {
        doc_.new_page();
        ++pages_;
        const std::string n = "- " + std::to_string(pages_) + " -";
        doc_.text((kLeft + kRight) / 2 - text_width(n, 2.8) / 2, 290, 2.8, n);
        doc_.text(kRight - text_width("Lwall-calc", 2.8), 12, 2.8, "Lwall-calc");
        y_ = kTop + kLeading;
    }
    void room(double h) {
        if (y_ + h > kBottom) page();
    }
    void rule() {
        const double y = y_ - kLeading + 1.4;
        doc_.line(kLeft, y, kRight, y, kThin);
    }
    void cells(const std::vector<double>& widths, const std::vector<std::string>& values, bool head) {
        double x = kLeft;
        for (std::size_t i = 0; i < values.size() && i < widths.size(); ++i) {
            const double w = text_width(values[i], kBody);
            // Numbers stand right-aligned in their columns, words left-aligned.
            const bool number = !values[i].empty() && (std::isdigit(static_cast<unsigned char>(values[i][0])) ||
                                                       values[i][0] == '-');
            const double at = head || i == 0 || !number ? x + 1 : x + widths[i] - 1 - w;
            doc_.text(at, y_, kBody, values[i]);
            x += widths[i];
        }
        y_ += kLeading;
    }

    ReportDocument& doc_;
    double y_ = kTop;
    int pages_ = 0;
};

std::string condition_text(const DesignConditions& c, const WallField& f) {
    const std::string v = condition_value_text(c, f);
    if (f.part != FieldPart::condition_method) return v;
    return v + (c.method == EarthPressureMethod::rankine ? " (ランキン)" : " (試行くさび法)");
}

// ---- The cross-section with its dimensions and loads ---------------------------------------------

class Figure {
public:
    Figure(ReportDocument& doc, double x0, double y0, double scale) : doc_(doc), x0_(x0), y0_(y0), s_(scale) {}
    double X(double x) const { return x0_ + s_ * x; }
    double Y(double y) const { return y0_ - s_ * y; }
    void line(double x1, double y1, double x2, double y2, double w = kPen) { doc_.line(X(x1), Y(y1), X(x2), Y(y2), w); }
    void paper_line(double x1, double y1, double x2, double y2, double w = kThin) { doc_.line(x1, y1, x2, y2, w); }
    void text(double px, double py, const std::string& t, double h = 2.6) { doc_.text(px, py, h, t); }
    // An arrow on paper ending at (x2, y2).
    void arrow(double x1, double y1, double x2, double y2) {
        paper_line(x1, y1, x2, y2, 0.25);
        const double a = std::atan2(y1 - y2, x1 - x2);
        for (double turn : {-0.4, 0.4}) {
            paper_line(x2, y2, x2 + 2 * std::cos(a + turn), y2 + 2 * std::sin(a + turn), 0.25);
        }
    }
    // A horizontal dimension on paper at height py from x1 to x2 (wall metres), labelled in mm.
    void dim_h(double x1, double x2, double py) {
        paper_line(X(x1), py, X(x2), py);
        paper_line(X(x1), py - 1.2, X(x1), py + 1.2);
        paper_line(X(x2), py - 1.2, X(x2), py + 1.2);
        const std::string t = fx((x2 - x1) * 1000, 0);
        text((X(x1) + X(x2)) / 2 - text_width(t, 2.4) / 2, py - 0.8, t, 2.4);
    }
    void dim_v(double y1, double y2, double px) {
        paper_line(px, Y(y1), px, Y(y2));
        paper_line(px - 1.2, Y(y1), px + 1.2, Y(y1));
        paper_line(px - 1.2, Y(y2), px + 1.2, Y(y2));
        const std::string t = fx((y2 - y1) * 1000, 0);
        doc_.text(px - 0.8, (Y(y1) + Y(y2)) / 2 + text_width(t, 2.4) / 2, 2.4, t, 90);
    }

private:
    ReportDocument& doc_;
    double x0_, y0_, s_;
};

void draw_section(ReportDocument& doc, double top, const DesignReport& r, const DesignSection& sec) {
    const DesignGeometry& g = r.geometry;
    const StabilityCase& s = sec.cases.front();
    const double H = sec.wall_height;
    const double rise = g.heel * std::tan(r.conditions.backfill_slope * std::numbers::pi / 180);
    const double beyond = std::max(0.4, 0.35 * g.base);  // backfill drawn behind the virtual face
    const double total_h = g.footing + H + rise + beyond * std::tan(r.conditions.backfill_slope * std::numbers::pi / 180);
    // Room above for the surcharge's arrows and below for the base pressure and the widths.
    const double scale = std::min((kRight - kLeft - 75) / (g.base + beyond), 60 / std::max(total_h, 0.1));
    Figure f(doc, kLeft + 28, top + 22 + scale * total_h, scale);
    // The concrete.
    const double xs = g.toe, xb = g.toe + g.thickness, B = g.base, Hf = g.footing;
    f.line(0, 0, B, 0);
    f.line(B, 0, B, Hf);
    f.line(B, Hf, xb, Hf);
    f.line(xb, Hf, xb, Hf + H);
    f.line(xb, Hf + H, xs, Hf + H);
    f.line(xs, Hf + H, xs, Hf);
    f.line(xs, Hf, 0, Hf);
    f.line(0, Hf, 0, 0);
    // The backfill surface and the virtual back face (dashed).
    const double t = std::tan(r.conditions.backfill_slope * std::numbers::pi / 180);
    f.line(xb, Hf + H, B + beyond, Hf + H + (B + beyond - xb) * t, kThin);
    for (double y = 0; y < s.face_height; y += 3.5 / scale) {
        f.line(B, y, B, std::min(s.face_height, y + 2 / scale), kThin);
    }
    f.text(f.X(B) + 1, f.Y(Hf) - 1.5, "仮想背面");
    // Dimensions: the widths below, the heights on the left.
    const double below = f.Y(0);
    f.dim_h(0, xs, below + 16);
    f.dim_h(xs, xb, below + 16);
    f.dim_h(xb, B, below + 16);
    f.dim_h(0, B, below + 22);
    f.dim_v(0, Hf, f.X(0) - 8);
    f.dim_v(Hf, Hf + H, f.X(0) - 8);
    f.dim_v(0, Hf + H, f.X(0) - 16);
    // The weights as arrows down at their centroids.
    int k = 0;
    for (const ForceRow& row : s.rows) {
        if (row.kind == ForceKind::pressure_h || row.kind == ForceKind::pressure_v || row.kind == ForceKind::surcharge) continue;
        double y = 0;
        switch (row.kind) {
        case ForceKind::stem:
        case ForceKind::soil_block: y = Hf + H / 2; break;
        case ForceKind::footing: y = Hf / 2; break;
        default: y = Hf + H + rise / 3; break;
        }
        const double px = f.X(row.x), py = f.Y(y);
        f.arrow(px, py - 7, px, py);
        const std::string label = "W" + std::to_string(++k) + "=" + fx(row.vertical, 2);
        f.text(px + 0.8, py - 7.5, label, 2.4);
    }
    // The surcharge over its reach.
    if (r.conditions.surcharge > 0) {
        const double from = std::max(xb, xb + r.conditions.surcharge_offset);
        const double to = B + beyond;
        if (from < to) {
            for (int i = 0; i <= 6; ++i) {
                const double x = from + (to - from) * i / 6;
                const double y = Hf + H + (x - xb) * t;
                f.arrow(f.X(x), f.Y(y) - 5, f.X(x), f.Y(y));
            }
            const std::string label = "q=" + fx(r.conditions.surcharge, 1) + " kN/m2";
            f.text(f.X(to) - text_width(label, 2.4), f.Y(Hf + H + (to - xb) * t) - 6, label, 2.4);
        }
    }
    // The earth pressure on the virtual face: its two components at the point of action.
    const double pa = f.Y(s.pressure.height);
    f.arrow(f.X(B) + 14, pa, f.X(B) + 0.5, pa);
    f.text(f.X(B) + 15, pa + 1, "PH=" + fx(s.pressure.horizontal(), 2) + " kN/m", 2.4);
    if (s.pressure.vertical() > 0) {
        f.arrow(f.X(B) + 4, pa - 9, f.X(B) + 4, pa - 1);
        f.text(f.X(B) + 5, pa - 8, "PV=" + fx(s.pressure.vertical(), 2), 2.4);
    }
    // The base pressure under the footing.
    const BasePressure& q = s.base;
    if (!q.outside) {
        const double peak = std::max({q.toe, q.heel, 1e-9});
        const double depth = 9 / peak;
        const int n = 24;
        double px0 = f.X(0), py0 = below + base_pressure_at(q, B, 0) * depth;
        for (int i = 1; i <= n; ++i) {
            const double x = B * i / n;
            const double px = f.X(x), py = below + base_pressure_at(q, B, x) * depth;
            f.paper_line(px0, py0, px, py, 0.25);
            px0 = px;
            py0 = py;
        }
        f.paper_line(f.X(0), below, f.X(0), below + q.toe * depth, 0.25);
        f.paper_line(f.X(B), below, f.X(B), below + q.heel * depth, 0.25);
        f.text(f.X(0) - 1, below + q.toe * depth + 3, "q1=" + fx(q.toe, 1), 2.4);
        f.text(f.X(B) - 10, below + q.heel * depth + 3, "q2=" + fx(q.heel, 1), 2.4);
    }
    f.text(kLeft, top + 4, "断面図と荷重 (" + msg::design_section_name(H, sec.lowest).ja + ", 常時, 寸法 mm, 力 kN/m)", 3);
}

// ---- The checks with their formulas --------------------------------------------------------------

std::string verdict(bool ok) { return ok ? "OK" : "NG"; }

void stability_text(Flow& flow, const DesignReport& r, const StabilityCase& s) {
    const DesignConditions& c = r.conditions;
    const double B = r.geometry.base;
    const bool seismic = s.load_case == LoadCase::seismic;
    const EarthPressure& p = s.pressure;
    flow.line("土圧 (仮想背面, 高さ H' = " + fx(s.face_height, 3) + " m): " +
              (c.method == EarthPressureMethod::rankine ? (seismic ? "物部・岡部式" : "ランキン式 (傾斜地表面)")
                                                        : "試行くさび法"));
    if (c.method == EarthPressureMethod::trial_wedge) {
        flow.line("P = ((W + Q)(sin(ω−φ) + kh cos(ω−φ)) − c L cosφ) / cos(ω−φ−δ) の最大値: ω = " + fx(p.slip_angle, 2) +
                      "°",
                  4);
    }
    flow.line("δ = " + fx(p.delta, 2) + "°, P = " + fx(p.force, 2) + " kN/m, PH = P cosδ = " + fx(p.horizontal(), 2) +
                  ", PV = P sinδ = " + fx(p.vertical(), 2) + " kN/m, 作用高さ y = " + fx(p.height, 3) + " m",
              4);
    std::vector<std::vector<std::string>> rows;
    for (const ForceRow& f : s.rows) {
        rows.push_back({msg::design_force_name(f.kind).ja, fx(f.vertical, 2), fx(f.horizontal, 2), fx(f.x, 3), fx(f.y, 3),
                        fx(f.vertical * f.x, 2), fx(f.horizontal * f.y, 2)});
    }
    rows.push_back({"合計", fx(s.sum_v, 2), fx(s.sum_h, 2), "", "", fx(s.resisting, 2), fx(s.overturning, 2)});
    flow.table({50, 20, 20, 18, 18, 22, 22}, {"荷重 (つま先まわり)", "V kN/m", "H kN/m", "x m", "y m", "V・x", "H・y"}, rows);
    const std::string lim = seismic ? "B/3" : "B/6";
    flow.line("偏心量 e = B/2 − (Mr − Mo)/ΣV = " + fx(B / 2, 3) + " − (" + fx(s.resisting, 2) + " − " +
              fx(s.overturning, 2) + ")/" + fx(s.sum_v, 2) + " = " + fx(s.eccentricity, 3) + " m");
    const bool e_ok = !s.base.outside && std::abs(s.eccentricity) <= s.eccentricity_limit;
    flow.line("|e| = " + shown_value(std::abs(s.eccentricity), 3, true, e_ok) + " m ≦ " + lim + " = " +
                  fx(s.eccentricity_limit, 3) + " m   " + verdict(e_ok),
              4);
    if (s.no_horizontal_force) {
        flow.line("滑動: 水平力がない   OK");
    } else {
        const bool fs_ok = s.sliding >= s.sliding_limit;
        flow.line("滑動 Fs = μ ΣV / ΣH = " + fx(c.base_friction, 2) + " × " + fx(s.sum_v, 2) + " / " + fx(s.sum_h, 2) +
                  " = " + shown_value(s.sliding, 2, false, fs_ok) + " ≧ " + fx(s.sliding_limit, 2) + "   " + verdict(fs_ok));
        flow.line("転倒 Mr / Mo = " + fx(s.resisting, 2) + " / " + fx(s.overturning, 2) + " = " + fx(s.moment_ratio, 2) +
                  "   (参考値: 転倒は偏心量で照査する)");
    }
    const BasePressure& q = s.base;
    if (q.outside) {
        flow.line("地盤反力: 合力の作用位置が底版の外にある   NG");
    } else if (!q.triangular) {
        flow.line("地盤反力 q1, q2 = ΣV/B (1 ± 6e/B) = " + fx(s.sum_v, 2) + "/" + fx(B, 3) + " × (1 ± 6 × " +
                  fx(s.eccentricity, 3) + "/" + fx(B, 3) + ")");
    } else {
        flow.line("地盤反力 (三角形分布) q = 2ΣV / (3(B/2 − |e|)) = 2 × " + fx(s.sum_v, 2) + " / (3 × " +
                  fx(B / 2 - std::abs(s.eccentricity), 3) + "), 接地幅 " + fx(q.loaded_length, 3) + " m");
    }
    if (!q.outside) {
        const bool toe_ok = q.toe <= s.bearing_limit, heel_ok = q.heel <= s.bearing_limit;
        flow.line("q1 (つま先) = " + shown_value(q.toe, 1, true, toe_ok) + ", q2 (かかと) = " +
                      shown_value(q.heel, 1, true, heel_ok) + " kN/m2 ≦ qa = " + fx(s.bearing_limit, 1) + " kN/m2   " +
                      verdict(toe_ok && heel_ok),
                  4);
    }
}

void member_text(Flow& flow, const MemberCase& m) {
    const std::string name = msg::design_member_name(m.member).ja;
    const std::string where = m.member == Member::stem ? "たて壁下端" : m.member == Member::heel ? "かかと版 付け根" : "つま先版 付け根";
    flow.line(name + " (" + msg::load_case_name(m.load_case).ja + "): " + where + "  M = " + fx(m.moment, 2) +
              " kN・m/m, S = " + fx(m.shear, 2) + " kN/m" +
              (m.member == Member::stem ? ", 土圧 P = " + fx(m.pressure.force, 2) + " kN/m (δ = " + fx(m.pressure.delta, 2) + "°)"
                                        : m.tension_top ? ", 上側引張" : ", 下側引張"));
    if (!m.computed) {
        flow.line("引張側の鉄筋 " + m.mark + " か有効高さがなく計算できない   NG", 4);
        return;
    }
    flow.line("引張鉄筋 " + m.mark + " 区間" + std::to_string(m.zone) + " D" + std::to_string(m.diameter) + " @" +
                  fx(m.pitch, 0) + " mm: As = " + fx(m.steel_area, 1) + " mm2/m, d = " + fx(m.depth, 0) +
                  " mm, b = 1000 mm, n = 15, k = " + fx(m.k, 4) + ", j = 1 − k/3 = " + fx(m.j, 4),
              4);
    const auto stress = [&](const char* formula, double v, double limit, const char* allowed, int decimals) {
        const bool ok = v <= limit;
        flow.line(std::string(formula) + shown_value(v, decimals, true, ok) + " ≦ " + allowed + fx(limit, decimals) +
                      " N/mm2   " + verdict(ok),
                  4);
    };
    stress("σc = 2M/(k j b d²) = ", m.sigma_c, m.allow_c, "σca = ", 2);
    stress("σs = M/(As j d) = ", m.sigma_s, m.allow_s, "σsa = ", 1);
    stress("τm = S/(b d) = ", m.tau, m.allow_tau, "τa = ", 3);
}

std::string title_value(const TitleInput* title, int index) {
    return title == nullptr ? std::string() : sjis_to_utf8(title->values[static_cast<std::size_t>(index)]);
}

}  // namespace

void draw_calc_report(ReportDocument& doc, const DesignReport& r, const TitleInput* title) {
    Flow flow(doc);
    const std::string heading = "L型擁壁 安定計算書";
    doc.text((kLeft + kRight) / 2 - text_width(heading, 6) / 2, kTop + 6, 6, heading);
    flow.gap(10);
    const std::pair<const char*, int> works[] = {{"事務所名", kOffice},         {"工事名", kProjectName},
                                                 {"路線・箇所", kRouteAndPlace}, {"図面番号", kDrawingNumber},
                                                 {"年月日", kDrawingDate},       {"会社名", kCompany},
                                                 {"設計者", kDesigner}};
    for (const auto& [label, index] : works) {
        const std::string v = title_value(title, index);
        if (!v.empty()) flow.line(std::string(label) + ": " + v);
    }
    flow.line("単位: kN, m, 壁延長 1 m 当たり。応力度 N/mm2。道路土工 擁壁工指針に準じる (計算式の出典は README)。");

    flow.heading("1. 設計条件 (SekkeiL.dat)");
    std::vector<std::vector<std::string>> conds;
    for (const WallField& f : condition_fields()) {
        const bool given = r.conditions.given[static_cast<std::size_t>(f.index)];
        conds.push_back({f.label_ja, condition_text(r.conditions, f), f.unit, given ? "" : "既定値"});
    }
    flow.table({80, 40, 25, 25}, {"項目", "値", "単位", "備考"}, conds);

    flow.heading("2. 形状と鉄筋 (PlenkL.dat)");
    const DesignGeometry& g = r.geometry;
    flow.line("つま先版幅 " + fx(g.toe * 1000, 0) + ", たて壁厚 " + fx(g.thickness * 1000, 0) + ", かかと版幅 " +
              fx(g.heel * 1000, 0) + ", 底版幅 B = " + fx(g.base * 1000, 0) + ", 底版厚 " + fx(g.footing * 1000, 0) + " mm");
    for (const DesignSection& sec : r.sections) flow.line(msg::design_section_name(sec.wall_height, sec.lowest).ja, 4);
    flow.line("かぶり (鉄筋中心まで): 背面縦筋 " + fx(g.cover_back, 0) + ", 底版上面 " + fx(g.cover_top, 0) + ", 底版下面 " +
              fx(g.cover_bottom, 0) + " mm");

    const DesignSection& first = r.sections.front();
    draw_section(doc, flow.block(115), r, first);

    int chapter = 3;
    for (const DesignSection& sec : r.sections) {
        const std::string at = msg::design_section_name(sec.wall_height, sec.lowest).ja;
        for (const StabilityCase& s : sec.cases) {
            flow.heading(std::to_string(chapter++) + ". 安定計算 " + at + " " + msg::load_case_name(s.load_case).ja);
            stability_text(flow, r, s);
        }
        flow.heading(std::to_string(chapter++) + ". 部材の応力度 " + at + " (許容応力度法, n = 15)");
        for (const MemberCase& m : sec.members) member_text(flow, m);
    }

    flow.heading(std::to_string(chapter) + ". 照査一覧");
    std::vector<std::vector<std::string>> rows;
    for (const DesignCheck& c : r.checks) {
        const CheckText t = check_text(r, c);
        const std::string limit = !c.judged ? "参考値" : t.limit.empty() ? "" : (c.at_most ? "≦ " : "≧ ") + t.limit;
        const double h = r.sections[static_cast<std::size_t>(c.section)].wall_height;
        rows.push_back({t.name.ja + " " + msg::load_case_name(c.load_case).ja + " H=" + fx(h, 3), t.value.empty() ? t.why.ja : t.value, limit,
                        c.judged ? verdict(c.ok) : ""});
    }
    flow.table({95, 30, 33, 12}, {"照査", "値", "制限値", "判定"}, rows);
    flow.line(r.ok() ? "すべての照査を満たす。" : "満たさない照査がある (NG)。");
}

}  // namespace lwall
