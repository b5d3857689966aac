#pragma once
// The pages of Lwall.pdf: an entity sink that keeps every LINE, CIRCLE and TEXT of the sheet and,
// once the frames are known, lays them out one A1 landscape page per frame, each frame at its own
// true scale (1 drawing unit = 1/scale mm) and centred on its page. Numbers are taken as the drawing
// file holds them (whole drawing units, halves away from zero) and texts as the picture reads them:
// the insertion point is the baseline's left end, the height is the font size, an aligned text
// turns by its rotation and a simple one stands upright.

#include <cstddef>
#include <string>
#include <vector>

#include "core/sheet_frames.hpp"
#include "core/title_block.hpp"
#include "output/entity_sink.hpp"
#include "output/pdf/pdf_module.hpp"

namespace lwall {

inline constexpr double kPdfPageWidth = kPlotSheetWidth;    // A1 landscape, mm
inline constexpr double kPdfPageHeight = kPlotSheetHeight;  // mm
// A pen width of 0 is the plotter's thinnest pen: drawn at the thinnest of the drafting series.
inline constexpr double kThinnestPen = 0.13;  // mm

// The pages laid out, as the module reads them. Its texts point into the PdfPages that made it.
class PdfDocument {
public:
    PdfDocument() = default;
    PdfDocument(const PdfDocument&) = delete;
    PdfDocument& operator=(const PdfDocument&) = delete;
    PdfDocument(PdfDocument&&) = default;
    PdfDocument& operator=(PdfDocument&&) = default;

    std::size_t page_count() const { return pages_.size(); }
    LwallPdfDocument view() const {
        return {kPdfPageWidth, kPdfPageHeight, views_.data(), views_.size(), "Lwall", creation_date_.c_str()};
    }

private:
    friend class PdfPages;
    struct Page {
        std::vector<LwallPdfLine> lines;
        std::vector<LwallPdfCircle> circles;
        std::vector<LwallPdfText> texts;
    };
    std::vector<Page> pages_;
    std::vector<LwallPdfPage> views_;
    std::string creation_date_;
};

// The creation date of Lwall.pdf: 年月日 of the title block where it gives a date of the calendar
// (the SXF sheets read it the same way), else a fixed date, 1970-01-01T00:00:00Z. Never the clock:
// the same wall gives the same file, from lwall --pdf as from the editor, run after run.
std::string pdf_creation_date(const TitleInput& title);

class PdfPages final : public EntitySink {
public:
    void line(const LineEntity& e) override;
    void text(const TextEntity& e) override;
    void circle(const CircleEntity& e) override;

    // One page per frame, in the order of the frames. An entity belongs to the frame that holds its
    // anchor (a line's midpoint, a circle's centre, a text's insertion point); one that lies in no
    // frame is on no page. The document is dated by the title block (pdf_creation_date).
    PdfDocument layout(const SheetFrames& frames, const TitleInput& title) const;

private:
    struct Line {
        double x1, y1, x2, y2, width;
    };
    struct Circle {
        double x, y, radius, width;
    };
    struct Text {
        double x, y, height, rotation;
        std::string utf8;
    };
    std::vector<Line> lines_;
    std::vector<Circle> circles_;
    std::vector<Text> texts_;
};

}  // namespace lwall
