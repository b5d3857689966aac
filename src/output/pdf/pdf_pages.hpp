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
#include "output/entity_sink.hpp"
#include "output/pdf/pdf_module.hpp"

namespace lwall {

inline constexpr double kPdfPageWidth = kPlotSheetWidth;    // A1 landscape, mm
inline constexpr double kPdfPageHeight = kPlotSheetHeight;  // mm
// A pen width of 0 is the plotter's thinnest pen: drawn at the thinnest of the drafting series.
inline constexpr double kThinnestPen = 0.13;  // mm
// The creation date every PDF of lwall states: fixed, so that the same walls give the same files.
inline constexpr const char* kPdfCreationDate = "2026-01-01T00:00:00";

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
        return {kPdfPageWidth, kPdfPageHeight, views_.data(), views_.size(), "Lwall", kPdfCreationDate};
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
};

class PdfPages final : public EntitySink {
public:
    void line(const LineEntity& e) override;
    void text(const TextEntity& e) override;
    void circle(const CircleEntity& e) override;

    // One page per frame, in the order of the frames. An entity belongs to the frame that holds its
    // anchor (a line's midpoint, a circle's centre, a text's insertion point); one that lies in no
    // frame is on no page.
    PdfDocument layout(const SheetFrames& frames) const;

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
