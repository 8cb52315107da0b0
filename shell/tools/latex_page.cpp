#include "latex_page.h"

namespace {

// The page puts the editor's text into the text area and the output box as text, never as
// markup: the page holds the bridge's token, and a document is not trusted to run script in it.
// MathJax is loaded with its "safe" extension, which keeps \href and friends to harmless
// addresses. The text is fetched once the document is parsed, not once every resource (MathJax
// from the network) has arrived, so a network that does not answer delays only the typesetting.
constexpr std::string_view kPage = R"PAGE(<!DOCTYPE html>
<html lang="zh">
<head>
<meta charset="UTF-8">
<meta http-equiv="Content-Type" content="text/html; charset=utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>LaTeX Preview</title>
<script src="/webwin.js"></script>
<script>
const MATHJAX_NETWORK = 'https://cdn.jsdelivr.net';
window.MathJax = {
  loader: { load: ['ui/safe'] },
  tex: { inlineMath: [['$', '$'], ['\\(', '\\)']] },
  options: { renderActions: { addMenu: [] } },
  chtml: { fontURL: MATHJAX_NETWORK + '/npm/mathjax@3/es5/output/chtml/fonts/woff-v2' }
};
(function () {
  const script = document.createElement('script');
  script.id = 'MathJax-script';
  script.async = true;
  script.src = MATHJAX_NETWORK + '/npm/mathjax@3/es5/tex-mml-chtml.js';
  document.head.appendChild(script);
})();
</script>
<style>
body { margin: 0; padding: 24px; background: #f0f2f5; font-family: "Segoe UI", "Microsoft YaHei", sans-serif; }
.card { max-width: 800px; margin: 0 auto; background: #fff; border-radius: 10px; padding: 24px;
        box-shadow: 0 2px 12px rgba(0, 0, 0, 0.12); }
h1 { margin: 0 0 16px; font-size: 22px; color: #333; text-align: center; }
#status { display: none; margin-bottom: 12px; padding: 8px 12px; border-radius: 6px; }
#status.loading { display: block; background: #e8f1fd; color: #1565c0; }
#status.error { display: block; background: #fdecea; color: #c62828; }
#status.success { display: block; background: #e9f7ef; color: #2e7d32; }
.buttons { margin-bottom: 12px; text-align: center; }
button { margin: 0 6px; padding: 8px 18px; border: 0; border-radius: 6px; background: #1976d2; color: #fff;
         font-size: 14px; cursor: pointer; }
button#close { background: #757575; }
textarea { box-sizing: border-box; width: 100%; min-height: 140px; padding: 10px; font-family: Consolas, monospace;
           font-size: 14px; border: 1px solid #ccc; border-radius: 6px; resize: vertical; }
#output { margin-top: 16px; min-height: 80px; padding: 12px; border: 1px solid #ddd; border-radius: 6px;
          white-space: pre-wrap; word-wrap: break-word; overflow-x: auto; }
</style>
</head>
<body>
<div class="card">
<h1>?? LaTeX 公式预览</h1>
<div id="status">准备加载...</div>
<div class="buttons"><button id="render">?? 渲染</button><button id="close">? 关闭</button></div>
<textarea id="inputText" placeholder="输入 LaTeX 公式...">加载中...</textarea>
<div id="output">等待渲染...</div>
</div>
<script>
(function () {
  const input = document.getElementById('inputText');
  const output = document.getElementById('output');
  const status = document.getElementById('status');

  function setStatus(text, look) {
    status.textContent = text;
    status.className = look;
  }

  function render() {
    const mathJax = window.MathJax;
    if (mathJax && typeof mathJax.typesetClear === 'function') mathJax.typesetClear([output]);
    output.textContent = input.value;
    // Until MathJax has arrived the text stays as it is; MathJax typesets the page when it starts.
    if (!mathJax || typeof mathJax.typesetPromise !== 'function') return;
    mathJax.typesetPromise([output]).catch(function () {
      output.textContent = 'Fail to render, please check the syntax.';
    });
  }

  function fail(message) {
    input.value = '加载失败: ' + message;
    setStatus('? 加载失败', 'error');
  }

  function load() {
    setStatus('正在加载 LaTeX 内容...', 'loading');
    fetch('/get_latex_content', { method: 'GET', cache: 'no-store' }).then(function (answer) {
      if (answer.status !== 200) {
        fail('HTTP error: ' + answer.status);
        return;
      }
      return answer.text().then(function (text) {
        if (text.trim() === '') {
          input.value = '（编辑器中没有 LaTeX 内容）';
          setStatus('?? 未找到 LaTeX 内容', 'error');
          return;
        }
        input.value = text;
        setStatus('?加载成功（' + Array.from(text).length + ' 字符）', 'success');
        render();
      });
    }, function () {
      fail('Network error');
    });
  }

  document.getElementById('render').addEventListener('click', render);
  document.getElementById('close').addEventListener('click', function () {
    // keepalive: the request goes out even though the page closes right after it.
    fetch('/close_latex_window', { method: 'GET', cache: 'no-store', keepalive: true }).catch(function () {});
    setTimeout(function () { window.close(); }, 0);
  });
  if (document.readyState === 'loading') {
    document.addEventListener('DOMContentLoaded', function () { setTimeout(load, 300); });
  } else {
    setTimeout(load, 300);
  }
})();
</script>
</body>
</html>
)PAGE";

std::string answer(std::string_view headers, std::string_view body) {
    std::string whole;
    whole.reserve(headers.size() + body.size() + 64);
    whole += headers;
    return whole.append(body);
}

} // namespace

std::string buildLatexPage() {
    return std::string(kPage);
}

std::optional<std::string> latexAnswer(std::string_view path, const std::string &content) {
    if (path == kLatexContentPath) {
        return answer("HTTP/1.1 200 OK\r\nContent-Type: text/plain; charset=utf-8\r\nContent-Length: " +
                          std::to_string(content.size()) +
                          "\r\nCache-Control: no-cache, no-store, must-revalidate\r\nPragma: no-cache\r\n"
                          "Expires: 0\r\nConnection: close\r\n\r\n",
                      content);
    }
    if (path == kLatexClosePath) {
        return std::string("HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nContent-Length: 2\r\nConnection: close\r\n\r\nOK");
    }
    if (path == "/" || path == "/index.html" || path == "/latex.html") {
        return answer("HTTP/1.1 200 OK\r\nContent-Type: text/html; charset=utf-8\r\nContent-Length: " +
                          std::to_string(kPage.size()) + "\r\nCache-Control: no-cache\r\nConnection: close\r\n\r\n",
                      kPage);
    }
    return std::nullopt;
}
