// Collatz sequences: halve an even value, take 3x+1 of an odd one, until 1. The sequences
// are shown and appended to the result files CollatzMap.txt and CollatzMaps.txt. Only a
// positive integer reaches 1: any other start value is refused before the first step, as
// the walk and the file would otherwise grow forever.
#include <fstream>

#include "BigNumber.h"
#include "nat/nat.h"
#include "number_routines.h"
#include "number_theory/routines_internal.h"

namespace {

const char *const kLongDashes = "-----------------------------";
const char *const kShortDashes = "---------------";
const char *const kNotPositive = "Error: the start value of a Collatz sequence should be a positive integer.";

// The value walks on limbs; every value is written right after it is made.
struct Walk {
    nat::Nat value;
    int count = 0;

    explicit Walk(const std::string &digits) : value(nat::from_decimal(digits)) {}
    bool done() const { return value == nat::Nat{1}; }
    std::string step() {
        nat::Nat half;
        if (nat::divmod_small(value, 2, half) == 0) {
            value.swap(half);
        } else {
            nat::mul_small(value, 3);
            nat::add_small(value, 1);
        }
        count++;
        return nat::to_decimal(value);
    }
};

// The start value without sign or leading zeros; false for anything but a positive integer.
bool startValue(const std::string &n, std::string &digits) {
    digits = n;
    return BigNumber::isPositiveInteger(digits);
}

std::ofstream appendTo(const std::filesystem::path &folder, const char *name) {
    return std::ofstream(folder / name, std::ios::app);
}

}  // namespace

int collatz_map(const std::string &n, std::stringstream &out, const std::filesystem::path &folder) {
    out.str("");
    out.clear();
    std::string start;
    if (!startValue(n, start)) {
        out << kNotPositive << std::endl;
        return -1;
    }
    std::ofstream file = appendTo(folder, "CollatzMap.txt");
    file << kLongDashes << std::endl << "Collatz(" << start << ")" << std::endl;
    out << kLongDashes << std::endl << "Collatz(" << start << ")" << std::endl << start;
    file << start;
    Walk walk(start);
    while (!walk.done()) {
        std::string v = walk.step();
        out << "-->" << v;
        file << "-->" << v;
    }
    out << "\n\n" << "count: " << walk.count << std::endl << kShortDashes << std::endl;
    file << "\n\ncount: " << walk.count << std::endl << kShortDashes << std::endl;
    return walk.count;
}

int collatz_orbit_to_file(const std::string &n, std::ostream &screen, const std::filesystem::path &folder) {
    std::string start;
    if (!startValue(n, start)) {
        screen << kNotPositive << std::endl;
        return -1;
    }
    std::ofstream file = appendTo(folder, "CollatzMaps.txt");
    file << kLongDashes << std::endl;
    screen << start;
    file << start;
    Walk walk(start);
    while (!walk.done()) {
        std::string v = walk.step();
        screen << "-->" << v;
        file << "-->" << v;
    }
    screen << std::endl << std::endl;
    file << "\n\n" << kShortDashes << std::endl << "count: " << walk.count << std::endl;
    return walk.count;
}

int print_3x1_maps(const std::string &a, const std::string &b, std::ostream &screen,
                   const std::filesystem::path &folder) {
    std::string first, last;
    if (!startValue(a, first) || !startValue(b, last)) {
        screen << kNotPositive << std::endl;
        return -1;
    }
    BigNumber bn;
    if (bn.isLessThan(last, first)) {
        screen << b << " is less than " << a << std::endl;
        return -1;
    }
    std::string span = bn.int_subtraction(last, first);
    if (!bn.isLessThan(span, std::to_string(routines::kMaxRangeItems))) {
        screen << "Error: at most " << routines::kMaxRangeItems << " start values at once." << std::endl;
        return -1;
    }
    int count = 0;
    for (std::string current = first; bn.isLessOrEqual(current, last); current = bn.addition(current, "1")) {
        collatz_orbit_to_file(current, screen, folder);
        count++;
    }
    return count;
}
