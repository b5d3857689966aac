#pragma once
// Lwall-calc.pdf, the calculation report of the design checks as an engineer hands it in: the
// conditions, the cross-section with its dimensions and loads, the forces and their moments about
// the toe, and each check with its formula, the numbers put in and the verdict; in Japanese, on A4
// portrait pages, for the PDF module.

#include "core/title_block.hpp"
#include "design/wall_design.hpp"
#include "output/pdf/pdf_report.hpp"

namespace lwall {

// `title` (Shift_JIS values of HyodaiL.dat) heads the report where it names the works; null: none.
void draw_calc_report(ReportDocument& doc, const DesignReport& r, const TitleInput* title);

}  // namespace lwall
