// Exact cell values written back in the form of the matrix mode.
#include "BigNumber.h"
#include "matrix/exact.h"

namespace matrix_exact {

std::string modeText(const Rational &r, bool fractions) {
    std::string text = rationalText(r);
    size_t bar = text.find('|');
    if (fractions || bar == std::string::npos) return text;
    BigNumber bn;
    return bn.real_division(text.substr(0, bar), text.substr(bar + 1));
}

}  // namespace matrix_exact
