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

    // Streams to `file` from now on (not owned), from where the file stands; nullptr keeps
    // everything in memory.
    void attach(std::FILE* file);

    void append(std::string_view s) {
        buf_.append(s);
        if (file_ != nullptr && buf_.size() >= kBlock) flush();
    }
    void line(std::string_view s) {
        buf_.append(s);
        buf_.append("\r\n", 2);
        if (file_ != nullptr && buf_.size() >= kBlock) flush();
    }

    // The bytes written through this sink so far, to the file and in the buffer.
    std::size_t size() const { return written_ + buf_.size(); }
    // Whether what was written can be written over and started over: in memory, or in a file that
    // can be sought.
    bool rewritable() const { return file_ == nullptr || base_ >= 0; }
    // Writes `bytes` over as many bytes written at `at` (counted as size() counts); false where they
    // were not written or the file cannot be written there.
    bool overwrite(std::size_t at, std::string_view bytes);
    // Forgets everything written through this sink, in the buffer and in the file, which is cut back
    // to where it stood when attached; false where the file cannot be cut.
    bool start_over();

    // Hands the buffered bytes to the file; false when the file refused them.
    bool flush();
    bool failed() const { return failed_; }

    // Everything written so far when no file is attached; else what is not yet handed to it.
    const std::string& contents() const { return buf_; }

private:
    static constexpr std::size_t kBlock = 1 << 16;
    std::string buf_;
    std::FILE* file_ = nullptr;
    long base_ = 0;             // where the file stood when attached; -1: it cannot be sought
    std::size_t written_ = 0;   // handed to the file
    bool failed_ = false;
};

}  // namespace lwall
