#include "server/request_guard.hpp"

#include <algorithm>
#include <cctype>
#include <random>

namespace lwall {

namespace {

std::string lower(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return std::tolower(c); });
    return out;
}

bool is_wildcard(std::string_view host) { return host == "0.0.0.0" || host == "::" || host.empty(); }

// Four decimal numbers of at most 255 separated by dots.
bool is_ipv4(std::string_view s) {
    int parts = 0;
    std::size_t i = 0;
    while (i <= s.size()) {
        std::size_t j = i;
        int value = 0;
        while (j < s.size() && j - i < 3 && std::isdigit(static_cast<unsigned char>(s[j]))) value = value * 10 + (s[j++] - '0');
        if (j == i || value > 255) return false;
        ++parts;
        if (j == s.size()) return parts == 4;
        if (s[j] != '.') return false;
        i = j + 1;
    }
    return false;
}

// An IPv6 address as a URL writes it: in brackets, hexadecimal digits, colons and dots only.
bool is_bracketed_ipv6(std::string_view s) {
    if (s.size() < 4 || s.front() != '[' || s.back() != ']') return false;
    return std::all_of(s.begin() + 1, s.end() - 1, [](unsigned char c) { return std::isxdigit(c) || c == ':' || c == '.'; });
}

}  // namespace

bool is_loopback_host(std::string_view host) {
    return host == "localhost" || host == "::1" || host == "[::1]" || host.starts_with("127.");
}

std::string url_host(std::string_view host) {
    if (host.find(':') != std::string_view::npos) return "[" + std::string(host) + "]";
    return std::string(host);
}

HostGuard::HostGuard(std::string_view host, int port) : port_(std::to_string(port)) {
    std::vector<std::string> hosts = {url_host(lower(host))};
    if (is_loopback_host(host) || is_wildcard(host)) {
        for (const char* name : {"localhost", "127.0.0.1", "[::1]"}) hosts.emplace_back(name);
    }
    any_numeric_ = is_wildcard(host);
    for (const std::string& h : hosts) {
        names_.push_back(h + ":" + port_);
        if (port == 80) names_.push_back(h);  // a browser leaves out the default port
    }
}

bool HostGuard::allows(std::string_view host_header) const {
    const std::string host = lower(host_header);
    if (std::find(names_.begin(), names_.end(), host) != names_.end()) return true;
    if (!any_numeric_) return false;
    const std::size_t colon = host.rfind(':');
    if (colon == std::string::npos || host.substr(colon + 1) != port_) return false;
    const std::string_view address = std::string_view(host).substr(0, colon);
    return is_ipv4(address) || is_bracketed_ipv6(address);
}

std::string new_token() {
    std::random_device source;
    static constexpr char kHex[] = "0123456789abcdef";
    std::string token;
    for (int i = 0; i < 4; ++i) {
        std::uint32_t word = static_cast<std::uint32_t>(source());
        for (int k = 0; k < 8; ++k, word >>= 4) token += kHex[word & 0xF];
    }
    return token;
}

bool same_token(std::string_view given, std::string_view expected) {
    if (given.size() != expected.size()) return false;  // the length is no secret
    unsigned char differ = 0;
    for (std::size_t i = 0; i < expected.size(); ++i) differ |= static_cast<unsigned char>(given[i] ^ expected[i]);
    return differ == 0;
}

}  // namespace lwall
