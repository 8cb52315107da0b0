// Arithmetic functions of integer texts: the exact multiplicity of a divisor.
#include "BigNumber.h"
#include "nat/nat.h"
#include "number_routines.h"
#include "number_theory/routines_internal.h"

// How many times p divides n (0 for n = 0, and for anything but an integer). A p below 2
// divides forever or not at all: refused with the message of the p-adic functions.
int BigNumber::count_exact_divisions(const std::string &n, int64_t p) {
    if (p < 2) {
        outStream << padic_prime_error(p) << std::endl;
        return 0;
    }
    nat::Nat m;
    bool negative;
    if (!routines::readInteger(n, m, negative) || nat::is_zero(m)) return 0;
    nat::Nat P = nat::from_u64(uint64_t(p));
    int count = 0;
    for (nat::Nat q, r;; count++) {
        nat::divmod(m, P, q, r);
        if (!nat::is_zero(r)) break;
        m.swap(q);
    }
    return count;
}
