// One HTTP request of a window, as the serving functions share it.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "windows/window_record.h"

struct mg_connection;

namespace webwin {

struct Request {
    WebwinWindow &window;
    mg_connection *connection;
    std::string path;     // decoded once and checked (portable/request_path.h)
    size_t client = 0;    // slot of the request's known cookie, 0 when none
    bool known = false;
};

// Writes the whole text to the connection.
void writeText(Request &request, std::string_view text);
// The 200 head, with a new "webwin_auth" cookie when one is due.
void sendHeader(Request &request, std::string_view mimeType, size_t length);
int sendNotFound(Request &request);
int sendRedirect(Request &request, std::string_view location);
// A file that lies inside the root folder, with the MIME type of `nameForType`.
int sendLocalFile(Request &request, const std::filesystem::path &file, std::string_view nameForType);

// The names a folder is looked up by: the start file (its last path component when
// lastComponent), then, in folder mode, the index names.
std::vector<std::string> candidates(WebwinWindow &window, bool lastComponent);
// The path with one "/" at its end.
std::string withSlash(std::string path);

// Serving through the program's file handler: 0 when it does not answer the request.
int serveViaFileHandler(Request &request);
bool hasFileHandler(WebwinWindow &window);

}  // namespace webwin
