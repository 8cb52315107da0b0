// Request paths: decoded once, refused when they could leave the served folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "portable/percent_coding.h"
#include "portable/request_path.h"

using namespace webwin;

TEST(RequestPath, RefusesEveryWayOut) {
    const char *probes[] = {
        "/../secret.txt", "/..%2fsecret.txt", "/%2e%2e/secret.txt", "/%2E%2E%2Fsecret.txt", "/%5c..%5csecret.txt",
        "/sub/..%5c..%5csecret.txt", "/sub/../../secret.txt", "/..", "/sub/..", "/.", "/./x", "/...", "/.. /x",
        "/..%20/x", "/. ./x", "/C:/windows/win.ini", "/c:%5cwindows", "/Z:/etc/passwd", "/Z:%2fetc%2fpasswd",
        "/file.txt:stream", "/%00", "/a%00.html", "/a%0d%0aSet-Cookie:x", "/a%1f", "/a%7f", "/\\..\\x",
        "/con", "/CON.txt", "/sub/nul", "/Aux.html", "/com1", "/LPT9.log", "/com%C2%B9", "/conin$", "/%",
        "/%4", "/%zz", "/%%32%65", "", "relative", "%2f..%2fx",
    };
    for (const char *probe : probes) EXPECT_FALSE(decodeRequestPath(probe).has_value()) << probe;
}

TEST(RequestPath, DecodesOnceAndKeepsOrdinaryNames) {
    const struct {
        const char *raw;
        const char *decoded;
    } cases[] = {
        {"/", "/"},
        {"/index.html", "/index.html"},
        {"/a%20b.txt", "/a b.txt"},
        {"/%252e%252e/x", "/%2e%2e/x"},  // decoded once: "%2e%2e" is a name, not ".."
        {"/%25USERPROFILE%25/", "/%USERPROFILE%/"},
        {"/dir/", "/dir/"},
        {"/x.js?token=1", "/x.js"},
        {"/x#part", "/x"},
        {"/..a/b..", "/..a/b.."},
        {"/console.log", "/console.log"},
        {"/com10", "/com10"},
        {"/%E4%BD%A0%E5%A5%BD.html", "/\xE4\xBD\xA0\xE5\xA5\xBD.html"},
    };
    for (const auto &c : cases) {
        const auto decoded = decodeRequestPath(c.raw);
        ASSERT_TRUE(decoded.has_value()) << c.raw;
        EXPECT_EQ(*decoded, c.decoded);
    }
}

TEST(RequestPath, StaysInsideTheRoot) {
    namespace fs = std::filesystem;
    const fs::path base = fs::temp_directory_path() / ("webwin-root-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    fs::remove_all(base);
    fs::create_directories(base / "root" / "sub");
    fs::create_directories(base / "rootx");
    std::ofstream(base / "root" / "sub" / "a.txt") << "a";
    std::ofstream(base / "secret.txt") << "secret";
    const std::string root = (base / "root").string();

    EXPECT_EQ(pathInsideRoot(root, "/sub/a.txt"), fs::canonical(base / "root" / "sub" / "a.txt"));
    EXPECT_EQ(pathInsideRoot(root, "/"), fs::canonical(base / "root"));
    EXPECT_TRUE(pathInsideRoot(root, "/missing/file").has_value());  // inside, though absent
    // Checked paths never hold "..": these reach the function only if a caller skips the check.
    EXPECT_FALSE(pathInsideRoot(root, "/../secret.txt").has_value());
    EXPECT_FALSE(pathInsideRoot(root, "/../rootx/y").has_value());
    EXPECT_FALSE(pathInsideRoot((base / "missing").string(), "/x").has_value());
#ifndef _WIN32
    fs::create_symlink(base / "secret.txt", base / "root" / "link.txt");
    fs::create_directory_symlink(base, base / "root" / "up");
    EXPECT_FALSE(pathInsideRoot(root, "/link.txt").has_value());
    EXPECT_FALSE(pathInsideRoot(root, "/up/secret.txt").has_value());
#endif
    fs::remove_all(base);
}

TEST(RequestPath, Extensions) {
    const struct {
        const char *path, *extension;
    } cases[] = {{"/a/b.js", "js"}, {"/a.b/c", ""}, {"/.ts", ""}, {"/x.tar.gz", "gz"}, {"/x.", ""}, {"", ""}};
    for (const auto &c : cases) EXPECT_EQ(pathExtension(c.path), c.extension) << c.path;
}

TEST(PercentCoding, EncodesNamesForAddresses) {
    const struct {
        const char *text;
        bool keepSlash;
        const char *encoded;
    } cases[] = {
        {"my page.html", false, "my%20page.html"},
        {"a/b c", true, "a/b%20c"},
        {"a/b", false, "a%2Fb"},
        {"AZaz09-._~", false, "AZaz09-._~"},
        {"\r\n%", true, "%0D%0A%25"},
        {"\xE4\xBD\xA0", false, "%E4%BD%A0"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(percentEncode(c.text, c.keepSlash), c.encoded) << c.text;
        EXPECT_EQ(percentDecode(c.encoded), std::string(c.text));
    }
    EXPECT_FALSE(percentDecode("%").has_value());
    EXPECT_FALSE(percentDecode("a%2").has_value());
    EXPECT_FALSE(percentDecode("%g0").has_value());
    EXPECT_EQ(percentDecode("a+b"), std::string("a+b"));
}
