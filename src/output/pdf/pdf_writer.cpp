#include "output/pdf/pdf_writer.hpp"

#include <filesystem>
#include <system_error>

#include "core/sjis.hpp"

#if defined(LWALL_PDF_MODULE_NAME) && !defined(_WIN32)
#include <dlfcn.h>
#define LWALL_PDF_LOADABLE 1
#endif

namespace lwall {

namespace {

#ifdef LWALL_PDF_LOADABLE
// The module stands beside the program, whichever folder that was started from.
std::filesystem::path module_path() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return (error ? std::filesystem::path() : program.parent_path()) / LWALL_PDF_MODULE_NAME;
}

// The bytes of a text from the system (a path, a library's message, a font's name) for the console.
std::string console_text(const std::string& utf8) { return utf8_to_sjis(utf8).value_or(utf8); }
#endif

int write_to_file(void* closure, const unsigned char* data, unsigned int length) {
    return std::fwrite(data, 1, length, static_cast<std::FILE*>(closure)) == length ? 1 : 0;
}

}  // namespace

PdfWriter::~PdfWriter() {
    if (module_ != nullptr) module_->close(writer_);
    // The module stays loaded until the process ends: the libraries it brought in may have left
    // handlers behind that must not point into unloaded code.
}

std::string PdfWriter::open(std::string& warning) {
#ifndef LWALL_PDF_LOADABLE
    (void)warning;
    return std::string(u8"このビルドではPDFを書けません。エディタの印刷表示を使ってください。"_sj) +
           " (lwall --pdf: this build of lwall cannot write PDF; print from the editor, lwall serve, instead)";
#else
    const std::filesystem::path path = module_path();
    void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        const char* why = dlerror();
        return std::string(u8"PDFを書くモジュールを読み込めません。"_sj) + " (lwall --pdf: can't load the PDF writer: " +
               console_text(why != nullptr ? why : path.string()) + ")";
    }
    const auto entry = reinterpret_cast<LwallPdfModuleEntry>(dlsym(library, LWALL_PDF_MODULE_ENTRY));
    const LwallPdfModule* module = entry != nullptr ? entry() : nullptr;
    if (module == nullptr || module->version != LWALL_PDF_MODULE_VERSION) {
        return std::string(u8"PDFを書くモジュールがこのプログラムと合いません。"_sj) + " (lwall --pdf: " +
               console_text(path.string()) + " belongs to another build of lwall)";
    }
    char family[256] = "";
    int preferred = 0;
    LwallPdfWriter* writer = module->open(family, sizeof family, &preferred);
    if (writer == nullptr) {
        return std::string(u8"日本語のフォントが見つかりません。IPAゴシック (fonts-ipafont-gothic) を入れてください。"_sj) +
               " (lwall --pdf: no installed font holds Japanese text; install fonts-ipafont-gothic)";
    }
    module_ = module;
    writer_ = writer;
    if (!preferred) {
        warning = "Lwall.pdf: " + std::string(u8"IPAゴシックがないため、文字を "_sj) + console_text(family) +
                  std::string(u8" で書きます"_sj) + " (IPAGothic is not installed; the text is set in " +
                  console_text(family) + ")";
    }
    return {};
#endif
}

bool PdfWriter::write(const PdfDocument& pages, std::FILE* file, std::string& why) const {
    why.clear();
    if (module_ == nullptr) return false;
    const LwallPdfDocument doc = pages.view();
    const char* failure = module_->render(writer_, &doc, write_to_file, file);
    if (failure == nullptr) return true;
    if (!std::ferror(file)) why = failure;
    return false;
}

}  // namespace lwall
