#include "server/http_connection.hpp"

#include <algorithm>
#include <cctype>
#include <cerrno>

#ifndef _WIN32
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace lwall {

namespace {

using Clock = std::chrono::steady_clock;

bool same_name(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// Waits until the socket can be read (POLLIN) or written (POLLOUT), at most `ms`: 1 ready, 0 not
// in time, -1 an error.
int wait_socket(socket_t sock, short events, long long ms) {
    pollfd p{};
    p.fd = sock;
    p.events = events;
    const int timeout = static_cast<int>(std::clamp<long long>(ms, 0, 60 * 60 * 1000));
    for (;;) {
#ifdef _WIN32
        const int r = WSAPoll(&p, 1, timeout);
#else
        const int r = ::poll(&p, 1, timeout);
        if (r < 0 && errno == EINTR) continue;
#endif
        return r < 0 ? -1 : (r == 0 ? 0 : 1);
    }
}

long long millis_until(Clock::time_point t) {
    if (t == Clock::time_point::max()) return std::chrono::duration_cast<std::chrono::milliseconds>(kIoTimeout).count();
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(t - Clock::now()).count();
    return std::min<long long>(std::max<long long>(left, 0),
                               std::chrono::duration_cast<std::chrono::milliseconds>(kIoTimeout).count());
}

ssize_t receive(socket_t sock, char* buf, std::size_t n) {
    for (;;) {
#ifdef _WIN32
        const ssize_t r = ::recv(sock, buf, static_cast<int>(std::min<std::size_t>(n, 1 << 30)), 0);
#else
        const ssize_t r = ::recv(sock, buf, n, 0);
        if (r < 0 && errno == EINTR) continue;
#endif
        return r;
    }
}

ssize_t send_some(socket_t sock, const char* buf, std::size_t n) {
    for (;;) {
#ifdef _WIN32
        const ssize_t r = ::send(sock, buf, static_cast<int>(std::min<std::size_t>(n, 1 << 30)), 0);
#elif defined(MSG_NOSIGNAL)
        const ssize_t r = ::send(sock, buf, n, MSG_NOSIGNAL);
        if (r < 0 && errno == EINTR) continue;
#else
        const ssize_t r = ::send(sock, buf, n, 0);
        if (r < 0 && errno == EINTR) continue;
#endif
        return r;
    }
}

const char* reason_phrase(int status) {
    switch (status) {
    case 400: return "Bad Request";
    case 403: return "Forbidden";
    case 404: return "Not Found";
    case 405: return "Method Not Allowed";
    case 408: return "Request Timeout";
    case 411: return "Length Required";
    case 413: return "Payload Too Large";
    case 414: return "URI Too Long";
    case 415: return "Unsupported Media Type";
    case 431: return "Request Header Fields Too Large";
    case 501: return "Not Implemented";
    default: return "Error";
    }
}

}  // namespace

// ---- ConnectionThreads -------------------------------------------------------------------------

ConnectionThreads::~ConnectionThreads() { shutdown(); }

void ConnectionThreads::enqueue(std::function<void()> fn) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (stop_) return;
    jobs_.push_back(std::move(fn));
    if (jobs_.size() > idle_ && threads_.size() < max_) threads_.emplace_back([this] { work(); });
    else wake_.notify_one();
}

void ConnectionThreads::shutdown() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    for (std::thread& t : threads_) {
        if (t.joinable()) t.join();
    }
}

bool ConnectionThreads::crowded() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return jobs_.size() > idle_;
}

void ConnectionThreads::work() {
    for (;;) {
        std::function<void()> job;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            ++idle_;
            wake_.wait(lock, [this] { return stop_ || !jobs_.empty(); });
            --idle_;
            if (jobs_.empty()) return;  // stopping, and nothing left to close
            job = std::move(jobs_.front());
            jobs_.pop_front();
        }
        job();
    }
}

// ---- RequestHead -------------------------------------------------------------------------------

std::optional<std::string_view> RequestHead::header(std::string_view name) const {
    for (const auto& [k, v] : headers) {
        if (same_name(k, name)) return std::string_view(v);
    }
    return std::nullopt;
}

