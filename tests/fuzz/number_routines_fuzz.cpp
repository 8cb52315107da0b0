// fuzz-links: kavlo_engine
// Arbitrary texts for the number-theory routines that take user text: lists with ranges,
// continued fractions, gcd with steps, lcm, modular powers and orders, the symbols, the
// p-adic norm and the arithmetic functions. The first byte picks the routine, the second
// the mode word and a small integer; the rest is cut at ";" into arguments. Every answer
// must come back: no crash, no hang, whatever the text.
#include <cstddef>
#include <cstdint>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "BigNumber.h"
#include "number_routines.h"

namespace {

constexpr size_t MAX_TEXT = 300;
// Factorisation of long texts takes the same roads, only slower.
constexpr size_t MAX_FACTORED = 30;

std::vector<std::string> arguments(const std::string &text) {
    std::vector<std::string> parts(1);
    for (char c : text)
        if (c == ';') parts.emplace_back();
        else parts.back() += c;
    while (parts.size() < 3) parts.emplace_back("7");
    return parts;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size < 2 || size - 2 > MAX_TEXT) return 0;
    static const bool quiet = [] {
        std::cout.rdbuf(nullptr);  // the coprimality notices of the order
        return true;
    }();
    (void)quiet;
    std::string text(reinterpret_cast<const char *>(data + 2), size - 2);
    std::vector<std::string> args = arguments(text);
    const std::string &a = args[0], &b = args[1], &c = args[2];
    BigNumber bn;
    bn.setMode(data[1] & 1);
    int small = int(data[1] >> 1) - 8;
    std::ostringstream out;
    std::vector<std::string> list;
    std::string e, d, t, largest;
    bool shortArgs = a.size() <= MAX_FACTORED && b.size() <= MAX_FACTORED;
    switch (data[0] % 12) {
    case 0: bn.expandItemList(text, list, ','); break;
    case 1: bn.continuedFraction(a, e, d = b, t); break;
    case 2: bn.gcd_with_steps(a, b); break;
    case 3: bn.lcm(a, b); break;
    case 4: bn.int_expmod(a, b, c); break;
    case 5: jacobi_symbol(a, b, data[1] & 2, out); break;
    case 6:
        if (shortArgs) legendre_symbol(a, b, data[1] & 2, out);
        break;
    case 7: norm_p_rational(a, small); break;
    case 8:
        if (shortArgs) {
            bn.euler_phi(a);
            bn.mobius_value(a);
            bn.divisor_count(a, largest);
        }
        break;
    case 9:
        if (shortArgs) bn.orderModulo(a, b);
        break;
    case 10:
        bn.splitAtChar(text, list, ',');
        bn.continuedFractionValue(list, e, t);
        break;
    default:
        bn.splitAtChar(text, list, ',');
        euler_brackets(list);
        break;
    }
    return 0;
}
