// Prints the benchmark operand of a length and seed: bench/compare-bc feeds it to bc.
#include <cstdio>
#include <cstdlib>

#include "../operands.h"

int main(int argc, char **argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: bench_operands <digits> <seed>\n");
        return 2;
    }
    std::string s = randomDigits(std::strtoul(argv[1], nullptr, 10), unsigned(std::strtoul(argv[2], nullptr, 10)));
    std::fwrite(s.data(), 1, s.size(), stdout);
    return 0;
}
