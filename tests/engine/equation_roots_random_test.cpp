// Random quadratics and cubics with integer coefficients: every root text the solvers write
// is read back as a complex number computed by the engine (60 decimals, root_values.h) and
// substituted into its equation, and the roots together must satisfy Vieta's sum.
#include <gtest/gtest.h>

#include <complex>
#include <random>
#include <sstream>

#include "BigNumber.h"
#include "engine/engine_internal.h"

#include "engine/root_values.h"

namespace {

using namespace root_values;

std::string str(int v) {
    return std::to_string(v);
}

} // namespace

TEST(EquationRootsRandom, QuadraticsInBothModes) {
    std::mt19937 rng(26);
    std::uniform_int_distribution<int> lead(-12, 12), coef(-60, 60), small(-9, 9), positive(1, 9);
    ComplexEngine ce;
    for (int n = 0; n < 160; n++) {
        std::vector<std::string> c;
        if (n % 2) { // (k x - m)(l x - q): rational roots
            int k = positive(rng), m = small(rng), l = positive(rng) * (n % 4 == 1 ? -1 : 1), q = small(rng);
            c = {str(m * q), str(-(k * q + l * m)), str(k * l)};
        } else {
            int a = lead(rng);
            c = {str(coef(rng)), str(coef(rng)), str(a == 0 ? 1 : a)};
        }
        for (int mode : {1, 0}) {
            BigNumber bn;
            bn.setMode(mode);
            bn.setPrecision(kDecimals); // decimal roots carry the engine's precision
            std::vector<std::string> roots;
            std::ostringstream out;
            bn.solve_eqn_of_deg2(c, roots, out);
            checkRoots(ce, c, roots, 2,
                       c[2] + "x^2+" + c[1] + "x+" + c[0] + " mode " + std::to_string(mode) + " roots " +
                           (roots.size() == 2 ? roots[0] + " ; " + roots[1] : "?"));
        }
    }
}

TEST(EquationRootsRandom, MonicCubics) {
    std::mt19937 rng(2026);
    std::uniform_int_distribution<int> coef(-40, 40), root(-6, 6), pick(0, 2);
    ComplexEngine ce;
    for (int n = 0; n < 150; n++) {
        std::vector<std::string> c;
        switch (pick(rng)) {
        case 0: { // three integer roots: the discriminant's root may be rational
            int r1 = root(rng), r2 = root(rng), r3 = root(rng);
            c = {str(-r1 * r2 * r3), str(r1 * r2 + r1 * r3 + r2 * r3), str(-(r1 + r2 + r3)), "1"};
            break;
        }
        case 1: { // an integer root and a quadratic factor
            int r = root(rng), e = root(rng), f = root(rng);
            c = {str(-r * f), str(f - r * e), str(e - r), "1"};
            break;
        }
        default:
            c = {str(coef(rng)), str(coef(rng)), str(coef(rng)), "1"};
        }
        BigNumber bn;
        std::vector<std::string> roots;
        std::ostringstream out;
        bn.solve_cubic_equation(c, roots, out);
        std::string label = "x^3+" + c[2] + "x^2+" + c[1] + "x+" + c[0];
        for (const std::string &r : roots) label += " ; " + r;
        checkRoots(ce, c, roots, 3, label);
    }
}

// A rational discriminant with cube roots that are not rational: the roots are written with
// the cube roots themselves, and every side of every root text must still be a root.
TEST(EquationRootsRandom, CubicsWithRationalDiscriminantAndIrrationalCubeRoots) {
    std::mt19937 rng(3303);
    ComplexEngine ce;
    for (int n = 0; n < 60; n++) {
        const std::vector<std::string> c = cubicWithRationalDelta(rng);
        BigNumber bn;
        std::vector<std::string> roots;
        std::ostringstream out;
        bn.solve_cubic_equation(c, roots, out);
        std::string label = "x^3+" + c[2] + "x^2+" + c[1] + "x+" + c[0];
        for (const std::string &r : roots) label += " ; " + r;
        EXPECT_NE(roots.empty() ? std::string::npos : roots[0].find("sqrtn("), std::string::npos) << label;
        checkRoots(ce, c, roots, 3, label);
    }
}
