#include "output/output_sink.hpp"

#include "output/file.hpp"

namespace lwall {

bool OutputSink::flush() {
    if (file_ == nullptr) return !failed_;
    if (!buf_.empty() && std::fwrite(buf_.data(), 1, buf_.size(), file_) != buf_.size()) failed_ = true;
    buf_.clear();
    return !failed_;
}

}  // namespace lwall
