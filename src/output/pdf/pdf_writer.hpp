#pragma once
// Lwall.pdf's writer as the program sees it: the PDF module beside the program, loaded only when a
// run asks for the PDF, with a font for the Japanese text. A build without the module (the Windows
// program, or a build made where cairo was missing) refuses in one line.

#include <cstdio>
#include <string>

#include "core/messages.hpp"
#include "output/pdf/pdf_module.hpp"
#include "output/pdf/pdf_pages.hpp"
#include "output/pdf/pdf_report.hpp"

namespace lwall {

class PdfWriter {
public:
    PdfWriter() = default;
    PdfWriter(const PdfWriter&) = delete;
    PdfWriter& operator=(const PdfWriter&) = delete;
    ~PdfWriter();

    // Loads the module and chooses the font. Returns the console line of a refusal (for the status
    // kExitNoPdf), or nothing when the writer is ready; `warning` then says which font stands in
    // when the sheet's own is not installed.
    Message open(Message& warning);

    // Writes the pages to `file`; false when they could not be written, with the reason in `why`
    // (empty when the file refused the bytes).
    bool write(const PdfDocument& pages, std::FILE* file, std::string& why) const;
    // The same into memory (the editor's download).
    bool write(const PdfDocument& pages, std::string& out, std::string& why) const;
    // A report's pages (Lwall-calc.pdf), to a file or into memory.
    bool write(const ReportDocument& report, std::FILE* file, std::string& why) const;
    bool write(const ReportDocument& report, std::string& out, std::string& why) const;

private:
    bool render(const LwallPdfDocument& doc, std::FILE* file, std::string& why) const;
    bool render(const LwallPdfDocument& doc, std::string& out, std::string& why) const;
    const LwallPdfModule* module_ = nullptr;
    LwallPdfWriter* writer_ = nullptr;
};

}  // namespace lwall
