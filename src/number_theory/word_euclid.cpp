// Lehmer's method on binary words, with the Jacobi symbol followed along the remainders.
//
// The symbol is carried as a Kronecker symbol (r_{i-1} | r_i) over the remainder sequence
// r_0 = n, r_1 = a, r_{i+1} = r_{i-1} mod r_i, which allows even remainders below the bar:
//  - a |-> (a|r) has period r unless r = 2 mod 4, so (r_{i-1}|r_i) = (r_{i+1}|r_i) then; for
//    r_i = 2m with m odd, (r_{i-1}|r_i) = (r_{i-1}|2) (r_{i+1}|2) (r_{i+1}|r_i);
//  - for coprime x, y > 0, (x|y) = -(y|x) exactly when the odd parts of both are 3 mod 4.
// Each step therefore needs r_{i-1} mod 8, r_i mod 4 and the odd part of r_{i+1} mod 4: the
// low words. The sequence ends at the gcd; the symbol is 0 unless it is 1.
#include "number_theory/word_euclid.h"

#include <algorithm>
#include <charconv>

#include "stop_request.h"

namespace ntheory {
namespace {

using i64 = int64_t;

void trim(Words &w) {
    while (!w.empty() && w.back() == 0) w.pop_back();
}

int compareWords(const Words &a, const Words &b) {
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    for (size_t i = a.size(); i-- > 0;)
        if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
    return 0;
}

// u x - v y, known to be non-negative.
Words combine(const Words &x, u64 u, const Words &y, u64 v) {
    size_t n = std::max(x.size(), y.size());
    Words out(n + 1);
    u64 cu = 0, cv = 0, borrow = 0;
    for (size_t i = 0; i < n; i++) {
        u128 p = u128(u) * (i < x.size() ? x[i] : 0) + cu;
        u128 s = u128(v) * (i < y.size() ? y[i] : 0) + cv;
        cu = u64(p >> 64);
        cv = u64(s >> 64);
        u64 a = u64(p), b = u64(s);
        u64 t = a - b, t2 = t - borrow;
        borrow = u64(a < b) | u64(t < borrow);
        out[i] = t2;
    }
    out[n] = cu - cv - borrow;
    trim(out);
    return out;
}

// The 62 bits of x below the top bit of a number of n >= 2 words whose top word has `lead`
// leading zero bits (x itself may be one word shorter).
u64 top62(const Words &x, size_t n, int lead) {
    u64 hi = n - 1 < x.size() ? x[n - 1] : 0, lo = x[n - 2];
    u128 w = (u128(hi) << 64) | lo;
    return u64(w >> (66 - lead));
}

// floor(a / b) for 0 < b <= a, by subtraction when the quotient is small (most are).
inline u64 quotient(u64 a, u64 b) {
    if (a - b < b) return 1;
    if ((a >> 3) < b) {
        u64 q = 2;
        for (a -= 2 * b; a >= b; a -= b) q++;
        return q;
    }
    return a / b;
}

// The odd part of x mod 4 from its low word, or 0 when the word does not show it.
inline int oddPartMod4(u64 low, bool exact) {
    if (low == 0) return 0;
    int zeros = __builtin_ctzll(low);
    if (!exact && zeros > 61) return 0;
    return int(low >> zeros & 3);
}

// The same from all the words of x (0 for zero).
int oddPartMod4(const Words &x) {
    for (size_t i = 0; i < x.size(); i++)
        if (x[i]) {
            int zeros = __builtin_ctzll(x[i]);
            u64 bits = x[i] >> zeros;
            if (zeros > 62 && i + 1 < x.size()) bits |= x[i + 1] << (64 - zeros);
            return int(bits & 3);
        }
    return 0;
}

// (x|2) for an odd x.
inline int overTwo(u64 low) { return (low & 7) == 1 || (low & 7) == 7 ? 1 : -1; }

// What a walk over the remainder sequence does with each step prev = q cur + next.
struct Steps {
    virtual ~Steps() = default;
    // A step seen through low words (exact: the words are the whole numbers). False refuses
    // it; it is then taken again on the whole numbers.
    virtual bool word(u64 q, u64 prev, u64 cur, u64 next, bool exact) = 0;
    virtual void whole(const Words &q, const Words &prev, const Words &cur, const Words &next) = 0;
};

// Runs the sequence from (x, y), y > 0; returns its last non-zero remainder.
Words walk(Words x, Words y, Steps &steps) {
    Words q, r;
    while (!y.empty()) {
        engineStopPoint();
        if (x.size() < kLehmerWords) {
            u64 a = x[0], b = y[0];
            while (b) {
                u64 k = a / b, c = a - k * b;
                steps.word(k, a, b, c, true);
                a = b;
                b = c;
            }
            return Words{a};
        }
        size_t n = x.size();
        bool lehmer = compareWords(x, y) > 0 && n - y.size() <= 1;
        i64 A = 1, B = 0, C = 0, D = 1;
        if (lehmer) {
            // Knuth's algorithm L: a quotient is taken only when both bounds of the leading
            // parts give it, so that it is the quotient of the whole numbers.
            int lead = __builtin_clzll(x[n - 1]);
            i64 ah = i64(top62(x, n, lead)), bh = i64(top62(y, n, lead));
            u64 lowPrev = x[0], lowCur = y[0];
            for (;;) {
                if (bh + C == 0 || bh + D == 0) break;
                u64 num = u64(ah + A), den = u64(bh + C), num2 = u64(ah + B), den2 = u64(bh + D);
                if (num < den) break;
                u64 k = quotient(num, den);
                u128 low = u128(k) * den2;  // k must also be floor(num2 / den2)
                if (num2 < low || num2 - low >= den2) break;
                u64 lowNext = lowPrev - k * lowCur;
                if (!steps.word(k, lowPrev, lowCur, lowNext, false)) break;
                i64 t = A - i64(k) * C;
                A = C;
                C = t;
                t = B - i64(k) * D;
                B = D;
                D = t;
                t = ah - i64(k) * bh;
                ah = bh;
                bh = t;
                lowPrev = lowCur;
                lowCur = lowNext;
            }
        }
        if (B == 0) {
            divmodWords(x, y, q, r);
            steps.whole(q, x, y, r);
            x.swap(y);
            y.swap(r);
            continue;
        }
        // (x, y) = (A x + B y, C x + D y); in each pair exactly one cofactor is negative.
        Words nx = B <= 0 ? combine(x, u64(A), y, u64(-B)) : combine(y, u64(B), x, u64(-A));
        Words ny = D <= 0 ? combine(x, u64(C), y, u64(-D)) : combine(y, u64(D), x, u64(-C));
        x.swap(nx);
        y.swap(ny);
    }
    return x;
}

struct JacobiSteps final : Steps {
    int value = 1;
    int curOdd = 0;  // the odd part of the current remainder (below the bar) mod 4

