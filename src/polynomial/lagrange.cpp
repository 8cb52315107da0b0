// The Lagrange interpolating polynomial: each basis polynomial is written as the product of
// its factors (v - x_k)/(x_j - x_k), evaluated in fractions and then as a polynomial; the
// interpolating polynomial is the sum of the y values times these bases.
#include "BigNumber.h"
#include "globals.h"
#include "polynomial.h"
#include "tools.h"

namespace {

constexpr char kValuePrefix[] = "      = ";
// The work grows with nearly the cube of the number of points: 60 points take about a second.
constexpr size_t kMaxPoints = 60;

std::string evaluated(const std::string &text, int32_t flags) {
    std::string value;
    bignumber_global.EvalInfixExprNoOutput(text, value, flags);
    return value;
}

// (v-(x_k))/(x_j-(x_k)) for every k but j, joined by "*"; empty for a single point.
std::string basisProduct(const std::vector<std::pair<std::string, std::string>> &points, size_t j, const std::string &v) {
    std::string product;
    for (size_t k = 0; k < points.size(); k++) {
        if (k == j) continue;
        if (!product.empty()) product += "*";
        product += "(" + v + "-(" + points[k].first + "))/(" + points[j].first + "-(" + points[k].first + "))";
    }
    return product;
}

}  // namespace

int lagrange_interpolate(const std::vector<std::pair<std::string, std::string>> &points, std::ostream &out) {
    bignumber_global.setMode(kFractionBit);
    if (points.size() > kMaxPoints) {
        out << "Error> Lagrange interpolation takes at most " << kMaxPoints << " points.\n";
        return 0;
    }
    const std::string v(1, main_var);
    out << "The points are:\n";
    for (const auto &[x, y] : points) out << "(" << x << "," << y << ") ";
    out << "\n---------------\n";
    std::string sum;
    for (size_t j = 0; j < points.size(); j++) {
        const std::string product = basisProduct(points, j, v);
        out << "ell_" << j << " = " << product << "\n";
        // One point: the basis is the empty product, 1 (the evaluator reads an empty text as 0).
        const bool onePoint = product.empty();
        const std::string fraction = onePoint ? "1" : evaluated(evaluated(product, 1), 1);
        out << kValuePrefix << fraction << "\n";
        const std::string basis = onePoint ? "1" : evaluated(fraction, 2);
        out << kValuePrefix << basis << "\n\n";
        sum += (j == 0 ? "(" : "+(") + points[j].second + ")*(" + basis + ")";
    }
    out << "Lagrange polyn is: \n\t" << sum << "\n";
    std::string value = evaluated(sum, 3);
    // A constant comes back as a fraction over 1 ("10|1"): written as the number it is.
    if (BigNumber::isFraction(value)) value = reduce_fraction(value);
    out << kValuePrefix << value << "\n\n";
    return 0;
}
