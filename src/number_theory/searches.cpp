// Brute-force searches for small Diophantine problems: sums of two squares or three cubes
// equal to a target, runs of consecutive cubes whose sum is a cube, sums of two cubes that
// are perfect powers. The loops run over plain integer bounds compared by value, and each
// search refuses a range whose work would not end in reasonable time. Where one unknown
// follows from the others by a root, the search takes the root instead of a loop over it:
// the solutions and their order stay those of the full loop.
#include <cmath>
#include <cstdlib>

#include "BigNumber.h"
#include "engine/engine_internal.h"
#include "nat/nat.h"
#include "number_routines.h"
#include "number_theory/routines_internal.h"
#include "tools.h"
#include "stop_request.h"

using namespace engine;

namespace {

using i128 = __int128;

const char *const kNotPositive = "The parameters should be positive integers.";
// Largest bounds: squaresum tries every x below n (one root each), cubicsum every pair
// x, y (one cube root each), the cube runs every pair n < m, the two-cube powers every
// pair x <= y with a logarithm and a handful of roots.
constexpr int64_t kMaxSquareBound = 10000000;
constexpr int64_t kMaxCubeBound = 1000;
constexpr int64_t kMaxRunRange = 10000;
constexpr int64_t kMaxPowerRange = 300;
constexpr int64_t kMaxRootPairs = 100000;

std::string rangeError(int64_t limit) { return "Error: the range of a search is limited to " + std::to_string(limit) + "."; }

// A digit text (leading zeros allowed) as a value below 10^18; false otherwise.
bool smallValue(const std::string &text, int64_t &value) {
    return allDigits(text) && checkedInt64(text, 0, 999999999999999999, value);
}

// A digit text of any length as a 128-bit value, saturated at `cap`.
i128 cappedValue(const std::string &digits, i128 cap) {
    i128 v = 0;
    for (char c : digits) {
        v = v * 10 + (c - '0');
        if (v > cap) return cap;
    }
    return v;
}

std::string text128(i128 v) {
    if (v == 0) return "0";
    bool negative = v < 0;
    unsigned __int128 m = negative ? (unsigned __int128)(-(v + 1)) + 1 : (unsigned __int128)v;
    std::string s;
    while (m) {
        s.insert(s.begin(), char('0' + int(m % 10)));
        m /= 10;
    }
    return negative ? "-" + s : s;
}

i128 isqrt128(i128 v) {
    i128 r = i128(std::sqrt((long double)v));
    while (r * r > v) r--;
    while ((r + 1) * (r + 1) <= v) r++;
    return r;
}

// The integer cube root rounded toward zero, for |v| below 10^36.
i128 icbrt128(i128 v) {
    bool negative = v < 0;
    i128 a = negative ? -v : v;
    i128 r = i128(std::cbrt((long double)a));
    while (r > 0 && r * r * r > a) r--;
    while ((r + 1) * (r + 1) * (r + 1) <= a) r++;
    return negative ? -r : r;
}

// Whether n^3 + ... + m^3 is a cube p^3, by the closed form of the sum of the cubes below
// k, (k (k-1) / 2)^2: on 128 bits while the sums fit, on limbs beyond.
bool cubeRun(int64_t n, int64_t m, std::string &p) {
    if (m < 1000000000) {
        auto cubesBelow = [](i128 k) {
            i128 t = k * (k - 1) / 2;
            return t * t;
        };
        i128 D = cubesBelow(m + 1) - cubesBelow(n);
        i128 r = icbrt128(D);
        if (r * r * r != D) return false;
        p = text128(r);
        return true;
    }
    auto cubesBelow = [](int64_t k) {
        nat::Nat t = nat::mul(nat::from_u64(uint64_t(k)), nat::from_u64(uint64_t(k - 1)));
        nat::divmod_small(t, 2, t);
        return nat::sqr(t);
    };
    nat::Nat D = nat::sub(cubesBelow(m + 1), cubesBelow(n));
    nat::Nat r = nat::root(D, 3);
    if (nat::pow(r, 3) != D) return false;
    p = nat::to_decimal(r);
    return true;
}

bool positiveBounds(const std::string &n, const std::string &m, std::ostream &out) {
    if (n.empty() || m.empty() || !allDigits(n) || !allDigits(m)) {
        out << kNotPositive << std::endl;
        return false;
    }
    return true;
}

// The digit texts n and m, n at most `limit`: its value, or false with the refusal written.
bool searchBound(const std::string &n, const std::string &m, int64_t limit, std::ostream &out, int64_t &N) {
    if (!positiveBounds(n, m, out)) return false;
    if (checkedInt64(n, 0, limit, N)) return true;
    out << integerRangeMessage(n, 0, limit) << std::endl;
    return false;
}

}  // namespace

