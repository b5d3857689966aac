#pragma once
// The buffered destination of one output file. Lines are collected in memory and handed to the
// file in large blocks; without a file (tests, in-memory runs) everything stays in memory.
// Every line of both output files ends in CR LF, added here and nowhere else.

#include <cstdio>
#include <string>
#include <string_view>

namespace lwall {

class OutputSink {
public:
    OutputSink() { buf_.reserve(kBlock * 2); }
    OutputSink(const OutputSink&) = delete;
    OutputSink& operator=(const OutputSink&) = delete;

    // Streams to `file` from now on (not owned); nullptr keeps everything in memory.
    void attach(std::FILE* file) { file_ = file; }

    void append(std::string_view s) {
        buf_.append(s);
        if (file_ != nullptr && buf_.size() >= kBlock) flush();
    }
    void line(std::string_view s) {
        buf_.append(s);
        buf_.append("\r\n", 2);
        if (file_ != nullptr && buf_.size() >= kBlock) flush();
    }

    // Hands the buffered bytes to the file; false when the file refused them.
    bool flush();
    bool failed() const { return failed_; }

    // Everything written so far when no file is attached.
    const std::string& contents() const { return buf_; }

private:
    static constexpr std::size_t kBlock = 1 << 16;
    std::string buf_;
    std::FILE* file_ = nullptr;
    bool failed_ = false;
};

}  // namespace lwall
