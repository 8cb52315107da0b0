// Conversion, comparison, addition and subtraction of limb naturals.
#include "nat/nat.h"

#include <algorithm>
#include <cassert>
#include <cstring>

namespace nat {

static const uint32_t POW10[10] = {1,      10,      100,      1000,      10000,
                                   100000, 1000000, 10000000, 100000000, 1000000000};

void normalize(Nat &a) {
    while (!a.empty() && a.back() == 0) a.pop_back();
}

bool is_normal(const Nat &a) {
    return has_normal_top(a) && std::all_of(a.begin(), a.end(), [](Limb x) { return x < BASE; });
}

static inline Limb parse_chunk(const char *p, size_t n) {
    Limb v = 0;
    for (size_t i = 0; i < n; i++) v = v * 10 + Limb(p[i] - '0');
    return v;
}

Nat from_decimal(std::string_view s) {
    size_t i = 0;
    while (i < s.size() && s[i] == '0') i++;  // leading zeros carry no limbs
    const char *p = s.data() + i;
    size_t n = s.size() - i;
    Nat a((n + LIMB_DIGITS - 1) / LIMB_DIGITS);
    size_t k = 0;
    while (n >= size_t(LIMB_DIGITS)) {
        a[k++] = parse_chunk(p + n - LIMB_DIGITS, LIMB_DIGITS);
        n -= LIMB_DIGITS;
    }
    if (n) a[k++] = parse_chunk(p, n);
    normalize(a);
    assert(is_normal(a));
    return a;
}

static inline void write_chunk(char *p, Limb v, int n) {
    for (int i = n - 1; i >= 0; i--) {
        p[i] = char('0' + v % 10);
        v /= 10;
    }
}

// The nine digits of a whole limb by pairs: four independent divisions instead of a chain
// of nine.
static inline void write_limb(char *p, Limb v) {
    static const char pairs[] =
        "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
        "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
        "8081828384858687888990919293949596979899";
    Limb high = v / 100000000, low = v % 100000000;
    Limb a = low / 10000, b = low % 10000;
    p[0] = char('0' + high);
    const char *x = pairs + 2 * (a / 100), *y = pairs + 2 * (a % 100);
    const char *z = pairs + 2 * (b / 100), *w = pairs + 2 * (b % 100);
    p[1] = x[0], p[2] = x[1], p[3] = y[0], p[4] = y[1];
    p[5] = z[0], p[6] = z[1], p[7] = w[0], p[8] = w[1];
}

size_t decimal_digits(const Nat &a) {
    if (a.empty()) return 0;
    Limb top = a.back();
    size_t d = 1;
    while (d < 10 && top >= POW10[d]) d++;
    return (a.size() - 1) * LIMB_DIGITS + d;
}

void append_decimal(const Nat &a, std::string &out, size_t width) {
    assert(is_normal(a));
    size_t digits = decimal_digits(a);
    size_t total = std::max(digits, width);
    size_t start = out.size();
    out.resize(start + total, '0');
    if (a.empty()) return;
    char *p = out.data() + start + (total - digits);
    size_t topDigits = digits - (a.size() - 1) * LIMB_DIGITS;
    write_chunk(p, a.back(), int(topDigits));
    p += topDigits;
    for (size_t k = a.size() - 1; k-- > 0;) {
        write_limb(p, a[k]);
        p += LIMB_DIGITS;
    }
}

std::string to_decimal(const Nat &a, size_t width) {
    std::string s;
    append_decimal(a, s, width);
    return s;
}

Nat from_u64(uint64_t v) {
    Nat a;
    while (v) {
        a.push_back(Limb(v % BASE));
        v /= BASE;
    }
    return a;
}

bool to_u64(const Nat &a, uint64_t &v) {
    if (a.size() > 3) return false;
    unsigned __int128 x = 0;
    for (size_t k = a.size(); k-- > 0;) x = x * BASE + a[k];
    if (x > UINT64_MAX) return false;
    v = uint64_t(x);
    return true;
}

int compare(const Nat &a, const Nat &b) {
    assert(has_normal_top(a) && has_normal_top(b)); // the lengths decide first
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    for (size_t k = a.size(); k-- > 0;)
        if (a[k] != b[k]) return a[k] < b[k] ? -1 : 1;
    return 0;
}

Nat add(const Nat &a, const Nat &b) {
    assert(is_normal(a) && is_normal(b));
    const Nat &x = a.size() >= b.size() ? a : b;
    const Nat &y = a.size() >= b.size() ? b : a;
    Nat r(x.size() + 1);
    Limb carry = 0;
    size_t k = 0;
    for (; k < y.size(); k++) {
        Limb s = x[k] + y[k] + carry;  // < 2*BASE fits in 32 bits
        carry = s >= BASE;
        r[k] = carry ? s - BASE : s;
    }
    for (; k < x.size(); k++) {
        Limb s = x[k] + carry;
        carry = s >= BASE;
        r[k] = carry ? s - BASE : s;
    }
    r[k] = carry;
    normalize(r);
    assert(is_normal(r));
    return r;
}

Nat sub(const Nat &a, const Nat &b) {
    assert(is_normal(a) && is_normal(b) && compare(a, b) >= 0);
    Nat r(a.size());
    Limb borrow = 0;
    size_t k = 0;
    for (; k < b.size(); k++) {
        int64_t d = int64_t(a[k]) - b[k] - borrow;
        borrow = d < 0;
        r[k] = Limb(borrow ? d + BASE : d);
    }
    for (; k < a.size(); k++) {
        int64_t d = int64_t(a[k]) - borrow;
        borrow = d < 0;
        r[k] = Limb(borrow ? d + BASE : d);
    }
    normalize(r);
    assert(borrow == 0 && is_normal(r));
    return r;
}

void add_small(Nat &a, Limb v) {
    assert(v < BASE && has_normal_top(a));
    for (size_t k = 0; v; k++) {
        if (k == a.size()) a.push_back(0);
        Limb s = a[k] + v;
        v = s >= BASE;
        a[k] = v ? s - BASE : s;
    }
}

void sub_small(Nat &a, Limb v) {
    assert(v < BASE && has_normal_top(a) && (a.size() > 1 || (a.empty() ? 0 : a[0]) >= v));
    for (size_t k = 0; v && k < a.size(); k++) {
        if (a[k] >= v) {
            a[k] -= v;
            v = 0;
        } else {
            a[k] = a[k] + BASE - v;
            v = 1;
        }
    }
    normalize(a);
}

void mul_small(Nat &a, Limb m) {
    assert(m < BASE && is_normal(a));
    uint64_t carry = 0;
    for (Limb &x : a) {
        uint64_t t = uint64_t(x) * m + carry;
        x = Limb(t % BASE);
        carry = t / BASE;
    }
    while (carry) {
        a.push_back(Limb(carry % BASE));
        carry /= BASE;
    }
    normalize(a);
}

Nat drop_limbs(const Nat &a, size_t k) {
    if (k >= a.size()) return Nat{};
    return Nat(a.begin() + std::ptrdiff_t(k), a.end());
}

Nat shift_limbs(const Nat &a, size_t k) {
    if (a.empty()) return a;
    Nat r(k, 0);
    r.insert(r.end(), a.begin(), a.end());
    return r;
}

Nat power_of_base(size_t k) {
    Nat r(k, 0);
    r.push_back(1);
    return r;
}

Nat shift_decimal(const Nat &a, size_t k) {
    Nat r = shift_limbs(a, k / LIMB_DIGITS);
    if (!r.empty() && k % LIMB_DIGITS) mul_small(r, POW10[k % LIMB_DIGITS]);
    return r;
}

Nat shift_decimal_down(const Nat &a, size_t k) {
    Nat r = drop_limbs(a, k / LIMB_DIGITS);
    if (!r.empty() && k % LIMB_DIGITS) divmod_small(r, POW10[k % LIMB_DIGITS], r);
    return r;
}

Nat pow10(size_t k) {
    Nat r(k / LIMB_DIGITS, 0);
    r.push_back(POW10[k % LIMB_DIGITS]);
    return r;
}

Limb divmod_small(const Nat &a, Limb d, Nat &q) {
    Nat r(a.size(), 0);  // q may be a itself
    uint64_t rem = 0;
    for (size_t k = a.size(); k-- > 0;) {
        uint64_t cur = rem * BASE + a[k];
        r[k] = Limb(cur / d);
        rem = cur % d;
    }
    normalize(r);
    q.swap(r);
    return Limb(rem);
}

Nat pow(const Nat &base, uint64_t e) {
    Nat r{1};
    if (e == 0) return r;
    int top = 63;
    while (!((e >> top) & 1)) top--;
    r = base;
    for (int bit = top - 1; bit >= 0; bit--) {
        r = sqr(r);
        if ((e >> bit) & 1) r = mul(r, base);
    }
    return r;
}

}  // namespace nat