void squaresum_search(const std::string &n, const std::string &m, std::ostream &out) {
    int64_t N;
    if (!searchBound(n, m, kMaxSquareBound, out, N)) return;
    const i128 reach = i128(2) * N * N;  // nothing larger is a sum of two squares here
    i128 target = cappedValue(m, reach + 1);
    for (int64_t x = 1; x < N; x++) {
        engineStopPoint(uint64_t(x));
        i128 rest = target - i128(x) * x;
        if (rest < 0) break;
        i128 r = isqrt128(rest);
        if (r * r != rest) continue;
        std::string head = std::to_string(x) + "^2+(";
        if (r == 0) {
            out << head << "0)^2" << std::endl;
            continue;
        }
        if (r <= N) out << head << "-" << text128(r) << ")^2" << std::endl;
        if (r < N) out << head << text128(r) << ")^2" << std::endl;
    }
}

void cubicsum_search(const std::string &n, const std::string &m, std::ostream &out) {
    int64_t N;
    if (!searchBound(n, m, kMaxCubeBound, out, N)) return;
    const i128 reach = i128(3) * N * N * N;
    i128 target = cappedValue(m, reach + 1);
    for (int64_t x = 1; x < N; x++) {
        engineStopPoint();
        for (int64_t y = -N; y < N; y++) {
            i128 t = target - i128(x) * x * x - i128(y) * y * y;
            i128 z = icbrt128(t);
            if (z * z * z != t || z < -N || z >= N) continue;
            out << x << "^3+(" << y << ")^3+(" << text128(z) << ")^3" << std::endl;
        }
    }
}

void cubicsum2_search(const std::string &a, const std::string &b, const std::string &n, std::ostream &out) {
    if (!positiveBounds(a, b, out) || !positiveBounds(n, "0", out)) return;
    int64_t A, B;
    if (!smallValue(a, A) || !smallValue(b, B)) {
        out << rangeError(kMaxRootPairs) << std::endl;
        return;
    }
    int64_t low = std::min(A, B), high = std::max(A, B);
    if (high > kMaxRootPairs || (high - low) * 2 * high > kMaxRootPairs) {
        out << rangeError(kMaxRootPairs) << std::endl;
        return;
    }
    BigNumber bn;
    std::string target = BigNumber::stripLeadingZeros(n);
    for (int64_t x = low; x < high; x++) {
        engineStopPoint();
        std::string cubeX = bn.int_power(std::to_string(x), 3);
        for (int64_t y = -high; y < high; y++) {
            std::string ys = std::to_string(y);
            std::string U = n + "-" + std::to_string(x) + "^3-(" + ys + ")^3";
            std::string rest = bn.addition(target, "-" + cubeX);
            std::string cubeY = bn.int_power(ys, 3);
            std::string t = bn.real_subtraction(rest, cubeY);
            // the real cube root, with the sign of t
            std::string r = isNegative(t) ? "-" + bn.nthRootNumeric(t.substr(1), 3) : bn.nthRootNumeric(t, 3);
            out << r << std::endl;
            std::string k = r.substr(0, r.find('.'));
            bool exact = r.find('.') == std::string::npos;
            std::string lowEnd = exact ? k : bn.addition(k, "-1");
            std::string upEnd = bn.addition(k, "1");
            out << U << "==" << t << std::endl << k << "^3; low=" << lowEnd << "; up=" << upEnd << std::endl;
            for (std::string z = lowEnd; bn.isLessThan(z, upEnd); z = bn.addition(z, "1")) {
                engineStopPoint();
                std::string cube = bn.int_power(z, 3);
                if (cube == t)
                    out << x << "^3+(" << ys << ")^3+(" << z << ")^3" << "==" << n << std::endl;
            }
        }
    }
}

