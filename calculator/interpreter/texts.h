// Texts that many answers of the command language share.
#pragma once

constexpr const char kPrompt[] = ">> ";
constexpr const char kRule[] = "------------------------"; // 24 dashes between answers
