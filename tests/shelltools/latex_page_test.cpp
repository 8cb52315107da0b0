// The LaTeX preview's answers: which paths are served, and answers whose Content-Length counts
// the bytes of what follows the header.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "latex_page.h"

namespace {

// The header and the body of a whole answer; the header's Content-Length value, or -1.
struct Parsed {
    std::string head, body;
    long long length = -1;
};

Parsed parse(const std::string &answer) {
    Parsed parsed;
    const size_t end = answer.find("\r\n\r\n");
    if (end == std::string::npos) return parsed;
    parsed.head = answer.substr(0, end + 2);
    parsed.body = answer.substr(end + 4);
    const std::string key = "\r\nContent-Length: ";
    const size_t at = parsed.head.find(key);
    if (at != std::string::npos) parsed.length = std::stoll(parsed.head.substr(at + key.size()));
    return parsed;
}

} // namespace

TEST(LatexPage, ContentAnswerCountsBytesAndCarriesTheTextUnchanged) {
    const std::vector<std::string> texts = {
        "$x^2$",
        "\xE5\x8B\xBE\xE8\x82\xA1\xE5\xAE\x9A\xE7\x90\x86 $a^2+b^2=c^2$", // Chinese: 3 bytes a character
        "<script>alert(1)</script> & <img src=x onerror=alert(2)> \\frac{1}{2}",
        std::string("nul\0inside", 10),
        "",
    };
    for (const std::string &text : texts) {
        const auto answer = latexAnswer("/get_latex_content", text);
        ASSERT_TRUE(answer.has_value());
        const Parsed parsed = parse(*answer);
        EXPECT_EQ(parsed.head.rfind("HTTP/1.1 200 OK\r\nContent-Type: text/plain; charset=utf-8\r\n", 0), 0u);
        EXPECT_NE(parsed.head.find("\r\nCache-Control: no-cache, no-store, must-revalidate\r\n"), std::string::npos);
        EXPECT_EQ(parsed.length, (long long)text.size()) << text;
        EXPECT_EQ(parsed.body, text);
    }
}

TEST(LatexPage, PageIsServedAtThreePathsAndNothingElseIsServed) {
    const std::string page = buildLatexPage();
    for (const char *path : {"/", "/index.html", "/latex.html"}) {
        const auto answer = latexAnswer(path, "x");
        ASSERT_TRUE(answer.has_value()) << path;
        const Parsed parsed = parse(*answer);
        EXPECT_EQ(parsed.head.rfind("HTTP/1.1 200 OK\r\nContent-Type: text/html; charset=utf-8\r\n", 0), 0u);
        EXPECT_EQ(parsed.body, page) << path;
        EXPECT_EQ(parsed.length, (long long)page.size());
    }
    const auto close = latexAnswer("/close_latex_window", "x");
    ASSERT_TRUE(close.has_value());
    EXPECT_EQ(*close, "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nContent-Length: 2\r\nConnection: close\r\n\r\nOK");
    // Exact, case-sensitive paths: every near miss falls through to the bridge (and its 404).
    for (const char *path : {"", "/LATEX.HTML", "/Index.html", "/latex.html/", "/latex.htm", "//", "/./latex.html",
                             "/../latex.html", "/get_latex_content/", "/GET_LATEX_CONTENT", "/webwin.js",
                             "/favicon.ico", "/close_latex_window/x"})
        EXPECT_FALSE(latexAnswer(path, "x").has_value()) << path;
}

TEST(LatexPage, PageInsertsTheTextAsTextOnly) {
    const std::string page = buildLatexPage();
    // The document's text never becomes markup of the page that holds the bridge's token.
    for (const char *unsafe : {"innerHTML", "outerHTML", "insertAdjacentHTML", "document.write"})
        EXPECT_EQ(page.find(unsafe), std::string::npos) << unsafe;
    for (const char *needed : {"<script src=\"/webwin.js\"></script>", "id=\"inputText\"", "id=\"output\"",
                               "id=\"status\"", "'/get_latex_content'", "'/close_latex_window'", "MathJax-script",
                               "/npm/mathjax@3/es5/tex-mml-chtml.js", "addMenu: []", "<title>LaTeX Preview</title>"})
        EXPECT_NE(page.find(needed), std::string::npos) << needed;
}
