#pragma once
// What keeps the editor to the engineer who started it. A web page from any site can make the
// browser send requests to a server on the engineer's machine, so:
// - a request must name the served address in its Host header, or a DNS name that an attacker
//   rebinds to 127.0.0.1 would reach the editor as if it were his own site;
// - a request that writes files must carry the token the page was served with, which another site
//   cannot read.

#include <string>
#include <string_view>
#include <vector>

namespace lwall {

// The Host headers a server listening on `host` and `port` answers: "host:port" (an IPv6 address in
// brackets); for a loopback address also localhost, 127.0.0.1 and [::1] with the port. A server
// listening on every interface (0.0.0.0, ::) answers any numeric address with its port, never a name.
class HostGuard {
public:
    HostGuard(std::string_view host, int port);
    bool allows(std::string_view host_header) const;

private:
    std::vector<std::string> names_;
    std::string port_;
    bool any_numeric_ = false;
};

// Whether an address reaches this machine only: localhost, ::1 (also in brackets), 127.x.x.x.
bool is_loopback_host(std::string_view host);

// "127.0.0.1", "[::1]": the address as it stands in a URL.
std::string url_host(std::string_view host);

// A new secret of 128 bits from the system's random source, as 32 hexadecimal digits.
std::string new_token();

// Whether two tokens are equal, in a time that does not depend on where they differ.
bool same_token(std::string_view given, std::string_view expected);

}  // namespace lwall
