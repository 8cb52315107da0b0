// The arithmetic of the exact tableau: its cells hold exact values (reduced fraction texts)
// whatever the mode, so signs and ratios are decided on exact values and a rounding
// leftover of the printed tableau is never taken for a pivot. A cell that is no number goes
// through the fraction arithmetic.
#pragma once

#include <string>

#include "BigNumber.h"

namespace lp {

class Exact {
  public:
    std::string add(const std::string &a, const std::string &b);
    std::string sub(const std::string &a, const std::string &b);
    std::string mul(const std::string &a, const std::string &b);
    std::string div(const std::string &a, const std::string &b);
    bool less(const std::string &a, const std::string &b);
    bool negative(const std::string &a) { return less(a, "0"); }
    bool positive(const std::string &a) { return less("0", a); }
    bool zero(const std::string &a) { return !less(a, "0") && !less("0", a); }
    // -a, with a zero written "0" rather than "-0".
    std::string negated(const std::string &a) { return zero(a) ? std::string("0") : mul(a, "-1"); }
    // A typed coefficient as the exact tableau holds it.
    std::string exact(const std::string &typed);

  private:
    BigNumber bn;
};

} // namespace lp
