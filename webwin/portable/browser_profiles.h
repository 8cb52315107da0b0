// Browser profiles made by the library: their folders under the user's ".Webwin" folder, the
// Firefox texts (profiles.ini entries, preferences, style sheet), and the rule that decides
// which folders the library may remove.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace webwin {

inline constexpr const char *kLibraryFolderName = ".Webwin";

// "Webwin", or "Webwin-NoHC" for a window that turns high contrast off.
std::string libraryProfileName(bool disable_high_contrast);

// The library-made profile folder of a browser: "<user profile>\.Webwin\<folder>". Nothing for
// an id that is not a browser, or when the user profile folder is not an absolute Windows path
// (an empty USERPROFILE would put the profile at the root of the current drive).
std::optional<std::string> libraryProfileFolder(std::string_view user_profile, size_t browser,
                                                bool disable_high_contrast);

// Whether `path` lies strictly inside "<user profile>\.Webwin": Windows paths, either
// separator, letters compared without case; no "." or ".." part and no empty part anywhere,
// an absolute user profile folder. Only such folders are ever removed.
bool insideLibraryFolder(std::string_view user_profile, std::string_view path);

// profiles.ini: whether a profile section has the line "Name=<name>" (the whole line).
bool firefoxProfileListed(std::string_view ini, std::string_view name);

// profiles.ini without the section of the profile named `name` (its header and its lines); the
// profile sections after it are renumbered, since Firefox reads "Profile0", "Profile1", ... up to
// the first missing number. Every other line stays as it was.
std::string firefoxUnlistProfile(std::string_view ini, std::string_view name);

// The preferences appended to a new Firefox profile's prefs.js.
std::string firefoxPreferences(bool disable_high_contrast);

// The style sheet appended to the profile's chrome\userChrome.css: no toolbars around the page.
extern const char *const kFirefoxUserChrome;

}  // namespace webwin
