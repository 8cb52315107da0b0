// Digit texts of the stored constants (constants_digits.cpp).
#pragma once

extern const char kPiDigits[];   // "3." and 10120 decimals, cut
extern const char kEDigits[];    // "2." and 9999 decimals, rounded
extern const char kLn2Digits[];  // "0." and 1000 decimals, cut
