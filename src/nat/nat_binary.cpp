// Writing a natural in a base 2^k: its binary value first, from the decimal limbs by divide and
// conquer on the powers 10^(9 * 2^j) (one product a level, no division), then k bits a digit.
// Division by the powers of the base, as for the other bases, costs two products a level and a
// reciprocal.
#include <algorithm>

#include "nat/nat.h"

namespace nat {
namespace {

using Binary = std::vector<Limb>;  // base 2^32, least significant first, no zero limb on top

constexpr size_t kSchoolLimbs = 48;  // shorter operands multiply by rows
constexpr size_t kLeafLimbs = 32;    // decimal limbs this few are read by Horner's rule

void trim(Binary &a) {
    while (!a.empty() && a.back() == 0) a.pop_back();
}

void school(const Limb *a, size_t na, const Limb *b, size_t nb, Limb *out) {
    std::fill(out, out + na + nb, Limb(0));
    for (size_t i = 0; i < nb; i++) {
        uint64_t carry = 0, m = b[i];
        for (size_t j = 0; j < na; j++) {
            uint64_t t = a[j] * m + out[i + j] + carry;  // at most 2^64 - 1
            out[i + j] = Limb(t);
            carry = t >> 32;
        }
        out[i + na] = Limb(carry);
    }
}

bool multiply(const Binary &a, const Binary &b, Binary &out) {
    if (a.empty() || b.empty()) {
        out.clear();
        return true;
    }
    out.assign(a.size() + b.size(), 0);
    if (std::min(a.size(), b.size()) < kSchoolLimbs) school(a.data(), a.size(), b.data(), b.size(), out.data());
    else if (!detail::mul_fft_binary(a.data(), a.size(), b.data(), b.size(), out.data())) return false;
    trim(out);
    return true;
}

// a += b
void add_into(Binary &a, const Binary &b) {
    if (a.size() < b.size()) a.resize(b.size(), 0);
    uint64_t carry = 0;
    for (size_t i = 0; i < a.size() && (i < b.size() || carry); i++) {
        uint64_t t = uint64_t(a[i]) + (i < b.size() ? b[i] : 0) + carry;
        a[i] = Limb(t);
        carry = t >> 32;
    }
    if (carry) a.push_back(Limb(carry));
}

// The value of decimal limbs d[0..m); powers[j] = 10^(9 * 2^j) in binary.
bool from_decimal_limbs(const Limb *d, size_t m, std::vector<Binary> &powers, Binary &out) {
    if (m <= kLeafLimbs) {
        out.clear();
        for (size_t i = m; i-- > 0;) {
            uint64_t carry = d[i];
            for (Limb &limb : out) {
                uint64_t t = uint64_t(limb) * BASE + carry;
                limb = Limb(t);
                carry = t >> 32;
            }
            if (carry) out.push_back(Limb(carry));
        }
        return true;
    }
    size_t j = 0;  // the low part: 2^j limbs, the largest power of two below m
    while ((size_t(2) << j) < m) j++;
    while (powers.size() <= j) {
        Binary square;
        if (!multiply(powers.back(), powers.back(), square)) return false;
        powers.push_back(std::move(square));
    }
    size_t low = size_t(1) << j;
    Binary high, lowValue;
    if (!from_decimal_limbs(d + low, m - low, powers, high) || !from_decimal_limbs(d, low, powers, lowValue) ||
        !multiply(high, powers[j], out))
        return false;
    add_into(out, lowValue);
    return true;
}

}  // namespace

bool to_power_of_two_base(const Nat &n, int bits, std::string &out) {
    if (is_zero(n)) {
        out = "0";
        return true;
    }
    std::vector<Binary> powers{Binary{BASE}};
    Binary value;
    if (!from_decimal_limbs(n.data(), n.size(), powers, value)) return false;
    size_t bitLength = 32 * value.size() - size_t(__builtin_clz(value.back()));
    size_t digits = (bitLength + size_t(bits) - 1) / size_t(bits);
    std::string text(digits, '0');
    for (size_t i = 0; i < digits; i++) {  // digit i from the least significant end
        size_t pos = i * size_t(bits), limb = pos / 32, shift = pos % 32;
        uint64_t window = value[limb];
        if (limb + 1 < value.size()) window |= uint64_t(value[limb + 1]) << 32;
        text[digits - 1 - i] = "0123456789abcdefghijklmnopqrstuv"[(window >> shift) & ((1u << bits) - 1)];
    }
    out = std::move(text);
    return true;
}

}  // namespace nat
