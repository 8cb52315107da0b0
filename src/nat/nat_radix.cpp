// Conversion between limb naturals and digit strings of any base from 2 to 36 (and the
// digit-value lists of any base): divide and conquer on powers of the base, so long
// numbers convert in about M(n) log n instead of n^2. The divisions of one level share the
// reciprocal of their power.
#include <algorithm>

#include "nat/nat.h"

namespace nat {
namespace {

constexpr size_t BASE_CASE_DIGITS = 400;  // below this, one limb-sized chunk at a time

struct Chunk {
    Limb value;   // base^digits
    size_t digits;
};

// The largest power of the base that fits a limb.
Chunk chunkOf(Limb base) {
    Chunk c{base, 1};
    while (uint64_t(c.value) * base < BASE) {
        c.value *= base;
        c.digits++;
    }
    return c;
}

const char *const kDigitChars = "0123456789abcdefghijklmnopqrstuvwxyz";

// Writes n in the base, exactly `width` digits (zero-padded), schoolbook.
void smallToBase(Nat n, Limb base, const Chunk &chunk, size_t width, std::string &out) {
    std::string digits;
    while (!is_zero(n)) {
        Nat q;
        Limb r = divmod_small(n, chunk.value, q);
        for (size_t i = 0; i < chunk.digits; i++) {
            digits += kDigitChars[r % base];
            r /= base;
        }
        n.swap(q);
    }
    while (!digits.empty() && digits.back() == '0') digits.pop_back();
    digits.resize(std::max(digits.size(), width), '0');
    if (width) digits.resize(width);
    std::reverse(digits.begin(), digits.end());
    out += digits;
}

// The powers base^(chunkDigits * 2^k) and, made when first needed, their reciprocals: every
// division at one level of the tree is by the same power.
struct PowerTree {
    Limb base;
    Chunk chunk;
    std::vector<Nat> powers;
    std::vector<Divisor> divisors;
    std::vector<bool> made;

    const Divisor &divisor(size_t k) {
        if (!made[k]) {
            divisors[k] = make_divisor(powers[k]);
            made[k] = true;
        }
        return divisors[k];
    }
};

// n < base^width, width a multiple of the chunk's digits. At the top (one division only) the
// power's reciprocal would not be used again, and the division by the bare power cuts it to the
// quotient's length; a number below the power needs no division at all.
void toBase(const Nat &n, PowerTree &tree, size_t level, size_t width, bool top, std::string &out) {
    if (level == 0 || width <= BASE_CASE_DIGITS) {
        smallToBase(n, tree.base, tree.chunk, width, out);
        return;
    }
    size_t lowDigits = tree.chunk.digits << (level - 1);
    if (width <= lowDigits) {
        toBase(n, tree, level - 1, width, false, out);
        return;
    }
    const Nat &power = tree.powers[level - 1];
    Nat q, r;
    if (compare(n, power) < 0) r = n;
    else if (top) divmod(n, power, q, r);
    else divmod(n, tree.divisor(level - 1), q, r);
    toBase(q, tree, level - 1, width - lowDigits, false, out);
    toBase(r, tree, level - 1, lowDigits, false, out);
}

}  // namespace

std::string to_base(const Nat &n, Limb base) {
    if (is_zero(n)) return "0";
    PowerTree tree{base, chunkOf(base), {}, {}, {}};
    tree.powers.push_back(Nat{tree.chunk.value});
    // the smallest level with n < base^(chunkDigits * 2^level); the power of that level itself
    // is never divided by, so it is not made when its size alone shows it above n
    size_t level = 0;
    while (compare(tree.powers.back(), n) <= 0) {
        level++;
        if (2 * tree.powers.back().size() - 2 >= n.size()) break;  // its square is at least BASE^size(n) > n
        tree.powers.push_back(sqr(tree.powers.back()));
    }
    tree.divisors.resize(tree.powers.size());
    tree.made.assign(tree.powers.size(), false);
    std::string out;
    toBase(n, tree, level, tree.chunk.digits << level, true, out);
    size_t first = out.find_first_not_of('0');
    return out.substr(first == std::string::npos ? out.size() - 1 : first);
}

Nat from_digit_values(const std::vector<uint32_t> &values, const Nat &base) {
    // Horner on chunks of the base's powers, then pairwise combination.
    if (values.empty()) return Nat{};
    std::vector<Nat> level;
    level.reserve(values.size());
    for (uint32_t v : values) level.push_back(from_u64(v));
    Nat power = base;  // base^(2^k), the weight of the right neighbour at this level
    while (level.size() > 1) {
        std::vector<Nat> next;
        next.reserve((level.size() + 1) / 2);
        // Combine from the right end so that the least significant group is full.
        size_t odd = level.size() % 2;
        if (odd) next.push_back(level[0]);
        for (size_t i = odd; i + 1 < level.size(); i += 2) next.push_back(add(mul(level[i], power), level[i + 1]));
        level.swap(next);
        if (level.size() > 1) power = sqr(power);
    }
    return level[0];
}

}  // namespace nat
