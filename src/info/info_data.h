// The data behind the information texts of the colon commands.
#pragma once

#include <array>
#include <cstddef>

constexpr size_t kLogoRows = 21;   // between the logo's borders, 116 characters each
constexpr size_t kBannerRows = 7;  // between the banner's borders, 39 characters each
constexpr size_t kHistoryEntries = 224;
// The history is shown in two parts, with a prompt after this entry (version 0.474).
constexpr size_t kHistoryFirstPart = 26;

extern const std::array<const wchar_t *, kLogoRows> kLogoArt;
extern const std::array<const wchar_t *, kBannerRows> kBannerArt;
extern const std::array<const wchar_t *, kHistoryEntries> kDevHistory;