std::size_t RequestHead::count(std::string_view name) const {
    return static_cast<std::size_t>(
        std::count_if(headers.begin(), headers.end(), [&](const auto& h) { return same_name(h.first, name); }));
}

std::optional<std::string_view> RequestHead::query(std::string_view key) const {
    const std::size_t q = target.find('?');
    if (q == std::string::npos) return std::nullopt;
    std::string_view rest = std::string_view(target).substr(q + 1);
    while (!rest.empty()) {
        const std::size_t amp = rest.find('&');
        const std::string_view pair = rest.substr(0, amp);
        const std::size_t eq = pair.find('=');
        if (pair.substr(0, eq) == key) return eq == std::string_view::npos ? std::string_view() : pair.substr(eq + 1);
        if (amp == std::string_view::npos) break;
        rest.remove_prefix(amp + 1);
    }
    return std::nullopt;
}

// ---- Connection --------------------------------------------------------------------------------

Connection::Fill Connection::fill(Clock::time_point deadline) {
    if (start_ > 0 && start_ == buffer_.size()) {
        buffer_.clear();
        start_ = 0;
    }
    const int ready = wait_socket(sock_, POLLIN, millis_until(deadline));
    if (ready == 0) return Fill::timeout;
    if (ready < 0) return Fill::closed;
    char chunk[16 * 1024];
    const ssize_t n = receive(sock_, chunk, sizeof chunk);
    if (n <= 0) return Fill::closed;
    buffer_.append(chunk, static_cast<std::size_t>(n));
    return Fill::data;
}

Connection::Wait Connection::wait_for_request(std::chrono::milliseconds idle, const std::function<bool()>& give_up) {
    deadline_ = Clock::time_point::max();
    if (start_ < buffer_.size()) return Wait::data;  // the next request came with the last
    const auto until = Clock::now() + idle;
    while (Clock::now() < until) {
        const auto slice = std::min<long long>(
            std::chrono::duration_cast<std::chrono::milliseconds>(kIdleSlice).count(),
            std::max<long long>(0, std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now()).count()));
        const int r = wait_socket(sock_, POLLIN, slice);
        if (r < 0) return Wait::closed;
        if (r > 0) {
            // Readable: a request, or the peer closing.
            if (fill(Clock::now() + kIoTimeout) != Fill::data) return Wait::closed;
            return Wait::data;
        }
        if (give_up && give_up()) return Wait::idle;
    }
    return Wait::idle;
}

Connection::Head Connection::read_head(RequestHead& head) {
    const auto began = Clock::now();
    deadline_ = began + kRequestTime;
    const auto head_deadline = began + kHeadTime;
    std::size_t end = std::string::npos;
    for (;;) {
        const std::string_view unread = std::string_view(buffer_).substr(start_);
        end = unread.find("\r\n\r\n");
        const std::size_t line_end = unread.find("\r\n");
        const std::size_t request_line = line_end == std::string_view::npos ? unread.size() : line_end;
        if (request_line > kMaxRequestLine) return Head::too_long;
        const std::size_t seen = end == std::string_view::npos ? unread.size() : end + 2;
        const std::size_t header_bytes = seen > request_line ? seen - request_line : 0;
        // Counted as they come, so that a head never grows the buffer past its bounds.
        const auto lines = std::count(unread.begin(), unread.begin() + static_cast<std::ptrdiff_t>(seen), '\n');
        if (header_bytes > kMaxHeaderBytes + 2 || lines > kMaxHeaderLines + 1) return Head::too_large;
        // A head whose lines end in a bare line feed would never end for the library.
        const std::size_t bare = unread.find("\n\n");
        if (bare != std::string_view::npos && (end == std::string_view::npos || bare < end)) return Head::malformed;
        if (end != std::string_view::npos) break;
        if (Clock::now() >= head_deadline) return Head::too_slow;
        if (fill(head_deadline) == Fill::closed) return Head::closed;
    }
    const std::string_view text = std::string_view(buffer_).substr(start_, end + 4);
    head = RequestHead{};
    head.size = text.size();
    std::size_t pos = text.find("\r\n");
    const std::string_view request_line = text.substr(0, pos);
    const std::size_t sp1 = request_line.find(' ');
    const std::size_t sp2 = sp1 == std::string_view::npos ? sp1 : request_line.find(' ', sp1 + 1);
    if (sp2 == std::string_view::npos) return Head::malformed;
    head.method = std::string(request_line.substr(0, sp1));
    head.target = std::string(request_line.substr(sp1 + 1, sp2 - sp1 - 1));
    head.version = std::string(request_line.substr(sp2 + 1));
    head.path = head.target.substr(0, head.target.find('?'));
    if (head.method.empty() || head.target.empty() || !head.version.starts_with("HTTP/1.")) return Head::malformed;
    pos += 2;
    while (pos < text.size()) {
        const std::size_t next = text.find("\r\n", pos);
        const std::string_view line = text.substr(pos, next - pos);
        pos = next + 2;
        if (line.empty()) break;
        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos || colon == 0) return Head::malformed;
        head.headers.emplace_back(std::string(line.substr(0, colon)), std::string(trimmed(line.substr(colon + 1))));
    }
    return Head::complete;
}

