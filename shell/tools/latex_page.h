// The LaTeX preview's page and the answers of its file handler. The page fetches the editor's
// text from the program's own server and has MathJax typeset it; the answers are whole HTTP
// answers (status line, headers, body), as the browser bridge writes them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// Paths the page uses to reach the program.
inline constexpr std::string_view kLatexContentPath = "/get_latex_content";
inline constexpr std::string_view kLatexClosePath = "/close_latex_window";

// The page: one constant HTML5 document in UTF-8.
std::string buildLatexPage();

// The whole answer for a request path, compared exactly; nothing for a path the preview does
// not serve. `content` is the text of the preview.
std::optional<std::string> latexAnswer(std::string_view path, const std::string &content);
