#pragma once
// The pages of a report for the PDF module (Lwall-calc.pdf): A4 portrait pages of lines and texts
// laid out in millimetres from the page's upper left corner, y downward, as the module paints them.

#include <string>
#include <vector>

#include "output/pdf/pdf_module.hpp"

namespace lwall {

inline constexpr double kReportPageWidth = 210;   // A4 portrait, mm
inline constexpr double kReportPageHeight = 297;

class ReportDocument {
public:
    // Dated like Lwall.pdf (pdf_creation_date), never by the clock.
    ReportDocument(std::string title, std::string creation_date)
        : title_(std::move(title)), creation_date_(std::move(creation_date)) {}
    ReportDocument(const ReportDocument&) = delete;
    ReportDocument& operator=(const ReportDocument&) = delete;

    // Starts a page; what follows is drawn on it.
    void new_page();
    void line(double x1, double y1, double x2, double y2, double width);
    void circle(double x, double y, double radius, double width);
    // Left end of the baseline at (x, y), `height` the font size in mm, `rotation` degrees
    // counterclockwise; UTF-8.
    void text(double x, double y, double height, std::string utf8, double rotation = 0);

    std::size_t page_count() const { return pages_.size(); }
    // The view the module reads; valid while the document lives and is not changed.
    LwallPdfDocument view() const;

private:
    struct Text {
        double x, y, height, rotation;
        std::string utf8;
    };
    struct Page {
        std::vector<LwallPdfLine> lines;
        std::vector<LwallPdfCircle> circles;
        std::vector<Text> texts;
        mutable std::vector<LwallPdfText> text_views;  // what view() hands the module
    };
    Page& page();
    std::string title_;
    std::string creation_date_;
    std::vector<Page> pages_;
    mutable std::vector<LwallPdfPage> views_;
};

}  // namespace lwall