int64_t consecutive_cube_sum_search(BigNumber &engine, const std::string &a, const std::string &b,
                                    std::ostream &out) {
    if (!positiveBounds(a, b, out)) return -1;
    if (engine.isEqualTo(a, b)) {
        out << "\nSolution:\n" << a << "^3 = " << b << "^3\n";
        return 1;
    }
    int64_t A, B;
    if (!smallValue(a, A) || !smallValue(b, B) || std::llabs(A - B) > kMaxRunRange) {
        out << rangeError(kMaxRunRange) << std::endl;
        return -1;
    }
    int64_t low = std::min(A, B), high = std::max(A, B);
    out << "\n";
    int64_t count = 0;
    std::string p;
    for (int64_t n = low; n < high; n++)
        for (int64_t m = n + 1; m < high; m++)
            if (cubeRun(n, m, p)) {
                count++;
                out << n << "^3 + ... + " << m << "^3 = " << p << "^3\n";
            }
    return count;
}

namespace {

bool isPowerOfTwo(nat::Nat s, uint64_t &exponent) {
    exponent = 0;
    if (nat::is_zero(s)) return false;
    for (nat::Nat half; !(s == nat::Nat{1}); exponent++) {
        engineStopPoint();
        if (nat::divmod_small(s, 2, half) != 0) return false;
        s.swap(half);
    }
    return true;
}

// The integer part of ln s as the engine's logarithm at ten decimals gives it; a machine
// logarithm decides where it is far from a whole number.
int64_t floorLog(BigNumber &engine, const nat::Nat &s) {
    std::string digits = nat::to_decimal(s);
    long double ln = std::log(std::strtold(digits.c_str(), nullptr));
    long double whole = std::floor(ln);
    if (ln - whole > 1e-9L && whole + 1 - ln > 1e-9L) return int64_t(whole);
    std::string logText = engine.naturalLog(digits);
    return BigNumber::string2longlong(logText.substr(0, logText.find('.')));
}

bool isSmallPrime(int64_t k) {
    for (int64_t d = 2; d * d <= k; d++)
        if (k % d == 0) return false;
    return k >= 2;
}

}  // namespace

// The smallest exponent of a perfect power is a prime (z^(pq) is (z^q)^p), so only prime
// exponents are tried; exactness is decided on integers, not on ten decimals of a root.
int64_t solve_x3plusy3_zn_search(BigNumber &engine, const std::string &low, const std::string &high,
                                 std::ostream &out) {
    if (!positiveBounds(low, high, out)) return -1;
    int64_t L, H;
    if (!smallValue(low, L) || !smallValue(high, H) || H - L > kMaxPowerRange) {
        out << rangeError(kMaxPowerRange) << std::endl;
        return -1;
    }
    int32_t saved = engine.getPrecision();
    engine.setPrecision(10);
    out << std::endl;
    int64_t count = 0;
    for (int64_t x = L; x <= H; x++) {
        engineStopPoint();
        nat::Nat cubeX = nat::pow(nat::from_u64(uint64_t(x)), 3);
        for (int64_t y = x; y <= H; y++) {
            nat::Nat s = nat::add(cubeX, nat::pow(nat::from_u64(uint64_t(y)), 3));
            if (nat::is_zero(s)) continue;
            int64_t B = floorLog(engine, s);
            int64_t K = B + 1, J = (3 * B + 3) / 2;
            uint64_t j;
            if (isPowerOfTwo(s, j) && j >= 2 && int64_t(j) <= J)
                out << x << "^3 + " << y << "^3 == " << "2^" << j << std::endl;
            for (int64_t k = 2; k <= K; k++) {
                if (!isSmallPrime(k)) continue;
                nat::Nat z = nat::root(s, uint64_t(k));
                if (nat::pow(z, uint64_t(k)) != s) continue;
                count++;
                out << x << "^3+" << y << "^3 == " << nat::to_decimal(z) << "^" << k << std::endl;
                break;
            }
        }
    }
    engine.setPrecision(saved);
    return count;
}
