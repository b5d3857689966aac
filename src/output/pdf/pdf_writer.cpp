#include "output/pdf/pdf_writer.hpp"

#include <filesystem>

#include "core/program_path.hpp"

#if defined(LWALL_PDF_MODULE_NAME) && !defined(_WIN32)
#include <dlfcn.h>
#define LWALL_PDF_LOADABLE 1
#endif

namespace lwall {

namespace {

int write_to_file(void* closure, const unsigned char* data, unsigned int length) {
    return std::fwrite(data, 1, length, static_cast<std::FILE*>(closure)) == length ? 1 : 0;
}

int append_to_string(void* closure, const unsigned char* data, unsigned int length) {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return 1;
}

}  // namespace

PdfWriter::~PdfWriter() {
    if (module_ != nullptr) module_->close(writer_);
    // The module stays loaded until the process ends: the libraries it brought in may have left
    // handlers behind that must not point into unloaded code.
}

Message PdfWriter::open(Message& warning) {
#ifndef LWALL_PDF_LOADABLE
    (void)warning;
    return msg::pdf_not_in_build();
#else
    const std::filesystem::path path = beside_program(LWALL_PDF_MODULE_NAME);
    void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        const char* why = dlerror();
        return msg::pdf_module_not_loaded(why != nullptr ? why : path.string());
    }
    const auto entry = reinterpret_cast<LwallPdfModuleEntry>(dlsym(library, LWALL_PDF_MODULE_ENTRY));
    const LwallPdfModule* module = entry != nullptr ? entry() : nullptr;
    if (module == nullptr || module->version != LWALL_PDF_MODULE_VERSION) {
        return msg::pdf_module_of_another_build(path.string());
    }
    char family[256] = "";
    int preferred = 0;
    LwallPdfWriter* writer = module->open(family, sizeof family, &preferred);
    if (writer == nullptr) {
        return msg::pdf_no_japanese_font();
    }
    module_ = module;
    writer_ = writer;
    if (!preferred) warning = msg::pdf_font_stands_in(family);
    return {};
#endif
}

bool PdfWriter::write(const PdfDocument& pages, std::FILE* file, std::string& why) const {
    return render(pages.view(), file, why);
}

bool PdfWriter::write(const PdfDocument& pages, std::string& out, std::string& why) const {
    return render(pages.view(), out, why);
}

bool PdfWriter::write(const ReportDocument& report, std::FILE* file, std::string& why) const {
    return render(report.view(), file, why);
}

bool PdfWriter::write(const ReportDocument& report, std::string& out, std::string& why) const {
    return render(report.view(), out, why);
}

bool PdfWriter::render(const LwallPdfDocument& doc, std::FILE* file, std::string& why) const {
    why.clear();
    if (module_ == nullptr) return false;
    const char* failure = module_->render(writer_, &doc, write_to_file, file);
    if (failure == nullptr) return true;
    if (!std::ferror(file)) why = failure;
    return false;
}

bool PdfWriter::render(const LwallPdfDocument& doc, std::string& out, std::string& why) const {
    why.clear();
    out.clear();
    if (module_ == nullptr) return false;
    const char* failure = module_->render(writer_, &doc, append_to_string, &out);
    if (failure == nullptr) return true;
    why = failure;
    return false;
}

}  // namespace lwall
