// The PDF module, lwall-pdf.so: paints the pages the program lays out with cairo's PDF surface,
// every line, circle and text in black on a white page, lines with round caps at their pen width,
// texts in a font that holds Japanese (IPAGothic where it is installed), which cairo embeds as a
// subset with the table that lets a reader copy the text back out. The only code of lwall that uses
// cairo, fontconfig and FreeType; the program loads it only for Lwall.pdf.

#include <cairo-ft.h>
#include <cairo-pdf.h>
#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <cstring>
#include <numbers>
#include <utility>

#include "output/pdf/pdf_module.hpp"

struct LwallPdfWriter {
    FcPattern* font = nullptr;  // the font chosen, as fontconfig matched it
};

namespace {

constexpr double kPointsPerMm = 72.0 / 25.4;

// The sheet's own font first, then its sibling, then whatever font fontconfig holds for Japanese.
struct FontChoice {
    const char* family;  // the family the match must have; null: any
    const char* pattern;
};
constexpr FontChoice kFontChoices[] = {
    {"IPAGothic", "IPAGothic:lang=ja"}, {"IPAexGothic", "IPAexGothic:lang=ja"}, {nullptr, ":lang=ja"}};
// Characters every sheet prints: a font without them cannot write the titles.
constexpr const char* kSheetCharacters = "鉄筋組立図加工質量表材料背面前面断面";

bool holds_sheet_characters(FcPattern* font) {
    FcCharSet* charset = nullptr;
    if (FcPatternGetCharSet(font, FC_CHARSET, 0, &charset) != FcResultMatch) return false;
    const auto* s = reinterpret_cast<const FcChar8*>(kSheetCharacters);
    int left = static_cast<int>(std::strlen(kSheetCharacters));
    while (left > 0) {
        FcChar32 c = 0;
        const int n = FcUtf8ToUcs4(s, &c, left);
        if (n <= 0 || !FcCharSetHasChar(charset, c)) return false;
        s += n;
        left -= n;
    }
    return true;
}

bool has_family(FcPattern* font, const char* family) {
    FcChar8* name = nullptr;
    for (int i = 0; FcPatternGetString(font, FC_FAMILY, i, &name) == FcResultMatch; ++i) {
        if (FcStrCmpIgnoreCase(name, reinterpret_cast<const FcChar8*>(family)) == 0) return true;
    }
    return false;
}

// The best installed font for a choice, or null when it is not the family asked for (fontconfig
// always offers some font) or lacks the sheet's characters.
FcPattern* match(const FontChoice& choice) {
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(choice.pattern));
    if (pattern == nullptr) return nullptr;
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* font = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (font != nullptr && ((choice.family != nullptr && !has_family(font, choice.family)) || !holds_sheet_characters(font))) {
        FcPatternDestroy(font);
        font = nullptr;
    }
    return font;
}

LwallPdfWriter* open_writer(char* family, size_t family_size, int* preferred) {
    if (!FcInit()) return nullptr;
    for (const FontChoice& choice : kFontChoices) {
        FcPattern* font = match(choice);
        if (font == nullptr) continue;
        FcChar8* name = nullptr;
        const char* found = FcPatternGetString(font, FC_FAMILY, 0, &name) == FcResultMatch
                                ? reinterpret_cast<const char*>(name)
                                : "?";
        if (family != nullptr && family_size > 0) {
            std::strncpy(family, found, family_size - 1);
            family[family_size - 1] = '\0';
        }
        if (preferred != nullptr) *preferred = &choice == &kFontChoices[0] ? 1 : 0;
        auto* writer = new LwallPdfWriter;
        writer->font = font;
        return writer;
    }
    return nullptr;
}

cairo_status_t write_bytes(void* closure, const unsigned char* data, unsigned int length) {
    const auto* sink = static_cast<const std::pair<LwallPdfWrite, void*>*>(closure);
    return sink->first(sink->second, data, length) != 0 ? CAIRO_STATUS_SUCCESS : CAIRO_STATUS_WRITE_ERROR;
}

