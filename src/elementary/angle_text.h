// The two forms of angle text besides plain numbers: rational multiples of pi
// ("1/6pi", "3|4pi", "-3pi", "1.5pi") and degrees ("30d", "-45d", "30.5d"). Each must
// match the whole text, with no blanks.
#pragma once

#include <string>

namespace angles {

struct PiAngle {
    enum Form { Fraction, Whole, Decimal } form = Whole;
    std::string sign;         // "", "+" or "-"
    std::string numerator;    // the digits before "/", "|", "." or "pi"
    std::string denominator;  // Fraction: the digits after the bar; Decimal: the decimals
};

struct DegreeAngle {
    std::string sign;
    std::string whole;
    std::string decimals;  // after an optional point, possibly none
};

bool matchPiAngle(const std::string &text, PiAngle &out);
bool matchDegreeAngle(const std::string &text, DegreeAngle &out);

}  // namespace angles
