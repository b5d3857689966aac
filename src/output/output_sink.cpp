#include "output/output_sink.hpp"

#include "output/file.hpp"

namespace lwall {

bool OutputSink::flush() {
    if (file_ == nullptr) return !failed_;
    if (!buf_.empty() && std::fwrite(buf_.data(), 1, buf_.size(), file_) != buf_.size()) failed_ = true;
    buf_.clear();
    return !failed_;
}

void OutputSink::start_over() {
    buf_.clear();
    if (file_ != nullptr && !lwall::start_over(file_)) failed_ = true;
}

}  // namespace lwall