// Strokes lines of one pen width together, as one path.
class Pen {
public:
    explicit Pen(cairo_t* cr) : cr_(cr) {}
    void take(double width) {
        if (width == width_) return;
        finish();
        cairo_set_line_width(cr_, width);
        width_ = width;
    }
    void finish() {
        cairo_stroke(cr_);
        width_ = -1;
    }

private:
    cairo_t* cr_;
    double width_ = -1;
};

void paint_page(cairo_t* cr, const LwallPdfPage& page, double width, double height) {
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_rectangle(cr, 0, 0, width, height);
    cairo_fill(cr);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    Pen pen(cr);
    for (size_t i = 0; i < page.line_count; ++i) {
        const LwallPdfLine& l = page.lines[i];
        pen.take(l.width);
        cairo_move_to(cr, l.x1, l.y1);
        cairo_line_to(cr, l.x2, l.y2);
    }
    for (size_t i = 0; i < page.circle_count; ++i) {
        const LwallPdfCircle& c = page.circles[i];
        pen.take(c.width);
        cairo_new_sub_path(cr);
        cairo_arc(cr, c.x, c.y, c.radius, 0, 2 * std::numbers::pi);
    }
    pen.finish();
    for (size_t i = 0; i < page.text_count; ++i) {
        const LwallPdfText& t = page.texts[i];
        cairo_save(cr);
        cairo_translate(cr, t.x, t.y);
        cairo_rotate(cr, -t.rotation * std::numbers::pi / 180);  // the page's y runs downward
        cairo_set_font_size(cr, t.height);
        cairo_move_to(cr, 0, 0);
        cairo_show_text(cr, t.utf8);
        cairo_restore(cr);
    }
    cairo_show_page(cr);
}

const char* render(LwallPdfWriter* writer, const LwallPdfDocument* doc, LwallPdfWrite write, void* closure) {
    std::pair<LwallPdfWrite, void*> sink{write, closure};
    cairo_surface_t* surface =
        cairo_pdf_surface_create_for_stream(write_bytes, &sink, doc->width * kPointsPerMm, doc->height * kPointsPerMm);
    cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_TITLE, doc->title != nullptr ? doc->title : "Lwall");
    cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_CREATOR, "lwall");
    // Without a date of its own cairo dates the document by the clock, and no two runs would give
    // the same file.
    if (doc->creation_date != nullptr) {
        cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_CREATE_DATE, doc->creation_date);
    }
    cairo_t* cr = cairo_create(surface);
    cairo_font_face_t* face = cairo_ft_font_face_create_for_pattern(writer->font);
    cairo_set_font_face(cr, face);
    cairo_scale(cr, kPointsPerMm, kPointsPerMm);  // the pages are laid out in millimetres
    for (size_t i = 0; i < doc->page_count && cairo_status(cr) == CAIRO_STATUS_SUCCESS; ++i) {
        paint_page(cr, doc->pages[i], doc->width, doc->height);
    }
    cairo_status_t status = cairo_status(cr);
    cairo_destroy(cr);
    cairo_font_face_destroy(face);
    cairo_surface_finish(surface);
    if (status == CAIRO_STATUS_SUCCESS) status = cairo_surface_status(surface);
    cairo_surface_destroy(surface);
    return status == CAIRO_STATUS_SUCCESS ? nullptr : cairo_status_to_string(status);
}

void close_writer(LwallPdfWriter* writer) {
    if (writer == nullptr) return;
    FcPatternDestroy(writer->font);
    delete writer;
    // cairo and fontconfig keep caches for the life of the process; the run ends here.
    cairo_debug_reset_static_data();
    FcFini();
}

constexpr LwallPdfModule kModule = {LWALL_PDF_MODULE_VERSION, open_writer, render, close_writer};

}  // namespace

extern "C" __attribute__((visibility("default"))) const LwallPdfModule* lwall_pdf_module(void) { return &kModule; }
