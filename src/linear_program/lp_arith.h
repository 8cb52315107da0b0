// Cell arithmetic of the linear programs: fractions when the problem's mode word is 1,
// decimals at the default precision otherwise, on an engine of default settings.
#pragma once

#include <string>

#include "BigNumber.h"
#include "matrix.h"

namespace lp {

class Arith {
  public:
    explicit Arith(bool fraction) : fraction(fraction) {}
    std::string add(const std::string &a, const std::string &b) {
        return fraction ? bn.fr_addition(a, b) : bn.addition(a, b);
    }
    std::string sub(const std::string &a, const std::string &b) {
        return fraction ? bn.fr_subtraction(a, b) : bn.real_subtraction(a, b);
    }
    std::string mul(const std::string &a, const std::string &b) {
        return fraction ? bn.fr_multiplication(a, b) : bn.multiplication(a, b);
    }
    std::string div(const std::string &a, const std::string &b) {
        return fraction ? bn.fr_division(a, b) : bn.real_division(a, b);
    }
    bool less(const std::string &a, const std::string &b) {
        return fraction ? bn.isFractionLess(a, b) : bn.isLessThan(a, b);
    }
    bool negative(const std::string &a) { return !isZeroNumber(a) && less(a, "0"); }
    bool positive(const std::string &a) { return !isZeroNumber(a) && !less(a, "0"); }
    // -a, with a zero written "0" rather than "-0".
    std::string negated(const std::string &a) { return isZeroNumber(a) ? std::string("0") : mul(a, "-1"); }

  private:
    BigNumber bn;
    bool fraction;
};

} // namespace lp