    bool word(u64, u64 prev, u64 cur, u64 next, bool exact) override {
        int nextOdd = oddPartMod4(next, exact);
        if (nextOdd == 0 && !exact) return false;
        step(prev, cur, next, nextOdd);
        return true;
    }
    void whole(const Words &, const Words &prev, const Words &cur, const Words &next) override {
        step(prev[0], cur[0], next.empty() ? 0 : next[0], oddPartMod4(next));
    }
    void step(u64 prev, u64 cur, u64 next, int nextOdd) {
        if ((cur & 3) == 2) value *= overTwo(prev) * overTwo(next);
        if (nextOdd == 0) return;  // next is 0: the sequence ends
        if (curOdd == 3 && nextOdd == 3) value = -value;
        curOdd = nextOdd;
    }
};

struct QuotientSteps final : Steps {
    const std::function<void(std::string_view)> &sink;
    explicit QuotientSteps(const std::function<void(std::string_view)> &s) : sink(s) {}

    bool word(u64 q, u64, u64, u64, bool) override {
        char text[24];
        auto end = std::to_chars(text, text + sizeof text, q).ptr;
        sink(std::string_view(text, size_t(end - text)));
        return true;
    }
    void whole(const Words &q, const Words &, const Words &, const Words &) override {
        if (q.size() <= 1) {
            word(q.empty() ? 0 : q[0], 0, 0, 0, true);
            return;
        }
        std::string text = nat::to_decimal(fromWords(q));
        sink(text);
    }
};

}  // namespace

void divmodWords(const Words &a, const Words &b, Words &q, Words &r) {
    q.clear();
    if (compareWords(a, b) < 0) {
        r = a;
        return;
    }
    if (b.size() == 1) {
        q.assign(a.size(), 0);
        u64 rem = 0;
        for (size_t i = a.size(); i-- > 0;) {
            u128 cur = (u128(rem) << 64) | a[i];
            q[i] = u64(cur / b[0]);
            rem = u64(cur % b[0]);
        }
        trim(q);
        r.assign(1, rem);
        trim(r);
        return;
    }
    // Knuth's algorithm D on the operands shifted so that the divisor's top bit is set.
    size_t n = b.size(), m = a.size() - n;
    int s = __builtin_clzll(b.back());
    Words v(n), u(a.size() + 1);
    for (size_t i = n; i-- > 0;) v[i] = (b[i] << s) | (s && i ? b[i - 1] >> (64 - s) : 0);
    u[a.size()] = s ? a.back() >> (64 - s) : 0;
    for (size_t i = a.size(); i-- > 0;) u[i] = (a[i] << s) | (s && i ? a[i - 1] >> (64 - s) : 0);
    q.assign(m + 1, 0);
    for (size_t j = m + 1; j-- > 0;) {
        u128 top = (u128(u[j + n]) << 64) | u[j + n - 1];
        u128 qhat = top / v[n - 1], rhat = top % v[n - 1];
        while ((qhat >> 64) || qhat * v[n - 2] > ((rhat << 64) | u[j + n - 2])) {
            qhat--;
            rhat += v[n - 1];
            if (rhat >> 64) break;
        }
        u64 carry = 0, borrow = 0;
        for (size_t i = 0; i < n; i++) {
            u128 p = qhat * v[i] + carry;
            carry = u64(p >> 64);
            u64 x = u[i + j], lo = u64(p);
            u64 t = x - lo, t2 = t - borrow;
            borrow = u64(x < lo) | u64(t < borrow);
            u[i + j] = t2;
        }
        u64 x = u[j + n], t = x - carry, t2 = t - borrow;
        bool negative = x < carry || t < borrow;
        u[j + n] = t2;
        if (negative) {  // qhat was one too large: add the divisor back
            qhat--;
            u64 c = 0;
            for (size_t i = 0; i < n; i++) {
                u128 sum = u128(u[i + j]) + v[i] + c;
                u[i + j] = u64(sum);
                c = u64(sum >> 64);
            }
            u[j + n] += c;
        }
        q[j] = u64(qhat);
    }
    trim(q);
    r.assign(n, 0);
    for (size_t i = 0; i < n; i++) r[i] = (u[i] >> s) | (s ? u[i + 1] << (64 - s) : 0);
    trim(r);
}

int jacobiWords(const Words &a, const Words &n) {
    if (a.empty()) return n == Words{1} ? 1 : 0;
    JacobiSteps steps;
    steps.curOdd = oddPartMod4(a);
    if (steps.curOdd == 3 && (n[0] & 3) == 3) steps.value = -1;
    Words g = walk(n, a, steps);
    return g == Words{1} ? steps.value : 0;
}

void euclidQuotients(const Words &a, const Words &b, const std::function<void(std::string_view)> &sink) {
    QuotientSteps steps(sink);
    Words q, r;
    divmodWords(a, b, q, r);
    steps.whole(q, a, b, r);
    if (!r.empty()) walk(b, r, steps);
}

}  // namespace ntheory
