#include "output/output_sink.hpp"

#include <algorithm>
#include <cstring>

#include "output/file.hpp"

namespace lwall {

void OutputSink::attach(std::FILE* file) {
    file_ = file;
    base_ = file != nullptr ? std::ftell(file) : 0;
    written_ = 0;
}

bool OutputSink::flush() {
    if (file_ == nullptr) return !failed_;
    if (!buf_.empty() && std::fwrite(buf_.data(), 1, buf_.size(), file_) != buf_.size()) failed_ = true;
    written_ += buf_.size();
    buf_.clear();
    return !failed_;
}

bool OutputSink::overwrite(std::size_t at, std::string_view bytes) {
    if (at + bytes.size() > size()) return false;
    // The part still in the buffer.
    if (at + bytes.size() > written_) {
        const std::size_t from = std::max(at, written_);
        std::memcpy(buf_.data() + (from - written_), bytes.data() + (from - at), at + bytes.size() - from);
    }
    // The part already in the file, written over where it stands; the file then goes on at its end.
    if (at < written_) {
        if (file_ == nullptr || base_ < 0) return false;
        const std::size_t n = std::min(bytes.size(), written_ - at);
        const bool ok = std::fseek(file_, base_ + static_cast<long>(at), SEEK_SET) == 0 &&
                        std::fwrite(bytes.data(), 1, n, file_) == n &&
                        std::fseek(file_, base_ + static_cast<long>(written_), SEEK_SET) == 0;
        if (!ok) failed_ = true;
        return ok;
    }
    return true;
}

bool OutputSink::start_over() {
    buf_.clear();
    if (file_ == nullptr || written_ == 0) return true;
    if (base_ < 0 || !cut_file(file_, base_)) return false;
    written_ = 0;
    return true;
}

}  // namespace lwall
