// Cookie, token and answer texts, and Base64.
#include <gtest/gtest.h>

#include <regex>
#include <set>

#include "portable/auth_texts.h"
#include "portable/base64_coding.h"
#include "portable/http_texts.h"

using namespace webwin;

namespace {

// A source that hands out a fixed sequence of bytes, repeated.
RandomFill sequence(std::vector<unsigned char> bytes) {
    auto at = std::make_shared<size_t>(0);
    return [bytes, at](unsigned char *out, size_t count) {
        for (size_t i = 0; i < count; ++i) out[i] = bytes[(*at)++ % bytes.size()];
    };
}

}  // namespace

TEST(AuthTexts, CookieValues) {
    const std::string value = makeCookieValue(7, sequence({0, 61, 62, 247, 248, 255}));
    // 62 and 247 give the characters of 0 and 61 again; 248 and 255 are drawn anew, so each
    // character keeps an even share
    EXPECT_EQ(value.substr(0, 2), "7_");
    EXPECT_EQ(value.size(), 2 + kCookieRandomLength);
    EXPECT_EQ(value.substr(2, 4), "a9a9");
    EXPECT_TRUE(std::regex_match(makeCookieValue(65534, sequence({1, 2, 3})), std::regex("65534_[A-Za-z0-9]{31}")));
}

TEST(AuthTexts, CookieHeaders) {
    const struct {
        const char *header, *value;
    } cases[] = {
        {"webwin_auth=1_abc", "1_abc"},
        {"a=b; webwin_auth=2_x; c=d", "2_x"},
        {"xwebwin_auth=1_abc", ""},
        {"webwin_auth_x=1; webwin_auth=3_y", "3_y"},
        {"webwin_auth=\"4_q\"", "4_q"},
        {"", ""},
        {"webwin_auth", ""},
    };
    for (const auto &c : cases) EXPECT_EQ(cookieFromHeader(c.header, kCookieName), c.value) << c.header;
    EXPECT_EQ(cookieFromHeader("webwin_auth=" + std::string(64, 'a'), kCookieName), "");
    EXPECT_EQ(cookieFromHeader("webwin_auth=" + std::string(63, 'a'), kCookieName), std::string(63, 'a'));
}

TEST(AuthTexts, TokensAreNeverZero) {
    EXPECT_EQ(makeToken(sequence({0, 0, 0, 0, 1, 0, 0, 0})), 1u);
    EXPECT_EQ(makeToken(sequence({0x78, 0x56, 0x34, 0x12})), 0x12345678u);
    EXPECT_TRUE(sameSecret("abc", "abc"));
    EXPECT_FALSE(sameSecret("abc", "abd"));
    EXPECT_FALSE(sameSecret("abc", "ab"));
    EXPECT_FALSE(sameSecret("", "a"));
}

TEST(AuthTexts, OnlyTheWindowsOwnPagesOpenItsSocket) {
    const struct {
        const char *origin;
        const char *host;
        bool isPublic;
        bool allowed;
    } cases[] = {
        {"http://localhost:8080", "localhost:8080", false, true},
        {"http://127.0.0.1:8080", "127.0.0.1:8080", false, true},
        {"http://[::1]:8080", "[::1]:8080", false, true},
        {"", "localhost:8080", false, true},                          // no web page
        {"http://evil.example", "localhost:8080", false, false},      // a foreign page in the user's browser
        {"http://localhost:8081", "localhost:8080", false, false},    // another window
        {"http://localhost", "localhost:8080", false, false},
        {"https://localhost:8080", "localhost:8080", false, false},
        {"http://localhost:80800", "localhost:8080", false, false},
        {"http://evil.example:8080", "evil.example:8080", false, false},  // a rebound name
        {"http://192.168.1.5:8080", "192.168.1.5:8080", true, true},      // a public window from afar
        {"http://192.168.1.5:8080", "192.168.1.5:8080", false, false},
        {"http://evil.example", "192.168.1.5:8080", true, false},
        {"http://192.168.1.5:9090", "192.168.1.5:9090", true, false},
        {"null", "localhost:8080", false, false},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(originAllowed(c.origin, c.host, 8080, c.isPublic), c.allowed) << c.origin << " " << c.host;
    }
}

TEST(HttpTexts, HeadsAndPages) {
    EXPECT_EQ(okHeader("", "text/css", 5),
              "HTTP/1.1 200 OK\r\nCache-Control: no-cache, no-store, must-revalidate, private, max-age=0\r\n"
              "Content-Type: text/css\r\nContent-Length: 5\r\nConnection: close\r\n\r\n");
    const std::string withCookie = okHeader("1_abc", "application/javascript", 0);
    EXPECT_NE(withCookie.find("\r\nSet-Cookie: webwin_auth=1_abc; Path=/; HttpOnly; SameSite=Strict\r\n"),
              std::string::npos);
    EXPECT_EQ(withCookie.find("Access-Control-Allow-Origin"), std::string::npos);

    const std::string notFound = errorAnswer(404, notAvailablePage());
    EXPECT_EQ(notFound.rfind("HTTP/1.1 404 Not Found\r\n", 0), 0u);
    EXPECT_NE(notFound.find("Content-Length: " + std::to_string(notAvailablePage().size()) + "\r\n"), std::string::npos);
    EXPECT_NE(notFound.find("The requested resource is not available."), std::string::npos);
    EXPECT_NE(accessDeniedPage().find("Multi-client mode is disabled."), std::string::npos);

    EXPECT_EQ(redirectAnswer("sub/a b.html").value().substr(0, 44), "HTTP/1.1 302 Found\r\nLocation: sub/a%20b.html");
    EXPECT_FALSE(redirectAnswer("x\r\nSet-Cookie: a=b").has_value());
    EXPECT_FALSE(redirectAnswer("x\n").has_value());
    EXPECT_FALSE(redirectAnswer(std::string("x\0y", 3)).has_value());
}

TEST(Base64, RoundTripsAndRefusesForeignText) {
    const struct {
        const char *bytes, *text;
    } cases[] = {{"", ""}, {"f", "Zg=="}, {"fo", "Zm8="}, {"foo", "Zm9v"}, {"foob", "Zm9vYg=="}, {"\xff\xfe", "//4="}};
    for (const auto &c : cases) {
        EXPECT_EQ(base64Encode(c.bytes), c.text);
        EXPECT_EQ(base64Decode(c.text), std::string(c.bytes));
    }
    std::string all;
    for (int i = 0; i < 256; ++i) all.push_back(static_cast<char>(i));
    EXPECT_EQ(base64Decode(base64Encode(all)), all);
    for (const char *bad : {"Zg=", "Zg", "Z===", "Zg==Zg==", "Zm9v!A==", "=Zg=", "Zm=v", "Zh==", "Zm9=", "aux="}) {
        EXPECT_FALSE(base64Decode(bad).has_value()) << bad;
    }
}
