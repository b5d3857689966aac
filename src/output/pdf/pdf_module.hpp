#pragma once
// What the program and its PDF module share. The module (lwall-pdf.so beside the program) holds the
// only code that uses cairo and the system's fonts; the program loads it only when a run asks for
// Lwall.pdf, so that a plain run never loads them. The two meet through these plain C records, laid
// out page by page in paper millimetres, so that the module only paints what it is handed.

#include <stddef.h>

extern "C" {

// A module built for another layout of these records refuses to be used.
#define LWALL_PDF_MODULE_VERSION 2
// The one symbol the program looks up in the module: a function returning its LwallPdfModule.
#define LWALL_PDF_MODULE_ENTRY "lwall_pdf_module"

// Page coordinates in millimetres from the page's upper left corner, x to the right, y downward.
struct LwallPdfLine {
    double x1, y1, x2, y2;
    double width;  // pen width, mm
};

struct LwallPdfCircle {
    double x, y, radius;
    double width;  // pen width, mm
};

// Left-aligned on its baseline at (x, y); `height` is the font size in mm; `rotation` in degrees,
// counterclockwise as the drawing turns it.
struct LwallPdfText {
    double x, y, height, rotation;
    const char* utf8;
};

struct LwallPdfPage {
    const LwallPdfLine* lines;
    size_t line_count;
    const LwallPdfCircle* circles;
    size_t circle_count;
    const LwallPdfText* texts;
    size_t text_count;
};

struct LwallPdfDocument {
    double width, height;  // of every page, mm
    const LwallPdfPage* pages;
    size_t page_count;
    const char* title;  // the document's title in its metadata
    // The document's creation date, "YYYY-MM-DDThh:mm:ss" or with "Z": the same wall gives the same
    // bytes, whenever it is written.
    const char* creation_date;
};

// Receives the document's bytes as they are made; returns 0 when they could not be written.
typedef int (*LwallPdfWrite)(void* closure, const unsigned char* data, unsigned int length);

struct LwallPdfWriter;  // a writer with its font, made by open

struct LwallPdfModule {
    int version;  // LWALL_PDF_MODULE_VERSION
    // A writer with a font that holds Japanese text, or null when no installed font does. The family
    // of the font is copied into `family` (cut to `family_size`); `preferred` is set to 1 when it is
    // the sheet's own font (IPAGothic), to 0 for a fallback.
    LwallPdfWriter* (*open)(char* family, size_t family_size, int* preferred);
    // Paints the document and hands its bytes to `write`; null when done, else what went wrong.
    const char* (*render)(LwallPdfWriter* writer, const LwallPdfDocument* document, LwallPdfWrite write,
                          void* closure);
    // Frees the writer and what the libraries keep for it.
    void (*close)(LwallPdfWriter* writer);
};

typedef const LwallPdfModule* (*LwallPdfModuleEntry)(void);

}  // extern "C"
