#include "http_texts.h"

#include "percent_coding.h"

namespace webwin {
namespace {

std::string statusReason(int status) {
    switch (status) {
        case 200: return "OK";
        case 302: return "Found";
        case 403: return "Forbidden";
        case 404: return "Not Found";
        default: return "Error";
    }
}

std::string page(std::string_view title, std::string_view message) {
    std::string html =
        "<!DOCTYPE html>\n<html><head><meta charset=\"UTF-8\"><script src=\"/webwin.js\"></script>"
        "<title>";
    html += title;
    html +=
        "</title><style>body{margin:0;height:100vh;display:flex;flex-direction:column;align-items:center;"
        "justify-content:center;font-family:sans-serif;color:white;"
        "background:linear-gradient(135deg,#FF3CAC 0%,#784BA0 50%,#2B86C5 100%);text-align:center}"
        "footer{position:fixed;bottom:8px;font-size:12px;opacity:.8}</style></head><body><h1>&#9888; ";
    html += title;
    html += "</h1><p>";
    html += message;
    html += "</p><footer>Webwin v1.0.0</footer></body></html>";
    return html;
}

}  // namespace

std::string okHeader(std::string_view cookie, std::string_view mimeType, size_t length) {
    std::string head = "HTTP/1.1 200 OK\r\n";
    if (!cookie.empty()) {
        head += "Set-Cookie: webwin_auth=";
        head += cookie;
        head += "; Path=/; HttpOnly; SameSite=Strict\r\n";
    }
    head += "Cache-Control: ";
    head += kNoCache;
    head += "\r\nContent-Type: ";
    head += mimeType;
    head += "\r\nContent-Length: " + std::to_string(length) + "\r\nConnection: close\r\n\r\n";
    return head;
}

std::string errorAnswer(int status, std::string_view body) {
    std::string answer = "HTTP/1.1 " + std::to_string(status) + " " + statusReason(status) + "\r\n";
    answer += "Content-Type: text/html; charset=utf-8\r\nCache-Control: ";
    answer += kNoCache;
    answer += "\r\nPragma: no-cache\r\nExpires: 0\r\nContent-Length: " + std::to_string(body.size()) +
              "\r\nConnection: close\r\n\r\n";
    answer += body;
    return answer;
}

std::optional<std::string> redirectAnswer(std::string_view location) {
    for (const char c : location) {
        if (c == '\r' || c == '\n' || c == '\0') return std::nullopt;
    }
    return "HTTP/1.1 302 Found\r\nLocation: " + percentEncode(location, true) +
           "\r\nCache-Control: " + std::string(kNoCache) + "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
}

std::string accessDeniedPage() {
    return page("Access Denied",
                "You can't access this content<br>because it's already in use in<br>another window.<br><br>Note: "
                "Multi-client mode is disabled.");
}

std::string notAvailablePage() { return page("Resource Not Available", "The requested resource is not available."); }

}  // namespace webwin
