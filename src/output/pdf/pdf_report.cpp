#include "output/pdf/pdf_report.hpp"

#include "output/pdf/pdf_pages.hpp"

namespace lwall {

void ReportDocument::new_page() { pages_.emplace_back(); }

ReportDocument::Page& ReportDocument::page() {
    if (pages_.empty()) new_page();
    return pages_.back();
}

void ReportDocument::line(double x1, double y1, double x2, double y2, double width) {
    page().lines.push_back({x1, y1, x2, y2, width});
}

void ReportDocument::circle(double x, double y, double radius, double width) {
    page().circles.push_back({x, y, radius, width});
}

void ReportDocument::text(double x, double y, double height, std::string utf8, double rotation) {
    page().texts.push_back({x, y, height, rotation, std::move(utf8)});
}

LwallPdfDocument ReportDocument::view() const {
    views_.clear();
    for (const Page& p : pages_) {
        std::vector<LwallPdfText>& texts = p.text_views;
        texts.clear();
        for (const Text& t : p.texts) texts.push_back({t.x, t.y, t.height, t.rotation, t.utf8.c_str()});
        views_.push_back({p.lines.data(), p.lines.size(), p.circles.data(), p.circles.size(), texts.data(), texts.size()});
    }
    return {kReportPageWidth, kReportPageHeight, views_.data(), views_.size(), title_.c_str(), creation_date_.c_str()};
}

}  // namespace lwall