void Connection::answer_and_close(std::string_view answer) {
    deadline_ = Clock::now() + kIoTimeout;
    write(answer.data(), answer.size());
#ifdef _WIN32
    ::shutdown(sock_, SD_SEND);
#else
    ::shutdown(sock_, SHUT_WR);
#endif
    // Whatever the client still sends (the body of a refused request) is read and dropped while it
    // comes, for two seconds at most, so that its last send does not meet a reset before it reads
    // the answer.
    const auto until = Clock::now() + std::chrono::seconds(2);
    char sink[16 * 1024];
    while (Clock::now() < until) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now()).count();
        if (wait_socket(sock_, POLLIN, std::min<long long>(left, 200)) != 1) break;
        if (receive(sock_, sink, sizeof sink) <= 0) break;
    }
    broken_ = true;
}

bool Connection::is_readable() const {
    return start_ < buffer_.size() || wait_socket(sock_, POLLIN, millis_until(deadline_)) == 1;
}

bool Connection::is_writable() const { return wait_socket(sock_, POLLOUT, millis_until(deadline_)) == 1; }

ssize_t Connection::read(char* ptr, std::size_t size) {
    if (start_ == buffer_.size()) {
        if (broken_ || Clock::now() >= deadline_ || fill(deadline_) != Fill::data) {
            broken_ = true;
            return -1;
        }
    }
    const std::size_t n = std::min(size, buffer_.size() - start_);
    std::copy_n(buffer_.data() + start_, n, ptr);
    start_ += n;
    return static_cast<ssize_t>(n);
}

ssize_t Connection::write(const char* ptr, std::size_t size) {
    if (broken_ || Clock::now() >= deadline_ || !is_writable()) {
        broken_ = true;
        return -1;
    }
    const ssize_t n = send_some(sock_, ptr, size);
    if (n < 0) broken_ = true;
    return n;
}

// The addresses are of no use to the editor's handlers.
void Connection::get_remote_ip_and_port(std::string& ip, int& port) const {
    ip.clear();
    port = 0;
}

void Connection::get_local_ip_and_port(std::string& ip, int& port) const {
    ip.clear();
    port = 0;
}

std::string refusal_answer(int status, std::string_view json_body,
                           const std::vector<std::pair<std::string, std::string>>& headers) {
    std::string out = "HTTP/1.1 " + std::to_string(status) + " " + reason_phrase(status) + "\r\n";
    out += "Content-Type: application/json; charset=utf-8\r\n";
    out += "Content-Length: " + std::to_string(json_body.size()) + "\r\n";
    out += "Connection: close\r\n";
    for (const auto& [k, v] : headers) out += k + ": " + v + "\r\n";
    out += "\r\n";
    out += json_body;
    return out;
}

}  // namespace lwall
