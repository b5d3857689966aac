#pragma once
// One connection of the editor's web server, read with bounds the library does not set: the
// request head is read here, at most 100 header lines and 16 KiB of them, within 10 s of its first
// byte; the whole request is read and answered within 30 s, so that a client sending a byte at a
// time holds its thread for no longer. An idle connection waits for its next request for the
// keep-alive time, and no longer than one short slice while other connections wait for a thread.
// Threads are made as connections come, up to a bound, so that idle browser connections never keep
// a preview waiting.

#include <httplib.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

namespace lwall {

inline constexpr int kMaxHeaderLines = 100;
inline constexpr std::size_t kMaxHeaderBytes = 16 * 1024;
inline constexpr std::size_t kMaxRequestLine = 8 * 1024;
inline constexpr auto kHeadTime = std::chrono::seconds(10);
inline constexpr auto kRequestTime = std::chrono::seconds(30);
inline constexpr auto kIoTimeout = std::chrono::seconds(5);
inline constexpr auto kKeepAlive = std::chrono::seconds(2);
inline constexpr auto kIdleSlice = std::chrono::milliseconds(50);
inline constexpr std::size_t kKeepAliveRequests = 100;
inline constexpr std::size_t kMaxConnectionThreads = 128;

// The threads that serve connections: one per connection, made when none is free, up to `max`;
// beyond that, connections wait in turn.
class ConnectionThreads final : public httplib::TaskQueue {
public:
    explicit ConnectionThreads(std::size_t max) : max_(max) {}
    ~ConnectionThreads() override;

    void enqueue(std::function<void()> fn) override;
    void shutdown() override;
    // Connections waiting for a thread: idle connections then make way.
    bool crowded() const;

private:
    void work();

    const std::size_t max_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::function<void()>> jobs_;
    std::vector<std::thread> threads_;
    std::size_t idle_ = 0;
    bool stop_ = false;
};

// A request head as it came: request line and header lines.
struct RequestHead {
    std::string method;
    std::string target;  // "/api/wall?lang=en"
    std::string path;    // "/api/wall"
    std::string version;
    std::vector<std::pair<std::string, std::string>> headers;
    std::size_t size = 0;  // bytes up to and including the blank line

    // The value of the first header of that name (case ignored); nothing when there is none.
    std::optional<std::string_view> header(std::string_view name) const;
    std::size_t count(std::string_view name) const;
    // The value of a query parameter ("lang"), as it stands.
    std::optional<std::string_view> query(std::string_view key) const;
};

// A connection's socket with its read buffer and the time its current request must be done by.
class Connection final : public httplib::Stream {
public:
    explicit Connection(socket_t sock) : sock_(sock) {}

    enum class Wait { data, closed, idle };
    // Waits for the first byte of the next request: up to `idle` in all, giving up early when
    // `give_up()` says so between slices.
    Wait wait_for_request(std::chrono::milliseconds idle, const std::function<bool()>& give_up);

    enum class Head { complete, closed, too_large, too_long, too_slow, malformed };
    // Reads the next request head into `head` (its bytes stay in the buffer for the library, which
    // reads them again); starts the request's clock.
    Head read_head(RequestHead& head);

    // After a refusal that leaves the body unread: the answer out, then the rest of what the client
    // sends read and dropped for a moment, so that the client reads the answer before the close.
    void answer_and_close(std::string_view answer);

    // True once a read or a write failed or ran out of time: the connection is not reused.
    bool broken() const { return broken_; }

    bool is_readable() const override;
    bool is_writable() const override;
    ssize_t read(char* ptr, std::size_t size) override;
    ssize_t write(const char* ptr, std::size_t size) override;
    void get_remote_ip_and_port(std::string& ip, int& port) const override;
    void get_local_ip_and_port(std::string& ip, int& port) const override;
    socket_t socket() const override { return sock_; }

private:
    using Clock = std::chrono::steady_clock;
    // Reads more into the buffer, waiting until `deadline` at most (and kIoTimeout).
    enum class Fill { data, timeout, closed };
    Fill fill(Clock::time_point deadline);

    socket_t sock_;
    std::string buffer_;
    std::size_t start_ = 0;  // the first unread byte of buffer_
    Clock::time_point deadline_ = Clock::time_point::max();
    bool broken_ = false;
};

// A whole answer of the server's own, for a refusal made before the library reads the request:
// JSON body, the server's default headers, and "Connection: close".
std::string refusal_answer(int status, std::string_view json_body,
                           const std::vector<std::pair<std::string, std::string>>& headers);

}  // namespace lwall
