// Collatz sequences: halve an even value, take 3x+1 of an odd one, until 1. The sequences
// are shown and appended to the result files CollatzMap.txt and CollatzMaps.txt. Only a
// positive integer reaches 1: any other start value is refused before the first step, as
// the walk and the file would otherwise grow forever.
#include <fstream>

#include "BigNumber.h"
#include "nat/nat.h"
#include "number_routines.h"
#include "number_theory/routines_internal.h"
#include "stop_request.h"

namespace {

const char *const kLongDashes = "-----------------------------";
const char *const kShortDashes = "---------------";
const char *const kNotPositive = "Error: the start value of a Collatz sequence should be a positive integer.";
// A sequence takes about 7 steps a digit of its start value, and every value is written
// out: the text grows with the square of its length.
constexpr size_t kMaxStartDigits = 1000;
const std::string kTooLong =
    "Error: the start value of a Collatz sequence has at most " + std::to_string(kMaxStartDigits) + " digits.";

// The sequence from `start` down to 1, written to both streams as it is made: the start
// value, then "-->" and each value. Answers the number of steps.
int writeSequence(const std::string &start, std::ostream &a, std::ostream &b) {
    a << start;
    b << start;
    nat::Nat value = nat::from_decimal(start);
    int count = 0;
    for (nat::Nat half; !(value == nat::Nat{1}); count++) {
        engineStopPoint(count);
        if (nat::divmod_small(value, 2, half) == 0) {
            value.swap(half);
        } else {
            nat::mul_small(value, 3);
            nat::add_small(value, 1);
        }
        std::string v = nat::to_decimal(value);
        a << "-->" << v;
        b << "-->" << v;
    }
    return count;
}

// The start value without sign or leading zeros; false with the refusal in `message` for
// anything but a positive integer, or a too long one.
bool startValue(const std::string &n, std::string &digits, std::string &message) {
    digits = n;
    message = !BigNumber::isPositiveInteger(digits) ? kNotPositive : digits.size() > kMaxStartDigits ? kTooLong : "";
    return message.empty();
}

std::ofstream appendTo(const std::filesystem::path &folder, const char *name) {
    return std::ofstream(folder / name, std::ios::app);
}

}  // namespace

int collatz_map(const std::string &n, std::stringstream &out, const std::filesystem::path &folder) {
    out.str("");
    out.clear();
    std::string start, message;
    if (!startValue(n, start, message)) {
        out << message << std::endl;
        return -1;
    }
    std::ofstream file = appendTo(folder, "CollatzMap.txt");
    file << kLongDashes << std::endl << "Collatz(" << start << ")" << std::endl;
    out << kLongDashes << std::endl << "Collatz(" << start << ")" << std::endl;
    int count = writeSequence(start, out, file);
    out << "\n\n" << "count: " << count << std::endl << kShortDashes << std::endl;
    file << "\n\ncount: " << count << std::endl << kShortDashes << std::endl;
    return count;
}

int collatz_orbit_to_file(const std::string &n, std::ostream &screen, const std::filesystem::path &folder) {
    std::string start, message;
    if (!startValue(n, start, message)) {
        screen << message << std::endl;
        return -1;
    }
    std::ofstream file = appendTo(folder, "CollatzMaps.txt");
    file << kLongDashes << std::endl;
    int count = writeSequence(start, screen, file);
    screen << std::endl << std::endl;
    file << "\n\n" << kShortDashes << std::endl << "count: " << count << std::endl;
    return count;
}

int print_3x1_maps(const std::string &a, const std::string &b, std::ostream &screen,
                   const std::filesystem::path &folder) {
    std::string first, last, message;
    if (!startValue(a, first, message) || !startValue(b, last, message)) {
        screen << message << std::endl;
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
        engineStopPoint();
        collatz_orbit_to_file(current, screen, folder);
        count++;
    }
    return count;
}
