// The Host headers a server answers, by the address it listens on, and the token's secret.

#include "server/request_guard.hpp"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace lwall {
namespace {

TEST(RequestGuard, AnswersTheServedAddressItsLoopbackNamesAndOnEveryInterfaceAnyNumericAddress) {
    struct Case {
        const char* listen;
        int port;
        const char* host_header;
        bool allowed;
    };
    const Case cases[] = {
        {"127.0.0.1", 8750, "127.0.0.1:8750", true},
        {"127.0.0.1", 8750, "LocalHost:8750", true},
        {"127.0.0.1", 8750, "[::1]:8750", true},
        {"127.0.0.1", 8750, "127.0.0.1", false},  // a browser names any port but 80
        {"127.0.0.1", 8750, "127.0.0.1:8751", false},
        {"127.0.0.1", 8750, "127.0.0.1:87500", false},
        {"127.0.0.1", 8750, "127.0.0.2:8750", false},
        {"127.0.0.1", 8750, "localhost.attacker.example:8750", false},
        {"127.0.0.1", 8750, "10.0.0.7:8750", false},  // numeric, but not this server's
        {"127.0.0.1", 8750, "", false},
        {"127.0.0.5", 8750, "127.0.0.5:8750", true},
        {"127.0.0.5", 8750, "localhost:8750", true},
        {"localhost", 80, "localhost", true},
        {"localhost", 80, "127.0.0.1:80", true},
        {"::1", 8750, "[::1]:8750", true},
        {"::1", 8750, "::1:8750", false},
        {"192.168.1.5", 80, "192.168.1.5", true},
        {"192.168.1.5", 80, "192.168.1.5:80", true},
        {"192.168.1.5", 8750, "192.168.1.5", false},
        {"192.168.1.5", 80, "localhost", false},  // a name of this machine, not the served address
        {"192.168.1.5", 80, "127.0.0.1:80", false},
        {"192.168.1.5", 80, "192.168.1.6", false},
        {"0.0.0.0", 8750, "192.168.1.5:8750", true},
        {"0.0.0.0", 8750, "255.255.255.255:8750", true},
        {"0.0.0.0", 8750, "localhost:8750", true},
        {"0.0.0.0", 8750, "192.168.1.5:8751", false},
        {"0.0.0.0", 8750, "192.168.1.5", false},
        {"0.0.0.0", 8750, "attacker.example:8750", false},
        {"0.0.0.0", 8750, "256.1.1.1:8750", false},
        {"0.0.0.0", 8750, "1.2.3:8750", false},
        {"0.0.0.0", 8750, "1.2.3.4.5:8750", false},
        {"0.0.0.0", 8750, "1.2..4:8750", false},
        {"0.0.0.0", 8750, "1.2.3.4444:8750", false},
        {"0.0.0.0", 8750, "1.2.3.4x:8750", false},
        {"::", 8750, "[2001:db8::1]:8750", true},
        {"::", 8750, "[::ffff:10.0.0.7]:8750", true},
        {"::", 8750, "[::1]:8750", true},
        {"::", 8750, "[]:8750", false},
        {"::", 8750, "[fe80::g]:8750", false},
        {"::", 8750, "2001:db8::1:8750", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HostGuard(c.listen, c.port).allows(c.host_header), c.allowed)
            << c.listen << " port " << c.port << ", Host: " << c.host_header;
    }
}

TEST(RequestGuard, TokensAreSecretsOfThirtyTwoHexDigitsComparedWhole) {
    std::set<std::string> tokens;
    std::set<char> digits;
    for (int i = 0; i < 16; ++i) {
        const std::string t = new_token();
        ASSERT_EQ(t.size(), 32u) << t;
        EXPECT_TRUE(same_token(t, t));
        tokens.insert(t);
        digits.insert(t.begin(), t.end());
    }
    EXPECT_EQ(tokens.size(), 16u);
    EXPECT_EQ(std::string(digits.begin(), digits.end()), "0123456789abcdef");  // every digit, and only these

    const std::string t = "0123456789abcdef0123456789abcdef";
    for (const std::string& forged : {std::string("1123456789abcdef0123456789abcdef"),
                                      std::string("0123456789abcdef0123456789abcdee"),
                                      std::string("0123456789ABCDEF0123456789ABCDEF"), t.substr(0, 31), t + "0",
                                      std::string()}) {
        EXPECT_FALSE(same_token(forged, t)) << forged;
    }
    EXPECT_EQ(url_host("127.0.0.1"), "127.0.0.1");
    EXPECT_EQ(url_host("::1"), "[::1]");
    for (const char* host : {"localhost", "127.0.0.1", "127.1.2.3", "::1", "[::1]"}) EXPECT_TRUE(is_loopback_host(host)) << host;
    for (const char* host : {"0.0.0.0", "::", "192.168.1.5", "localhost.attacker.example", "128.0.0.1"}) {
        EXPECT_FALSE(is_loopback_host(host)) << host;
    }
}

}  // namespace
}  // namespace lwall
